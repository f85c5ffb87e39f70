#include "device/key_action.h"

#include <gtest/gtest.h>

namespace kz7 {
namespace {

// A slot whose every parameter array holds a distinct value, so a word that
// reads the wrong array shows it.
DeviceConfig ParameterConfig() {
    DeviceConfig config = ZeroConfig();
    for (int mode = 0; mode < 2; ++mode) {
        ButtonSet& b = config.buttons[mode];
        const std::uint8_t m = static_cast<std::uint8_t>(mode * 0x80);
        for (int s = 0; s < kButtonSlots; ++s) {
            b.mediaCode[s] = static_cast<std::uint8_t>(m + 0x11);
            b.launchCode[s] = static_cast<std::uint8_t>(m + 0x21);
            b.launchPage[s] = static_cast<std::uint8_t>(m + 0x02);
            b.fireCode[s] = static_cast<std::uint8_t>(m + 0x31);
            b.fireSpeed[s] = static_cast<std::uint8_t>(m + 0x32);
            b.fireTimes[s] = static_cast<std::uint8_t>(m + 0x33);
            b.singleCode[s] = static_cast<std::uint8_t>(m + 0x41);
            b.comboModifiers[s] = static_cast<std::uint8_t>(m + 0x51);
            b.comboKey1[s] = static_cast<std::uint8_t>(m + 0x52);
            b.comboKey2[s] = static_cast<std::uint8_t>(m + 0x53);
            b.macroIndex[s] = static_cast<std::uint8_t>(m + 0x04);
            b.macroMode[s] = static_cast<std::uint8_t>(m + 0x01);
            config.dpiSwitchMode[mode][s] = static_cast<std::uint8_t>(mode + 1);
        }
    }
    return config;
}

TEST(KeyActionWord, EveryFunctionCode) {
    const DeviceConfig config = ParameterConfig();
    const std::array<std::uint8_t, 4> expected[16] = {
        {0x01, 0, 0xF0, 0},       {0x01, 0, 0xF1, 0},       {0x01, 0, 0xF2, 0},       {0x01, 0, 0xF4, 0},
        {0x01, 0, 0xF3, 0},       {0x0A, 0xF0, 0x20, 0x03}, {0x07, 0, 0x01, 0},       {0x08, 0, 0x03, 0},
        {0x03, 0, 0x21, 0x02},    {0x03, 0, 0x11, 0},       {0x0A, 0x31, 0x32, 0x33}, {0x00, 0, 0x41, 0},
        {0x00, 0x51, 0x52, 0x53}, {0x09, 0x01, 0x05, 0},    {0x08, 0, 0x02, 0},       {0, 0, 0, 0},
    };
    for (int code = 0; code < 256; ++code) {
        DeviceConfig c = config;
        c.buttons[0].function[3] = static_cast<std::uint8_t>(code);
        const KeyActionWord word = KeyActionWordFor(c.buttons[0], c.dpiSwitchMode[0], 3);
        const std::array<std::uint8_t, 4> want = code < 16 ? expected[code] : std::array<std::uint8_t, 4>{};
        EXPECT_EQ(word.bytes, want) << "function " << code;
    }
}

TEST(KeyActionWord, ValuesOfTheDocumentedExamples) {
    struct Case {
        std::uint8_t function;
        void (*set)(ButtonSet&, std::uint8_t (&)[kButtonSlots]);
        std::uint32_t value;
    };
    const Case cases[] = {
        {kFnComboKey, [](ButtonSet& b, auto&) { b.comboModifiers[0] = 1, b.comboKey1[0] = 0x06, b.comboKey2[0] = 0; },
         0x00060100},
        {kFnMultimedia, [](ButtonSet& b, auto&) { b.mediaCode[0] = 0xE9; }, 0x00E90003},
        {kFnLaunch, [](ButtonSet& b, auto&) { b.launchCode[0] = 0x92, b.launchPage[0] = 1; }, 0x01920003},
        {kFnMacroKey, [](ButtonSet& b, auto&) { b.macroIndex[0] = 2, b.macroMode[0] = 0; }, 0x00030009},
        {kFnDpiSwitch, [](ButtonSet&, std::uint8_t(&dpi)[kButtonSlots]) { dpi[0] = 0; }, 0x00000007},
        {kFnLeftClick, [](ButtonSet&, auto&) {}, 0x00F00001},
        {kFnTripleClick, [](ButtonSet&, auto&) {}, 0x0320F00A},
        {kFnRgbOnOff, [](ButtonSet&, auto&) {}, 0x00030008},
        {kFnKeyOff, [](ButtonSet&, auto&) {}, 0x00020008},
    };
    for (const Case& c : cases) {
        DeviceConfig config = ZeroConfig();
        config.buttons[0].function[0] = c.function;
        c.set(config.buttons[0], config.dpiSwitchMode[0]);
        EXPECT_EQ(KeyActionWordFor(config.buttons[0], config.dpiSwitchMode[0], 0).Value(), c.value)
            << "function " << int(c.function);
    }
}

TEST(KeyMatrices, ModeAShownCarriesBothModes) {
    DeviceConfig config = ParameterConfig();
    for (int s = 0; s < kButtonSlots; ++s) {
        config.buttons[0].function[s] = kFnSingleKey;
        config.buttons[1].function[s] = kFnFireKey;
    }
    const auto m = BuildKeyMatrices(config);
    for (int w = 0; w < 10; ++w) {
        EXPECT_EQ(m[0][w].Value(), 0x00410000u) << w;
        EXPECT_EQ(m[2][w].Value(), 0xB3B2B10Au) << w;
    }
    for (int n : {0, 2}) {
        for (int w = 10; w < 14; ++w) EXPECT_EQ(m[n][w].Value(), 0u) << "slots 10 and 11 never reach the mouse";
        EXPECT_EQ(m[n][14].Value(), 0x00F70001u);
        EXPECT_EQ(m[n][15].Value(), 0x00F80001u);
    }
    for (int n : {1, 3}) {
        for (int w = 0; w < kMatrixWords; ++w) EXPECT_EQ(m[n][w].Value(), 0u);
    }
}

TEST(KeyMatrices, ModeBShownCarriesModeBTwice) {
    DeviceConfig config = ParameterConfig();
    config.currentMode = 1;
    config.buttons[1].function[2] = kFnFireKey;
    config.buttons[1].function[5] = kFnDpiSwitch;
    const auto m = BuildKeyMatrices(config);
    EXPECT_EQ(m[0], m[2]);
    EXPECT_EQ(m[0][2].Value(), 0xB3B2B10Au);
    EXPECT_EQ(m[0][5].bytes, (std::array<std::uint8_t, 4>{0x07, 0, 0x02, 0}));
}

TEST(KeyMatrices, AnAllZeroRecordIsLeftClicksEverywhere) {
    const auto m = BuildKeyMatrices(ZeroConfig());
    EXPECT_EQ(m[0][9].Value(), 0x00F00001u);
    const auto bytes = MatrixBytes(m[0]);
    EXPECT_EQ(bytes[0], 0x01);
    EXPECT_EQ(bytes[2], 0xF0);
    EXPECT_EQ(bytes[56], 0x01);
    EXPECT_EQ(bytes[58], 0xF7);
    EXPECT_EQ(bytes[62], 0xF8);
}

TEST(KeyMatrices, AnOutOfRangeModeByteNeverIndexesPastTheSets) {
    DeviceConfig config = ParameterConfig();
    config.currentMode = 7;
    config.buttons[0].function[0] = kFnRightClick;
    EXPECT_EQ(BuildKeyMatrices(config)[0][0].Value(), 0x00F10001u);
}

}  // namespace
}  // namespace kz7
