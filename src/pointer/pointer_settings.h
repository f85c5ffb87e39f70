#pragma once

// The three system pointer settings that the advanced page adjusts (pointer
// speed with pointer precision, wheel scroll lines with one screen per notch,
// double-click time): the mapping between the desktop's values and the
// 11-step sliders stored in the record, and the read / apply / default
// sequences over a desktop backend.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/device_config.h"
#include "config/prompter.h"

namespace kz7 {

inline constexpr int kPointerLevels = 11;
// The sliders of the pointer settings: 1 speed, 2 wheel lines, 3 double-click.
inline constexpr int kPointerSliders = 3;
inline constexpr int kMinPointerSpeed = 1;
inline constexpr int kMaxPointerSpeed = 20;
// Wheel lines value meaning "scroll one screen per notch".
inline constexpr std::uint32_t kOneScreenPerNotch = 0xFFFFFFFFu;
inline constexpr std::uint32_t kSlowestDoubleClickMs = 900;  // level 1
inline constexpr std::uint32_t kFastestDoubleClickMs = 200;  // level 11
inline constexpr std::uint32_t kDoubleClickStepMs = 70;

// What "Default" writes to the desktop.
inline constexpr int kDefaultPointerSpeed = 10;
inline constexpr std::uint32_t kDefaultWheelLines = 3;
inline constexpr std::uint32_t kDefaultDoubleClickMs = 500;

// ---- Value mappings ------------------------------------------------------------
// Levels are kept to 1..11 both ways: a desktop value outside what the
// sliders can show is drawn and stored as the nearest end, and a stored byte
// outside 1..11 (a hand-edited config.bin) writes the nearest end's value.

// speed ÷ 2 + 1: 10 -> 6, 3 -> 2, 20 -> 11.
int LevelFromSpeed(int speed);
// 1 for level 1, else 2 × level − 2: 6 -> 10, 2 -> 2, 11 -> 20.
int SpeedFromLevel(int level);
// Lines are shown as they are, within 1..11. A stored 0 is written as 0
// lines; a desktop that cannot scroll 0 lines refuses the write, which is
// reported like any failed write.
int LevelFromWheelLines(std::uint32_t lines);
std::uint32_t WheelLinesFromLevel(int level);
// (900 − ms) ÷ 70 + 1: 900 -> 1, 500 -> 6, 200 -> 11; slower than 900 ms is
// level 1 (never a wrapped-around value), faster than 200 ms is level 11.
int LevelFromDoubleClickMs(std::uint32_t ms);
// 900 − (level − 1) × 70: 1 -> 900, 6 -> 550, 11 -> 200.
std::uint32_t DoubleClickMsFromLevel(int level);

// Desktops that keep pointer speed as a factor in [-1, 1] (libinput): 1 is
// -1, 10 is 0 (both systems' defaults), 20 is 1, linear in between.
double UnitSpeedFromSpeed(int speed);
int SpeedFromUnitSpeed(double unitSpeed);

// ---- Desktop backend -------------------------------------------------------------

enum class PointerSetting { Precision, Speed, WheelLines, ScrollOneScreen, DoubleClickTime };

// Every setting, in the order the advanced page shows them.
inline constexpr std::array<PointerSetting, 5> kPointerSettingsInPageOrder = {
    PointerSetting::Speed, PointerSetting::Precision, PointerSetting::WheelLines, PointerSetting::ScrollOneScreen,
    PointerSetting::DoubleClickTime};

// What a desktop offers for the pointer settings. A read gives nothing when
// it fails; a write returns whether it succeeded. Callers ask Supports first:
// a desktop without a setting is not asked for it.
class PointerBackend {
public:
    virtual ~PointerBackend() = default;
    // The desktop as the user knows it: "KDE Plasma", "sway", "GNOME".
    virtual std::string_view Name() const = 0;
    virtual bool Supports(PointerSetting setting) const = 0;
    // What the user should know about the changes kz7 makes here (a full
    // sentence, or nothing), told with the settings this desktop lacks.
    virtual std::string_view Caveat() const { return {}; }

    virtual std::optional<bool> ReadPrecision() = 0;
    virtual std::optional<int> ReadSpeed() = 0;  // 1..20
    // Lines per notch, or kOneScreenPerNotch.
    virtual std::optional<std::uint32_t> ReadWheelLines() = 0;
    virtual std::optional<std::uint32_t> ReadDoubleClickMs() = 0;

