#pragma once

#include <filesystem>

#include "ui/skin_toolkit.h"

namespace kz7 {

// Points the skin at the skin chosen in str.ini and takes its UI text colour.
void LoadSkinInto(ui::Skin& skin, const std::filesystem::path& strIni);

}  // namespace kz7
