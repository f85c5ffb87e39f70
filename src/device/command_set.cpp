#include "device/command_set.h"

#include <algorithm>
#include <chrono>

#include "device/dpi_tables.h"

namespace kz7 {

namespace {

constexpr std::size_t kBlockBufferSize = 128;
// Macro blocks travel in a buffer a little larger than the block, as the
// original sequence did; the count in the header limits what is sent.
constexpr std::size_t kMacroBufferSize = 140;

void PauseAfterBlock(CommandChannel& channel) {
    if (channel.stopped) return;  // nothing more goes to this mouse
    if (channel.pauser) channel.pauser->Pause(std::chrono::milliseconds(kBlockCommandPauseMs));
    else SleepingPauser().Pause(std::chrono::milliseconds(kBlockCommandPauseMs));
}

void ReadLedBlocks(CommandChannel& channel, DeviceImages& images) {
    for (std::uint8_t block = 0; block < 3; ++block) {
        CommandHeader header = MakeHeader(kCmdReadLedBlock, block);
        std::array<std::uint8_t, kBlockBufferSize> data{};
        TransferBlock(channel, header, data);
        const std::size_t announced = header[2];
        auto store = [&](auto& image) {
            std::copy_n(data.begin(), std::min(announced, image.size()), image.begin());
        };
        switch (header[1]) {  // the answer names the block; anything else is dropped
            case 0: store(images.ledColorBlock); break;
            case 1: store(images.ledDeviceBlock); break;
            case 2: store(images.ledBlock); break;
            default: break;
        }
        PauseAfterBlock(channel);
    }
}

template <std::size_t N>
void WriteBlock(CommandChannel& channel, std::uint8_t code, std::uint8_t number,
                const std::array<std::uint8_t, N>& image, std::size_t bufferSize) {
    std::array<std::uint8_t, kMacroBufferSize> data{};
    std::copy(image.begin(), image.end(), data.begin());
    CommandHeader header = MakeHeader(code, number, static_cast<std::uint8_t>(N));
    TransferBlock(channel, header, std::span<std::uint8_t>(data.data(), bufferSize));
}

void WriteLedBlocks(CommandChannel& channel, const DeviceImages& images) {
    WriteBlock(channel, kCmdWriteLedBlock, 0, images.ledColorBlock, kBlockBufferSize);
    PauseAfterBlock(channel);
    WriteBlock(channel, kCmdWriteLedBlock, 1, images.ledDeviceBlock, kBlockBufferSize);
    PauseAfterBlock(channel);
    WriteBlock(channel, kCmdWriteLedBlock, 2, images.ledBlock, kBlockBufferSize);
    PauseAfterBlock(channel);
}

void ReadMacroBlocks(CommandChannel& channel, DeviceImages& images) {
    for (int n = 1; n <= kMacroCount; ++n) {
        CommandHeader header = MakeHeader(kCmdReadMacroBlock, static_cast<std::uint8_t>(n));
        std::array<std::uint8_t, kMacroBufferSize> data{};
        TransferBlock(channel, header, data);
        const int block = header[1];
        if (block >= 1 && block <= kMacroCount) {
            auto& image = images.macroBlocks[static_cast<std::size_t>(block - 1)];
            std::copy_n(data.begin(), std::min<std::size_t>(header[2], image.size()), image.begin());
        }
        PauseAfterBlock(channel);
    }
}

}  // namespace

std::array<std::uint8_t, 3> LedModeBytesFor(const DeviceConfig& config,
                                            const std::array<std::uint8_t, 3>& previous) {
    std::array<std::uint8_t, 3> bytes = previous;
    if (config.ledMode >= 1 && config.ledMode <= 3) {
        bytes[0] = config.ledMode;
        bytes[1] = static_cast<std::uint8_t>(config.ledModeParam[config.ledMode - 1] + 1);
    }
    bytes[2] = 3;
    return bytes;
}

std::array<std::uint8_t, kLedColourBlockSize> LedColourBlockFor(const DeviceConfig& config) {
    std::array<std::uint8_t, kLedColourBlockSize> block{};
    std::size_t next = 0;
    for (int k = 0; k < kLoopColours; ++k) {
        if (config.loopColorOn[k] != 1) continue;
        for (std::uint8_t component : config.loopColor[k]) block[next++] = component;
    }
    return block;
}

std::array<std::uint8_t, kLedFlagBlockSize> LedFlagBlockFor(const DeviceConfig& config) {
    return {config.ledFlags[0], config.ledFlags[1], config.ledExtra[0], config.ledExtra[1]};
}

std::array<std::uint8_t, kDpiStageBytes> DpiStageBytesFor(const DeviceConfig& config,
                                                          std::uint8_t sensorType) {
    std::array<std::uint8_t, kDpiStageBytes> bytes{};
    for (int stage = 0; stage < kDpiStages; ++stage) {
        const std::uint8_t code = DpiCodeFor(sensorType, config.dpiLevel[stage]);
        bytes[static_cast<std::size_t>(stage)] =
            config.dpiStageOn[stage] ? static_cast<std::uint8_t>(code & 0x7F)
                                     : static_cast<std::uint8_t>(code | 0x80);
    }
    for (std::size_t i = kDpiStages; i < kDpiStageBytes; ++i) bytes[i] = 0x80;
    return bytes;
}

void ReadStatus(CommandChannel& channel, DeviceImages& images) {
    CommandHeader header = MakeHeader(kCmdReadStatus);
    Transact(channel, header);
    images.status = {header[1], header[2], header[3], header[4]};
}

void WriteStatus(CommandChannel& channel, const DeviceImages& images) {
    const DeviceStatus& s = images.status;
    CommandHeader header = MakeHeader(kCmdWriteStatus, s.sensorType, s.rate, s.option1, s.option2);
    Transact(channel, header);
}

DeviceStatus StatusExchange(CommandChannel& channel, DeviceImages& images) {
    channel.stopped = false;
    ReadStatus(channel, images);
    const DeviceStatus read = images.status;
    images.activeSensorType = images.status.sensorType;
    images.status.option2 = static_cast<std::uint8_t>(images.status.option2 | 0x40);
    WriteStatus(channel, images);
    return read;
}

std::string_view DpiLabel(const DeviceImages& images, int index) {
    if (index < 0 || index > 255) return {};
    return DpiLabelFor(images.activeSensorType, static_cast<std::uint8_t>(index));
}

MouseWrite WriteConfigToMouse(CommandChannel& channel, DeviceImages& images, const DeviceConfig& config) {
    // A mouse that stopped answering at the last apply gets another chance.
    channel.stopped = false;
    CommandHeader rate = MakeHeader(kCmdReportRate, config.reportRate);
    Transact(channel, rate);

    ReadLedBlocks(channel, images);

    images.ledModeBytes = LedModeBytesFor(config, images.ledModeBytes);
    images.ledColorBlock = LedColourBlockFor(config);
    images.ledBlock = LedFlagBlockFor(config);
    WriteLedBlocks(channel, images);

    const auto& m = images.ledModeBytes;
    CommandHeader ledMode = MakeHeader(kCmdLedMode, m[0], m[1], m[2]);
    Transact(channel, ledMode);

    images.dpiStageBytes = DpiStageBytesFor(config, images.activeSensorType);
    {
        std::array<std::uint8_t, kBlockBufferSize> data{};
        std::copy(images.dpiStageBytes.begin(), images.dpiStageBytes.end(), data.begin());
        CommandHeader header = MakeHeader(kCmdDpiStages, kDpiStages, kDpiStageBytes);
        TransferBlock(channel, header, data);
    }

    images.keyMatrix[0] = KeyMatrix{};
    for (int n = 0; n < kMacroCount; ++n) {
        std::copy_n(config.macroImage[n], kMacroImageSize, images.macroBlocks[static_cast<std::size_t>(n)].begin());
    }
    for (int n = 1; n <= kMacroCount; ++n) {
        WriteBlock(channel, kCmdWriteMacroBlock, static_cast<std::uint8_t>(n),
                   images.macroBlocks[static_cast<std::size_t>(n - 1)], kMacroBufferSize);
        PauseAfterBlock(channel);
    }
    ReadMacroBlocks(channel, images);

    images.keyMatrix = BuildKeyMatrices(config);
    for (int n = 1; n <= kMatrixCount; ++n) {
        WriteBlock(channel, kCmdKeyMatrix, static_cast<std::uint8_t>(n),
                   MatrixBytes(images.keyMatrix[static_cast<std::size_t>(n - 1)]), kBlockBufferSize);
        PauseAfterBlock(channel);
    }
    if (!channel.feature) return MouseWrite::NoMouse;
    return channel.stopped ? MouseWrite::Stopped : MouseWrite::Done;
}

}  // namespace kz7
