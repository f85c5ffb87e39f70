#include "sim/virtual_mouse.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <optional>
#include <thread>

#include "device/command_set.h"
#include "device/device_link.h"

namespace kz7 {

namespace {

constexpr std::uint16_t kFeatureLength = 9;
constexpr std::uint16_t kDataLength = 33;
constexpr std::size_t kChunk = 32;

using Report = std::array<std::uint8_t, kDataLength>;

CommandHeader ProbeHeader() { return MakeHeader(kCmdProbe, 0xAA, 0xDD, 0x3B, 0x62); }

bool ChecksumValid(const CommandHeader& header) { return HeaderChecksum(header) == header[7]; }

// A write command's data as it arrives in 32-byte reports.
struct PendingWrite {
    std::uint8_t code = 0;
    std::uint8_t number = 0;
    std::size_t length = 0;
    std::vector<std::uint8_t> data;
};

}  // namespace

struct HandleState {
    int generation = 0;
    bool event = false;
    bool woken = false;
    std::deque<Report> queue;  // event collection: reports for this open handle
};

struct VirtualMouse::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    Options options;
    State state;
    bool plugged = true;
    int generation = 0;
    int transfers = 0;
    int unplugAt = -1;
    int stallAt = -1;
    std::chrono::milliseconds stallTimeout{0};
    VirtualMouse::EventCounts eventCounts;
    std::thread flood;
    bool stopFlood = false;
    CommandHeader answer{};  // as it goes on the wire (scrambled in a scrambled session)
    std::optional<PendingWrite> pending;
    std::deque<Report> commandInput;
    std::vector<std::shared_ptr<HandleState>> handles;

    std::recursive_mutex watcherMutex;  // held while a watcher callback runs
    std::map<int, DeviceWatcher::Callback> watchers;
    int nextWatcher = 0;

    void Notify(DeviceChangeKind kind) {
        std::lock_guard lock(watcherMutex);
        for (const char* path : {kCommandPath, kEventPath}) {
            for (auto& [id, callback] : watchers) {
                if (callback) callback(DeviceChange{kind, path});
            }
        }
    }

    // Takes the cable out; the caller holds `mutex` and notifies watchers after releasing it.
    void UnplugLocked() {
        plugged = false;
        ++generation;
        stallAt = -1;
        pending.reset();
        commandInput.clear();
        answer.fill(0);
        state.scrambledSession = false;
        for (auto& handle : handles) handle->queue.clear();
        changed.notify_all();
    }

    bool Alive(const HandleState& handle) const { return plugged && handle.generation == generation; }

    enum class Start { Go, Fail, Stall };

    // Counts a transfer on the command collection and pulls the cable or
    // stops answering when told to. `unplugged` tells the caller to notify.
    Start BeginTransfer(const HandleState& handle, bool& unplugged) {
        if (!Alive(handle)) return Start::Fail;
        const int index = transfers++;
        if (unplugAt >= 0 && index >= unplugAt) {
            unplugAt = -1;
            UnplugLocked();
            unplugged = true;
            return Start::Fail;
        }
        if (stallAt >= 0 && index >= stallAt) return Start::Stall;
        return Start::Go;
    }

    // A transfer the mouse never answers: it ends when the time is up or
    // when the cable is pulled, whichever comes first.
    void WaitUnanswered(std::unique_lock<std::mutex>& lock, const HandleState& handle,
                        std::chrono::milliseconds timeout) {
        changed.wait_for(lock, timeout, [&] { return !Alive(handle); });
    }

    void Answer(CommandHeader header) {
        header[7] = HeaderChecksum(header);
        if (state.scrambledSession) Scramble(header, MakeScrambleKey(options.key));
        answer = header;
    }

