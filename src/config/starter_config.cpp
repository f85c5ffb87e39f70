#include "config/starter_config.h"

namespace kz7 {

DeviceConfig StarterConfig() {
    DeviceConfig config = ZeroConfig();
    RestoreDefaultButtons(config);
    RestoreDefaultPointer(config);
    // Slots 10..12 have no button on the mouse; give them no function rather than a left click.
    for (int mode = 0; mode < kButtonModes; ++mode) {
        for (int slot = 9; slot < kButtonSlots; ++slot) config.buttons[mode].function[slot] = kFnNone;
    }
    config.reportRate = 1;  // 1 ms: 1000 Hz
    // Levels 1, 3, 5, 7 lie inside every sensor's table (500/1000/1500/2000 DPI on type 0).
    constexpr std::uint8_t kLevels[kDpiStages] = {1, 3, 5, 7};
    for (int stage = 0; stage < kDpiStages; ++stage) {
        config.dpiLevel[stage] = kLevels[stage];
        config.dpiStageOn[stage] = 1;
    }
    config.ledMode = 1;            // Standard Mode
    config.ledModeParam[0] = 9;    // 100%
    config.ledModeParam[1] = 2;    // 6S breathing
    config.ledModeParam[2] = 3;    // 2S neon cycle
    constexpr std::uint8_t kColours[kLoopColours][3] = {
        {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0x00, 0x40, 0xFF}, {0xB0, 0x00, 0xFF},
        {0xFF, 0x80, 0x00}, {0x00, 0xFF, 0xFF}, {0xFF, 0x00, 0x80}, {0xFF, 0xFF, 0xFF},
    };
    for (int k = 0; k < kLoopColours; ++k) {
        config.loopColorOn[k] = k < 4 ? 1 : 0;
        for (int c = 0; c < 3; ++c) config.loopColor[k][c] = kColours[k][c];
    }
    // Each DPI stage lights its own colour channel; stage 4 all three.
    SetLedToggle(config, 0, 0, true);
    SetLedToggle(config, 1, 1, true);
    SetLedToggle(config, 2, 2, true);
    for (int t = 0; t < 3; ++t) SetLedToggle(config, 3, t, true);
    return config;
}

}  // namespace kz7
