#include "device/command_frame.h"

#include <algorithm>
#include <chrono>

namespace kz7 {

namespace {

constexpr std::array<std::uint8_t, 8> kNibbleTable = {'K', 'e', 'T', 'a', 'V', 'i', 'q', 'U'};

constexpr std::uint8_t SwapNibbles(std::uint8_t x) {
    return static_cast<std::uint8_t>(((x & 0x0F) << 4) | (x >> 4));
}

void SwapPairs(std::span<std::uint8_t, 8> d) {
    std::swap(d[0], d[5]);
    std::swap(d[1], d[4]);
    std::swap(d[2], d[7]);
    std::swap(d[3], d[6]);
}

void XorKey(std::span<std::uint8_t, 8> d, const ScrambleKey& key) {
    for (int i = 1; i <= 6; ++i) d[i] ^= key[i];
}

// Lengths come from the device's descriptor; never let them reach past our buffers.
std::size_t Clamp(std::uint16_t length, std::size_t buffer) {
    return std::min<std::size_t>(length, buffer);
}

void Pause(CommandChannel& channel, int ms) {
    static SleepingPauser sleeper;
    Pauser& pauser = channel.pauser ? *channel.pauser : sleeper;
    pauser.Pause(std::chrono::milliseconds(ms));
}

// Steps shared by both primitives: build the header report, scramble, send it.
template <std::size_t N>
void SendHeader(CommandChannel& channel, const CommandHeader& header,
                std::array<std::uint8_t, N>& report) {
    report.fill(0);
    std::copy_n(header.begin(), 7, report.begin() + 1);
    report[8] = HeaderChecksum(header);
    std::span<std::uint8_t, 8> wire(report.data() + 1, 8);
    if (channel.scramblingOn) Scramble(wire, channel.key);
    if (!channel.feature->SetFeature(
            std::span<const std::uint8_t>(report.data(), Clamp(channel.featureReportLength, kHeaderReportSize)))) {
        channel.stopped = true;
    }
}

// Fetches the answer header. A failed request leaves it zero (no data follows).
template <std::size_t N>
void ReceiveHeader(CommandChannel& channel, CommandHeader& header,
                   std::array<std::uint8_t, N>& report) {
    report.fill(0);
    const bool ok = channel.feature->GetFeature(
        std::span<std::uint8_t>(report.data(), Clamp(channel.featureReportLength, kHeaderReportSize)));
    if (!ok) {
        channel.stopped = true;
        header.fill(0);
        return;
    }
    std::span<std::uint8_t, 8> wire(report.data() + 1, 8);
    if (channel.scramblingOn) Unscramble(wire, channel.key);
    std::copy(wire.begin(), wire.end(), header.begin());
}

std::size_t ChunkCount(std::uint8_t length) { return (length + kDataChunk - 1) / kDataChunk; }

// Nothing to send to: no mouse is open, or it stopped answering. A read
// answers zeros.
bool Skipped(const CommandChannel& channel, CommandHeader& header) {
    if (channel.feature && !channel.stopped) return false;
    if (header[0] & kReadBit) header.fill(0);
    return true;
}

}  // namespace

std::uint8_t HeaderChecksum(const CommandHeader& header) {
    unsigned sum = 0;
    for (int i = 0; i < 7; ++i) sum += header[i];
    return static_cast<std::uint8_t>(0xFF - sum);
}

CommandHeader MakeHeader(std::uint8_t code, std::uint8_t arg1, std::uint8_t arg2, std::uint8_t arg3,
                         std::uint8_t arg4, std::uint8_t arg5, std::uint8_t arg6) {
    CommandHeader header{code, arg1, arg2, arg3, arg4, arg5, arg6, 0};
    header[7] = HeaderChecksum(header);
    return header;
}

ScrambleKey MakeScrambleKey(const std::array<std::uint8_t, 6>& keyBytes) {
    ScrambleKey key{};
    std::copy(keyBytes.begin(), keyBytes.end(), key.begin() + 1);
    return key;
}

void Scramble(std::span<std::uint8_t, 8> d, const ScrambleKey& key) {
    SwapPairs(d);
    XorKey(d, key);
    const std::array<std::uint8_t, 8> before{d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7]};
    for (int i = 0; i < 8; ++i) {
        d[i] = static_cast<std::uint8_t>((before[i] << 3) | (before[(i + 1) % 8] >> 5));
    }
    for (int i = 0; i < 8; ++i) d[i] = static_cast<std::uint8_t>(d[i] + SwapNibbles(kNibbleTable[i]));
}

void Unscramble(std::span<std::uint8_t, 8> d, const ScrambleKey& key) {
    for (int i = 0; i < 8; ++i) d[i] = static_cast<std::uint8_t>(d[i] - SwapNibbles(kNibbleTable[i]));
    const std::array<std::uint8_t, 8> before{d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7]};
    for (int i = 0; i < 8; ++i) {
        d[i] = static_cast<std::uint8_t>((before[i] >> 3) | (before[(i + 7) % 8] << 5));
    }
    XorKey(d, key);
    SwapPairs(d);
}

void Transact(CommandChannel& channel, CommandHeader& header) {
    if (Skipped(channel, header)) return;
    std::array<std::uint8_t, kHeaderReportSize> report{};
    SendHeader(channel, header, report);
    if (!(header[0] & kReadBit)) return;
    if (Skipped(channel, header)) return;
    ReceiveHeader(channel, header, report);
}

void TransferBlock(CommandChannel& channel, CommandHeader& header, std::span<std::uint8_t> data) {
    if (Skipped(channel, header)) return;
    std::array<std::uint8_t, kDataReportSize> report{};
    SendHeader(channel, header, report);
    if (Skipped(channel, header)) return;

    if (!(header[0] & kReadBit)) {
        const std::size_t chunks = ChunkCount(header[2]);
        const std::size_t length = Clamp(channel.outputReportLength, kDataReportSize);
        for (std::size_t i = 0; i < chunks; ++i) {
            report.fill(0);
            const std::size_t from = i * kDataChunk;
            if (from < data.size()) {
                std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(from),
                            std::min(kDataChunk, data.size() - from), report.begin() + 1);
            }
            if (!channel.feature->WriteOutput(std::span<const std::uint8_t>(report.data(), length))) {
                channel.stopped = true;
                return;
            }
            Pause(channel, kDataReportPauseMs);
        }
        return;
    }

    ReceiveHeader(channel, header, report);
    if (channel.stopped) return;
    const std::size_t chunks = ChunkCount(header[2]);
    const std::size_t length = Clamp(channel.inputReportLength, kDataReportSize);
    for (std::size_t i = 0; i < chunks; ++i) {
        report.fill(0);
        const ReadResult result = channel.feature->ReadInput(
            std::span<std::uint8_t>(report.data(), length), kDataReadTimeoutMs);
        if (result.status != IoStatus::Ok) {  // the mouse is gone or silent: stop waiting
            channel.stopped = true;
            break;
        }
        const std::size_t to = i * kDataChunk;
        if (to >= data.size()) continue;  // read and dropped: the caller's buffer is full
        std::copy_n(report.begin() + 1, std::min(kDataChunk, data.size() - to),
                    data.begin() + static_cast<std::ptrdiff_t>(to));
    }
}

}  // namespace kz7
