#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "config/starter_config.h"
#include "keys/button_function_menu.h"
#include "pages/dialog_runner.h"

namespace kz7 {
namespace {

// The menu over a starter record in Mode A, its labels the first-run ones.
class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.config = StarterConfig();
        model.config.currentMode = 0;
        SetDefaultLabels(labels, UiLanguage::English);
        model.Subscribe([this](ConfigPart part) { changes.push_back(part); });
    }
    DeviceConfig& c() { return model.config; }
    ButtonSet& setA() { return c().buttons[0]; }
    ButtonSet& setB() { return c().buttons[1]; }
    // Opens slot's list and clicks row.
    void Choose(int slot, int row) {
        ASSERT_TRUE(menu.OpenFunctionList(slot, prompter));
        menu.ChooseFunction(slot, row, dialogs);
    }

    ConfigModel model;
    ButtonLabels labels;
    ButtonFunctionMenu menu{model, labels, UiLanguage::English};
    RecordingPrompter prompter;
    ScriptedDialogRunner dialogs;
    std::vector<ConfigPart> changes;
};

TEST_F(MenuTest, TheOnlyLeftClickOfAModeKeepsItsListShut) {
    std::fill(std::begin(setA().function), std::end(setA().function), std::uint8_t{kFnKeyOff});
    setA().function[0] = kFnLeftClick;
    EXPECT_FALSE(menu.OpenFunctionList(0, prompter));
    EXPECT_EQ(prompter.messages,
              (std::vector<RecordingPrompter::Message>{{"Left key must be selected!", "Warning"}}));
    EXPECT_FALSE(menu.OpenSlot());
    EXPECT_TRUE(menu.OpenFunctionList(1, prompter));  // another button's list opens
    menu.ChooseFunction(1, kFnLeftClick, dialogs);
    EXPECT_TRUE(menu.OpenFunctionList(0, prompter));  // now slot 1 may change
    EXPECT_EQ(prompter.messages.size(), 1u);

    // Slots past the page count hold left clicks too; Mode B has its own rule.
    setA().function[1] = kFnKeyOff;
    setA().function[11] = kFnLeftClick;
    menu.CloseFunctionList();
    EXPECT_FALSE(menu.LeftClickMustStay(0));
    setA().function[11] = kFnKeyOff;
    EXPECT_TRUE(menu.LeftClickMustStay(0));
    c().currentMode = 1;
    std::fill(std::begin(setB().function), std::end(setB().function), std::uint8_t{kFnRightClick});
    EXPECT_FALSE(menu.LeftClickMustStay(0));
}

TEST_F(MenuTest, OneListOpensAtATimeAndASecondClickShutsIt) {
    EXPECT_TRUE(menu.OpenFunctionList(4, prompter));
    EXPECT_TRUE(menu.OpenFunctionList(2, prompter));  // list 5 closes first
    EXPECT_EQ(menu.OpenSlot(), 2);
    EXPECT_FALSE(menu.OpenFunctionList(2, prompter));
    EXPECT_FALSE(menu.OpenSlot());
    EXPECT_FALSE(menu.OpenFunctionList(6, prompter));  // no box
}

TEST_F(MenuTest, TheDpiSubMenuShowsBesideRowSixOnly) {
    ASSERT_TRUE(menu.OpenFunctionList(2, prompter));
    menu.TrackFunctionList(2, 5);
    EXPECT_FALSE(menu.SubMenuShown());
    menu.TrackFunctionList(2, kDpiSwitchRow);
    EXPECT_TRUE(menu.SubMenuShown());
    EXPECT_EQ(menu.SelectedRow(), kDpiSwitchRow);
    menu.ChooseFunction(2, kDpiSwitchRow, dialogs);  // the row itself does nothing
    EXPECT_EQ(menu.OpenSlot(), 2);
    menu.TrackFunctionList(2, 7);
    EXPECT_FALSE(menu.SubMenuShown());
    menu.TrackFunctionList(2, kDpiSwitchRow);

    c().dpiSwitchMode[0][2] = 0;
    menu.ChooseDpiMode(1);  // "DPI -"
    EXPECT_EQ(setA().function[2], kFnDpiSwitch);
    EXPECT_EQ(c().dpiSwitchMode[0][2], 2);
    EXPECT_EQ(c().dpiSwitchMode[1][2], 0);
    EXPECT_EQ(labels.text[0][2], "DPI -");
    EXPECT_FALSE(menu.OpenSlot());
    EXPECT_FALSE(menu.SubMenuShown());
    menu.ChooseDpiMode(0);  // no list open: nothing
    EXPECT_EQ(c().dpiSwitchMode[0][2], 2);
}

