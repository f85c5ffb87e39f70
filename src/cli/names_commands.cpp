// kz7ctl names: the words other commands accept, one per line, for scripts
// and shell completion. Every list comes from the table the program itself
// uses, so a completion never offers a word the commands refuse.
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "config/record_labels.h"
#include "device/dpi_tables.h"
#include "profile/setting_words.h"
#include "keys/button_function_menu.h"
#include "keys/button_functions.h"
#include "keys/key_codes.h"
#include "locale/strings.h"
#include "macros/macro_key_dialog.h"
#include "macros/macro_store.h"
#include "pages/basic_page_model.h"

namespace kz7::cli {

namespace {

using Names = std::vector<std::string>;

template <typename Range, typename Project>
Names Collect(const Range& range, Project project) {
    Names names;
    for (const auto& item : range) names.emplace_back(project(item));
    return names;
}

Names TextsOf(std::span<const UiText> texts) {
    return Collect(texts, [](UiText text) { return Text(text, UiLanguage::English); });
}

Names NamesOf(std::span<const NamedCode> table) {
    return Collect(table, [](const NamedCode& entry) { return entry.name; });
}

Names LightingModes() {
    return Collect(LedModeRows(UiLanguage::English), [](std::string_view text) { return text; });
}

std::string Joined(const Names& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

// "--sensor N", or "--json" for a flag.
std::string OptionLine(const CliOption& option) {
    std::string line(option.name);
    if (!option.valueName.empty()) line += " " + std::string(option.valueName);
    return line;
}

struct NameKind {
    std::string_view kind;
    std::string_view words;    // what may follow the kind
    std::string_view summary;  // for the error that lists the kinds
    // Fills `names`; false with the reason printed.
    bool (*list)(CliContext& ctx, Names& names);
};

bool NoMoreWords(CliContext& ctx) {
    if (ctx.args.positional.size() <= 1) return true;
    ctx.Fail("names " + ctx.args.positional[0] + " takes no further words");
    return false;
}

bool ListKinds(CliContext& ctx, Names& names);

const NameKind kKinds[] = {
    {"functions", "", "the function list's rows",
     [](CliContext& ctx, Names& names) {
         names = Collect(FunctionRows(UiLanguage::English), [](std::string_view row) { return row; });
         return NoMoreWords(ctx);
     }},
    {"words", "", "the short words for button functions",
     [](CliContext& ctx, Names& names) {
         names = Collect(FunctionWords(), [](const FunctionWord& entry) { return entry.word; });
         return NoMoreWords(ctx);
     }},
    {"keys", "", "the key names of single keys and combos",
     [](CliContext& ctx, Names& names) {
         names = NamesOf(KeyCodeTable());
         return NoMoreWords(ctx);
     }},
    {"modifiers", "", "the modifier names a combo may start with",
     [](CliContext& ctx, Names& names) {
         names = NamesOf(ModifierTable());
         return NoMoreWords(ctx);
     }},
    {"fire-keys", "", "the fire key list's rows",
     [](CliContext& ctx, Names& names) {
         names = NamesOf(FireKeyTable());
         return NoMoreWords(ctx);
     }},
    {"media", "", "the multimedia list's rows",
     [](CliContext& ctx, Names& names) {
         names = TextsOf(MediaKeyTexts());
         return NoMoreWords(ctx);
     }},
    {"launch", "", "the launch list's rows",
     [](CliContext& ctx, Names& names) {
         names = TextsOf(LaunchTargetTexts());
         return NoMoreWords(ctx);
     }},
    {"lighting", "[MODE]", "the lighting modes, or the parameters of MODE",
     [](CliContext& ctx, Names& names) {
         const Names modes = LightingModes();
         if (ctx.args.positional.size() == 1) {
             names = modes;
             return true;
         }
         if (ctx.args.positional.size() > 2) {
             ctx.Fail("usage: kz7ctl names lighting [MODE]");
             return false;
         }
         const std::string& mode = ctx.args.positional[1];
         for (std::size_t row = 0; row < modes.size(); ++row) {
             if (modes[row] != mode) continue;
             names = LedParamRows(static_cast<std::uint8_t>(row + 1));
             return true;
         }
         ctx.Fail("no lighting mode \"" + mode + "\"; the modes are " + Joined(modes));
         return false;
     }},
    {"rates", "", "the report rates in Hz",
     [](CliContext& ctx, Names& names) {
         names = Collect(kReportRates, [](const ReportRateChoice& rate) { return std::to_string(rate.hz); });
         return NoMoreWords(ctx);
     }},
    {"dpi", "[SENSOR]", "the DPI labels of sensor type SENSOR (0 to 3; default 0), by level",
     [](CliContext& ctx, Names& names) {
         if (ctx.args.positional.size() > 2) {
             ctx.Fail("usage: kz7ctl names dpi [SENSOR]");
             return false;
         }
         std::uint8_t sensor = 0;
         if (ctx.args.positional.size() == 2) {
             const std::optional<int> type = ParseSensorType(ctx.args.positional[1]);
             if (!type) {
                 ctx.Fail(SensorTypeHelp("SENSOR"));
                 return false;
             }
             sensor = static_cast<std::uint8_t>(*type);
         }
         for (std::string& label : OfferedDpiLabels(sensor)) names.push_back(std::move(label));
         return true;
     }},
    {"macros", "", "the macros a button can play: the first twelve of record.ini",
     [](CliContext& ctx, Names& names) {
         if (!NoMoreWords(ctx)) return false;
         names = MacroKeyDialogModel::BindableNames(MacroStore(ctx.Paths().record));
         return true;
     }},
    {"commands", "", "every command's name",
     [](CliContext& ctx, Names& names) {
         for (const CliCommand* command : RegisteredCommands()) {
             if (command->run) names.emplace_back(command->name);
         }
         return NoMoreWords(ctx);
     }},
    {"options", "[COMMAND]", "the options of COMMAND, or the program's, with their value names",
     [](CliContext& ctx, Names& names) {
         std::string wanted;
         for (std::size_t i = 1; i < ctx.args.positional.size(); ++i) {
             wanted += (wanted.empty() ? "" : " ") + ctx.args.positional[i];
         }
         if (wanted.empty()) {
             for (const CliOption& option : ProgramOptions()) names.push_back(OptionLine(option));
         } else {
             const CliCommand* found = nullptr;
             for (const CliCommand* command : RegisteredCommands()) {
                 if (command->name == wanted) found = command;
             }
             if (!found) {
                 ctx.Fail("no command \"" + wanted + "\"");
                 return false;
             }
             for (const CliOption& option : found->options) names.push_back(OptionLine(option));
         }
         for (const CliOption& option : CommonOptions()) names.push_back(OptionLine(option));
         return true;
     }},
    {"kinds", "", "these kinds", ListKinds},
};

bool ListKinds(CliContext& ctx, Names& names) {
    for (const NameKind& kind : kKinds) names.emplace_back(kind.kind);
    return NoMoreWords(ctx);
}

std::string KindsHelp() {
    std::string text = "KIND is one of:";
    for (const NameKind& kind : kKinds) {
        text += "\n  " + std::string(kind.kind);
        if (!kind.words.empty()) text += " " + std::string(kind.words);
        text += ": " + std::string(kind.summary);
    }
    return text;
}

int RunNames(CliContext& ctx) {
    if (ctx.args.positional.empty()) return ctx.Fail("usage: kz7ctl names KIND [WORDS]\n" + KindsHelp());
    const std::string& wanted = ctx.args.positional[0];
    for (const NameKind& kind : kKinds) {
        if (kind.kind != wanted) continue;
        Names names;
        if (!kind.list(ctx, names)) return 1;
        for (const std::string& name : names) ctx.out << name << "\n";
        return 0;
    }
    return ctx.Fail("no kind of names \"" + wanted + "\"\n" + KindsHelp());
}

const CliCommand kCommands[] = {
    {"names", "KIND [WORDS]",
     "the words the commands accept, one per line: function, key and list names, macros, commands, options", {},
     RunNames},
};

const RegisterCommands kRegistered(kCommands);

}  // namespace

}  // namespace kz7::cli
