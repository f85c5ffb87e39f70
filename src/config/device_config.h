#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace kz7 {

inline constexpr int kButtonSlots = 12;
// "Mode A" and "Mode B": two sets of button functions.
inline constexpr int kButtonModes = 2;
inline constexpr int kMacroCount = 12;
inline constexpr int kMacroImageSize = 128;
inline constexpr int kDpiStages = 4;
inline constexpr int kLoopColours = 8;
// Each DPI stage lights three LEDs of its own colour, each on or off.
inline constexpr int kLedTogglesPerStage = 3;

// Function codes of a button slot: the rows of the function list.
enum FunctionCode : std::uint8_t {
    kFnLeftClick = 0,
    kFnRightClick = 1,
    kFnMidClick = 2,
    kFnForward = 3,
    kFnBackward = 4,
    kFnTripleClick = 5,
    kFnDpiSwitch = 6,
    kFnRgbOnOff = 7,
    kFnLaunch = 8,
    kFnMultimedia = 9,
    kFnFireKey = 10,
    kFnSingleKey = 11,
    kFnComboKey = 12,
    kFnMacroKey = 13,
    kFnKeyOff = 14,
    kFnNone = 15,
};

// One button set: sixteen arrays of twelve bytes, one byte per slot.
struct ButtonSet {
    std::uint8_t function[kButtonSlots];
    std::uint8_t mediaIndex[kButtonSlots];
    std::uint8_t mediaCode[kButtonSlots];
    std::uint8_t launchIndex[kButtonSlots];
    std::uint8_t launchCode[kButtonSlots];
    std::uint8_t launchPage[kButtonSlots];
    std::uint8_t fireIndex[kButtonSlots];
    std::uint8_t fireCode[kButtonSlots];
    std::uint8_t fireSpeed[kButtonSlots];
    std::uint8_t fireTimes[kButtonSlots];
    std::uint8_t singleCode[kButtonSlots];
    std::uint8_t comboModifiers[kButtonSlots];
    std::uint8_t comboKey1[kButtonSlots];
    std::uint8_t comboKey2[kButtonSlots];
    std::uint8_t macroIndex[kButtonSlots];
    std::uint8_t macroMode[kButtonSlots];
};

// Every user setting, stored byte for byte in config.bin after the first-run flag.
// All members are bytes, so the struct has no padding and its layout is the file's.
struct DeviceConfig {
    ButtonSet buttons[kButtonModes];
    std::uint8_t macroImage[kMacroCount][kMacroImageSize];
    std::uint8_t reserved1920[5];
    std::uint8_t reportRate;  // polling interval in ms: 1, 2, 4, 8
    std::uint8_t reserved1926;
    std::uint8_t dpiLevel[kDpiStages];
    std::uint8_t dpiStageOn[8];
    std::uint8_t reserved1939[8];
    std::uint8_t ledMode;
    std::uint8_t ledModeParam[3];
    std::uint8_t ledModeParam2[3];
    std::uint8_t reserved1954;
    std::uint8_t enhancePointerPrecision;
    std::uint8_t scrollOneScreen;
    std::uint8_t pointerSpeed;
    std::uint8_t wheelScrollLines;
    std::uint8_t doubleClickSpeed;
    std::uint8_t currentMode;
    std::uint8_t dpiSwitchMode[kButtonModes][kButtonSlots];
    std::uint8_t loopColorOn[kLoopColours];
    std::uint8_t loopColor[kLoopColours][3];
    std::uint8_t ledFlags[2];
    std::uint8_t ledExtra[2];
};

inline constexpr std::size_t kDeviceConfigSize = 2021;

static_assert(sizeof(ButtonSet) == 192);
static_assert(offsetof(ButtonSet, mediaIndex) == 12);
static_assert(offsetof(ButtonSet, launchPage) == 60);
static_assert(offsetof(ButtonSet, fireCode) == 84);
static_assert(offsetof(ButtonSet, singleCode) == 120);
static_assert(offsetof(ButtonSet, comboModifiers) == 132);
static_assert(offsetof(ButtonSet, comboKey2) == 156);
static_assert(offsetof(ButtonSet, macroIndex) == 168);
static_assert(offsetof(ButtonSet, macroMode) == 180);

