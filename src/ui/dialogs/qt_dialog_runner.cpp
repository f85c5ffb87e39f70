#include "ui/dialogs/qt_dialog_runner.h"

#include <QColorDialog>

#include <utility>

#include "macros/macro_store.h"
#include "ui/dialogs/combo_key_dialog.h"
#include "ui/dialogs/delay_time_dialog.h"
#include "ui/dialogs/fire_key_dialog.h"
#include "ui/dialogs/macro_key_dialog.h"
#include "ui/dialogs/media_key_dialog.h"
#include "ui/dialogs/single_key_dialog.h"

namespace kz7::ui {

std::optional<Rgb> QtDialogRunner::ChooseColour(Rgb initial) {
    const QColor chosen = QColorDialog::getColor(QColor(initial.red, initial.green, initial.blue), context_.owner);
    if (!chosen.isValid()) return std::nullopt;
    return Rgb{static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
               static_cast<std::uint8_t>(chosen.blue())};
}

namespace {

// Runs a dialog modally; its choice on OK, nothing on Cancel, and nothing
// when the context lacks what every dialog needs.
template <typename Dialog, typename... Extra>
auto RunDialog(const DialogContext& context, Extra&&... extra) -> std::optional<decltype(std::declval<Dialog>().Choice())> {
    if (context.skin == nullptr || context.prompter == nullptr) return std::nullopt;
    Dialog dialog(context.owner, *context.skin, context.language, *context.prompter, std::forward<Extra>(extra)...);
    if (dialog.Run() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
}

}  // namespace

std::optional<SingleKeyChoice> QtDialogRunner::RunSingleKey() {
    return RunDialog<CSingleDialog>(context_, context_.keyNames);
}

std::optional<ComboKeyChoice> QtDialogRunner::RunComboKey() {
    return RunDialog<CComboDialog>(context_, context_.keyNames);
}

std::optional<FireKeyChoice> QtDialogRunner::RunFireKey() { return RunDialog<CFireKeyDialog>(context_); }

std::optional<ListChoice> QtDialogRunner::RunMediaKey() { return RunDialog<CMediaDialog>(context_); }

std::optional<ListChoice> QtDialogRunner::RunLaunchKey() { return RunDialog<CWindowsDialog>(context_); }

std::optional<MacroKeyChoice> QtDialogRunner::RunMacroKey() {
    // Read when the dialog opens, so that macros saved a moment ago are there.
    return RunDialog<CMacroDialog>(context_, MacroKeyDialogModel::BindableNames(MacroStore(context_.recordIni)));
}

std::optional<DelayChoice> QtDialogRunner::RunDelayTime() { return RunDialog<CDelayTimeDialog>(context_); }

}  // namespace kz7::ui
