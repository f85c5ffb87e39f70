#pragma once

namespace kz7 {

// A fixed rectangle of a skinned window in client pixels: what a click is
// tested against and what the skin's picture must fit. A point is inside
// when left <= x < right and top <= y < bottom.
struct HotZone {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr bool Contains(int x, int y) const {
        return left <= x && x < right && top <= y && y < bottom;
    }
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    bool operator==(const HotZone&) const = default;
};

}  // namespace kz7
