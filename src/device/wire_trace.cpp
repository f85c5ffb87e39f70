#include "device/wire_trace.h"

#include <algorithm>

#include "device/hex_format.h"

namespace kz7 {

void WireTrace::Transfer(std::string_view kind, std::span<const std::uint8_t> report,
                         std::size_t firstByte, std::size_t count) {
    // A report shorter than the traced range shows zeros for the bytes it lacks.
    std::vector<std::uint8_t> bytes(count, 0);
    for (std::size_t i = 0; i < count && firstByte + i < report.size(); ++i) bytes[i] = report[firstByte + i];
    Write(std::string(kind) + ": " + HexBytes(bytes));
}

void WireTrace::Pause(std::chrono::milliseconds duration) {
    Write("pause: " + std::to_string(duration.count()));
}

void WireTrace::Write(const std::string& line) {
    std::lock_guard lock(mutex_);
    if (sink_) sink_(line);
}

namespace {

class TracingHandle : public HidHandle {
public:
    TracingHandle(std::unique_ptr<HidHandle> inner, WireTrace& trace)
        : inner_(std::move(inner)), trace_(trace) {}

    bool SetFeature(std::span<const std::uint8_t> report) override {
        trace_.Transfer("set-feature", report, 1, 8);
        return inner_->SetFeature(report);
    }
    bool GetFeature(std::span<std::uint8_t> report) override {
        const bool ok = inner_->GetFeature(report);
        if (ok) trace_.Transfer("get-feature", report, 1, 8);
        return ok;
    }
    bool WriteOutput(std::span<const std::uint8_t> report) override {
        trace_.Transfer("output", report, 1, 32);
        return inner_->WriteOutput(report);
    }
    ReadResult ReadInput(std::span<std::uint8_t> report, int timeoutMs) override {
        const ReadResult result = inner_->ReadInput(report, timeoutMs);
        if (result.status == IoStatus::Ok) trace_.Transfer("input", report, 1, 32);
        return result;
    }
    void Wake() override { inner_->Wake(); }

private:
    std::unique_ptr<HidHandle> inner_;
    WireTrace& trace_;
};

}  // namespace

HidOpenResult TracingBackend::Open(const std::string& path, HidAccess access) {
    HidOpenResult result = inner_.Open(path, access);
    if (result.handle) result.handle = std::make_unique<TracingHandle>(std::move(result.handle), trace_);
    return result;
}

void TracingPauser::Pause(std::chrono::milliseconds duration) {
    trace_.Pause(duration);
    inner_.Pause(duration);
}

}  // namespace kz7
