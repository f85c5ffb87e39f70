#pragma once

#include <filesystem>
#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_file.h"
#include "config/prompter.h"
#include "locale/language.h"

namespace kz7::cli {

struct CliArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;

    bool Has(std::string_view flag) const { return flags.count(std::string(flag)) != 0; }
    std::optional<std::string> Value(std::string_view option) const;
};

// A sensor type given on the command line: one of the types with a DPI table.
std::optional<int> ParseSensorType(std::string_view text);
// What to say when ParseSensorType refuses: "... takes a sensor type from 0 to 3".
std::string SensorTypeHelp(std::string_view option);

// --lang: the given language's labels (en, chs, cht), else the desktop's;
// nothing, with "--lang takes en, chs or cht" in `problem`, for another word.
std::optional<UiLanguage> LabelLanguageOption(const CliArgs& args, std::string& problem);

// Messages for the user go to stderr, captioned.
class StderrPrompter : public Prompter {
public:
    explicit StderrPrompter(std::ostream& err) : err_(err) {}
    void ShowMessage(std::string_view text, std::string_view caption) override;
    int count = 0;

private:
    std::ostream& err_;
};

struct CliContext {
    CliArgs args;
    std::ostream& out;
    std::ostream& err;
    Prompter& prompter;

    // The data folder: --data-dir, else the rule for this process. A default
    // folder is created and seeded with the installed config.bin on first use.
    DataPaths Paths() const;
    // The FILE argument at `index` of the positional arguments, or the data folder's config.bin.
    std::filesystem::path ConfigFileArg(std::size_t index) const;
    // Prints "kz7ctl: message" to stderr and returns the failing exit status.
    int Fail(std::string_view message) const;
};

// One option of a command: "--speed" with value name "S", or a flag (no value name).
struct CliOption {
    std::string_view name;
    std::string_view valueName;  // empty for a flag
    std::string_view help;
};

// A row of a command table. A two-word name ("macros list") is a command of
// a group; a row with no run function describes the group itself ("macros").
// The parser fills CliArgs: the words after the name in `positional` (at
// most eight; more is a usage error), each given option in `values` (the
// last one given) or `flags`, by its name.
struct CliCommand {
    std::string_view name;
    std::string_view usage;    // the words after the name, for --help: "NAME [COUNT]"
    std::string_view summary;  // one line for --help
    std::vector<CliOption> options;  // besides --data-dir and --help, which every command takes
    int (*run)(CliContext&);
};

// The options of every command that reaches the mouse (--simulate, --key,
// --trace ...), followed by `extra`.
std::vector<CliOption> WithDeviceOptions(std::vector<CliOption> extra = {});

// Each commands file registers its table with a static RegisterCommands object.
struct RegisterCommands {
    explicit RegisterCommands(std::span<const CliCommand> commands);
};

// Every registered row, group rows included, in the order of registration.
std::vector<const CliCommand*> RegisteredCommands();
// The options every command and group takes (--data-dir, --help), and the
// program's own (--version, --help-all).
std::span<const CliOption> CommonOptions();
std::span<const CliOption> ProgramOptions();

int Main(std::span<const std::string> argv, std::ostream& out, std::ostream& err);

}  // namespace kz7::cli
