#include "platform/linux/process_env.h"

#include <cstdlib>
#include <system_error>

namespace kz7::linux_platform {

namespace {
std::optional<std::string> Env(const char* name) {
    if (const char* value = std::getenv(name)) return std::string(value);
    return std::nullopt;
}
}  // namespace

std::filesystem::path ExecutableDir() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return exe.parent_path();
}

std::optional<std::filesystem::path> CurrentUserConfigHome() {
    return UserConfigHome(Env("XDG_CONFIG_HOME"), Env("HOME"));
}

DataFolderInputs CurrentDataFolderInputs(std::optional<std::filesystem::path> overrideDir) {
    return {std::move(overrideDir), ExecutableDir(), Env("XDG_CONFIG_HOME"), Env("HOME")};
}

}  // namespace kz7::linux_platform
