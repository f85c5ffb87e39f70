#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "config/device_config.h"
#include "device/command_frame.h"
#include "device/command_set.h"
#include "device/device_event.h"
#include "device/device_watcher.h"
#include "device/hid_backend.h"
#include "device/pauser.h"

namespace kz7 {

inline constexpr std::uint16_t kMouseVendorId = 0x04D9;
inline constexpr std::uint16_t kMouseProductId = 0xA09F;
inline constexpr std::uint16_t kCommandUsagePage = 0xFF00;
inline constexpr std::uint16_t kCommandUsage = 0xFF00;
inline constexpr std::uint16_t kEventUsagePage = 0xFF01;
inline constexpr std::uint16_t kEventUsage = 0xFF01;
inline constexpr std::uint8_t kEventReportId = 6;
inline constexpr std::size_t kEventBufferSize = 40;
inline constexpr int kHandshakePauseMs = 5;

// How a search or a handshake ended. The link never talks to the user: the
// front ends word the outcome (with the node and the reason for CannotOpen).
enum class LinkStatus {
    Connected,   // FindDevice: the command collection is open; Handshake: accepted
    NoMouse,     // no interface of the mouse is there
    CannotOpen,  // an interface of the mouse exists but cannot be opened
    Refused,     // the mouse did not answer the scrambled handshake
};

struct LinkResult {
    LinkStatus status = LinkStatus::NoMouse;
    std::string path;   // CannotOpen: the device node
    std::string error;  // CannotOpen: why, as the system says it
    bool Connected() const { return status == LinkStatus::Connected; }
    bool operator==(const LinkResult&) const = default;
};

// The mouse's two collections and what we know of them after a search.
//
// Threads: everything here runs on one owner thread (the window thread of the
// front end, the main thread of kz7ctl) except the listener thread started by
// StartListener, which only reads event reports and calls the event callback.
//
// Usage:
//   DeviceLink link(backend, pauser);
//   link.SetScrambleKey(key);
//   link.SetEventCallback([](DeviceEvent event, int value) { /* queue to the UI thread */ });
//   if (link.FindDevice().Connected()) link.Handshake();
//   link.StartListener();
//   if (link.devicePresent) link.StatusExchange();
//   watcher.Start([&](const DeviceChange& c) { /* queue */ link.OnDeviceChange(c); });
//   ... WriteConfigToMouse(link.Channel(), link.Images(), config);
//   link.CloseLink();  // also done by the destructor
class DeviceLink {
public:
    // The mouse's own events arrive on the listener thread; MouseAccepted and
    // NoMouse on the thread that calls Handshake or OnDeviceChange. The
    // callback must not wait for the owner thread (CloseLink joins the
    // listener), so a front end queues the event instead of blocking.
    using EventCallback = std::function<void(DeviceEvent event, int value)>;

    DeviceLink(HidBackend& backend, Pauser& pauser);
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // The six key bytes of the scrambled dialect (six zero bytes until set).
    void SetScrambleKey(const std::array<std::uint8_t, 6>& keyBytes);
    // Set before StartListener; it is not changed while the listener runs.
    void SetEventCallback(EventCallback callback);

    // Looks at every interface of the mouse 04D9:A09F, opens the command
    // collection (0xFF00/0xFF00) and the event collection (0xFF01/0xFF01)
    // whatever their order, and stores their report lengths. Handles of an
    // earlier search are closed first, and scrambling is off until the next
    // handshake. Connected when the command collection is open; otherwise
    // NoMouse, or CannotOpen with the node and the system's reason.
    LinkResult FindDevice();
    // Plain probe, then scrambled probe. Accepts the mouse only when it answers
    // the scrambled probe: scrambling on, MouseAccepted, devicePresent true.
    // Otherwise scrambling off, NoMouse, devicePresent false, and the result
    // is Refused (NoMouse when no command collection is open).
    LinkResult Handshake();
    // True while an accepted mouse is connected (FindDevice sets it when the
    // command collection opens; the handshake then gives its verdict).
    std::atomic<bool> devicePresent{false};

    // Starts the listener thread. It blocks (no polling) until a mouse is
    // present and delivers event reports with ID 6 and codes 5, 7, 8 and 9.
    void StartListener();

    // Arrival: FindDevice, Handshake and, when accepted, StatusExchange.
    // Removal: FindDevice again (another interface may remain), Handshake.
    // A search that fails sends NoMouse and clears devicePresent.
    void OnDeviceChange(const DeviceChange& change);

    // Stops and joins the listener and closes every handle. Safe to call twice.
    void CloseLink();

    // Runs the status exchange on the open command collection; returns the status as read.
    DeviceStatus StatusExchange();
    // DPI label of a level for the sensor found by the last status exchange.
    std::string_view DpiLabel(int index) const;

    // For the command set and the apply sequence (owner thread only).
    CommandChannel& Channel() { return channel_; }
    DeviceImages& Images() { return images_; }
    const DeviceImages& Images() const { return images_; }

    bool ScramblingOn() const { return channel_.scramblingOn; }
    // Every interface of the mouse seen by the last search.
    const std::vector<HidInterfaceInfo>& MouseInterfaces() const { return mouseInterfaces_; }
    // Whether the last search opened an event collection.
    bool EventCollectionOpen() const;
    // How the last FindDevice or Handshake ended.
    const LinkResult& LastResult() const { return lastResult_; }

private:
    void CloseHandles();
    void SetPresent(bool present);
    void Emit(DeviceEvent event, int value);
    void ListenerLoop();

    HidBackend& backend_;
    Pauser& pauser_;
    EventCallback callback_;
    ScrambleKey key_{};

    std::unique_ptr<HidHandle> feature_;
    CommandChannel channel_;
    DeviceImages images_;
    std::vector<HidInterfaceInfo> mouseInterfaces_;
    LinkResult lastResult_;

    // Shared with the listener thread, guarded by mutex_.
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::shared_ptr<HidHandle> event_;
    std::uint16_t eventInputLength_ = 0;
    bool stopping_ = false;
    std::thread listener_;
};

}  // namespace kz7
