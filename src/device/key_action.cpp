#include "device/key_action.h"

namespace kz7 {

namespace {

constexpr std::uint8_t kTypeKeyboard = 0x00;
constexpr std::uint8_t kTypeMouse = 0x01;
constexpr std::uint8_t kTypeConsumer = 0x03;
constexpr std::uint8_t kTypeDpi = 0x07;
constexpr std::uint8_t kTypeDevice = 0x08;
constexpr std::uint8_t kTypeMacro = 0x09;
constexpr std::uint8_t kTypeRepeat = 0x0A;

constexpr KeyActionWord Word(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
    return KeyActionWord{{b0, b1, b2, b3}};
}

constexpr KeyActionWord kWheelWord14 = Word(kTypeMouse, 0, 0xF7, 0);
constexpr KeyActionWord kWheelWord15 = Word(kTypeMouse, 0, 0xF8, 0);
constexpr int kSlotsSent = 10;

}  // namespace

KeyActionWord KeyActionWordFor(const ButtonSet& set, const std::uint8_t (&dpiSwitchModes)[kButtonSlots],
                               int slot) {
    switch (set.function[slot]) {
        case kFnLeftClick: return Word(kTypeMouse, 0, 0xF0, 0);
        case kFnRightClick: return Word(kTypeMouse, 0, 0xF1, 0);
        case kFnMidClick: return Word(kTypeMouse, 0, 0xF2, 0);
        case kFnForward: return Word(kTypeMouse, 0, 0xF4, 0);
        case kFnBackward: return Word(kTypeMouse, 0, 0xF3, 0);
        case kFnTripleClick: return Word(kTypeRepeat, 0xF0, 0x20, 3);
        case kFnDpiSwitch: return Word(kTypeDpi, 0, dpiSwitchModes[slot], 0);
        case kFnRgbOnOff: return Word(kTypeDevice, 0, 3, 0);
        case kFnLaunch: return Word(kTypeConsumer, 0, set.launchCode[slot], set.launchPage[slot]);
        case kFnMultimedia: return Word(kTypeConsumer, 0, set.mediaCode[slot], 0);
        case kFnFireKey:
            return Word(kTypeRepeat, set.fireCode[slot], set.fireSpeed[slot], set.fireTimes[slot]);
        case kFnSingleKey: return Word(kTypeKeyboard, 0, set.singleCode[slot], 0);
        case kFnComboKey:
            return Word(kTypeKeyboard, set.comboModifiers[slot], set.comboKey1[slot], set.comboKey2[slot]);
        case kFnMacroKey:
            return Word(kTypeMacro, set.macroMode[slot], static_cast<std::uint8_t>(set.macroIndex[slot] + 1), 0);
        case kFnKeyOff: return Word(kTypeDevice, 0, 2, 0);
        default: return {};
    }
}

std::array<KeyMatrix, kMatrixCount> BuildKeyMatrices(const DeviceConfig& config) {
    std::array<KeyMatrix, kMatrixCount> matrices{};
    auto fill = [&](KeyMatrix& matrix, int mode) {
        for (int slot = 0; slot < kSlotsSent; ++slot) {
            matrix[slot] = KeyActionWordFor(config.buttons[mode], config.dpiSwitchMode[mode], slot);
        }
        matrix[14] = kWheelWord14;
        matrix[15] = kWheelWord15;
    };
    // currentMode is a byte from the file; anything but 1 shows Mode A.
    fill(matrices[0], config.currentMode == 1 ? 1 : 0);
    fill(matrices[2], 1);
    return matrices;
}

std::array<std::uint8_t, kMatrixBytes> MatrixBytes(const KeyMatrix& matrix) {
    std::array<std::uint8_t, kMatrixBytes> bytes{};
    for (int i = 0; i < kMatrixWords; ++i) {
        for (int b = 0; b < 4; ++b) bytes[4 * i + b] = matrix[i].bytes[b];
    }
    return bytes;
}

}  // namespace kz7
