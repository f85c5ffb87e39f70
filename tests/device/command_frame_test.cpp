#include "device/command_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <vector>

namespace kz7 {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A command collection that records what is sent and answers from queues.
class FakeHandle : public HidHandle {
public:
    bool SetFeature(std::span<const std::uint8_t> report) override {
        calls.push_back("set");
        sentFeatures.emplace_back(report.begin(), report.end());
        return true;
    }
    bool GetFeature(std::span<std::uint8_t> report) override {
        calls.push_back("get");
        if (failGet || featureAnswers.empty()) return false;
        const Bytes answer = featureAnswers.front();
        featureAnswers.pop_front();
        std::copy_n(answer.begin(), std::min(answer.size(), report.size()), report.begin());
        return true;
    }
    bool WriteOutput(std::span<const std::uint8_t> report) override {
        calls.push_back("write");
        outputs.emplace_back(report.begin(), report.end());
        return true;
    }
    ReadResult ReadInput(std::span<std::uint8_t> report, int) override {
        calls.push_back("read");
        if (inputs.empty()) return {IoStatus::Error, 0};
        const Bytes answer = inputs.front();
        inputs.pop_front();
        const auto n = std::min(answer.size(), report.size());
        std::copy_n(answer.begin(), n, report.begin());
        return {IoStatus::Ok, n};
    }
    void Wake() override {}

    std::vector<std::string> calls;
    std::vector<Bytes> sentFeatures, outputs;
    std::deque<Bytes> featureAnswers, inputs;
    bool failGet = false;
};

class FrameTest : public ::testing::Test {
protected:
    CommandChannel Channel() {
        CommandChannel channel;
        channel.feature = &hid;
        channel.featureReportLength = 9;
        channel.inputReportLength = 33;
        channel.outputReportLength = 33;
        channel.pauser = &pauser;
        return channel;
    }
    // A header answer as the device sends it: report ID 0, then 8 bytes.
    static Bytes FeatureAnswer(const CommandHeader& header) {
        Bytes report(1 + header.size(), 0);  // not insert(): GCC 12 at -O3 warns falsely (-Warray-bounds)
        std::copy(header.begin(), header.end(), report.begin() + 1);
        return report;
    }
    static Bytes InputReport(std::uint8_t fill) {
        Bytes report(33, fill);
        report[0] = 0;
        return report;
    }

    FakeHandle hid;
    RecordingPauser pauser;
};

// Scramble written the other way round: as a 64-bit rotation of the swapped, keyed bytes.
std::array<std::uint8_t, 8> ReferenceScramble(std::array<std::uint8_t, 8> d, const ScrambleKey& key) {
    const std::array<std::uint8_t, 8> swapped{d[5], d[4], d[7], d[6], d[1], d[0], d[3], d[2]};
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i) {
        const std::uint8_t keyed = (i >= 1 && i <= 6) ? swapped[i] ^ key[i] : swapped[i];
        value = (value << 8) | keyed;
    }
    value = (value << 3) | (value >> 61);
    const char table[] = "KeTaViqU";
    std::array<std::uint8_t, 8> out{};
    for (int i = 0; i < 8; ++i) {
        const auto t = static_cast<std::uint8_t>(table[i]);
        const auto nibbleSwapped = static_cast<std::uint8_t>((t << 4) | (t >> 4));
        out[i] = static_cast<std::uint8_t>(static_cast<std::uint8_t>(value >> (56 - 8 * i)) + nibbleSwapped);
    }
    return out;
}

TEST(Checksum, MakesTheEightBytesAddUpToFF) {
    EXPECT_EQ(HeaderChecksum({0x00, 0xAA, 0xDD, 0x3B, 0x62, 0x00, 0x00, 0x00}), 0xDB);
    EXPECT_EQ(HeaderChecksum({0x00, 0xAA, 0xDD, 0x3B, 0x62, 0x00, 0x00, 0x77}), 0xDB);
    EXPECT_EQ(HeaderChecksum({0, 0, 0, 0, 0, 0, 0, 0}), 0xFF);
    EXPECT_EQ(HeaderChecksum({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0}), 0x06);
}

