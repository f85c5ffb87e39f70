#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/command_frame.h"
#include "device/device_watcher.h"
#include "device/hid_backend.h"

namespace kz7 {

// The mouse's side of the protocol, as a HID backend that the link cannot tell
// from the real one: one device 04D9:A09F with a command collection (feature
// length 9, input and output length 33) and an event collection (input length
// 33, report ID 6). Every public member is safe to call from any thread.
class VirtualMouse : public HidBackend {
public:
    static constexpr const char* kCommandPath = "/dev/kz7-sim/command";
    static constexpr const char* kEventPath = "/dev/kz7-sim/event";

    enum class Dialect {
        Scrambled,  // answers the probe scrambled with its key: the mouse the program accepts
        Plain,      // answers the plain probe: a mouse the program must refuse
    };

    struct Options {
        Dialect dialect = Dialect::Scrambled;
        std::array<std::uint8_t, 6> key{};
        std::uint8_t sensorType = 0;
        bool pluggedIn = true;
    };

    // What the mouse holds; a snapshot for tests and demonstrations.
    struct State {
        std::array<std::uint8_t, 4> status{};  // sensorType, rate, option1, option2
        std::array<std::array<std::uint8_t, 24>, 2> ledBlocks{};  // blocks 0 and 1
        std::array<std::uint8_t, 4> ledBlock2{};
        std::array<std::uint8_t, 3> ledMode{};
        std::array<std::uint8_t, 8> dpiStages{};
        std::array<std::array<std::uint8_t, 128>, 12> macroBlocks{};
        std::array<std::array<std::uint8_t, 64>, 4> keyMatrices{};
        bool scrambledSession = false;  // the last probe came scrambled with the right key
    };

    VirtualMouse();
    explicit VirtualMouse(const Options& options);
    ~VirtualMouse() override;

    // HidBackend
    std::vector<HidInterfaceInfo> Enumerate() override;
    HidOpenResult Open(const std::string& path, HidAccess access) override;

    // Input reports each open handle of the event collection holds until it
    // is read, as hidraw holds them; a report that finds them full is
    // dropped, as hidraw drops it.
    static constexpr std::size_t kInputBufferReports = 64;

    // Sends event report 06 code 00 value on the event collection now
    // (dropped while unplugged or when nobody has the collection open).
    void SendEvent(std::uint8_t code, std::uint8_t value);
    // Sends any input report on the event collection (for reports of other IDs).
    void SendEventReport(const std::array<std::uint8_t, 4>& firstBytes);

    // A mouse gone wild: sends `count` event reports from a thread of its
    // own, spread evenly over `duration`, cycling through `reports`, and
    // returns at once. Reports are dropped while unplugged, as any report is.
    // StartFlood and WaitForFlood are called from one thread at a time.
    void StartFlood(std::vector<std::array<std::uint8_t, 4>> reports, std::size_t count,
                    std::chrono::milliseconds duration);
    // Waits for the flood to end (at once when there is none).
    void WaitForFlood();
    struct EventCounts {
        std::size_t sent = 0;     // reports sent while plugged in
        std::size_t dropped = 0;  // of those, reports a full buffer dropped
    };
    EventCounts EventReports() const;
    // Pulls the cable: every open handle fails from now on, pending reads
    // return at once, and the watcher reports the removal of both interfaces.
    void Unplug();
    // Plugs the mouse in again with fresh state of the protocol session; the
    // watcher reports the arrival of both interfaces.
    void PlugIn();
    bool IsPluggedIn() const;
    // Unplugs the mouse as transfer number `index` (0 = the next one) on the
    // command collection starts, so that transfer and all later ones fail.
    // A negative index cancels.
    void UnplugAtTransfer(int index);
    // The mouse stops answering as transfer number `index` (0 = the next)
    // on the command collection starts: that transfer and every later one
    // fails after `timeout`, as the kernel gives up on a USB transfer the
    // device never completes, and a data read hears nothing for as long (or
    // for its own timeout when that is shorter). Unplugging ends it (pending
    // transfers fail at once); a negative index cancels.
    void StallAtTransfer(int index, std::chrono::milliseconds timeout);
    // Transfers made on the command collection so far.
    int TransferCount() const;

    State Snapshot() const;

    // Arrival and removal of the simulated interfaces. The callback runs on
    // the thread that calls PlugIn or Unplug (or the transfer that unplugs).
    std::unique_ptr<DeviceWatcher> MakeWatcher();

private:
    friend class VirtualMouseHandle;
    friend class VirtualMouseWatcher;
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

}  // namespace kz7
