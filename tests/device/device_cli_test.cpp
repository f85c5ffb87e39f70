// Runs the real kz7ctl's device commands against the simulated mouse.
#include <gtest/gtest.h>

#include "support/run_command.h"

#include <cstdio>
#include <sys/wait.h>

#include "config/atomic_file.h"
#include "config/config_file.h"
#include "config/starter_config.h"
#include "device/command_frame.h"
#include "device/dpi_tables.h"
#include "device/hex_format.h"
#include "link_fixture.h"

namespace kz7 {
namespace {

using testing::TempFolder;

using testing_support::CommandRun;

CommandRun Kz7ctl(const std::string& arguments) {
    return testing_support::RunShell(testing_support::Kz7ctlCommand() + " " + arguments + " 2>&1");
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class DeviceCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_.WriteConfigBin(0, StarterConfig());
    }
    std::string DataDir() const { return " --data-dir " + folder_.path().string(); }
    TempFolder folder_;
};

TEST_F(DeviceCommandsTest, ApplyWritesTheMouseAndSavesWithFlagOne) {
    const auto run = Kz7ctl("apply --simulate --trace --key 0a0b0c0d0e0f" + DataDir());
    ASSERT_EQ(run.status, 0) << run.out;
    CommandHeader rate = MakeHeader(0x01, StarterConfig().reportRate);
    Scramble(rate, MakeScrambleKey({0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f}));
    EXPECT_TRUE(Contains(run.out, "set-feature: " + HexBytes(rate) + "\n")) << run.out;
    std::string saved;
    ASSERT_TRUE(ReadWholeFile(folder_.path() / "config.bin", saved));
    const auto expected = ConfigFileImage(1, StarterConfig());
    EXPECT_EQ(saved, std::string(expected.begin(), expected.end()));
    EXPECT_TRUE(std::filesystem::exists(folder_.path() / "str.ini"));
}

TEST_F(DeviceCommandsTest, TheKeyFileOfTheDataFolderIsUsed) {
    ASSERT_EQ(WriteFileAtomically(folder_.path() / "scramble.key", std::string_view("01:02:03:04:05:06\n")), 0);
    auto run = Kz7ctl("status --simulate --trace" + DataDir());
    ASSERT_EQ(run.status, 0) << run.out;
    CommandHeader probe = MakeHeader(0, 0xAA, 0xDD, 0x3B, 0x62);
    Scramble(probe, MakeScrambleKey({1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(Contains(run.out, "set-feature: " + HexBytes(probe))) << run.out;
    // A mouse with another key refuses the link.
    run = Kz7ctl("status --simulate --sim-key 010203040507" + DataDir());
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(Contains(run.out, "the mouse did not accept the handshake: check the scramble key")) << run.out;
}

TEST_F(DeviceCommandsTest, StatusShowsTheSensorAndItsDpiLabels) {
    const auto run = Kz7ctl("status --simulate --sim-sensor 1" + DataDir());
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(Contains(run.out, "status bytes: 01 01 00 00 (written back as 01 01 00 40)")) << run.out;
    EXPECT_TRUE(Contains(run.out, "sensor type: 1\n"));
    EXPECT_TRUE(Contains(run.out, "DPI levels: 600, 800, 1000, 1200, 1600, 2000, 2400, 3200\n"));
}

TEST_F(DeviceCommandsTest, ListNamesBothCollections) {
    const auto run = Kz7ctl("list --simulate" + DataDir());
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(Contains(run.out, "command collection ff00/ff00  /dev/kz7-sim/command  feature 9, input 33, output 33"));
    EXPECT_TRUE(Contains(run.out, "event collection ff01/ff01  /dev/kz7-sim/event  feature 0, input 33, output 0"));
}

TEST_F(DeviceCommandsTest, EveryDeviceCommandFailsOnARefusedMouse) {
    for (const char* command : {"list", "status", "apply", "listen"}) {
        const auto run = Kz7ctl(std::string(command) + " --simulate --sim-plain" + DataDir());
        EXPECT_NE(run.status, 0) << command;
        EXPECT_TRUE(Contains(run.out, "the mouse did not accept the handshake: check the scramble key")) << run.out;
    }
}

TEST_F(DeviceCommandsTest, BadOptionsAreRefused) {
    EXPECT_NE(Kz7ctl("status --simulate --key 0102" + DataDir()).status, 0);
    EXPECT_NE(Kz7ctl("status --simulate --sim-sensor 4" + DataDir()).status, 0);
    ASSERT_EQ(WriteFileAtomically(folder_.path() / "scramble.key", std::string_view("not a key")), 0);
    const auto run = Kz7ctl("status --simulate" + DataDir());
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(Contains(run.out, "scramble.key must hold twelve hex digits")) << run.out;
}

TEST_F(DeviceCommandsTest, ListenPrintsTheScriptedEventsInWords) {
    const auto run = Kz7ctl("listen --simulate --sim-events" + DataDir());
    ASSERT_EQ(run.status, 0) << run.out;
    // The starter record's second stage level, on sensor type 0.
    EXPECT_TRUE(Contains(run.out,
                         "report rate 500 Hz\nDPI stage 2 (" +
                             std::string(DpiLabelFor(0, StarterConfig().dpiLevel[1])) +
                             " DPI)\nkey matrix 2\nmacro key 3\n"))
        << run.out;
}

}  // namespace
}  // namespace kz7
