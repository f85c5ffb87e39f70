#pragma once

// Fixed screen geometry of every skinned window: the rectangles that clicks
// are tested against and that the skin art must be drawn to fit. They are the
// program's, not the skin's: a skin only supplies pictures of these sizes.
// All values are client pixels. A point is inside a zone when
// left <= x < right and top <= y < bottom.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kz7 {

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

// Size of the windows drawn by the default skins. The main window takes the
// size of the skin's "/main.png"; these are the sizes our own art is painted at.
inline constexpr int kMainWindowWidth = 880;
inline constexpr int kMainWindowHeight = 660;
inline constexpr int kDialogWidth = 380;
inline constexpr int kDialogHeight = 310;

// Sizes of the reusable skin pieces, taken from the zones they are drawn in.
inline constexpr int kTextButtonWidth = 105, kTextButtonHeight = 21;
inline constexpr int kTitleButtonSize = 18;
inline constexpr int kPageTabSize = 40;
inline constexpr int kFunctionBoxWidth = 211, kFunctionBoxHeight = 21;
inline constexpr int kSmallDropdownWidth = 85, kSmallDropdownHeight = 15;
inline constexpr int kReportRateStopWidth = 70, kReportRateStopHeight = 11;
inline constexpr int kDpiCellSize = 16;
inline constexpr int kCheckBoxSize = 16;
inline constexpr int kPointerCellWidth = 24, kPointerCellHeight = 11;

// ---- Main window frame, shared by both settings pages ----------------------
namespace frame {
inline constexpr HotZone kOk{513, 609, 618, 630};
inline constexpr HotZone kApply{617, 609, 722, 630};
inline constexpr HotZone kCancel{721, 609, 826, 630};
inline constexpr HotZone kSkins{701, 5, 719, 23};
inline constexpr HotZone kMinimise{825, 5, 843, 23};
inline constexpr HotZone kClose{850, 5, 868, 23};
inline constexpr HotZone kBasicTab{20, 55, 60, 95};
inline constexpr HotZone kAdvancedTab{70, 55, 110, 95};
inline constexpr HotZone kWebLink{265, 627, 449, 647};
inline constexpr HotZone kPageTitle{120, 50, 352, 100};
}  // namespace frame

// ---- Basic settings page ---------------------------------------------------
namespace basic {
inline constexpr HotZone kKeySettingLabel{259, 160, 364, 181};
inline constexpr HotZone kReportRateLabel{504, 161, 609, 182};
inline constexpr HotZone kDpiSettingLabel{504, 275, 609, 296};
inline constexpr HotZone kRgbEffectLabel{704, 275, 809, 296};

inline constexpr int kFunctionBoxCount = 6;
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

inline constexpr std::array<HotZone, 4> kReportRateStops{{
    {542, 204, 612, 215}, {614, 204, 684, 215}, {686, 204, 756, 215}, {758, 204, 828, 215}}};
inline constexpr std::array<std::uint8_t, 4> kReportRateStopValues{8, 4, 2, 1};
constexpr HotZone ReportRateCaption(int stop) {
    const HotZone z = kReportRateStops[static_cast<std::size_t>(stop)];
    return {z.left, z.bottom + 10, z.right, z.bottom + 30};
}

inline constexpr int kDpiStageCount = 4;
constexpr HotZone DpiStageCheckBox(int k) { return {554 + 27 * k, 541, 570 + 27 * k, 557}; }
constexpr HotZone DpiStageCaption(int k) {
    const HotZone box = DpiStageCheckBox(k);
    return {box.left, box.bottom + 5, box.right, box.bottom + 30};
}
inline constexpr HotZone kDpiSelectCaption{494, 541, 544, 557};
inline constexpr int kDpiCellsMax = 12;
// Cell j (1 = bottom) of DPI column k (0-based).
constexpr HotZone DpiCell(int k, int j) {
    const int left = 554 + 27 * k;
    const int top = 518 - 18 * (j - 1);
    return {left, top, left + kDpiCellSize, top + kDpiCellSize};
}
// DPI label j (1 = bottom); its width depends on how many levels the sensor has.
constexpr HotZone DpiLabel(int j, int levelCount) {
    const int width = levelCount == 8 ? 60 : 40;
    return {554 - width, 518 - 18 * (j - 1), 544, 534 - 18 * (j - 1)};
}

inline constexpr HotZone kLightingModeBox{766, 329, 851, 344};
inline constexpr HotZone kLightingModeText{767, 330, 835, 344};
inline constexpr HotZone kLightingModeCaption{696, 329, 756, 344};
inline constexpr HotZone kLightingModeList{766, 347, 851, 407};
inline constexpr HotZone kLightingParamBox{766, 359, 851, 374};
inline constexpr HotZone kLightingParamText{767, 360, 835, 374};
inline constexpr HotZone kLightingParamCaption{696, 359, 756, 374};
// The parameter list's height depends on the lighting mode.
constexpr HotZone LightingParamList(int ledMode) {
    const int height = ledMode == 1 ? 170 : ledMode == 2 ? 90 : 200;
    return {766, 377, 851, 377 + height};
}

inline constexpr int kLoopColorCount = 8;
inline constexpr HotZone kLoopColorHeading{697, 390, 870, 420};
constexpr HotZone LoopColorSwatch(int k) { return {703 + 21 * k, 420, 719 + 21 * k, 436}; }
constexpr HotZone LoopColorCheckBox(int k) { return {703 + 21 * k, 440, 719 + 21 * k, 456}; }

inline constexpr HotZone kDpiColorHeading{697, 480, 870, 500};
inline constexpr HotZone kDpiColorChooser{741, 510, 826, 526};
inline constexpr HotZone kDpiColorChooserList{740, 529, 826, 609};
inline constexpr std::array<HotZone, 3> kDpiColorToggles{{
    {749, 540, 765, 556}, {775, 540, 791, 556}, {801, 540, 817, 556}}};
}  // namespace basic

