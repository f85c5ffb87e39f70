#include "ui/dialogs/dialog_parts.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "ui/dialogs/skinned_dialog.h"
#include "ui/skin_toolkit.h"
#include "ui/widgets/dropdown_box.h"

namespace kz7::ui {

QLabel* AddChoiceStatic(QWidget* dialog, const HotZone& zone, Qt::Alignment alignment, const QString& text) {
    auto* label = new QLabel(dialog);
    label->setGeometry(ToRect(zone));
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setAutoFillBackground(true);  // the dialog's palette: white on the control grey
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setText(text);
    label->show();
    return label;
}

void ShowFitted(QLabel* label, const QString& text, const QFont& font) {
    label->setFont(FitToWidth(font, text, label->contentsRect().width()));
    label->setText(text);
}

QLineEdit* AddTextBox(QWidget* dialog, const HotZone& zone) {
    auto* box = new QLineEdit(dialog);
    box->setGeometry(ToRect(zone));
    box->setFrame(false);
    box->setTextMargins(0, 0, 0, 0);
    box->setContentsMargins(0, 0, 0, 0);
    box->setAlignment(Qt::AlignCenter);
    box->show();
    return box;
}

QLineEdit* AddNumberBox(QWidget* dialog, const HotZone& zone, const QString& text) {
    QLineEdit* box = AddTextBox(dialog, zone);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    box->setText(text);
    return box;
}

DropdownBox& AddDialogDropdown(ControlList& controls, QWidget* dialog, const DropdownZones& zones, const QFont& font,
                               DialogDropdown behaviour) {
    // The choice itself is the static's to show; the drop-down only owns the click and the list.
    const DropdownBox::Look look{{}, zones.text, TextFormat::Centered, Qt::white,
                                 QColor::fromRgb(kDialogControlBackground)};
    DropdownBox::Behaviour dropdown;
    dropdown.rows = std::move(behaviour.rows);
    dropdown.choose = std::move(behaviour.choose);
    dropdown.openChanged = std::move(behaviour.openChanged);
    auto& box = controls.Add<DropdownBox>(dialog, zones.click, zones.list, look, std::move(dropdown));
    box.SetListFont(font);
    return box;
}

}  // namespace kz7::ui
