#pragma once

// The name of a keystroke, spelt as the key code table spells it ("A",
// "Enter", "Ctrl" for the left Ctrl key, "Right Ctrl", "Left Windows", "F1"),
// whatever keyboard layout the desktop uses: names come from the key's
// position on the keyboard, not from the character it types.

#include <cstdint>
#include <string>

namespace kz7 {

class KeyNameService {
public:
    virtual ~KeyNameService() = default;
    // The name of the key with this native scan code, as the windowing system
    // reports it with each key event; "" for a key without a name.
    virtual std::string NameOf(std::uint32_t nativeScanCode) const = 0;
};

}  // namespace kz7