// ---- Advanced settings page ------------------------------------------------
namespace advanced {
inline constexpr int kPointerSliderCount = 3;
inline constexpr int kPointerCellCount = 11;
inline constexpr std::array<HotZone, 3> kSliderLabels{{
    {38, 160, 143, 181}, {38, 310, 143, 331}, {38, 460, 143, 481}}};
// Cell c (1-11) of slider s (0 speed, 1 scrolling, 2 double-click).
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
}  // namespace advanced

// ---- Sub-dialogs (single, combo, fire, delay, media, launch, macro key, skins)
namespace dialog {
inline constexpr HotZone kClose{352, 6, 370, 24};
inline constexpr HotZone kOk{166, 253, 271, 274};
inline constexpr HotZone kCancel{270, 253, 375, 274};
}  // namespace dialog

namespace single_key {
inline constexpr HotZone kPrompt{45, 108, 181, 124};
inline constexpr HotZone kKeyName{74, 129, 150, 143};
}  // namespace single_key

namespace combo_key {
inline constexpr HotZone kModifierText{50, 70, 116, 84};
inline constexpr HotZone kModifierClick{50, 70, 132, 84};
inline constexpr HotZone kModifierList{50, 86, 132, 226};
inline constexpr HotZone kKeyBox1{50, 120, 131, 134};
inline constexpr HotZone kKeyBox2{50, 170, 131, 184};
}  // namespace combo_key

namespace fire_key {
inline constexpr HotZone kKeyText{50, 70, 116, 84};
inline constexpr HotZone kKeyClick{50, 70, 132, 84};
inline constexpr HotZone kKeyList{50, 86, 132, 256};
inline constexpr HotZone kSpeedBox{50, 120, 131, 134};
inline constexpr HotZone kTimesBox{50, 170, 131, 184};
inline constexpr HotZone kSpeedCaption{20, 120, 50, 134};
inline constexpr HotZone kTimesCaption{20, 170, 50, 184};
inline constexpr HotZone kNoteHeading{20, 190, 400, 206};
inline constexpr HotZone kSpeedNote{20, 206, 400, 222};
inline constexpr HotZone kTimesNote{20, 222, 400, 238};
}  // namespace fire_key

namespace delay_time {
inline constexpr HotZone kPrompt{14, 89, 210, 109};
inline constexpr HotZone kRangeNote{14, 109, 210, 129};
inline constexpr HotZone kDelayBox{74, 129, 150, 143};
}  // namespace delay_time

