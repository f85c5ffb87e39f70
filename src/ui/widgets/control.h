#pragma once

// Skinned controls: each binds one zone of a window to its drawing, its
// hover picture and its click. A window or page holds its controls in a
// ControlList; the surface highlights them and the list routes clicks.

#include <QPoint>

#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "skins/hot_zone.h"
#include "skins/hover_flags.h"
#include "ui/skin_toolkit.h"

namespace kz7::ui {

class Control {
public:
    explicit Control(HotZone zone) : zone_(zone) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const HotZone& Zone() const { return zone_; }
    // Whether a click at the point is this control's.
    virtual bool Contains(QPoint point) const { return zone_.Contains(point.x(), point.y()); }

    // Draws the control as the model has it now; `over` with its hover picture.
    virtual void Draw(DrawingPass& pass, bool over) = 0;
    // A left click inside the control. True when the click ends there; false
    // when it goes on to the controls below (the page under the frame).
    virtual bool Click(QPoint point) = 0;
    // A left click anywhere else in the window (an open list closes).
    virtual void ClickedElsewhere(QPoint) {}
    // The page that showed the control is being left.
    virtual void TearDown() {}

    // Whether the control swaps to its "-over" picture while the pointer rests on it.
    virtual bool Hovers() const { return false; }
    int HoverGroup() const { return hoverGroup_; }
    void SetHoverGroup(int group) { hoverGroup_ = group; }

private:
    HotZone zone_;
    int hoverGroup_ = kNoHoverGroup;
};

struct ClickResult {
    bool hit = false;   // a control took the click
    bool ends = false;  // and the click ends there
};

// The controls of one window or page, in drawing order.
class ControlList {
public:
    template <typename C, typename... Args>
    C& Add(Args&&... args) {
        auto control = std::make_unique<C>(std::forward<Args>(args)...);
        C& added = *control;
        controls_.push_back(std::move(control));
        views_.push_back(&added);
        return added;
    }
    std::span<Control* const> Controls() const { return views_; }
    bool Empty() const { return controls_.empty(); }

    // Every control as it is now, none highlighted.
    void DrawAll(DrawingPass& pass) const;
    // Tells every control that does not contain the point, then gives the
    // click to the first that does.
    ClickResult ClickAt(QPoint point) const;
    Control* At(QPoint point) const;
    void TearDown() const;

private:
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<Control*> views_;
};

}  // namespace kz7::ui
