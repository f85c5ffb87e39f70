#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <numeric>

#include "config/starter_config.h"
#include "device/command_set.h"
#include "device/hex_format.h"
#include "link_fixture.h"

namespace kz7 {
namespace {

using testing::MouseOptions;
using testing::SimulatedLink;
using Bytes = std::vector<std::uint8_t>;

constexpr std::array<std::uint8_t, 6> kKey = {0x3c, 0xa5, 0x0f, 0x77, 0x81, 0xee};

// The trace an apply must leave, written down from the command table: headers
// with their checksum, scrambled with the key; data reports; the mouse's answers.
class ExpectedTrace {
public:
    explicit ExpectedTrace(const std::array<std::uint8_t, 6>& key) : key_(MakeScrambleKey(key)) {}

    void Header(const char* kind, Bytes bytes) {
        bytes.resize(7, 0);
        unsigned sum = std::accumulate(bytes.begin(), bytes.end(), 0u);
        bytes.push_back(static_cast<std::uint8_t>(0xFF - sum));
        CommandHeader header{};
        std::copy(bytes.begin(), bytes.end(), header.begin());
        Scramble(header, key_);
        lines.push_back(std::string(kind) + ": " + HexBytes(header));
    }
    void Send(Bytes bytes) { Header("set-feature", std::move(bytes)); }
    void Answer(Bytes bytes) { Header("get-feature", std::move(bytes)); }
    void Data(const char* kind, Bytes bytes) {
        for (std::size_t from = 0; from < bytes.size(); from += 32) {
            Bytes chunk(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                        bytes.begin() + static_cast<std::ptrdiff_t>(std::min(bytes.size(), from + 32)));
            chunk.resize(32, 0);
            lines.push_back(std::string(kind) + ": " + HexBytes(chunk));
            if (std::string(kind) == "output") Pause(3);
        }
    }
    void Pause(int ms) { lines.push_back("pause: " + std::to_string(ms)); }

