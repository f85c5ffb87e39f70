// Runs the real kz7ctl pointer commands against a KDE Plasma configuration
// folder made here, so no real desktop setting is touched.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

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

    // Runs kz7ctl with its output and errors together, or redirected as `redirect` says.
    CommandRun Kz7ctl(const std::string& arguments, const std::string& redirect = " 2>&1") const {
        // An X11 session whose mice cannot be reached: KDE's speed and precision go to kcminputrc only.
        const std::string command = "env -u DBUS_SESSION_BUS_ADDRESS -u WAYLAND_DISPLAY -u DISPLAY XDG_SESSION_TYPE=x11 "
                                    "XDG_CONFIG_HOME='" + (dir_ / "xdg").string() +
                                    "' GSETTINGS_BACKEND=memory PATH='" + (dir_ / "bin").string() + ":" +
                                    std::getenv("PATH") + "' " KZ7_BINARY_DIR "/bin/kz7ctl " + arguments +
                                    " --data-dir '" + dir_.string() + "'" + redirect;
        return testing_support::RunShell(command);
    }
    // A stand-in for a desktop tool, first on kz7ctl's PATH.
    void FakeTool(const std::string& name, const std::string& script) {
        fs::create_directories(dir_ / "bin");
        ASSERT_EQ(WriteFileAtomically(dir_ / "bin" / name, "#!/bin/sh\n" + script), 0);
        fs::permissions(dir_ / "bin" / name, fs::perms::owner_all);
    }
    std::string ReadFile(const std::string& name) const {
        std::ifstream in(dir_ / name);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
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
    EXPECT_EQ(Kde("kcminputrc", "Mouse", "XLbInptPointerAcceleration"), "1");
    EXPECT_EQ(Kde("kcminputrc", "Mouse", "XLbInptAccelProfileFlat"), "false");
}

TEST_F(PointerCliTest, AMissingSettingIsToldOnceButIsNoFailure) {
    WriteConfig(PointerRecord(0, 1, 6, 0, 6), 1);
    const CommandRun run = Kz7ctl("pointer apply --desktop kde", " 2>&1 >/dev/null");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out, "Info: Scroll one screen cannot be changed on KDE Plasma; kz7 keeps it in its configuration "
                       "only. On X11, mouse speed and pointer precision change at once where xinput is installed, "
                       "otherwise at the next login.\n");
    EXPECT_EQ(Kde("kdeglobals", "KDE", "WheelScrollLines"), std::nullopt);
    EXPECT_EQ(Kde("kdeglobals", "KDE", "DoubleClickInterval"), "550");
}

TEST_F(PointerCliTest, DefaultsResetTheDesktopAndTheRecordButKeepTheFlag) {
    WriteConfig(PointerRecord(1, 1, 2, 0, 11), 0);
    const CommandRun run = Kz7ctl("pointer defaults --desktop kde");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(Kde("kdeglobals", "KDE", "WheelScrollLines"), "3");
    EXPECT_EQ(Kde("kdeglobals", "KDE", "DoubleClickInterval"), "500");
    EXPECT_EQ(Kde("kcminputrc", "Mouse", "XLbInptPointerAcceleration"), "0");
    EXPECT_EQ(Kde("kcminputrc", "Mouse", "XLbInptAccelProfileFlat"), "true");
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

TEST_F(PointerCliTest, SwayGetsItsSettingsThroughSwaymsgAndTheRestIsToldOnce) {
    // Logs each command line and answers as sway does.
    FakeTool("swaymsg", "echo \"$*\" >> '" + (dir_ / "swaymsg.log").string() +
                            "'\n"
                            "case \"$*\" in\n"
                            "  *get_inputs*) echo '[{\"type\": \"pointer\", \"libinput\": "
                            "{\"accel_speed\": 0.5, \"accel_profile\": \"flat\"}}]' ;;\n"
                            "  *) echo '[ { \"success\": true } ]' ;;\n"
                            "esac\n");
    WriteConfig(PointerRecord(1, 0, 3, 5, 11), 1);
    const CommandRun apply = Kz7ctl("pointer apply --desktop sway", " 2>&1 >/dev/null");
    EXPECT_EQ(apply.status, 0) << apply.out;
    EXPECT_EQ(apply.out,
              "Info: Scrolling speed, scroll one screen and double-click speed cannot be changed on sway; kz7 keeps "
              "them in its configuration only. Mouse speed and pointer precision set by kz7 last until sway "
              "restarts; put them in sway's config to keep them.\n");
    EXPECT_EQ(ReadFile("swaymsg.log"), "--raw -- input type:pointer accel_profile adaptive\n"
                                       "--raw -- input type:pointer pointer_accel -0.667\n");

    const CommandRun show = Kz7ctl("pointer show --desktop sway");
    EXPECT_EQ(show.status, 0) << show.out;
    EXPECT_NE(show.out.find("pointer speed: 15 of 20 (level 8)"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("enhance pointer precision: off"), std::string::npos) << show.out;
}

TEST_F(PointerCliTest, AFailingSwaymsgFailsTheApplyWithTheUsualMessages) {
    FakeTool("swaymsg", "echo 'Error: unable to connect to sway' >&2\nexit 1\n");
    WriteConfig(PointerRecord(1, 0, 6, 3, 6), 1);
    const CommandRun run = Kz7ctl("pointer apply --desktop sway", " 2>&1 >/dev/null");
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("Warning: SETMOUSE failed.\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Warning: SETMOUSESPEED failed.\n"), std::string::npos) << run.out;
}

TEST_F(PointerCliTest, RefusesAnUnknownDesktopAndAMissingRecord) {
    WriteConfig(PointerRecord(0, 0, 6, 3, 6), 1);
    EXPECT_EQ(Kz7ctl("pointer show --desktop windows").status, 1);
    EXPECT_EQ(Kz7ctl("pointer apply --desktop none " + (dir_ / "missing.bin").string()).status, 1);
}

}  // namespace
}  // namespace kz7
