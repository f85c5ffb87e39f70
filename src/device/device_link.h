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
#include "config/prompter.h"
#include "device/command_frame.h"
#include "device/command_set.h"
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

// Kinds of the link's events (the balloon kinds of the front end).
enum LinkEventKind : int {
    kEventReportRate = 5,  // value: polling interval in ms (1, 2, 4, 8)
    kEventDpiStage = 7,    // value: stage 1..4
    kEventKeyMatrix = 8,   // value: key matrix number
    kEventMacroKey = 9,    // value: a number shown to the user
    kEventMouseAccepted = 14,
    kEventNoMouse = 15,
};

// Why the last FindDevice failed, for the user.
inline constexpr std::string_view kNoMouseFound = "no mouse found";
inline constexpr std::string_view kHandshakeRefused =
    "the mouse did not accept the handshake: check the scramble key";
inline constexpr std::string_view kUdevRuleHint =
    "install data/70-kz7.rules in /etc/udev/rules.d (or lib/udev/rules.d) so that the logged-in "
    "user may open the mouse, then unplug and plug it in again";

// The mouse's two collections and what we know of them after a search.
//
// Threads: everything here runs on one owner thread (the window thread of the
// front end, the main thread of kz7ctl) except the listener thread started by
// StartListener, which only reads event reports and calls the event callback.
//
// Usage:
//   DeviceLink link(backend, pauser, prompter);
//   link.SetScrambleKey(key);
//   link.SetEventCallback([](int kind, int value) { /* queue to the UI thread */ });
//   if (link.FindDevice()) link.Handshake();
//   link.StartListener();
//   if (link.devicePresent) link.StatusExchange();
//   watcher.Start([&](const DeviceChange& c) { /* queue */ link.OnDeviceChange(c); });
//   ... ApplyConfig(link.Channel(), link.Images(), model, path, prompter, saveLabels);
//   link.CloseLink();  // also done by the destructor
class DeviceLink {
public:
    // kind is a LinkEventKind. Kinds 5, 7, 8 and 9 arrive on the listener
    // thread; 14 and 15 on the thread that calls Handshake or OnDeviceChange.
    // The callback must not wait for the owner thread (CloseLink joins the
    // listener), so a front end queues the event instead of blocking.
    using EventCallback = std::function<void(int kind, int value)>;

    DeviceLink(HidBackend& backend, Pauser& pauser, Prompter& prompter);
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
    // handshake. True when the command collection is open; otherwise
    // LastError() says why ("no mouse found", "cannot open PATH: ...").
    bool FindDevice();
    // Plain probe, then scrambled probe. Accepts the mouse only when it answers
    // the scrambled probe: scrambling on, event 14, devicePresent true.
    // Otherwise scrambling off, event 15, devicePresent false.
    bool Handshake();
    // True while an accepted mouse is connected (FindDevice sets it when the
    // command collection opens; the handshake then gives its verdict).
    std::atomic<bool> devicePresent{false};

    // Starts the listener thread. It blocks (no polling) until a mouse is
    // present and delivers event reports with ID 6 and codes 5, 7, 8 and 9.
    void StartListener();

    // Arrival: FindDevice, Handshake and, when accepted, StatusExchange.
    // Removal: FindDevice again (another interface may remain), Handshake.
    // A search that fails sends event 15 and clears devicePresent.
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
    // Why the last FindDevice or Handshake failed; empty after success.
    const std::string& LastError() const { return lastError_; }

private:
    void CloseHandles();
    void SetPresent(bool present);
    void Emit(int kind, int value);
    void ListenerLoop();

    HidBackend& backend_;
    Pauser& pauser_;
    Prompter& prompter_;
    EventCallback callback_;
    ScrambleKey key_{};

    std::unique_ptr<HidHandle> feature_;
    CommandChannel channel_;
    DeviceImages images_;
    std::vector<HidInterfaceInfo> mouseInterfaces_;
    std::string lastError_;

    // Shared with the listener thread, guarded by mutex_.
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::shared_ptr<HidHandle> event_;
    std::uint16_t eventInputLength_ = 0;
    bool stopping_ = false;
    std::thread listener_;
};

}  // namespace kz7
