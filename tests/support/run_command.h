#pragma once

#include <cstdio>
#include <string>

#include <sys/wait.h>

namespace kz7::testing_support {

struct CommandRun {
    int status = -1;  // exit status, -1 when the command did not exit normally
    std::string out;  // what it wrote to standard output
};

// Runs a shell command line and collects its standard output; add " 2>&1"
// to the line to collect standard error too.
inline CommandRun RunShell(const std::string& commandLine) {
    CommandRun run;
    FILE* pipe = popen(commandLine.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// The kz7ctl of this build.
inline std::string Kz7ctlCommand() { return KZ7_BINARY_DIR "/bin/kz7ctl"; }

}  // namespace kz7::testing_support
