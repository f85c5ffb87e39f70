#pragma once

// The child controls the sub-dialogs build from: a static that shows a
// choice, a box that takes digits only, and the skinned drop-down that
// writes its choice into such a static. All take the dialog's colours
// (white on the control grey) from the dialog's palette.

#include <QString>
#include <QStringList>

#include <functional>

#include "ui/layout/dialog_zones.h"
#include "ui/widgets/control.h"

class QFont;
class QLabel;
class QLineEdit;
class QWidget;

namespace kz7::ui {

class DropdownBox;

// A static text on its zone. Clicks go through it to the dialog's zones below.
QLabel* AddChoiceStatic(QWidget* dialog, const HotZone& zone, Qt::Alignment alignment, const QString& text);

// Writes a choice into its static, a little smaller when it is too wide for it.
void ShowFitted(QLabel* label, const QString& text, const QFont& font);

// A frameless, centred single-line box on its zone.
QLineEdit* AddTextBox(QWidget* dialog, const HotZone& zone);
// The same, taking decimal digits only.
QLineEdit* AddNumberBox(QWidget* dialog, const HotZone& zone, const QString& text);

struct DialogDropdown {
    std::function<QStringList()> rows;
    std::function<void(int row)> choose;
    // The dialogs that hide their boxes while the list covers them.
    std::function<void(bool open)> openChanged{};
};
// The drop-down of a dialog: its click zone over the choice static, its list below.
DropdownBox& AddDialogDropdown(ControlList& controls, QWidget* dialog, const DropdownZones& zones, const QFont& font,
                               DialogDropdown behaviour);

}  // namespace kz7::ui
