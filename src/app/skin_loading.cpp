#include "app/skin_loading.h"

namespace kz7 {

void LoadSkinInto(ui::Skin& skin, const std::filesystem::path& strIni) {
    const std::filesystem::path root = ui::ApplicationSkinsRoot().toStdString();
    UseSkinSettings(skin, LoadSkinSettings(strIni, root));
}

SkinSettings SkinSettingsOf(const ui::Skin& skin) {
    const QColor colour = skin.TextColor();
    return {skin.Name(), std::filesystem::path(skin.Folder().toStdString()),
            {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
             static_cast<std::uint8_t>(colour.blue())}};
}

void UseSkinSettings(ui::Skin& skin, const SkinSettings& settings) {
    const TextColour colour = settings.textColour;
    skin.SetTextColor(QColor(colour.red, colour.green, colour.blue));
    skin.SetName(settings.skinName);
    const QString folder = QString::fromStdString(settings.skinFolder.string());
    // Changing the folder empties the image cache; keep it when nothing changed.
    if (folder != skin.Folder()) skin.SetFolder(folder);
}

}  // namespace kz7
