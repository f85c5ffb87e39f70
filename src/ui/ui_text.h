#pragma once

// The string tables and fonts of the core, as Qt draws them.

#include <QFont>
#include <QString>

#include <string_view>

#include "locale/language.h"
#include "locale/strings.h"

namespace kz7::ui {

QString FromUtf8(std::string_view text);
// One text of the string tables.
QString Tr(UiText id, UiLanguage language);

// The small font of labels and the large font of page titles.
struct UiFonts {
    QFont small;
    QFont large;
};
UiFonts UiFontsFor(UiLanguage language);

}  // namespace kz7::ui
