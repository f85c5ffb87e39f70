// Settings changed from outside the window go through the pages' rules.
#include <gtest/gtest.h>

#include <functional>

#include "config/starter_config.h"
#include "config/record_labels.h"
#include "keys/key_codes.h"
#include "profile/setting_edits.h"

namespace kz7 {
namespace {

class SettingEditsTest : public ::testing::Test {
protected:
    SettingEditsTest() {
        model.config = StarterConfig();
        SetDefaultLabels(labels, UiLanguage::English);
    }
    // The function request "FUNCTION [ARG]" for button N of the current mode.
    std::string Button(const char* button, const char* function, std::optional<std::string> argument = std::nullopt,
                       std::optional<int> mode = std::nullopt) {
        FunctionRequest request{function, std::move(argument), speed, times, repeat};
        return SetButtonFunction(target, mode, button, request);
    }
    const ButtonSet& ModeA() const { return model.config.buttons[0]; }
    const std::string& Label(int mode, int slot) const { return labels.text[mode][slot]; }

    ConfigModel model;
    ButtonLabels labels;
    SettingTarget target{model, labels, UiLanguage::English, 0, {"Spray", "Grenade"}};
    std::optional<std::string> speed, times, repeat;
};

TEST_F(SettingEditsTest, EachFunctionStoresItsParametersAndItsLabel) {
    struct Row {
        const char* button;
        const char* function;
        std::optional<std::string> argument;
        int code;
        const char* label;
    };
    const Row rows[] = {
        {"2", "combo", "Left Ctrl+C+V", kFnComboKey, "Combo Key-Left Ctrl+C+V"},
        {"3", "Triple-click", std::nullopt, kFnTripleClick, "Triple-click"},
        {"4", "media", "Vol-", kFnMultimedia, "Multimedia-Vol-"},
        {"4", "Multimedia", "音量+", kFnMultimedia, "Multimedia-Vol+"},
        {"5", "launch", "Calculator", kFnLaunch, "Calculator"},
        {"6", "key", "right ctrl", kFnSingleKey, "Single Key-Right Ctrl"},
        {"6", "DPI -", std::nullopt, kFnDpiSwitch, "DPI -"},
        {"6", "DPI Switch", "loop", kFnDpiSwitch, "DPI Loop"},
        {"2", "off", std::nullopt, kFnKeyOff, "Key Off"},
        {"3", "rgb", std::nullopt, kFnRgbOnOff, "RGB On/Off"},
        {"5", "macro", "grenade", kFnMacroKey, "Macro Key-Grenade"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.function) + " " + row.argument.value_or(""));
        ASSERT_EQ(Button(row.button, row.function, row.argument), "");
        const int slot = row.button[0] - '1';
        EXPECT_EQ(ModeA().function[slot], row.code);
        EXPECT_EQ(Label(0, slot), row.label);
    }
    EXPECT_EQ(ModeA().mediaCode[3], MediaCodeFromRow(5));  // "Vol+" is the list's sixth row
    EXPECT_EQ(ModeA().singleCode[5], KeyCodeFromName("Right Ctrl"));
    EXPECT_EQ(model.config.dpiSwitchMode[0][5], 3);
    EXPECT_EQ(ModeA().macroIndex[4], 1);
    EXPECT_EQ(ModeA().macroMode[4], 0);  // repeat mode 1
}

TEST_F(SettingEditsTest, ComboKeysAreParsedAgainstTheTables) {
    ASSERT_EQ(Button("2", "Combo Key", "Left Ctrl+Num +"), "");
    EXPECT_EQ(ModeA().comboModifiers[1], ModifierBitFromName("Left Ctrl"));
    EXPECT_EQ(ModeA().comboKey1[1], KeyCodeFromName("Num +"));
    EXPECT_EQ(ModeA().comboKey2[1], 0);
    EXPECT_EQ(Label(0, 1), "Combo Key-Left Ctrl+Num +");
    ASSERT_EQ(Button("2", "combo", "C+V"), "");
    EXPECT_EQ(ModeA().comboModifiers[1], 0);
    EXPECT_EQ(Label(0, 1), "Combo Key-C+V");
}

TEST_F(SettingEditsTest, FireKeyTakesTheDialogsRangesAndStartsFromItsInitialValues) {
    ASSERT_EQ(Button("3", "fire", "A"), "");
    EXPECT_EQ(ModeA().fireSpeed[2], 32);
    EXPECT_EQ(ModeA().fireTimes[2], 1);
    speed = "5";
    times = "0";
    ASSERT_EQ(Button("3", "Fire Key", "B"), "");
    EXPECT_EQ(ModeA().fireSpeed[2], 5);
    EXPECT_EQ(ModeA().fireTimes[2], 0);
    EXPECT_EQ(Label(0, 2), "Fire Key-B");
}

TEST_F(SettingEditsTest, RefusedRequestsSayWhyAndChangeNothing) {
    struct Row {
        const char* button;
        const char* function;
        std::optional<std::string> argument;
        std::optional<std::string> speed, times, repeat;
        const char* says;
    };
    const Row rows[] = {
        {"7", "right", {}, {}, {}, {}, "button \"7\" does not exist: it is 1 to 6"},
        {"0", "right", {}, {}, {}, {}, "1 to 6"},
        {"2", "jump", {}, {}, {}, {}, "unknown function \"jump\"; the functions are \"Left Click\""},
        {"2", "key", {}, {}, {}, {}, "Single Key needs a key name"},
        {"2", "right", "A", {}, {}, {}, "Right Click takes no argument"},
        {"2", "key", "Hyper", {}, {}, {}, "unknown key \"Hyper\"; the keys are"},
        {"2", "fire", "A", "4", {}, {}, "Speed (value range 5-255, with smaller values faster)"},
        {"2", "fire", "A", "x5", {}, {}, "--speed x5 is refused"},
        {"2", "fire", "A", {}, "256", {}, "Times (value range 0-255"},
        {"2", "fire", "F13", {}, {}, {}, "is not in the fire key list"},
        {"2", "key", "A", "9", {}, {}, "--speed and --times belong to the fire key"},
        {"2", "media", "Louder", {}, {}, {}, "\"Louder\" is not in the Multimedia list; it holds \"Next\""},
        {"2", "macro", "Nope", {}, {}, {}, "no macro \"Nope\" can be bound; the macros with a block are \"Spray\", \"Grenade\""},
        {"2", "macro", "Spray", {}, {}, "4", "--repeat takes 1, 2 or 3"},
        {"2", "combo", "Left Ctrl+Left Alt+C", {}, {}, {}, "one modifier, first"},
        {"2", "combo", "A+B+C", {}, {}, {}, "up to two keys"},
        {"2", "combo", "Hyper+C", {}, {}, {}, "unknown key \"Hyper\" in \"Hyper+C\""},
        {"2", "DPI Switch", "sideways", {}, {}, {}, "not a DPI switch direction"},
        {"1", "right", {}, {}, {}, {}, "Left key must be selected!"},
    };
    const DeviceConfig before = model.config;
    const ButtonLabels labelsBefore = labels;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.button) + " " + row.function);
        speed = row.speed;
        times = row.times;
        repeat = row.repeat;
        const std::string problem = Button(row.button, row.function, row.argument);
        EXPECT_NE(problem.find(row.says), std::string::npos) << problem;
        EXPECT_TRUE(SameBytes(model.config, before));
        EXPECT_EQ(labels, labelsBefore);
    }
}

