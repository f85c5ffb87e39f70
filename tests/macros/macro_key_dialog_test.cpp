#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "macro_fixture.h"
#include "macros/macro_key_dialog.h"
#include "macros/macro_store.h"
#include "support/temp_folder.h"

namespace kz7 {
namespace {

using testing_support::NumberedName;
using testing_support::Section;

TEST(MacroKeyDialogModel, AnswersTheChosenMacroAndTheTickedMode) {
    MacroKeyDialogModel model({"Reload", "Combo", "Spray"});
    EXPECT_TRUE(model.Ticked(1));
    model.ChooseMacro(2);
    model.ChooseRepeatMode(3);
    EXPECT_TRUE(model.Ticked(3));
    EXPECT_FALSE(model.Ticked(1));
    EXPECT_EQ(model.Choice(), (MacroKeyChoice{2, "Spray", 3}));
    // The modes are exclusive; an unknown one leaves the tick where it is.
    model.ChooseRepeatMode(2);
    model.ChooseRepeatMode(4);
    model.ChooseRepeatMode(0);
    EXPECT_EQ(model.RepeatMode(), 2);
    // A row outside the list keeps the last choice.
    model.ChooseMacro(3);
    model.ChooseMacro(-1);
    EXPECT_EQ(model.Choice(), (MacroKeyChoice{2, "Spray", 2}));
}

TEST(MacroKeyDialogModel, WithoutAChoiceOkAnswersMacroZeroAndWithoutOptionsModeZero) {
    MacroKeyDialogModel model({});
    EXPECT_EQ(model.Choice(), (MacroKeyChoice{0, "", 1}));
    model.LoseRepeatOptions();
    EXPECT_EQ(model.Choice(), (MacroKeyChoice{0, "", 0}));
}

TEST(MacroKeyDialogModel, ListsOnlyTheMacrosThatHaveADeviceBlock) {
    testing_support::TempFolder folder;
    const auto file = folder.path() / "record.ini";
    EXPECT_TRUE(MacroKeyDialogModel::BindableNames(MacroStore(file)).empty());

    std::string text;
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < 14; ++i) {
        text += Section(NumberedName("m", i), {"A   Dn", "50 ms", "A   Up"});
        if (i < 12) expected.push_back(NumberedName("m", i));
    }
    std::ofstream(file) << text;
    EXPECT_EQ(MacroKeyDialogModel::BindableNames(MacroStore(file)), expected);
}

}  // namespace
}  // namespace kz7
