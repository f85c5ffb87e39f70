#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "ini/ini_file.h"
#include "platform/linux/pointer_backends.h"
#include "platform/linux/process_env.h"

namespace kz7::linux_platform {
namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

std::string Value(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// The first name of XDG_CURRENT_DESKTOP ("ubuntu:GNOME") found in `names`,
// spelt as in `names`.
std::optional<std::string_view> NamedDesktop(std::string_view list, std::initializer_list<std::string_view> names) {
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view name = list.substr(0, colon);
        for (const std::string_view known : names)
            if (SameProfileName(name, known)) return known;
        if (colon == std::string_view::npos) break;
        list.remove_prefix(colon + 1);
    }
    return std::nullopt;
}

// Desktops whose settings daemon applies org.gnome.desktop.peripherals.mouse.
std::optional<std::string_view> GnomeFamily(const DesktopSession& session) {
    return NamedDesktop(session.currentDesktop, {"GNOME", "Unity", "Budgie", "Pantheon"});
}

bool IsX11Session(const DesktopSession& session) { return session.IsX11(); }

}  // namespace

bool DesktopSession::IsX11() const {
    // Under Wayland, DISPLAY is Xwayland, whose devices are not the mouse.
    if (waylandDisplay || SameProfileName(sessionType, "wayland")) return false;
    return x11Display || SameProfileName(sessionType, "x11");
}

DesktopSession DesktopSession::FromEnvironment() {
    DesktopSession session;
    session.currentDesktop = Value("XDG_CURRENT_DESKTOP");
    session.sessionType = Value("XDG_SESSION_TYPE");
    session.swaySocket = IsSet("SWAYSOCK");
    session.x11Display = IsSet("DISPLAY");
    session.waylandDisplay = IsSet("WAYLAND_DISPLAY");
    return session;
}

std::vector<PointerDesktop> PointerDesktopCandidates(const DesktopSession& session) {
    if (NamedDesktop(session.currentDesktop, {"KDE"})) return {PointerDesktop::Kde};
    if (NamedDesktop(session.currentDesktop, {"sway"})) return {PointerDesktop::Sway};
    if (GnomeFamily(session)) {
        if (IsX11Session(session)) return {PointerDesktop::GSettings, PointerDesktop::Xinput};
        return {PointerDesktop::GSettings};
    }
    if (session.swaySocket) return {PointerDesktop::Sway};
    if (IsX11Session(session)) return {PointerDesktop::Xinput};
    return {PointerDesktop::GSettings};
}

std::unique_ptr<PointerBackend> MakeDesktopPointerBackend() {
    const DesktopSession session = DesktopSession::FromEnvironment();
    for (const PointerDesktop desktop : PointerDesktopCandidates(session)) {
        switch (desktop) {
            case PointerDesktop::Kde:
                if (const auto dir = CurrentUserConfigHome())
                    return MakeKdePointerBackend(*dir, session.IsX11() ? PlasmaSession::X11 : PlasmaSession::Wayland);
                break;
            case PointerDesktop::Sway: return MakeSwayPointerBackend();
            case PointerDesktop::Xinput: return MakeXinputPointerBackend();
            case PointerDesktop::GSettings: {
                const auto family = GnomeFamily(session);
                if (auto gsettings = MakeGSettingsPointerBackend(family ? std::string(*family) : std::string()))
                    return gsettings;
                break;
            }
        }
    }
    return std::make_unique<NoPointerBackend>();
}

}  // namespace kz7::linux_platform
