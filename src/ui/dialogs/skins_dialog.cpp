#include "ui/dialogs/skins_dialog.h"

#include <QLabel>

#include "locale/strings.h"
#include "ui/dialogs/dialog_parts.h"
#include "ui/layout/dialog_zones.h"
#include "ui/ui_text.h"
#include "ui/widgets/dropdown_box.h"
#include "ui/widgets/image_toggle.h"

namespace kz7::ui {

CSkinsDialog::CSkinsDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter,
                           std::filesystem::path skinsRoot, SkinSettings current, ColourChooser chooseColour)
    : SkinnedDialog(owner, skin, language, kSkinsDialog, prompter),
      model_(std::move(skinsRoot), std::move(current)),
      chooseColour_(std::move(chooseColour)) {}

void CSkinsDialog::AddControls(ControlList& controls) {
    nameLabel_ = AddChoiceStatic(this, skins_dialog::kSkin.text, Qt::AlignLeft, QString());
    ShowSkinName();
    const auto rows = [this] {
        // Read each time the list opens, so that a skin copied in meanwhile is there.
        listsDefault_ = model_.OffersDefaultSkin();
        listed_ = model_.SkinNames();
        QStringList names;
        if (listsDefault_) names << Tr(UiText::DefaultSkin, Language());
        for (const std::string& name : listed_) names << FromUtf8(name);
        return names;
    };
    skinList_ = &AddDialogDropdown(controls, this, skins_dialog::kSkin, DialogFont(),
                                   {rows, [this](int row) { ChooseSkin(row); }});
    swatch_ = &controls.Add<ColourSwatch>(
        skins_dialog::kColorSwatch,
        [this] {
            const TextColour colour = model_.Colour();
            return QColor(colour.red, colour.green, colour.blue);
        },
        [this] { ChooseColour(); });
}

void CSkinsDialog::DrawContent(DrawingPass& pass) {
    pass.DrawText(Tr(UiText::SkinTextColorPrompt, Language()), skins_dialog::kPrompt, TextFormat::WrappedCentred,
                  DialogFont(), Qt::white);
}

void CSkinsDialog::ShowSkinName() {
    // The default skin has no name of its own; it is shown as the list offers it.
    const QString name =
        model_.SkinName().empty() ? Tr(UiText::DefaultSkin, Language()) : FromUtf8(model_.SkinName());
    ShowFitted(nameLabel_, name, DialogFont());
}

void CSkinsDialog::ChooseSkin(int row) {
    if (listsDefault_ && row == 0) {
        if (model_.ChooseDefaultSkin()) ShowSkinName();
        return;
    }
    const int folder = listsDefault_ ? row - 1 : row;
    if (folder < 0 || static_cast<std::size_t>(folder) >= listed_.size()) return;
    // By the name as it was listed; a folder gone since then is not taken.
    if (model_.ChooseSkin(listed_[static_cast<std::size_t>(folder)])) ShowSkinName();
}

void CSkinsDialog::ChooseColour() {
    if (!chooseColour_) return;
    const TextColour now = model_.Colour();
    const std::optional<Rgb> chosen = chooseColour_(Rgb{now.red, now.green, now.blue});
    if (!chosen) return;
    model_.SetColour({chosen->red, chosen->green, chosen->blue});
    DrawingPass pass(Surface());
    swatch_->Draw(pass, false);
}

}  // namespace kz7::ui