    void QueueData(std::span<const std::uint8_t> data) {
        for (std::size_t from = 0; from < data.size(); from += kChunk) {
            Report report{};
            std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(from), std::min(kChunk, data.size() - from),
                        report.begin() + 1);
            commandInput.push_back(report);
        }
        changed.notify_all();
    }

    void ReadBlock(std::uint8_t code, std::uint8_t number, std::span<const std::uint8_t> block) {
        Answer({code, number, static_cast<std::uint8_t>(block.size()), 0, 0, 0, 0, 0});
        QueueData(block);
    }

    void Execute(const CommandHeader& h) {
        switch (h[0]) {
            case kCmdReportRate: state.status[1] = h[1]; break;
            case kCmdWriteStatus: std::copy_n(h.begin() + 1, 4, state.status.begin()); break;
            case kCmdReadStatus:
                Answer({h[0], state.status[0], state.status[1], state.status[2], state.status[3], 0, 0, 0});
                break;
            case kCmdLedMode: std::copy_n(h.begin() + 1, 3, state.ledMode.begin()); break;
            case kCmdReadLedBlock:
                if (h[1] <= 1) ReadBlock(h[0], h[1], state.ledBlocks[h[1]]);
                else if (h[1] == 2) ReadBlock(h[0], h[1], state.ledBlock2);
                else ReadBlock(h[0], h[1], {});
                break;
            case kCmdReadMacroBlock:
                if (h[1] >= 1 && h[1] <= 12) ReadBlock(h[0], h[1], state.macroBlocks[h[1] - 1u]);
                else ReadBlock(h[0], h[1], {});
                break;
            case kCmdWriteLedBlock:
            case kCmdDpiStages:
            case kCmdKeyMatrix:
            case kCmdWriteMacroBlock:
                pending = PendingWrite{h[0], h[1], h[2], {}};
                if (h[2] == 0) Store();
                break;
            default: break;
        }
    }

    template <std::size_t N>
    void StoreInto(std::array<std::uint8_t, N>& image, const PendingWrite& write) {
        std::copy_n(write.data.begin(), std::min({N, write.length, write.data.size()}), image.begin());
    }

    void Store() {
        const PendingWrite write = *pending;
        pending.reset();
        const int n = write.number;
        switch (write.code) {
            case kCmdWriteLedBlock:
                if (n <= 1) StoreInto(state.ledBlocks[static_cast<std::size_t>(n)], write);
                else if (n == 2) StoreInto(state.ledBlock2, write);
                break;
            case kCmdDpiStages: StoreInto(state.dpiStages, write); break;
            case kCmdKeyMatrix:
                if (n >= 1 && n <= 4) StoreInto(state.keyMatrices[static_cast<std::size_t>(n - 1)], write);
                break;
            case kCmdWriteMacroBlock:
                if (n >= 1 && n <= 12) StoreInto(state.macroBlocks[static_cast<std::size_t>(n - 1)], write);
                break;
            default: break;
        }
    }

    void ReceiveHeader(std::span<const std::uint8_t> report) {
        CommandHeader wire{};
        for (std::size_t i = 0; i < 8 && i + 1 < report.size(); ++i) wire[i] = report[i + 1];
        pending.reset();
        commandInput.clear();
        answer.fill(0);
        const CommandHeader probe = ProbeHeader();

        if (options.dialect == Dialect::Plain) {
            state.scrambledSession = false;
            if (wire == probe) answer = probe;
            else if (ChecksumValid(wire)) Execute(wire);
            return;
        }
        if (wire == probe) {  // the plain probe: this mouse stays silent (zeros)
            state.scrambledSession = false;
            return;
        }
        CommandHeader plain = wire;
        Unscramble(plain, MakeScrambleKey(options.key));
        if (plain == probe) {
            state.scrambledSession = true;
            Answer(probe);
            return;
        }
        if (state.scrambledSession && ChecksumValid(plain)) Execute(plain);
    }

    void ReceiveData(std::span<const std::uint8_t> report) {
        if (!pending) return;
        for (std::size_t i = 1; i <= kChunk; ++i) pending->data.push_back(i < report.size() ? report[i] : 0);
        if (pending->data.size() >= pending->length) Store();
    }
};

class VirtualMouseHandle : public HidHandle {
public:
    VirtualMouseHandle(std::shared_ptr<VirtualMouse::Shared> shared, std::shared_ptr<HandleState> state)
        : shared_(std::move(shared)), state_(std::move(state)) {}

    ~VirtualMouseHandle() override {
        std::lock_guard lock(shared_->mutex);
        auto& handles = shared_->handles;
        handles.erase(std::remove(handles.begin(), handles.end(), state_), handles.end());
    }

    bool SetFeature(std::span<const std::uint8_t> report) override {
        return Transfer([&](VirtualMouse::Shared& s) {
            if (report.size() < kFeatureLength) return false;
            s.ReceiveHeader(report);
            return true;
        });
    }

    bool GetFeature(std::span<std::uint8_t> report) override {
        return Transfer([&](VirtualMouse::Shared& s) {
            if (report.size() < kFeatureLength) return false;
            std::fill(report.begin(), report.end(), std::uint8_t{0});
            std::copy(s.answer.begin(), s.answer.end(), report.begin() + 1);
            return true;
        });
    }

    bool WriteOutput(std::span<const std::uint8_t> report) override {
        return Transfer([&](VirtualMouse::Shared& s) {
            if (report.size() < kDataLength) return false;
            s.ReceiveData(report);
            return true;
        });
    }

