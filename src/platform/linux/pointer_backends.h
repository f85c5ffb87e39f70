#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

#include "pointer/pointer_settings.h"

namespace kz7::linux_platform {

// GNOME and other GSettings desktops: org.gnome.desktop.peripherals.mouse
// "speed" (-1..1), "accel-profile" (flat = no precision) and "double-click"
// (ms). GNOME has no wheel-lines setting. Nothing when the schema is not
// installed, or when GIO would keep the values where no desktop reads them
// (no dconf: a private key file or memory), unless GSETTINGS_BACKEND names
// the store explicitly (tests use "memory").
std::unique_ptr<PointerBackend> MakeGSettingsPointerBackend();

// KDE Plasma: kdeglobals [KDE] WheelScrollLines and DoubleClickInterval;
// kcminputrc [Mouse] PointerAcceleration (-1..1) and the acceleration
// profile (PointerAccelerationProfile 1 flat / 2 adaptive, kept in step with
// X11LibInputXAccelProfileFlat). Plasma cannot scroll one screen per notch.
// `configDir` is $XDG_CONFIG_HOME; `notifyChanged` runs after each written
// file (by default a KGlobalSettings change signal on the session bus, so
// running programs reload the mouse settings).
std::unique_ptr<PointerBackend> MakeKdePointerBackend(const std::filesystem::path& configDir,
                                                      std::function<void()> notifyChanged = {});

// The backend for this session: KDE Plasma when XDG_CURRENT_DESKTOP names
// KDE, else GSettings when its schema is installed, else one that supports
// nothing.
std::unique_ptr<PointerBackend> MakeDesktopPointerBackend();

}  // namespace kz7::linux_platform
