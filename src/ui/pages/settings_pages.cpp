#include "ui/pages/settings_pages.h"

#include "skins/skin_images.h"
#include "ui/layout/frame_zones.h"
#include "ui/ui_text.h"

namespace kz7::ui {

void DrawPageBase(DrawingPass& pass, std::string_view background, UiText title, const PageLook& look) {
    pass.DrawImage(background, 0, 0);
    pass.DrawText(Tr(title, look.language), frame::kPageTitle, TextFormat::Left, look.titleFont, Qt::white);
}

}  // namespace kz7::ui