TEST_F(SettingEditsTest, TheOnlyLeftClickMovesOnlyOnceAnotherButtonHasOne) {
    EXPECT_EQ(Button("1", "left"), "");  // already what was asked
    ASSERT_EQ(Button("2", "Left Click"), "");
    EXPECT_EQ(Button("1", "right"), "");
    EXPECT_EQ(ModeA().function[0], kFnRightClick);
    EXPECT_EQ(Button("2", "middle"), "Left key must be selected!");
}

TEST_F(SettingEditsTest, ModeOptionEditsThatSetAndKeepsTheCurrentMode) {
    ASSERT_EQ(Button("4", "rgb", std::nullopt, 1), "");
    EXPECT_EQ(model.config.currentMode, 0);
    EXPECT_EQ(model.config.buttons[1].function[3], kFnRgbOnOff);
    EXPECT_EQ(ModeA().function[3], kFnForward);
    EXPECT_EQ(Label(1, 3), "RGB On/Off");
}

TEST_F(SettingEditsTest, AKeySwitchedOffGetsItsNextFunctionInBothModes) {
    ASSERT_EQ(Button("3", "off"), "");
    EXPECT_EQ(model.config.buttons[1].function[2], kFnMidClick);  // off in one mode only
    ASSERT_EQ(Button("3", "key", "Tab"), "");
    EXPECT_EQ(model.config.buttons[1].function[2], kFnSingleKey);
    EXPECT_EQ(Label(1, 2), "Single Key-Tab");
}

