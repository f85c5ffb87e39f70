#pragma once

#include <QColor>

#include <functional>

#include "ui/widgets/control.h"

namespace kz7::ui {

// A picture that shows a setting off or on and flips it on a click: the
// check boxes and the DPI stages' LED toggles.
class ImageToggle : public Control {
public:
    ImageToggle(HotZone zone, skin_image::StateImages images, std::function<bool()> on,
                std::function<void()> toggle);
    void Draw(DrawingPass& pass, bool over) override;
    bool Click(QPoint point) override;

private:
    skin_image::StateImages images_;
    std::function<bool()> on_;
    std::function<void()> toggle_;
};

// A check box: "/Pane.png" when clear, "/PaneMakingTick.png" when ticked.
class CheckBox : public ImageToggle {
public:
    CheckBox(HotZone zone, std::function<bool()> ticked, std::function<void()> toggle)
        : ImageToggle(zone, skin_image::kCheckBoxImages, std::move(ticked), std::move(toggle)) {}
};

// A rectangle filled with a colour of the record; a click asks for another.
class ColourSwatch : public Control {
public:
    ColourSwatch(HotZone zone, std::function<QColor()> colour, std::function<void()> onClick);
    void Draw(DrawingPass& pass, bool over) override;
    bool Click(QPoint point) override;

private:
    std::function<QColor()> colour_;
    std::function<void()> onClick_;
};

}  // namespace kz7::ui
