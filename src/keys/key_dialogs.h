#pragma once

// What the dialogs of the button functions hand back. Each dialog always
// starts from its own initial values (never from the button's present
// settings) and returns these on OK; Cancel returns nothing, and the caller
// then changes nothing.

#include <cstdint>
#include <optional>
#include <string>

namespace kz7 {

// "Single Key": the name of the last key pressed, "" when none was.
struct SingleKeyChoice {
    std::string keyName;
    bool operator==(const SingleKeyChoice&) const = default;
};

// "Combo Key": at most one modifier (a ModifierTable name) and two captured key names.
struct ComboKeyChoice {
    std::string modifierName;
    std::string key1Name;
    std::string key2Name;
    bool operator==(const ComboKeyChoice&) const = default;
};

// "Fire Key": the row of the fire key list with its text, the speed and the
// number of shots (0: until the button is released).
struct FireKeyChoice {
    int row = 0;
    std::string keyName;
    std::uint8_t speed = 32;
    std::uint8_t times = 1;
    bool operator==(const FireKeyChoice&) const = default;
};

// "Multimedia" and "Windows": the chosen row of the list and its text.
struct ListChoice {
    int row = 0;
    std::string text;
    bool operator==(const ListChoice&) const = default;
};

// "Macro Key": the macro's position in record.ini (its device block), its
// name, and the repeat mode 1..3 (0 when the dialog could not show its options).
struct MacroKeyChoice {
    int index = 0;
    std::string name;
    std::uint8_t repeatMode = 1;
    bool operator==(const MacroKeyChoice&) const = default;
};

// The modal dialogs that collect a function's parameters.
class KeyDialogs {
public:
    virtual ~KeyDialogs() = default;
    virtual std::optional<SingleKeyChoice> RunSingleKey() = 0;
    virtual std::optional<ComboKeyChoice> RunComboKey() = 0;
    virtual std::optional<FireKeyChoice> RunFireKey() = 0;
    virtual std::optional<ListChoice> RunMediaKey() = 0;
    virtual std::optional<ListChoice> RunLaunchKey() = 0;
    virtual std::optional<MacroKeyChoice> RunMacroKey() = 0;
};

}  // namespace kz7
