#include "keys/button_functions.h"

namespace kz7 {

std::string_view DpiSwitchModeName(std::uint8_t mode) {
    static constexpr std::string_view kDpiModes[] = {"DPI +", "DPI -", "DPI Loop"};
    if (mode >= 1 && mode <= 3) return kDpiModes[mode - 1];
    return {};
}

}  // namespace kz7
