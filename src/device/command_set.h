#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "config/device_config.h"
#include "device/command_frame.h"
#include "device/key_action.h"

namespace kz7 {

// The mouse's four status bytes.
struct DeviceStatus {
    std::uint8_t sensorType = 0;
    std::uint8_t rate = 0;
    std::uint8_t option1 = 0;
    std::uint8_t option2 = 0;
};

inline constexpr std::size_t kLedColourBlockSize = 24;
inline constexpr std::size_t kLedDeviceBlockSize = 24;
inline constexpr std::size_t kLedFlagBlockSize = 4;
inline constexpr std::size_t kDpiStageBytes = 8;

// Working copies that an apply rebuilds from the record and sends. They live
// for the whole run; ledModeBytes deliberately carries over from one apply to
// the next, and activeSensorType changes only at a status exchange.
struct DeviceImages {
    DeviceStatus status;
    std::uint8_t activeSensorType = 0;
    std::array<std::uint8_t, kLedColourBlockSize> ledColorBlock{};
    std::array<std::uint8_t, kLedDeviceBlockSize> ledDeviceBlock{};
    std::array<std::uint8_t, kLedFlagBlockSize> ledBlock{};
    std::array<std::uint8_t, 3> ledModeBytes{};
    std::array<std::uint8_t, kDpiStageBytes> dpiStageBytes{};
    std::array<KeyMatrix, kMatrixCount> keyMatrix{};
    std::array<std::array<std::uint8_t, kMacroImageSize>, kMacroCount> macroBlocks{};
};

// Command codes; bit 7 marks the read form of a command.
enum CommandCode : std::uint8_t {
    kCmdProbe = 0x00,
    kCmdReportRate = 0x01,
    kCmdWriteStatus = 0x03,
    kCmdReadStatus = 0x83,
    kCmdLedMode = 0x0D,
    kCmdWriteLedBlock = 0x10,
    kCmdReadLedBlock = 0x90,
    kCmdDpiStages = 0x11,
    kCmdKeyMatrix = 0x12,
    kCmdWriteMacroBlock = 0x13,
    kCmdReadMacroBlock = 0x93,
};

inline constexpr int kBlockCommandPauseMs = 2;

// Pure builders of the images, one per step of the apply.
// Mode 1..3 takes its parameter + 1; other modes keep the previous two bytes. Byte 2 is always 3.
std::array<std::uint8_t, 3> LedModeBytesFor(const DeviceConfig& config,
                                            const std::array<std::uint8_t, 3>& previous);
// Enabled loop colours packed without gaps, the rest zero.
std::array<std::uint8_t, kLedColourBlockSize> LedColourBlockFor(const DeviceConfig& config);
std::array<std::uint8_t, kLedFlagBlockSize> LedFlagBlockFor(const DeviceConfig& config);
// Four stage codes (bit 7 = stage off) and four disabled stages (0x80).
std::array<std::uint8_t, kDpiStageBytes> DpiStageBytesFor(const DeviceConfig& config,
                                                          std::uint8_t sensorType);

void ReadStatus(CommandChannel& channel, DeviceImages& images);
void WriteStatus(CommandChannel& channel, const DeviceImages& images);
// Reads the status, takes its sensor type as the active one, sets bit 6 of
// option2 and writes the status back. Returns the status as it was read
// (zeros from a mouse that does not answer).
DeviceStatus StatusExchange(CommandChannel& channel, DeviceImages& images);

// The DPI label of level `index` for the active sensor; "" outside the table.
std::string_view DpiLabel(const DeviceImages& images, int index);

enum class MouseWrite {
    Done,     // every transfer went through
    Stopped,  // the mouse refused or left unanswered a transfer; the rest were skipped
    NoMouse,  // no mouse was open: nothing was sent
};

// The wire half of an apply: writes the whole record to the mouse in the
// fixed order (report rate, LED blocks read and written, LED mode, DPI
// stages, the twelve macro blocks and their read-back, the four key
// matrices). The answers are not checked; but the first transfer that fails
// (an unplugged mouse, one that stopped answering) ends the sequence, so
// that a silent mouse costs one transfer's timeout, not one per transfer.
// Saving is the caller's (ApplySession).
MouseWrite WriteConfigToMouse(CommandChannel& channel, DeviceImages& images, const DeviceConfig& config);

}  // namespace kz7
