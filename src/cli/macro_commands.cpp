// kz7ctl commands over record.ini and the macro blocks of config.bin.
#include <iostream>
#include <ostream>

#include "cli/cli.h"
#include "config/atomic_file.h"
#include "config/device_config.h"
#include "ini/utf8.h"
#include "locale/strings.h"
#include "macros/macro_blocks.h"
#include "macros/macro_messages.h"
#include "macros/macro_store.h"

namespace kz7::cli {

namespace {

// A positional argument after the command name, or nothing.
const std::string* Arg(const CliContext& ctx, std::size_t index) {
    return index < ctx.args.positional.size() ? &ctx.args.positional[index] : nullptr;
}

bool TooManyArgs(const CliContext& ctx, std::size_t allowed) { return ctx.args.positional.size() > allowed; }

std::vector<std::string> SplitLines(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a byte-order mark is no part of line 1
    std::vector<std::string> lines;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.emplace_back(line);
        if (newline == std::string_view::npos) break;
        text.remove_prefix(newline + 1);
    }
    return lines;
}

// Loads config.bin for a change; false, with the reason on stderr, when it
// is missing or not a config.bin (LoadConfig would pass over a wrong size
// in silence, as the window does at start-up).
bool LoadForChange(CliContext& ctx, const std::filesystem::path& path, ConfigModel& model) {
    std::string why;
    const auto image = ReadConfigImage(path, &why);
    if (!image) {
        ctx.Fail(why);
        return false;
    }
    model.firstRunFlag = image->firstRunFlag;
    model.config = image->config;
    return true;
}

int RunList(CliContext& ctx) {
    if (TooManyArgs(ctx, 0)) return ctx.Fail("macros list takes no arguments");
    for (const auto& name : MacroStore(ctx.Paths().record).Names()) ctx.out << name << "\n";
    return 0;
}

int RunShow(CliContext& ctx) {
    const std::string* name = Arg(ctx, 0);
    if (!name || TooManyArgs(ctx, 1)) return ctx.Fail("usage: kz7ctl macros show NAME");
    const IniFile file = MacroStore(ctx.Paths().record).Read();
    if (!file.HasSection(*name)) return ctx.Fail("no macro named \"" + *name + "\" in record.ini");
    for (const auto& line : MacroSection(file, *name).Lines()) ctx.out << line << "\n";
    return 0;
}

int RunSave(CliContext& ctx) {
    const std::string* nameArg = Arg(ctx, 0);
    const std::string* fileArg = Arg(ctx, 1);
    if (!nameArg || !fileArg || TooManyArgs(ctx, 2)) return ctx.Fail("usage: kz7ctl macros save NAME FILE");
    const std::string name(TrimProfileBlanks(*nameArg));
    if (name.empty()) return ctx.Fail(Text(UiText::MacroNameBlank, UiLanguage::English));
    if (const std::string problem = MacroNameProblem(name); !problem.empty()) return ctx.Fail(problem);

    std::string text;
    if (*fileArg == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else if (!ReadWholeFile(*fileArg, text)) {
        return ctx.Fail("cannot read " + *fileArg);
    }

    const DataPaths paths = ctx.Paths();
    const MacroStore store(paths.record);
    const auto names = store.Names();
    if (FindMacroName(names, name) < 0 && names.size() >= static_cast<std::size_t>(kMacroCount)) {
        return ctx.Fail(kMacroCountLimitMessage);
    }

    ConfigModel model;
    if (!LoadForChange(ctx, paths.config, model)) return 1;
    if (const int error = store.Save(name, SplitLines(text))) return ctx.Fail(RecordFileFailedMessage(error));
    RebuildMacroBlocks(store, model.config, ctx.prompter);
    return SaveConfig(paths.config, model, ctx.prompter) ? 0 : 1;
}

int RunDelete(CliContext& ctx) {
    const std::string* name = Arg(ctx, 0);
    if (!name || TooManyArgs(ctx, 1)) return ctx.Fail("usage: kz7ctl macros delete NAME");
    const MacroStore store(ctx.Paths().record);
    if (!store.Read().HasSection(*name)) return ctx.Fail("no macro named \"" + *name + "\" in record.ini");
    if (const int error = store.Delete(*name)) return ctx.Fail(RecordFileFailedMessage(error));
    return 0;
}

int RunLoop(CliContext& ctx) {
    const std::string* name = Arg(ctx, 0);
    const std::string* countArg = Arg(ctx, 1);
    if (!name || TooManyArgs(ctx, 2)) return ctx.Fail("usage: kz7ctl macros loop NAME [COUNT]");
    const DataPaths paths = ctx.Paths();
    const int block = FindMacroName(MacroStore(paths.record).Names(), *name);
    if (block < 0) return ctx.Fail("no macro named \"" + *name + "\" in record.ini");
    if (block >= kMacroCount) {
        return ctx.Fail("macro \"" + *name + "\" has no device block: the mouse holds " + std::to_string(kMacroCount) +
                        " macros");
    }

    if (!countArg) {
        std::string why;
        const auto image = ReadConfigImage(paths.config, &why);
        if (!image) return ctx.Fail(why);
        ctx.out << MacroLoopCount(image->config, block) << "\n";
        return 0;
    }
    const bool digitsOnly = !countArg->empty() && countArg->size() <= 5 &&
                            countArg->find_first_not_of("0123456789") == std::string::npos;
    const int count = digitsOnly ? std::stoi(*countArg) : 0;
    if (count < 1 || count > 65535) return ctx.Fail("COUNT must be a number from 1 to 65535");

    ConfigModel model;
    if (!LoadForChange(ctx, paths.config, model)) return 1;
    SetMacroLoopCount(model.config, block, static_cast<unsigned>(count));
    return SaveConfig(paths.config, model, ctx.prompter) ? 0 : 1;
}

int RunBlocks(CliContext& ctx) {
    if (TooManyArgs(ctx, 0)) return ctx.Fail("macros blocks takes no arguments");
    std::string why;
    const auto image = ReadConfigImage(ctx.Paths().config, &why);
    if (!image) return ctx.Fail(why);
    ctx.out << MacroBlocksText(image->config);
    return 0;
}

int RunCompile(CliContext& ctx) {
    if (TooManyArgs(ctx, 0)) return ctx.Fail("macros compile takes no arguments");
    const DataPaths paths = ctx.Paths();
    ConfigModel model;
    if (!LoadForChange(ctx, paths.config, model)) return 1;
    if (!RebuildMacroBlocks(MacroStore(paths.record), model.config, ctx.prompter)) {
        ctx.err << "kz7ctl: " << paths.record.string() << " does not exist; the blocks are unchanged\n";
    }
    if (!SaveConfig(paths.config, model, ctx.prompter)) return 1;
    ctx.out << MacroBlocksText(model.config);
    return 0;
}

const CliCommand kCommands[] = {
    {"macros", "", "the macros of record.ini and their twelve device blocks in config.bin", {}, nullptr},
    {"macros list", "", "the macro names of record.ini, in file (= device block) order", {}, RunList},
    {"macros show", "NAME", "the lines of one macro", {}, RunShow},
    {"macros save", "NAME FILE", "store FILE's lines (- for stdin) as macro NAME and rebuild the blocks", {},
     RunSave},
    {"macros delete", "NAME", "remove a macro from record.ini (blocks change at the next save)", {}, RunDelete},
    {"macros loop", "NAME [COUNT]", "show or set (1-65535) the loop count in the macro's block", {}, RunLoop},
    {"macros blocks", "", "the twelve macro blocks of config.bin in hex", {}, RunBlocks},
    {"macros compile", "", "rebuild the macro blocks of config.bin from record.ini and print them", {},
     RunCompile},
};

const RegisterCommands kRegistered(kCommands);

}  // namespace

}  // namespace kz7::cli
