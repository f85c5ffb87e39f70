#pragma once

// The file names every skin folder provides. Each is appended to the skin
// folder as it is (they begin with "/").

#include <array>
#include <string_view>

namespace kz7::skin_image {

inline constexpr std::string_view kMain = "/main.png";
inline constexpr std::string_view kBasicPage = "/BasicSet2.png";
inline constexpr std::string_view kAdvancedPage = "/AdvancedSet2.png";

inline constexpr std::string_view kButtonNormal = "/button-normal.png";
inline constexpr std::string_view kButtonOver = "/button-over.png";
inline constexpr std::string_view kFunctionBoxNormal = "/DropdownBox-normal.png";
inline constexpr std::string_view kFunctionBoxOver = "/DropdownBox-over.png";
inline constexpr std::string_view kSkinsNormal = "/button-Skins-normal.png";
inline constexpr std::string_view kSkinsOver = "/button-Skins-over.png";
inline constexpr std::string_view kMinimiseNormal = "/button-min-normal.png";
inline constexpr std::string_view kMinimiseOver = "/button-min-over.png";
inline constexpr std::string_view kCloseNormal = "/button-close-normal.png";
inline constexpr std::string_view kCloseOver = "/button-close-over.png";
inline constexpr std::string_view kBasicTabNormal = "/button-PrePage-normal.png";
inline constexpr std::string_view kBasicTabOver = "/button-PrePage-over.png";
inline constexpr std::string_view kAdvancedTabNormal = "/button-NextPage-normal.png";
inline constexpr std::string_view kAdvancedTabOver = "/button-NextPage-over.png";

// The small closed drop-down box. Some callers ask for it in lower case; the
// toolkit maps that spelling to this file, since our file systems are case-sensitive.
inline constexpr std::string_view kSmallDropdown = "/DropdownBox.png";
inline constexpr std::string_view kSmallDropdownLowerCase = "/dropdownbox.png";

inline constexpr std::string_view kReportRateDark = "/slider-RP-dark.png";
inline constexpr std::string_view kReportRateLight = "/slider-RP-light.png";
inline constexpr std::string_view kDpiDark = "/slider-DPI-dark.png";
inline constexpr std::string_view kDpiLight = "/slider-DPI-light.png";
inline constexpr std::string_view kCheckBox = "/Pane.png";
inline constexpr std::string_view kCheckBoxTicked = "/PaneMakingTick.png";
inline constexpr std::string_view kPointerDark = "/slider-dark.png";
inline constexpr std::string_view kPointerLight = "/slider-light.png";

inline constexpr std::string_view kComboDialog = "/combo-key.png";
inline constexpr std::string_view kDelayDialog = "/delay-time.png";
inline constexpr std::string_view kFireDialog = "/fire-key.png";
inline constexpr std::string_view kMacroDialog = "/macro-key.png";
inline constexpr std::string_view kMediaDialog = "/media-key.png";
inline constexpr std::string_view kSingleDialog = "/single-key.png";
inline constexpr std::string_view kLaunchDialog = "/windows-key.png";
inline constexpr std::string_view kSkinsDialog = "/skins.png";

// A control's picture and the one it shows while the pointer rests on it.
struct HoverImages {
    std::string_view normal;
    std::string_view over;
};
inline constexpr HoverImages kTextButtonImages{kButtonNormal, kButtonOver};
inline constexpr HoverImages kFunctionBoxImages{kFunctionBoxNormal, kFunctionBoxOver};
inline constexpr HoverImages kSkinsButtonImages{kSkinsNormal, kSkinsOver};
inline constexpr HoverImages kMinimiseButtonImages{kMinimiseNormal, kMinimiseOver};
inline constexpr HoverImages kCloseButtonImages{kCloseNormal, kCloseOver};
inline constexpr HoverImages kBasicTabImages{kBasicTabNormal, kBasicTabOver};
inline constexpr HoverImages kAdvancedTabImages{kAdvancedTabNormal, kAdvancedTabOver};

// The pictures of a control that is off or on (a cell below or above a
// slider's value, a box clear or ticked).
struct StateImages {
    std::string_view off;
    std::string_view on;
};
inline constexpr StateImages kCheckBoxImages{kCheckBox, kCheckBoxTicked};
inline constexpr StateImages kReportRateStopImages{kReportRateDark, kReportRateLight};
inline constexpr StateImages kDpiCellImages{kDpiDark, kDpiLight};
inline constexpr StateImages kPointerCellImages{kPointerDark, kPointerLight};

// Every file of a complete skin.
inline constexpr std::array kAll{
    kMain, kBasicPage, kAdvancedPage,
    kButtonNormal, kButtonOver, kFunctionBoxNormal, kFunctionBoxOver,
    kSkinsNormal, kSkinsOver, kMinimiseNormal, kMinimiseOver, kCloseNormal, kCloseOver,
    kBasicTabNormal, kBasicTabOver, kAdvancedTabNormal, kAdvancedTabOver,
    kSmallDropdown,
    kReportRateDark, kReportRateLight, kDpiDark, kDpiLight, kCheckBox, kCheckBoxTicked,
    kPointerDark, kPointerLight,
    kComboDialog, kDelayDialog, kFireDialog, kMacroDialog, kMediaDialog, kSingleDialog,
    kLaunchDialog, kSkinsDialog,
};

}  // namespace kz7::skin_image
