#include "ui/dialogs/combo_key_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "keys/key_codes.h"
#include "ui/dialogs/dialog_parts.h"
#include "ui/skin_toolkit.h"
#include "ui/layout/dialog_zones.h"
#include "ui/ui_text.h"
#include "ui/widgets/dropdown_box.h"

namespace kz7::ui {

namespace {

constexpr std::array<HotZone, 2> kKeyBoxZones{combo_key::kKeyBox1, combo_key::kKeyBox2};

QStringList ModifierRows() {
    QStringList rows;
    for (const NamedCode& modifier : ModifierTable()) rows << FromUtf8(modifier.name);
    return rows;
}

}  // namespace

CComboDialog::CComboDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter,
                           const KeyNameService* keyNames)
    : SkinnedDialog(owner, skin, language, kComboKeyDialog, prompter), keyNameService_(keyNames) {}

void CComboDialog::AddControls(ControlList& controls) {
    modifierStatic_ = AddChoiceStatic(this, combo_key::kModifier.text, Qt::AlignHCenter, FromUtf8(modifierName_));
    for (std::size_t i = 0; i < keyBoxes_.size(); ++i) {
        QLineEdit* box = AddTextBox(this, kKeyBoxZones[i]);
        box->setContextMenuPolicy(Qt::NoContextMenu);
        // Whatever the box takes in by itself (typing, pasting, dropping)
        // gives way to the captured name at once.
        connect(box, &QLineEdit::textEdited, box, [this, i] { ShowKeyName(i); });
        keyBoxes_[i] = box;
        ShowKeyName(i);
    }
    modifierList_ = &AddDialogDropdown(controls, this, combo_key::kModifier, DialogFont(),
                                       {ModifierRows, [this](int row) { ChooseModifier(row); },
                                        [this](bool open) { ListOpened(open); }});
}

void CComboDialog::ListOpened(bool open) {
    if (open) {
        // The list covers both boxes; the keyboard leaves them first, so
        // that hiding one does not hand the focus to the other.
        setFocus(Qt::OtherFocusReason);
    }
    for (QLineEdit* box : keyBoxes_) {
        if (box) box->setVisible(!open);
    }
}

void CComboDialog::ChooseModifier(int row) {
    const auto modifiers = ModifierTable();
    if (row < 0 || static_cast<std::size_t>(row) >= modifiers.size()) return;
    modifierName_ = std::string(modifiers[static_cast<std::size_t>(row)].name);
    if (modifierStatic_) modifierStatic_->setText(FromUtf8(modifierName_));
}

void CComboDialog::ShowKeyName(std::size_t index) {
    QLineEdit* box = keyBoxes_[index];
    const QString text = FromUtf8(keyNames_[index]);
    // The edit keeps a small margin of its own either side of the text.
    constexpr int kEditMargins = 4;
    box->setFont(FitToWidth(DialogFont(), text, box->contentsRect().width() - kEditMargins));
    box->setText(text);
}

void CComboDialog::KeyRead(const QKeyEvent& event) {
    const QWidget* focus = QApplication::focusWidget();
    for (std::size_t i = 0; i < keyBoxes_.size(); ++i) {
        QLineEdit* box = keyBoxes_[i];
        if (box == nullptr || focus != box) continue;
        keyNames_[i] = keyNameService_->NameOf(event.nativeScanCode());
        ShowKeyName(i);
        return;
    }
}

}  // namespace kz7::ui
