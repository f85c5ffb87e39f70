#pragma once

// The texts, fonts and notifications of the main window in one language.
// Kept apart from the device headers: the window code needs both, and the
// string tables' names would otherwise meet the protocol's in one scope.

#include <QFont>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "locale/language.h"

namespace kz7 {

enum class ShellText {
    BasicTitle, AdvancedTitle, Ok, Apply, Cancel, TrayExit, MouseNotDetected, WebLink,
};

QString ShellTextFor(ShellText id, UiLanguage language);

struct ShellFonts {
    QFont small;
    QFont large;
};
ShellFonts ShellFontsFor(UiLanguage language);

struct Notification {
    std::string title;
    std::string text;
    int timeoutMs = 0;
};

// The notification for a device event, or nothing for kinds and values that
// show none. dpiLevels are the record's four DPI stage levels.
std::optional<Notification> NotificationFor(int kind, int value, UiLanguage language,
                                            std::uint8_t sensorType,
                                            std::span<const std::uint8_t> dpiLevels);

}  // namespace kz7
