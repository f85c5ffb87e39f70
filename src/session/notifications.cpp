#include "session/notifications.h"

#include "config/record_labels.h"
#include "device/dpi_tables.h"
#include "locale/strings.h"

namespace kz7 {

namespace {

constexpr int kDeviceReportMs = 5000;
constexpr int kLinkChangeMs = 100;

// In the order of kReportRates.
constexpr UiText kRateTexts[] = {UiText::ReportRate125, UiText::ReportRate250, UiText::ReportRate500,
                                 UiText::ReportRate1000};
static_assert(std::size(kRateTexts) == kReportRates.size());

constexpr UiText kStageTexts[] = {UiText::DpiStage1, UiText::DpiStage2, UiText::DpiStage3,
                                  UiText::DpiStage4};

}  // namespace

bool HasNotification(DeviceEvent event, long value) {
    switch (event) {
        case DeviceEvent::ReportRate:
            return value >= 0 && value <= 255 && ReportRateIndex(static_cast<std::uint8_t>(value)) >= 0;
        case DeviceEvent::DpiStage: return value >= 1 && value <= static_cast<long>(std::size(kStageTexts));
        case DeviceEvent::KeyMatrixSwitch: return value == 1 || value == 2;
        case DeviceEvent::MacroKey: return value != 0;
        case DeviceEvent::MouseAccepted:
        case DeviceEvent::NoMouse: return true;
    }
    return false;
}

std::optional<Notification> NotificationFor(DeviceEvent event, long value, UiLanguage language,
                                            std::uint8_t sensorType,
                                            std::span<const std::uint8_t> dpiLevels) {
    if (!HasNotification(event, value)) return std::nullopt;
    auto info = [&](UiText id) { return Notification{std::string(Text(id, language)), kInfoTitle, kDeviceReportMs}; };
    switch (event) {
        case DeviceEvent::ReportRate:
            return info(kRateTexts[ReportRateIndex(static_cast<std::uint8_t>(value))]);
        case DeviceEvent::DpiStage: {
            const auto stage = static_cast<std::size_t>(value - 1);
            Notification shown = info(kStageTexts[stage]);
            if (stage < dpiLevels.size()) shown.text += DpiLabelFor(sensorType, dpiLevels[stage]);
            return shown;
        }
        case DeviceEvent::KeyMatrixSwitch: return info(value == 1 ? UiText::KeyMatrix1 : UiText::KeyMatrix2);
        case DeviceEvent::MacroKey: {
            Notification shown = info(UiText::MacroKeySwitch);
            shown.text += std::to_string(value);
            return shown;
        }
        case DeviceEvent::MouseAccepted:
            return Notification{std::string(Text(UiText::MouseDetected, language)), kInfoTitle, kLinkChangeMs};
        case DeviceEvent::NoMouse:
            return Notification{std::string(Text(UiText::MouseNotDetected, language)), kWarningTitle,
                                kLinkChangeMs};
    }
    return std::nullopt;
}

}  // namespace kz7
