#pragma once

#include <cstdint>
#include <optional>

namespace kz7 {

// What the mouse and its link tell the front ends: the events the mouse
// reports when its own buttons change a setting (the value of the enumerator
// is the event code of its report), and the two changes of the link itself.
enum class DeviceEvent : std::uint8_t {
    ReportRate = 5,      // value: polling interval in ms (1, 2, 4, 8)
    DpiStage = 7,        // value: stage 1..4
    KeyMatrixSwitch = 8,       // value: key matrix number
    MacroKey = 9,        // value: a number shown to the user
    MouseAccepted = 14,  // the handshake accepted the mouse
    NoMouse = 15,        // no usable mouse: absent, unplugged or refused
};

// The event code of a report as the mouse sends it.
constexpr std::uint8_t ReportCode(DeviceEvent event) { return static_cast<std::uint8_t>(event); }

// The event that an event report's code stands for; nothing for the codes the
// program does not report (and for the link's own kinds, which never come
// from the mouse).
constexpr std::optional<DeviceEvent> EventOfReportCode(std::uint8_t code) {
    switch (code) {
        case ReportCode(DeviceEvent::ReportRate): return DeviceEvent::ReportRate;
        case ReportCode(DeviceEvent::DpiStage): return DeviceEvent::DpiStage;
        case ReportCode(DeviceEvent::KeyMatrixSwitch): return DeviceEvent::KeyMatrixSwitch;
        case ReportCode(DeviceEvent::MacroKey): return DeviceEvent::MacroKey;
        default: return std::nullopt;
    }
}

}  // namespace kz7
