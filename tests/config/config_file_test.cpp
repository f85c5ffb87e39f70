#include "config/config_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <random>

#include "config/atomic_file.h"

namespace kz7 {
namespace {

namespace fs = std::filesystem;

class ConfigFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        dir_ = fs::temp_directory_path() / ("kz7-config-" + std::to_string(random()));
        fs::create_directories(dir_);
        path_ = dir_ / "config.bin";
    }
    void TearDown() override { fs::remove_all(dir_); }

    void WriteBytes(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string ReadBytes(const fs::path& path) {
        std::string content;
        EXPECT_TRUE(ReadWholeFile(path, content));
        return content;
    }
    static std::string Image(std::uint8_t flag, std::uint8_t fill) {
        std::string image(kConfigFileSize, static_cast<char>(fill));
        image[0] = static_cast<char>(flag);
        return image;
    }

    fs::path dir_;
    fs::path path_;
    ConfigModel model_;
    RecordingPrompter prompter_;
};

TEST_F(ConfigFileTest, LoadsAnExactImageWithItsFlag) {
    for (std::uint8_t flag : {std::uint8_t{0}, std::uint8_t{1}}) {
        WriteBytes(path_, Image(flag, 0x5A));
        EXPECT_EQ(LoadConfig(path_, model_, prompter_), LoadResult::Loaded);
        EXPECT_EQ(model_.firstRunFlag, flag);
        EXPECT_EQ(model_.config.reportRate, 0x5A);
        EXPECT_EQ(model_.config.ledExtra[1], 0x5A);
    }
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(ConfigFileTest, MissingFileIsReportedAndLeavesTheRecord) {
    model_.config.reportRate = 8;
    EXPECT_EQ(LoadConfig(path_, model_, prompter_), LoadResult::Missing);
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_EQ(prompter_.messages[0], (RecordingPrompter::Message{"Config file is not exist.", ""}));
    EXPECT_EQ(model_.config.reportRate, 8);
}

TEST_F(ConfigFileTest, FilesOfAnyOtherSizeAreIgnoredSilently) {
    for (std::size_t size : {std::size_t{0}, kConfigFileSize - 1, kConfigFileSize + 1, std::size_t{5000}}) {
        WriteBytes(path_, std::string(size, '\x33'));
        ConfigModel model;
        EXPECT_EQ(LoadConfig(path_, model, prompter_), LoadResult::WrongSize) << size;
        EXPECT_TRUE(SameBytes(model.config, ZeroConfig())) << size;
    }
    fs::remove(path_);
    fs::create_directory(path_);  // something that exists but cannot be read as a file
    EXPECT_EQ(LoadConfig(path_, model_, prompter_), LoadResult::WrongSize);
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(ConfigFileTest, SaveWritesFlagOneAndTheRecord) {
    WriteBytes(path_, Image(0, 0));
    model_.config.currentMode = 1;
    model_.config.macroImage[11][127] = 0xEE;
    ASSERT_TRUE(SaveConfig(path_, model_, prompter_));
    EXPECT_EQ(model_.firstRunFlag, 1);
    const std::string bytes = ReadBytes(path_);
    ASSERT_EQ(bytes.size(), kConfigFileSize);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[1 + 1960]), 1);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[1 + 384 + 11 * 128 + 127]), 0xEE);
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ConfigFileTest, SaveNeverCreatesAMissingFile) {
    EXPECT_FALSE(SaveConfig(path_, model_, prompter_));
    EXPECT_FALSE(fs::exists(path_));
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_EQ(prompter_.messages[0].text, "Config file is not exist.");
}

