#include "ui/widgets/cell_slider.h"

#include <algorithm>

namespace kz7::ui {

namespace {

HotZone UnionOf(const std::vector<HotZone>& cells) {
    if (cells.empty()) return {};
    HotZone all = cells.front();
    for (const HotZone& cell : cells) {
        all = {std::min(all.left, cell.left), std::min(all.top, cell.top), std::max(all.right, cell.right),
               std::max(all.bottom, cell.bottom)};
    }
    return all;
}

}  // namespace

CellSlider::CellSlider(std::vector<HotZone> cells, skin_image::StateImages images, Fill fill, Behaviour behaviour)
    : Control(UnionOf(cells)), cells_(std::move(cells)), images_(images), fill_(fill), behaviour_(std::move(behaviour)) {}

int CellSlider::CellsInUse() const {
    const int all = static_cast<int>(cells_.size());
    return behaviour_.cellCount ? std::clamp(behaviour_.cellCount(), 0, all) : all;
}

int CellSlider::CellAt(QPoint point) const {
    const int inUse = CellsInUse();
    for (int i = 0; i < inUse; ++i) {
        if (cells_[static_cast<std::size_t>(i)].Contains(point.x(), point.y())) return i + 1;
    }
    return 0;
}

bool CellSlider::Contains(QPoint point) const { return CellAt(point) != 0; }

void CellSlider::Draw(DrawingPass& pass, bool) {
    const bool enabled = !behaviour_.enabled || behaviour_.enabled();
    const int value = enabled && behaviour_.value ? behaviour_.value() : 0;
    const int inUse = CellsInUse();
    for (int cell = 1; cell <= inUse; ++cell) {
        const bool lit = fill_ == Fill::UpToValue ? cell <= value : cell == value;
        pass.DrawImage(lit ? images_.on : images_.off, cells_[static_cast<std::size_t>(cell - 1)]);
    }
}

bool CellSlider::Click(QPoint point) {
    const int cell = CellAt(point);
    if (cell != 0 && behaviour_.set) behaviour_.set(cell);
    return true;
}

}  // namespace kz7::ui