TEST_F(SettingEditsTest, TheOtherSettingsAndTheirRefusals) {
    struct Row {
        const char* what;
        std::function<std::string(SettingTarget&)> edit;
        const char* says;  // "" for done
    };
    const Row rows[] = {
        {"rate 1000", [](SettingTarget& t) { return SetReportRateHz(t, "1000"); }, ""},
        {"rate 300", [](SettingTarget& t) { return SetReportRateHz(t, "300"); }, "\"125\", \"250\", \"500\", \"1000\" Hz"},
        {"dpi 2 --dpi 1000", [](SettingTarget& t) { return SetDpiStage(t, {"2", {}, "1000", {}}); }, ""},
        {"dpi 2 --level 12", [](SettingTarget& t) { return SetDpiStage(t, {"2", "12", {}, false}); }, ""},
        {"dpi 5 --level 1", [](SettingTarget& t) { return SetDpiStage(t, {"5", "1", {}, {}}); }, "DPI stage \"5\" does not exist"},
        {"dpi 1 --level 13", [](SettingTarget& t) { return SetDpiStage(t, {"1", "13", {}, {}}); }, "offers levels 1 to 12"},
        {"dpi 1 --dpi 1600", [](SettingTarget& t) { return SetDpiStage(t, {"1", {}, "1600", {}}); }, "offers \"250\", \"500\""},
        {"dpi 1", [](SettingTarget& t) { return SetDpiStage(t, {"1", {}, {}, {}}); }, "give --level, --dpi, --on or --off"},
        {"lighting Neon 15S", [](SettingTarget& t) { return SetLighting(t, "Neon Mode", "15S"); }, ""},
        {"lighting Off Mode", [](SettingTarget& t) { return SetLighting(t, "Off Mode", {}); }, "the lighting modes are \"Standard Mode\""},
        {"lighting Standard 6S", [](SettingTarget& t) { return SetLighting(t, "Standard Mode", "6S"); }, "Standard Mode takes \"5%\""},
        {"color 3 #00ff80", [](SettingTarget& t) { return SetLoopColour(t, "3", "#00ff80", false); }, ""},
        {"color 3 #00ff8", [](SettingTarget& t) { return SetLoopColour(t, "3", "#00ff8", {}); }, "#rrggbb"},
        {"color 9 --on", [](SettingTarget& t) { return SetLoopColour(t, "9", {}, true); }, "loop colour \"9\" does not exist"},
        {"dpi-led 3 gb", [](SettingTarget& t) { return SetDpiLeds(t, "3", "gb"); }, ""},
        {"dpi-led 3 rr", [](SettingTarget& t) { return SetDpiLeds(t, "3", "rr"); }, "each once"},
        {"mode B", [](SettingTarget& t) { return SetCurrentMode(t, "B"); }, ""},
        {"mode C", [](SettingTarget& t) { return SetCurrentMode(t, "C"); }, "A or B"},
        {"pointer speed 11", [](SettingTarget& t) { return SetPointer(t, "speed", "11"); }, ""},
        {"pointer wheel 12", [](SettingTarget& t) { return SetPointer(t, "wheel", "12"); }, "1 to 11"},
        {"pointer one-screen on", [](SettingTarget& t) { return SetPointer(t, "one-screen", "on"); }, ""},
        {"pointer precision yes", [](SettingTarget& t) { return SetPointer(t, "precision", "yes"); }, "on or off"},
        {"pointer size 3", [](SettingTarget& t) { return SetPointer(t, "size", "3"); }, "the pointer settings are"},
        {"defaults sound", [](SettingTarget& t) { return RestoreDefaults(t, "sound"); }, "\"buttons\" or \"pointer\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const DeviceConfig before = model.config;
        const std::string problem = row.edit(target);
        if (*row.says == '\0') {
            EXPECT_EQ(problem, "");
        } else {
            EXPECT_NE(problem.find(row.says), std::string::npos) << problem;
            EXPECT_TRUE(SameBytes(model.config, before));
        }
    }
    const DeviceConfig& c = model.config;
    EXPECT_EQ(c.reportRate, 1);
    EXPECT_EQ(c.dpiLevel[1], 11);
    EXPECT_EQ(c.dpiStageOn[1], 0);
    EXPECT_EQ(c.ledMode, 3);
    EXPECT_EQ(LedParamLabel(3, c.ledModeParam[2]), "15S");
    EXPECT_EQ(c.loopColor[2][1], 0xff);
    EXPECT_EQ(c.loopColor[2][2], 0x80);
    EXPECT_EQ(c.loopColorOn[2], 0);
    EXPECT_FALSE(LedToggle(c, 2, 0));
    EXPECT_TRUE(LedToggle(c, 2, 1));
    EXPECT_TRUE(LedToggle(c, 2, 2));
    EXPECT_EQ(c.currentMode, 1);
    EXPECT_EQ(c.pointerSpeed, 11);
    EXPECT_EQ(c.scrollOneScreen, 1);
}

TEST_F(SettingEditsTest, TheLastEnabledDpiStageStaysOn) {
    for (const char* stage : {"1", "2", "3"}) ASSERT_EQ(SetDpiStage(target, {stage, {}, {}, false}), "");
    EXPECT_EQ(SetDpiStage(target, {"4", {}, {}, false}), "DPI stage 4 stays on: the mouse needs one enabled stage");
    EXPECT_EQ(model.config.dpiStageOn[3], 1);
    // A level given with the refused --off is not kept either.
    EXPECT_NE(SetDpiStage(target, {"4", "2", {}, false}), "");
    EXPECT_EQ(model.config.dpiLevel[3], StarterConfig().dpiLevel[3]);
}

TEST_F(SettingEditsTest, SensorsWithEightLevelsRefuseTheUpperFour) {
    target.sensorType = 1;
    EXPECT_NE(SetDpiStage(target, {"1", "9", {}, {}}).find("offers levels 1 to 8"), std::string::npos);
    EXPECT_EQ(SetDpiStage(target, {"1", "8", {}, {}}), "");
}

TEST_F(SettingEditsTest, LoopColoursAreChosenOnlyWhileTheFirstIsOn) {
    ASSERT_EQ(SetLoopColour(target, "1", {}, false), "");
    EXPECT_NE(SetLoopColour(target, "4", "#123456", {}).find("only while loop colour 1 is on"), std::string::npos);
    EXPECT_EQ(SetLoopColour(target, "1", "#010203", true), "");  // on first, then chosen
    EXPECT_EQ(model.config.loopColor[0][2], 3);
}

TEST_F(SettingEditsTest, DefaultButtonsBringBackTheirLabels) {
    ASSERT_EQ(Button("2", "key", "Tab"), "");
    ASSERT_EQ(RestoreDefaults(target, "buttons"), "");
    EXPECT_EQ(ModeA().function[1], kFnRightClick);
    EXPECT_EQ(Label(0, 1), "Right Click");
}

}  // namespace
}  // namespace kz7
