#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "pointer/pointer_record.h"
#include "pointer/memory_pointer_backend.h"
#include "pointer/pointer_settings.h"

namespace kz7 {
namespace {

using testing_support::PointerRecord;

TEST(PointerMapping, SpeedLevels) {
    const std::pair<int, int> toLevel[] = {{1, 1},  {2, 2},  {3, 2},   {9, 5},  {10, 6}, {11, 6},
                                           {19, 10}, {20, 11}, {0, 1},  {-7, 1}, {21, 11}, {1000, 11}};
    for (auto [speed, level] : toLevel) EXPECT_EQ(LevelFromSpeed(speed), level) << "speed " << speed;
    const std::pair<int, int> toSpeed[] = {{1, 1}, {2, 2}, {6, 10}, {10, 18}, {11, 20}, {0, 1}, {12, 20}, {255, 20}};
    for (auto [level, speed] : toSpeed) EXPECT_EQ(SpeedFromLevel(level), speed) << "level " << level;
}

TEST(PointerMapping, DoubleClickLevelsNeverWrapAround) {
    const std::pair<std::uint32_t, int> toLevel[] = {
        {900, 1}, {899, 1}, {831, 1}, {830, 2}, {500, 6}, {550, 6}, {200, 11}, {201, 10},
        // Slower than the slowest step: level 1, not a wrapped-around huge number.
        {901, 1}, {1000, 1}, {5000, 1}, {0xFFFFFFFFu, 1},
        // Faster than the fastest step.
        {199, 11}, {100, 11}, {1, 11}};
    for (auto [ms, level] : toLevel) EXPECT_EQ(LevelFromDoubleClickMs(ms), level) << ms << " ms";
    const std::pair<int, std::uint32_t> toMs[] = {{1, 900}, {6, 550}, {11, 200}, {0, 900}, {12, 200}, {255, 200}};
    for (auto [level, ms] : toMs) EXPECT_EQ(DoubleClickMsFromLevel(level), ms) << "level " << level;
}

TEST(PointerMapping, WheelLinesStayWithinTheSlider) {
    const std::pair<std::uint32_t, int> toLevel[] = {{1, 1}, {3, 3}, {11, 11}, {12, 11}, {100, 11}, {0, 1}};
    for (auto [lines, level] : toLevel) EXPECT_EQ(LevelFromWheelLines(lines), level) << lines;
    EXPECT_EQ(WheelLinesFromLevel(3), 3u);
    EXPECT_EQ(WheelLinesFromLevel(0), 0u);  // a stored 0 is a setting of its own, not level 1
    EXPECT_EQ(WheelLinesFromLevel(40), 11u);
}

TEST(PointerMapping, UnitSpeedMatchesDefaultsAndEnds) {
    EXPECT_DOUBLE_EQ(UnitSpeedFromSpeed(1), -1.0);
    EXPECT_DOUBLE_EQ(UnitSpeedFromSpeed(10), 0.0);
    EXPECT_DOUBLE_EQ(UnitSpeedFromSpeed(20), 1.0);
    for (int speed = 1; speed <= 20; ++speed)
        EXPECT_EQ(SpeedFromUnitSpeed(UnitSpeedFromSpeed(speed)), speed) << speed;
    EXPECT_EQ(SpeedFromUnitSpeed(0.0), 10);
    EXPECT_EQ(SpeedFromUnitSpeed(-3.0), 1);
    EXPECT_EQ(SpeedFromUnitSpeed(3.0), 20);
    EXPECT_EQ(SpeedFromUnitSpeed(std::nan("")), 10);
}

class SystemPointerTest : public ::testing::Test {
protected:
    static std::vector<int> Fields(const DeviceConfig& c) {
        return {c.enhancePointerPrecision, c.scrollOneScreen, c.pointerSpeed, c.wheelScrollLines,
                c.doubleClickSpeed};
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& message : prompter.messages) {
            EXPECT_EQ(message.caption, "Warning");
            texts.push_back(message.text);
        }
        return texts;
    }

