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

namespace kz7::cli {

// Options that take a value ("--data-dir DIR") as any registered command
// declares them; every other "--x" is a flag.
bool OptionTakesValue(std::string_view option);

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

// Splits the arguments after the program name; false with a reason on a malformed line.
bool ParseArgs(std::span<const std::string> argv, CliArgs& args, std::string& error);

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

struct CliCommand {
    std::string_view name;     // one word, or two for a group ("macros list")
    std::string_view usage;    // arguments after the name
    std::string_view summary;  // one line for --help
    std::string_view flags;    // accepted flags besides the common ones, space-separated
    std::string_view valueOptions;  // accepted options that take a value, space-separated
    int (*run)(CliContext&);
};

// Each commands file registers its table with a static RegisterCommands object.
struct RegisterCommands {
    explicit RegisterCommands(std::span<const CliCommand> commands);
};

int Main(std::span<const std::string> argv, std::ostream& out, std::ostream& err);

}  // namespace kz7::cli
