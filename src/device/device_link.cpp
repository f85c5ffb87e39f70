#include "device/device_link.h"

#include <algorithm>
#include <chrono>

namespace kz7 {

namespace {

constexpr std::array<std::uint8_t, 4> kProbeArguments = {0xAA, 0xDD, 0x3B, 0x62};

bool IsCommandCollection(const HidInterfaceInfo& info) {
    return info.usagePage == kCommandUsagePage && info.usage == kCommandUsage && info.featureReportLength != 0;
}

bool IsEventCollection(const HidInterfaceInfo& info) {
    return info.usagePage == kEventUsagePage && info.usage == kEventUsage && info.inputReportLength != 0;
}

bool AnswersProbe(const std::array<std::uint8_t, kHeaderReportSize>& report) {
    return std::equal(kProbeArguments.begin(), kProbeArguments.end(), report.begin() + 2);
}

}  // namespace

DeviceLink::DeviceLink(HidBackend& backend, Pauser& pauser) : backend_(backend), pauser_(pauser) {
    channel_.pauser = &pauser_;
}

DeviceLink::~DeviceLink() { CloseLink(); }

void DeviceLink::SetScrambleKey(const std::array<std::uint8_t, 6>& keyBytes) {
    key_ = MakeScrambleKey(keyBytes);
}

void DeviceLink::SetEventCallback(EventCallback callback) { callback_ = std::move(callback); }

void DeviceLink::Emit(DeviceEvent event, int value) {
    if (callback_) callback_(event, value);
}

void DeviceLink::SetPresent(bool present) {
    std::shared_ptr<HidHandle> event;
    {
        std::lock_guard lock(mutex_);
        devicePresent = present;
        event = event_;
    }
    changed_.notify_all();
    // A listener blocked in a read of a mouse that is no longer accepted must
    // look at the flag again.
    if (!present && event) event->Wake();
}

void DeviceLink::CloseHandles() {
    std::shared_ptr<HidHandle> event;
    {
        std::lock_guard lock(mutex_);
        event.swap(event_);
        eventInputLength_ = 0;
    }
    changed_.notify_all();
    // The listener keeps its own reference while it reads, so the handle is
    // destroyed by whichever thread lets go of it last, never under a reader.
    if (event) event->Wake();
    channel_.feature = nullptr;
    feature_.reset();
    channel_.scramblingOn = false;
}

LinkResult DeviceLink::FindDevice() {
    CloseHandles();
    mouseInterfaces_.clear();

    std::unique_ptr<HidHandle> feature;
    std::shared_ptr<HidHandle> event;
    HidInterfaceInfo commandInfo;
    std::uint16_t eventLength = 0;
    std::optional<LinkResult> openFailure;

    // Every interface of the mouse is examined, so the event collection is
    // opened whether it is listed before or after the command collection.
    for (const HidInterfaceInfo& info : backend_.Enumerate()) {
        if (info.vendorId != kMouseVendorId || info.productId != kMouseProductId) continue;
        mouseInterfaces_.push_back(info);
        if (openFailure) continue;
        if (IsEventCollection(info) && !event) {
            HidOpenResult opened = backend_.Open(info.path, HidAccess::Read);
            if (!opened.handle) {
                openFailure = LinkResult{LinkStatus::CannotOpen, info.path, opened.error};
                continue;
            }
            event = std::move(opened.handle);
            eventLength = info.inputReportLength;
        } else if (IsCommandCollection(info) && !feature) {
            HidOpenResult opened = backend_.Open(info.path, HidAccess::ReadWrite);
            if (!opened.handle) {
                openFailure = LinkResult{LinkStatus::CannotOpen, info.path, opened.error};
                continue;
            }
            feature = std::move(opened.handle);
            commandInfo = info;
        }
    }

    if (openFailure || !feature) {
        lastResult_ = openFailure ? *openFailure : LinkResult{};
        SetPresent(false);
        return lastResult_;
    }

    feature_ = std::move(feature);
    channel_.feature = feature_.get();
    channel_.featureReportLength = commandInfo.featureReportLength;
    channel_.inputReportLength = commandInfo.inputReportLength;
    channel_.outputReportLength = commandInfo.outputReportLength;
    channel_.scramblingOn = false;
    {
        std::lock_guard lock(mutex_);
        event_ = std::move(event);
        eventInputLength_ = eventLength;
    }
    SetPresent(true);  // also wakes a listener waiting for a mouse
    lastResult_ = LinkResult{LinkStatus::Connected, {}, {}};
    return lastResult_;
}

LinkResult DeviceLink::Handshake() {
    auto probe = [&](bool scrambled) {
        std::array<std::uint8_t, kHeaderReportSize> report{};
        const CommandHeader header = MakeHeader(kCmdProbe, kProbeArguments[0], kProbeArguments[1],
                                                kProbeArguments[2], kProbeArguments[3]);
        std::copy(header.begin(), header.end(), report.begin() + 1);
        std::span<std::uint8_t, 8> wire(report.data() + 1, 8);
        if (scrambled) Scramble(wire, key_);
        const std::size_t length = std::min<std::size_t>(channel_.featureReportLength, kHeaderReportSize);
        feature_->SetFeature(std::span<const std::uint8_t>(report.data(), length));
        pauser_.Pause(std::chrono::milliseconds(kHandshakePauseMs));
        report.fill(0);
        if (feature_->GetFeature(std::span<std::uint8_t>(report.data(), length)) && scrambled) {
            Unscramble(wire, key_);
        }
        return report;
    };

    bool accepted = false;
    if (feature_) {
        channel_.key = key_;
        // A mouse that answers the plain probe speaks the other dialect: refused.
        if (!AnswersProbe(probe(false))) accepted = AnswersProbe(probe(true));
    }
    channel_.scramblingOn = accepted;
    lastResult_ = LinkResult{accepted ? LinkStatus::Connected
                                      : feature_ ? LinkStatus::Refused : LinkStatus::NoMouse,
                             {}, {}};
    Emit(accepted ? DeviceEvent::MouseAccepted : DeviceEvent::NoMouse, 0);
    SetPresent(accepted);
    return lastResult_;
}

void DeviceLink::StartListener() {
    std::lock_guard lock(mutex_);
    if (listener_.joinable() || stopping_) return;
    listener_ = std::thread([this] { ListenerLoop(); });
}

void DeviceLink::ListenerLoop() {
    std::array<std::uint8_t, kEventBufferSize> report{};
    for (;;) {
        std::shared_ptr<HidHandle> event;
        std::size_t length = 0;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return stopping_ || (devicePresent && event_); });
            if (stopping_) return;
            event = event_;
            length = std::min<std::size_t>(eventInputLength_, report.size());
        }
        report.fill(0);
        const ReadResult result = event->ReadInput(std::span<std::uint8_t>(report.data(), length), -1);
        if (result.status == IoStatus::Error) {
            // The collection is gone: sleep until the owner thread has replaced
            // or closed the handle instead of failing the same read in a loop.
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return stopping_ || event_ != event; });
            continue;
        }
        // The buffer is zeroed before each read, so a short report reads as zeros past its end.
        if (result.status != IoStatus::Ok || !devicePresent || result.length < 2) continue;
        if (report[0] != kEventReportId) continue;
        if (const std::optional<DeviceEvent> delivered = EventOfReportCode(report[1])) {
            if (callback_) callback_(*delivered, report[3]);
        }
    }
}

void DeviceLink::OnDeviceChange(const DeviceChange& change) {
    if (!FindDevice().Connected()) {
        Emit(DeviceEvent::NoMouse, 0);
        SetPresent(false);
        return;
    }
    Handshake();
    if (change.kind == DeviceChangeKind::Arrival && devicePresent) StatusExchange();
}

void DeviceLink::CloseLink() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    std::shared_ptr<HidHandle> event;
    {
        std::lock_guard lock(mutex_);
        event = event_;
    }
    if (event) event->Wake();
    if (listener_.joinable()) listener_.join();
    CloseHandles();
    devicePresent = false;
}

DeviceStatus DeviceLink::StatusExchange() { return kz7::StatusExchange(channel_, images_); }

std::string_view DeviceLink::DpiLabel(int index) const { return kz7::DpiLabel(images_, index); }

bool DeviceLink::EventCollectionOpen() const {
    std::lock_guard lock(mutex_);
    return event_ != nullptr;
}

}  // namespace kz7