    MemoryPointerBackend desktop;
    RecordingPrompter prompter;
    SystemPointer pointer{desktop, prompter};
};

TEST_F(SystemPointerTest, ReadsOncePerRunThenKeepsTheRecord) {
    desktop.precision = true;
    desktop.speed = 3;
    desktop.wheelLines = 7;
    desktop.doubleClickMs = 500;
    DeviceConfig config = PointerRecord(0, 1, 11, 0, 1);
    EXPECT_TRUE(pointer.ReadFromSystem(config));
    EXPECT_EQ(Fields(config), (std::vector<int>{1, 0, 2, 7, 6}));
    EXPECT_TRUE(pointer.HasRead());

    desktop.speed = 20;
    config.pointerSpeed = 4;
    EXPECT_FALSE(pointer.ReadFromSystem(config));
    EXPECT_EQ(config.pointerSpeed, 4);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(SystemPointerTest, OneScreenPerNotchRoundTrips) {
    desktop.wheelLines = kOneScreenPerNotch;
    DeviceConfig config = PointerRecord(0, 0, 6, 5, 6);
    pointer.ReadFromSystem(config);
    EXPECT_EQ(config.scrollOneScreen, 1);
    EXPECT_EQ(config.wheelScrollLines, 0);
    desktop.wheelLines = 3;
    pointer.ApplyToSystem(config);
    EXPECT_EQ(desktop.wheelLines, kOneScreenPerNotch);
}

TEST_F(SystemPointerTest, OutOfRangeDesktopValuesAreClamped) {
    desktop.speed = 20;
    desktop.wheelLines = 40;
    desktop.doubleClickMs = 1200;
    DeviceConfig config = PointerRecord(0, 0, 1, 1, 1);
    pointer.ReadFromSystem(config);
    EXPECT_EQ(Fields(config), (std::vector<int>{0, 0, 11, 11, 1}));
}

TEST_F(SystemPointerTest, ApplyWritesEveryValueInOrder) {
    pointer.ApplyToSystem(PointerRecord(1, 0, 6, 5, 6));
    EXPECT_EQ(desktop.writes,
              (std::vector<std::string>{"precision 1", "speed 10", "lines 5", "double-click 550"}));
    desktop.writes.clear();
    pointer.ApplyToSystem(PointerRecord(0, 1, 11, 3, 11));
    EXPECT_EQ(desktop.writes, (std::vector<std::string>{"precision 0", "speed 20", "lines 4294967295",
                                                        "double-click 200"}));
    desktop.writes.clear();
    EXPECT_TRUE(pointer.ApplyToSystem(PointerRecord(0, 0, 6, 0, 6)).Ok());
    EXPECT_EQ(desktop.writes[2], "lines 0");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(SystemPointerTest, FailedReadsAreReportedAndKeepTheStoredValues) {
    desktop.precision = true;
    desktop.failing = {PointerSetting::Precision, PointerSetting::Speed, PointerSetting::WheelLines,
                       PointerSetting::DoubleClickTime};
    DeviceConfig config = PointerRecord(1, 0, 4, 5, 9);
    pointer.ReadFromSystem(config);
    // A failed precision read says nothing and reads as off.
    EXPECT_EQ(Fields(config), (std::vector<int>{0, 0, 4, 5, 9}));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"GETMOUSESPEED failed.", "GETWHEELSCROLLLINES failed.",
                                                 "GetDoubleClickTime failed."}));
}

TEST_F(SystemPointerTest, ADoubleClickTimeOfZeroIsAFailedRead) {
    desktop.doubleClickMs = 0;
    DeviceConfig config = PointerRecord(0, 0, 6, 3, 4);
    pointer.ReadFromSystem(config);
    EXPECT_EQ(config.doubleClickSpeed, 4);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"GetDoubleClickTime failed."}));
}