// The multimedia and launch key dialogs share one layout; only the list length differs.
namespace media_key {
inline constexpr HotZone kChoiceText{43, 129, 135, 143};
inline constexpr HotZone kChoiceClick{43, 129, 151, 143};
inline constexpr HotZone kMediaList{43, 145, 151, 265};
inline constexpr HotZone kLaunchList{43, 145, 151, 305};
}  // namespace media_key

namespace macro_key {
inline constexpr HotZone kNameLabel{43, 129, 136, 143};
inline constexpr HotZone kDropdown{43, 129, 151, 143};
inline constexpr HotZone kList{43, 146, 151, 285};
inline constexpr std::array<HotZone, 3> kRepeatOptions{{
    {220, 78, 236, 94}, {220, 128, 236, 144}, {220, 178, 236, 194}}};
}  // namespace macro_key

namespace skins_dialog {
inline constexpr HotZone kColorSwatch{42, 94, 151, 110};
inline constexpr HotZone kNameLabel{42, 128, 136, 144};
inline constexpr HotZone kDropdown{42, 128, 151, 144};
inline constexpr HotZone kList{42, 146, 151, 266};
}  // namespace skins_dialog

// ---- Hover highlighting ----------------------------------------------------

// Every zone that swaps to an "-over" picture while the pointer rests on it.
enum class HoverZoneId : std::uint8_t {
    Ok, Apply, Cancel, Skins, Minimise, Close, BasicTab, AdvancedTab,
    BasicDefault, FunctionBox1, FunctionBox2, FunctionBox3, FunctionBox4, FunctionBox5,
    FunctionBox6,
    AdvancedDefault, MacroNew, MacroDelete, MacroConfirm,
    DialogClose, DialogOk, DialogCancel,
};
inline constexpr std::size_t kHoverZoneCount = 22;

// What is drawn in a hover zone decides its picture pair.
enum class HoverKind : std::uint8_t {
    TextButton, FunctionBox, SkinsButton, MinimiseButton, CloseButton, BasicTab, AdvancedTab,
};

struct HoverImages {
    std::string_view normal;
    std::string_view over;
};
HoverImages ImagesFor(HoverKind kind);

// Zones of one group are exclusive: highlighting one restores the others at once.
enum class HoverGroup : std::uint8_t { None, OkApplyCancel, FunctionBoxes, MacroButtons, DialogOkCancel };

struct HoverZone {
    HoverZoneId id;
    HotZone rect;
    HoverKind kind;
    HoverGroup group;
};

// The windows whose hover zones differ.
enum class HoverSurface : std::uint8_t { BasicPage, AdvancedPage, SubDialog };

// The hover zones of a surface, frame zones first.
std::span<const HoverZone> HoverZonesOf(HoverSurface surface);
const HoverZone* HoverZoneAt(HoverSurface surface, int x, int y);
const HoverZone& HoverZoneById(HoverZoneId id);

// The per-zone hover flags of one window and the rules that change them.
// Each call says which zones must be redrawn; the caller draws them in one pass.
class HoverFlags {
public:
    struct Redraw {
        std::vector<HoverZoneId> toNormal;    // draw the normal picture, flag cleared
        std::optional<HoverZoneId> toOver;    // draw the over picture, flag set
        bool Empty() const { return toNormal.empty() && !toOver; }
    };

    // The pointer has rested at (x, y). A zone already highlighted is left
    // alone; highlighting a zone restores the flagged zones of its group only.
    Redraw OnHover(HoverSurface surface, int x, int y);
    // The pointer moved to (x, y). Outside every hover zone, every flagged zone
    // is restored; inside one nothing changes until the pointer rests.
    Redraw OnMove(HoverSurface surface, int x, int y);
    // Forget every flag without drawing (the page that showed them is gone).
    void Clear() { flags_ = {}; }

    bool IsSet(HoverZoneId id) const { return flags_[static_cast<std::size_t>(id)]; }
    bool AnySet() const;

private:
    std::array<bool, kHoverZoneCount> flags_{};
};

}  // namespace kz7
