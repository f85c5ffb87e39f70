#include "ui/dialogs/media_key_dialog.h"

#include <QLabel>

#include "ui/dialogs/dialog_parts.h"
#include "ui/ui_text.h"
#include "ui/widgets/dropdown_box.h"

namespace kz7::ui {

CListKeyDialog::CListKeyDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter,
                               DialogLook look, const DropdownZones& zones, std::span<const UiText> rows)
    : SkinnedDialog(owner, skin, language, look, prompter), zones_(zones), rows_(rows) {}

void CListKeyDialog::AddControls(ControlList& controls) {
    if (!rows_.empty()) choice_.text = Text(rows_[0], Language());
    choiceStatic_ = AddChoiceStatic(this, zones_.text, Qt::AlignLeft, QString());
    ShowFitted(choiceStatic_, FromUtf8(choice_.text), DialogFont());
    const auto rows = [this] {
        QStringList texts;
        for (UiText row : rows_) texts << Tr(row, Language());
        return texts;
    };
    choiceList_ = &AddDialogDropdown(controls, this, zones_, DialogFont(), {rows, [this](int row) { Choose(row); }});
}

void CListKeyDialog::Choose(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
    choice_ = {row, std::string(Text(rows_[static_cast<std::size_t>(row)], Language()))};
    ShowFitted(choiceStatic_, FromUtf8(choice_.text), DialogFont());
}

CMediaDialog::CMediaDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter)
    : CListKeyDialog(owner, skin, language, prompter, kMediaKeyDialog, media_key::kMedia, MediaKeyTexts()) {}

CWindowsDialog::CWindowsDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter)
    : CListKeyDialog(owner, skin, language, prompter, kLaunchKeyDialog, media_key::kLaunch, LaunchTargetTexts()) {}

}  // namespace kz7::ui
