#pragma once

// Hover highlighting of skinned controls: which ones show their "-over"
// picture, and which must be redrawn when the pointer moves or rests.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "skins/hot_zone.h"

namespace kz7 {

// A control that swaps to an "-over" picture while the pointer rests on it.
// Targets of one group (other than kNoHoverGroup) are exclusive:
// highlighting one restores the others of its group at once.
inline constexpr int kNoHoverGroup = 0;
struct HoverTarget {
    HotZone zone;
    int group = kNoHoverGroup;
};

// The hover flags of one window, one per target of the list in force. Each
// call says which targets (by position in the list) to redraw; the caller
// draws them in one pass.
class HoverFlags {
public:
    struct Redraw {
        std::vector<std::size_t> toNormal;  // draw the normal picture, flag cleared
        std::optional<std::size_t> toOver;  // draw the over picture, flag set
        bool Empty() const { return toNormal.empty() && !toOver; }
    };

    // The pointer has rested at (x, y). A target already highlighted is left
    // alone; highlighting a target restores the flagged targets of its group only.
    Redraw OnHover(std::span<const HoverTarget> targets, int x, int y);
    // The pointer moved to (x, y). Outside every target, every flagged target
    // is restored; inside one nothing changes until the pointer rests.
    Redraw OnMove(std::span<const HoverTarget> targets, int x, int y);
    // Forget every flag without drawing: the targets they belonged to are gone.
    void Clear() { flags_.clear(); }

    bool IsSet(std::size_t target) const { return target < flags_.size() && flags_[target]; }
    bool AnySet() const;

private:
    void Fit(std::size_t count);
    std::vector<bool> flags_;
};

// The first target that contains (x, y), by position.
std::optional<std::size_t> HoverTargetAt(std::span<const HoverTarget> targets, int x, int y);

}  // namespace kz7
