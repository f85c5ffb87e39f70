#include "session/device_event_queue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace kz7 {
namespace {

using enum DeviceEvent;
using Events = std::vector<QueuedEvent>;

TEST(DeviceEventQueue, KeepsTheNewestReportOfEachKindAndEveryPlugAndUnplug) {
    const struct {
        const char* what;
        Events pushed;
        Events taken;
    } cases[] = {
        {"a report of each kind", {{DpiStage, 1}, {ReportRate, 2}, {KeyMatrixSwitch, 1}, {MacroKey, 3}},
         {{DpiStage, 1}, {ReportRate, 2}, {KeyMatrixSwitch, 1}, {MacroKey, 3}}},
        {"a newer report replaces the waiting one and goes last",
         {{DpiStage, 1}, {ReportRate, 2}, {DpiStage, 3}, {DpiStage, 4}}, {{ReportRate, 2}, {DpiStage, 4}}},
        {"plug and unplug all wait, in order",
         {{NoMouse, 0}, {MouseAccepted, 0}, {NoMouse, 0}, {MouseAccepted, 0}},
         {{NoMouse, 0}, {MouseAccepted, 0}, {NoMouse, 0}, {MouseAccepted, 0}}},
        {"the second interface's repeat is dropped", {{NoMouse, 0}, {NoMouse, 0}}, {{NoMouse, 0}}},
        {"a repeat with a report between is still a repeat", {{MouseAccepted, 0}, {DpiStage, 2}, {MouseAccepted, 0}},
         {{MouseAccepted, 0}, {DpiStage, 2}}},
        {"a report never passes the unplug before it",
         {{DpiStage, 1}, {NoMouse, 0}, {MouseAccepted, 0}, {DpiStage, 2}},
         {{DpiStage, 1}, {NoMouse, 0}, {MouseAccepted, 0}, {DpiStage, 2}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeviceEventQueue queue;
        for (const QueuedEvent& e : c.pushed) queue.Push(e.event, e.value);
        EXPECT_EQ(queue.TakeAll(), c.taken);
        EXPECT_TRUE(queue.TakeAll().empty());
        EXPECT_EQ(queue.counts().pushed, c.pushed.size());
        EXPECT_EQ(queue.counts().replaced, c.pushed.size() - c.taken.size());
        EXPECT_EQ(queue.counts().dropped, 0u);
    }
}

TEST(DeviceEventQueue, OnlyThePushIntoAnEmptyQueueAsksForATake) {
    DeviceEventQueue queue;
    EXPECT_TRUE(queue.Push(DpiStage, 1));
    EXPECT_FALSE(queue.Push(ReportRate, 1));
    EXPECT_FALSE(queue.Push(NoMouse, 0));
    EXPECT_EQ(queue.TakeAll().size(), 3u);
    EXPECT_TRUE(queue.Push(DpiStage, 2));
}

TEST(DeviceEventQueue, AtCapacityTheOldestReportMakesRoomThenTheOldestLinkEvent) {
    DeviceEventQueue queue;
    queue.Push(DpiStage, 1);
    for (std::size_t i = 0; i + 1 < DeviceEventQueue::kCapacity; ++i) queue.Push(i % 2 ? NoMouse : MouseAccepted, 0);
    ASSERT_EQ(queue.counts().mostWaiting, DeviceEventQueue::kCapacity);  // ... A, N, A
    queue.Push(MouseAccepted, 0);  // a repeat: nothing to make room for
    EXPECT_EQ(queue.counts().dropped, 0u);
    queue.Push(NoMouse, 0);
    Events taken = queue.TakeAll();
    ASSERT_EQ(taken.size(), DeviceEventQueue::kCapacity);
    EXPECT_EQ(taken.front(), (QueuedEvent{MouseAccepted, 0}));  // the report went first
    EXPECT_EQ(taken.back(), (QueuedEvent{NoMouse, 0}));

    for (std::size_t i = 0; i < DeviceEventQueue::kCapacity + 10; ++i) queue.Push(i % 2 ? NoMouse : MouseAccepted, 0);
    taken = queue.TakeAll();
    ASSERT_EQ(taken.size(), DeviceEventQueue::kCapacity);
    EXPECT_EQ(taken.back(), (QueuedEvent{NoMouse, 0}));  // the newest state is never the one dropped
    EXPECT_EQ(queue.counts().dropped, 11u);
    EXPECT_EQ(queue.counts().mostWaiting, DeviceEventQueue::kCapacity);
}

// The listener's thread pushes as fast as it can while the window takes.
TEST(DeviceEventQueue, AFloodFromAnotherThreadStaysAtAFewEntries) {
    DeviceEventQueue queue;
    constexpr int kReports = 200000;
    std::thread listener([&] {
        for (int i = 0; i < kReports; ++i) queue.Push(i % 2 ? DpiStage : ReportRate, i % 4 + 1);
    });
    std::size_t taken = 0;
    QueuedEvent last{};
    while (taken == 0 || queue.counts().pushed < kReports) {
        for (const QueuedEvent& e : queue.TakeAll()) {
            ++taken;
            last = e;
        }
    }
    listener.join();
    for (const QueuedEvent& e : queue.TakeAll()) {
        ++taken;
        last = e;
    }
    EXPECT_LE(queue.counts().mostWaiting, 2u);
    EXPECT_EQ(queue.counts().pushed, static_cast<std::size_t>(kReports));
    EXPECT_EQ(taken + queue.counts().replaced, static_cast<std::size_t>(kReports));
    EXPECT_EQ(last, (QueuedEvent{DpiStage, (kReports - 1) % 4 + 1}));  // the newest always arrives
}

}  // namespace
}  // namespace kz7
