#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macros/macro_line_editing.h"

namespace kz7 {
namespace {

using Lines = std::vector<std::string>;

struct InsertCase {
    const char* what;
    Lines before;
    int selected;
    bool macroSelected;
    const char* event;
    Lines after;
    int select;  // -1: the selection is kept
};

TEST(MacroLineEditing, InsertsEachEventWhereItsSelectionSays) {
    const Lines tap{"A   Dn", "50 ms", "A   Up"};
    const InsertCase cases[] = {
        {"empty list, a click", {}, -1, true, "L-Button Click",
         {"L-Button   Dn", "50 ms", "L-Button   Up", "50 ms"}, -1},
        {"empty list, one event", {}, -1, true, "M-Button   Dn", {"M-Button   Dn", "50 ms"}, -1},
        {"empty list without a macro", {}, -1, false, "L-Button Click", {}, -1},
        {"lines but no selection", tap, -1, true, "R-Button   Up", tap, -1},
        {"after a pause, a click", tap, 1, true, "R-Button Click",
         {"A   Dn", "50 ms", "R-Button   Dn", "50 ms", "R-Button   Up", "50 ms", "A   Up"}, 2},
        {"after a pause, one event", tap, 1, true, "L-Button   Up", {"A   Dn", "50 ms", "L-Button   Up", "50 ms", "A   Up"},
         2},
        {"after an event, a click", tap, 0, true, "M-Button Click",
         {"A   Dn", "50 ms", "M-Button   Dn", "50 ms", "M-Button   Up", "50 ms", "A   Up"}, 2},
        {"after the last event, one event", tap, 2, true, "R-Button   Up", {"A   Dn", "50 ms", "A   Up", "50 ms", "R-Button   Up"},
         4},
        {"after a typed pause", {"A   Dn", "0100 ms"}, 1, true, "L-Button   Dn", {"A   Dn", "0100 ms", "L-Button   Dn", "50 ms"},
         2},
        {"a selection past the end is none", tap, 7, true, "L-Button Click", tap, -1},
    };
    for (const InsertCase& c : cases) {
        Lines lines = c.before;
        EXPECT_EQ(InsertMouseEvent(lines, c.selected, c.macroSelected, c.event), c.select) << c.what;
        EXPECT_EQ(lines, c.after) << c.what;
    }
}

TEST(MacroLineEditing, EveryChooserEventInsertsItsOwnLines) {
    for (std::string_view event : kMouseEventNames) {
        Lines lines;
        InsertMouseEvent(lines, -1, true, event);
        const bool click = event.find("Click") != std::string_view::npos;
        ASSERT_EQ(lines.size(), click ? 4u : 2u) << event;
        EXPECT_EQ(lines[0].substr(0, 8), event.substr(0, 8)) << event;
        for (const std::string& line : lines) EXPECT_EQ(line.find("Click"), std::string::npos) << event;
    }
}

TEST(MacroLineEditing, APauseKeepsTheDigitsAsTypedWithinItsRange) {
    struct Case { int value; const char* typed; const char* line; };
    const Case cases[] = {
        {10000, "10000", "10000 ms"}, {50, "50", "50 ms"},   {100, "0100", "0100 ms"},
        {10001, "10001", "50 ms"},    {49, "49", "50 ms"},   {0, "", "50 ms"},
    };
    for (const Case& c : cases) EXPECT_EQ(PauseLineFor(c.value, c.typed), c.line) << c.typed;
    EXPECT_TRUE(IsPauseLine("50 ms"));
    EXPECT_TRUE(IsPauseLine("0100 ms"));
    EXPECT_FALSE(IsPauseLine("L-Button   Dn"));
}

}  // namespace
}  // namespace kz7