TEST_F(SystemPointerTest, EachFailedWriteIsReportedAndTheSequenceGoesOn) {
    desktop.failing = {PointerSetting::Precision, PointerSetting::Speed, PointerSetting::WheelLines,
                       PointerSetting::DoubleClickTime};
    const PointerWriteResult result = pointer.ApplyToSystem(PointerRecord(1, 0, 6, 3, 6));
    EXPECT_EQ(result.failed, (std::vector<PointerSetting>{PointerSetting::Precision, PointerSetting::Speed,
                                                          PointerSetting::WheelLines, PointerSetting::DoubleClickTime}));
    EXPECT_EQ(desktop.writes.size(), 4u);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"SETMOUSE failed.", "SETMOUSESPEED failed.",
                                                 "SETWHEELSCROLLLINES failed.", "SPI_SETDOUBLECLICKTIME failed."}));
}

TEST(UnsupportedSettingsNotice, NamesEverySettingInOneSentence) {
    using S = PointerSetting;
    const struct {
        std::vector<PointerSetting> settings;
        std::string_view caveat;
        std::string text;
    } cases[] = {
        {{}, "", ""},
        {{}, "Lasts until sway restarts.", ""},
        {{S::ScrollOneScreen}, "", "Scroll one screen cannot be changed on Desk; kz7 keeps it in its configuration only."},
        {{S::DoubleClickTime, S::WheelLines}, "",
         "Double-click speed and scrolling speed cannot be changed on Desk; kz7 keeps them in its configuration only."},
        {{S::WheelLines, S::ScrollOneScreen, S::DoubleClickTime}, "Lasts until sway restarts.",
         "Scrolling speed, scroll one screen and double-click speed cannot be changed on Desk; kz7 keeps them in its "
         "configuration only. Lasts until sway restarts."},
        {{S::Speed, S::Precision, S::WheelLines, S::ScrollOneScreen, S::DoubleClickTime}, "",
         "Mouse speed, enhance pointer precision, scrolling speed, scroll one screen and double-click speed cannot be "
         "changed on Desk; kz7 keeps them in its configuration only."},
    };
    for (const auto& c : cases) EXPECT_EQ(UnsupportedSettingsNotice(c.settings, "Desk", c.caveat), c.text);
}

// A desktop that lacks some settings, with the notice sink of a front end.
class UnsupportedNoticeTest : public SystemPointerTest {
protected:
    std::vector<std::string> notices;
    SystemPointer told{desktop, prompter, [this](std::string_view text) { notices.emplace_back(text); }};
};

TEST_F(UnsupportedNoticeTest, IsToldOnceARunNamingEveryMissingSettingAndNothingMissingIsWritten) {
    desktop.missing = {PointerSetting::DoubleClickTime, PointerSetting::WheelLines, PointerSetting::ScrollOneScreen};
    DeviceConfig config = PointerRecord(0, 0, 6, 5, 6);
    told.ReadFromSystem(config);
    EXPECT_EQ(config.wheelScrollLines, 5);
    EXPECT_EQ(config.doubleClickSpeed, 6);
    told.ApplyToSystem(config);
    config.scrollOneScreen = 1;
    told.ApplyToSystem(config);
    told.RestoreDefaults(config);

    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "Scrolling speed, scroll one screen and double-click speed cannot be changed on the "
                          "in-memory desktop; kz7 keeps them in its configuration only.");
    // A notice, not a box to click away.
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(told.UnsupportedSettings(), (std::vector<PointerSetting>{PointerSetting::WheelLines,
                                                                       PointerSetting::ScrollOneScreen,
                                                                       PointerSetting::DoubleClickTime}));
    for (const std::string& write : desktop.writes) {
        EXPECT_FALSE(write.starts_with("lines")) << write;
        EXPECT_FALSE(write.starts_with("double-click")) << write;
    }
}

