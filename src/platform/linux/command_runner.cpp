#include "platform/linux/command_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace kz7::linux_platform {
namespace {

using Clock = std::chrono::steady_clock;

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(left);
}

enum class Reaped { Yes, StillRunning, Lost };

// Waits for the child until the deadline. Lost: someone else reaped it (a
// process that ignores SIGCHLD), so how it ended is unknown.
Reaped ReapBefore(pid_t pid, Clock::time_point deadline, int& status) {
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) return Reaped::Yes;
        if (done < 0 && errno != EINTR) return Reaped::Lost;
        if (Clock::now() >= deadline) return Reaped::StillRunning;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void KillGroup(pid_t pid) {
    ::kill(-pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

CommandResult ProcessRunner::Run(const std::vector<std::string>& argv) {
    CommandResult result;
    if (argv.empty() || argv.front().empty()) return result;

    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return result;
    Fd readEnd(ends[0]);
    Fd writeEnd(ends[1]);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), STDOUT_FILENO);

    // A clean signal state: the caller may block or ignore signals (threads
    // of a GUI do), which a tool must not inherit.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGCHLD);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);

    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    pid_t pid = -1;
    const int spawned = ::posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    writeEnd.Close();
    if (spawned != 0) {
        result.outcome = spawned == ENOENT ? CommandResult::Outcome::NotFound : CommandResult::Outcome::NotStarted;
        return result;
    }

    const Clock::time_point deadline = Clock::now() + timeout_;
    char buffer[4096];
    for (;;) {
        pollfd watch{readEnd.get(), POLLIN, 0};
        const int ready = ::poll(&watch, 1, MillisecondsLeft(deadline));
        if (ready < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (ready == 0) {
            KillGroup(pid);
            result.outcome = CommandResult::Outcome::TimedOut;
            return result;
        }
        const ssize_t n = ::read(readEnd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            break;
        }
        if (n == 0) break;  // every writer has closed standard output
        result.output.append(buffer, static_cast<std::size_t>(n));
        if (result.output.size() > outputLimit_) {
            KillGroup(pid);
            result.outcome = CommandResult::Outcome::OutputTooLong;
            return result;
        }
    }

    int status = 0;
    switch (ReapBefore(pid, deadline, status)) {
        case Reaped::Yes: break;
        case Reaped::StillRunning:
            KillGroup(pid);
            result.outcome = CommandResult::Outcome::TimedOut;
            return result;
        case Reaped::Lost:
            result.outcome = CommandResult::Outcome::NoStatus;
            return result;
    }
    if (WIFEXITED(status)) {
        result.outcome = CommandResult::Outcome::Exited;
        result.exitCode = WEXITSTATUS(status);
    } else {
        result.outcome = CommandResult::Outcome::Killed;
    }
    return result;
}

}  // namespace kz7::linux_platform
