// How the real kz7ctl reads its command line: words and option values
// reach the commands unchanged, help and usage errors come from the parser.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "config/atomic_file.h"
#include "support/run_command.h"

namespace kz7 {
namespace {

namespace fs = std::filesystem;

using testing_support::CommandRun;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class Kz7ctlCommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kz7-cli-line-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
        ASSERT_EQ(Run("init '" + (dir_ / "config.bin").string() + "'").status, 0);
        ASSERT_EQ(WriteFileAtomically(dir_ / "lines.txt", std::string_view("A   Dn\n")), 0);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // stdout and stderr together; `input` goes to standard input.
    CommandRun Run(const std::string& arguments, const std::string& input = "") const {
        return testing_support::RunShell("printf '" + input + "' | " + testing_support::Kz7ctlCommand() + " " +
                                         arguments + " 2>&1");
    }
    // stdout only.
    CommandRun Out(const std::string& arguments) const {
        return testing_support::RunShell(testing_support::Kz7ctlCommand() + " " + arguments + " 2>/dev/null");
    }
    std::string DataDir() const { return "--data-dir '" + dir_.string() + "'"; }

    fs::path dir_;
};

TEST_F(Kz7ctlCommandLineTest, WordsReachTheCommandUnchanged) {
    struct Case {
        std::string quoted;  // as the shell gets it
        std::string name;    // what the command must see
    };
    const Case cases[] = {
        {"'#ff0000'", "#ff0000"},             // a colour
        {"'Left Ctrl+C+V'", "Left Ctrl+C+V"},  // blanks inside one word
        {"'[a,b]'", "[a,b]"},                 // not a list to split
        {"-1", "-1"},                         // a number, not an option
        {"list", "list"},                     // the name of another command of the group
        {"status", "status"},                 // and of a top-level command
        {"-- --json", "--json"},              // after "--" every word is a word
        {"-- ++", "++"},                      // which "++" (that ends a command) needs
    };
    for (const Case& c : cases) {
        const CommandRun save = Run("macros save " + DataDir() + " " + c.quoted + " " + (dir_ / "lines.txt").string());
        ASSERT_EQ(save.status, 0) << c.quoted << "\n" << save.out;
        const CommandRun show = Run("macros show " + DataDir() + " " + c.quoted);
        EXPECT_EQ(show.status, 0) << c.quoted << "\n" << show.out;
        EXPECT_EQ(show.out, "A   Dn\n") << c.quoted;
        ASSERT_EQ(Run("macros delete " + DataDir() + " " + c.quoted).status, 0) << c.quoted;
    }
}

TEST_F(Kz7ctlCommandLineTest, DashIsStandardInputAndOptionsGoAnywhere) {
    // --data-dir before the command, before the group's command, after it, and with "=".
    for (const std::string& line : {"--data-dir '" + dir_.string() + "' macros save Burst -",
                                    "macros --data-dir '" + dir_.string() + "' save Burst -",
                                    "macros save Burst - --data-dir '" + dir_.string() + "'",
                                    "macros save --data-dir='" + dir_.string() + "' Burst -"}) {
        const CommandRun save = Run(line, "B   Dn\\n");
        ASSERT_EQ(save.status, 0) << line << "\n" << save.out;
        EXPECT_EQ(Out("macros show Burst " + DataDir()).out, "B   Dn\n") << line;
        ASSERT_EQ(Run("macros delete Burst " + DataDir()).status, 0);
    }
    // A command's options may come before its name as well.
    const CommandRun before = Run("--sensor 1 " + DataDir() + " show");
    EXPECT_EQ(before.status, 0) << before.out;
    EXPECT_TRUE(Contains(before.out, "labels for sensor type 1")) << before.out;
    const CommandRun status = Run("--simulate --sim-sensor=2 status " + DataDir());
    EXPECT_EQ(status.status, 0) << status.out;
    EXPECT_TRUE(Contains(status.out, "sensor type: 2")) << status.out;
    EXPECT_EQ(Out("--version show").out, "kz7ctl " KZ7_PROJECT_VERSION "\n");
    // The command's own option wins over the program's; the last one given wins.
    const CommandRun show = Run("--data-dir /nonexistent show --sensor=9 --sensor 1 --data-dir '" + dir_.string() + "'");
    EXPECT_EQ(show.status, 0) << show.out;
    EXPECT_TRUE(Contains(show.out, "labels for sensor type 1")) << show.out;
}

TEST_F(Kz7ctlCommandLineTest, HelpComesFromTheParser) {
    struct Case {
        std::string arguments;
        std::vector<std::string> parts;
    };
    const Case cases[] = {
        {"--help", {"Usage: kz7ctl [OPTIONS] [COMMAND]", "  show ", "  macros ", "--data-dir DIR", "--version"}},
        {"-h", {"Usage: kz7ctl [OPTIONS] [COMMAND]"}},
        {"show --help", {"decode every field of a config.bin", "Usage: kz7ctl show [OPTIONS] [FILE]", "--json",
                         "--sensor N", "--data-dir DIR"}},
        {"macros --help", {"Usage: kz7ctl macros [OPTIONS] [COMMAND]", "  save ", "  compile "}},
        {"macros loop --help", {"Usage: kz7ctl macros loop [OPTIONS] NAME [COUNT]"}},
        {"listen --help", {"--simulate", "--sim-events", "--for SECONDS", "--key HEX12"}},
        {"--help-all", {"macros", "loop", "--sim-events", "--desktop auto|gsettings"}},
    };
    for (const Case& c : cases) {
        const CommandRun run = Out(c.arguments);
        EXPECT_EQ(run.status, 0) << c.arguments;
        for (const std::string& part : c.parts) EXPECT_TRUE(Contains(run.out, part)) << c.arguments << ": " << part << "\n" << run.out;
    }
}

TEST_F(Kz7ctlCommandLineTest, UsageErrorsExitTwoWithTheParsersMessage) {
    struct Case {
        std::string arguments;
        std::string message;
    };
    const Case cases[] = {
        {"", "Usage: kz7ctl [OPTIONS] [COMMAND]"},         // no command: the help, on stderr
        {"macros", "Usage: kz7ctl macros [OPTIONS] [COMMAND]"},  // a group without its command
        {"macros frob", "kz7ctl: The following argument was not expected: frob\nRun 'kz7ctl macros --help'"},
        {"show --json=yes", "kz7ctl: json was given a disallowed flag override"},
        {"show --sensor", "kz7ctl: --sensor: 1 required N missing\nRun 'kz7ctl show --help'"},
        {"list --desktop none", "kz7ctl: The following argument was not expected: --desktop"},
        {"show --version", "kz7ctl: The following argument was not expected: --version"},
        {"--bogus show", "kz7ctl: The following argument was not expected: --bogus\nRun 'kz7ctl show --help'"},
        {"--desktop none list", "kz7ctl: The following argument was not expected: --desktop"},
        {"show 1 2 3 4 5 6 7 8 9", "kz7ctl: The following argument was not expected: 9"},
    };
    for (const Case& c : cases) {
        const CommandRun run = Run(c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments << "\n" << run.out;
        EXPECT_TRUE(Contains(run.out, c.message)) << c.arguments << "\n" << run.out;
        EXPECT_EQ(Out(c.arguments).out, "") << "nothing on stdout: " << c.arguments;
    }
}

}  // namespace
}  // namespace kz7
