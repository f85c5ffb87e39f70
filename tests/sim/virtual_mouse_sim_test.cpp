#include <gtest/gtest.h>

#include <future>
#include <numeric>
#include <thread>

#include "device/command_frame.h"
#include "device/command_set.h"
#include "device/device_link.h"
#include "sim/virtual_mouse.h"

namespace kz7 {
namespace {

constexpr std::array<std::uint8_t, 6> kKey = {0xde, 0xad, 0xbe, 0xef, 0x01, 0x02};

VirtualMouse::Options Options(VirtualMouse::Dialect dialect = VirtualMouse::Dialect::Scrambled,
                              std::uint8_t sensor = 0) {
    VirtualMouse::Options options;
    options.key = kKey;
    options.dialect = dialect;
    options.sensorType = sensor;
    return options;
}

// The command collection opened directly, with the probe helpers a test needs.
struct OpenMouse {
    explicit OpenMouse(VirtualMouse::Options options = Options()) : mouse(options) {
        auto opened = mouse.Open(VirtualMouse::kCommandPath, HidAccess::ReadWrite);
        handle = std::move(opened.handle);
        channel.feature = handle.get();
        channel.featureReportLength = 9;
        channel.inputReportLength = 33;
        channel.outputReportLength = 33;
        channel.key = MakeScrambleKey(kKey);
        channel.pauser = &pauser;
    }

    // Sends a header as it is and returns the answer's bytes 1..8.
    CommandHeader Exchange(const CommandHeader& wire) {
        std::array<std::uint8_t, 9> report{};
        std::copy(wire.begin(), wire.end(), report.begin() + 1);
        handle->SetFeature(report);
        report.fill(0);
        handle->GetFeature(report);
        CommandHeader answer{};
        std::copy_n(report.begin() + 1, 8, answer.begin());
        return answer;
    }

    CommandHeader ScrambledProbe() {
        CommandHeader probe = MakeHeader(0, 0xAA, 0xDD, 0x3B, 0x62);
        Scramble(probe, MakeScrambleKey(kKey));
        return probe;
    }

    VirtualMouse mouse;
    std::unique_ptr<HidHandle> handle;
    CommandChannel channel;
    RecordingPauser pauser;
};

TEST(VirtualMouse, ListsTheTwoCollectionsOfTheMouse) {
    VirtualMouse mouse;
    const auto list = mouse.Enumerate();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].vendorId, 0x04D9);
    EXPECT_EQ(list[0].productId, 0xA09F);
    EXPECT_EQ(list[0].usagePage, 0xFF00);
    EXPECT_EQ(list[0].featureReportLength, 9);
    EXPECT_EQ(list[0].inputReportLength, 33);
    EXPECT_EQ(list[0].outputReportLength, 33);
    EXPECT_EQ(list[1].usagePage, 0xFF01);
    EXPECT_EQ(list[1].usage, 0xFF01);
    EXPECT_EQ(list[1].inputReportLength, 33);
    EXPECT_EQ(list[1].featureReportLength, 0);
}

TEST(VirtualMouse, AnswersEachProbeInItsDialect) {
    const CommandHeader plain = MakeHeader(0, 0xAA, 0xDD, 0x3B, 0x62);
    {
        OpenMouse m;
        EXPECT_EQ(m.Exchange(plain), CommandHeader{});
        EXPECT_EQ(m.Exchange(m.ScrambledProbe()), m.ScrambledProbe());
        EXPECT_TRUE(m.mouse.Snapshot().scrambledSession);
    }
    {
        OpenMouse m(Options(VirtualMouse::Dialect::Plain));
        EXPECT_EQ(m.Exchange(plain), plain);
        EXPECT_EQ(m.Exchange(m.ScrambledProbe()), CommandHeader{});
    }
}

TEST(VirtualMouse, StartsWithItsStatusAndLedBlockOne) {
    OpenMouse m(Options(VirtualMouse::Dialect::Scrambled, 3));
    m.Exchange(m.ScrambledProbe());
    m.channel.scramblingOn = true;
    DeviceImages images;
    ReadStatus(m.channel, images);
    EXPECT_EQ(images.status.sensorType, 3);
    EXPECT_EQ(images.status.rate, 1);
    EXPECT_EQ(images.status.option1, 0);
    EXPECT_EQ(images.status.option2, 0);

    CommandHeader read = MakeHeader(0x90, 1);
    std::array<std::uint8_t, 128> data{};
    TransferBlock(m.channel, read, data);
    EXPECT_EQ(read, MakeHeader(0x90, 1, 24));
    std::array<std::uint8_t, 24> expected{};
    std::iota(expected.begin(), expected.end(), std::uint8_t{1});
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), data.begin()));
    EXPECT_EQ(data[24], 0);
}

