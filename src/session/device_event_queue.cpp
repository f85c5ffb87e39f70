#include "session/device_event_queue.h"

#include <algorithm>

namespace kz7 {

namespace {

// Where the entries after the last waiting link event begin.
std::vector<QueuedEvent>::iterator AfterLastLinkEvent(std::vector<QueuedEvent>& waiting) {
    const auto last = std::find_if(waiting.rbegin(), waiting.rend(),
                                   [](const QueuedEvent& queued) { return IsLinkEvent(queued.event); });
    return last.base();
}

}  // namespace

bool DeviceEventQueue::Push(DeviceEvent event, int value) {
    std::lock_guard lock(mutex_);
    ++counts_.pushed;
    const bool wasEmpty = waiting_.empty();
    const auto segment = AfterLastLinkEvent(waiting_);
    if (IsLinkEvent(event)) {
        if (segment != waiting_.begin() && std::prev(segment)->event == event) {
            ++counts_.replaced;
            return false;
        }
    } else if (const auto older = std::find_if(segment, waiting_.end(),
                                               [&](const QueuedEvent& queued) { return queued.event == event; });
               older != waiting_.end()) {
        waiting_.erase(older);
        ++counts_.replaced;
    }
    if (waiting_.size() >= kCapacity) MakeRoom();
    waiting_.push_back({event, value});
    counts_.mostWaiting = std::max(counts_.mostWaiting, waiting_.size());
    return wasEmpty;
}

void DeviceEventQueue::MakeRoom() {
    const auto report = std::find_if(waiting_.begin(), waiting_.end(),
                                     [](const QueuedEvent& queued) { return !IsLinkEvent(queued.event); });
    waiting_.erase(report != waiting_.end() ? report : waiting_.begin());
    ++counts_.dropped;
}

std::vector<QueuedEvent> DeviceEventQueue::TakeAll() {
    std::lock_guard lock(mutex_);
    std::vector<QueuedEvent> taken;
    taken.swap(waiting_);
    return taken;
}

DeviceEventQueue::Counts DeviceEventQueue::counts() const {
    std::lock_guard lock(mutex_);
    return counts_;
}

}  // namespace kz7
