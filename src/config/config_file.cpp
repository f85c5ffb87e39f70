#include "config/config_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "config/atomic_file.h"

namespace kz7 {

std::string SaveFailedMessage(int errorCode) {
    return "Error Code is: " + std::to_string(errorCode) + " \n";
}

DataPaths DataPaths::InFolder(const std::filesystem::path& folder) {
    return {folder, folder / kConfigFileName, folder / kRecordFileName, folder / kSettingsFileName};
}

std::optional<std::filesystem::path> UserConfigHome(const std::optional<std::string>& xdgConfigHome,
                                                    const std::optional<std::string>& home) {
    if (xdgConfigHome && std::filesystem::path(*xdgConfigHome).is_absolute()) return *xdgConfigHome;
    if (home && !home->empty()) return std::filesystem::path(*home) / ".config";
    return std::nullopt;
}

std::filesystem::path ChooseDataFolder(const DataFolderInputs& inputs) {
    if (inputs.overrideDir) return *inputs.overrideDir;
    std::error_code ec;
    if (!inputs.executableDir.empty() &&
        std::filesystem::is_regular_file(inputs.executableDir / kConfigFileName, ec)) {
        return inputs.executableDir;
    }
    return UserConfigHome(inputs.xdgConfigHome, inputs.home).value_or(".config") / "kz7";
}

std::filesystem::path DefaultConfigPath(const std::filesystem::path& executableDir) {
    return executableDir.parent_path() / "share" / "kz7" / kConfigFileName;
}

bool SeedDataFolder(const std::filesystem::path& folder,
                    const std::filesystem::path& defaultConfig, std::string* error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        if (error) *error = "cannot create " + folder.string() + ": " + ec.message();
        return false;
    }
    const auto target = folder / kConfigFileName;
    if (std::filesystem::exists(target, ec)) return true;
    std::string image;
    if (!ReadWholeFile(defaultConfig, image) || image.size() != kConfigFileSize) {
        if (error) *error = "no usable default configuration at " + defaultConfig.string();
        return false;
    }
    if (const int code = WriteFileAtomically(target, image); code != 0) {
        if (error) *error = "cannot write " + target.string() + ": " + std::strerror(code);
        return false;
    }
    return true;
}

std::array<std::uint8_t, kConfigFileSize> ConfigFileImage(std::uint8_t firstRunFlag,
                                                          const DeviceConfig& config) {
    std::array<std::uint8_t, kConfigFileSize> image{};
    image[0] = firstRunFlag;
    std::memcpy(image.data() + 1, &config, kDeviceConfigSize);
    return image;
}

std::optional<ConfigImage> ReadConfigImage(const std::filesystem::path& path, std::string* why) {
    auto fail = [&](std::string reason) -> std::optional<ConfigImage> {
        if (why) *why = std::move(reason);
        return std::nullopt;
    };
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return fail(path.string() + ": no such file");
    if (!std::filesystem::is_regular_file(path, ec)) return fail(path.string() + ": not a regular file");
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail(path.string() + ": cannot be opened for reading");
    std::array<char, kConfigFileSize + 1> image{};
    in.read(image.data(), static_cast<std::streamsize>(image.size()));
    const auto size = static_cast<std::size_t>(in.gcount());
    if (size != kConfigFileSize) {
        const auto fileSize = std::filesystem::file_size(path, ec);
        return fail(path.string() + ": not a config.bin (" + std::to_string(ec ? size : fileSize) +
                    " bytes, expected " + std::to_string(kConfigFileSize) + ")");
    }
    ConfigImage result;
    result.firstRunFlag = static_cast<std::uint8_t>(image[0]);
    result.config = ConfigFromBytes(reinterpret_cast<const std::uint8_t*>(image.data() + 1));
    return result;
}

LoadResult LoadConfig(const std::filesystem::path& path, ConfigModel& model, Prompter& prompter) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        prompter.ShowMessage(kConfigMissingMessage, "");
        return LoadResult::Missing;
    }
    const auto image = ReadConfigImage(path, nullptr);
    if (!image) return LoadResult::WrongSize;
    model.firstRunFlag = image->firstRunFlag;
    model.config = image->config;
    model.NotifyChanged(ConfigPart::Everything);
    return LoadResult::Loaded;
}

bool SaveConfig(const std::filesystem::path& path, ConfigModel& model, Prompter& prompter) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        prompter.ShowMessage(kConfigMissingMessage, "");
        return false;
    }
    const auto image = ConfigFileImage(1, model.config);
    if (const int code = WriteFileAtomically(path, image.data(), image.size()); code != 0) {
        prompter.ShowMessage(SaveFailedMessage(code), kSaveFailedCaption);
        return false;
    }
    model.firstRunFlag = 1;
    return true;
}

}  // namespace kz7
