#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "config/device_config.h"
#include "ini/ini_file.h"
#include "locale/language.h"

namespace kz7 {

// A label for every slot of both button sets.
inline constexpr int kLabelModes = kButtonModes;
inline constexpr int kLabelSlots = kButtonSlots;
// Slots 10 to 12 are read but never written back.
inline constexpr int kWrittenLabelSlots = 9;

// The label shown in each button slot's drop-down box: text[mode][slot - 1].
// Labels live in str.ini, not in the configuration record.
struct ButtonLabels {
    std::array<std::array<std::string, kLabelSlots>, kLabelModes> text;
    bool operator==(const ButtonLabels&) const = default;
};

// The str.ini section that holds one language's labels:
// "Setting-EN", "Setting-CHS", "Setting-CHT".
std::string_view LabelSectionName(UiLanguage language);

// The key of a slot's label: mode 0 "Item1".."Item12"; mode 1 "Item13",
// "Item23", ..., "Item123" (the slot number followed by the digit 3).
std::string LabelKey(int mode, int slot);

// Reads the 24 labels of a language. Missing file, section or key read as
// "". Values are cut at 1023 characters, as the original buffers did.
ButtonLabels LoadButtonLabels(const std::filesystem::path& strIni, UiLanguage language);

// Writes the labels of slots 1 to 9 of both modes into the language's
// section ("Item1".."Item9", "Item13".."Item93"); everything else in the file
// is kept. The file is replaced atomically and created when missing.
// Returns 0 or the errno of the failure.
int SaveButtonLabels(const std::filesystem::path& strIni, UiLanguage language,
                     const ButtonLabels& labels);
// The same keys written into a document in memory.
void PutButtonLabels(IniFile& strIni, UiLanguage language, const ButtonLabels& labels);

// "DPI Loop", the same in every language.
inline constexpr std::string_view kDpiLoopLabel = "DPI Loop";

// The labels of a fresh configuration and of the basic page's "Default":
// slots 1 to 9 of both modes become "Left Click", "Right Click", "Mid Click",
// "Forward", "Backward", "DPI Loop", "Key Off", "Key Off", "Key Off" in the
// language; slots 10 to 12 are left as they are.
void SetDefaultLabels(ButtonLabels& labels, UiLanguage language);

}  // namespace kz7
