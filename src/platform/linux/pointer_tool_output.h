#pragma once

// What the desktop tools print, read into values: swaymsg's JSON and
// xinput's property listings. Anything unexpected reads as nothing, never as
// a default that would pass for a real value.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kz7::linux_platform {

// libinput's pointer acceleration of one device: the speed factor (-1..1)
// and whether the adaptive profile is on (false: flat).
struct LibinputAcceleration {
    std::optional<double> speed;
    std::optional<bool> adaptive;
    bool operator==(const LibinputAcceleration&) const = default;
};

// `swaymsg -t get_inputs --raw`: the acceleration of the first input of type
// "pointer" that has one (touchpads are inputs of their own type). Nothing
// when the text is not that JSON or no pointer has acceleration.
std::optional<LibinputAcceleration> FirstSwayPointer(std::string_view json);

// The reply to `swaymsg COMMAND`: an array with one {"success": bool} per
// command; true only when there is at least one and all succeeded.
bool SwayCommandsSucceeded(std::string_view json);

// `xinput list --short`: the ids of the slave pointer devices, in order.
std::vector<int> XinputSlavePointerIds(std::string_view listing);

// `xinput list-props ID` of one device, as far as kz7 cares.
struct XinputPointerProperties {
    bool touchpad = false;                // it has libinput tapping, so it is a touchpad
    std::optional<double> speed;          // "libinput Accel Speed"
    std::vector<int> profilesEnabled;     // "libinput Accel Profile Enabled": adaptive, flat[, custom]
    bool operator==(const XinputPointerProperties&) const = default;
};
XinputPointerProperties ParseXinputProperties(std::string_view listing);

// Whether an enabled-profiles value reads as adaptive (true) or flat (false).
std::optional<bool> AdaptiveFromProfiles(const std::vector<int>& profilesEnabled);

// A speed factor as the tools take it: fixed point, three decimals, a dot
// whatever the locale ("-0.667", "0.000", "1.000").
std::string FormatUnitSpeed(double unitSpeed);

}  // namespace kz7::linux_platform
