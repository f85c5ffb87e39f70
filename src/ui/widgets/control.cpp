#include "ui/widgets/control.h"

namespace kz7::ui {

void ControlList::DrawAll(DrawingPass& pass) const {
    for (Control* control : views_) control->Draw(pass, false);
}

Control* ControlList::At(QPoint point) const {
    for (Control* control : views_) {
        if (control->Contains(point)) return control;
    }
    return nullptr;
}

ClickResult ControlList::ClickAt(QPoint point) const {
    Control* target = At(point);
    for (Control* control : views_) {
        if (control != target) control->ClickedElsewhere(point);
    }
    if (!target) return {};
    return {true, target->Click(point)};
}

void ControlList::TearDown() const {
    for (Control* control : views_) control->TearDown();
}

}  // namespace kz7::ui
