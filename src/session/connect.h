#pragma once

// Connecting to the mouse as both front ends do it, and how each of them
// words an outcome that is not a connected mouse.

#include <optional>
#include <string>
#include <string_view>

#include "device/device_link.h"
#include "locale/language.h"

namespace kz7 {

inline constexpr std::string_view kUdevRuleHint =
    "install data/70-kz7.rules in /etc/udev/rules.d (or lib/udev/rules.d) so that the logged-in "
    "user may open the mouse, then unplug and plug it in again";

// FindDevice and, when the command collection opened, the handshake. The
// result is the first step's failure or the handshake's verdict.
LinkResult Connect(DeviceLink& link);

// The message box of the window's start-up, or nothing. A search that found
// no usable node says "The system did not detect the gaming mouse!" in the
// language; for a node that cannot be opened the node, the reason and the
// udev rule follow. A connected mouse says nothing, and neither does a
// refused one: its handshake already announced NoMouse.
std::optional<std::string> StartupMessage(const LinkResult& result, UiLanguage language);

// The one error line of the command-line tool (English), empty when connected.
std::string LinkFailureText(const LinkResult& result);

}  // namespace kz7
