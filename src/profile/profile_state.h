#pragma once

// Everything a profile holds, read from and written to a data folder as a
// whole: the record, the button labels of the three languages, the macros
// of record.ini and the skin choice of str.ini.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "config/config_file.h"
#include "config/device_config.h"
#include "locale/language.h"
#include "macros/macro_blocks.h"
#include "skins/button_labels.h"
#include "skins/skin_settings.h"

namespace kz7 {

inline constexpr std::array<UiLanguage, 3> kProfileLanguages{UiLanguage::English, UiLanguage::SimplifiedChinese,
                                                             UiLanguage::TraditionalChinese};

struct ProfileMacro {
    std::string name;
    std::vector<std::string> lines;
    unsigned loops = 0;  // the loop count its block holds; macros past the twelfth have no block
    bool operator==(const ProfileMacro&) const = default;
};

struct ProfileState {
    DeviceConfig config = ZeroConfig();
    std::array<ButtonLabels, kProfileLanguages.size()> labels{};  // in kProfileLanguages order
    std::vector<ProfileMacro> macros;                             // record.ini's sections, in block order
    SkinSettings skin;                                            // the name and text colour only
};

// The data folder's files as a profile: config.bin must be a complete
// image; a missing record.ini or str.ini reads as empty.
std::optional<ProfileState> ReadProfileState(const DataPaths& paths, std::string& problem);

// The macros of a record.ini document with their blocks' loop counts.
std::vector<ProfileMacro> ReadProfileMacros(const IniFile& recordIni, const DeviceConfig& config);

// The record with its macro blocks rebuilt from `macros` and their loop
// counts set; the macros that did not fit their block whole go to `cut`.
void RebuildProfileBlocks(ProfileState& state, std::vector<MacroCut>* cut);

// Writes config.bin (saved: first-run flag 1), record.ini and str.ini (the
// labels and the skin choice; every other line of str.ini is kept). Each
// file is replaced atomically; when one cannot be written the ones already
// written get their old content back, so the folder holds either the old
// or the new profile. "" when done, else what failed.
// The window keeps the record until OK or Apply: it writes only the files beside it.
enum class ProfileFiles { All, BesideTheRecord };
std::string WriteProfileState(const DataPaths& paths, const ProfileState& state, ProfileFiles files = ProfileFiles::All);

}  // namespace kz7