TEST_F(ConfigFileTest, SaveKeepsTheFilePermissions) {
    WriteBytes(path_, Image(0, 0));
    fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(SaveConfig(path_, model_, prompter_));
    EXPECT_EQ(fs::status(path_).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(ConfigFileTest, AFailedSaveIsReportedAndKeepsTheOldContent) {
    // A folder in the file's place: the new image cannot replace it.
    fs::create_directory(path_);
    EXPECT_FALSE(SaveConfig(path_, model_, prompter_));
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_EQ(prompter_.messages[0].caption, "NULL ==fp ");
    EXPECT_EQ(prompter_.messages[0].text.rfind("Error Code is: ", 0), 0u);
    EXPECT_EQ(prompter_.messages[0].text.substr(prompter_.messages[0].text.size() - 2), " \n");
    EXPECT_EQ(model_.firstRunFlag, 0);
    EXPECT_TRUE(fs::is_directory(path_));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ConfigFileTest, AReadOnlyFileIsNotSavedAndTheUsualFailureIsShown) {
    const std::string old = Image(0, 0x42);
    WriteBytes(path_, old);
    fs::permissions(path_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    model_.config.currentMode = 1;
    EXPECT_FALSE(SaveConfig(path_, model_, prompter_));
    const RecordingPrompter::Message refused{"Error Code is: " + std::to_string(EACCES) + " \n", "NULL ==fp "};
    EXPECT_EQ(prompter_.messages, std::vector<RecordingPrompter::Message>{refused});
    EXPECT_EQ(model_.firstRunFlag, 0);
    EXPECT_EQ(ReadBytes(path_), old);
    EXPECT_EQ(fs::status(path_).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ConfigFileTest, SaveThenLoadRoundTrips) {
    WriteBytes(path_, Image(0, 0));
    for (std::size_t i = 0; i < kDeviceConfigSize; ++i) {
        reinterpret_cast<std::uint8_t*>(&model_.config)[i] = static_cast<std::uint8_t>(i * 13);
    }
    ASSERT_TRUE(SaveConfig(path_, model_, prompter_));
    ConfigModel loaded;
    ASSERT_EQ(LoadConfig(path_, loaded, prompter_), LoadResult::Loaded);
    EXPECT_TRUE(SameBytes(loaded.config, model_.config));
    EXPECT_EQ(loaded.firstRunFlag, 1);
}

TEST(DataFolder, ChoosesByTheRule) {
    const fs::path base = fs::temp_directory_path() / ("kz7-folder-" + std::to_string(std::random_device{}()));
    const fs::path portable = base / "portable";
    const fs::path installed = base / "installed";
    fs::create_directories(portable);
    fs::create_directories(installed);
    std::ofstream(portable / "config.bin") << "x";

    struct Case {
        DataFolderInputs inputs;
        fs::path expected;
    };
    const Case cases[] = {
        {{fs::path("/override"), portable, "/xdg", "/home/u"}, "/override"},
        {{std::nullopt, portable, "/xdg", "/home/u"}, portable},
        {{std::nullopt, installed, "/xdg", "/home/u"}, "/xdg/kz7"},
        {{std::nullopt, installed, "", "/home/u"}, "/home/u/.config/kz7"},
        {{std::nullopt, installed, "relative/path", "/home/u"}, "/home/u/.config/kz7"},
        {{std::nullopt, installed, std::nullopt, "/home/u"}, "/home/u/.config/kz7"},
    };
    for (const Case& c : cases) EXPECT_EQ(ChooseDataFolder(c.inputs), c.expected);
    fs::remove_all(base);
}

TEST(DataFolder, SeedingCopiesTheDefaultOnceAndNeverOverwrites) {
    const fs::path base = fs::temp_directory_path() / ("kz7-seed-" + std::to_string(std::random_device{}()));
    const fs::path defaults = base / "share" / "config.bin";
    fs::create_directories(defaults.parent_path());
    std::ofstream(defaults, std::ios::binary) << std::string(kConfigFileSize, '\x07');
    const fs::path folder = base / "home" / ".config" / "kz7";

    std::string error;
    ASSERT_TRUE(SeedDataFolder(folder, defaults, &error)) << error;
    std::string seeded;
    ASSERT_TRUE(ReadWholeFile(folder / "config.bin", seeded));
    EXPECT_EQ(seeded, std::string(kConfigFileSize, '\x07'));

    std::ofstream(folder / "config.bin", std::ios::binary) << std::string(kConfigFileSize, '\x01');
    ASSERT_TRUE(SeedDataFolder(folder, defaults, &error));
    ASSERT_TRUE(ReadWholeFile(folder / "config.bin", seeded));
    EXPECT_EQ(seeded[0], '\x01');

    EXPECT_FALSE(SeedDataFolder(base / "other", base / "missing.bin", &error));
    EXPECT_NE(error.find("missing.bin"), std::string::npos);
    fs::remove_all(base);
}

}  // namespace
}  // namespace kz7
