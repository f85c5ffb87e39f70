#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "config/atomic_file.h"
#include "support/temp_folder.h"

namespace kz7::testing_support {

// A record.ini section from its lines, as the store writes it.
inline std::string Section(const std::string& name, std::initializer_list<std::string> lines) {
    std::string text = "[" + name + "]\nItemCount=" + std::to_string(lines.size()) + "\n";
    int i = 0;
    for (const auto& line : lines) text += "Item" + std::to_string(i++) + "=" + line + "\n";
    return text;
}

}  // namespace kz7::testing_support
