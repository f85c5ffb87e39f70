#include "platform/linux/evdev_key_names.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <set>
#include <string>
#include <string_view>

#include "keys/key_codes.h"

namespace kz7::linux_platform {
namespace {

constexpr std::uint32_t kHighestEvdevCode = KEY_MAX;

std::set<std::string, std::less<>> AllEvdevNames() {
    std::set<std::string, std::less<>> names;
    for (unsigned code = 0; code <= kHighestEvdevCode; ++code) {
        const std::string_view name = EvdevKeyName(code);
        if (!name.empty()) names.emplace(name);
    }
    return names;
}

TEST(EvdevKeyNamesTest, EveryKeyboardNameOfTheKeyTableIsReachableAndKeepsItsCode) {
    const auto reachable = AllEvdevNames();
    for (const NamedCode& entry : KeyCodeTable()) {
        if (entry.code >= 0xF0 || entry.name == "Eurpo(Note 2)") continue;  // not keyboard keys
        EXPECT_TRUE(reachable.contains(entry.name)) << entry.name;
    }
    // And every name that maps to a code maps to the code of that key.
    for (unsigned code = 0; code <= kHighestEvdevCode; ++code) {
        const std::string_view name = EvdevKeyName(code);
        if (name.empty() || KeyCodeFromName(name) == 0) continue;
        EXPECT_EQ(KeyNameFromCode(KeyCodeFromName(name)), name) << code;
    }
}

TEST(EvdevKeyNamesTest, LettersFollowTheirRowsOnTheKeyboard) {
    struct Row { unsigned first; std::string_view letters; };
    for (const Row& row : {Row{KEY_Q, "QWERTYUIOP"}, Row{KEY_A, "ASDFGHJKL"}, Row{KEY_Z, "ZXCVBNM"}}) {
        for (std::size_t i = 0; i < row.letters.size(); ++i) {
            EXPECT_EQ(EvdevKeyName(row.first + static_cast<unsigned>(i)), row.letters.substr(i, 1));
        }
    }
}

TEST(EvdevKeyNamesTest, NamesKeysByTheirPositionAsAUsKeyboardDoes) {
    struct Case { unsigned evdev; std::string_view name; std::uint8_t code; };
    const Case cases[] = {
        // Left modifiers carry the plain names, right ones say so.
        {KEY_LEFTCTRL, "Ctrl", 0xE0},          {KEY_RIGHTCTRL, "Right Ctrl", 0xE4},
        {KEY_LEFTSHIFT, "Shift", 0xE1},        {KEY_RIGHTSHIFT, "Right Shift", 0xE5},
        {KEY_LEFTALT, "Alt", 0xE2},            {KEY_RIGHTALT, "Right Alt", 0xE6},
        {KEY_LEFTMETA, "Left Windows", 0xE3},  {KEY_RIGHTMETA, "Right Windows", 0xE7},
        // The keypad is told apart from the keys it duplicates.
        {KEY_ENTER, "Enter", 0x28},            {KEY_KPENTER, "Num Enter", 0x58},
        {KEY_HOME, "Home", 0x4A},              {KEY_KP7, "Num 7", 0x5F},
        {KEY_DELETE, "Delete", 0x4C},          {KEY_KPDOT, "Num Del", 0x63},
        {KEY_SLASH, "/", 0x38},                {KEY_KPSLASH, "Num /", 0x54},
        {KEY_KP5, "Num 5", 0x5D},              {KEY_0, "0", 0x27},
        {KEY_SYSRQ, "Prnt Scrn", 0x46},        {KEY_PAUSE, "Pause", 0x48},
        // Named, but the table has no code for them.
        {KEY_BACKSLASH, "\\", 0},              {KEY_102ND, "\\", 0},
        {KEY_COMPOSE, "Application", 0},       {KEY_F13, "F13", 0},
        {KEY_F24, "F24", 0},
    };
    const EvdevKeyNames names;
    for (const Case& c : cases) {
        EXPECT_EQ(names.NameOf(c.evdev + EvdevKeyNames::kScanCodeOffset), c.name) << c.evdev;
        EXPECT_EQ(KeyCodeFromName(c.name), c.code) << c.name;
    }
}

TEST(EvdevKeyNamesTest, KeysWithoutANameGiveTheEmptyName) {
    const EvdevKeyNames names;
    for (std::uint32_t scan : {0u, 7u, static_cast<std::uint32_t>(KEY_RESERVED) + 8,
                               static_cast<std::uint32_t>(KEY_VOLUMEUP) + 8,
                               static_cast<std::uint32_t>(KEY_MAX) + 8, 0xFFFFFFFFu}) {
        EXPECT_EQ(names.NameOf(scan), "") << scan;
    }
}

}  // namespace
}  // namespace kz7::linux_platform
