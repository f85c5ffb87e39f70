// kz7ctl set on a real data folder: what it saves, and that a refusal saves nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "config/atomic_file.h"
#include "config/config_file.h"
#include "keys/key_codes.h"
#include "macros/macro_store.h"
#include "skins/button_labels.h"
#include "support/run_command.h"

namespace kz7 {
namespace {

namespace fs = std::filesystem;
using testing_support::CommandRun;

class Kz7ctlSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kz7-set-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
        ASSERT_EQ(Run("init " + (dir_ / "config.bin").string()).status, 0);
    }
    void TearDown() override { fs::remove_all(dir_); }

    CommandRun Run(const std::string& arguments) const {
        return testing_support::RunShell("LANG=C LC_ALL= LC_MESSAGES= " + testing_support::Kz7ctlCommand() + " " +
                                         arguments + " 2>&1");
    }
    CommandRun Set(const std::string& arguments) const {
        return Run("set --data-dir " + dir_.string() + " " + arguments);
    }
    DeviceConfig Saved() const {
        auto image = ReadConfigImage(dir_ / "config.bin", nullptr);
        EXPECT_TRUE(image);
        EXPECT_EQ(image->firstRunFlag, 1);
        return image->config;
    }
    std::string Bytes(const char* name) const {
        std::string content;
        ReadWholeFile(dir_ / name, content);
        return content;
    }
    fs::path dir_;
};

TEST_F(Kz7ctlSetTest, ASequenceOfSettingsIsSavedWithItsLabels) {
    for (const char* line : {"button 2 combo 'Left Ctrl+C+V'", "--mode B button 5 dpi+", "button 3 fire A --speed 7 --times 0",
                             "rate 500", "dpi 2 --dpi 1600 --sensor 1", "lighting 'Respiration Mode' 6S",
                             "color 3 '#ff8000' --off", "dpi-led 2 rb", "pointer speed 11", "mode B"}) {
        const CommandRun run = Set(line);
        EXPECT_EQ(run.status, 0) << line << ": " << run.out;
    }
    const DeviceConfig c = Saved();
    EXPECT_EQ(c.buttons[0].function[1], kFnComboKey);
    EXPECT_EQ(c.buttons[0].comboKey2[1], KeyCodeFromName("V"));
    EXPECT_EQ(c.buttons[1].function[4], kFnDpiSwitch);
    EXPECT_EQ(c.dpiSwitchMode[1][4], 1);
    EXPECT_EQ(c.buttons[0].fireSpeed[2], 7);
    EXPECT_EQ(c.reportRate, 2);
    EXPECT_EQ(c.dpiLevel[1], 4);  // "1600" is the fifth level of sensor type 1
    EXPECT_EQ(c.ledMode, 2);
    EXPECT_EQ(c.loopColorOn[2], 0);
    EXPECT_EQ(c.loopColor[2][1], 0x80);
    EXPECT_TRUE(LedToggle(c, 1, 0) && !LedToggle(c, 1, 1) && LedToggle(c, 1, 2));
    EXPECT_EQ(c.pointerSpeed, 11);
    EXPECT_EQ(c.currentMode, 1);

    const ButtonLabels labels = LoadButtonLabels(dir_ / "str.ini", UiLanguage::English);
    EXPECT_EQ(labels.text[0][1], "Combo Key-Left Ctrl+C+V");
    EXPECT_EQ(labels.text[0][2], "Fire Key-A");
    EXPECT_EQ(labels.text[1][4], "DPI +");
    // A record never saved gets the default labels of the buttons it holds.
    EXPECT_EQ(labels.text[0][0], "Left Click");
    EXPECT_EQ(labels.text[1][5], "DPI Loop");
}

TEST_F(Kz7ctlSetTest, ARefusedValueSaysWhyAndWritesNothing) {
    ASSERT_EQ(Set("rate 250").status, 0);
    const std::string config = Bytes("config.bin");
    const std::string labels = Bytes("str.ini");
    struct Row {
        const char* line;
        const char* says;
    };
    const Row rows[] = {
        {"rate 300", "kz7ctl: the report rate is \"125\", \"250\", \"500\", \"1000\" Hz, not \"300\""},
        {"button 1 right", "kz7ctl: Left key must be selected!"},
        {"button 4 fire A --speed 4", "Speed (value range 5-255, with smaller values faster)"},
        {"button 4 macro Spray", "no macro \"Spray\" can be bound; record.ini holds none"},
        {"button 4 key A --repeat 2", "--repeat belongs to the macro key"},
        {"rate 500 --speed 5", "--speed does not belong to \"set rate\""},
        {"dpi 1 --on --off", "give --on or --off, not both"},
        {"dpi 1 --level 9 --sensor 3", "offers levels 1 to 8"},
        {"dpi 1 --level 2 --sensor 7", "--sensor takes a sensor type from 0 to 3"},
        {"button 2 --mode C right", "--mode takes A or B"},
        {"--lang fr mode B", "--lang takes en, chs or cht"},
        {"volume 3", "unknown setting \"volume\""},
        {"button 2", "usage: kz7ctl set button N FUNCTION [ARG]"},
    };
    for (const Row& row : rows) {
        const CommandRun run = Set(row.line);
        EXPECT_EQ(run.status, 1) << row.line;
        EXPECT_NE(run.out.find(row.says), std::string::npos) << row.line << ": " << run.out;
    }
    EXPECT_EQ(Bytes("config.bin"), config);
    EXPECT_EQ(Bytes("str.ini"), labels);
}

TEST_F(Kz7ctlSetTest, MacrosAreBoundByNameAndLabelsGoToTheChosenLanguage) {
    ASSERT_EQ(MacroStore(dir_ / "record.ini").Save("Spray", {"A   Dn", "50 ms", "A   Up", "50 ms"}), 0);
    ASSERT_EQ(MacroStore(dir_ / "record.ini").Save("Grenade", {"G   Dn", "50 ms", "G   Up", "50 ms"}), 0);
    const CommandRun run = Set("--lang chs button 6 macro grenade --repeat 2");
    ASSERT_EQ(run.status, 0) << run.out;
    const DeviceConfig c = Saved();
    EXPECT_EQ(c.buttons[0].macroIndex[5], 1);
    EXPECT_EQ(c.buttons[0].macroMode[5], 1);
    EXPECT_EQ(LoadButtonLabels(dir_ / "str.ini", UiLanguage::SimplifiedChinese).text[0][5], "宏-Grenade");
}

TEST_F(Kz7ctlSetTest, DpiLevelsNeedTheSensorTypeAndApplyReachesTheMouse) {
    // The simulated mouse answers the status exchange with its sensor type.
    CommandRun run = Set("--simulate --sim-sensor 2 dpi 3 --level 9");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("sensor type 2 offers levels 1 to 8"), std::string::npos) << run.out;
    run = Set("--simulate --apply --trace dpi 3 --level 8");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("set-feature"), std::string::npos);
    EXPECT_EQ(Saved().dpiLevel[2], 7);
}

}  // namespace
}  // namespace kz7
