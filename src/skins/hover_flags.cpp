#include "skins/hover_flags.h"

#include <algorithm>

namespace kz7 {

std::optional<std::size_t> HoverTargetAt(std::span<const HoverTarget> targets, int x, int y) {
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (targets[i].zone.Contains(x, y)) return i;
    }
    return std::nullopt;
}

void HoverFlags::Fit(std::size_t count) {
    if (flags_.size() != count) flags_.resize(count, false);
}

bool HoverFlags::AnySet() const { return std::find(flags_.begin(), flags_.end(), true) != flags_.end(); }

HoverFlags::Redraw HoverFlags::OnHover(std::span<const HoverTarget> targets, int x, int y) {
    Fit(targets.size());
    Redraw redraw;
    const std::optional<std::size_t> at = HoverTargetAt(targets, x, y);
    if (!at || flags_[*at]) return redraw;
    const int group = targets[*at].group;
    if (group != kNoHoverGroup) {
        for (std::size_t i = 0; i < targets.size(); ++i) {
            if (i != *at && targets[i].group == group && flags_[i]) {
                flags_[i] = false;
                redraw.toNormal.push_back(i);
            }
        }
    }
    flags_[*at] = true;
    redraw.toOver = *at;
    return redraw;
}

HoverFlags::Redraw HoverFlags::OnMove(std::span<const HoverTarget> targets, int x, int y) {
    Fit(targets.size());
    Redraw redraw;
    if (HoverTargetAt(targets, x, y)) return redraw;
    for (std::size_t i = 0; i < flags_.size(); ++i) {
        if (flags_[i]) {
            flags_[i] = false;
            redraw.toNormal.push_back(i);
        }
    }
    return redraw;
}

}  // namespace kz7
