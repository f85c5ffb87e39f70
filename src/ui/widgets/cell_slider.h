#pragma once

#include <functional>
#include <vector>

#include "ui/widgets/control.h"

namespace kz7::ui {

// A row or column of picture cells standing for one value: the pointer
// sliders and DPI columns light the cells up to the value, the report-rate
// stops light only the chosen one. A click on a cell sets the value.
class CellSlider : public Control {
public:
    enum class Fill { UpToValue, OnlyValue };
    struct Behaviour {
        std::function<int()> value;          // 1 .. cell count; 0 lights nothing
        std::function<int()> cellCount;      // cells in use (the rest are neither drawn nor clicked)
        std::function<bool()> enabled;       // unset: always; a disabled slider is all dark
        std::function<void(int cell)> set;   // a cell (1-based) was clicked
    };

    // cells[0] is cell 1; their union is the control's zone.
    CellSlider(std::vector<HotZone> cells, skin_image::StateImages images, Fill fill, Behaviour behaviour);

    bool Contains(QPoint point) const override;
    void Draw(DrawingPass& pass, bool over) override;
    bool Click(QPoint point) override;

    // The cell (1-based) under a point, 0 for none in use.
    int CellAt(QPoint point) const;

private:
    int CellsInUse() const;

    std::vector<HotZone> cells_;
    skin_image::StateImages images_;
    Fill fill_;
    Behaviour behaviour_;
};

}  // namespace kz7::ui
