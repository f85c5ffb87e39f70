#include <gtest/gtest.h>

#include <set>
#include <string>

#include "config/device_config.h"
#include "keys/button_function_menu.h"
#include "keys/button_functions.h"

namespace kz7 {
namespace {

TEST(FunctionWordsTest, EveryRowOfTheFunctionListHasAWordAndTheDpiRowOnePerMode) {
    std::set<int> functions;
    std::set<std::string> words;
    std::vector<std::uint8_t> dpiModes;
    for (const FunctionWord& entry : FunctionWords()) {
        EXPECT_TRUE(words.insert(std::string(entry.word)).second) << "twice: " << entry.word;
        EXPECT_EQ(FindFunctionWord(entry.word), &entry);
        functions.insert(entry.function);
        if (entry.function == kFnDpiSwitch) dpiModes.push_back(entry.dpiMode);
        else EXPECT_EQ(entry.dpiMode, 0) << entry.word;
    }
    EXPECT_EQ(functions.size(), static_cast<std::size_t>(kFunctionRows));
    EXPECT_EQ(*functions.rbegin(), kFunctionRows - 1);
    // In the sub-menu's order: "DPI +", "DPI -", "DPI Loop".
    EXPECT_EQ(dpiModes, (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(FunctionWordsTest, WordsAreExactAndNeverAListRow) {
    const struct {
        const char* word;
        int function;  // -1: not a word
        int dpiMode;
    } cases[] = {
        {"left", kFnLeftClick, 0}, {"back", kFnBackward, 0}, {"dpi-", kFnDpiSwitch, 2},
        {"dpi-loop", kFnDpiSwitch, 3}, {"off", kFnKeyOff, 0}, {"launch", kFnLaunch, 0},
        {"Left", -1, 0}, {"dpi", -1, 0}, {"Left Click", -1, 0}, {"", -1, 0},
    };
    for (const auto& c : cases) {
        const FunctionWord* entry = FindFunctionWord(c.word);
        if (c.function < 0) {
            EXPECT_EQ(entry, nullptr) << c.word;
            continue;
        }
        ASSERT_NE(entry, nullptr) << c.word;
        EXPECT_EQ(entry->function, c.function) << c.word;
        EXPECT_EQ(entry->dpiMode, c.dpiMode) << c.word;
    }
    for (const std::string_view row : FunctionRows(UiLanguage::English)) EXPECT_EQ(FindFunctionWord(row), nullptr) << row;
}

}  // namespace
}  // namespace kz7
