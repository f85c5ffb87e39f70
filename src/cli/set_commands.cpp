// kz7ctl set: one setting of config.bin (and the button labels beside it)
// changed through the window's own rules, then saved as the window saves.
#include <ostream>

#include "cli/cli.h"
#include "cli/desktop_choice.h"
#include "cli/device_access.h"
#include "config/config_file.h"
#include "locale/language.h"
#include "macros/macro_key_dialog.h"
#include "macros/macro_store.h"
#include "profile/setting_edits.h"
#include "session/apply_session.h"
#include "skins/button_labels.h"

namespace kz7::cli {

namespace {

constexpr std::string_view kSetUsage =
    "[--mode A|B] [--lang en|chs|cht] [--apply] SETTING ARGS\n"
    "  button N FUNCTION [ARG] [--speed S] [--times T] [--repeat R]\n"
    "  rate 125|250|500|1000\n"
    "  dpi STAGE [--level L | --dpi VALUE] [--on|--off] [--sensor N]\n"
    "  lighting MODE [PARAMETER]\n"
    "  color K [#rrggbb] [--on|--off]\n"
    "  dpi-led STAGE [r][g][b]\n"
    "  mode A|B\n"
    "  defaults buttons|pointer\n"
    "  pointer speed|wheel|double-click|precision|one-screen VALUE";

std::optional<bool> OnOffFlags(const CliContext& ctx, std::string& problem) {
    const bool on = ctx.args.Has("--on");
    const bool off = ctx.args.Has("--off");
    if (on && off) problem = "give --on or --off, not both";
    if (on == off) return std::nullopt;
    return on;
}

// The options that belong to one setting only.
std::string OptionsOutOfPlace(const CliContext& ctx, std::string_view setting) {
    struct Owned {
        std::string_view option;
        std::string_view settings;
    };
    static constexpr Owned kOwned[] = {
        {"--speed", "button"}, {"--times", "button"}, {"--repeat", "button"}, {"--level", "dpi"},
        {"--dpi", "dpi"},      {"--sensor", "dpi"},   {"--on", "dpi color"},  {"--off", "dpi color"},
        {"--mode", "button"},
    };
    for (const Owned& owned : kOwned) {
        const bool given = ctx.args.Has(owned.option) || ctx.args.Value(owned.option).has_value();
        if (given && owned.settings.find(setting) == std::string_view::npos) {
            return std::string(owned.option) + " does not belong to \"set " + std::string(setting) + "\"";
        }
    }
    return {};
}

// Runs the edit the arguments name; "" when it was done.
std::string Edit(CliContext& ctx, SettingTarget& target) {
    const auto& words = ctx.args.positional;
    const std::string& setting = words[0];
    auto count = [&](std::size_t least, std::size_t most, std::string_view usage) -> std::string {
        if (words.size() - 1 < least || words.size() - 1 > most) return "usage: kz7ctl set " + std::string(usage);
        return {};
    };
    std::string problem = OptionsOutOfPlace(ctx, setting);
    if (!problem.empty()) return problem;

    if (setting == "button") {
        if (auto usage = count(2, 3, "button N FUNCTION [ARG]"); !usage.empty()) return usage;
        std::optional<int> mode;
        if (const auto text = ctx.args.Value("--mode")) {
            mode = ParseButtonMode(*text);
            if (!mode) return "--mode takes A or B";
        }
        FunctionRequest request{words[2], std::nullopt, ctx.args.Value("--speed"), ctx.args.Value("--times"),
                                ctx.args.Value("--repeat")};
        if (words.size() > 3) request.argument = words[3];
        return SetButtonFunction(target, mode, words[1], request);
    }
    if (setting == "rate") {
        if (auto usage = count(1, 1, "rate 125|250|500|1000"); !usage.empty()) return usage;
        return SetReportRateHz(target, words[1]);
    }
    if (setting == "dpi") {
        if (auto usage = count(1, 1, "dpi STAGE [--level L | --dpi VALUE] [--on|--off] [--sensor N]"); !usage.empty()) {
            return usage;
        }
        const auto on = OnOffFlags(ctx, problem);
        if (!problem.empty()) return problem;
        DpiStageRequest request{words[1], ctx.args.Value("--level"), ctx.args.Value("--dpi"), on};
        if (request.level || request.dpi) {
            if (const auto sensor = ctx.args.Value("--sensor")) {
                const auto type = ParseSensorType(*sensor);
                if (!type) return SensorTypeHelp("--sensor");
                target.sensorType = static_cast<std::uint8_t>(*type);
            } else if (const auto connected = ConnectedSensorType(ctx)) {
                target.sensorType = *connected;
            } else {
                return "the DPI levels depend on the sensor: connect the mouse or give --sensor N";
            }
        }
        return SetDpiStage(target, request);
    }
    if (setting == "lighting") {
        if (auto usage = count(1, 2, "lighting MODE [PARAMETER]"); !usage.empty()) return usage;
        return SetLighting(target, words[1], words.size() > 2 ? std::optional<std::string>(words[2]) : std::nullopt);
    }
    if (setting == "color") {
        if (auto usage = count(1, 2, "color K [#rrggbb] [--on|--off]"); !usage.empty()) return usage;
        const auto on = OnOffFlags(ctx, problem);
        if (!problem.empty()) return problem;
        return SetLoopColour(target, words[1], words.size() > 2 ? std::optional<std::string>(words[2]) : std::nullopt, on);
    }
    if (setting == "dpi-led") {
        if (auto usage = count(1, 2, "dpi-led STAGE [r][g][b]"); !usage.empty()) return usage;
        return SetDpiLeds(target, words[1], words.size() > 2 ? words[2] : std::string());
    }
    if (setting == "mode") {
        if (auto usage = count(1, 1, "mode A|B"); !usage.empty()) return usage;
        return SetCurrentMode(target, words[1]);
    }
    if (setting == "defaults") {
        if (auto usage = count(1, 1, "defaults buttons|pointer"); !usage.empty()) return usage;
        return RestoreDefaults(target, words[1]);
    }
    if (setting == "pointer") {
        if (auto usage = count(2, 2, "pointer speed|wheel|double-click|precision|one-screen VALUE"); !usage.empty()) {
            return usage;
        }
        return SetPointer(target, words[1], words[2]);
    }
    return "unknown setting \"" + setting +
           "\"; the settings are button, rate, dpi, lighting, color, dpi-led, mode, defaults and pointer";
}

int RunSet(CliContext& ctx) {
    if (ctx.args.positional.empty()) return ctx.Fail("usage: kz7ctl set " + std::string(kSetUsage));
    std::string problem;
    const auto language = LabelLanguageOption(ctx.args, problem);
    if (!language) return ctx.Fail(problem);

    const DataPaths paths = ctx.Paths();
    ConfigModel model;
    if (LoadConfig(paths.config, model, ctx.prompter) != LoadResult::Loaded) {
        return ctx.Fail("cannot change a setting: " + paths.config.string() + " is missing or not a config.bin");
    }
    ButtonLabels labels = LoadButtonLabels(paths.settings, *language);
    // A record never saved holds the default buttons; the window shows
    // their labels from its first read on, and so must the saved file.
    if (model.firstRunFlag == 0) SetDefaultLabels(labels, *language);

    SettingTarget target{model, labels, *language, 0,
                         MacroKeyDialogModel::BindableNames(MacroStore(paths.record))};
    problem = Edit(ctx, target);
    if (!problem.empty()) return ctx.Fail(problem);

    if (!SaveConfig(paths.config, model, ctx.prompter)) return 1;
    if (const int error = SaveButtonLabels(paths.settings, *language, labels); error != 0) {
        return ctx.Fail(LabelsNotSavedMessage(paths.settings, error));
    }
    if (ctx.args.Has("--apply")) return ApplySavedConfig(ctx);
    return 0;
}

const CliCommand kCommands[] = {
    {"set", "SETTING ARGS...",
     "change one setting as the window would, and save it: button, rate, dpi, lighting, color, dpi-led, mode, "
     "defaults, pointer (man kz7ctl)",
     WithDeviceOptions({{"--mode", "A|B", "button: the button set to change (default: the one in use)"},
                        {"--lang", "en|chs|cht", "the language of the labels written (default: the desktop's)"},
                        {"--apply", "", "then send the saved setup to the mouse, as kz7ctl apply does"},
                        {"--speed", "S", "button N fire: the speed, 5 to 255, smaller is faster (default 32)"},
                        {"--times", "T", "button N fire: the shots, 0 to 255, 0 until released (default 1)"},
                        {"--repeat", "R", "button N macro: the repeat mode 1, 2 or 3 (default 1)"},
                        {"--level", "L", "dpi: the slider position from 1"},
                        {"--dpi", "VALUE", "dpi: a DPI label of the sensor's table"},
                        {"--sensor", "N", "dpi: the sensor type whose table counts (default: ask the mouse)"},
                        {"--on", "", "dpi, color: switch the stage or loop colour on"},
                        {"--off", "", "dpi, color: switch it off"},
                        kDesktopOption}),
     RunSet},
};

const RegisterCommands kRegistered(kCommands);

}  // namespace

}  // namespace kz7::cli
