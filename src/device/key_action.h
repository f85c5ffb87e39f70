#pragma once

#include <array>
#include <cstdint>

#include "config/device_config.h"

namespace kz7 {

// One button action as the mouse executes it: a type byte and three parameters.
struct KeyActionWord {
    std::array<std::uint8_t, 4> bytes{};

    std::uint32_t Value() const {
        return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    }
    bool operator==(const KeyActionWord&) const = default;
};

inline constexpr int kMatrixWords = 16;
inline constexpr int kMatrixCount = 4;
inline constexpr int kMatrixBytes = kMatrixWords * 4;

using KeyMatrix = std::array<KeyActionWord, kMatrixWords>;

// The word of one slot of a button set; `dpiSwitchModes` is the slot row of the same mode.
KeyActionWord KeyActionWordFor(const ButtonSet& set, const std::uint8_t (&dpiSwitchModes)[kButtonSlots],
                               int slot);

// The four matrices as the apply sequence sends them: matrix 1 from the mode
// shown on the page, matrix 3 from Mode B, matrices 2 and 4 empty.
std::array<KeyMatrix, kMatrixCount> BuildKeyMatrices(const DeviceConfig& config);

// A matrix as it travels: 16 words, each little-endian.
std::array<std::uint8_t, kMatrixBytes> MatrixBytes(const KeyMatrix& matrix);

}  // namespace kz7
