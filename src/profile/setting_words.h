#pragma once

// The words a user gives for a setting, on the command line or in a profile
// document, turned into the values the record's rules take. Every refusal
// says what was wrong and, where the choice is from a list, the whole list.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "keys/function_choice.h"
#include "keys/key_codes.h"
#include "locale/strings.h"

namespace kz7 {

// A decimal number lo..hi, digits only; nothing for anything else.
std::optional<int> WholeNumberIn(std::string_view text, int lo, int hi);

// "a, b, c" of a list's entries, for the messages.
std::string JoinedList(const std::vector<std::string>& entries);

// The table spelling of a key name: the exact name, else the one name that
// matches ignoring case. `problem` says why not.
std::optional<std::string> ResolveKeyName(std::string_view text, std::string& problem);
// The row of a fire key list entry.
std::optional<int> ResolveFireKeyRow(std::string_view text, std::string& problem);
// The row of a Multimedia or Windows list entry, named in any language.
std::optional<int> ResolveListRow(std::span<const UiText> rows, std::string_view text, std::string_view what,
                                  std::string& problem);
// "Left Ctrl+C+V", "Alt+F4", "Num +": at most one modifier (first) and at
// most two keys, joined by "+".
std::optional<ComboKeyChoice> ResolveComboKeys(std::string_view text, std::string& problem);
// The LEDs a DPI stage lights, written with the letters r, g and b, each at
// most once ("rb"; "" for none): which of its three toggles are on.
std::optional<std::array<bool, 3>> ParseLedLetters(std::string_view text);
// The same written out.
std::string LedLetters(const std::array<bool, 3>& lit);

// The DPI labels a sensor type offers, slider position 1 first.
std::vector<std::string> OfferedDpiLabels(std::uint8_t sensorType);

// "DPI +", "dpi+", "+", "DPI Loop", "loop", ...: the DPI switch mode 1..3.
std::optional<std::uint8_t> ResolveDpiMode(std::string_view text);

// What a button is to do, in words: a function-list name (in any language)
// or a short word (FunctionWords, any case), and its parameters.
struct FunctionRequest {
    std::string function;
    std::optional<std::string> argument;  // key, combo keys, fire key, list entry, macro name, DPI mode
    std::optional<std::string> speed;     // fire key
    std::optional<std::string> times;     // fire key
    std::optional<std::string> repeat;    // macro key, 1..3
};

// The function a request names with its parameters, as the function's
// dialog would answer them in `language`. `macroNames` are the macros a
// button can play, in block order.
std::optional<FunctionChoice> ResolveFunction(const FunctionRequest& request, const std::vector<std::string>& macroNames,
                                              UiLanguage language, std::string& problem);

}  // namespace kz7
