#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <future>
#include <thread>

#include "device/command_set.h"
#include "device/hex_format.h"
#include "link_fixture.h"

namespace kz7 {
namespace {

using testing::MouseOptions;
using testing::ShuffledBackend;
using testing::SimulatedLink;
using Events = testing::LinkEvents;
using enum DeviceEvent;

constexpr std::array<std::uint8_t, 6> kKey = {0x10, 0x32, 0x54, 0x76, 0x98, 0xba};

TEST(Handshake, ScrambledMouseIsAcceptedAfterBothProbes) {
    SimulatedLink sim(MouseOptions(kKey));
    ASSERT_TRUE(sim.link.FindDevice().Connected());
    EXPECT_TRUE(sim.link.devicePresent);
    EXPECT_FALSE(sim.link.ScramblingOn());
    EXPECT_TRUE(sim.link.Handshake().Connected());
    EXPECT_TRUE(sim.link.ScramblingOn());
    EXPECT_TRUE(sim.link.devicePresent);
    EXPECT_EQ(sim.events.Events(), (Events{{MouseAccepted, 0}}));

    CommandHeader probe = MakeHeader(0x00, 0xAA, 0xDD, 0x3B, 0x62);
    CommandHeader scrambled = probe;
    Scramble(scrambled, MakeScrambleKey(kKey));
    const std::vector<std::string> expected = {
        "set-feature: 00 aa dd 3b 62 00 00 db", "pause: 5", "get-feature: 00 00 00 00 00 00 00 00",
        "set-feature: " + HexBytes(scrambled),  "pause: 5", "get-feature: " + HexBytes(scrambled),
    };
    EXPECT_EQ(sim.lines, expected);
}

TEST(Handshake, RefusalsLeaveScramblingOffAndTheMouseAbsent) {
    struct Case {
        const char* name;
        VirtualMouse::Options mouse;
        std::size_t setFeatures;  // probes sent
    };
    auto wrongKey = MouseOptions(kKey);
    wrongKey.key[5] ^= 1;
    const Case cases[] = {
        {"plain dialect", MouseOptions(kKey, 0, VirtualMouse::Dialect::Plain), 1},
        {"other key", wrongKey, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimulatedLink sim(c.mouse);
        sim.link.SetScrambleKey(kKey);
        ASSERT_TRUE(sim.link.FindDevice().Connected());
        EXPECT_EQ(sim.link.Handshake().status, LinkStatus::Refused);
        EXPECT_FALSE(sim.link.ScramblingOn());
        EXPECT_FALSE(sim.link.devicePresent);
        EXPECT_EQ(sim.link.LastResult().status, LinkStatus::Refused);
        EXPECT_EQ(sim.events.Events(), (Events{{NoMouse, 0}}));
        EXPECT_EQ(static_cast<std::size_t>(std::count_if(sim.lines.begin(), sim.lines.end(), [](const std::string& l) {
                      return l.rfind("set-feature", 0) == 0;
                  })),
                  c.setFeatures);
    }
}

TEST(FindDevice, NoMouseIsReportedAsSuch) {
    auto options = MouseOptions(kKey);
    options.pluggedIn = false;
    SimulatedLink sim(options);
    EXPECT_EQ(sim.link.FindDevice(), LinkResult{});
    EXPECT_EQ(sim.link.LastResult().status, LinkStatus::NoMouse);
    EXPECT_FALSE(sim.link.devicePresent);
    EXPECT_EQ(sim.link.Handshake().status, LinkStatus::NoMouse);
    EXPECT_TRUE(sim.lines.empty());
}

TEST(FindDevice, OpensBothCollectionsWhateverTheirOrderAndTakesTheirLengths) {
    VirtualMouse mouse(MouseOptions(kKey));
    ShuffledBackend backend(mouse);
    RecordingPauser pauser;
    DeviceLink link(backend, pauser);
    ASSERT_TRUE(link.FindDevice().Connected());
    EXPECT_TRUE(link.EventCollectionOpen());
    EXPECT_EQ(backend.opened, (std::vector<std::string>{VirtualMouse::kEventPath, VirtualMouse::kCommandPath}));
    EXPECT_EQ(link.MouseInterfaces().size(), 2u);
    EXPECT_EQ(link.Channel().featureReportLength, 9);
    EXPECT_EQ(link.Channel().inputReportLength, 33);
    EXPECT_EQ(link.Channel().outputReportLength, 33);
}

TEST(FindDevice, AnInterfaceThatCannotBeOpenedIsNamedWithItsReason) {
    for (const char* refused : {VirtualMouse::kCommandPath, VirtualMouse::kEventPath}) {
        SCOPED_TRACE(refused);
        VirtualMouse mouse(MouseOptions(kKey));
        ShuffledBackend backend(mouse);
        backend.refused = {refused};
        RecordingPauser pauser;
        DeviceLink link(backend, pauser);
        const LinkResult expected{LinkStatus::CannotOpen, refused, "Permission denied"};
        EXPECT_EQ(link.FindDevice(), expected);
        EXPECT_EQ(link.LastResult(), expected);
        EXPECT_FALSE(link.devicePresent);
    }
}

// The listener delivers event reports 5, 7, 8 and 9 of report ID 6 and nothing else.
TEST(Listener, DeliversOnlyTheFourEventCodesOfReportSix) {
    SimulatedLink sim(MouseOptions(kKey));
    ASSERT_TRUE(sim.Connect());
    sim.link.StartListener();
    sim.events.Clear();

    struct Case {
        std::array<std::uint8_t, 4> report;
        bool delivered;
    };
    const Case cases[] = {
        {{6, 5, 0, 8}, true},   {{6, 7, 0, 3}, true},    {{6, 8, 0, 2}, true},  {{6, 9, 0, 12}, true},
        {{6, 6, 0, 1}, false},  {{6, 4, 0, 1}, false},   {{6, 10, 0, 1}, false}, {{6, 14, 0, 0}, false},
        {{6, 15, 0, 0}, false}, {{5, 7, 0, 2}, false},   {{0, 5, 0, 1}, false}, {{7, 9, 0, 1}, false},
        {{6, 0, 0, 0}, false},  {{6, 0xff, 0, 1}, false},
    };
    Events expected;
    for (const Case& c : cases) {
        sim.mouse.SendEventReport(c.report);
        if (c.delivered) expected.emplace_back(*EventOfReportCode(c.report[1]), c.report[3]);
    }
    // A last event that is always delivered marks the end: everything before it has been looked at.
    sim.mouse.SendEvent(ReportCode(MacroKey), 99);
    expected.emplace_back(MacroKey, 99);
    EXPECT_EQ(sim.events.WaitFor(expected.size()), expected);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(sim.events.Events(), expected);
    sim.link.CloseLink();
}

TEST(Listener, StaysQuietWithoutAMouseAndStartsWithTheFirstArrival) {
    auto options = MouseOptions(kKey);
    options.pluggedIn = false;
    SimulatedLink sim(options);
    auto watcher = sim.mouse.MakeWatcher();
    std::vector<DeviceChange> changes;
    ASSERT_TRUE(watcher->Start([&](const DeviceChange& c) { changes.push_back(c); }, nullptr));
    EXPECT_FALSE(sim.link.FindDevice().Connected());
    sim.link.StartListener();

    sim.mouse.PlugIn();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].kind, DeviceChangeKind::Arrival);
    for (const auto& change : changes) sim.link.OnDeviceChange(change);
    EXPECT_TRUE(sim.link.devicePresent);
    EXPECT_TRUE(sim.link.ScramblingOn());
    // The arrival ran the status exchange: bit 6 of option2 is set on the mouse.
    EXPECT_EQ(sim.mouse.Snapshot().status[3], 0x40);

