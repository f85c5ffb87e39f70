#pragma once

// A device link wired to the simulated mouse, with the wire trace and the
// link's events recorded.

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "config/prompter.h"
#include "support/temp_folder.h"
#include "device/device_link.h"
#include "device/wire_trace.h"
#include "sim/virtual_mouse.h"

namespace kz7::testing {

// Events delivered by the link, from any thread.
class EventLog {
public:
    void Add(int kind, int value) {
        {
            std::lock_guard lock(mutex_);
            events_.emplace_back(kind, value);
        }
        changed_.notify_all();
    }
    // Waits (at most a few seconds) until `count` events have come.
    std::vector<std::pair<int, int>> WaitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::seconds(5), [&] { return events_.size() >= count; });
        return events_;
    }
    std::vector<std::pair<int, int>> Events() {
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
    std::vector<std::pair<int, int>> events_;
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
          link(tracing, tracingPauser, prompter) {
        link.SetScrambleKey(options.key);
        link.SetEventCallback([this](int kind, int value) { events.Add(kind, value); });
    }

    bool Connect() { return link.FindDevice() && link.Handshake(); }

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
