#include "keys/key_codes.h"

#include <string>

namespace kz7 {

namespace {

#include "keys/key_code_tables.inc"

constexpr NamedCode kModifiers[] = {
    {"Left Ctrl", 0x01},  {"Left Shift", 0x02},  {"Left Alt", 0x04},  {"Left Win", 0x08},
    {"Right Ctrl", 0x10}, {"Right Shift", 0x20}, {"Right Alt", 0x40}, {"Right Win", 0x80},
};

constexpr std::uint8_t kMediaCodes[] = {0xB5, 0xB6, 0xB7, 0xCD, 0xE2, 0xE9, 0xEA};

constexpr std::uint8_t kLaunchLowBytes[] = {0x83, 0x8A, 0x92, 0x94, 0x21, 0x23,
                                            0x24, 0x25, 0x26, 0x27, 0x2A};

// Mouse codes that appear only in the fire key list; shown with those names.
constexpr NamedCode kExtraMouseNames[] = {
    {"B4-Button", 0xF3}, {"B5-Button", 0xF4}, {"L-Tilt Wheel", 0xF5}, {"R-Tilt Wheel", 0xF6},
};

std::uint8_t Find(std::span<const NamedCode> table, std::string_view name) {
    for (const NamedCode& entry : table) {
        if (entry.name == name) return entry.code;
    }
    return 0;
}

}  // namespace

std::span<const NamedCode> KeyCodeTable() { return kKeyCodes; }
std::span<const NamedCode> ModifierTable() { return kModifiers; }
std::span<const NamedCode> FireKeyTable() { return kFireKeys; }

std::uint8_t KeyCodeFromName(std::string_view name) { return Find(kKeyCodes, name); }
std::uint8_t ModifierBitFromName(std::string_view name) { return Find(kModifiers, name); }

std::uint8_t FireKeyCodeFromRow(std::uint8_t row) {
    return row < std::size(kFireKeys) ? kFireKeys[row].code : 0;
}

std::uint8_t MediaCodeFromRow(std::uint8_t row) {
    return row < std::size(kMediaCodes) ? kMediaCodes[row] : 0;
}

std::uint8_t LaunchCodeFromRow(std::uint8_t row) {
    return row < std::size(kLaunchLowBytes) ? kLaunchLowBytes[row] : 0;
}

std::uint8_t LaunchPageFromRow(std::uint8_t row) {
    if (row < 4) return 1;
    if (row <= 10) return 2;
    return 0;
}

std::string_view KeyNameFromCode(std::uint8_t code) {
    if (code == 0) return {};
    for (const NamedCode& entry : kKeyCodes) {
        if (entry.code == code) return entry.name;
    }
    for (const NamedCode& entry : kExtraMouseNames) {
        if (entry.code == code) return entry.name;
    }
    return {};
}

std::string ModifierNames(std::uint8_t mask) {
    std::string names;
    for (const NamedCode& entry : kModifiers) {
        if (!(mask & entry.code)) continue;
        if (!names.empty()) names += '+';
        names += entry.name;
    }
    return names;
}

}  // namespace kz7
