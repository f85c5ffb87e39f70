#include "ui/widgets/text_button.h"

namespace kz7::ui {

TextButton::TextButton(HotZone zone, Look look, std::function<QString()> label, std::function<void()> onClick,
                       Route route)
    : Control(zone), look_(look), label_(std::move(label)), onClick_(std::move(onClick)), route_(route) {}

void TextButton::Draw(DrawingPass& pass, bool over) {
    const bool lit = over || (selected_ && selected_());
    const std::string_view image = lit ? look_.images.over : look_.images.normal;
    if (!image.empty()) pass.DrawImage(image, Zone());
    if (label_) pass.DrawLabel(label_(), Zone(), TextFormat::Centered);
}

bool TextButton::Click(QPoint) {
    if (onClick_) onClick_();
    return route_ == Route::Ends;
}

}  // namespace kz7::ui
