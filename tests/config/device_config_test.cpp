#include "config/device_config.h"

#include <gtest/gtest.h>

#include <cstring>

#include "config/starter_config.h"
#include "device/dpi_tables.h"

namespace kz7 {
namespace {

DeviceConfig PatternConfig() {
    DeviceConfig config;
    auto* bytes = reinterpret_cast<std::uint8_t*>(&config);
    for (std::size_t i = 0; i < kDeviceConfigSize; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return config;
}

TEST(DeviceConfig, DefaultButtonsChangeOnlySlotsOneToNineAndTheDpiLoop) {
    const DeviceConfig before = PatternConfig();
    DeviceConfig after = before;
    RestoreDefaultButtons(after);

    const std::uint8_t expected[9] = {0, 1, 2, 3, 4, 6, 15, 15, 15};
    const auto* a = reinterpret_cast<const std::uint8_t*>(&after);
    const auto* b = reinterpret_cast<const std::uint8_t*>(&before);
    for (std::size_t offset = 0; offset < kDeviceConfigSize; ++offset) {
        const bool functionSlot = (offset < 9) || (offset >= 192 && offset < 201);
        const bool dpiLoop = offset == 1961 + 5 || offset == 1973 + 5;
        if (functionSlot) {
            EXPECT_EQ(a[offset], expected[offset % 192]) << "offset " << offset;
        } else if (dpiLoop) {
            EXPECT_EQ(a[offset], 3) << "offset " << offset;
        } else {
            EXPECT_EQ(a[offset], b[offset]) << "offset " << offset << " must not change";
        }
    }
}

TEST(DeviceConfig, DefaultPointerSettings) {
    DeviceConfig config = PatternConfig();
    RestoreDefaultPointer(config);
    EXPECT_EQ(config.enhancePointerPrecision, 0);
    EXPECT_EQ(config.scrollOneScreen, 0);
    EXPECT_EQ(config.pointerSpeed, 6);
    EXPECT_EQ(config.wheelScrollLines, 3);
    EXPECT_EQ(config.doubleClickSpeed, 6);
}

TEST(DeviceConfig, CancelRestoresExactlyTheLastAppliedBytes) {
    ConfigModel model;
    model.config = PatternConfig();
    model.Snapshot();
    const DeviceConfig applied = model.config;

    model.config.macroImage[11][127] ^= 0xFF;
    model.config.buttons[1].comboKey2[3] = 0x42;
    model.config.loopColor[7][2] = 1;
    EXPECT_FALSE(SameBytes(model.config, model.appliedConfig));

    model.Revert();
    EXPECT_TRUE(SameBytes(model.config, applied));
}

TEST(DeviceConfig, LedTogglesMapToTheirBits) {
    struct Case {
        int group, toggle, byte;
        std::uint8_t mask;
    };
    const Case cases[] = {
        {0, 0, 0, 0x01}, {0, 2, 0, 0x04}, {1, 0, 0, 0x10}, {1, 2, 0, 0x40},
        {2, 1, 1, 0x02}, {3, 0, 1, 0x10}, {3, 2, 1, 0x40},
    };
    for (const Case& c : cases) {
        DeviceConfig config = ZeroConfig();
        SetLedToggle(config, c.group, c.toggle, true);
        EXPECT_EQ(config.ledFlags[c.byte], c.mask) << c.group << "/" << c.toggle;
        EXPECT_EQ(config.ledFlags[1 - c.byte], 0);
        EXPECT_TRUE(LedToggle(config, c.group, c.toggle));
        SetLedToggle(config, c.group, c.toggle, false);
        EXPECT_EQ(config.ledFlags[c.byte], 0);
    }
}

TEST(StarterConfig, IsUsableOnEverySensor) {
    const DeviceConfig config = StarterConfig();
    EXPECT_EQ(config.reportRate, 1);
    EXPECT_EQ(config.ledMode, 1);
    EXPECT_EQ(config.currentMode, 0);
    for (int mode = 0; mode < 2; ++mode) {
        EXPECT_EQ(config.buttons[mode].function[0], kFnLeftClick);
        EXPECT_EQ(config.buttons[mode].function[5], kFnDpiSwitch);
        EXPECT_EQ(config.dpiSwitchMode[mode][5], 3);
    }
    for (std::uint8_t sensor = 0; sensor < 4; ++sensor) {
        for (int stage = 0; stage < kDpiStages; ++stage) {
            EXPECT_EQ(config.dpiStageOn[stage], 1);
            EXPECT_FALSE(DpiLabelFor(sensor, config.dpiLevel[stage]).empty())
                << "sensor " << int(sensor) << " stage " << stage;
        }
    }
    EXPECT_EQ(config.pointerSpeed, 6);
}

}  // namespace
}  // namespace kz7
