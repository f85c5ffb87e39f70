#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kz7 {

// Report rate in Hz for a polling interval byte (1, 2, 4, 8 ms); 0 for any other value.
int ReportRateHz(std::uint8_t intervalMs);

// How many parameter choices a mode offers (10, 5, 30).
int LedParamCount(std::uint8_t mode);
// The label of parameter `index` of a mode: "5%".."100%", "8S".."4S", "0.5S".."15S".
// Modes other than 1 and 2 use the Neon list, as the page does; empty past the list.
std::string LedParamLabel(std::uint8_t mode, std::uint8_t index);

}  // namespace kz7
