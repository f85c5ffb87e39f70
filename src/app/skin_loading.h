#pragma once

#include <filesystem>

#include "skins/skin_settings.h"
#include "ui/skin_toolkit.h"

namespace kz7 {

// Points the skin at the skin chosen in str.ini and takes its UI text colour.
void LoadSkinInto(ui::Skin& skin, const std::filesystem::path& strIni);

// The skin in use as the skins dialog starts from it.
SkinSettings SkinSettingsOf(const ui::Skin& skin);
// Makes a skin choice the one in use: name, folder and text colour. The
// images of the old skin are dropped only when the folder changes.
void UseSkinSettings(ui::Skin& skin, const SkinSettings& settings);

}  // namespace kz7
