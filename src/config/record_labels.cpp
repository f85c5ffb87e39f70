#include "config/record_labels.h"

namespace kz7 {

int ReportRateIndex(std::uint8_t intervalMs) {
    for (std::size_t i = 0; i < kReportRates.size(); ++i) {
        if (kReportRates[i].intervalMs == intervalMs) return static_cast<int>(i);
    }
    return -1;
}

int ReportRateHz(std::uint8_t intervalMs) {
    const int index = ReportRateIndex(intervalMs);
    return index < 0 ? 0 : kReportRates[static_cast<std::size_t>(index)].hz;
}

std::string LedParamLabel(std::uint8_t mode, std::uint8_t index) {
    if (index >= LedParamCount(mode)) return {};
    switch (mode) {
        case 1: return std::to_string(index == 9 ? 100 : 5 + 10 * index) + "%";
        case 2: return std::to_string(8 - index) + "S";
        default: {
            const int halves = index + 1;  // 0.5 s steps
            std::string label = std::to_string(halves / 2);
            if (halves % 2) label += ".5";
            return label + "S";
        }
    }
}

std::vector<std::string> LedParamRows(std::uint8_t mode) {
    std::vector<std::string> rows;
    for (int index = 0; index < LedParamCount(mode); ++index) rows.push_back(LedParamLabel(mode, static_cast<std::uint8_t>(index)));
    return rows;
}

}  // namespace kz7
