#pragma once

// A device link wired to the simulated mouse, with the wire trace and the
// link's events recorded.

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "support/temp_folder.h"
#include "device/device_link.h"
#include "device/wire_trace.h"
#include "sim/virtual_mouse.h"

namespace kz7::testing {

using LinkEvents = std::vector<std::pair<DeviceEvent, int>>;

// Events delivered by the link, from any thread.
class EventLog {
public:
    void Add(DeviceEvent event, int value) {
        {
            std::lock_guard lock(mutex_);
            events_.emplace_back(event, value);
        }
        changed_.notify_all();
    }
    // Waits (at most a few seconds) until `count` events have come.
    LinkEvents WaitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::seconds(5), [&] { return events_.size() >= count; });
        return events_;
    }
    LinkEvents Events() {
        std::lock_guard lock(mutex_);
        return events_;
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        events_.clear();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    LinkEvents events_;
};

// A backend that lists the interfaces of another in reverse order, adds
// interfaces of other devices, and can refuse to open chosen paths.
class ShuffledBackend : public HidBackend {
public:
    explicit ShuffledBackend(HidBackend& inner) : inner_(inner) {}
    std::vector<HidInterfaceInfo> Enumerate() override {
        auto list = inner_.Enumerate();
        std::reverse(list.begin(), list.end());
        list.insert(list.begin(), HidInterfaceInfo{"/dev/hidraw0", 0x046d, 0xc077, 1, 2, 0, 5, 0});
        // Same usages, wrong product: must not be taken for the mouse.
        list.push_back(HidInterfaceInfo{"/dev/hidraw9", kMouseVendorId, 0xA0A0, 0xFF00, 0xFF00, 9, 33, 33});
        return list;
    }
    HidOpenResult Open(const std::string& path, HidAccess access) override {
        if (std::find(refused.begin(), refused.end(), path) != refused.end()) return {nullptr, "Permission denied"};
        opened.push_back(path);
        return inner_.Open(path, access);
    }
    std::vector<std::string> refused;
    std::vector<std::string> opened;

private:
    HidBackend& inner_;
};

inline VirtualMouse::Options MouseOptions(const std::array<std::uint8_t, 6>& key, std::uint8_t sensorType = 0,
                                          VirtualMouse::Dialect dialect = VirtualMouse::Dialect::Scrambled) {
    VirtualMouse::Options options;
    options.key = key;
    options.sensorType = sensorType;
    options.dialect = dialect;
    return options;
}

struct SimulatedLink {
    explicit SimulatedLink(VirtualMouse::Options options = {}, HidBackend* backendOverride = nullptr)
        : mouse(options),
          trace([this](std::string_view line) { lines.emplace_back(line); }),
          tracing(backendOverride ? *backendOverride : mouse, trace),
          tracingPauser(pauser, trace),
          link(tracing, tracingPauser) {
        link.SetScrambleKey(options.key);
        link.SetEventCallback([this](DeviceEvent event, int value) { events.Add(event, value); });
    }

    bool Connect() { return link.FindDevice().Connected() && link.Handshake().Connected(); }

    // Lines of the trace from `from` on; the trace's own mutex keeps writers
    // apart, and tests read only while no transfer runs.
    std::vector<std::string> LinesFrom(std::size_t from) const {
        return {lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end()};
    }

    VirtualMouse mouse;
    std::vector<std::string> lines;
    WireTrace trace;
    TracingBackend tracing;
    RecordingPauser pauser;
    TracingPauser tracingPauser;
    RecordingPrompter prompter;
    EventLog events;
    DeviceLink link;  // last: closed before everything it uses
};

using TempFolder = testing_support::TempFolder;

}  // namespace kz7::testing
