#pragma once

// Sizes of the windows and of the reusable skin pieces that the default skins
// are painted at. The main window takes the size of the skin's "/main.png";
// the pieces take their sizes from the zones they are drawn in.

namespace kz7 {

inline constexpr int kMainWindowWidth = 880;
inline constexpr int kMainWindowHeight = 660;
inline constexpr int kDialogWidth = 380;
inline constexpr int kDialogHeight = 310;

inline constexpr int kTextButtonWidth = 105, kTextButtonHeight = 21;
inline constexpr int kTitleButtonSize = 18;
inline constexpr int kPageTabSize = 40;
inline constexpr int kFunctionBoxWidth = 211, kFunctionBoxHeight = 21;
inline constexpr int kSmallDropdownWidth = 85, kSmallDropdownHeight = 15;
inline constexpr int kReportRateStopWidth = 70, kReportRateStopHeight = 11;
inline constexpr int kDpiCellSize = 16;
inline constexpr int kCheckBoxSize = 16;
inline constexpr int kPointerCellWidth = 24, kPointerCellHeight = 11;

// Every drop-down list has rows of this height: row r of an open list lies at
// its top + kListRowHeight * r.
inline constexpr int kListRowHeight = 16;
// One notch of the mouse wheel over an open list moves it this many rows.
inline constexpr int kListRowsPerWheelNotch = 3;

}  // namespace kz7
