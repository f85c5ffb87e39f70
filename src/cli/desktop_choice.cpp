#include "cli/desktop_choice.h"

#include "platform/linux/pointer_backends.h"
#include "platform/linux/process_env.h"

namespace kz7::cli {

std::unique_ptr<PointerBackend> ChooseDesktopBackend(CliContext& ctx) {
    const std::string desktop = ctx.args.Value("--desktop").value_or("auto");
    if (desktop == "auto") return linux_platform::MakeDesktopPointerBackend();
    if (desktop == "none") return std::make_unique<NoPointerBackend>();
    if (desktop == "gsettings") {
        auto backend = linux_platform::MakeGSettingsPointerBackend();
        if (!backend) {
            ctx.Fail("GSettings cannot change the desktop here: the schema org.gnome.desktop.peripherals.mouse "
                     "is not installed, or there is no dconf to keep the values");
        }
        return backend;
    }
    if (desktop == "kde") {
        const auto dir = linux_platform::CurrentUserConfigHome();
        if (!dir) {
            ctx.Fail("neither XDG_CONFIG_HOME nor HOME is set");
            return nullptr;
        }
        const bool x11 = linux_platform::DesktopSession::FromEnvironment().IsX11();
        return linux_platform::MakeKdePointerBackend(
            *dir, x11 ? linux_platform::PlasmaSession::X11 : linux_platform::PlasmaSession::Wayland);
    }
    if (desktop == "sway") return linux_platform::MakeSwayPointerBackend();
    if (desktop == "xinput") return linux_platform::MakeXinputPointerBackend();
    ctx.Fail("--desktop takes " + std::string(kDesktopOption.valueName));
    return nullptr;
}

PointerNotice StderrPointerNotice(CliContext& ctx) {
    return [&err = ctx.err](std::string_view text) { err << "Info: " << text << "\n"; };
}

}  // namespace kz7::cli
