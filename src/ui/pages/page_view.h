#pragma once

// A settings page of the main window: it draws itself into the window's
// canvas, takes the clicks that the frame lets through, and hands the
// surface its controls for hover.

#include <QPoint>

#include "ui/skin_toolkit.h"
#include "ui/widgets/control.h"

namespace kz7::ui {

class PageView {
public:
    virtual ~PageView() = default;

    // The whole page, background first, in one drawing pass.
    virtual void Draw(DrawingPass& pass) = 0;
    // A left click after the frame's zones; true when one of the page's
    // controls took it (otherwise the window is dragged).
    virtual bool Click(QPoint point) { return controls_.ClickAt(point).hit; }
    // The page is left for the other one: open lists close.
    virtual void TearDown() { controls_.TearDown(); }

    const ControlList& Controls() const { return controls_; }

protected:
    ControlList controls_;
};

}  // namespace kz7::ui