static_assert(sizeof(DeviceConfig) == kDeviceConfigSize);
static_assert(alignof(DeviceConfig) == 1);
static_assert(offsetof(DeviceConfig, buttons) == 0);
static_assert(offsetof(DeviceConfig, macroImage) == 384);
static_assert(offsetof(DeviceConfig, reserved1920) == 1920);
static_assert(offsetof(DeviceConfig, reportRate) == 1925);
static_assert(offsetof(DeviceConfig, dpiLevel) == 1927);
static_assert(offsetof(DeviceConfig, dpiStageOn) == 1931);
static_assert(offsetof(DeviceConfig, reserved1939) == 1939);
static_assert(offsetof(DeviceConfig, ledMode) == 1947);
static_assert(offsetof(DeviceConfig, ledModeParam) == 1948);
static_assert(offsetof(DeviceConfig, ledModeParam2) == 1951);
static_assert(offsetof(DeviceConfig, enhancePointerPrecision) == 1955);
static_assert(offsetof(DeviceConfig, scrollOneScreen) == 1956);
static_assert(offsetof(DeviceConfig, pointerSpeed) == 1957);
static_assert(offsetof(DeviceConfig, wheelScrollLines) == 1958);
static_assert(offsetof(DeviceConfig, doubleClickSpeed) == 1959);
static_assert(offsetof(DeviceConfig, currentMode) == 1960);
static_assert(offsetof(DeviceConfig, dpiSwitchMode) == 1961);
static_assert(offsetof(DeviceConfig, loopColorOn) == 1985);
static_assert(offsetof(DeviceConfig, loopColor) == 1993);
static_assert(offsetof(DeviceConfig, ledFlags) == 2017);
static_assert(offsetof(DeviceConfig, ledExtra) == 2019);

// A zero-filled record: the state of a machine without a configuration file.
DeviceConfig ZeroConfig();

// Byte views of a record, for the file and for comparisons.
std::array<std::uint8_t, kDeviceConfigSize> ConfigBytes(const DeviceConfig& config);
DeviceConfig ConfigFromBytes(const std::uint8_t* bytes);  // reads kDeviceConfigSize bytes
bool SameBytes(const DeviceConfig& a, const DeviceConfig& b);

// The "Default" button of the basic page: slots 1..9 of both sets, DPI Loop on slot 6.
void RestoreDefaultButtons(DeviceConfig& config);
// The pointer settings' defaults.
void RestoreDefaultPointer(DeviceConfig& config);

// LED toggle t (0 .. kLedTogglesPerStage - 1) of DPI stage group g (0 .. kDpiStages - 1).
bool LedToggle(const DeviceConfig& config, int group, int toggle);
void SetLedToggle(DeviceConfig& config, int group, int toggle, bool on);

// What an edit of the record changed, so that the views showing it redraw.
enum class ConfigPart : std::uint8_t {
    Buttons,     // functions, their parameters, the current mode (and the labels beside them)
    ReportRate,
    Dpi,         // stages on or off and their levels
    Lighting,    // mode, parameter, loop colours, LED toggles
    Pointer,     // the five pointer settings
    Macros,      // the macro blocks
    Everything,  // a whole new record (load, Cancel)
};

// The record being edited and the copy that Cancel returns to. Whoever
// changes `config` says so with NotifyChanged; views subscribe and redraw
// from the record, never from copies of their own.
class ConfigModel {
public:
    DeviceConfig config = ZeroConfig();
    DeviceConfig appliedConfig = ZeroConfig();
    std::uint8_t firstRunFlag = 0;

    void Snapshot() { appliedConfig = config; }
    void Revert() {
        config = appliedConfig;
        NotifyChanged(ConfigPart::Everything);
    }

    using Observer = std::function<void(ConfigPart)>;
    // Returns the token that Unsubscribe takes.
    int Subscribe(Observer observer);
    void Unsubscribe(int token);
    void NotifyChanged(ConfigPart part) const;

private:
    struct Subscription {
        int token;
        Observer observer;
    };
    std::vector<Subscription> observers_;
    int nextToken_ = 1;
};

}  // namespace kz7
