#include "app/skin_loading.h"

#include "skins/skin_settings.h"

namespace kz7 {

void LoadSkinInto(ui::Skin& skin, const std::filesystem::path& strIni) {
    const std::filesystem::path root = ui::ApplicationSkinsRoot().toStdString();
    const SkinSettings settings = LoadSkinSettings(strIni, root);
    const TextColour colour = settings.textColour;
    skin.SetTextColor(QColor(colour.red, colour.green, colour.blue));
    const QString folder = QString::fromStdString(settings.skinFolder.string());
    // Changing the folder empties the image cache; keep it when nothing changed.
    if (folder != skin.Folder()) skin.SetFolder(folder);
}

}  // namespace kz7
