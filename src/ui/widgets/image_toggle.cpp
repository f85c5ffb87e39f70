#include "ui/widgets/image_toggle.h"

namespace kz7::ui {

ImageToggle::ImageToggle(HotZone zone, skin_image::StateImages images, std::function<bool()> on,
                         std::function<void()> toggle)
    : Control(zone), images_(images), on_(std::move(on)), toggle_(std::move(toggle)) {}

void ImageToggle::Draw(DrawingPass& pass, bool) {
    pass.DrawImage(on_ && on_() ? images_.on : images_.off, Zone());
}

bool ImageToggle::Click(QPoint) {
    if (toggle_) toggle_();
    return true;
}

ColourSwatch::ColourSwatch(HotZone zone, std::function<QColor()> colour, std::function<void()> onClick)
    : Control(zone), colour_(std::move(colour)), onClick_(std::move(onClick)) {}

void ColourSwatch::Draw(DrawingPass& pass, bool) {
    if (colour_) pass.FillRect(Zone(), colour_());
}

bool ColourSwatch::Click(QPoint) {
    if (onClick_) onClick_();
    return true;
}

}  // namespace kz7::ui
