#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "keys/key_names.h"

namespace kz7::linux_platform {

// The name a US-layout keyboard gives the key with this evdev code
// (linux/input-event-codes.h), spelt as the key code table spells it; empty
// for a key such a keyboard does not have. Keys the table has no code for
// (backslash, the menu key, F13 and above) are still named, so that the user
// sees what was pressed even though it is stored as no key.
std::string_view EvdevKeyName(unsigned evdevCode);

// Key names from the key's position: X11 and Wayland both report the evdev
// code plus 8 as a key event's native scan code, whatever the layout.
class EvdevKeyNames : public KeyNameService {
public:
    static constexpr std::uint32_t kScanCodeOffset = 8;
    std::string NameOf(std::uint32_t nativeScanCode) const override;
};

}  // namespace kz7::linux_platform
