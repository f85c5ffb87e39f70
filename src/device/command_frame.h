#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/hid_backend.h"
#include "device/pauser.h"

namespace kz7 {

// Eight header bytes: code (bit 7 = read), arguments, checksum.
using CommandHeader = std::array<std::uint8_t, 8>;
// Bytes 1..6 hold the key; bytes 0 and 7 are always 0.
using ScrambleKey = std::array<std::uint8_t, 8>;

inline constexpr std::uint8_t kReadBit = 0x80;
inline constexpr std::size_t kHeaderReportSize = 16;
inline constexpr std::size_t kDataReportSize = 40;
inline constexpr std::size_t kDataChunk = 32;
inline constexpr int kDataReportPauseMs = 3;
// A data report that does not come within this time is taken as lost, so an
// unplugged mouse cannot hang the window thread.
inline constexpr int kDataReadTimeoutMs = 1000;

// (0xFF - sum of bytes 0..6) mod 256: all eight bytes then add up to 0xFF.
std::uint8_t HeaderChecksum(const CommandHeader& header);
CommandHeader MakeHeader(std::uint8_t code, std::uint8_t arg1 = 0, std::uint8_t arg2 = 0,
                         std::uint8_t arg3 = 0, std::uint8_t arg4 = 0, std::uint8_t arg5 = 0,
                         std::uint8_t arg6 = 0);

ScrambleKey MakeScrambleKey(const std::array<std::uint8_t, 6>& keyBytes);
void Scramble(std::span<std::uint8_t, 8> bytes, const ScrambleKey& key);
void Unscramble(std::span<std::uint8_t, 8> bytes, const ScrambleKey& key);

// The open command collection and what a transfer needs to know about it.
struct CommandChannel {
    HidHandle* feature = nullptr;  // null when no mouse is open: transfers fail quietly
    std::uint16_t featureReportLength = 0;
    std::uint16_t inputReportLength = 0;
    std::uint16_t outputReportLength = 0;
    bool scramblingOn = false;
    ScrambleKey key{};
    Pauser* pauser = nullptr;
    // Set by the first report the open mouse refuses or leaves unanswered.
    // Every later transfer is skipped until a sequence clears it: a mouse
    // that stopped answering would otherwise cost each of them the kernel's
    // whole USB timeout, seconds apiece, on the window thread.
    bool stopped = false;
};

// Sends one header; for a read command the device's answer replaces it.
// Without a mouse, or once the channel has stopped, nothing is sent and a
// read answers zeros.
void Transact(CommandChannel& channel, CommandHeader& header);
// Sends one header and then moves header[2] bytes of data to the device in
// 32-byte reports (write), or fetches the answer header and as many bytes as
// it announces (read). Nothing is stored past the end of `data`. Skipped as
// Transact is.
void TransferBlock(CommandChannel& channel, CommandHeader& header, std::span<std::uint8_t> data);

}  // namespace kz7
