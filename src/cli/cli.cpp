#include "cli/cli.h"

#include <algorithm>
#include <map>
#include <memory>
#include <ostream>
#include <vector>

#include <CLI/CLI.hpp>

#include "device/dpi_tables.h"
#include "platform/linux/process_env.h"

namespace kz7::cli {

namespace {

// Every command and group takes these, and so does the program before the command's name.
constexpr CliOption kDataDirOption{"--data-dir", "DIR", "the folder of config.bin, record.ini and str.ini"};
constexpr CliOption kHelpOption{"--help", "", "print this help and exit (also -h)"};
constexpr CliOption kCommonOptions[] = {kDataDirOption, kHelpOption};
// The program's own.
constexpr CliOption kVersionOption{"--version", "", "print the version and exit"};
constexpr CliOption kHelpAllOption{"--help-all", "", "print the help of every command and exit"};
constexpr CliOption kProgramOptions[] = {kVersionOption, kHelpAllOption};

constexpr std::string_view kProgramFooter =
    "The data folder is the program's own folder when it holds a config.bin, else\n"
    "$XDG_CONFIG_HOME/kz7 (~/.config/kz7), made and seeded with the installed config.bin\n"
    "on first use. FILE defaults to the data folder's config.bin.\n"
    "Run 'kz7ctl COMMAND --help' for a command's options, 'kz7ctl --help-all' for all.";

constexpr const char* kCommandsHeading = "Commands";

// Words after a command's name. Each is a positional of its own, holding
// one word exactly as given: a positional list would split "[a,b]".
constexpr int kPositionalSlots = 8;

std::vector<std::span<const CliCommand>>& CommandGroups() {
    static std::vector<std::span<const CliCommand>> groups;
    return groups;
}

// The usage line of a command shows its own words ("NAME [COUNT]") in
// place of the positional slots.
class UsageFormatter : public CLI::Formatter {
public:
    void SetWords(const CLI::App* app, std::string_view words) { words_[app] = std::string(words); }

