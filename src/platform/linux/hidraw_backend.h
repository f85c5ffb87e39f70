#pragma once

#include <memory>
#include <string>
#include <vector>

#include "device/device_watcher.h"
#include "device/hid_backend.h"

namespace kz7::linux_platform {

// The system's HID devices through hidraw: nodes found with libudev, one
// interface per top-level collection of a node's report descriptor, report
// lengths from our own descriptor parser. Reports are laid out as hidraw
// expects them: a leading report-number byte (0 for a device without report
// IDs) in front of every feature and output report, and in front of every
// input report handed back. Reads wait in poll() on the node and on an
// eventfd that Wake() signals, so a waiting reader costs nothing.
class HidrawBackend : public HidBackend {
public:
    std::vector<HidInterfaceInfo> Enumerate() override;
    HidOpenResult Open(const std::string& path, HidAccess access) override;
};

// Arrival and removal of hidraw nodes of the mouse, from a libudev monitor
// (source "udev", so rules such as 70-kz7.rules have been applied when a node
// is reported), matched by the HID_ID of the parent hid device. The callback
// runs on the watcher's own thread.
class UdevDeviceWatcher : public DeviceWatcher {
public:
    UdevDeviceWatcher();
    ~UdevDeviceWatcher() override;
    bool Start(Callback callback, std::string* error) override;
    void Stop() override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace kz7::linux_platform
