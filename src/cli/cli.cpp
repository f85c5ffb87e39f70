#include "cli/cli.h"

#include <iomanip>
#include <iostream>
#include <vector>

#include "device/dpi_tables.h"
#include "platform/linux/process_env.h"

namespace kz7::cli {

namespace {

constexpr std::string_view kCommonFlags = "--help";
constexpr std::string_view kCommonValueOptions = "--data-dir";

std::vector<std::span<const CliCommand>>& CommandGroups() {
    static std::vector<std::span<const CliCommand>> groups;
    return groups;
}

bool ListContains(std::string_view list, std::string_view option) {
    while (!list.empty()) {
        const auto end = list.find(' ');
        if (list.substr(0, end) == option) return true;
        if (end == std::string_view::npos) break;
        list.remove_prefix(end + 1);
    }
    return false;
}

void PrintHelp(std::ostream& out) {
    out << "kz7ctl: configure the kz7 gaming mouse (04D9:A09F) from the command line\n\n"
           "Usage: kz7ctl COMMAND [OPTIONS] [ARGS]\n\nCommands:\n";
    for (const auto group : CommandGroups()) {
        for (const CliCommand& command : group) {
            std::string line = std::string(command.name) + " " + std::string(command.usage);
            constexpr std::size_t kColumn = 36;
            if (line.size() + 1 >= kColumn) {
                out << "  " << line << "\n  " << std::string(kColumn, ' ') << command.summary << "\n";
            } else {
                out << "  " << std::left << std::setw(kColumn) << line << command.summary << "\n";
            }
        }
    }
    out << "\nCommon options:\n"
           "  --data-dir DIR                      folder of config.bin, record.ini and str.ini\n"
           "                                      (default: beside the program if it holds config.bin,\n"
           "                                      else $XDG_CONFIG_HOME/kz7)\n"
           "  --help                              this text\n"
           "  --version                           the version of kz7ctl\n";
}

// The command named by the first one or two positional arguments, and how many words it took.
const CliCommand* FindCommand(const std::vector<std::string>& words, std::size_t& used) {
    for (const auto group : CommandGroups()) {
        for (const CliCommand& command : group) {
            if (words.size() >= 2 && command.name == words[0] + " " + words[1]) {
                used = 2;
                return &command;
            }
        }
    }
    for (const auto group : CommandGroups()) {
        for (const CliCommand& command : group) {
            if (command.name == words[0]) {
                used = 1;
                return &command;
            }
        }
    }
    return nullptr;
}

bool AcceptsFlag(const CliCommand& command, std::string_view flag) {
    return ListContains(kCommonFlags, flag) || ListContains(command.flags, flag);
}

bool AcceptsValue(const CliCommand& command, std::string_view option) {
    return ListContains(kCommonValueOptions, option) || ListContains(command.valueOptions, option);
}

}  // namespace

RegisterCommands::RegisterCommands(std::span<const CliCommand> commands) {
    CommandGroups().push_back(commands);
}

bool OptionTakesValue(std::string_view option) {
    if (ListContains(kCommonValueOptions, option)) return true;
    for (const auto group : CommandGroups()) {
        for (const CliCommand& command : group) {
            if (ListContains(command.valueOptions, option)) return true;
        }
    }
    return false;
}

std::optional<int> ParseSensorType(std::string_view text) {
    if (text.size() != 1 || text[0] < '0' || text[0] - '0' >= kKnownSensorTypes) return std::nullopt;
    return text[0] - '0';
}

std::string SensorTypeHelp(std::string_view option) {
    return std::string(option) + " takes a sensor type from 0 to " + std::to_string(kKnownSensorTypes - 1);
}

std::optional<std::string> CliArgs::Value(std::string_view option) const {
    auto it = values.find(std::string(option));
    if (it == values.end()) return std::nullopt;
    return it->second;
}

bool ParseArgs(std::span<const std::string> argv, CliArgs& args, std::string& error) {
    bool onlyPositional = false;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& arg = argv[i];
        if (onlyPositional || arg.size() < 3 || arg.rfind("--", 0) != 0) {
            if (arg == "--") {
                onlyPositional = true;
                continue;
            }
            args.positional.push_back(arg);
            continue;
        }
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (auto eq = arg.find('='); eq != std::string::npos) {
            name = arg.substr(0, eq);
            inlineValue = arg.substr(eq + 1);
        }
        if (OptionTakesValue(name)) {
            if (inlineValue) {
                args.values[name] = *inlineValue;
            } else if (i + 1 < argv.size()) {
                args.values[name] = argv[++i];
            } else {
                error = name + " needs a value";
                return false;
            }
        } else {
            if (inlineValue) {
                error = name + " takes no value";
                return false;
            }
            args.flags.insert(name);
        }
    }
    return true;
}

void StderrPrompter::ShowMessage(std::string_view text, std::string_view caption) {
    ++count;
    // Messages may end in "\n" as the window shows them; one line each here.
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
    err_ << (caption.empty() ? std::string_view("kz7") : caption) << ": " << text << "\n";
}

DataPaths CliContext::Paths() const {
    std::optional<std::filesystem::path> overrideDir;
    if (auto dir = args.Value("--data-dir")) overrideDir = *dir;
    const auto inputs = linux_platform::CurrentDataFolderInputs(overrideDir);
    const auto folder = ChooseDataFolder(inputs);
    if (!overrideDir && folder != inputs.executableDir) {
        std::string error;
        if (!SeedDataFolder(folder, DefaultConfigPath(inputs.executableDir), &error)) {
            err << "kz7ctl: " << error << "\n";
        }
    }
    return DataPaths::InFolder(folder);
}

std::filesystem::path CliContext::ConfigFileArg(std::size_t index) const {
    if (index < args.positional.size()) return args.positional[index];
    return Paths().config;
}

int CliContext::Fail(std::string_view message) const {
    err << "kz7ctl: " << message << "\n";
    return 1;
}

int Main(std::span<const std::string> argv, std::ostream& out, std::ostream& err) {
    CliArgs args;
    std::string error;
    if (!ParseArgs(argv, args, error)) {
        err << "kz7ctl: " << error << "\n";
        return 2;
    }
    if (args.positional.empty()) {
        if (args.Has("--version")) {
            out << "kz7ctl " << KZ7_VERSION << "\n";
            return 0;
        }
        if (args.Has("--help")) {
            PrintHelp(out);
            return 0;
        }
        PrintHelp(err);
        return 2;
    }
    std::size_t used = 0;
    const CliCommand* command = FindCommand(args.positional, used);
    if (!command) {
        err << "kz7ctl: unknown command '" << args.positional.front() << "' (see kz7ctl --help)\n";
        return 2;
    }
    if (args.Has("--help")) {
        out << "Usage: kz7ctl " << command->name << " " << command->usage << "\n" << command->summary << "\n";
        return 0;
    }
    for (const auto& flag : args.flags) {
        if (!AcceptsFlag(*command, flag)) {
            err << "kz7ctl " << command->name << ": unknown option " << flag << "\n";
            return 2;
        }
    }
    for (const auto& [name, value] : args.values) {
        if (!AcceptsValue(*command, name)) {
            err << "kz7ctl " << command->name << ": unknown option " << name << "\n";
            return 2;
        }
    }
    args.positional.erase(args.positional.begin(), args.positional.begin() + static_cast<std::ptrdiff_t>(used));
    StderrPrompter prompter(err);
    CliContext context{std::move(args), out, err, prompter};
    return command->run(context);
}

}  // namespace kz7::cli
