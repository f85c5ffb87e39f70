#include "skins/skins_dialog_model.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "ini/ini_file.h"
#include "skins/skin_images.h"

namespace kz7 {

bool IsListableSkinName(std::string_view name) {
    if (!IsSkinName(name)) return false;
    // Ask the INI engine itself how the name would come back from str.ini.
    IniFile file;
    file.Set(kSkinsSection, kSkinPathKey, name);
    return IniFile::Parse(file.Serialize()).GetString(kSkinsSection, kSkinPathKey, "") == name;
}

std::vector<std::string> ListSkinFolders(const std::filesystem::path& skinsRoot) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(skinsRoot, error);
    if (error) return names;
    for (const std::filesystem::directory_entry& entry : entries) {
        std::error_code statusError;
        // Follows links: a link to a folder is a folder, a broken one is nothing.
        if (!entry.is_directory(statusError) || statusError) continue;
        const std::u8string bytes = entry.path().filename().u8string();
        std::string name(bytes.begin(), bytes.end());
        if (IsListableSkinName(name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string SkinChoiceNotSavedMessage(const std::filesystem::path& strIni, int error) {
    return "The skin choice could not be saved to " + strIni.string() + ": " + std::strerror(error) + " (error " +
           std::to_string(error) + ").";
}

bool SkinsDialogModel::OffersDefaultSkin() const {
    std::error_code error;
    return std::filesystem::is_regular_file(skinsRoot_ / std::string(skin_image::kMain).substr(1), error);
}

bool SkinsDialogModel::ChooseDefaultSkin() {
    if (!OffersDefaultSkin()) return false;
    chosen_.skinName.clear();
    chosen_.skinFolder = skinsRoot_;
    return true;
}

bool SkinsDialogModel::ChooseSkin(std::string_view name) {
    // The folder may have gone or come since the list was filled: look again.
    std::error_code error;
    std::filesystem::directory_iterator entries(skinsRoot_, error);
    if (error) return false;
    for (const std::filesystem::directory_entry& entry : entries) {
        const std::u8string bytes = entry.path().filename().u8string();
        if (std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()) != name) continue;
        std::error_code statusError;
        if (!entry.is_directory(statusError) || statusError || !IsListableSkinName(name)) return false;
        chosen_.skinName = std::string(name);
        chosen_.skinFolder = entry.path();
        return true;
    }
    return false;
}

}  // namespace kz7
