#pragma once

// The sub-dialogs (single, combo, fire, delay, media, launch, macro key, skins).

#include <array>

#include "skins/hot_zone.h"

namespace kz7 {

// A skinned drop-down of a dialog: the static that shows the choice, the
// click zone over it (widened to the right, over the arrow), and its list.
struct DropdownZones {
    HotZone text;
    HotZone click;
    HotZone list;
};
constexpr DropdownZones MakeDropdown(HotZone text, int clickRight, int listTop, int listBottom) {
    return {text, {text.left, text.top, clickRight, text.bottom}, {text.left, listTop, clickRight, listBottom}};
}

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
inline constexpr DropdownZones kModifier = MakeDropdown({50, 70, 116, 84}, 132, 86, 226);
inline constexpr HotZone kKeyBox1{50, 120, 131, 134};
inline constexpr HotZone kKeyBox2{50, 170, 131, 184};
}  // namespace combo_key

namespace fire_key {
inline constexpr DropdownZones kKey = MakeDropdown({50, 70, 116, 84}, 132, 86, 256);
inline constexpr HotZone kSpeedBox{50, 120, 131, 134};
inline constexpr HotZone kTimesBox{50, 170, 131, 184};
// The captions end just left of their boxes, written against them, and
// start far enough out for "Speed" to be read whole.
inline constexpr HotZone kSpeedCaption{8, 120, 46, 134};
inline constexpr HotZone kTimesCaption{8, 170, 46, 184};
// The notes stay inside the dialog; the longest takes two lines before OK.
inline constexpr HotZone kNoteHeading{20, 190, 368, 206};
inline constexpr HotZone kSpeedNote{20, 206, 368, 222};
inline constexpr HotZone kTimesNote{20, 222, 368, 254};
// The panel the fire dialog's fields and notes sit on.
inline constexpr HotZone kPanel{4, 44, 374, 256};
}  // namespace fire_key

namespace delay_time {
inline constexpr HotZone kPrompt{14, 89, 210, 109};
inline constexpr HotZone kRangeNote{14, 109, 210, 129};
inline constexpr HotZone kDelayBox{74, 129, 150, 143};
}  // namespace delay_time

// The multimedia and launch key dialogs share one layout; only the list length differs.
namespace media_key {
inline constexpr DropdownZones kMedia = MakeDropdown({43, 129, 135, 143}, 151, 145, 265);
inline constexpr DropdownZones kLaunch = MakeDropdown({43, 129, 135, 143}, 151, 145, 305);
}  // namespace media_key

namespace macro_key {
inline constexpr DropdownZones kMacro = MakeDropdown({43, 129, 136, 143}, 151, 146, 285);
inline constexpr std::array<HotZone, 3> kRepeatOptions{{
    {220, 78, 236, 94}, {220, 128, 236, 144}, {220, 178, 236, 194}}};
// The prompt, centred over the drop-down; each option's text right of its
// box, in up to three lines centred on it.
inline constexpr HotZone kPrompt{17, 107, 177, 125};
constexpr HotZone OptionTextZone(const HotZone& box) { return {box.right + 6, box.top - 16, 364, box.bottom + 16}; }
}  // namespace macro_key

namespace skins_dialog {
// The prompt just above the swatch it asks to click, in line with it and the
// drop-down, in up to two lines (the emblem of the art lies to the right).
inline constexpr HotZone kPrompt{42, 56, 200, 90};
inline constexpr HotZone kColorSwatch{42, 94, 151, 110};
inline constexpr DropdownZones kSkin = MakeDropdown({42, 128, 136, 144}, 151, 146, 266);
}  // namespace skins_dialog

}  // namespace kz7
