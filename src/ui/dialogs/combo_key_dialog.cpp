#include "ui/dialogs/combo_key_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "keys/key_codes.h"
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
    auto* modifier = new QLabel(this);
    modifier->setGeometry(ToRect(combo_key::kModifier.text));
    modifier->setAlignment(Qt::AlignCenter);
    modifier->setAutoFillBackground(true);
    // Clicks on the choice belong to the drop-down's zone under it.
    modifier->setAttribute(Qt::WA_TransparentForMouseEvents);
    modifier->setText(FromUtf8(modifierName_));
    modifier->show();
    modifierStatic_ = modifier;

    for (std::size_t i = 0; i < keyBoxes_.size(); ++i) {
        auto* box = new QLineEdit(this);
        box->setGeometry(ToRect(kKeyBoxZones[i]));
        box->setFrame(false);
        box->setTextMargins(0, 0, 0, 0);
        box->setContentsMargins(0, 0, 0, 0);
        box->setAlignment(Qt::AlignCenter);
        box->setContextMenuPolicy(Qt::NoContextMenu);
        // Whatever the box takes in by itself (typing, pasting, dropping)
        // gives way to the captured name at once.
        connect(box, &QLineEdit::textEdited, box, [this, i] { ShowKeyName(i); });
        box->show();
        keyBoxes_[i] = box;
        ShowKeyName(i);
    }

    const DropdownBox::Look look{{},
                                 combo_key::kModifier.text,
                                 TextFormat::Centered,
                                 Qt::white,
                                 QColor::fromRgb(kDialogControlBackground)};
    DropdownBox::Behaviour behaviour;
    behaviour.rows = ModifierRows;
    behaviour.choose = [this](int row) { ChooseModifier(row); };
    behaviour.openChanged = [this](bool open) { ListOpened(open); };
    modifierList_ = &controls.Add<DropdownBox>(this, combo_key::kModifier.click, combo_key::kModifier.list, look,
                                               std::move(behaviour));
    modifierList_->SetListFont(DialogFont());
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
