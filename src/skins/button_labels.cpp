#include "skins/button_labels.h"

#include <cerrno>

#include "ini/ini_file.h"
#include "locale/strings.h"

namespace kz7 {
namespace {

constexpr std::size_t kValueChars = 1023;

}  // namespace

std::string_view LabelSectionName(UiLanguage language) {
    return Text(UiText::LabelSectionName, language);
}

std::string LabelKey(int mode, int slot) {
    std::string key = "Item" + std::to_string(slot);
    if (mode == 1) key += '3';
    return key;
}

ButtonLabels LoadButtonLabels(const std::filesystem::path& strIni, UiLanguage language) {
    const IniFile file = IniFile::Load(strIni);
    const std::string_view section = LabelSectionName(language);
    ButtonLabels labels;
    for (int mode = 0; mode < kLabelModes; ++mode) {
        for (int slot = 1; slot <= kLabelSlots; ++slot) {
            labels.text[static_cast<std::size_t>(mode)][static_cast<std::size_t>(slot - 1)] =
                file.GetString(section, LabelKey(mode, slot), "", kValueChars);
        }
    }
    return labels;
}

void PutButtonLabels(IniFile& strIni, UiLanguage language, const ButtonLabels& labels) {
    const std::string_view section = LabelSectionName(language);
    for (int mode = 0; mode < kLabelModes; ++mode) {
        for (int slot = 1; slot <= kWrittenLabelSlots; ++slot) {
            strIni.Set(section, LabelKey(mode, slot),
                       labels.text[static_cast<std::size_t>(mode)][static_cast<std::size_t>(slot - 1)]);
        }
    }
}

int SaveButtonLabels(const std::filesystem::path& strIni, UiLanguage language, const ButtonLabels& labels) {
    int error = 0;
    std::optional<IniFile> file = IniFile::LoadForUpdate(strIni, &error);
    if (!file) return error != 0 ? error : EIO;
    PutButtonLabels(*file, language, labels);
    return file->Save(strIni);
}

void SetDefaultLabels(ButtonLabels& labels, UiLanguage language) {
    // Left, right, middle, forward, backward, the DPI loop, then three keys off.
    constexpr int kRows[] = {0, 1, 2, 3, 4, -1, 14, 14, 14};
    for (auto& mode : labels.text) {
        for (std::size_t slot = 0; slot < std::size(kRows); ++slot) {
            mode[slot] = kRows[slot] < 0 ? std::string(kDpiLoopLabel)
                                         : std::string(FunctionText(kRows[slot], language));
        }
    }
}

}  // namespace kz7
