#pragma once

#include <cstdint>
#include <string_view>

namespace kz7 {

// Sensor types with a DPI table are 0 to kKnownSensorTypes - 1.
inline constexpr int kKnownSensorTypes = 4;

// DPI levels per sensor type: the label the user sees and the code the mouse
// takes. Unknown sensor types and levels past a table give "" and 0.
std::string_view DpiLabelFor(std::uint8_t sensorType, std::uint8_t level);
std::uint8_t DpiCodeFor(std::uint8_t sensorType, std::uint8_t level);
// How many levels the sensor's table really holds (0 for an unknown type).
int DpiTableSize(std::uint8_t sensorType);

}  // namespace kz7