    std::vector<std::string> lines;

private:
    ScrambleKey key_;
};

// What the simulated mouse holds before anything is written.
Bytes FreshLedBlock1() {
    Bytes block(24);
    std::iota(block.begin(), block.end(), std::uint8_t{1});
    return block;
}

struct ApplyCase {
    const char* name;
    DeviceConfig config;
    Bytes colourBlock;
    Bytes flagBlock;
    Bytes ledMode;
    std::array<Bytes, 5> stagesBySensor;  // sensor types 0..3 and 7 (no table)
};

DeviceConfig MixedRecord() {
    DeviceConfig c = StarterConfig();
    c.reportRate = 2;
    std::fill(std::begin(c.loopColorOn), std::end(c.loopColorOn), std::uint8_t{0});
    c.loopColorOn[1] = 1;
    c.loopColorOn[4] = 1;
    c.loopColor[1][0] = 0x11; c.loopColor[1][1] = 0x22; c.loopColor[1][2] = 0x33;
    c.loopColor[4][0] = 0xaa; c.loopColor[4][1] = 0xbb; c.loopColor[4][2] = 0xcc;
    c.ledMode = 2;
    c.ledModeParam[1] = 4;
    c.ledFlags[0] = 0x15; c.ledFlags[1] = 0x2a; c.ledExtra[0] = 0x07; c.ledExtra[1] = 0x09;
    const std::uint8_t levels[4] = {9, 0, 3, 7};
    const std::uint8_t on[4] = {1, 0, 1, 1};
    std::copy(levels, levels + 4, c.dpiLevel);
    std::copy(on, on + 4, c.dpiStageOn);
    for (int i = 0; i < kMacroImageSize; ++i) c.macroImage[2][i] = static_cast<std::uint8_t>(i * 7);
    c.macroImage[11][0] = 0x01;
    c.currentMode = 1;
    c.buttons[1].function[2] = kFnFireKey;
    c.buttons[1].fireCode[2] = 0x04;
    c.buttons[1].fireSpeed[2] = 0x10;
    c.buttons[1].fireTimes[2] = 5;
    return c;
}

DeviceConfig DarkRecord() {
    DeviceConfig c = ZeroConfig();
    c.reportRate = 8;
    c.ledMode = 0;  // no mode of its own: the previous LED mode bytes are sent again
    c.dpiLevel[0] = 11;
    c.dpiLevel[1] = 200;  // outside every table
    std::fill(std::begin(c.loopColorOn), std::end(c.loopColorOn), std::uint8_t{1});
    for (int k = 0; k < kLoopColours; ++k) {
        for (int x = 0; x < 3; ++x) c.loopColor[k][x] = static_cast<std::uint8_t>(k * 16 + x);
    }
    return c;
}

Bytes AllColours() {
    Bytes block;
    for (int k = 0; k < kLoopColours; ++k) {
        for (int x = 0; x < 3; ++x) block.push_back(static_cast<std::uint8_t>(k * 16 + x));
    }
    return block;
}

std::vector<ApplyCase> Cases() {
    const DeviceConfig starter = StarterConfig();
    Bytes starterColours(24, 0);
    {
        std::size_t next = 0;
        for (int k = 0; k < kLoopColours; ++k) {
            if (starter.loopColorOn[k] != 1) continue;
            for (int x = 0; x < 3; ++x) starterColours[next++] = starter.loopColor[k][x];
        }
    }
    Bytes starterStages[5];
    const std::uint8_t codes[4][12] = {
        {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x25, 0x26, 0x27, 0x28},
        {0x01, 0x02, 0x03, 0x04, 0x05, 0x23, 0x24, 0x25},
        {0x02, 0x04, 0x06, 0x08, 0x0A, 0x26, 0x28, 0x2A},
        {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08},
    };
    for (int sensor = 0; sensor < 5; ++sensor) {
        for (int stage = 0; stage < 4; ++stage) {
            const std::uint8_t code = sensor < 4 ? codes[sensor][starter.dpiLevel[stage]] : 0;
            starterStages[sensor].push_back(starter.dpiStageOn[stage] ? code : static_cast<std::uint8_t>(code | 0x80));
        }
        starterStages[sensor].insert(starterStages[sensor].end(), {0x80, 0x80, 0x80, 0x80});
    }
    const std::uint8_t starterMode = starter.ledMode;
    Bytes starterLed = {0, 0, 3};
    if (starterMode >= 1 && starterMode <= 3) {
        starterLed = {starterMode, static_cast<std::uint8_t>(starter.ledModeParam[starterMode - 1] + 1), 3};
    }

    return {
        {"starter", starter, starterColours,
         {starter.ledFlags[0], starter.ledFlags[1], starter.ledExtra[0], starter.ledExtra[1]}, starterLed,
         {starterStages[0], starterStages[1], starterStages[2], starterStages[3], starterStages[4]}},
        {"mixed", MixedRecord(),
         {0x11, 0x22, 0x33, 0xaa, 0xbb, 0xcc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         {0x15, 0x2a, 0x07, 0x09},
         {2, 5, 3},
         {Bytes{0x26, 0x81, 0x04, 0x08, 0x80, 0x80, 0x80, 0x80},
          Bytes{0x00, 0x81, 0x04, 0x25, 0x80, 0x80, 0x80, 0x80},
          Bytes{0x00, 0x82, 0x08, 0x2a, 0x80, 0x80, 0x80, 0x80},
          Bytes{0x00, 0x81, 0x04, 0x08, 0x80, 0x80, 0x80, 0x80},
          Bytes{0x00, 0x80, 0x00, 0x00, 0x80, 0x80, 0x80, 0x80}}},
        {"dark", DarkRecord(), AllColours(), {0, 0, 0, 0}, {0, 0, 3},
         {Bytes{0xa8, 0x80, 0x81, 0x81, 0x80, 0x80, 0x80, 0x80},
          Bytes{0x80, 0x80, 0x81, 0x81, 0x80, 0x80, 0x80, 0x80},
          Bytes{0x80, 0x80, 0x82, 0x82, 0x80, 0x80, 0x80, 0x80},
          Bytes{0x80, 0x80, 0x81, 0x81, 0x80, 0x80, 0x80, 0x80},
          Bytes{0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}}},
    };
}

Bytes MatrixData(const DeviceConfig& config, int n) {
    const auto bytes = MatrixBytes(BuildKeyMatrices(config)[static_cast<std::size_t>(n)]);
    return Bytes(bytes.begin(), bytes.end());
}

// The whole apply as the wire must show it, on a mouse fresh from the box.
std::vector<std::string> ExpectedApply(const ApplyCase& c, std::uint8_t sensor, int sensorColumn) {
    ExpectedTrace t(kKey);
    const DeviceConfig& r = c.config;
    t.Send({0x01, r.reportRate});
    const Bytes ledReads[3] = {Bytes(24, 0), FreshLedBlock1(), Bytes(4, 0)};
    for (std::uint8_t b = 0; b < 3; ++b) {
        t.Send({0x90, b});
        t.Answer({0x90, b, static_cast<std::uint8_t>(ledReads[b].size())});
        t.Data("input", ledReads[b]);
        t.Pause(2);
    }
    const Bytes ledWrites[3] = {c.colourBlock, FreshLedBlock1(), c.flagBlock};
    for (std::uint8_t b = 0; b < 3; ++b) {
        t.Send({0x10, b, static_cast<std::uint8_t>(ledWrites[b].size())});
        t.Data("output", ledWrites[b]);
        t.Pause(2);
    }
    t.Send({0x0D, c.ledMode[0], c.ledMode[1], c.ledMode[2]});
    t.Send({0x11, 4, 8});
    t.Data("output", c.stagesBySensor[static_cast<std::size_t>(sensorColumn)]);
    for (std::uint8_t n = 1; n <= 12; ++n) {
        t.Send({0x13, n, 0x80});
        t.Data("output", Bytes(r.macroImage[n - 1], r.macroImage[n - 1] + 128));
        t.Pause(2);
    }
    for (std::uint8_t n = 1; n <= 12; ++n) {
        t.Send({0x93, n});
        t.Answer({0x93, n, 0x80});
        t.Data("input", Bytes(r.macroImage[n - 1], r.macroImage[n - 1] + 128));
        t.Pause(2);
    }
    for (std::uint8_t n = 1; n <= 4; ++n) {
        t.Send({0x12, n, 0x40});
        t.Data("output", MatrixData(r, n - 1));
        t.Pause(2);
    }
    (void)sensor;
    return t.lines;
}

class ApplyTraceTest : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(ApplyTraceTest, WholeApplyLeavesTheExactTrace) {
    const auto [caseIndex, sensorColumn] = GetParam();
    const ApplyCase c = Cases()[static_cast<std::size_t>(caseIndex)];
    const std::uint8_t sensor = sensorColumn < 4 ? static_cast<std::uint8_t>(sensorColumn) : 7;
    SCOPED_TRACE(std::string(c.name) + " on sensor type " + std::to_string(sensor));

    VirtualMouse::Options options;
    options.key = kKey;
    options.sensorType = sensor;
    SimulatedLink sim(options);
    ASSERT_TRUE(sim.Connect());
    sim.link.StatusExchange();
    const std::size_t start = sim.lines.size();

    WriteConfigToMouse(sim.link.Channel(), sim.link.Images(), c.config);

    const auto expected = ExpectedApply(c, sensor, sensorColumn);
    const auto actual = sim.LinesFrom(start);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(actual[i], expected[i]) << "line " << i;

    // 37 headers and about a quarter of a second of pauses.
    EXPECT_EQ(std::count_if(actual.begin(), actual.end(),
                            [](const std::string& l) { return l.rfind("set-feature", 0) == 0; }),
              37);
}

INSTANTIATE_TEST_SUITE_P(RecordsAndSensors, ApplyTraceTest,
                         ::testing::Combine(::testing::Range(0, 3), ::testing::Range(0, 5)));

TEST(ApplySequence, PausesAddUpToTheProtocolFloor) {
    SimulatedLink sim(MouseOptions(kKey, 0));
    ASSERT_TRUE(sim.Connect());
    sim.pauser.pauses.clear();
    WriteConfigToMouse(sim.link.Channel(), sim.link.Images(), StarterConfig());
    const auto total = std::accumulate(sim.pauser.pauses.begin(), sim.pauser.pauses.end(),
                                       std::chrono::milliseconds(0));
    EXPECT_EQ(total, std::chrono::milliseconds(248));
}

TEST(ApplySequence, LedModeOutsideOneToThreeResendsThePreviousMode) {
    SimulatedLink sim(MouseOptions(kKey, 0));
    ASSERT_TRUE(sim.Connect());
    DeviceConfig config = MixedRecord();
    WriteConfigToMouse(sim.link.Channel(), sim.link.Images(), config);
    EXPECT_EQ(sim.mouse.Snapshot().ledMode, (std::array<std::uint8_t, 3>{2, 5, 3}));
    config.ledMode = 9;
    WriteConfigToMouse(sim.link.Channel(), sim.link.Images(), config);
    EXPECT_EQ(sim.mouse.Snapshot().ledMode, (std::array<std::uint8_t, 3>{2, 5, 3}));
}

TEST(ApplySequence, LedBlockOneReadFromTheMouseGoesBackUnchanged) {
    SimulatedLink sim(MouseOptions(kKey, 0));
    ASSERT_TRUE(sim.Connect());
    const DeviceConfig config = StarterConfig();
    WriteConfigToMouse(sim.link.Channel(), sim.link.Images(), config);
    const auto state = sim.mouse.Snapshot();
    const Bytes block1(state.ledBlocks[1].begin(), state.ledBlocks[1].end());
    EXPECT_EQ(block1, FreshLedBlock1());
    const auto matrices = BuildKeyMatrices(config);
    for (int n = 0; n < 4; ++n) {
        const auto bytes = MatrixBytes(matrices[static_cast<std::size_t>(n)]);
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), state.keyMatrices[static_cast<std::size_t>(n)].begin()));
    }
}

