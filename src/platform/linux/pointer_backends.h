#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pointer/pointer_settings.h"

namespace kz7::linux_platform {

class CommandRunner;

// GNOME and other GSettings desktops: org.gnome.desktop.peripherals.mouse
// "speed" (-1..1), "accel-profile" (flat = no precision) and "double-click"
// (ms). GNOME has no wheel-lines setting. Nothing when the schema is not
// installed, or when GIO would keep the values where no desktop reads them
// (no dconf: a private key file or memory), unless GSETTINGS_BACKEND names
// the store explicitly (tests use "memory"). `desktopName` is what the
// user is told the settings live on ("GNOME"); by default "this desktop".
std::unique_ptr<PointerBackend> MakeGSettingsPointerBackend(std::string desktopName = {});

enum class PlasmaSession { Wayland, X11 };

// KDE Plasma: kdeglobals [KDE] WheelScrollLines and DoubleClickInterval,
// followed by a KGlobalSettings change signal on the session bus (by default;
// `notifyChanged` replaces it) so that running programs reload them. Mouse
// speed and precision live with the pointer devices: on Wayland in KWin
// (`pointerDevices`, by default KWin over D-Bus, which applies and keeps
// them); on X11 in kcminputrc [Mouse] XLbInptPointerAcceleration and
// XLbInptAccelProfileFlat, which kcminit applies at login, and in the mice
// of the running session (`pointerDevices`, by default xinput). Plasma
// cannot scroll one screen per notch. `configDir` is $XDG_CONFIG_HOME.
std::unique_ptr<PointerBackend> MakeKdePointerBackend(const std::filesystem::path& configDir, PlasmaSession session,
                                                      std::function<void()> notifyChanged = {},
                                                      std::unique_ptr<PointerBackend> pointerDevices = {});

// The mice of a running KWin (pointers that are not touchpads), over D-Bus:
// pointerAcceleration and the flat / adaptive profile. Nothing else.
std::unique_ptr<PointerBackend> MakeKwinPointerBackend();

// sway (and compositors that answer its IPC) through swaymsg: "pointer_accel"
// and "accel_profile" of every input of type pointer. sway forgets them when
// it restarts; it has no wheel-lines or double-click setting. `runner` runs
// swaymsg (by default real processes).
std::unique_ptr<PointerBackend> MakeSwayPointerBackend(std::shared_ptr<CommandRunner> runner = {});

// Plain X11 sessions through xinput: "libinput Accel Speed" and "libinput
// Accel Profile Enabled" of every slave pointer that has them, touchpads
// left alone. X forgets them when the device or the session goes.
std::unique_ptr<PointerBackend> MakeXinputPointerBackend(std::shared_ptr<CommandRunner> runner = {});

// ---- Which backend this session gets ----------------------------------------------

enum class PointerDesktop { Kde, Sway, GSettings, Xinput };

// The environment values the choice depends on.
struct DesktopSession {
    std::string currentDesktop;  // XDG_CURRENT_DESKTOP: names separated by ':'
    std::string sessionType;     // XDG_SESSION_TYPE: "x11", "wayland", ...
    bool swaySocket = false;     // SWAYSOCK is set
    bool x11Display = false;     // DISPLAY is set
    bool waylandDisplay = false; // WAYLAND_DISPLAY is set

    static DesktopSession FromEnvironment();
    // Whether its pointers belong to an X server (DISPLAY under Wayland is Xwayland's).
    bool IsX11() const;
};

// The backends to try for a session, best first; the first that can be made
// is used, and nothing left means a backend that supports nothing:
//   a desktop named KDE                 -> KDE Plasma
//   a desktop named sway                -> sway
//   a GNOME-family desktop              -> GSettings, then xinput in an X11 session
//   SWAYSOCK set (a sway-compatible compositor under another name) -> sway
//   any other X11 session               -> xinput
//   anything else                       -> GSettings (which declines where no desktop reads it)
std::vector<PointerDesktop> PointerDesktopCandidates(const DesktopSession& session);

// The backend for this process's session.
std::unique_ptr<PointerBackend> MakeDesktopPointerBackend();

}  // namespace kz7::linux_platform
