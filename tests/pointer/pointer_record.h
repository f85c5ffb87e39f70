#pragma once

#include <cstdint>

#include "config/device_config.h"

namespace kz7::testing_support {

// An otherwise empty record holding the five pointer settings.
inline DeviceConfig PointerRecord(std::uint8_t precision, std::uint8_t oneScreen, std::uint8_t speed,
                                  std::uint8_t lines, std::uint8_t doubleClick) {
    DeviceConfig config = ZeroConfig();
    config.enhancePointerPrecision = precision;
    config.scrollOneScreen = oneScreen;
    config.pointerSpeed = speed;
    config.wheelScrollLines = lines;
    config.doubleClickSpeed = doubleClick;
    return config;
}

}  // namespace kz7::testing_support
