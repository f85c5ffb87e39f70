#pragma once

#include <functional>
#include <string>

namespace kz7 {

// An interface of the mouse (04D9:A09F) came or went.
enum class DeviceChangeKind { Arrival, Removal };

struct DeviceChange {
    DeviceChangeKind kind = DeviceChangeKind::Arrival;
    std::string path;  // the interface that came or went
};

// Tells when an interface of the mouse appears or disappears. Only matching
// interfaces are reported. The callback runs on the watcher's own thread (or,
// for the simulated mouse, on the thread that plugs or unplugs it), never on
// the window thread: front ends queue the change and call
// DeviceLink::OnDeviceChange from the thread that owns the link.
class DeviceWatcher {
public:
    using Callback = std::function<void(const DeviceChange&)>;
    virtual ~DeviceWatcher() = default;
    // Starts reporting; false with a reason when the system cannot watch.
    virtual bool Start(Callback callback, std::string* error) = 0;
    // Stops reporting; once it returns, the callback is not running and will not run again.
    virtual void Stop() = 0;
};

}  // namespace kz7
