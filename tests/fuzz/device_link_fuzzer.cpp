// The device link against a hostile mouse: the list of interfaces, whether
// they open, every answer, length and event report come from the input. The
// link is driven as the window drives it (search, handshake, status
// exchange, first read, the whole apply with its block read-back, plug and
// unplug) while its listener thread takes the event reports. No request is
// longer than its report, no read on the window's thread waits without a
// time limit, only the mouse's own event kinds with byte values reach the
// window, and an apply always saves the record and the labels. Pauses are
// not slept.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "config/config_file.h"
#include "config/starter_config.h"
#include "device/command_set.h"
#include "device/device_link.h"
#include "fuzz_support.h"
#include "pointer/memory_pointer_backend.h"
#include "session/apply_session.h"
#include "session/connect.h"

namespace kz7 {
namespace {

class NoPause : public Pauser {
public:
    void Pause(std::chrono::milliseconds) override {}
};

// Event reports for the listener, taken from the input before anything runs,
// so the listener thread never shares the input with the window's thread.
class EventReports {
public:
    explicit EventReports(std::vector<std::vector<std::uint8_t>> reports)
        : reports_(reports.begin(), reports.end()) {}

    ReadResult Next(std::span<std::uint8_t> report) {
        KZ7_FUZZ_REQUIRE(report.size() <= kEventBufferSize);
        std::unique_lock lock(mutex_);
        if (reports_.empty()) {  // a silent mouse: the read waits until woken
            changed_.wait(lock, [&] { return woken_; });
        }
        if (woken_) {
            woken_ = false;
            return {IoStatus::Woken, 0};
        }
        std::vector<std::uint8_t> next = std::move(reports_.front());
        reports_.pop_front();
        // The first byte says how the read ends; the rest is the report.
        const std::uint8_t how = next.empty() ? 0 : next[0];
        if (how % 8 == 1) return {IoStatus::Timeout, 0};
        if (how % 8 == 2) return {IoStatus::Error, 0};
        const std::size_t length = std::min(report.size(), next.size() > 0 ? next.size() - 1 : 0);
        std::copy_n(next.begin() + (next.empty() ? 0 : 1), length, report.begin());
        return {IoStatus::Ok, length};
    }

    void Wake() {
        {
            std::lock_guard lock(mutex_);
            woken_ = true;
        }
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<std::uint8_t>> reports_;
    bool woken_ = false;
};

class EventHandle : public HidHandle {
public:
    explicit EventHandle(std::shared_ptr<EventReports> reports) : reports_(std::move(reports)) {}
    bool SetFeature(std::span<const std::uint8_t>) override { return false; }
    bool GetFeature(std::span<std::uint8_t>) override { return false; }
    bool WriteOutput(std::span<const std::uint8_t>) override { return false; }
    ReadResult ReadInput(std::span<std::uint8_t> report, int) override { return reports_->Next(report); }
    void Wake() override { reports_->Wake(); }

private:
    std::shared_ptr<EventReports> reports_;
};

// The command collection: its answers come from the input, on the window's thread.
class CommandHandle : public HidHandle {
public:
    CommandHandle(FuzzedDataProvider& input, const DeviceLink*& link, const ScrambleKey& key)
        : input_(input), link_(link), key_(key) {}

    bool SetFeature(std::span<const std::uint8_t> report) override {
        KZ7_FUZZ_REQUIRE(!report.empty() && report.size() <= kHeaderReportSize);
        sent_.fill(0);
        std::copy(report.begin(), report.end(), sent_.begin());
        return input_.ConsumeIntegral<std::uint8_t>() != 1;
    }

    bool GetFeature(std::span<std::uint8_t> report) override {
        KZ7_FUZZ_REQUIRE(!report.empty() && report.size() <= kHeaderReportSize);
        std::array<std::uint8_t, kHeaderReportSize> answer = sent_;
        switch (input_.ConsumeIntegralInRange(0, 3)) {
            case 0: return false;  // also what a mouse gone silent gives
            case 1: break;         // the request echoed, as the mouse answers the probe
            case 2: {              // a well-formed answer with the arguments the input chooses
                std::span<std::uint8_t, 8> wire(answer.data() + 1, 8);
                const bool scrambled = link_ && link_->ScramblingOn();
                if (scrambled) Unscramble(wire, key_);
                for (std::size_t i = 1; i < 7; ++i) {
                    if (input_.ConsumeBool()) wire[i] = input_.ConsumeIntegral<std::uint8_t>();
                }
                if (scrambled) Scramble(wire, key_);
                break;
            }
            default:
                for (auto& byte : answer) byte = input_.ConsumeIntegral<std::uint8_t>();
                break;
        }
        std::copy_n(answer.begin(), report.size(), report.begin());
        return true;
    }

