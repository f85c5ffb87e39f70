#include "config/device_config.h"

#include <cstring>

namespace kz7 {

DeviceConfig ZeroConfig() {
    DeviceConfig config;
    std::memset(&config, 0, sizeof config);
    return config;
}

std::array<std::uint8_t, kDeviceConfigSize> ConfigBytes(const DeviceConfig& config) {
    std::array<std::uint8_t, kDeviceConfigSize> bytes{};
    std::memcpy(bytes.data(), &config, kDeviceConfigSize);
    return bytes;
}

DeviceConfig ConfigFromBytes(const std::uint8_t* bytes) {
    DeviceConfig config;
    std::memcpy(&config, bytes, kDeviceConfigSize);
    return config;
}

bool SameBytes(const DeviceConfig& a, const DeviceConfig& b) {
    return std::memcmp(&a, &b, kDeviceConfigSize) == 0;
}

void RestoreDefaultButtons(DeviceConfig& config) {
    static constexpr std::uint8_t kDefaultFunctions[9] = {
        kFnLeftClick, kFnRightClick, kFnMidClick, kFnForward, kFnBackward,
        kFnDpiSwitch, kFnNone,       kFnNone,     kFnNone,
    };
    constexpr int kDpiSlot = 5;
    constexpr std::uint8_t kDpiLoop = 3;
    for (int mode = 0; mode < kButtonModes; ++mode) {
        std::memcpy(config.buttons[mode].function, kDefaultFunctions, sizeof kDefaultFunctions);
        config.dpiSwitchMode[mode][kDpiSlot] = kDpiLoop;
    }
}

void RestoreDefaultPointer(DeviceConfig& config) {
    config.enhancePointerPrecision = 0;
    config.scrollOneScreen = 0;
    config.pointerSpeed = 6;
    config.wheelScrollLines = 3;
    config.doubleClickSpeed = 6;
}

int ConfigModel::Subscribe(Observer observer) {
    const int token = nextToken_++;
    observers_.push_back({token, std::move(observer)});
    return token;
}

void ConfigModel::Unsubscribe(int token) {
    std::erase_if(observers_, [token](const Subscription& s) { return s.token == token; });
}

void ConfigModel::NotifyChanged(ConfigPart part) const {
    // A copy: an observer may subscribe or unsubscribe while it is told.
    const std::vector<Subscription> observers = observers_;
    for (const Subscription& s : observers) s.observer(part);
}

namespace {
std::uint8_t LedToggleMask(int group, int toggle) {
    return static_cast<std::uint8_t>(1u << (toggle + 4 * (group % 2)));
}
}  // namespace

bool LedToggle(const DeviceConfig& config, int group, int toggle) {
    return (config.ledFlags[group / 2] & LedToggleMask(group, toggle)) != 0;
}

void SetLedToggle(DeviceConfig& config, int group, int toggle, bool on) {
    std::uint8_t& flags = config.ledFlags[group / 2];
    const std::uint8_t mask = LedToggleMask(group, toggle);
    flags = static_cast<std::uint8_t>(on ? (flags | mask) : (flags & ~mask));
}

}  // namespace kz7
