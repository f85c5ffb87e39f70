// kz7ctl commands for the settings outside the mouse: the desktop's pointer
// settings and the button labels in str.ini.
#include <cstring>
#include <ostream>
#include <string>

#include "cli/cli.h"
#include "cli/desktop_choice.h"
#include "config/atomic_file.h"
#include "locale/language.h"
#include "pointer/pointer_settings.h"
#include "skins/button_labels.h"

namespace kz7::cli {

namespace {

void PrintLevels(std::ostream& out, const DeviceConfig& c) {
    out << "  enhance pointer precision: " << (c.enhancePointerPrecision ? "on" : "off") << "\n"
        << "  pointer speed: level " << int(c.pointerSpeed) << " (speed " << SpeedFromLevel(c.pointerSpeed)
        << " of 20)\n"
        << "  scroll one screen: " << (c.scrollOneScreen ? "on" : "off") << "\n"
        << "  wheel scroll lines: " << int(c.wheelScrollLines) << "\n"
        << "  double-click speed: level " << int(c.doubleClickSpeed) << " ("
        << DoubleClickMsFromLevel(c.doubleClickSpeed) << " ms)\n";
}

int RunPointerShow(CliContext& ctx) {
    if (ctx.args.positional.size() > 1) return ctx.Fail("usage: kz7ctl pointer show [--desktop D] [FILE]");
    auto backend = ChooseDesktopBackend(ctx);
    if (!backend) return 1;
    PointerBackend& desktop = *backend;
    std::ostream& out = ctx.out;
    out << "Desktop: " << desktop.Name() << "\n";
    auto unsupported = [&](PointerSetting setting) {
        if (desktop.Supports(setting)) return false;
        out << "not a setting of this desktop\n";
        return true;
    };
    out << "  enhance pointer precision: ";
    if (!unsupported(PointerSetting::Precision)) {
        const auto on = desktop.ReadPrecision();
        out << (on ? (*on ? "on" : "off") : "cannot be read") << "\n";
    }
    out << "  pointer speed: ";
    if (!unsupported(PointerSetting::Speed)) {
        if (const auto speed = desktop.ReadSpeed())
            out << *speed << " of 20 (level " << LevelFromSpeed(*speed) << ")\n";
        else
            out << "cannot be read\n";
    }
    out << "  wheel scroll lines: ";
    if (!unsupported(PointerSetting::WheelLines)) {
        if (const auto lines = desktop.ReadWheelLines()) {
            if (*lines == kOneScreenPerNotch) out << "one screen per notch\n";
            else out << *lines << " (level " << LevelFromWheelLines(*lines) << ")\n";
        } else {
            out << "cannot be read\n";
        }
    }
    out << "  double-click time: ";
    if (!unsupported(PointerSetting::DoubleClickTime)) {
        if (const auto ms = desktop.ReadDoubleClickMs())
            out << *ms << " ms (level " << LevelFromDoubleClickMs(*ms) << ")\n";
        else
            out << "cannot be read\n";
    }

    const std::filesystem::path path = ctx.ConfigFileArg(0);
    std::string why;
    if (const auto image = ReadConfigImage(path, &why)) {
        out << "Stored in " << path.string() << ":\n";
        PrintLevels(out, image->config);
    } else {
        out << "Stored: " << why << "\n";
    }
    return 0;
}

int RunPointerApply(CliContext& ctx) {
    if (ctx.args.positional.size() > 1) return ctx.Fail("usage: kz7ctl pointer apply [--desktop D] [FILE]");
    const std::filesystem::path path = ctx.ConfigFileArg(0);
    std::string why;
    const auto image = ReadConfigImage(path, &why);
    if (!image) return ctx.Fail(why);
    auto backend = ChooseDesktopBackend(ctx);
    if (!backend) return 1;
    SystemPointer pointer(*backend, ctx.prompter, StderrPointerNotice(ctx));
    const PointerWriteResult written = pointer.ApplyToSystem(image->config);
    ctx.out << "Applied to " << backend->Name() << ":\n";
    PrintLevels(ctx.out, image->config);
    return written.Ok() ? 0 : 1;
}

int RunPointerDefaults(CliContext& ctx) {
    if (ctx.args.positional.size() > 1)
        return ctx.Fail("usage: kz7ctl pointer defaults [--desktop D] [FILE]");
    auto backend = ChooseDesktopBackend(ctx);
    if (!backend) return 1;
    SystemPointer pointer(*backend, ctx.prompter, StderrPointerNotice(ctx));
    DeviceConfig defaults = ZeroConfig();
    const PointerWriteResult written = pointer.RestoreDefaults(defaults);

    // The record takes the default levels too, so that a later apply does
    // not bring the old values back. Its first-run flag is kept.
    const std::filesystem::path path = ctx.ConfigFileArg(0);
    std::string why;
    if (auto image = ReadConfigImage(path, &why)) {
        RestoreDefaultPointer(image->config);
        const auto bytes = ConfigFileImage(image->firstRunFlag, image->config);
        if (const int code = WriteFileAtomically(path, bytes.data(), bytes.size()); code != 0)
            return ctx.Fail("cannot write " + path.string() + ": " + std::strerror(code));
        ctx.out << "Stored in " << path.string() << ":\n";
        PrintLevels(ctx.out, image->config);
    } else {
        ctx.err << "kz7ctl: " << why << " (the desktop defaults were still written)\n";
    }
    return written.Ok() ? 0 : 1;
}

int RunLabels(CliContext& ctx) {
    if (!ctx.args.positional.empty()) return ctx.Fail("usage: kz7ctl labels [--lang en|chs|cht]");
    std::string problem;
    const auto chosen = LabelLanguageOption(ctx.args, problem);
    if (!chosen) return ctx.Fail(problem);
    const UiLanguage language = *chosen;
    const std::filesystem::path strIni = ctx.Paths().settings;
    const ButtonLabels labels = LoadButtonLabels(strIni, language);
    ctx.out << "[" << LabelSectionName(language) << "] of " << strIni.string() << "\n";
    for (int mode = 0; mode < kLabelModes; ++mode) {
        ctx.out << (mode == 0 ? "Mode A" : "Mode B") << ":\n";
        for (int slot = 1; slot <= kLabelSlots; ++slot) {
            ctx.out << "  " << LabelKey(mode, slot) << " (button " << slot
                    << "): " << labels.text[static_cast<std::size_t>(mode)][static_cast<std::size_t>(slot - 1)]
                    << "\n";
        }
    }
    return 0;
}

const CliCommand kCommands[] = {
    {"pointer", "", "the desktop's pointer speed, precision, wheel lines and double-click time", {}, nullptr},
    {"pointer show", "[FILE]", "the desktop's pointer settings and the stored ones", {kDesktopOption},
     RunPointerShow},
    {"pointer apply", "[FILE]", "write the pointer settings of config.bin to the desktop", {kDesktopOption},
     RunPointerApply},
    {"pointer defaults", "[FILE]", "write the default pointer settings to the desktop and to config.bin",
     {kDesktopOption}, RunPointerDefaults},
    {"labels", "", "the button labels of both modes as stored in str.ini",
     {{"--lang", "en|chs|cht", "the language's labels (default: the desktop's language)"}}, RunLabels},
};

const RegisterCommands kRegistered(kCommands);

}  // namespace

}  // namespace kz7::cli
