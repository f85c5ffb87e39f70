#include "skins/skin_settings.h"

#include <system_error>

#include "ini/ini_file.h"

namespace kz7 {
namespace {

// The values were read into buffers of 1024 characters.
constexpr std::size_t kValueChars = 1023;

std::uint8_t LowestByte(int value) { return static_cast<std::uint8_t>(static_cast<unsigned>(value) & 0xFFu); }

std::uint8_t ReadComponent(const IniFile& file, std::string_view key) {
    return LowestByte(LeadingInteger(file.GetString(kSkinsSection, key, "", kValueChars)));
}

}  // namespace

std::filesystem::path ChooseSkinsRoot(const std::filesystem::path& executableDir) {
    std::error_code error;
    const std::filesystem::path beside = executableDir / "Skins";
    if (std::filesystem::is_directory(beside, error)) return beside;
    return (executableDir / ".." / "share" / "kz7" / "Skins").lexically_normal();
}

bool IsSkinName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

std::filesystem::path SkinFolderFor(const std::filesystem::path& skinsRoot, std::string_view skinName) {
    if (!IsSkinName(skinName)) return skinsRoot;
    std::filesystem::path folder = skinsRoot / std::filesystem::path(std::u8string(
                                                   reinterpret_cast<const char8_t*>(skinName.data()),
                                                   skinName.size()));
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return skinsRoot;
    return folder;
}

SkinSettings LoadSkinSettings(const std::filesystem::path& strIni, const std::filesystem::path& skinsRoot) {
    const IniFile file = IniFile::Load(strIni);
    SkinSettings settings;
    settings.textColour = {ReadComponent(file, kRedKey), ReadComponent(file, kGreenKey),
                           ReadComponent(file, kBlueKey)};
    settings.skinName = file.GetString(kSkinsSection, kSkinPathKey, "", kValueChars);
    // A name that would lead out of the skins root is no skin at all.
    if (!IsSkinName(settings.skinName)) settings.skinName.clear();
    settings.skinFolder = SkinFolderFor(skinsRoot, settings.skinName);
    return settings;
}

int SaveSkinChoice(const std::filesystem::path& strIni, const SkinSettings& settings) {
    int error = 0;
    std::optional<IniFile> file = IniFile::LoadForUpdate(strIni, &error);
    if (!file) return error != 0 ? error : EIO;
    PutSkinChoice(*file, settings);
    return file->Save(strIni);
}

void PutSkinChoice(IniFile& strIni, const SkinSettings& settings) {
    strIni.Set(kSkinsSection, kRedKey, std::to_string(settings.textColour.red));
    strIni.Set(kSkinsSection, kGreenKey, std::to_string(settings.textColour.green));
    strIni.Set(kSkinsSection, kBlueKey, std::to_string(settings.textColour.blue));
    strIni.Set(kSkinsSection, kSkinPathKey, settings.skinName);
}

}  // namespace kz7
