// Runs the real kz7ctl on files made here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include <nlohmann/json.hpp>

#include "config/atomic_file.h"
#include "config/config_file.h"
#include "config/starter_config.h"
#include "device/hex_format.h"
#include "device/key_action.h"
#include "support/run_command.h"

namespace kz7 {
namespace {

namespace fs = std::filesystem;

using testing_support::CommandRun;

CommandRun Kz7ctl(const std::string& arguments) {
    return testing_support::RunShell(testing_support::Kz7ctlCommand() + " " + arguments + " 2>&1");
}

class Kz7ctlTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kz7-cli-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    void WriteConfig(const char* name, const DeviceConfig& config, std::uint8_t flag = 1) {
        const auto image = ConfigFileImage(flag, config);
        ASSERT_EQ(WriteFileAtomically(dir_ / name, image.data(), image.size()), 0);
    }
    fs::path dir_;
};

TEST_F(Kz7ctlTest, VersionPrintsTheProjectVersion) {
    const CommandRun run = Kz7ctl("--version");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "kz7ctl " KZ7_PROJECT_VERSION "\n");
}

TEST_F(Kz7ctlTest, InitWritesTheStarterConfigurationNeverSaved) {
    ASSERT_EQ(Kz7ctl("init " + Path("config.bin")).status, 0);
    std::string image;
    ASSERT_TRUE(ReadWholeFile(dir_ / "config.bin", image));
    ASSERT_EQ(image.size(), kConfigFileSize);
    EXPECT_EQ(image[0], 0);
    const auto expected = ConfigBytes(StarterConfig());
    EXPECT_EQ(image.substr(1), std::string(expected.begin(), expected.end()));
}

TEST_F(Kz7ctlTest, MatricesPrintsWhatTheApplySends) {
    DeviceConfig config = ZeroConfig();
    config.currentMode = 1;
    config.buttons[1].function[0] = kFnComboKey;
    config.buttons[1].comboModifiers[0] = 0x01;
    config.buttons[1].comboKey1[0] = 0x06;
    WriteConfig("config.bin", config);

    const CommandRun run = Kz7ctl("matrices --data-dir " + dir_.string());
    ASSERT_EQ(run.status, 0) << run.out;
    const auto matrices = BuildKeyMatrices(config);
    std::string expected;
    for (int n = 0; n < 4; ++n) {
        expected += "matrix " + std::to_string(n + 1) + ": " + HexBytes(MatrixBytes(matrices[n])) + "\n";
    }
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.out.substr(0, 22), "matrix 1: 00 01 06 00 ");
}

TEST_F(Kz7ctlTest, ShowDecodesForPeopleAndAsJson) {
    DeviceConfig config = StarterConfig();
    config.reportRate = 2;
    config.buttons[0].function[2] = kFnMultimedia;
    config.buttons[0].mediaIndex[2] = 5;
    config.buttons[0].mediaCode[2] = 0xE9;
    config.loopColor[1][0] = 0x12;
    WriteConfig("a.bin", config, 0);

    const CommandRun text = Kz7ctl("show " + Path("a.bin"));
    ASSERT_EQ(text.status, 0) << text.out;
    for (const char* needle : {"Report rate: 500 Hz", "button 3:  Multimedia (Vol+, usage 0xe9)",
                               "stage 2: on   level 4 = 1000 DPI", "Standard Mode, 100%", "2:#12ff00(on)",
                               "First-run flag: 0", "double-click speed 6"}) {
        EXPECT_NE(text.out.find(needle), std::string::npos) << needle << "\n" << text.out;
    }
    const CommandRun sensor = Kz7ctl("show --sensor 1 " + Path("a.bin"));
    EXPECT_NE(sensor.out.find("stage 2: on   level 4 = 1200 DPI"), std::string::npos) << sensor.out;

    const CommandRun json = testing_support::RunShell(testing_support::Kz7ctlCommand() + " show --json " + Path("a.bin"));
    ASSERT_EQ(json.status, 0) << json.out;
    const auto document = nlohmann::ordered_json::parse(json.out);
    EXPECT_EQ(document["reportRate"], 2);
    EXPECT_EQ(document["reportRateHz"], 500);
    EXPECT_EQ(document["firstRunFlag"], 0);
    EXPECT_EQ(document["currentMode"], 0);
    EXPECT_EQ(document["buttons"][0]["mediaCode"][2], 233);
    EXPECT_EQ(document["buttons"][0]["functionNames"][2], "Multimedia");
    EXPECT_EQ(document["loopColor"][0], "#ff0000");
    EXPECT_EQ(document["loopColor"][1], "#12ff00");
    EXPECT_EQ(document["macroImage"].size(), 12u);
    EXPECT_EQ(document["macroImage"][0].size(), 128u);
    EXPECT_EQ(document["dpiSwitchMode"][1].size(), 12u);
    // The keys in record order, as the document always listed them.
    std::vector<std::string> keys;
    for (const auto& item : document.items()) keys.push_back(item.key());
    const std::vector<std::string> expected = {
        "firstRunFlag", "buttons", "macroImage", "reserved1920", "reportRate", "reportRateHz", "reserved1926",
        "dpiLevel", "dpiStageOn", "reserved1939", "ledMode", "ledModeName", "ledModeParam", "ledModeParam2",
        "reserved1954", "enhancePointerPrecision", "scrollOneScreen", "pointerSpeed", "wheelScrollLines",
        "doubleClickSpeed", "currentMode", "dpiSwitchMode", "loopColorOn", "loopColor", "ledFlags", "ledExtra"};
    EXPECT_EQ(keys, expected);
}

TEST_F(Kz7ctlTest, BadFilesAndArgumentsFailClearly) {
    std::ofstream(dir_ / "short.bin", std::ios::binary) << std::string(2021, '\0');
    struct Case {
        std::string arguments;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {"show " + Path("short.bin"), 1, "not a config.bin (2021 bytes, expected 2022)"},
        {"matrices " + Path("short.bin"), 1, "not a config.bin"},
        {"show " + Path("missing.bin"), 1, "no such file"},
        {"show --sensor 9 " + Path("short.bin"), 1, "--sensor takes"},
        {"frobnicate", 2, "kz7ctl: The following argument was not expected: frobnicate"},
        {"show --bogus", 2, "kz7ctl: The following argument was not expected: --bogus"},
        {"show --data-dir", 2, "kz7ctl: --data-dir: 1 required DIR missing"},
    };
    for (const Case& c : cases) {
        const CommandRun run = Kz7ctl(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.out;
        EXPECT_NE(run.out.find(c.message), std::string::npos) << c.arguments << "\n" << run.out;
    }
}

TEST_F(Kz7ctlTest, TheDefaultDataFolderIsSeededFromTheInstalledConfig) {
    const CommandRun run = testing_support::RunShell("env -u XDG_CONFIG_HOME HOME=" + dir_.string() + " " +
                                                     testing_support::Kz7ctlCommand() + " show --json 2>&1");
    ASSERT_EQ(run.status, 0) << run.out;
    std::string image;
    ASSERT_TRUE(ReadWholeFile(dir_ / ".config" / "kz7" / "config.bin", image));
    EXPECT_EQ(image.size(), kConfigFileSize);
}

}  // namespace
}  // namespace kz7