// The cable is pulled at every single transfer of an apply in turn.
TEST(ApplySequence, UnplugAtEveryTransferNeitherCrashesNorHangsNorHearsAnswersAfterTheCut) {
    int transfersOfOneApply = 0;
    {
        SimulatedLink sim(MouseOptions(kKey, 0));
        ASSERT_TRUE(sim.Connect());
        const int before = sim.mouse.TransferCount();
        WriteConfigToMouse(sim.link.Channel(), sim.link.Images(), MixedRecord());
        transfersOfOneApply = sim.mouse.TransferCount() - before;
    }
    ASSERT_GT(transfersOfOneApply, 100);

    for (int at = 0; at < transfersOfOneApply; ++at) {
        SCOPED_TRACE("unplugged at transfer " + std::to_string(at));
        SimulatedLink sim(MouseOptions(kKey, 0));
        std::vector<DeviceChange> changes;
        auto watcher = sim.mouse.MakeWatcher();
        watcher->Start([&](const DeviceChange& change) { changes.push_back(change); }, nullptr);
        ASSERT_TRUE(sim.Connect());
        sim.mouse.UnplugAtTransfer(at);
        const std::size_t start = sim.lines.size();
        auto done = std::async(std::launch::async, [&] {
            WriteConfigToMouse(sim.link.Channel(), sim.link.Images(), MixedRecord());
        });
        ASSERT_EQ(done.wait_for(std::chrono::seconds(10)), std::future_status::ready) << "the apply hangs";

        // After the cut nothing comes back from the mouse.
        const auto lines = sim.LinesFrom(start);
        int answered = 0;
        for (const auto& line : lines) {
            if (line.rfind("get-feature", 0) == 0 || line.rfind("input", 0) == 0) ++answered;
        }
        int answersBeforeCut = 0;
        {
            // Replay the same count on a mouse that stays: answers among the first `at` transfers.
            SimulatedLink whole(MouseOptions(kKey, 0));
            ASSERT_TRUE(whole.Connect());
            const std::size_t from = whole.lines.size();
            whole.mouse.UnplugAtTransfer(at);
            WriteConfigToMouse(whole.link.Channel(), whole.link.Images(), MixedRecord());
            answersBeforeCut = static_cast<int>(std::count_if(
                whole.lines.begin() + static_cast<std::ptrdiff_t>(from), whole.lines.end(), [](const std::string& l) {
                    return l.rfind("get-feature", 0) == 0 || l.rfind("input", 0) == 0;
                }));
        }
        EXPECT_EQ(answered, answersBeforeCut);
        EXPECT_FALSE(sim.mouse.IsPluggedIn());
        ASSERT_EQ(changes.size(), 2u);
        EXPECT_EQ(changes[0].kind, DeviceChangeKind::Removal);
        watcher->Stop();
    }
}

