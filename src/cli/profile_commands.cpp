// kz7ctl export and import: the whole setup of a data folder as one JSON document.
#include <cstring>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <ostream>
#include <sstream>

#include "cli/cli.h"
#include "cli/desktop_choice.h"
#include "cli/device_access.h"
#include "config/atomic_file.h"
#include "config/starter_config.h"
#include "macros/macro_messages.h"
#include "platform/json/profile_json.h"
#include "profile/profile_state.h"

namespace kz7::cli {

namespace {

int RunExport(CliContext& ctx) {
    if (ctx.args.positional.size() > 1) return ctx.Fail("usage: kz7ctl export [FILE|-] [--sensor N]");
    std::uint8_t sensor = 0;
    if (const auto text = ctx.args.Value("--sensor")) {
        const auto type = ParseSensorType(*text);
        if (!type) return ctx.Fail(SensorTypeHelp("--sensor"));
        sensor = static_cast<std::uint8_t>(*type);
    }
    std::string problem;
    const auto state = ReadProfileState(ctx.Paths(), problem);
    if (!state) return ctx.Fail("cannot export: " + problem);
    const std::string document = ExportProfileJson(*state, sensor);
    if (ctx.args.positional.empty() || ctx.args.positional[0] == "-") {
        ctx.out << document;
        return ctx.out.good() ? 0 : 1;
    }
    const std::filesystem::path file = ctx.args.positional[0];
    if (const int error = WriteFileAtomically(file, document); error != 0) {
        return ctx.Fail(file.string() + " could not be written: " + std::strerror(error));
    }
    return 0;
}

int RunImport(CliContext& ctx) {
    if (ctx.args.positional.size() != 1) return ctx.Fail("usage: kz7ctl import FILE|- [--apply]");
    const std::string& source = ctx.args.positional[0];
    std::string text;
    if (source == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else if (!ReadWholeFile(source, text)) {
        return ctx.Fail("cannot read " + source);
    }

    const DataPaths paths = ctx.Paths();
    std::error_code error;
    std::filesystem::create_directories(paths.folder, error);
    ProfileState current;
    std::string problem;
    if (std::filesystem::exists(paths.config)) {
        auto read = ReadProfileState(paths, problem);
        if (!read) return ctx.Fail("cannot import: " + problem);
        current = std::move(*read);
    } else {
        // A new folder starts from the configuration a fresh install has.
        current.config = StarterConfig();
    }

    const ImportedProfile imported = ImportProfileJson(text, current);
    for (const ProfileProblem& found : imported.problems) {
        ctx.err << "kz7ctl: " << source << (found.path.empty() ? "" : ": " + found.path) << ": " << found.message << "\n";
    }
    if (!imported.state) {
        return ctx.Fail("nothing was imported: " + std::to_string(imported.problems.size()) +
                        (imported.problems.size() == 1 ? " problem" : " problems"));
    }
    for (const MacroCut& cut : imported.cutMacros) ctx.prompter.ShowMessage(MacroCutMessage(cut.name, cut.firstLineLeftOut), kWarningCaption);
    if (const std::string failed = WriteProfileState(paths, *imported.state); !failed.empty()) {
        return ctx.Fail("nothing was imported: " + failed);
    }
    if (ctx.args.Has("--apply")) return ApplySavedConfig(ctx);
    return 0;
}

const CliCommand kCommands[] = {
    {"export", "[FILE|-]", "the whole setup as a JSON profile (standard output by default)",
     {{"--sensor", "N", "the sensor type whose DPI labels the stages get (default 0)"}}, RunExport},
    {"import", "FILE|-", "check a JSON profile whole, then write config.bin, record.ini and str.ini from it",
     WithDeviceOptions({{"--apply", "", "then send the imported setup to the mouse, as kz7ctl apply does"},
                        kDesktopOption}),
     RunImport},
};

const RegisterCommands kRegistered(kCommands);

}  // namespace

}  // namespace kz7::cli