    bool WriteOutput(std::span<const std::uint8_t> report) override {
        // Empty for a collection without output reports: the system refuses it.
        KZ7_FUZZ_REQUIRE(report.size() <= kDataReportSize);
        if (report.empty()) return false;
        return input_.ConsumeIntegral<std::uint8_t>() != 1;
    }

    ReadResult ReadInput(std::span<std::uint8_t> report, int timeoutMs) override {
        KZ7_FUZZ_REQUIRE(report.size() <= kDataReportSize);
        // The window's thread must never wait for the mouse without a limit.
        KZ7_FUZZ_REQUIRE(timeoutMs >= 0 && timeoutMs <= kDataReadTimeoutMs);
        switch (input_.ConsumeIntegralInRange(0, 7)) {
            case 0: return {IoStatus::Error, 0};
            case 1: return {IoStatus::Timeout, 0};
            case 2: return {IoStatus::Woken, 0};
            default: break;
        }
        const std::size_t length = input_.ConsumeIntegralInRange<std::size_t>(0, report.size());
        for (std::size_t i = 0; i < length; ++i) report[i] = input_.ConsumeIntegral<std::uint8_t>();
        return {IoStatus::Ok, length};
    }

    void Wake() override {}

private:
    FuzzedDataProvider& input_;
    const DeviceLink*& link_;
    const ScrambleKey& key_;
    std::array<std::uint8_t, kHeaderReportSize> sent_{};
};

class HostileBackend : public HidBackend {
public:
    HostileBackend(FuzzedDataProvider& input, std::shared_ptr<EventReports> events, const ScrambleKey& key)
        : input_(input), events_(std::move(events)), key_(key) {}

    const DeviceLink* link = nullptr;

    std::vector<HidInterfaceInfo> Enumerate() override {
        static constexpr std::uint16_t kLengths[] = {0, 1, 2, 8, 9, 16, 17, 32, 33, 40, 41, 64, 65, 0xFFFF};
        static constexpr std::array<std::pair<std::uint16_t, std::uint16_t>, 4> kUsages = {{
            {kCommandUsagePage, kCommandUsage}, {kEventUsagePage, kEventUsage}, {kCommandUsagePage, kEventUsage},
            {0x0001, 0x0002}}};
        auto length = [&] {
            return input_.ConsumeBool() ? kLengths[input_.ConsumeIntegralInRange<std::size_t>(0, std::size(kLengths) - 1)]
                                        : input_.ConsumeIntegral<std::uint16_t>();
        };
        std::vector<HidInterfaceInfo> list;
        const int count = input_.ConsumeIntegralInRange(0, 5);
        for (int i = 0; i < count; ++i) {
            HidInterfaceInfo info;
            info.path = "/dev/hidraw" + std::to_string(input_.ConsumeIntegralInRange(0, 3));
            const bool mouse = input_.ConsumeIntegral<std::uint8_t>() != 1;
            info.vendorId = mouse ? kMouseVendorId : 0x046D;
            info.productId = mouse ? kMouseProductId : 0xC077;
            const auto usage = kUsages[input_.ConsumeIntegralInRange<std::size_t>(0, kUsages.size() - 1)];
            info.usagePage = usage.first;
            info.usage = usage.second;
            info.featureReportLength = length();
            info.inputReportLength = length();
            info.outputReportLength = length();
            list.push_back(info);
        }
        return list;
    }

