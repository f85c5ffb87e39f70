#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "device/device_event.h"
#include "session/notifications.h"

namespace kz7 {
namespace {

using enum DeviceEvent;

TEST(Notifications, EachEventAndValue) {
    const std::uint8_t levels[] = {0, 3, 7, 11};
    struct Case {
        DeviceEvent event;
        long value;
        UiLanguage language;
        std::uint8_t sensor;
        std::optional<std::string> text;
        std::string_view title;
        int timeout;
    };
    const Case cases[] = {
        {ReportRate, 1, UiLanguage::English, 0, "Switch report rate into 1000HZ", "Info", 5000},
        {ReportRate, 2, UiLanguage::English, 0, "Switch report rate into 500HZ", "Info", 5000},
        {ReportRate, 4, UiLanguage::SimplifiedChinese, 0, "报告率切换到250HZ", "Info", 5000},
        {ReportRate, 8, UiLanguage::TraditionalChinese, 0, "報告率切換到125HZ", "Info", 5000},
        {ReportRate, 3, UiLanguage::English, 0, std::nullopt, "", 0},
        {ReportRate, 0, UiLanguage::English, 0, std::nullopt, "", 0},
        {ReportRate, 257, UiLanguage::English, 0, std::nullopt, "", 0},  // not 1 in a byte
        {DpiStage, 1, UiLanguage::English, 0, "Switch DPI into the first stage 250", "Info", 5000},
        {DpiStage, 2, UiLanguage::English, 0, "Switch DPI into the second stage 1000", "Info", 5000},
        {DpiStage, 2, UiLanguage::English, 1, "Switch DPI into the second stage 1200", "Info", 5000},
        {DpiStage, 4, UiLanguage::SimplifiedChinese, 0, "DPI切换到第四段4000", "Info", 5000},
        {DpiStage, 4, UiLanguage::English, 1, "Switch DPI into the fourth stage ", "Info", 5000},  // no level 11 for sensor 1
        {DpiStage, 0, UiLanguage::English, 0, std::nullopt, "", 0},
        {DpiStage, 5, UiLanguage::English, 0, std::nullopt, "", 0},
        {KeyMatrixSwitch, 1, UiLanguage::English, 0, "Switch to key matrix 1", "Info", 5000},
        {KeyMatrixSwitch, 2, UiLanguage::TraditionalChinese, 0, "切換到按鍵群組2", "Info", 5000},
        {KeyMatrixSwitch, 3, UiLanguage::English, 0, std::nullopt, "", 0},
        {KeyMatrixSwitch, 4, UiLanguage::English, 0, std::nullopt, "", 0},
        {MacroKey, 3, UiLanguage::English, 0, "Switch to macro key3", "Info", 5000},
        {MacroKey, 12, UiLanguage::SimplifiedChinese, 0, "切换到宏12", "Info", 5000},
        {MacroKey, 0, UiLanguage::English, 0, std::nullopt, "", 0},
        {MouseAccepted, 0, UiLanguage::English, 0, "The system detect the gaming mouse.", "Info", 100},
        {NoMouse, 7, UiLanguage::SimplifiedChinese, 0, "系统没有检测到游戏鼠标！", "Warning", 100},
    };
    for (const Case& c : cases) {
        const auto shown = NotificationFor(c.event, c.value, c.language, c.sensor, levels);
        SCOPED_TRACE("event " + std::to_string(static_cast<int>(c.event)) + " value " + std::to_string(c.value));
        ASSERT_EQ(shown.has_value(), c.text.has_value());
        EXPECT_EQ(HasNotification(c.event, c.value), c.text.has_value());
        if (!shown) continue;
        EXPECT_EQ(shown->text, *c.text);
        EXPECT_EQ(shown->title, c.title);
        EXPECT_EQ(shown->timeoutMs, c.timeout);
    }
}

TEST(Notifications, DpiStageWithoutLevelsStillShowsTheStage) {
    const auto shown = NotificationFor(DpiStage, 3, UiLanguage::English, 0, {});
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->text, "Switch DPI into the third stage ");
}

TEST(DeviceEvents, OnlyTheFourReportCodesAreEventsOfTheMouse) {
    for (int code = 0; code < 256; ++code) {
        const auto event = EventOfReportCode(static_cast<std::uint8_t>(code));
        const bool reported = code == 5 || code == 7 || code == 8 || code == 9;
        EXPECT_EQ(event.has_value(), reported) << code;
        if (event) {
            EXPECT_EQ(ReportCode(*event), code);
        }
    }
}

}  // namespace
}  // namespace kz7
