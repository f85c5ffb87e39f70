#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "ini/ini_file.h"

namespace kz7 {

// Colour of the texts drawn on the skinned windows.
struct TextColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const TextColour&) const = default;
};

// The colour the main window starts with, before str.ini is read.
inline constexpr TextColour kInitialTextColour{0, 255, 0};

// The colour as one number, red in the lowest byte: R + G × 256 + B × 65536.
constexpr std::uint32_t ColourValue(TextColour colour) {
    return static_cast<std::uint32_t>(colour.red) | static_cast<std::uint32_t>(colour.green) << 8 |
           static_cast<std::uint32_t>(colour.blue) << 16;
}

// The skin the windows are drawn from, and the text colour.
struct SkinSettings {
    std::string skinName;             // subfolder of the skins root; empty for the default skin
    std::filesystem::path skinFolder; // where every image is loaded from
    TextColour textColour = kInitialTextColour;
    bool operator==(const SkinSettings&) const = default;
};

// The str.ini section and keys of the skin choice.
inline constexpr std::string_view kSkinsSection = "Skins";
inline constexpr std::string_view kRedKey = "RColor";
inline constexpr std::string_view kGreenKey = "GColor";
inline constexpr std::string_view kBlueKey = "BColor";
inline constexpr std::string_view kSkinPathKey = "Path";

// The folder that holds the skins: <executable folder>/Skins when it exists
// (build tree, portable use), else <executable folder>/../share/kz7/Skins.
std::filesystem::path ChooseSkinsRoot(const std::filesystem::path& executableDir);

// A skin name names one subfolder of the root. Names that would leave the
// root or name something else (empty, ".", "..", anything with a slash or
// backslash, or a NUL) are not skin names.
bool IsSkinName(std::string_view name);

// The folder a skin's images come from: the root itself for the default skin
// (empty name) and for names that are not skin names; the subfolder
// otherwise. A subfolder that no longer exists gives the default skin, so
// the windows keep their images.
std::filesystem::path SkinFolderFor(const std::filesystem::path& skinsRoot, std::string_view skinName);

// Reads the skin choice from str.ini. Missing file, section or keys read as
// empty: the default skin and black text. Each colour component keeps the
// lowest byte of its decimal value. A Path that is not a skin name reads as
// empty; a skin whose folder is gone keeps its name but draws the default.
SkinSettings LoadSkinSettings(const std::filesystem::path& strIni, const std::filesystem::path& skinsRoot);

// Writes RColor, GColor, BColor (decimal) and Path (the skin name, never a
// full path) into the Skins section; everything else is kept. Atomic.
// Returns 0 or the errno of the failure.
int SaveSkinChoice(const std::filesystem::path& strIni, const SkinSettings& settings);
// The same keys written into a document in memory.
void PutSkinChoice(IniFile& strIni, const SkinSettings& settings);

}  // namespace kz7