    sim.mouse.SendEvent(ReportCode(DpiStage), 2);
    const auto events = sim.events.WaitFor(3);
    EXPECT_EQ(events, (Events{{MouseAccepted, 0}, {MouseAccepted, 0}, {DpiStage, 2}}));
    watcher->Stop();
}

TEST(DeviceChange, RemovalAndArrivalRunANewHandshake) {
    SimulatedLink sim(MouseOptions(kKey));
    auto watcher = sim.mouse.MakeWatcher();
    std::vector<DeviceChange> changes;
    watcher->Start([&](const DeviceChange& c) { changes.push_back(c); }, nullptr);
    ASSERT_TRUE(sim.Connect());
    sim.link.StartListener();
    sim.events.Clear();

    sim.mouse.Unplug();
    ASSERT_EQ(changes.size(), 2u);
    sim.link.OnDeviceChange(changes[0]);
    EXPECT_FALSE(sim.link.devicePresent);
    EXPECT_FALSE(sim.link.ScramblingOn());
    EXPECT_EQ(sim.events.Events(), (Events{{NoMouse, 0}}));

    // The mouse comes back, but the link now holds another key: no scrambling without a scrambled answer.
    changes.clear();
    sim.events.Clear();
    sim.link.SetScrambleKey({1, 2, 3, 4, 5, 6});
    sim.mouse.PlugIn();
    sim.link.OnDeviceChange(changes.at(0));
    EXPECT_FALSE(sim.link.ScramblingOn());
    EXPECT_FALSE(sim.link.devicePresent);
    EXPECT_EQ(sim.events.Events(), (Events{{NoMouse, 0}}));

    // With the right key the next arrival is accepted and events flow again.
    sim.events.Clear();
    sim.link.SetScrambleKey(kKey);
    sim.link.OnDeviceChange(changes.at(1));
    EXPECT_TRUE(sim.link.ScramblingOn());
    EXPECT_TRUE(sim.link.devicePresent);
    sim.mouse.SendEvent(ReportCode(ReportRate), 4);
    EXPECT_EQ(sim.events.WaitFor(2), (Events{{MouseAccepted, 0}, {ReportRate, 4}}));
    watcher->Stop();
}

TEST(DeviceChange, RemovalOfAnotherInterfaceKeepsTheLink) {
    SimulatedLink sim(MouseOptions(kKey));
    ASSERT_TRUE(sim.Connect());
    sim.events.Clear();
    sim.link.OnDeviceChange({DeviceChangeKind::Removal, "/dev/hidraw7"});
    EXPECT_TRUE(sim.link.devicePresent);
    EXPECT_TRUE(sim.link.ScramblingOn());
    EXPECT_EQ(sim.events.Events(), (Events{{MouseAccepted, 0}}));
}

TEST(Listener, CloseLinkStopsABlockedListenerAndDropsLaterEvents) {
    SimulatedLink sim(MouseOptions(kKey));
    ASSERT_TRUE(sim.Connect());
    sim.link.StartListener();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));  // let it block in its read
    auto closed = std::async(std::launch::async, [&] { sim.link.CloseLink(); });
    ASSERT_EQ(closed.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    sim.events.Clear();
    sim.mouse.SendEvent(ReportCode(DpiStage), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(sim.events.Events().empty());
    EXPECT_FALSE(sim.link.devicePresent);
    sim.link.CloseLink();  // twice is harmless
}

// Counts the reads on event collections.
class ReadCountingBackend : public HidBackend {
public:
    explicit ReadCountingBackend(HidBackend& inner) : inner_(inner) {}
    std::vector<HidInterfaceInfo> Enumerate() override { return inner_.Enumerate(); }
    HidOpenResult Open(const std::string& path, HidAccess access) override {
        HidOpenResult result = inner_.Open(path, access);
        if (result.handle && access == HidAccess::Read) {
            result.handle = std::make_unique<Counting>(std::move(result.handle), reads);
        }
        return result;
    }
    std::atomic<int> reads{0};

private:
    struct Counting : HidHandle {
        Counting(std::unique_ptr<HidHandle> h, std::atomic<int>& n) : inner(std::move(h)), count(n) {}
        bool SetFeature(std::span<const std::uint8_t> r) override { return inner->SetFeature(r); }
        bool GetFeature(std::span<std::uint8_t> r) override { return inner->GetFeature(r); }
        bool WriteOutput(std::span<const std::uint8_t> r) override { return inner->WriteOutput(r); }
        ReadResult ReadInput(std::span<std::uint8_t> r, int t) override {
            ++count;
            return inner->ReadInput(r, t);
        }
        void Wake() override { inner->Wake(); }
        std::unique_ptr<HidHandle> inner;
        std::atomic<int>& count;
    };
    HidBackend& inner_;
};

TEST(Listener, AnUnpluggedMouseDoesNotMakeTheListenerSpin) {
    VirtualMouse mouse(MouseOptions(kKey));
    ReadCountingBackend counting(mouse);
    SimulatedLink sim(MouseOptions(kKey), &counting);
    ASSERT_TRUE(sim.Connect());
    sim.link.StartListener();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(counting.reads, 1);  // one read, blocked
    mouse.Unplug();
    // The listener's read failed; it must now wait for a new handle, not retry.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(counting.reads, 1);
    mouse.PlugIn();
    sim.link.OnDeviceChange({DeviceChangeKind::Arrival, VirtualMouse::kCommandPath});
    sim.events.Clear();
    mouse.SendEvent(ReportCode(KeyMatrixSwitch), 1);
    EXPECT_EQ(sim.events.WaitFor(1), (Events{{KeyMatrixSwitch, 1}}));
}

TEST(Listener, AnUnpluggedMouseIsHeardAgainAfterItsArrival) {
    SimulatedLink sim(MouseOptions(kKey));
    ASSERT_TRUE(sim.Connect());
    sim.link.StartListener();
    sim.mouse.Unplug();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    sim.mouse.PlugIn();
    sim.link.OnDeviceChange({DeviceChangeKind::Arrival, VirtualMouse::kCommandPath});
    sim.events.Clear();
    sim.mouse.SendEvent(ReportCode(KeyMatrixSwitch), 1);
    EXPECT_EQ(sim.events.WaitFor(1), (Events{{KeyMatrixSwitch, 1}}));
}

TEST(Listener, DestroyingTheLinkWhileTheListenerWaitsIsClean) {
    auto options = MouseOptions(kKey);
    for (bool plugged : {true, false}) {
        options.pluggedIn = plugged;
        auto sim = std::make_unique<SimulatedLink>(options);
        sim->link.FindDevice();
        sim->link.Handshake();
        sim->link.StartListener();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        sim.reset();
    }
}

}  // namespace
}  // namespace kz7
