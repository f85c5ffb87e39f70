#pragma once

// "Skins": a skin folder of the skins root picked from a skinned drop-down
// (or, first in the list, the default skin whose images lie in the root
// itself), and the colour of the texts on the skinned windows, picked with the
// desktop's colour chooser from a click on the swatch. OK hands back the
// whole choice; the caller makes it the skin in use. Without the background
// only OK, Cancel and close work, and OK hands back the skin in use.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "pages/dialog_runner.h"
#include "skins/skins_dialog_model.h"
#include "ui/dialogs/skinned_dialog.h"

class QLabel;

namespace kz7::ui {

class ColourSwatch;
class DropdownBox;

inline constexpr DialogLook kSkinsDialog{skin_image::kSkinsDialog, "Skins Dialog Load background image failed!!!"};

class CSkinsDialog : public SkinnedDialog {
    Q_OBJECT
public:
    // Opens the colour chooser at a colour; nothing when it is cancelled.
    using ColourChooser = std::function<std::optional<Rgb>(Rgb initial)>;

    CSkinsDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter,
                 std::filesystem::path skinsRoot, SkinSettings current, ColourChooser chooseColour);

    SkinSettings Choice() const { return model_.Result(); }

    // The parts, for tests (null in the reduced form).
    const QLabel* NameLabel() const { return nameLabel_; }
    const DropdownBox* SkinList() const { return skinList_; }

protected:
    void AddControls(ControlList& controls) override;
    void DrawContent(DrawingPass& pass) override;

private:
    void ShowSkinName();
    void ChooseSkin(int row);
    void ChooseColour();

    SkinsDialogModel model_;
    ColourChooser chooseColour_;
    // The rows as the list shows them, read when it opened: the default
    // skin first when the root holds one, then the folders by name.
    bool listsDefault_ = false;
    std::vector<std::string> listed_;
    QLabel* nameLabel_ = nullptr;
    DropdownBox* skinList_ = nullptr;
    ColourSwatch* swatch_ = nullptr;
};

}  // namespace kz7::ui
