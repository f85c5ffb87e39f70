#include "keys/fire_key_rules.h"

#include "ini/ini_file.h"

namespace kz7 {

namespace {

// The boxes take digits only, but a paste may bring anything: the number is
// the leading digits, as the boxes have always been read.
FireBoxValue Ranged(std::string_view text, int lowest, int fallback) {
    const int value = LeadingInteger(text);
    if (value < lowest || value > 255) {
        return {static_cast<std::uint8_t>(fallback), std::to_string(fallback)};
    }
    return {static_cast<std::uint8_t>(value), std::nullopt};
}

}  // namespace

FireBoxValue FireSpeedFromText(std::string_view text) {
    return Ranged(text, kFireSpeedLowest, kFireSpeedLowest);
}

FireBoxValue FireTimesFromText(std::string_view text) { return Ranged(text, 0, kFireTimesFallback); }

}  // namespace kz7
