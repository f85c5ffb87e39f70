#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kz7 {

struct NamedCode {
    std::string_view name;
    std::uint8_t code;
};

// The constant tables, in list order.
std::span<const NamedCode> KeyCodeTable();     // 106 key names (US layout) and mouse buttons
std::span<const NamedCode> ModifierTable();    // 8 modifier names and their mask bits
std::span<const NamedCode> FireKeyTable();     // 61 rows of the fire key list

// Exact, case-sensitive, whole-name lookups; 0 when the name is not in the table.
std::uint8_t KeyCodeFromName(std::string_view name);
std::uint8_t ModifierBitFromName(std::string_view name);
// Row lookups take the row as a byte; 0 past the end of the list. The rows'
// texts of the multimedia and launch lists are in the UI string tables.
std::uint8_t FireKeyCodeFromRow(std::uint8_t row);
std::uint8_t MediaCodeFromRow(std::uint8_t row);
std::uint8_t LaunchCodeFromRow(std::uint8_t row);
std::uint8_t LaunchPageFromRow(std::uint8_t row);  // 1 for rows 0..3, 2 for 4..10, else 0

// Names for display: the first table name of a code, the mouse buttons and tilt
// directions included; empty when the code has none.
std::string_view KeyNameFromCode(std::uint8_t code);
// "Left Ctrl" ... for a mask with one bit; modifiers joined by "+" otherwise.
std::string ModifierNames(std::uint8_t mask);

}  // namespace kz7