    ReadResult ReadInput(std::span<std::uint8_t> report, int timeoutMs) override {
        VirtualMouse::Shared& s = *shared_;
        bool unplugged = false;
        ReadResult result;
        {
            std::unique_lock lock(s.mutex);
            const auto start = state_->event ? VirtualMouse::Shared::Start::Go : s.BeginTransfer(*state_, unplugged);
            if (start == VirtualMouse::Shared::Start::Fail) {
                result.status = IoStatus::Error;
            } else if (start == VirtualMouse::Shared::Start::Stall) {
                const auto wait = timeoutMs < 0 ? s.stallTimeout
                                                : std::min(s.stallTimeout, std::chrono::milliseconds(timeoutMs));
                s.WaitUnanswered(lock, *state_, wait);
                result.status = s.Alive(*state_) ? IoStatus::Timeout : IoStatus::Error;
            } else {
                std::deque<Report>& queue = state_->event ? state_->queue : s.commandInput;
                auto ready = [&] { return state_->woken || !s.Alive(*state_) || !queue.empty(); };
                bool signalled = true;
                if (timeoutMs < 0) s.changed.wait(lock, ready);
                else signalled = s.changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
                if (!s.Alive(*state_)) {
                    result.status = IoStatus::Error;
                } else if (state_->woken) {
                    state_->woken = false;
                    result.status = IoStatus::Woken;
                } else if (!signalled || queue.empty()) {
                    result.status = IoStatus::Timeout;
                } else {
                    const Report next = queue.front();
                    queue.pop_front();
                    std::fill(report.begin(), report.end(), std::uint8_t{0});
                    result.length = std::min(report.size(), next.size());
                    std::copy_n(next.begin(), result.length, report.begin());
                    result.status = IoStatus::Ok;
                }
            }
        }
        if (unplugged) s.Notify(DeviceChangeKind::Removal);
        return result;
    }

    void Wake() override {
        {
            std::lock_guard lock(shared_->mutex);
            state_->woken = true;
        }
        shared_->changed.notify_all();
    }

private:
    template <typename Body>
    bool Transfer(Body body) {
        VirtualMouse::Shared& s = *shared_;
        bool unplugged = false;
        bool ok = false;
        {
            std::unique_lock lock(s.mutex);
            if (!state_->event) {
                switch (s.BeginTransfer(*state_, unplugged)) {
                    case VirtualMouse::Shared::Start::Go: ok = body(s); break;
                    case VirtualMouse::Shared::Start::Stall: s.WaitUnanswered(lock, *state_, s.stallTimeout); break;
                    case VirtualMouse::Shared::Start::Fail: break;
                }
            }
        }
        if (unplugged) s.Notify(DeviceChangeKind::Removal);
        return ok;
    }

    std::shared_ptr<VirtualMouse::Shared> shared_;
    std::shared_ptr<HandleState> state_;
};

class VirtualMouseWatcher : public DeviceWatcher {
public:
    explicit VirtualMouseWatcher(std::shared_ptr<VirtualMouse::Shared> shared) : shared_(std::move(shared)) {}
    ~VirtualMouseWatcher() override { Stop(); }

    bool Start(Callback callback, std::string*) override {
        std::lock_guard lock(shared_->watcherMutex);
        if (id_ < 0) id_ = shared_->nextWatcher++;
        shared_->watchers[id_] = std::move(callback);
        return true;
    }

    void Stop() override {
        std::lock_guard lock(shared_->watcherMutex);
        if (id_ >= 0) shared_->watchers.erase(id_);
        id_ = -1;
    }

private:
    std::shared_ptr<VirtualMouse::Shared> shared_;
    int id_ = -1;
};

VirtualMouse::VirtualMouse() : VirtualMouse(Options{}) {}

VirtualMouse::VirtualMouse(const Options& options) : shared_(std::make_shared<Shared>()) {
    shared_->options = options;
    shared_->plugged = options.pluggedIn;
    shared_->state.status = {options.sensorType, 1, 0, 0};
    for (std::uint8_t i = 0; i < 24; ++i) shared_->state.ledBlocks[1][i] = static_cast<std::uint8_t>(i + 1);
}

VirtualMouse::~VirtualMouse() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->stopFlood = true;
    }
    WaitForFlood();
    // Handles may outlive the mouse object; they keep the shared state and fail from now on.
    {
        std::lock_guard lock(shared_->mutex);
        shared_->UnplugLocked();
    }
    std::lock_guard lock(shared_->watcherMutex);
    shared_->watchers.clear();
}