TEST(VirtualMouse, StoresWritesAndAnswersReadsFromItsState) {
    OpenMouse m;
    m.Exchange(m.ScrambledProbe());
    m.channel.scramblingOn = true;
    std::array<std::uint8_t, 140> block{};
    for (std::size_t i = 0; i < 128; ++i) block[i] = static_cast<std::uint8_t>(255 - i);
    CommandHeader write = MakeHeader(0x13, 5, 128);
    TransferBlock(m.channel, write, block);
    const auto stored = m.mouse.Snapshot().macroBlocks[4];
    EXPECT_TRUE(std::equal(stored.begin(), stored.end(), block.begin()));

    CommandHeader read = MakeHeader(0x93, 5);
    std::array<std::uint8_t, 128> back{};
    TransferBlock(m.channel, read, back);
    EXPECT_EQ(read, MakeHeader(0x93, 5, 128));
    EXPECT_TRUE(std::equal(back.begin(), back.end(), block.begin()));

    CommandHeader mode = MakeHeader(0x0D, 3, 7, 3);
    Transact(m.channel, mode);
    EXPECT_EQ(m.mouse.Snapshot().ledMode, (std::array<std::uint8_t, 3>{3, 7, 3}));
    CommandHeader status = MakeHeader(0x03, 1, 2, 3, 4);
    Transact(m.channel, status);
    EXPECT_EQ(m.mouse.Snapshot().status, (std::array<std::uint8_t, 4>{1, 2, 3, 4}));
}

TEST(VirtualMouse, IgnoresHeadersWithABadChecksumOrBeforeTheHandshake) {
    OpenMouse m;
    m.channel.scramblingOn = true;
    CommandHeader mode = MakeHeader(0x0D, 3, 7, 3);
    Transact(m.channel, mode);  // no handshake yet
    EXPECT_EQ(m.mouse.Snapshot().ledMode, (std::array<std::uint8_t, 3>{0, 0, 0}));

    m.Exchange(m.ScrambledProbe());
    CommandHeader bad = MakeHeader(0x0D, 3, 7, 3);
    bad[7] ^= 0x55;
    Scramble(bad, MakeScrambleKey(kKey));
    m.Exchange(bad);
    EXPECT_EQ(m.mouse.Snapshot().ledMode, (std::array<std::uint8_t, 3>{0, 0, 0}));
}

TEST(VirtualMouse, EventReportsReachEveryOpenEventHandle) {
    VirtualMouse mouse;
    auto first = mouse.Open(VirtualMouse::kEventPath, HidAccess::Read).handle;
    auto second = mouse.Open(VirtualMouse::kEventPath, HidAccess::Read).handle;
    mouse.SendEvent(7, 3);
    for (auto* handle : {first.get(), second.get()}) {
        std::array<std::uint8_t, 40> report{};
        const auto result = handle->ReadInput(std::span<std::uint8_t>(report.data(), 33), 1000);
        EXPECT_EQ(result.status, IoStatus::Ok);
        EXPECT_EQ(result.length, 33u);
        EXPECT_EQ(report[0], 6);
        EXPECT_EQ(report[1], 7);
        EXPECT_EQ(report[2], 0);
        EXPECT_EQ(report[3], 3);
    }
    std::array<std::uint8_t, 33> report{};
    EXPECT_EQ(first->ReadInput(report, 10).status, IoStatus::Timeout);
    first->Wake();
    EXPECT_EQ(first->ReadInput(report, -1).status, IoStatus::Woken);
}

