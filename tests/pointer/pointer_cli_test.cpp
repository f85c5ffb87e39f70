// Runs the real kz7ctl pointer commands against a KDE Plasma configuration
// folder made here, so no real desktop setting is touched.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "pointer/pointer_record.h"
#include "config/atomic_file.h"
#include "config/config_file.h"
#include "ini/ini_file.h"
#include "support/run_command.h"

namespace kz7 {
namespace {

using testing_support::PointerRecord;

namespace fs = std::filesystem;

using testing_support::CommandRun;

class PointerCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kz7-pointer-cli-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_ / "xdg");
    }
    void TearDown() override { fs::remove_all(dir_); }

    CommandRun Kz7ctl(const std::string& arguments) const {
        const std::string command = "env -u DBUS_SESSION_BUS_ADDRESS XDG_CONFIG_HOME='" + (dir_ / "xdg").string() + "' GSETTINGS_BACKEND=memory " +
                                    KZ7_BINARY_DIR "/bin/kz7ctl " + arguments + " --data-dir '" + dir_.string() +
                                    "' 2>&1";
        return testing_support::RunShell(command);
    }
    void WriteConfig(const DeviceConfig& config, std::uint8_t flag) {
        const auto image = ConfigFileImage(flag, config);
        ASSERT_EQ(WriteFileAtomically(dir_ / "config.bin", image.data(), image.size()), 0);
    }
    std::optional<std::string> Kde(const char* file, const char* group, const char* key) const {
        return IniFile::Load(dir_ / "xdg" / file).Get(group, key);
    }

    fs::path dir_;
};

TEST_F(PointerCliTest, ApplyWritesTheStoredLevelsToTheDesktop) {
    WriteConfig(PointerRecord(1, 0, 11, 5, 11), 1);
    const CommandRun run = Kz7ctl("pointer apply --desktop kde");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(Kde("kdeglobals", "KDE", "WheelScrollLines"), "5");
    EXPECT_EQ(Kde("kdeglobals", "KDE", "DoubleClickInterval"), "200");
    EXPECT_EQ(Kde("kcminputrc", "Mouse", "PointerAcceleration"), "1");
    EXPECT_EQ(Kde("kcminputrc", "Mouse", "PointerAccelerationProfile"), "2");
}

TEST_F(PointerCliTest, AMissingSettingIsToldButIsNoFailure) {
    WriteConfig(PointerRecord(0, 1, 6, 0, 6), 1);
    const CommandRun run = Kz7ctl("pointer apply --desktop kde");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("Scrolling one screen per notch cannot be changed on KDE Plasma"), std::string::npos)
        << run.out;
    EXPECT_EQ(Kde("kdeglobals", "KDE", "WheelScrollLines"), std::nullopt);
    EXPECT_EQ(Kde("kdeglobals", "KDE", "DoubleClickInterval"), "550");
}

TEST_F(PointerCliTest, DefaultsResetTheDesktopAndTheRecordButKeepTheFlag) {
    WriteConfig(PointerRecord(1, 1, 2, 0, 11), 0);
    const CommandRun run = Kz7ctl("pointer defaults --desktop kde");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(Kde("kdeglobals", "KDE", "WheelScrollLines"), "3");
    EXPECT_EQ(Kde("kdeglobals", "KDE", "DoubleClickInterval"), "500");
    EXPECT_EQ(Kde("kcminputrc", "Mouse", "PointerAcceleration"), "0");
    EXPECT_EQ(Kde("kcminputrc", "Mouse", "PointerAccelerationProfile"), "1");
    std::string why;
    const auto image = ReadConfigImage(dir_ / "config.bin", &why);
    ASSERT_TRUE(image) << why;
    EXPECT_EQ(image->firstRunFlag, 0);
    EXPECT_EQ(image->config.enhancePointerPrecision, 0);
    EXPECT_EQ(image->config.scrollOneScreen, 0);
    EXPECT_EQ(image->config.pointerSpeed, 6);
    EXPECT_EQ(image->config.wheelScrollLines, 3);
    EXPECT_EQ(image->config.doubleClickSpeed, 6);
}

TEST_F(PointerCliTest, ShowGivesTheDesktopValuesAsLevels) {
    WriteConfig(PointerRecord(0, 0, 6, 3, 6), 1);
    fs::create_directories(dir_ / "xdg");
    ASSERT_EQ(WriteFileAtomically(dir_ / "xdg" / "kdeglobals", "[KDE]\nWheelScrollLines=40\nDoubleClickInterval=1500\n"), 0);
    const CommandRun run = Kz7ctl("pointer show --desktop kde");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("wheel scroll lines: 40 (level 11)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("double-click time: 1500 ms (level 1)"), std::string::npos) << run.out;
}

TEST_F(PointerCliTest, RefusesAnUnknownDesktopAndAMissingRecord) {
    WriteConfig(PointerRecord(0, 0, 6, 3, 6), 1);
    EXPECT_EQ(Kz7ctl("pointer show --desktop windows").status, 1);
    EXPECT_EQ(Kz7ctl("pointer apply --desktop none " + (dir_ / "missing.bin").string()).status, 1);
}

}  // namespace
}  // namespace kz7
