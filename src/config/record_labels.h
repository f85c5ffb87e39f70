#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kz7 {

// The report rates the mouse offers, slowest first: the polling interval that
// `reportRate` stores and the rate in Hz it stands for.
struct ReportRateChoice {
    std::uint8_t intervalMs;
    int hz;
};
inline constexpr std::array<ReportRateChoice, 4> kReportRates{{{8, 125}, {4, 250}, {2, 500}, {1, 1000}}};

// Position of a polling interval in kReportRates; -1 for any other value.
int ReportRateIndex(std::uint8_t intervalMs);
// Report rate in Hz for a polling interval byte (1, 2, 4, 8 ms); 0 for any other value.
int ReportRateHz(std::uint8_t intervalMs);

// How many parameter choices a mode offers: 10 for Standard, 5 for
// Respiration, 30 for Neon (and for any other mode, as the page shows them).
constexpr int LedParamCount(std::uint8_t mode) {
    switch (mode) {
        case 1: return 10;
        case 2: return 5;
        default: return 30;
    }
}
// The label of parameter `index` of a mode: "5%".."100%", "8S".."4S", "0.5S".."15S".
// Modes other than 1 and 2 use the Neon list, as the page does; empty past the list.
std::string LedParamLabel(std::uint8_t mode, std::uint8_t index);
// The parameter list of a mode, in row order: the labels of 0 .. LedParamCount(mode) - 1.
std::vector<std::string> LedParamRows(std::uint8_t mode);

}  // namespace kz7