TEST(VirtualMouse, UnplugFailsOpenHandlesWakesReadersAndNotifies) {
    VirtualMouse mouse;
    auto watcher = mouse.MakeWatcher();
    std::vector<DeviceChange> changes;
    ASSERT_TRUE(watcher->Start([&](const DeviceChange& c) { changes.push_back(c); }, nullptr));
    auto event = mouse.Open(VirtualMouse::kEventPath, HidAccess::Read).handle;
    auto command = mouse.Open(VirtualMouse::kCommandPath, HidAccess::ReadWrite).handle;

    auto blocked = std::async(std::launch::async, [&] {
        std::array<std::uint8_t, 33> report{};
        return event->ReadInput(report, -1).status;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    mouse.Unplug();
    ASSERT_EQ(blocked.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(blocked.get(), IoStatus::Error);
    EXPECT_TRUE(mouse.Enumerate().empty());
    EXPECT_FALSE(mouse.Open(VirtualMouse::kCommandPath, HidAccess::ReadWrite).handle);
    std::array<std::uint8_t, 9> report{};
    EXPECT_FALSE(command->SetFeature(report));
    mouse.SendEvent(5, 1);  // dropped

    mouse.PlugIn();
    EXPECT_FALSE(command->GetFeature(report));  // handles of before the unplug stay dead
    auto fresh = mouse.Open(VirtualMouse::kCommandPath, HidAccess::ReadWrite).handle;
    EXPECT_TRUE(fresh->GetFeature(report));
    ASSERT_EQ(changes.size(), 4u);
    EXPECT_EQ(changes[0].kind, DeviceChangeKind::Removal);
    EXPECT_EQ(changes[1].kind, DeviceChangeKind::Removal);
    EXPECT_EQ(changes[2].kind, DeviceChangeKind::Arrival);
    EXPECT_EQ(changes[3].kind, DeviceChangeKind::Arrival);

    watcher->Stop();
    mouse.Unplug();
    EXPECT_EQ(changes.size(), 4u);  // a stopped watcher hears nothing
}

TEST(VirtualMouse, UnplugsInTheMiddleOfABlockTransfer) {
    OpenMouse m;
    m.Exchange(m.ScrambledProbe());
    m.channel.scramblingOn = true;
    // Header, then four data reports: the cable goes at the third report.
    m.mouse.UnplugAtTransfer(3);
    std::array<std::uint8_t, 140> block{};
    block.fill(0x5a);
    CommandHeader write = MakeHeader(0x13, 1, 128);
    TransferBlock(m.channel, write, block);
    EXPECT_FALSE(m.mouse.IsPluggedIn());
    EXPECT_EQ(m.mouse.Snapshot().macroBlocks[0][0], 0);  // the block never completed
}

// As hidraw does, an open event handle holds 64 reports; a flood beyond that
// is dropped, not kept.
TEST(VirtualMouse, AFloodFillsTheInputBufferAndTheRestIsDropped) {
    VirtualMouse mouse(Options());
    auto event = mouse.Open(VirtualMouse::kEventPath, HidAccess::Read).handle;
    mouse.StartFlood({{6, 7, 0, 1}, {6, 5, 0, 2}}, 1000, std::chrono::milliseconds(20));
    mouse.WaitForFlood();
    EXPECT_EQ(mouse.EventReports().sent, 1000u);
    EXPECT_EQ(mouse.EventReports().dropped, 1000u - VirtualMouse::kInputBufferReports);
    std::array<std::uint8_t, 33> report{};
    std::size_t held = 0;
    while (event->ReadInput(report, 0).status == IoStatus::Ok) {
        EXPECT_EQ(report[1], held % 2 == 0 ? 7 : 5);  // the oldest are kept, in order
        ++held;
    }
    EXPECT_EQ(held, VirtualMouse::kInputBufferReports);

    mouse.Unplug();
    mouse.StartFlood({{6, 7, 0, 1}}, 100, std::chrono::milliseconds(0));
    mouse.WaitForFlood();
    EXPECT_EQ(mouse.EventReports().sent, 1000u);  // nothing goes out unplugged
}

TEST(VirtualMouse, AStalledMouseFailsEveryTransferAfterItsTimeoutUntilUnplugged) {
    OpenMouse m;
    std::array<std::uint8_t, 9> feature{};
    std::array<std::uint8_t, 33> data{};
    m.mouse.StallAtTransfer(1, std::chrono::milliseconds(5));
    EXPECT_TRUE(m.handle->SetFeature(feature));
    EXPECT_FALSE(m.handle->GetFeature(feature));
    EXPECT_FALSE(m.handle->WriteOutput(data));
    EXPECT_EQ(m.handle->ReadInput(data, 1000).status, IoStatus::Timeout);
    EXPECT_TRUE(m.mouse.IsPluggedIn());
    EXPECT_EQ(m.mouse.TransferCount(), 4);

    // Pulling the cable ends a transfer that waits for an answer.
    m.mouse.StallAtTransfer(0, std::chrono::hours(1));
    auto waiting = std::async(std::launch::async, [&] { return m.handle->GetFeature(feature); });
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    m.mouse.Unplug();
    ASSERT_EQ(waiting.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_FALSE(waiting.get());

    m.mouse.PlugIn();  // a fresh mouse answers again
    auto fresh = m.mouse.Open(VirtualMouse::kCommandPath, HidAccess::ReadWrite).handle;
    EXPECT_TRUE(fresh->GetFeature(feature));
}

}  // namespace
}  // namespace kz7
