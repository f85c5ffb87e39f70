#pragma once

// The two settings pages of the main window.

#include <QFont>

#include "locale/language.h"
#include "pages/advanced_page_model.h"
#include "pages/basic_page_model.h"
#include "ui/pages/page_view.h"

namespace kz7::ui {

// What every page draws under its own content: its background and its title.
struct PageLook {
    UiLanguage language = UiLanguage::English;
    QFont titleFont;
};

// The basic settings page (buttons, report rate, DPI, lighting) over its model.
class BasicPageView : public PageView {
public:
    BasicPageView(BasicPageModel& model, PageLook look);
    void Draw(DrawingPass& pass) override;

private:
    BasicPageModel& model_;
    PageLook look_;
};

// The advanced settings page (pointer settings, macros) over its model.
class AdvancedPageView : public PageView {
public:
    AdvancedPageView(AdvancedPageModel& model, PageLook look);
    void Draw(DrawingPass& pass) override;

private:
    AdvancedPageModel& model_;
    PageLook look_;
};

}  // namespace kz7::ui
