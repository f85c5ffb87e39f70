#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "config/atomic_file.h"

namespace kz7::testing_support {

// A fresh folder per test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        path_ = std::filesystem::temp_directory_path() / ("kz7-macros-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    void Write(const std::string& name, std::string_view text) const {
        ASSERT_EQ(WriteFileAtomically(path_ / name, text), 0);
    }
    std::string Read(const std::string& name) const {
        std::string text;
        EXPECT_TRUE(ReadWholeFile(path_ / name, text)) << name;
        return text;
    }

private:
    std::filesystem::path path_;
};

// A record.ini section from its lines, as the store writes it.
inline std::string Section(const std::string& name, std::initializer_list<std::string> lines) {
    std::string text = "[" + name + "]\nItemCount=" + std::to_string(lines.size()) + "\n";
    int i = 0;
    for (const auto& line : lines) text += "Item" + std::to_string(i++) + "=" + line + "\n";
    return text;
}

}  // namespace kz7::testing_support
