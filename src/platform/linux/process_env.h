#pragma once

#include <filesystem>
#include <optional>

#include "config/config_file.h"

namespace kz7::linux_platform {

// The folder of the running executable (from /proc/self/exe).
std::filesystem::path ExecutableDir();
// The user's configuration folder of this process (UserConfigHome).
std::optional<std::filesystem::path> CurrentUserConfigHome();
// The inputs of the data-folder rule for this process.
DataFolderInputs CurrentDataFolderInputs(std::optional<std::filesystem::path> overrideDir);

}  // namespace kz7::linux_platform
