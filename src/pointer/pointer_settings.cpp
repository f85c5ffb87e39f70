#include "pointer/pointer_settings.h"

#include <algorithm>
#include <cmath>

namespace kz7 {
namespace {

int ClampLevel(int level) { return std::clamp(level, 1, kPointerLevels); }

std::uint8_t LevelByte(int level) { return static_cast<std::uint8_t>(ClampLevel(level)); }

}  // namespace

int LevelFromSpeed(int speed) {
    return ClampLevel(std::clamp(speed, kMinPointerSpeed, kMaxPointerSpeed) / 2 + 1);
}

int SpeedFromLevel(int level) {
    level = ClampLevel(level);
    return level == 1 ? 1 : 2 * level - 2;
}

int LevelFromWheelLines(std::uint32_t lines) {
    return static_cast<int>(std::clamp<std::uint32_t>(lines, 1, kPointerLevels));
}

std::uint32_t WheelLinesFromLevel(int level) {
    // 0 is a real setting (the wheel scrolls nothing), not a level to round up.
    if (level <= 0) return 0;
    return static_cast<std::uint32_t>(ClampLevel(level));
}

int LevelFromDoubleClickMs(std::uint32_t ms) {
    // Done in unsigned arithmetic the old way, a time above 900 ms wrapped
    // around to a huge level; anything slower than level 1 is level 1.
    if (ms >= kSlowestDoubleClickMs) return 1;
    return ClampLevel(static_cast<int>((kSlowestDoubleClickMs - ms) / kDoubleClickStepMs) + 1);
}

std::uint32_t DoubleClickMsFromLevel(int level) {
    return kSlowestDoubleClickMs - static_cast<std::uint32_t>(ClampLevel(level) - 1) * kDoubleClickStepMs;
}

double UnitSpeedFromSpeed(int speed) {
    speed = std::clamp(speed, kMinPointerSpeed, kMaxPointerSpeed);
    if (speed <= kDefaultPointerSpeed)
        return static_cast<double>(speed - kDefaultPointerSpeed) / (kDefaultPointerSpeed - kMinPointerSpeed);
    return static_cast<double>(speed - kDefaultPointerSpeed) / (kMaxPointerSpeed - kDefaultPointerSpeed);
}

int SpeedFromUnitSpeed(double unitSpeed) {
    if (std::isnan(unitSpeed)) return kDefaultPointerSpeed;
    unitSpeed = std::clamp(unitSpeed, -1.0, 1.0);
    const double span = unitSpeed <= 0 ? kDefaultPointerSpeed - kMinPointerSpeed
                                       : kMaxPointerSpeed - kDefaultPointerSpeed;
    return static_cast<int>(std::lround(kDefaultPointerSpeed + unitSpeed * span));
}

std::string_view PointerSettingName(PointerSetting setting) {
    // The advanced page's own labels, so that the user finds what is meant.
    switch (setting) {
        case PointerSetting::Speed: return "mouse speed";
        case PointerSetting::Precision: return "enhance pointer precision";
        case PointerSetting::WheelLines: return "scrolling speed";
        case PointerSetting::ScrollOneScreen: return "scroll one screen";
        case PointerSetting::DoubleClickTime: return "double-click speed";
    }
    return "this setting";
}

std::string UnsupportedSettingsNotice(const std::vector<PointerSetting>& settings, std::string_view desktop,
                                      std::string_view caveat) {
    if (settings.empty()) return {};
    std::string text;
    for (std::size_t i = 0; i < settings.size(); ++i) {
        if (i > 0) text += i + 1 == settings.size() ? " and " : ", ";
        text += PointerSettingName(settings[i]);
    }
    if (text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    text += " cannot be changed on ";
    text += desktop;
    text += settings.size() == 1 ? "; kz7 keeps it in its configuration only."
                                 : "; kz7 keeps them in its configuration only.";
    if (!caveat.empty()) {
        text += ' ';
        text += caveat;
    }
    return text;
}

void SystemPointer::TellUnsupportedOnce() {
    if (told_) return;
    told_ = true;
    for (const PointerSetting setting : kPointerSettingsInPageOrder)
        if (!backend_.Supports(setting)) unsupported_.push_back(setting);
    const std::string text = UnsupportedSettingsNotice(unsupported_, backend_.Name(), backend_.Caveat());
    if (text.empty()) return;
    if (notice_) notice_(text);
    else prompter_.ShowMessage(text, kWarningCaption);
}

void SystemPointer::Warn(std::string_view text) { prompter_.ShowMessage(text, kWarningCaption); }

bool SystemPointer::ReadFromSystem(DeviceConfig& config) {
    if (read_) return false;
    TellUnsupportedOnce();

    if (Available(PointerSetting::Precision)) {
        // A failed read is not reported and leaves precision off.
        config.enhancePointerPrecision = backend_.ReadPrecision().value_or(false) ? 1 : 0;
    }
    if (Available(PointerSetting::Speed)) {
        if (const std::optional<int> speed = backend_.ReadSpeed())
            config.pointerSpeed = LevelByte(LevelFromSpeed(*speed));
        else
            Warn(kGetMouseSpeedFailed);
    }
    if (Available(PointerSetting::WheelLines)) {
        if (const std::optional<std::uint32_t> lines = backend_.ReadWheelLines()) {
            if (*lines == kOneScreenPerNotch) {
                config.scrollOneScreen = 1;
                config.wheelScrollLines = 0;
            } else {
                config.scrollOneScreen = 0;
                config.wheelScrollLines = LevelByte(LevelFromWheelLines(*lines));
            }
        } else {
            Warn(kGetWheelLinesFailed);
        }
    }
    if (Available(PointerSetting::DoubleClickTime)) {
        const std::optional<std::uint32_t> ms = backend_.ReadDoubleClickMs();
        if (ms && *ms != 0)
            config.doubleClickSpeed = LevelByte(LevelFromDoubleClickMs(*ms));
        else
            Warn(kGetDoubleClickFailed);
    }
    read_ = true;
    return true;
}

void SystemPointer::Write(PointerSetting setting, bool written, std::string_view failure,
                          PointerWriteResult& result) {
    if (written) return;
    Warn(failure);
    result.failed.push_back(setting);
}

PointerWriteResult SystemPointer::ApplyToSystem(const DeviceConfig& config) {
    TellUnsupportedOnce();
    PointerWriteResult result;
    if (Available(PointerSetting::Precision))
        Write(PointerSetting::Precision, backend_.WritePrecision(config.enhancePointerPrecision == 1),
              kSetMouseFailed, result);
    if (Available(PointerSetting::Speed))
        Write(PointerSetting::Speed, backend_.WriteSpeed(SpeedFromLevel(config.pointerSpeed)),
              kSetMouseSpeedFailed, result);
    if (config.scrollOneScreen == 1) {
        if (Available(PointerSetting::ScrollOneScreen))
            Write(PointerSetting::ScrollOneScreen, backend_.WriteWheelLines(kOneScreenPerNotch),
                  kSetWheelLinesFailed, result);
    } else if (Available(PointerSetting::WheelLines)) {
        Write(PointerSetting::WheelLines, backend_.WriteWheelLines(WheelLinesFromLevel(config.wheelScrollLines)),
              kSetWheelLinesFailed, result);
    }
    if (Available(PointerSetting::DoubleClickTime))
        Write(PointerSetting::DoubleClickTime,
              backend_.WriteDoubleClickMs(DoubleClickMsFromLevel(config.doubleClickSpeed)),
              kSetDoubleClickFailed, result);
    return result;
}

PointerWriteResult SystemPointer::RestoreDefaults(DeviceConfig& config) {
    TellUnsupportedOnce();
    PointerWriteResult result;
    if (Available(PointerSetting::Precision))
        Write(PointerSetting::Precision, backend_.WritePrecision(false), kSetMouseFailed, result);
    if (Available(PointerSetting::Speed))
        Write(PointerSetting::Speed, backend_.WriteSpeed(kDefaultPointerSpeed), kSetMouseSpeedFailed, result);
    if (Available(PointerSetting::WheelLines))
        Write(PointerSetting::WheelLines, backend_.WriteWheelLines(kDefaultWheelLines), kSetWheelLinesFailed,
              result);
    if (Available(PointerSetting::DoubleClickTime))
        Write(PointerSetting::DoubleClickTime, backend_.WriteDoubleClickMs(kDefaultDoubleClickMs),
              kSetDoubleClickFailed, result);
    RestoreDefaultPointer(config);
    return result;
}

void SetPointerSliderLevel(DeviceConfig& config, int slider, int level) {
    if (level < 1 || level > kPointerLevels) return;
    const auto value = static_cast<std::uint8_t>(level);
    switch (slider) {
        case 1: config.pointerSpeed = value; break;
        case 2: config.wheelScrollLines = value; break;
        case 3: config.doubleClickSpeed = value; break;
        default: break;
    }
}

void TogglePointerPrecision(DeviceConfig& config) {
    config.enhancePointerPrecision = config.enhancePointerPrecision == 1 ? 0 : 1;
}

void ToggleScrollOneScreen(DeviceConfig& config) {
    config.scrollOneScreen = config.scrollOneScreen == 1 ? 0 : 1;
}

}  // namespace kz7
