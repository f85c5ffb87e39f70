#include "config/record_labels.h"

namespace kz7 {

int ReportRateHz(std::uint8_t intervalMs) {
    switch (intervalMs) {
        case 1: return 1000;
        case 2: return 500;
        case 4: return 250;
        case 8: return 125;
        default: return 0;
    }
}

int LedParamCount(std::uint8_t mode) {
    switch (mode) {
        case 1: return 10;
        case 2: return 5;
        default: return 30;
    }
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

}  // namespace kz7
