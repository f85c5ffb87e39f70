#pragma once

// The program's built-in texts in its three languages. Every text a window or
// dialog shows has a stable identifier (UiText). Texts are UTF-8, reproduced
// character for character, trailing blanks included.
//
// Typical use by a front end:
//     const UiLanguage language = SystemUiLanguage();      // at each window's set-up
//     label->setText(QString::fromUtf8(Text(UiText::MouseSpeedLabel, language)));
//
// Technical failure texts and message captions are English in every language
// and are not here; they live beside the code that reports them.

#include <cstdint>
#include <span>
#include <string_view>

#include "locale/language.h"

namespace kz7 {

enum class UiText : std::uint16_t {
    // --- main window ---
    BasicSettingsTab,
    AdvancedSettingsTab,
    Ok,
    Apply,
    Cancel,
    // The button function list, rows 0 to 14 (function codes 0 to 14).
    FunctionLeftClick,
    FunctionRightClick,
    FunctionMidClick,
    FunctionForward,
    FunctionBackward,
    FunctionTripleClick,
    FunctionDpiSwitch,
    FunctionRgbOnOff,
    FunctionWindows,
    FunctionMultimedia,
    FunctionFireKey,
    FunctionSingleKey,
    FunctionComboKey,
    FunctionMacroKey,
    FunctionKeyOff,
    LeftKeyMustBeSelected,      // message
    RestoreDefaultButtons,      // basic page "Default"
    KeySettingHeading,
    ReportRateSettingHeading,
    DpiSettingHeading,
    RgbEffectLabel,
    LedModeLabel,
    LedParameterLabel,
    LoopColorSettingLabel,
    DpiSelfColorLedLabel,       // English text ends in a blank
    LedOffMode,
    LedStandardMode,
    LedRespirationMode,
    LedNeonMode,
    WebLink,                    // the maker's web address, the same everywhere
    ReportRate1000,             // tray notifications
    ReportRate500,
    ReportRate250,
    ReportRate125,
    DpiStage1,                  // English texts end in a blank
    DpiStage2,
    DpiStage3,
    DpiStage4,
    KeyMatrix1,
    KeyMatrix2,
    MacroKeySwitch,             // followed by the macro number
    TrayExit,
    MouseNotDetected,
    MouseDetected,
    MouseSpeedLabel,            // advanced page sliders
    ScrollingSpeedLabel,
    DoubleClickSpeedLabel,
    MacroSettingHeading,
    SelectMacroHeading,
    KeyPressSequenceHeading,
    RecordOptionHeading,
    EnhancePointerPrecision,    // advanced page check boxes
    ScrollOneScreen,
    RestorePointerDefaults,     // advanced page "Default"
    MacroNameLabel,
    StartRecording,
    StopRecording,
    LoopTimesLabel,
    InsertMouseEvent,
    MacroNew,
    MacroDelete,
    MacroConfirm,
    MacroNameBlank,             // messages
    MacroNameExists,
    RecordingTitle,             // main window title while recording
    NotRecordingMessage,
    LabelSectionName,           // str.ini section of the button labels

    // --- sub-dialogs (each also starts with Ok and Cancel) ---
    PleaseEnterKey,             // single key dialog
    PleaseEnterDelay,           // delay time dialog
    DelayRange,
    FireKeyDefaultKey,          // fire key dialog: "A" in every language
    FireSpeed,
    FireTimes,
    FireIllustration,
    FireSpeedHelp,
    FireTimesHelp,
    MacroRepeatCount,           // macro key dialog: repeat modes 1 to 3
    MacroRepeatUntilKey,
    MacroRepeatWhileHeld,
    EmptyText,
    PleaseSelectMacro,
    MediaNext,                  // multimedia key dialog: the seven media keys
    MediaPrevious,
    MediaStop,
    MediaPlayPause,
    MediaMute,
    MediaVolumeUp,
    MediaVolumeDown,
    LaunchMediaPlayer,          // launch key dialog: the eleven launch targets
    LaunchMail,
    LaunchCalculator,
    LaunchMyComputer,
    LaunchBrowserSearch,
    LaunchBrowserHome,
    LaunchBrowserBack,
    LaunchBrowserForward,
    LaunchBrowserStop,
    LaunchBrowserRefresh,
    LaunchBrowserFavorites,
    SkinTextColorPrompt,        // skins dialog
    DefaultSkin,                // skins dialog: the skin whose images lie in the skins root itself

    // --- profiles, from the tray menu ---
    TrayExportProfile,
    TrayImportProfile,
    ProfileFileFilter,
    ProfileNotImported,         // followed by the problems, one per line
    ProfileNotExported,         // followed by the file and the reason

    Count_
};

inline constexpr std::size_t kUiTextCount = static_cast<std::size_t>(UiText::Count_);

// One text in one language.
std::string_view Text(UiText id, UiLanguage language);

// The text of a button function list row (function code 0 to 14); "" otherwise.
std::string_view FunctionText(int functionCode, UiLanguage language);
// The text of a lighting mode 0 to 3; "" otherwise.
std::string_view LedModeText(int mode, UiLanguage language);
// The seven media key texts and the eleven launch target texts, in list order.
std::span<const UiText> MediaKeyTexts();
std::span<const UiText> LaunchTargetTexts();
// The three macro repeat modes (1, 2, 3) in order.
std::span<const UiText> MacroRepeatModeTexts();

// ---- Fonts ------------------------------------------------------------------

// A font request: face names in order of preference (the first is the name
// the program has always asked for; the rest are what a Linux desktop with
// fontconfig usually has instead), a pixel height and a weight (400 normal,
// 700 bold). Never italic, underlined or struck out; a proportional
// sans-serif family hint.
struct FontSpec {
    std::span<const std::string_view> faces;
    int pixelHeight = 0;
    int weight = 400;
    std::string_view PrimaryFace() const { return faces.empty() ? std::string_view{} : faces[0]; }
};

struct FontChoice {
    FontSpec normal;
    FontSpec bold;
};

// The fonts of the windows in a language.
FontChoice FontsFor(UiLanguage language);

}  // namespace kz7
