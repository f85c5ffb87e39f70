#pragma once

// What the two settings pages of the main window share.

#include <QFont>

#include <string_view>

#include "locale/language.h"
#include "locale/strings.h"
#include "ui/pages/page_view.h"

namespace kz7::ui {

// What every page draws under its own content: its background and its title.
struct PageLook {
    UiLanguage language = UiLanguage::English;
    QFont titleFont;
    QFont smallFont;  // the lists' rows
};
void DrawPageBase(DrawingPass& pass, std::string_view background, UiText title, const PageLook& look);

}  // namespace kz7::ui
