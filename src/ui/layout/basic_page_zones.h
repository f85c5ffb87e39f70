#pragma once

// The basic settings page. Counts come from the record and the page model.

#include <algorithm>
#include <array>
#include <cstdint>

#include "config/device_config.h"
#include "config/record_labels.h"
#include "pages/basic_page_model.h"
#include "skins/hot_zone.h"
#include "ui/layout/window_sizes.h"

namespace kz7::basic {

inline constexpr HotZone kKeySettingLabel{259, 160, 364, 181};
inline constexpr HotZone kReportRateLabel{504, 161, 609, 182};
inline constexpr HotZone kDpiSettingLabel{504, 275, 609, 296};
inline constexpr HotZone kRgbEffectLabel{704, 275, 809, 296};

inline constexpr int kFunctionBoxCount = kBasicPageButtons;
// Box i is 0-based (button i + 1).
constexpr HotZone FunctionBox(int i) { return {252, 186 + 23 * i, 463, 207 + 23 * i}; }
// The button number is drawn in the box's leftmost 20 pixels, the label in the rest.
constexpr HotZone FunctionBoxDigit(int i) {
    const HotZone box = FunctionBox(i);
    return {box.left, box.top, box.left + 20, box.bottom};
}
constexpr HotZone FunctionBoxLabel(int i) {
    const HotZone box = FunctionBox(i);
    return {box.left + 20, box.top, box.right, box.bottom};
}
// Drop-down list of box i (0-based).
constexpr HotZone FunctionList(int i) { return {252, 208 + 23 * i, 463, 478 + 23 * i}; }

inline constexpr HotZone kModeA{253, 518, 358, 539};
inline constexpr HotZone kModeB{357, 518, 462, 539};
inline constexpr HotZone kDefault{307, 549, 412, 570};

// One stop per report rate, slowest on the left.
inline constexpr int kReportRateStopCount = static_cast<int>(kReportRates.size());
constexpr HotZone ReportRateStop(int stop) {
    const int left = 542 + (kReportRateStopWidth + 2) * stop;
    return {left, 204, left + kReportRateStopWidth, 204 + kReportRateStopHeight};
}
inline constexpr auto kReportRateStops = [] {
    std::array<HotZone, kReportRates.size()> stops{};
    for (int i = 0; i < kReportRateStopCount; ++i) stops[static_cast<std::size_t>(i)] = ReportRateStop(i);
    return stops;
}();
constexpr HotZone ReportRateCaption(int stop) {
    const HotZone z = ReportRateStop(stop);
    return {z.left, z.bottom + 10, z.right, z.bottom + 30};
}

inline constexpr int kDpiStageCount = kDpiStages;
constexpr HotZone DpiStageCheckBox(int k) { return {554 + 27 * k, 541, 570 + 27 * k, 557}; }
constexpr HotZone DpiStageCaption(int k) {
    const HotZone box = DpiStageCheckBox(k);
    return {box.left, box.bottom + 5, box.right, box.bottom + 30};
}
inline constexpr HotZone kDpiSelectCaption{494, 541, 544, 557};
inline constexpr int kDpiCellsMax = kMostDpiLevels;
// Cell j (1 = bottom) of DPI column k (0-based).
constexpr HotZone DpiCell(int k, int j) {
    const int left = 554 + 27 * k;
    const int top = 518 - 18 * (j - 1);
    return {left, top, left + kDpiCellSize, top + kDpiCellSize};
}
// DPI label j (1 = bottom); its width depends on how many levels the sensor has.
constexpr HotZone DpiLabel(int j, int levelCount) {
    const int width = levelCount == kMostDpiLevels ? 40 : 60;
    return {554 - width, 518 - 18 * (j - 1), 544, 534 - 18 * (j - 1)};
}

inline constexpr HotZone kLightingModeBox{766, 329, 851, 344};
inline constexpr HotZone kLightingModeText{767, 330, 835, 344};
inline constexpr HotZone kLightingModeCaption{696, 329, 756, 344};
inline constexpr HotZone kLightingModeList{766, 347, 851, 407};
inline constexpr HotZone kLightingParamBox{766, 359, 851, 374};
inline constexpr HotZone kLightingParamText{767, 360, 835, 374};
inline constexpr HotZone kLightingParamCaption{696, 359, 756, 374};
// The parameter list is as tall as its mode's rows (and a margin), and
// scrolls past the height of the longest one that fits.
inline constexpr int kLightingParamListMaxHeight = 200;
constexpr HotZone LightingParamList(std::uint8_t ledMode) {
    const int height = std::min(LedParamCount(ledMode) * kListRowHeight + 10, kLightingParamListMaxHeight);
    return {766, 377, 851, 377 + height};
}

inline constexpr int kLoopColorCount = kLoopColours;
inline constexpr HotZone kLoopColorHeading{697, 390, 870, 420};
constexpr HotZone LoopColorSwatch(int k) { return {703 + 21 * k, 420, 719 + 21 * k, 436}; }
constexpr HotZone LoopColorCheckBox(int k) { return {703 + 21 * k, 440, 719 + 21 * k, 456}; }

inline constexpr HotZone kDpiColorHeading{697, 480, 870, 500};
inline constexpr HotZone kDpiColorChooser{741, 510, 826, 526};
inline constexpr HotZone kDpiColorChooserList{740, 529, 826, 609};
constexpr HotZone DpiColorToggle(int t) { return {749 + 26 * t, 540, 765 + 26 * t, 556}; }
inline constexpr auto kDpiColorToggles = [] {
    std::array<HotZone, kLedTogglesPerStage> toggles{};
    for (int t = 0; t < kLedTogglesPerStage; ++t) toggles[static_cast<std::size_t>(t)] = DpiColorToggle(t);
    return toggles;
}();

}  // namespace kz7::basic
