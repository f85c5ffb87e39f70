#include "ui/dialogs/qt_dialog_runner.h"

#include <QColorDialog>

namespace kz7::ui {

std::optional<Rgb> QtDialogRunner::ChooseColour(Rgb initial) {
    const QColor chosen = QColorDialog::getColor(QColor(initial.red, initial.green, initial.blue), context_.owner);
    if (!chosen.isValid()) return std::nullopt;
    return Rgb{static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
               static_cast<std::uint8_t>(chosen.blue())};
}

}  // namespace kz7::ui
