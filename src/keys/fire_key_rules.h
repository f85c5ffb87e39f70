#pragma once

// The fire key dialog's two number boxes. Each holds decimal digits; the
// dialog reads the speed when its box loses the keyboard (and at OK), the
// times at every edit. A value outside its range puts the fallback back
// into the box: the caller writes `replacement` over what was typed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kz7 {

struct FireBoxValue {
    std::uint8_t value = 0;
    std::optional<std::string> replacement;  // the text the box must show instead
    bool operator==(const FireBoxValue&) const = default;
};

inline constexpr int kFireSpeedLowest = 5;  // smaller is faster; the fallback too
inline constexpr int kFireTimesFallback = 1;
inline constexpr std::uint8_t kFireSpeedInitial = 32;
inline constexpr std::uint8_t kFireTimesInitial = 1;

// 5..255; anything else (an empty box is 0) becomes 5.
FireBoxValue FireSpeedFromText(std::string_view text);
// 0..255, 0 meaning "until the button is released"; 256 or more becomes 1.
FireBoxValue FireTimesFromText(std::string_view text);

}  // namespace kz7
