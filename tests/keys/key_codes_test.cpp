#include "keys/key_codes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kz7 {
namespace {

TEST(KeyCodes, TablesHaveTheirSizesAndDistinctNames) {
    EXPECT_EQ(KeyCodeTable().size(), 106u);
    EXPECT_EQ(ModifierTable().size(), 8u);
    EXPECT_EQ(FireKeyTable().size(), 61u);
    std::set<std::string_view> names;
    for (const auto& entry : KeyCodeTable()) EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
}

TEST(KeyCodes, NamesToCodes) {
    struct Case {
        std::string_view name;
        std::uint8_t code;
    };
    const Case cases[] = {
        {"A", 0x04},        {"Z", 0x1D},          {"a", 0},           {"1", 0x1E},         {"0", 0x27},
        {"Enter", 0x28},    {"Space", 0x2C},      {"]", 0x30},        {"\\", 0},           {"Eurpo(Note 2)", 0x32},
        {"Eurpo(note 2)", 0}, {";", 0x33},        {"Caps Lock", 0x39}, {"F1", 0x3A},       {"F12", 0x45},
        {"F13", 0},         {"Prnt Scrn", 0x46},  {"Page Down", 0x4E}, {"Right", 0x4F},    {"Up", 0x52},
        {"Num Lock", 0x53}, {"Num Enter", 0x58},  {"Num 1", 0x59},    {"Num 9", 0x61},     {"Num 0", 0x62},
        {"Num Del", 0x63},  {"Ctrl", 0xE0},       {"Left Ctrl", 0},   {"Left Windows", 0xE3}, {"Right Ctrl", 0xE4},
        {"Right Windows", 0xE7}, {"L-Button", 0xF0}, {"M-Button", 0xF2}, {"B4-Button", 0},   {"Application", 0},
        {"", 0},            {"Ctrl ", 0},         {"Enter2", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(KeyCodeFromName(c.name), c.code) << '"' << c.name << '"';
}

TEST(KeyCodes, ModifierNames) {
    struct Case {
        std::string_view name;
        std::uint8_t bit;
    };
    const Case cases[] = {
        {"Left Ctrl", 0x01},  {"Left Shift", 0x02},  {"Left Alt", 0x04},  {"Left Win", 0x08},
        {"Right Ctrl", 0x10}, {"Right Shift", 0x20}, {"Right Alt", 0x40}, {"Right Win", 0x80},
        {"Ctrl", 0},          {"", 0},               {"left ctrl", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ModifierBitFromName(c.name), c.bit) << '"' << c.name << '"';
}

TEST(KeyCodes, FireRows) {
    const std::pair<int, std::uint8_t> cases[] = {
        {0, 0x04},  {25, 0x1D}, {26, 0x1E}, {35, 0x27}, {36, 0xE0}, {38, 0xE2}, {39, 0xE4}, {40, 0xE5},
        {41, 0xE6}, {42, 0x3A}, {53, 0x45}, {54, 0xF0}, {57, 0xF3}, {60, 0xF6}, {61, 0},    {255, 0},
    };
    for (const auto& [row, code] : cases) {
        EXPECT_EQ(FireKeyCodeFromRow(static_cast<std::uint8_t>(row)), code) << "row " << row;
    }
    EXPECT_EQ(FireKeyTable()[39].name, "R-CTRL");
}

TEST(KeyCodes, MediaAndLaunchRows) {
    const std::uint8_t media[] = {0xB5, 0xB6, 0xB7, 0xCD, 0xE2, 0xE9, 0xEA, 0, 0};
    for (int row = 0; row < 9; ++row) EXPECT_EQ(MediaCodeFromRow(static_cast<std::uint8_t>(row)), media[row]);

    struct Case {
        int row;
        std::uint8_t low, page;
    };
    const Case cases[] = {{0, 0x83, 1}, {2, 0x92, 1}, {3, 0x94, 1}, {4, 0x21, 2},
                          {9, 0x27, 2}, {10, 0x2A, 2}, {11, 0, 0}, {200, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(LaunchCodeFromRow(static_cast<std::uint8_t>(c.row)), c.low) << c.row;
        EXPECT_EQ(LaunchPageFromRow(static_cast<std::uint8_t>(c.row)), c.page) << c.row;
    }
    // Rows are bytes: row 256 + 3 is row 3.
    EXPECT_EQ(LaunchCodeFromRow(static_cast<std::uint8_t>(256 + 3)), 0x94);
}

TEST(KeyCodes, DisplayNamesOfCodes) {
    EXPECT_EQ(KeyNameFromCode(0x04), "A");
    EXPECT_EQ(KeyNameFromCode(0xE0), "Ctrl");
    EXPECT_EQ(KeyNameFromCode(0xF4), "B5-Button");
    EXPECT_EQ(KeyNameFromCode(0x31), "");
    EXPECT_EQ(KeyNameFromCode(0), "");
    EXPECT_EQ(ModifierNames(0x11), "Left Ctrl+Right Ctrl");
}

}  // namespace
}  // namespace kz7
