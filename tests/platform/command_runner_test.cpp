// Real processes through the runner: small shell scripts stand in for the
// desktop tools.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/command_runner.h"
#include "support/temp_folder.h"

namespace kz7::linux_platform {
namespace {

using Outcome = CommandResult::Outcome;
using namespace std::chrono_literals;

class CommandRunnerTest : public ::testing::Test {
protected:
    std::string Script(const std::string& name, const std::string& body) {
        const std::filesystem::path path = folder.path() / name;
        std::ofstream(path) << "#!/bin/sh\n" << body;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path.string();
    }

    testing_support::TempFolder folder;
    ProcessRunner runner{2000ms};
};

TEST_F(CommandRunnerTest, TheArgumentsArriveAsGivenAndTheOutputComesBack) {
    // No shell in between: blanks, quotes and $ stay inside their argument.
    const std::string tool = Script("tool", "for a in \"$@\"; do printf '<%s>' \"$a\"; done\n");
    const CommandResult result = runner.Run({tool, "libinput Accel Speed", "-0.5", "$HOME", "a'b", ""});
    EXPECT_EQ(result.outcome, Outcome::Exited);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(result.output, "<libinput Accel Speed><-0.5><$HOME><a'b><>");
}

TEST_F(CommandRunnerTest, ToolsAreFoundOnPath) {
    const CommandResult result = runner.Run({"sh", "-c", "echo found"});
    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(result.output, "found\n");
}

TEST_F(CommandRunnerTest, EveryWayOfFailingIsTold) {
    const struct {
        const char* what;
        std::vector<std::string> argv;
        Outcome outcome;
        int exitCode;
        std::string output;
    } cases[] = {
        {"a status", {Script("two", "echo partial; exit 2\n")}, Outcome::Exited, 2, "partial\n"},
        {"not installed", {"kz7-no-such-tool-anywhere", "-t", "get_inputs"}, Outcome::NotFound, -1, ""},
        {"no such file", {(folder.path() / "missing").string()}, Outcome::NotFound, -1, ""},
        {"not runnable", {Script("plain", "")}, Outcome::NotStarted, -1, ""},
        {"a signal", {Script("killed", "echo before; kill -9 $$\n")}, Outcome::Killed, -1, "before\n"},
        {"nothing to run", {}, Outcome::NotStarted, -1, ""},
    };
    std::filesystem::permissions(folder.path() / "plain", std::filesystem::perms::owner_read);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CommandResult result = runner.Run(c.argv);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.output, c.output);
        EXPECT_FALSE(result.Succeeded());
    }
}

TEST_F(CommandRunnerTest, AToolThatHangsIsEndedWithEverythingItStarted) {
    ProcessRunner impatient{200ms};
    const std::filesystem::path marker = folder.path() / "grandchild-ran";
    // The grandchild would leave a mark after a second; the whole group goes.
    const std::string hangs = Script("hangs", "(sleep 1; touch '" + marker.string() + "') &\necho started\nsleep 30\n");
    const CommandResult result = impatient.Run({hangs});
    EXPECT_EQ(result.outcome, Outcome::TimedOut);
    EXPECT_FALSE(result.Succeeded());
    std::this_thread::sleep_for(1500ms);
    EXPECT_FALSE(std::filesystem::exists(marker));
}

TEST_F(CommandRunnerTest, AToolThatKeepsItsOutputOpenAfterExitingTimesOut) {
    ProcessRunner impatient{200ms};
    const CommandResult result = impatient.Run({Script("lingers", "sleep 30 &\necho done\n")});
    EXPECT_EQ(result.outcome, Outcome::TimedOut);
}

TEST_F(CommandRunnerTest, AToolThatClosesItsOutputButGoesOnIsWaitedForUntilTheLimit) {
    ProcessRunner impatient{200ms};
    const CommandResult result = impatient.Run({Script("closes", "echo early\nexec >&-\nsleep 30\n")});
    EXPECT_EQ(result.outcome, Outcome::TimedOut);
    EXPECT_EQ(result.output, "early\n");
}

TEST_F(CommandRunnerTest, AFloodOfOutputIsCutOff) {
    ProcessRunner limited{2000ms, 64 * 1024};
    const CommandResult result = limited.Run({"yes", "garbage"});
    EXPECT_EQ(result.outcome, Outcome::OutputTooLong);
    EXPECT_FALSE(result.Succeeded());
}

TEST_F(CommandRunnerTest, StandardInputIsEmptySoAToolWaitingForItDoesNotHang) {
    const CommandResult result = runner.Run({"cat"});
    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(result.output, "");
}

}  // namespace
}  // namespace kz7::linux_platform
