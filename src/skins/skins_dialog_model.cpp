#include "skins/skins_dialog_model.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "ini/ini_file.h"
#include "skins/skin_images.h"

namespace kz7 {
namespace {

std::string FileName(const std::filesystem::directory_entry& entry) {
    const std::u8string bytes = entry.path().filename().u8string();
    return std::string(bytes.begin(), bytes.end());
}

// Follows links: a link to a folder is a folder, a broken one is nothing.
bool IsFolder(const std::filesystem::directory_entry& entry) {
    std::error_code error;
    return entry.is_directory(error) && !error;
}

// Visits the entries of a folder until `visit` says stop; a folder that
// cannot be read, or stops being readable on the way, ends the walk quietly.
template <typename Visit>
void ForEachEntry(const std::filesystem::path& folder, Visit visit) {
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    for (const std::filesystem::directory_iterator end; !error && entry != end; entry.increment(error)) {
        if (!visit(*entry)) return;
    }
}

}  // namespace

bool IsListableSkinName(std::string_view name) {
    if (!IsSkinName(name)) return false;
    // Ask the INI engine itself how the name would come back from str.ini.
    IniFile file;
    file.Set(kSkinsSection, kSkinPathKey, name);
    return IniFile::Parse(file.Serialize()).GetString(kSkinsSection, kSkinPathKey, "") == name;
}

std::vector<std::string> ListSkinFolders(const std::filesystem::path& skinsRoot) {
    std::vector<std::string> names;
    ForEachEntry(skinsRoot, [&names](const std::filesystem::directory_entry& entry) {
        if (std::string name = FileName(entry); IsFolder(entry) && IsListableSkinName(name)) {
            names.push_back(std::move(name));
        }
        return true;
    });
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
    bool chosen = false;
    ForEachEntry(skinsRoot_, [&](const std::filesystem::directory_entry& entry) {
        if (FileName(entry) != name) return true;
        if (IsFolder(entry) && IsListableSkinName(name)) {
            chosen_.skinName = std::string(name);
            chosen_.skinFolder = entry.path();
            chosen = true;
        }
        return false;
    });
    return chosen;
}

}  // namespace kz7