    std::string make_usage(const CLI::App* app, std::string name) const override {
        const auto it = words_.find(app);
        if (it == words_.end()) return Formatter::make_usage(app, std::move(name));
        std::string line = get_label("Usage") + ": " + name + " [" + get_label("OPTIONS") + "]";
        if (!it->second.empty()) line += " " + it->second;
        return line + "\n";
    }

private:
    std::map<const CLI::App*, std::string> words_;
};

struct DeclaredOption {
    const CliOption* declaration;
    CLI::Option* option;
};

// A command as the parser knows it: where its words and options land.
struct ParsedCommand {
    const CliCommand* command = nullptr;
    std::vector<DeclaredOption> options;
    std::vector<CLI::Option*> words;
};

CLI::Option* AddOption(CLI::App& app, const CliOption& declaration) {
    const std::string name(declaration.name);
    const std::string help(declaration.help);
    if (declaration.valueName.empty()) return app.add_flag(name, help)->disable_flag_override();
    return app.add_option(name, help)
        ->type_name(std::string(declaration.valueName))
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

void CollectOption(const DeclaredOption& declared, CliArgs& args) {
    if (declared.option->count() == 0) return;
    const std::string name(declared.declaration->name);
    if (declared.declaration->valueName.empty()) args.flags.insert(name);
    else args.values[name] = declared.option->results().back();
}

// The whole command line of kz7ctl: the program's options, a subcommand per
// table row, nested for the groups.
class CommandLine {
public:
    CommandLine() : formatter_(std::make_shared<UsageFormatter>()) {
        app_.name("kz7ctl");
        app_.description("kz7ctl: configure the kz7 gaming mouse (04D9:A09F) from the command line");
        app_.formatter(formatter_);
        formatter_->column_width(30);
        formatter_->label("SUBCOMMAND", "COMMAND");
        // A command's words may equal other commands' names ("macros show list"):
        // once a command is chosen, no word names another.
        app_.require_subcommand(0, 1);
        // Set before any command is added: the commands inherit it.
        app_.set_help_flag("-h," + std::string(kHelpOption.name), std::string(kHelpOption.help));
        app_.set_version_flag(std::string(kVersionOption.name), std::string("kz7ctl ") + KZ7_VERSION,
                              std::string(kVersionOption.help));
        dataDirs_[&app_] = AddOption(app_, kDataDirOption);
        app_.failure_message([this](const CLI::App*, const CLI::Error& error) {
            return "kz7ctl: " + std::string(error.what()) + "\nRun '" + ChosenPath() +
                   " --help' for more information.\n";
        });
        for (const CliCommand* command : RegisteredCommands()) Add(*command);
        // Added last, so that the commands do not inherit them.
        app_.set_help_all_flag(std::string(kHelpAllOption.name), std::string(kHelpAllOption.help));
        app_.footer(std::string(kProgramFooter));
    }

    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    int Run(std::span<const std::string> argv, std::ostream& out, std::ostream& err) {
        const std::vector<std::string> line = CommandFirst(argv);
        try {
            app_.parse(std::vector<std::string>(line.rbegin(), line.rend()));
        } catch (const CLI::ParseError& error) {
            return app_.exit(error, out, err) == 0 ? 0 : 2;
        }
        const ParsedCommand* chosen = Chosen();
        if (!chosen) {  // no command, or a group without one of its commands
            err << app_.help();
            return 2;
        }
        CliArgs args;
        // --data-dir may come before the command's name too; the last one given counts.
        for (const CLI::App* app : ChosenChain()) {
            const auto dataDir = dataDirs_.find(app);
            if (dataDir != dataDirs_.end()) CollectOption({&kDataDirOption, dataDir->second}, args);
        }
        for (const DeclaredOption& declared : chosen->options) CollectOption(declared, args);
        for (CLI::Option* word : chosen->words) {
            if (word->count()) args.positional.push_back(word->results().front());
        }
        StderrPrompter prompter(err);
        CliContext context{std::move(args), out, err, prompter};
        return chosen->command->run(context);
    }

private:
    // Options before the command's name ("kz7ctl --simulate status") are the
    // command's: they move behind its name, where its parser knows them. The
    // program's own options stay where they are.
    static std::vector<std::string> CommandFirst(std::span<const std::string> argv) {
        std::vector<std::string> leading;
        std::size_t i = 0;
        auto isOption = [](const std::string& word) { return word.size() > 1 && word[0] == '-' && word != "--"; };
        for (; i < argv.size() && isOption(argv[i]); ++i) {
            leading.push_back(argv[i]);
            if (argv[i].find('=') == std::string::npos && SomeCommandTakesValue(argv[i]) && i + 1 < argv.size()) {
                leading.push_back(argv[++i]);
            }
        }
        if (leading.empty() || i == argv.size()) return {argv.begin(), argv.end()};
        for (const CliOption& option : kProgramOptions) {
            if (std::find(leading.begin(), leading.end(), option.name) != leading.end()) return {argv.begin(), argv.end()};
        }
        std::size_t nameWords = 1;
        if (i + 1 < argv.size() && IsCommandName(argv[i] + " " + argv[i + 1])) nameWords = 2;
        std::vector<std::string> line(argv.begin() + static_cast<std::ptrdiff_t>(i),
                                      argv.begin() + static_cast<std::ptrdiff_t>(i + nameWords));
        line.insert(line.end(), leading.begin(), leading.end());
        line.insert(line.end(), argv.begin() + static_cast<std::ptrdiff_t>(i + nameWords), argv.end());
        return line;
    }

    static bool SomeCommandTakesValue(std::string_view option) {
        if (option == kDataDirOption.name) return true;
        for (const CliCommand* command : RegisteredCommands()) {
            for (const CliOption& declared : command->options) {
                if (declared.name == option && !declared.valueName.empty()) return true;
            }
        }
        return false;
    }

    static bool IsCommandName(std::string_view name) {
        for (const CliCommand* command : RegisteredCommands()) {
            if (command->name == name) return true;
        }
        return false;
    }

    CLI::App* Group(std::string_view word) {
        const auto it = groups_.find(std::string(word));
        if (it != groups_.end()) return it->second;
        CLI::App* group = app_.add_subcommand(std::string(word));
        group->group(kCommandsHeading);
        group->require_subcommand(0, 1);
        dataDirs_[group] = AddOption(*group, kDataDirOption);
        groups_.emplace(std::string(word), group);
        return group;
    }

    void Add(const CliCommand& command) {
        const std::string_view name = command.name;
        const auto space = name.find(' ');
        if (!command.run) {
            Group(name)->description(std::string(command.summary));
            return;
        }
        CLI::App* parent = space == std::string_view::npos ? &app_ : Group(name.substr(0, space));
        const std::string word(space == std::string_view::npos ? name : name.substr(space + 1));
        CLI::App* sub = parent->add_subcommand(word, std::string(command.summary));
        sub->group(kCommandsHeading);
        formatter_->SetWords(sub, command.usage);
        ParsedCommand& parsed = commands_[sub];
        parsed.command = &command;
        for (const CliOption& option : command.options) parsed.options.push_back({&option, AddOption(*sub, option)});
        dataDirs_[sub] = AddOption(*sub, kDataDirOption);
        for (int slot = 1; slot <= kPositionalSlots; ++slot) {
            // No group: the usage line names the words, the options list does not.
            parsed.words.push_back(sub->add_option("WORD" + std::to_string(slot))->group(""));
        }
    }

    // The program, then the group and command the line named, as far as it did.
    std::vector<const CLI::App*> ChosenChain() const {
        std::vector<const CLI::App*> chain{&app_};
        while (!chain.back()->get_subcommands().empty()) chain.push_back(chain.back()->get_subcommands().front());
        return chain;
    }

    // The command whose words were parsed, or none.
    const ParsedCommand* Chosen() const {
        const auto it = commands_.find(ChosenChain().back());
        return it == commands_.end() ? nullptr : &it->second;
    }

    // "kz7ctl macros show".
    std::string ChosenPath() const {
        std::string path;
        for (const CLI::App* app : ChosenChain()) path += (path.empty() ? "" : " ") + app->get_name();
        return path;
    }

    CLI::App app_;
    std::shared_ptr<UsageFormatter> formatter_;
    std::map<const CLI::App*, CLI::Option*> dataDirs_;
    std::map<std::string, CLI::App*> groups_;
    std::map<const CLI::App*, ParsedCommand> commands_;
};

}  // namespace

RegisterCommands::RegisterCommands(std::span<const CliCommand> commands) {
    CommandGroups().push_back(commands);
}

std::vector<const CliCommand*> RegisteredCommands() {
    std::vector<const CliCommand*> commands;
    for (const auto table : CommandGroups()) {
        for (const CliCommand& command : table) commands.push_back(&command);
    }
    return commands;
}

std::span<const CliOption> CommonOptions() { return kCommonOptions; }
std::span<const CliOption> ProgramOptions() { return kProgramOptions; }

std::optional<int> ParseSensorType(std::string_view text) {
    if (text.size() != 1 || text[0] < '0' || text[0] - '0' >= kKnownSensorTypes) return std::nullopt;
    return text[0] - '0';
}

std::optional<UiLanguage> LabelLanguageOption(const CliArgs& args, std::string& problem) {
    const auto lang = args.Value("--lang");
    if (!lang) return SystemUiLanguage();
    if (*lang == "en") return UiLanguage::English;
    if (*lang == "chs") return UiLanguage::SimplifiedChinese;
    if (*lang == "cht") return UiLanguage::TraditionalChinese;
    problem = "--lang takes en, chs or cht";
    return std::nullopt;
}

std::string SensorTypeHelp(std::string_view option) {
    return std::string(option) + " takes a sensor type from 0 to " + std::to_string(kKnownSensorTypes - 1);
}

std::optional<std::string> CliArgs::Value(std::string_view option) const {
    auto it = values.find(std::string(option));
    if (it == values.end()) return std::nullopt;
    return it->second;
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
    CommandLine line;
    return line.Run(argv, out, err);
}

}  // namespace kz7::cli
