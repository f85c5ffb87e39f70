#pragma once

// What every harness shares: a check that stops the run on a broken promise
// of the code under test, and a private scratch folder for the entry points
// that read and write files.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "config/atomic_file.h"

// Aborts with the broken condition, so that libFuzzer keeps the input as a crash.
#define KZ7_FUZZ_REQUIRE(condition)                                                            \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: broken promise: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

namespace kz7::fuzz {

// A folder of this process: in $KZ7_FUZZ_SCRATCH when set (tools/run-fuzzers.sh
// makes one in memory and removes it afterwards: libFuzzer ends a timed run
// without running exit handlers), else in /dev/shm or the temporary folder,
// removed when the process exits normally.
inline const std::filesystem::path& ScratchFolder() {
    static const std::filesystem::path folder = [] {
        std::error_code ec;
        std::filesystem::path base;
        if (const char* given = std::getenv("KZ7_FUZZ_SCRATCH"); given && *given) base = given;
        else if (std::filesystem::is_directory("/dev/shm", ec)) base = "/dev/shm";
        else base = std::filesystem::temp_directory_path(ec);
        std::filesystem::path made = base / ("kz7-fuzz-" + std::to_string(::getpid()));
        std::filesystem::remove_all(made, ec);
        std::filesystem::create_directories(made, ec);
        KZ7_FUZZ_REQUIRE(!ec);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(ScratchFolder(), ignored);
        });
        return made;
    }();
    return folder;
}

// Replaces `name` in the scratch folder with `bytes`; returns its path.
inline std::filesystem::path ScratchFile(std::string_view name, std::string_view bytes) {
    const std::filesystem::path path = ScratchFolder() / name;
    KZ7_FUZZ_REQUIRE(WriteFileAtomically(path, bytes) == 0);
    return path;
}

}  // namespace kz7::fuzz