TEST_F(UnsupportedNoticeTest, TheFirstApplyTellsItWhenNothingWasRead) {
    desktop.missing = {PointerSetting::ScrollOneScreen};
    told.ApplyToSystem(PointerRecord(0, 0, 6, 3, 6));
    told.ApplyToSystem(PointerRecord(0, 1, 6, 3, 6));
    DeviceConfig config = PointerRecord(0, 0, 6, 3, 6);
    told.ReadFromSystem(config);
    EXPECT_EQ(notices, (std::vector<std::string>{
                           "Scroll one screen cannot be changed on the in-memory desktop; kz7 keeps it in its "
                           "configuration only."}));
}

TEST_F(UnsupportedNoticeTest, NothingIsToldWhenTheDesktopHasEverySetting) {
    DeviceConfig config = PointerRecord(1, 0, 6, 3, 6);
    told.ReadFromSystem(config);
    told.ApplyToSystem(config);
    told.RestoreDefaults(config);
    EXPECT_TRUE(notices.empty());
    EXPECT_TRUE(told.UnsupportedSettings().empty());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(UnsupportedNoticeTest, FailuresOfSettingsTheDesktopHasKeepTheirOwnMessages) {
    desktop.missing = {PointerSetting::WheelLines, PointerSetting::ScrollOneScreen};
    desktop.failing = {PointerSetting::Speed};
    DeviceConfig config = PointerRecord(0, 0, 6, 3, 6);
    told.ReadFromSystem(config);
    const PointerWriteResult result = told.ApplyToSystem(config);
    EXPECT_EQ(result.failed, std::vector<PointerSetting>{PointerSetting::Speed});
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"GETMOUSESPEED failed.", "SETMOUSESPEED failed."}));
}

TEST_F(SystemPointerTest, WithoutANoticeSinkTheNoticeIsOneMessage) {
    desktop.missing = {PointerSetting::WheelLines, PointerSetting::ScrollOneScreen};
    DeviceConfig config = PointerRecord(0, 0, 6, 5, 6);
    pointer.ReadFromSystem(config);
    pointer.ApplyToSystem(config);
    pointer.RestoreDefaults(config);
    EXPECT_EQ(Texts(), (std::vector<std::string>{UnsupportedSettingsNotice(
                           {PointerSetting::WheelLines, PointerSetting::ScrollOneScreen}, desktop.Name())}));
}

TEST_F(SystemPointerTest, DefaultWritesAtOnceAndLaterApplyUsesTheLevels) {
    desktop.precision = true;
    DeviceConfig config = PointerRecord(1, 1, 2, 0, 11);
    pointer.RestoreDefaults(config);
    EXPECT_EQ(desktop.writes,
              (std::vector<std::string>{"precision 0", "speed 10", "lines 3", "double-click 500"}));
    EXPECT_EQ(Fields(config), (std::vector<int>{0, 0, 6, 3, 6}));
    desktop.writes.clear();
    pointer.ApplyToSystem(config);
    EXPECT_EQ(desktop.writes.back(), "double-click 550");
}

TEST(PointerControls, SlidersTakeSteps1To11AndBoxesToggle) {
    DeviceConfig config = ZeroConfig();
    SetPointerSliderLevel(config, 1, 11);
    SetPointerSliderLevel(config, 2, 4);
    SetPointerSliderLevel(config, 3, 1);
    EXPECT_EQ(config.pointerSpeed, 11);
    EXPECT_EQ(config.wheelScrollLines, 4);
    EXPECT_EQ(config.doubleClickSpeed, 1);
    SetPointerSliderLevel(config, 1, 0);
    SetPointerSliderLevel(config, 2, 12);
    SetPointerSliderLevel(config, 4, 5);
    EXPECT_EQ(config.pointerSpeed, 11);
    EXPECT_EQ(config.wheelScrollLines, 4);
    TogglePointerPrecision(config);
    ToggleScrollOneScreen(config);
    EXPECT_EQ(config.enhancePointerPrecision, 1);
    EXPECT_EQ(config.scrollOneScreen, 1);
    TogglePointerPrecision(config);
    EXPECT_EQ(config.enhancePointerPrecision, 0);
}

}  // namespace
}  // namespace kz7
