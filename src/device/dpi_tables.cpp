#include "device/dpi_tables.h"

#include <span>

namespace kz7 {

namespace {

struct DpiLevel {
    std::string_view label;
    std::uint8_t code;
};

constexpr DpiLevel kSensor0[] = {
    {"250", 0x01},  {"500", 0x02},  {"750", 0x03},  {"1000", 0x04}, {"1250", 0x05}, {"1500", 0x06},
    {"1750", 0x07}, {"2000", 0x08}, {"2500", 0x25}, {"3000", 0x26}, {"3500", 0x27}, {"4000", 0x28},
};
constexpr DpiLevel kSensor1[] = {
    {"600", 0x01},  {"800", 0x02},  {"1000", 0x03}, {"1200", 0x04},
    {"1600", 0x05}, {"2000", 0x23}, {"2400", 0x24}, {"3200", 0x25},
};
constexpr DpiLevel kSensor2[] = {
    {"250", 0x02},  {"500", 0x04},  {"750", 0x06},  {"1000", 0x08},
    {"1250", 0x0A}, {"1500", 0x26}, {"2000", 0x28}, {"2500", 0x2A},
};
constexpr DpiLevel kSensor3[] = {
    {"400", 0x01},  {"800", 0x02},  {"1200", 0x03}, {"1600", 0x04},
    {"2000", 0x05}, {"2400", 0x06}, {"2800", 0x07}, {"3200", 0x08},
};

constexpr std::span<const DpiLevel> kTables[] = {kSensor0, kSensor1, kSensor2, kSensor3};
static_assert(std::size(kTables) == kKnownSensorTypes);

std::span<const DpiLevel> Table(std::uint8_t sensorType) {
    return sensorType < std::size(kTables) ? kTables[sensorType] : std::span<const DpiLevel>{};
}

}  // namespace

std::string_view DpiLabelFor(std::uint8_t sensorType, std::uint8_t level) {
    const auto table = Table(sensorType);
    return level < table.size() ? table[level].label : std::string_view{};
}

std::uint8_t DpiCodeFor(std::uint8_t sensorType, std::uint8_t level) {
    const auto table = Table(sensorType);
    return level < table.size() ? table[level].code : 0;
}

int DpiTableSize(std::uint8_t sensorType) { return static_cast<int>(Table(sensorType).size()); }

}  // namespace kz7