// A mouse that stops answering costs the one transfer it leaves unanswered:
// the rest of the apply is skipped, and the apply says so.
TEST(ApplySequence, AMouseThatStopsAnsweringEndsTheApplyAtThatTransfer) {
    int transfersOfOneApply = 0;
    {
        SimulatedLink sim(MouseOptions(kKey, 0));
        ASSERT_TRUE(sim.Connect());
        const int before = sim.mouse.TransferCount();
        EXPECT_EQ(WriteConfigToMouse(sim.link.Channel(), sim.link.Images(), MixedRecord()), MouseWrite::Done);
        transfersOfOneApply = sim.mouse.TransferCount() - before;
    }
    for (int at = 0; at < transfersOfOneApply; ++at) {
        SCOPED_TRACE("silent from transfer " + std::to_string(at));
        SimulatedLink sim(MouseOptions(kKey, 0));
        ASSERT_TRUE(sim.Connect());
        const int before = sim.mouse.TransferCount();
        sim.mouse.StallAtTransfer(at, std::chrono::milliseconds(1));
        const std::size_t start = sim.lines.size();
        EXPECT_EQ(WriteConfigToMouse(sim.link.Channel(), sim.link.Images(), MixedRecord()), MouseWrite::Stopped);
        EXPECT_EQ(sim.mouse.TransferCount() - before, at + 1);
        // No pause either once the mouse has gone silent.
        const auto lines = sim.LinesFrom(start);
        ASSERT_FALSE(lines.empty());
        EXPECT_NE(lines.back().rfind("pause", 0), 0u) << lines.back();

        // The next apply tries again, and a mouse that answers again takes it all.
        sim.mouse.StallAtTransfer(-1, std::chrono::milliseconds(0));
        const int again = sim.mouse.TransferCount();
        EXPECT_EQ(WriteConfigToMouse(sim.link.Channel(), sim.link.Images(), MixedRecord()), MouseWrite::Done);
        EXPECT_EQ(sim.mouse.TransferCount() - again, transfersOfOneApply);
    }
}

