#include "ui/dialogs/qt_dialog_runner.h"

#include <QColorDialog>

#include "ui/dialogs/combo_key_dialog.h"
#include "ui/dialogs/single_key_dialog.h"

namespace kz7::ui {

std::optional<Rgb> QtDialogRunner::ChooseColour(Rgb initial) {
    const QColor chosen = QColorDialog::getColor(QColor(initial.red, initial.green, initial.blue), context_.owner);
    if (!chosen.isValid()) return std::nullopt;
    return Rgb{static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
               static_cast<std::uint8_t>(chosen.blue())};
}

namespace {

// Runs a dialog built from the context modally; its choice on OK, nothing on
// Cancel, and nothing when the context lacks what every dialog needs.
template <typename Dialog, typename Choice>
std::optional<Choice> RunKeyDialog(const DialogContext& context) {
    if (context.skin == nullptr || context.prompter == nullptr) return std::nullopt;
    Dialog dialog(context.owner, *context.skin, context.language, *context.prompter, context.keyNames);
    if (dialog.Run() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
}

}  // namespace

std::optional<SingleKeyChoice> QtDialogRunner::RunSingleKey() {
    return RunKeyDialog<CSingleDialog, SingleKeyChoice>(context_);
}

std::optional<ComboKeyChoice> QtDialogRunner::RunComboKey() {
    return RunKeyDialog<CComboDialog, ComboKeyChoice>(context_);
}

}  // namespace kz7::ui
