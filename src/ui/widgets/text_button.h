#pragma once

#include <QString>

#include <functional>

#include "ui/widgets/control.h"

namespace kz7::ui {

// A skinned button: its picture, highlighted while the pointer rests on it,
// and an optional label centred over it in the small font and the skin's text
// colour. Title-bar buttons and page tabs are buttons without a label; the
// web link is a label without a picture.
class TextButton : public Control {
public:
    struct Look {
        skin_image::HoverImages images = skin_image::kTextButtonImages;  // empty names: no picture
        bool hovers = true;
    };
    enum class Route { Ends, GoesOn };

    TextButton(HotZone zone, Look look, std::function<QString()> label, std::function<void()> onClick,
               Route route = Route::Ends);

    void Draw(DrawingPass& pass, bool over) override;
    bool Click(QPoint point) override;
    bool Hovers() const override { return look_.hovers; }

    // Shown with its "-over" picture whatever the pointer does (the active mode).
    void SetSelected(std::function<bool()> selected) { selected_ = std::move(selected); }

private:
    Look look_;
    std::function<QString()> label_;
    std::function<void()> onClick_;
    Route route_;
    std::function<bool()> selected_;
};

}  // namespace kz7::ui