    HidOpenResult Open(const std::string&, HidAccess access) override {
        if (input_.ConsumeIntegral<std::uint8_t>() == 1) return {nullptr, "Permission denied"};
        if (access == HidAccess::Read) return {std::make_unique<EventHandle>(events_), {}};
        return {std::make_unique<CommandHandle>(input_, link, key_), {}};
    }

private:
    FuzzedDataProvider& input_;
    std::shared_ptr<EventReports> events_;
    const ScrambleKey& key_;
};

// What the link tells the window, from either thread.
class Told {
public:
    void Add(DeviceEvent event, int value) {
        const bool mouseEvent = event == DeviceEvent::ReportRate || event == DeviceEvent::DpiStage ||
                                event == DeviceEvent::KeyMatrixSwitch || event == DeviceEvent::MacroKey;
        const bool linkEvent = event == DeviceEvent::MouseAccepted || event == DeviceEvent::NoMouse;
        KZ7_FUZZ_REQUIRE(mouseEvent || (linkEvent && value == 0));
        KZ7_FUZZ_REQUIRE(value >= 0 && value <= 255);
        std::lock_guard lock(mutex_);
        ++count_;
    }

private:
    std::mutex mutex_;
    std::size_t count_ = 0;
};

struct DataFolder {
    DataPaths paths = DataPaths::InFolder(fuzz::ScratchFolder() / "data");
    DataFolder() {
        std::filesystem::create_directories(paths.folder);
        const auto image = ConfigFileImage(0, StarterConfig());
        KZ7_FUZZ_REQUIRE(WriteFileAtomically(paths.config, image.data(), image.size()) == 0);
    }
};

// KZ7_FUZZ_VERBOSE=1 tells how each search ended, for following one input.
void CheckLinkState(const DeviceLink& link, const LinkResult& result) {
    static const bool verbose = std::getenv("KZ7_FUZZ_VERBOSE") != nullptr;
    if (verbose) std::fprintf(stderr, "link: %s\n", LinkFailureText(result).c_str());
    if (result.status == LinkStatus::Connected) return;
    KZ7_FUZZ_REQUIRE(!link.ScramblingOn());
}

}  // namespace
}  // namespace kz7

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kz7;
    static DataFolder folder;
    FuzzedDataProvider input(data, size);

    std::array<std::uint8_t, 6> keyBytes{};
    for (auto& byte : keyBytes) byte = input.ConsumeIntegral<std::uint8_t>();
    const ScrambleKey key = MakeScrambleKey(keyBytes);
    std::vector<std::vector<std::uint8_t>> reports(input.ConsumeIntegralInRange(0, 24));
    for (auto& report : reports) report = input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange(0, 48));
    auto events = std::make_shared<EventReports>(std::move(reports));

    HostileBackend backend(input, events, key);
    NoPause pauser;
    Told told;
    ConfigModel model;
    model.config = StarterConfig();
    model.firstRunFlag = input.ConsumeBool() ? 1 : 0;
    ButtonLabels labels;
    MemoryPointerBackend desktop;
    RecordingPrompter prompter;
    SystemPointer pointer(desktop, prompter);
    {
        DeviceLink link(backend, pauser);
        backend.link = &link;
        link.SetScrambleKey(keyBytes);
        link.SetEventCallback([&told](DeviceEvent event, int value) { told.Add(event, value); });
        ApplySession session({link, model, folder.paths, UiLanguage::English, labels, pointer, prompter});

        CheckLinkState(link, Connect(link));
        link.StartListener();
        if (link.devicePresent) KZ7_FUZZ_REQUIRE(session.FirstDeviceRead() == 0);

        for (int step = 0; step < 8 && input.remaining_bytes() > 0; ++step) {
            switch (input.ConsumeIntegralInRange(0, 5)) {
                case 0: CheckLinkState(link, Connect(link)); break;
                case 1: link.StatusExchange(); break;
                case 2: {
                    // A record edited anywhere, then OK.
                    auto* raw = reinterpret_cast<std::uint8_t*>(&model.config);
                    for (int poke = input.ConsumeIntegralInRange(0, 8); poke > 0; --poke) {
                        raw[input.ConsumeIntegralInRange<std::size_t>(0, kDeviceConfigSize - 1)] =
                            input.ConsumeIntegral<std::uint8_t>();
                    }
                    const ApplyOutcome outcome = session.Apply();
                    if (std::getenv("KZ7_FUZZ_VERBOSE")) std::fprintf(stderr, "applied\n");
                    KZ7_FUZZ_REQUIRE(outcome.configSaved && outcome.labelsError == 0);
                    KZ7_FUZZ_REQUIRE(SameBytes(model.appliedConfig, model.config));
                    break;
                }
                case 3: link.OnDeviceChange({DeviceChangeKind::Arrival, "/dev/hidraw1"}); break;
                case 4: link.OnDeviceChange({DeviceChangeKind::Removal, "/dev/hidraw1"}); break;
                default: (void)link.DpiLabel(input.ConsumeIntegral<int>()); break;
            }
            if (link.devicePresent) KZ7_FUZZ_REQUIRE(link.ScramblingOn());
        }
        link.CloseLink();
        KZ7_FUZZ_REQUIRE(!link.devicePresent && !link.EventCollectionOpen());
    }
    return 0;
}
