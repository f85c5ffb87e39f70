#pragma once

// Which event of the mouse or its link shows which notification, with which
// title and for how long.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "device/device_event.h"
#include "locale/language.h"

namespace kz7 {

struct Notification {
    std::string text;
    std::string_view title;  // "Info" or "Warning", English in every language
    int timeoutMs = 0;
    bool operator==(const Notification&) const = default;
};

inline constexpr std::string_view kInfoTitle = "Info";
inline constexpr std::string_view kWarningTitle = "Warning";

// The notification for an event and its value, or nothing when the value is
// not one the event lists:
//   ReportRate   value 1, 2, 4, 8 -> 1000, 500, 250, 125 Hz
//   DpiStage     stage 1..4: the stage text followed by the DPI label of that
//                stage's level (dpiLevels[stage - 1]) for the sensor type
//   KeyMatrixSwitch 1 or 2
//   MacroKey     any value but 0, appended in decimal without a blank
//   MouseAccepted, NoMouse: any value
// Timeouts: 5000 ms for the mouse's reports, 100 ms for the link's changes.
std::optional<Notification> NotificationFor(DeviceEvent event, long value, UiLanguage language,
                                            std::uint8_t sensorType,
                                            std::span<const std::uint8_t> dpiLevels);

// Whether NotificationFor shows anything for this event and value (the
// value rules above), whatever the language and the DPI levels.
bool HasNotification(DeviceEvent event, long value);

}  // namespace kz7
