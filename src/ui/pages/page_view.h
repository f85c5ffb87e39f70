#pragma once

// A settings page of the main window: it draws itself into the window's
// canvas, takes the clicks that the frame lets through, and hands the
// surface its controls for hover.

#include <QPoint>

#include <functional>

#include "ui/skin_toolkit.h"
#include "ui/widgets/control.h"

namespace kz7::ui {

class PageView {
public:
    virtual ~PageView() = default;

    // The page becomes the one shown (from the other page, or rebuilt after
    // Cancel); its drawing follows.
    virtual void Entered() {}
    // The whole page, background first, in one drawing pass.
    virtual void Draw(DrawingPass& pass) = 0;
    // A left click after the frame's zones; true when one of the page's
    // controls took it (otherwise the window is dragged).
    virtual bool Click(QPoint point) { return controls_.ClickAt(point).hit; }
    // The page is left for the other one: open lists close.
    virtual void TearDown() { controls_.TearDown(); }
    // Whether one of the page's drop-down lists is open.
    virtual bool ListOpen() const { return false; }

    const ControlList& Controls() const { return controls_; }
    // How the page asks its window to draw it again when something that is
    // not in the record changed (which stage's LEDs are shown, say).
    void SetRedraw(std::function<void()> redraw) { redraw_ = std::move(redraw); }
    // How it asks for one control alone to be drawn again (a label that
    // changed); unset, the whole page is.
    void SetControlRedraw(std::function<void(Control&)> redraw) { controlRedraw_ = std::move(redraw); }

protected:
    void RequestRedraw() const {
        if (redraw_) redraw_();
    }
    void RequestRedraw(Control& control) const {
        if (controlRedraw_) {
            controlRedraw_(control);
        } else {
            RequestRedraw();
        }
    }

    ControlList controls_;

private:
    std::function<void()> redraw_;
    std::function<void(Control&)> controlRedraw_;
};

}  // namespace kz7::ui
