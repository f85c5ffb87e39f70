#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

#include "device/hid_backend.h"
#include "device/pauser.h"

namespace kz7 {

// One line per transfer and pause, bytes as lower-case hex pairs:
//   set-feature: <report bytes 1..8 as sent, scrambled when scrambling is on>
//   get-feature: <report bytes 1..8 as received>
//   output: <data report bytes 1..32>
//   input: <data report bytes 1..32>
//   pause: <milliseconds>
// Lines may come from the owner thread and the listener thread; each line is
// written whole.
class WireTrace {
public:
    using Sink = std::function<void(std::string_view line)>;
    explicit WireTrace(Sink sink) : sink_(std::move(sink)) {}

    void Transfer(std::string_view kind, std::span<const std::uint8_t> report, std::size_t firstByte,
                  std::size_t count);
    void Pause(std::chrono::milliseconds duration);

private:
    void Write(const std::string& line);
    std::mutex mutex_;
    Sink sink_;
};

// A HID backend whose handles write every successful transfer to a trace.
// Set-feature and output lines are written as sent (even when the transfer
// fails, since the program did send them); get-feature and input lines only
// when a report came back.
class TracingBackend : public HidBackend {
public:
    TracingBackend(HidBackend& inner, WireTrace& trace) : inner_(inner), trace_(trace) {}
    std::vector<HidInterfaceInfo> Enumerate() override { return inner_.Enumerate(); }
    HidOpenResult Open(const std::string& path, HidAccess access) override;

private:
    HidBackend& inner_;
    WireTrace& trace_;
};

class TracingPauser : public Pauser {
public:
    TracingPauser(Pauser& inner, WireTrace& trace) : inner_(inner), trace_(trace) {}
    void Pause(std::chrono::milliseconds duration) override;

private:
    Pauser& inner_;
    WireTrace& trace_;
};

}  // namespace kz7