std::vector<HidInterfaceInfo> VirtualMouse::Enumerate() {
    std::lock_guard lock(shared_->mutex);
    if (!shared_->plugged) return {};
    HidInterfaceInfo command{kCommandPath, kMouseVendorId, kMouseProductId, kCommandUsagePage, kCommandUsage,
                             kFeatureLength, kDataLength, kDataLength};
    HidInterfaceInfo event{kEventPath, kMouseVendorId, kMouseProductId, kEventUsagePage, kEventUsage,
                           0, kDataLength, 0};
    return {command, event};
}

HidOpenResult VirtualMouse::Open(const std::string& path, HidAccess) {
    std::lock_guard lock(shared_->mutex);
    HidOpenResult result;
    const bool isCommand = path == kCommandPath;
    if (!shared_->plugged || (!isCommand && path != kEventPath)) {
        result.error = "No such device";
        return result;
    }
    auto state = std::make_shared<HandleState>();
    state->generation = shared_->generation;
    state->event = !isCommand;
    shared_->handles.push_back(state);
    result.handle = std::make_unique<VirtualMouseHandle>(shared_, state);
    return result;
}

void VirtualMouse::SendEventReport(const std::array<std::uint8_t, 4>& firstBytes) {
    {
        std::lock_guard lock(shared_->mutex);
        if (!shared_->plugged) return;
        Report report{};
        std::copy(firstBytes.begin(), firstBytes.end(), report.begin());
        ++shared_->eventCounts.sent;
        for (auto& handle : shared_->handles) {
            if (!handle->event || !shared_->Alive(*handle)) continue;
            if (handle->queue.size() < kInputBufferReports) handle->queue.push_back(report);
            else ++shared_->eventCounts.dropped;
        }
    }
    shared_->changed.notify_all();
}

void VirtualMouse::StartFlood(std::vector<std::array<std::uint8_t, 4>> reports, std::size_t count,
                              std::chrono::milliseconds duration) {
    WaitForFlood();
    if (reports.empty() || count == 0) return;
    {
        std::lock_guard lock(shared_->mutex);
        shared_->stopFlood = false;
    }
    shared_->flood = std::thread([this, reports = std::move(reports), count, duration] {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point start = Clock::now();
        const std::chrono::duration<double> span = duration;
        const double total = static_cast<double>(count);
        // Report n is due at start + span * n / count.
        auto dueAt = [&](std::size_t n) {
            return start + std::chrono::duration_cast<Clock::duration>(span * (static_cast<double>(n) / total));
        };
        for (std::size_t sent = 0; sent < count;) {
            {
                std::lock_guard lock(shared_->mutex);
                if (shared_->stopFlood) return;
            }
            // Everything due by now goes at once, then a pause until the next is due.
            const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
            const double dueNow = span.count() > 0 ? elapsed / span.count() * total + 1 : total;
            const std::size_t due = dueNow >= total ? count : static_cast<std::size_t>(dueNow);
            for (; sent < due; ++sent) SendEventReport(reports[sent % reports.size()]);
            std::this_thread::sleep_until(dueAt(sent));
        }
    });
}

void VirtualMouse::WaitForFlood() {
    if (shared_->flood.joinable()) shared_->flood.join();
}

VirtualMouse::EventCounts VirtualMouse::EventReports() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->eventCounts;
}

void VirtualMouse::SendEvent(std::uint8_t code, std::uint8_t value) {
    SendEventReport({kEventReportId, code, 0, value});
}

void VirtualMouse::Unplug() {
    {
        std::lock_guard lock(shared_->mutex);
        if (!shared_->plugged) return;
        shared_->UnplugLocked();
    }
    shared_->Notify(DeviceChangeKind::Removal);
}

void VirtualMouse::PlugIn() {
    {
        std::lock_guard lock(shared_->mutex);
        if (shared_->plugged) return;
        shared_->plugged = true;
        ++shared_->generation;
    }
    shared_->Notify(DeviceChangeKind::Arrival);
}

bool VirtualMouse::IsPluggedIn() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->plugged;
}

void VirtualMouse::UnplugAtTransfer(int index) {
    std::lock_guard lock(shared_->mutex);
    shared_->unplugAt = index < 0 ? -1 : shared_->transfers + index;
}

void VirtualMouse::StallAtTransfer(int index, std::chrono::milliseconds timeout) {
    std::lock_guard lock(shared_->mutex);
    shared_->stallAt = index < 0 ? -1 : shared_->transfers + index;
    shared_->stallTimeout = timeout;
}

int VirtualMouse::TransferCount() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->transfers;
}

VirtualMouse::State VirtualMouse::Snapshot() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->state;
}

std::unique_ptr<DeviceWatcher> VirtualMouse::MakeWatcher() {
    return std::make_unique<VirtualMouseWatcher>(shared_);
}

}  // namespace kz7
