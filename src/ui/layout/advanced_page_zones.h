#pragma once

// The advanced settings page.

#include <array>

#include "pointer/pointer_settings.h"
#include "skins/hot_zone.h"
#include "ui/layout/window_sizes.h"

namespace kz7::advanced {

inline constexpr int kPointerSliderCount = kPointerSliders;
inline constexpr int kPointerCellCount = kPointerLevels;
inline constexpr std::array<HotZone, kPointerSliders> kSliderLabels{{
    {38, 160, 143, 181}, {38, 310, 143, 331}, {38, 460, 143, 481}}};
// Cell c (1 .. kPointerLevels) of slider s (0 speed, 1 scrolling, 2 double-click).
constexpr HotZone PointerCell(int s, int c) {
    const int left = 52 + kPointerCellWidth * (c - 1);
    const int top = 200 + 150 * s;
    return {left, top, left + kPointerCellWidth, top + kPointerCellHeight};
}
constexpr HotZone PointerCellCaption(int s, int c) {
    const HotZone cell = PointerCell(s, c);
    return {cell.left, cell.bottom + 10, cell.right, cell.bottom + 30};
}
inline constexpr HotZone kPrecisionCheckBox{51, 255, 67, 271};
inline constexpr HotZone kPrecisionCaption{77, 255, 408, 271};
inline constexpr HotZone kOneScreenCheckBox{51, 405, 67, 421};
inline constexpr HotZone kOneScreenCaption{77, 405, 408, 421};
inline constexpr HotZone kDefault{194, 573, 299, 594};

inline constexpr HotZone kMacroHeading{469, 160, 578, 181};
inline constexpr HotZone kSelectMacroLabel{457, 196, 592, 220};
inline constexpr HotZone kKeySequenceLabel{591, 196, 726, 220};
inline constexpr HotZone kRecordOptionLabel{725, 196, 875, 220};
inline constexpr HotZone kMacroList{462, 220, 591, 512};
inline constexpr HotZone kKeySequenceList{592, 220, 725, 512};
inline constexpr HotZone kStartRecording{735, 229, 764, 258};
inline constexpr HotZone kStopRecording{735, 265, 764, 294};
inline constexpr HotZone kStartRecordingCaption{765, 239, 874, 268};
inline constexpr HotZone kStopRecordingCaption{765, 275, 874, 304};
inline constexpr HotZone kMacroNameCaption{735, 302, 874, 322};
inline constexpr HotZone kMacroNameEdit{735, 322, 799, 336};
inline constexpr HotZone kLoopTimesCaption{735, 342, 874, 362};
inline constexpr HotZone kLoopTimesEdit{735, 362, 799, 376};
inline constexpr HotZone kMouseEventCaption{735, 382, 874, 402};
inline constexpr HotZone kMouseEventBox{735, 402, 854, 416};
inline constexpr HotZone kMouseEventText{735, 402, 839, 416};
inline constexpr HotZone kMouseEventList{734, 419, 854, 569};
inline constexpr HotZone kMacroNew{513, 528, 618, 549};
inline constexpr HotZone kMacroDelete{617, 528, 722, 549};
inline constexpr HotZone kMacroConfirm{721, 528, 826, 549};

}  // namespace kz7::advanced