TEST(ApplySequence, WithoutAMouseNothingIsSent) {
    SimulatedLink sim(MouseOptions(kKey, 0));
    EXPECT_EQ(WriteConfigToMouse(sim.link.Channel(), sim.link.Images(), MixedRecord()), MouseWrite::NoMouse);
    EXPECT_EQ(sim.mouse.TransferCount(), 0);
}

TEST(StatusExchange, SetsBitSixAndTakesTheSensorType) {
    for (const std::uint8_t sensor : std::array<std::uint8_t, 5>{0, 1, 2, 3, 9}) {
        SimulatedLink sim(MouseOptions(kKey, sensor));
        ASSERT_TRUE(sim.Connect());
        const DeviceStatus read = sim.link.StatusExchange();
        EXPECT_EQ(read.sensorType, sensor);
        EXPECT_EQ(read.option2, 0);
        EXPECT_EQ(sim.link.Images().activeSensorType, sensor);
        EXPECT_EQ(sim.mouse.Snapshot().status, (std::array<std::uint8_t, 4>{sensor, 1, 0, 0x40}));
        // A second exchange finds the bit set and writes the same status back.
        const auto before = sim.mouse.Snapshot().status;
        sim.link.StatusExchange();
        EXPECT_EQ(sim.mouse.Snapshot().status, before);
    }
}

TEST(DpiLabel, FollowsTheActiveSensorAndStaysInsideItsTable) {
    DeviceImages images;
    EXPECT_EQ(DpiLabel(images, 9), "3000");
    images.activeSensorType = 1;
    EXPECT_EQ(DpiLabel(images, 7), "3200");
    EXPECT_EQ(DpiLabel(images, 8), "");
    EXPECT_EQ(DpiLabel(images, -1), "");
    images.activeSensorType = 4;
    EXPECT_EQ(DpiLabel(images, 0), "");
}

}  // namespace
}  // namespace kz7