TEST_F(MenuTest, TheDpiSubMenuIgnoresTheKeyOffRule) {
    setA().function[3] = kFnKeyOff;
    setB().function[3] = kFnKeyOff;
    labels.text[1][3] = "Key Off";
    ASSERT_TRUE(menu.OpenFunctionList(3, prompter));
    menu.ChooseDpiMode(2);
    EXPECT_EQ(setA().function[3], kFnDpiSwitch);
    EXPECT_EQ(setB().function[3], kFnKeyOff);
    EXPECT_EQ(labels.text[0][3], "DPI Loop");
    EXPECT_EQ(labels.text[1][3], "Key Off");
}

TEST_F(MenuTest, ARowWithoutADialogIsStoredWithItsText) {
    const struct {
        int row;
        const char* label;
    } cases[] = {{0, "Left Click"}, {1, "Right Click"}, {2, "Mid Click"}, {3, "Forward"},
                 {4, "Backward"},   {5, "Triple-click"}, {7, "RGB On/Off"}, {14, "Key Off"}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        Choose(3, row.row);
        EXPECT_EQ(setA().function[3], row.row);
        EXPECT_EQ(labels.text[0][3], row.label);
        EXPECT_FALSE(menu.OpenSlot());
    }
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(MenuTest, EachDialogsAnswerGoesToItsFieldsAndLabel) {
    dialogs.launchKeys.push_back(ListChoice{10, "Browser-My Favorites"});
    Choose(1, kFnLaunch);
    EXPECT_EQ(setA().launchIndex[1], 10);
    EXPECT_EQ(setA().launchCode[1], 0x2A);
    EXPECT_EQ(setA().launchPage[1], 2);
    EXPECT_EQ(labels.text[0][1], "Browser-My Favorites");

    dialogs.mediaKeys.push_back(ListChoice{6, "Vol-"});
    Choose(1, kFnMultimedia);
    EXPECT_EQ(setA().mediaIndex[1], 6);
    EXPECT_EQ(setA().mediaCode[1], 0xEA);
    EXPECT_EQ(labels.text[0][1], "Multimedia-Vol-");

    dialogs.fireKeys.push_back(FireKeyChoice{39, "R-CTRL", 5, 0});
    Choose(1, kFnFireKey);
    EXPECT_EQ(setA().fireIndex[1], 39);
    EXPECT_EQ(setA().fireCode[1], 0xE4);
    EXPECT_EQ(setA().fireSpeed[1], 5);
    EXPECT_EQ(setA().fireTimes[1], 0);
    EXPECT_EQ(labels.text[0][1], "Fire Key-R-CTRL");

    dialogs.singleKeys.push_back(SingleKeyChoice{"Enter"});
    Choose(1, kFnSingleKey);
    EXPECT_EQ(setA().singleCode[1], 0x28);
    EXPECT_EQ(labels.text[0][1], "Single Key-Enter");

    // A name the key table does not know is stored as 0 but still shown.
    dialogs.singleKeys.push_back(SingleKeyChoice{"\\"});
    Choose(1, kFnSingleKey);
    EXPECT_EQ(setA().singleCode[1], 0);
    EXPECT_EQ(labels.text[0][1], "Single Key-\\");

    dialogs.comboKeys.push_back(ComboKeyChoice{"Left Ctrl", "C", "V"});
    Choose(1, kFnComboKey);
    EXPECT_EQ(setA().comboModifiers[1], 0x01);
    EXPECT_EQ(setA().comboKey1[1], 0x06);
    EXPECT_EQ(setA().comboKey2[1], 0x19);
    EXPECT_EQ(labels.text[0][1], "Combo Key-Left Ctrl+C+V");

    dialogs.macroKeys.push_back(MacroKeyChoice{3, "burst", 2});
    Choose(1, kFnMacroKey);
    EXPECT_EQ(setA().macroIndex[1], 3);
    EXPECT_EQ(setA().macroMode[1], 1);
    EXPECT_EQ(labels.text[0][1], "Macro Key-burst");

    // A macro key dialog that could not show its options answers mode 0.
    dialogs.macroKeys.push_back(MacroKeyChoice{0, "", 0});
    Choose(1, kFnMacroKey);
    EXPECT_EQ(setA().macroMode[1], 255);
    EXPECT_EQ(labels.text[0][1], "Macro Key-");

    EXPECT_EQ(setA().function[1], kFnMacroKey);
    EXPECT_EQ(setB().function[1], StarterConfig().buttons[1].function[1]);  // Mode B untouched
}

TEST_F(MenuTest, CancelInAnyDialogChangesNothing) {
    for (int row = kFnLaunch; row <= kFnMacroKey; ++row) {
        SCOPED_TRACE(row);
        const DeviceConfig before = c();
        const ButtonLabels labelsBefore = labels;
        changes.clear();
        Choose(2, row);  // every script is empty: Cancel
        EXPECT_TRUE(SameBytes(c(), before));
        EXPECT_EQ(labels, labelsBefore);
        EXPECT_TRUE(changes.empty());
        EXPECT_FALSE(menu.OpenSlot());
    }
    EXPECT_EQ(dialogs.asked, (std::vector<std::string>{"launch key", "media key", "fire key", "single key",
                                                       "combo key", "macro key"}));
}

TEST_F(MenuTest, AKeyTurnedOffGetsItsNextFunctionInBothModes) {
    setA().function[4] = kFnKeyOff;
    setB().function[4] = kFnKeyOff;
    setB().singleCode[4] = 0x11;
    labels.text[1][4] = "Key Off";
    dialogs.singleKeys.push_back(SingleKeyChoice{"A"});
    Choose(4, kFnSingleKey);
    EXPECT_EQ(setA().function[4], kFnSingleKey);
    EXPECT_EQ(setB().function[4], kFnSingleKey);
    EXPECT_EQ(labels.text[1][4], "Single Key-A");
    EXPECT_EQ(setA().singleCode[4], 0x04);
    EXPECT_EQ(setB().singleCode[4], 0x11);  // parameters stay in the mode edited

    // Only a key that was off carries over.
    Choose(4, kFnRightClick);
    EXPECT_EQ(setA().function[4], kFnRightClick);
    EXPECT_EQ(setB().function[4], kFnSingleKey);
    EXPECT_EQ(labels.text[1][4], "Single Key-A");
}

TEST_F(MenuTest, ComboLabelsShowOnlyThePartsPresent) {
    const struct {
        const char* modifier;
        const char* key1;
        const char* key2;
        const char* label;
    } cases[] = {
        {"Left Ctrl", "C", "V", "Combo Key-Left Ctrl+C+V"},
        {"Left Ctrl", "", "V", "Combo Key-Left Ctrl+V"},
        {"", "C", "V", "Combo Key-C+V"},
        {"", "", "", "Combo Key-"},
        {"Right Win", "", "", "Combo Key-Right Win"},
        {"", "\\", "Enter", "Combo Key-Enter"},  // a key the table does not know is left out
        {"Left Shift", "Shift", "", "Combo Key-Left Shift+Shift"},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(ComboLabel(UiLanguage::English, row.modifier, row.key1, row.key2), row.label);
    }
    EXPECT_EQ(ComboLabel(UiLanguage::TraditionalChinese, "Left Alt", "F4", ""), "複合鍵-Left Alt+F4");
}

TEST_F(MenuTest, LabelsUseTheFunctionTextOfTheLanguage) {
    ButtonFunctionMenu chinese{model, labels, UiLanguage::SimplifiedChinese};
    dialogs.mediaKeys.push_back(ListChoice{0, "下一首"});
    ASSERT_TRUE(chinese.OpenFunctionList(1, prompter));
    chinese.ChooseFunction(1, kFnMultimedia, dialogs);
    EXPECT_EQ(labels.text[0][1], "多媒体-下一首");
    ASSERT_TRUE(chinese.OpenFunctionList(1, prompter));
    chinese.ChooseFunction(1, kFnTripleClick, dialogs);
    EXPECT_EQ(labels.text[0][1], "三连发");
    EXPECT_EQ(FunctionRows(UiLanguage::SimplifiedChinese).back(), "按键关闭");
    EXPECT_EQ(FunctionRows(UiLanguage::English).size(), 15u);
    EXPECT_EQ(DpiModeRows(), (std::vector<std::string_view>{"DPI +", "DPI -", "DPI Loop"}));
}

TEST_F(MenuTest, DefaultRestoresSlotsOneToNineOfBothModes) {
    setB().function[2] = kFnMacroKey;
    setA().function[10] = kFnMacroKey;
    setB().singleCode[0] = 0x22;
    c().dpiSwitchMode[0][5] = 1;
    c().dpiSwitchMode[1][5] = 2;
    c().currentMode = 1;
    labels.text[1][2] = "Macro Key-x";
    labels.text[0][11] = "kept";
    menu.RestoreDefaultButtons();
    const std::uint8_t expected[9] = {0, 1, 2, 3, 4, 6, 15, 15, 15};
    for (int m = 0; m < 2; ++m) {
        EXPECT_TRUE(std::equal(expected, expected + 9, c().buttons[m].function));
        EXPECT_EQ(c().dpiSwitchMode[m][5], 3);
    }
    EXPECT_EQ(setA().function[10], kFnMacroKey);  // slots 10 to 12 are left alone
    EXPECT_EQ(setB().singleCode[0], 0x22);        // and so are the parameters
    EXPECT_EQ(c().currentMode, 1);
    EXPECT_EQ(labels.text[1][2], "Mid Click");
    EXPECT_EQ(labels.text[0][5], "DPI Loop");
    EXPECT_EQ(labels.text[1][8], "Key Off");
    EXPECT_EQ(labels.text[0][11], "kept");
    EXPECT_EQ(changes.back(), ConfigPart::Buttons);
}

}  // namespace
}  // namespace kz7
