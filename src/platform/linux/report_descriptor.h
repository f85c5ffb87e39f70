#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kz7::linux_platform {

// One top-level collection of a HID report descriptor with the longest
// report of each kind, counted as the system's HID capabilities count them:
// data bytes plus the report-ID byte (which is there even when the device
// uses no report IDs), 0 when the collection has no report of that kind.
struct TopLevelCollection {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t featureReportLength = 0;
    std::uint16_t inputReportLength = 0;
    std::uint16_t outputReportLength = 0;
};

struct ReportDescriptorInfo {
    std::vector<TopLevelCollection> collections;
    bool usesReportIds = false;  // reports start with their ID byte on the wire
};

// nullopt for a descriptor that is cut short or unbalanced.
std::optional<ReportDescriptorInfo> ParseReportDescriptor(std::span<const std::uint8_t> descriptor);

// "0003:000004D9:0000A09F" (the HID_ID property of a hid device) → vendor and product.
struct HidId {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};
std::optional<HidId> ParseHidId(std::string_view text);

}  // namespace kz7::linux_platform
