#pragma once

// What a button slot is given: a function code with, for the functions that
// take parameters, the answer their dialog would give. The menu, profile
// import and the command line all store a choice the same way and label it
// the same way.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "config/device_config.h"
#include "keys/key_dialogs.h"
#include "locale/language.h"

namespace kz7 {

struct DpiModeChoice {
    std::uint8_t mode = 1;  // 1 "DPI +", 2 "DPI -", 3 "DPI Loop"
    bool operator==(const DpiModeChoice&) const = default;
};

// Launch and Multimedia both answer a ListChoice; the code tells them apart.
using FunctionParameters = std::variant<std::monostate, DpiModeChoice, ListChoice, FireKeyChoice,
                                        SingleKeyChoice, ComboKeyChoice, MacroKeyChoice>;

struct FunctionChoice {
    int code = kFnLeftClick;
    FunctionParameters parameters;
    bool operator==(const FunctionChoice&) const = default;
};

// Writes the choice's parameter bytes into slot `slot` of `set` (and of
// `dpiModes` for a DPI switch). The function code itself is not written:
// the caller decides which sets get it.
void WriteFunctionParameters(ButtonSet& set, std::uint8_t (&dpiModes)[kButtonSlots], int slot,
                             const FunctionChoice& choice);

// "Combo Key-Left Ctrl+C+V": the parts present (a modifier when its mask is
// non-zero, each key whose code is non-zero) joined by "+".
std::string ComboLabel(UiLanguage language, std::string_view modifierName, std::string_view key1Name,
                       std::string_view key2Name);

// The label a button shows for the choice: "Fire Key-A", "Combo Key-Left
// Ctrl+C", the list row's text for a launch target, "DPI +", the function's
// name otherwise. The texts inside the parameters are used as they are.
std::string FunctionLabel(const FunctionChoice& choice, UiLanguage language);

// The choice a slot holds, with every text in `language`; key names come
// from the key tables (empty for a code without a name).
FunctionChoice ReadFunctionChoice(const ButtonSet& set, const std::uint8_t (&dpiModes)[kButtonSlots], int slot,
                                  UiLanguage language);

// The same choice with its list texts in another language.
FunctionChoice InLanguage(FunctionChoice choice, UiLanguage language);

}  // namespace kz7
