#pragma once

// The mouse's events on their way from the thread that hears them to the
// window thread that shows them, in a queue of bounded size.

#include <cstddef>
#include <mutex>
#include <vector>

#include "device/device_event.h"

namespace kz7 {

struct QueuedEvent {
    DeviceEvent event;
    int value = 0;
    bool operator==(const QueuedEvent&) const = default;
};

// The mouse's own reports are states (the DPI stage, the report rate, the
// key matrix, the macro key): a report still waiting gives way to a newer
// one of its kind, which takes its place at the end of the queue, so that a
// mouse sending thousands a second costs a few entries. A report never
// passes a link event (mouse accepted, no mouse) that came before it. The
// link events are the plugging and unplugging the user must hear of: every
// one waits, in order, except a repeat of the last link event waiting (both
// interfaces of a mouse come and go together). Only when kCapacity entries
// wait, which takes a dozen link events between two takes, does an entry
// make room: the oldest report, or with none waiting the oldest link event.
class DeviceEventQueue {
public:
    static constexpr std::size_t kCapacity = 64;

    // From any thread. True when the queue was empty: whoever takes the
    // events must be told, once for the whole batch that follows.
    bool Push(DeviceEvent event, int value);
    // Everything waiting, oldest first, leaving the queue empty.
    std::vector<QueuedEvent> TakeAll();

    struct Counts {
        std::size_t pushed = 0;
        std::size_t replaced = 0;  // reports a newer one of their kind replaced, and repeated link events
        std::size_t dropped = 0;   // entries that made room at kCapacity
        std::size_t mostWaiting = 0;
    };
    Counts counts() const;

private:
    void MakeRoom();

    mutable std::mutex mutex_;
    std::vector<QueuedEvent> waiting_;
    Counts counts_;
};

// MouseAccepted and NoMouse: the link's own events, not the mouse's reports.
constexpr bool IsLinkEvent(DeviceEvent event) {
    return event == DeviceEvent::MouseAccepted || event == DeviceEvent::NoMouse;
}

}  // namespace kz7
