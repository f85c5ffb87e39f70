#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "config/device_config.h"
#include "config/prompter.h"

namespace kz7 {

inline constexpr std::size_t kConfigFileSize = 1 + kDeviceConfigSize;  // flag + record

inline constexpr std::string_view kConfigFileName = "config.bin";
inline constexpr std::string_view kRecordFileName = "record.ini";
inline constexpr std::string_view kSettingsFileName = "str.ini";

inline constexpr std::string_view kConfigMissingMessage = "Config file is not exist.";
inline constexpr std::string_view kSaveFailedCaption = "NULL ==fp ";
// "Error Code is: %d \n" filled with the system error code.
std::string SaveFailedMessage(int errorCode);

// Where the three data files live.
struct DataPaths {
    std::filesystem::path folder;
    std::filesystem::path config;
    std::filesystem::path record;
    std::filesystem::path settings;

    static DataPaths InFolder(const std::filesystem::path& folder);
};

// What the process knows when it chooses its data folder.
struct DataFolderInputs {
    std::optional<std::filesystem::path> overrideDir;  // --data-dir
    std::filesystem::path executableDir;
    std::optional<std::string> xdgConfigHome;
    std::optional<std::string> home;
};

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute
// path, else $HOME/.config; nothing when neither is usable.
std::optional<std::filesystem::path> UserConfigHome(const std::optional<std::string>& xdgConfigHome,
                                                    const std::optional<std::string>& home);

// --data-dir wins; then the executable's folder when it holds config.bin
// (portable use); otherwise kz7 in the user's configuration folder
// (UserConfigHome), or .config/kz7 below the working folder.
std::filesystem::path ChooseDataFolder(const DataFolderInputs& inputs);

// Creates the folder if needed and copies the installed default config.bin
// into it when it has none. Returns false with a reason when that fails.
bool SeedDataFolder(const std::filesystem::path& folder,
                    const std::filesystem::path& defaultConfig, std::string* error);

// The installed default config.bin beside an executable (build tree or install prefix).
std::filesystem::path DefaultConfigPath(const std::filesystem::path& executableDir);

struct ConfigImage {
    std::uint8_t firstRunFlag = 0;
    DeviceConfig config = ZeroConfig();
};

// Reads a file that must be exactly kConfigFileSize bytes; otherwise says why.
std::optional<ConfigImage> ReadConfigImage(const std::filesystem::path& path, std::string* why);

enum class LoadResult { Loaded, Missing, WrongSize };

// Fills model.config and model.firstRunFlag from a 2022-byte file. A missing
// file is reported through the prompter; a file of any other size, or one
// that cannot be read, is ignored without a word. The record is untouched
// unless the load succeeds.
LoadResult LoadConfig(const std::filesystem::path& path, ConfigModel& model, Prompter& prompter);

// Writes flag 1 and the record. The file is never created: a missing file is
// reported and nothing is written. The new image goes to a temporary file in
// the same folder that then replaces the old one, so the file is always
// either the old or the new complete image. Returns whether it was saved;
// failures are reported through the prompter.
bool SaveConfig(const std::filesystem::path& path, ConfigModel& model, Prompter& prompter);

// Raw image helpers used by the tools.
std::array<std::uint8_t, kConfigFileSize> ConfigFileImage(std::uint8_t firstRunFlag,
                                                          const DeviceConfig& config);

}  // namespace kz7
