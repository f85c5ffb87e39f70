#pragma once

// Running a desktop's own tools (swaymsg, xinput): an argument vector, no
// shell, standard output collected, and a time limit, so that a tool that is
// missing, fails, hangs or floods its output is an ordinary failed read or
// write and never a crash or a frozen window.

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace kz7::linux_platform {

struct CommandResult {
    enum class Outcome {
        Exited,         // ran to its end; exitCode says how
        NotFound,       // no such program on PATH
        NotStarted,     // it could not be started for another reason
        TimedOut,       // killed after the time limit
        Killed,         // ended by a signal
        OutputTooLong,  // killed for writing more than a tool of this kind ever does
        NoStatus,       // reaped elsewhere (SIGCHLD ignored): how it ended is unknown
    };
    Outcome outcome = Outcome::NotStarted;
    int exitCode = -1;   // when Exited
    std::string output;  // standard output, as far as it was read

    bool Succeeded() const { return outcome == Outcome::Exited && exitCode == 0; }
};

class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    // argv[0] is looked up on PATH.
    virtual CommandResult Run(const std::vector<std::string>& argv) = 0;
};

// Runs real processes: standard input is /dev/null, standard error is this
// process's own (so a tool's complaint lands where ours do), the child gets a
// process group of its own so that a timeout ends everything it started.
class ProcessRunner final : public CommandRunner {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{3000};
    static constexpr std::size_t kDefaultOutputLimit = 4u << 20;

    explicit ProcessRunner(std::chrono::milliseconds timeout = kDefaultTimeout,
                           std::size_t outputLimit = kDefaultOutputLimit)
        : timeout_(timeout), outputLimit_(outputLimit) {}

    CommandResult Run(const std::vector<std::string>& argv) override;

private:
    std::chrono::milliseconds timeout_;
    std::size_t outputLimit_;
};

}  // namespace kz7::linux_platform