TEST(Scrambler, MatchesTheRotationReadingAndRoundTrips) {
    std::mt19937 random(12345);
    for (int round = 0; round < 20000; ++round) {
        std::array<std::uint8_t, 6> keyBytes{};
        std::array<std::uint8_t, 8> block{};
        for (auto& b : keyBytes) b = static_cast<std::uint8_t>(random());
        for (auto& b : block) b = static_cast<std::uint8_t>(random());
        const ScrambleKey key = MakeScrambleKey(keyBytes);
        auto bytes = block;
        Scramble(bytes, key);
        ASSERT_EQ(bytes, ReferenceScramble(block, key)) << "round " << round;
        Unscramble(bytes, key);
        ASSERT_EQ(bytes, block) << "round " << round;
    }
}

TEST(Scrambler, KeyBytesZeroAndSevenAreNeverUsed) {
    ScrambleKey key = MakeScrambleKey({1, 2, 3, 4, 5, 6});
    EXPECT_EQ(key[0], 0);
    EXPECT_EQ(key[7], 0);
    ScrambleKey dirty = key;
    dirty[0] = 0xFF;
    dirty[7] = 0xFF;
    std::array<std::uint8_t, 8> a{1, 2, 3, 4, 5, 6, 7, 8}, b = a;
    Scramble(a, key);
    Scramble(b, dirty);
    EXPECT_EQ(a, b);
}

TEST_F(FrameTest, WriteHeaderGoesOutPlainWithComputedChecksumAndNoAnswer) {
    CommandChannel channel = Channel();
    CommandHeader header{0x01, 0x02, 0, 0, 0, 0, 0, 0x99};
    Transact(channel, header);
    ASSERT_EQ(hid.calls, (std::vector<std::string>{"set"}));
    EXPECT_EQ(hid.sentFeatures[0], (Bytes{0, 0x01, 0x02, 0, 0, 0, 0, 0, 0xFC}));
    EXPECT_TRUE(pauser.pauses.empty());
}

TEST_F(FrameTest, ReadHeaderIsScrambledOnTheWireAndItsAnswerUnscrambled) {
    CommandChannel channel = Channel();
    channel.scramblingOn = true;
    channel.key = MakeScrambleKey({0x11, 0x22, 0x33, 0x44, 0x55, 0x66});

    CommandHeader answer = MakeHeader(0x83, 3, 1, 0, 0x40);
    CommandHeader wireAnswer = answer;
    Scramble(wireAnswer, channel.key);
    hid.featureAnswers.push_back(FeatureAnswer(wireAnswer));

    CommandHeader header = MakeHeader(0x83);
    CommandHeader expectedWire = header;
    Scramble(expectedWire, channel.key);
    Transact(channel, header);

    ASSERT_EQ(hid.calls, (std::vector<std::string>{"set", "get"}));
    EXPECT_EQ(Bytes(hid.sentFeatures[0].begin() + 1, hid.sentFeatures[0].end()),
              Bytes(expectedWire.begin(), expectedWire.end()));
    EXPECT_EQ(header, answer);
}

TEST_F(FrameTest, AFailedAnswerLeavesAZeroHeaderEvenWhenScrambling) {
    CommandChannel channel = Channel();
    channel.scramblingOn = true;
    hid.failGet = true;
    CommandHeader header = MakeHeader(0x90, 1);
    std::array<std::uint8_t, 128> data{};
    TransferBlock(channel, header, data);
    EXPECT_EQ(header, CommandHeader{});
    EXPECT_EQ(std::count(hid.calls.begin(), hid.calls.end(), "read"), 0);
}

TEST_F(FrameTest, FeatureLengthLongerThanTheReportBufferIsCut) {
    CommandChannel channel = Channel();
    channel.featureReportLength = 64;
    CommandHeader header = MakeHeader(0x01, 1);
    Transact(channel, header);
    EXPECT_EQ(hid.sentFeatures[0].size(), kHeaderReportSize);
}

TEST_F(FrameTest, WriteBlocksAreSentIn32ByteReportsWithAPauseAfterEach) {
    struct Case {
        std::uint8_t length;
        std::size_t reports;
    };
    for (const Case c : {Case{0, 0}, Case{4, 1}, Case{8, 1}, Case{24, 1}, Case{32, 1}, Case{64, 2}, Case{128, 4}}) {
        hid = FakeHandle();
        pauser.pauses.clear();
        CommandChannel channel = Channel();
        std::array<std::uint8_t, 140> data{};
        for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i + 1);
        CommandHeader header = MakeHeader(0x13, 5, c.length);
        TransferBlock(channel, header, data);

        ASSERT_EQ(hid.outputs.size(), c.reports) << int(c.length);
        EXPECT_EQ(pauser.pauses, std::vector<std::chrono::milliseconds>(c.reports, std::chrono::milliseconds(3)));
        EXPECT_EQ(std::count(hid.calls.begin(), hid.calls.end(), "get"), 0);
        for (std::size_t r = 0; r < c.reports; ++r) {
            ASSERT_EQ(hid.outputs[r].size(), 33u);
            EXPECT_EQ(hid.outputs[r][0], 0);
            // Whole 32-byte chunks: an 8-byte block carries the caller's bytes 9..32 too.
            for (std::size_t b = 0; b < 32; ++b) EXPECT_EQ(hid.outputs[r][1 + b], data[32 * r + b]);
        }
    }
}

