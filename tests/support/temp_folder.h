#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "config/atomic_file.h"
#include "config/config_file.h"

namespace kz7::testing_support {

// A fresh folder per test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("kz7-test-" + std::to_string(random()) + "-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    void Write(const std::string& name, std::string_view text) const {
        ASSERT_EQ(WriteFileAtomically(path_ / name, text), 0);
    }
    // Writes a complete config.bin image into the folder and returns its path.
    std::filesystem::path WriteConfigBin(std::uint8_t firstRunFlag, const DeviceConfig& config) const {
        const auto path = path_ / "config.bin";
        const auto image = ConfigFileImage(firstRunFlag, config);
        EXPECT_EQ(WriteFileAtomically(path, image.data(), image.size()), 0);
        return path;
    }
    std::string Read(const std::string& name) const { return ReadFile(path_ / name); }
    static std::string ReadFile(const std::filesystem::path& path) {
        std::string text;
        EXPECT_TRUE(ReadWholeFile(path, text)) << path;
        return text;
    }

private:
    std::filesystem::path path_;
};

}  // namespace kz7::testing_support
