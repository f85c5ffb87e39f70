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

std::optional<Notification> NotificationFor(DeviceEvent event, long value, UiLanguage language,
                                            std::uint8_t sensorType,
                                            std::span<const std::uint8_t> dpiLevels) {
    auto info = [&](UiText id) { return Notification{std::string(Text(id, language)), kInfoTitle, kDeviceReportMs}; };
    switch (event) {
        case DeviceEvent::ReportRate: {
            const int index = value < 0 || value > 255 ? -1 : ReportRateIndex(static_cast<std::uint8_t>(value));
            if (index < 0) return std::nullopt;
            return info(kRateTexts[index]);
        }
        case DeviceEvent::DpiStage: {
            if (value < 1 || value > static_cast<long>(std::size(kStageTexts))) return std::nullopt;
            const auto stage = static_cast<std::size_t>(value - 1);
            Notification shown = info(kStageTexts[stage]);
            if (stage < dpiLevels.size()) shown.text += DpiLabelFor(sensorType, dpiLevels[stage]);
            return shown;
        }
        case DeviceEvent::KeyMatrixSwitch:
            if (value == 1) return info(UiText::KeyMatrix1);
            if (value == 2) return info(UiText::KeyMatrix2);
            return std::nullopt;
        case DeviceEvent::MacroKey: {
            if (value == 0) return std::nullopt;
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

bool HasNotification(DeviceEvent event, long value) {
    return NotificationFor(event, value, UiLanguage::English, 0, {}).has_value();
}

}  // namespace kz7