    virtual bool WritePrecision(bool on) = 0;
    virtual bool WriteSpeed(int speed) = 0;
    virtual bool WriteWheelLines(std::uint32_t lines) = 0;
    virtual bool WriteDoubleClickMs(std::uint32_t ms) = 0;
};

// For desktops where nothing is known: supports nothing.
class NoPointerBackend : public PointerBackend {
public:
    std::string_view Name() const override { return "this desktop"; }
    bool Supports(PointerSetting) const override { return false; }
    std::optional<bool> ReadPrecision() override { return std::nullopt; }
    std::optional<int> ReadSpeed() override { return std::nullopt; }
    std::optional<std::uint32_t> ReadWheelLines() override { return std::nullopt; }
    std::optional<std::uint32_t> ReadDoubleClickMs() override { return std::nullopt; }
    bool WritePrecision(bool) override { return false; }
    bool WriteSpeed(int) override { return false; }
    bool WriteWheelLines(std::uint32_t) override { return false; }
    bool WriteDoubleClickMs(std::uint32_t) override { return false; }
};

// The failure messages, English in every language, caption "Warning".
inline constexpr std::string_view kGetMouseSpeedFailed = "GETMOUSESPEED failed.";
inline constexpr std::string_view kGetWheelLinesFailed = "GETWHEELSCROLLLINES failed.";
inline constexpr std::string_view kGetDoubleClickFailed = "GetDoubleClickTime failed.";
inline constexpr std::string_view kSetMouseFailed = "SETMOUSE failed.";
inline constexpr std::string_view kSetMouseSpeedFailed = "SETMOUSESPEED failed.";
inline constexpr std::string_view kSetWheelLinesFailed = "SETWHEELSCROLLLINES failed.";
inline constexpr std::string_view kSetDoubleClickFailed = "SPI_SETDOUBLECLICKTIME failed.";

// The setting as the advanced page names it, in lower case: "mouse speed",
// "enhance pointer precision", "scrolling speed", "scroll one screen",
// "double-click speed".
std::string_view PointerSettingName(PointerSetting setting);

// One notice for every setting a desktop lacks, or "" when it lacks none:
// "Scrolling speed, scroll one screen and double-click speed cannot be
// changed on sway; kz7 keeps them in its configuration only." followed by the
// desktop's caveat when it has one.
std::string UnsupportedSettingsNotice(const std::vector<PointerSetting>& settings, std::string_view desktop,
                                      std::string_view caveat = {});

// Where that notice goes: a desktop notification in the window, one line on
// stderr in kz7ctl.
using PointerNotice = std::function<void(std::string_view text)>;

// ---- The settings of one run ----------------------------------------------------------

// The outcome of writing settings to the desktop: the settings whose write
// failed (each was reported). A setting the desktop does not have is no
// failure: it was told once and the value stays in the record.
struct PointerWriteResult {
    std::vector<PointerSetting> failed;
    bool Ok() const { return failed.empty(); }
};

// Reads the desktop's values into the record once per run, applies the
// record's values on OK / Apply, and restores the defaults. Every failed read
// or write is reported with its own message and the sequence goes on. The
// settings the desktop does not have are told together, once per run, the
// first time the desktop is read or written, and then skipped silently.
class SystemPointer {
public:
    // Without a notice sink, the notice is a message through the prompter.
    SystemPointer(PointerBackend& backend, Prompter& prompter, PointerNotice notice = {})
        : backend_(backend), prompter_(prompter), notice_(std::move(notice)) {}

    // The first call in a run replaces the five pointer fields with the
    // desktop's values (a value that cannot be read keeps the stored one,
    // except precision, which reads as off); later calls change nothing.
    // Returns whether it read.
    bool ReadFromSystem(DeviceConfig& config);
    bool HasRead() const { return read_; }

    // Writes the record's values to the desktop.
    PointerWriteResult ApplyToSystem(const DeviceConfig& config);

    // "Default": writes the desktop defaults at once and resets the fields
    // (precision off, one screen off, speed level 6, 3 lines, double-click
    // level 6).
    PointerWriteResult RestoreDefaults(DeviceConfig& config);

    // The settings this desktop lacks, in page order; known once the desktop
    // was first read or written.
    const std::vector<PointerSetting>& UnsupportedSettings() const { return unsupported_; }

private:
    // The first read or write of a run tells what the desktop lacks.
    void TellUnsupportedOnce();
    bool Available(PointerSetting setting) const { return backend_.Supports(setting); }
    void Warn(std::string_view text);
    // Writes one setting when the desktop has it; a failed write is reported and noted.
    void Write(PointerSetting setting, bool written, std::string_view failure, PointerWriteResult& result);

    PointerBackend& backend_;
    Prompter& prompter_;
    PointerNotice notice_;
    bool read_ = false;
    bool told_ = false;
    std::vector<PointerSetting> unsupported_;
};

// The page's controls: slider 1 pointer speed, 2 wheel lines, 3 double-click,
// set to a step 1..11 (other sliders and steps are ignored); the two boxes.
void SetPointerSliderLevel(DeviceConfig& config, int slider, int level);
void TogglePointerPrecision(DeviceConfig& config);
void ToggleScrollOneScreen(DeviceConfig& config);

}  // namespace kz7