TEST_F(FrameTest, ReadBlocksTakeTheirLengthFromTheAnswer) {
    CommandChannel channel = Channel();
    hid.featureAnswers.push_back(FeatureAnswer(MakeHeader(0x90, 1, 40)));
    hid.inputs.push_back(InputReport(0xA1));
    hid.inputs.push_back(InputReport(0xA2));
    std::array<std::uint8_t, 128> data{};
    CommandHeader header = MakeHeader(0x90, 1, 0);  // the request asks for nothing
    TransferBlock(channel, header, data);

    EXPECT_EQ(header[1], 1);
    EXPECT_EQ(header[2], 40);
    EXPECT_EQ(std::count(hid.calls.begin(), hid.calls.end(), "read"), 2);
    EXPECT_EQ(data[0], 0xA1);
    EXPECT_EQ(data[31], 0xA1);
    EXPECT_EQ(data[32], 0xA2);
    EXPECT_EQ(data[63], 0xA2);
    EXPECT_EQ(data[64], 0);
    EXPECT_TRUE(pauser.pauses.empty());
}

TEST_F(FrameTest, AnAnswerOfZeroBytesReadsNoReport) {
    CommandChannel channel = Channel();
    hid.featureAnswers.push_back(FeatureAnswer(MakeHeader(0x93, 2, 0)));
    std::array<std::uint8_t, 128> data{};
    CommandHeader header = MakeHeader(0x93, 2);
    TransferBlock(channel, header, data);
    EXPECT_EQ(hid.calls, (std::vector<std::string>{"set", "get"}));
}

TEST_F(FrameTest, ReadsNeverStorePastTheCallersBuffer) {
    CommandChannel channel = Channel();
    hid.featureAnswers.push_back(FeatureAnswer(MakeHeader(0x93, 1, 255)));
    for (int i = 0; i < 8; ++i) hid.inputs.push_back(InputReport(static_cast<std::uint8_t>(0x10 + i)));
    std::array<std::uint8_t, 256> storage{};
    storage.fill(0xEE);
    CommandHeader header = MakeHeader(0x93, 1);
    TransferBlock(channel, header, std::span<std::uint8_t>(storage.data(), 100));

    EXPECT_EQ(std::count(hid.calls.begin(), hid.calls.end(), "read"), 8);  // read and dropped
    EXPECT_EQ(storage[96], 0x13);
    EXPECT_EQ(storage[99], 0x13);
    for (std::size_t i = 100; i < storage.size(); ++i) ASSERT_EQ(storage[i], 0xEE) << i;
}

TEST_F(FrameTest, AMouseThatStopsAnsweringEndsTheReadEarly) {
    CommandChannel channel = Channel();
    hid.featureAnswers.push_back(FeatureAnswer(MakeHeader(0x93, 1, 128)));
    hid.inputs.push_back(InputReport(0x55));  // then nothing: the mouse was unplugged
    std::array<std::uint8_t, 128> data{};
    CommandHeader header = MakeHeader(0x93, 1);
    TransferBlock(channel, header, data);
    EXPECT_EQ(std::count(hid.calls.begin(), hid.calls.end(), "read"), 2);
    EXPECT_EQ(data[0], 0x55);
    EXPECT_EQ(data[32], 0);
}

TEST(FrameWithoutDevice, TransfersFailQuietly) {
    CommandChannel channel;  // no mouse open
    CommandHeader header = MakeHeader(0x83, 1, 2, 3);
    Transact(channel, header);
    EXPECT_EQ(header, CommandHeader{});
    std::array<std::uint8_t, 128> data{};
    CommandHeader write = MakeHeader(0x13, 1, 128);
    TransferBlock(channel, write, data);
    EXPECT_EQ(write, MakeHeader(0x13, 1, 128));
}

}  // namespace
}  // namespace kz7
