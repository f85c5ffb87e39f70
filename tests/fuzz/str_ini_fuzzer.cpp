// str.ini on any bytes: the skin choice and the button labels of every
// language, read as the window reads them and saved back as the skins
// dialog and an apply save them. A skin name never leads out of the skins
// root, what is saved reads back the same, and every other key of the file
// keeps its value.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "fuzz_support.h"
#include "ini/ini_file.h"
#include "ini/utf8.h"
#include "locale/language.h"
#include "skins/button_labels.h"
#include "skins/skin_settings.h"

namespace kz7 {
namespace {

constexpr std::array<UiLanguage, 3> kLanguages = {UiLanguage::English, UiLanguage::SimplifiedChinese,
                                                   UiLanguage::TraditionalChinese};

const std::filesystem::path& SkinsRoot() {
    static const std::filesystem::path root = [] {
        const auto made = fuzz::ScratchFolder() / "Skins";
        std::filesystem::create_directories(made / "Crimson");
        return made;
    }();
    return root;
}

using Values = std::map<std::pair<std::string, std::string>, std::string>;  // folded section, folded key

Values EveryValue(const std::filesystem::path& path) {
    const IniFile file = IniFile::Load(path);
    Values values;
    for (const auto& section : file.SectionNames()) {
        for (const auto& [key, value] : file.Entries(section)) values[{FoldCase(section), FoldCase(key)}] = value;
    }
    return values;
}

// Whether a save of the skin choice or of labels writes this key.
bool SavedKey(const std::pair<std::string, std::string>& entry) {
    const auto& [section, key] = entry;
    if (SameProfileName(section, kSkinsSection)) {
        for (auto written : {kRedKey, kGreenKey, kBlueKey, kSkinPathKey}) {
            if (SameProfileName(key, written)) return true;
        }
    }
    for (UiLanguage language : kLanguages) {
        if (!SameProfileName(section, LabelSectionName(language))) continue;
        for (int mode = 0; mode < kLabelModes; ++mode) {
            for (int slot = 1; slot <= kWrittenLabelSlots; ++slot) {
                if (SameProfileName(key, LabelKey(mode, slot))) return true;
            }
        }
    }
    return false;
}

std::string WrittenAs(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

void CheckSkin(const SkinSettings& skin) {
    if (skin.skinName.empty()) {
        KZ7_FUZZ_REQUIRE(skin.skinFolder == SkinsRoot());
        return;
    }
    KZ7_FUZZ_REQUIRE(IsSkinName(skin.skinName));
    KZ7_FUZZ_REQUIRE(skin.skinFolder == SkinsRoot() || skin.skinFolder.parent_path() == SkinsRoot());
}

}  // namespace
}  // namespace kz7

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kz7;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto path = fuzz::ScratchFile("str.ini", bytes);
    const Values before = EveryValue(path);

    const SkinSettings skin = LoadSkinSettings(path, SkinsRoot());
    CheckSkin(skin);
    std::array<ButtonLabels, kLanguages.size()> labels;
    for (std::size_t i = 0; i < kLanguages.size(); ++i) {
        labels[i] = LoadButtonLabels(path, kLanguages[i]);
        for (const auto& mode : labels[i].text) {
            for (const auto& label : mode) KZ7_FUZZ_REQUIRE(CountCharacters(label) <= 1023);
        }
    }

    // The skins dialog's OK, then an apply in one language.
    KZ7_FUZZ_REQUIRE(SaveSkinChoice(path, skin) == 0);
    const std::size_t language = size ? data[0] % kLanguages.size() : 0;
    KZ7_FUZZ_REQUIRE(SaveButtonLabels(path, kLanguages[language], labels[language]) == 0);

    SkinSettings expectedSkin = skin;
    expectedSkin.skinName = WrittenAs(skin.skinName);
    expectedSkin.skinFolder = SkinFolderFor(SkinsRoot(), expectedSkin.skinName);
    KZ7_FUZZ_REQUIRE(LoadSkinSettings(path, SkinsRoot()) == expectedSkin);
    for (std::size_t i = 0; i < kLanguages.size(); ++i) {
        ButtonLabels expected = labels[i];
        if (i == language) {
            for (auto& mode : expected.text) {
                for (int slot = 0; slot < kWrittenLabelSlots; ++slot) mode[slot] = WrittenAs(mode[slot]);
            }
        }
        KZ7_FUZZ_REQUIRE(LoadButtonLabels(path, kLanguages[i]) == expected);
    }
    const Values after = EveryValue(path);
    for (const auto& [entry, value] : before) {
        if (SavedKey(entry)) continue;
        const auto it = after.find(entry);
        KZ7_FUZZ_REQUIRE(it != after.end() && it->second == value);
    }
    return 0;
}
