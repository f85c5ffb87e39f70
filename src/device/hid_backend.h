#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace kz7 {

// One top-level collection of a HID device, as the system lists it. Report
// lengths include the leading report-ID byte, and are 0 when the collection
// has no report of that kind.
struct HidInterfaceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t featureReportLength = 0;
    std::uint16_t inputReportLength = 0;
    std::uint16_t outputReportLength = 0;
};

enum class IoStatus { Ok, Timeout, Woken, Error };

struct ReadResult {
    IoStatus status = IoStatus::Error;
    std::size_t length = 0;  // bytes stored, report-ID byte included
};

// An open collection. Every buffer starts with the report-ID byte (0 for a
// device without report IDs), exactly as the report is laid out on the wire.
class HidHandle {
public:
    virtual ~HidHandle() = default;
    virtual bool SetFeature(std::span<const std::uint8_t> report) = 0;
    virtual bool GetFeature(std::span<std::uint8_t> report) = 0;
    virtual bool WriteOutput(std::span<const std::uint8_t> report) = 0;
    // Waits for one input report; timeoutMs < 0 waits without limit. Returns
    // Woken when Wake() was called from another thread meanwhile.
    virtual ReadResult ReadInput(std::span<std::uint8_t> report, int timeoutMs) = 0;
    // Makes a pending or the next ReadInput return Woken. Safe from any thread.
    virtual void Wake() = 0;
};

enum class HidAccess { Query, ReadWrite, Read };

struct HidOpenResult {
    std::unique_ptr<HidHandle> handle;  // null on failure
    std::string error;                  // why it could not be opened
};

// The system's HID devices: the one seam between the protocol and the OS.
class HidBackend {
public:
    virtual ~HidBackend() = default;
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    virtual HidOpenResult Open(const std::string& path, HidAccess access) = 0;
};

}  // namespace kz7
