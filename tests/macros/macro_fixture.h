#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <string_view>

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

// "m0", "m1", ...: names for sections made in bulk. Appended rather than
// `"m" + std::to_string(i)`, which GCC 12 at -O3 warns about falsely (-Wrestrict).
inline std::string NumberedName(std::string_view prefix, std::size_t number) {
    std::string name(prefix);
    name += std::to_string(number);
    return name;
}

}  // namespace kz7::testing_support
