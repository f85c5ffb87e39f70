#include "ui/dialogs/qt_dialog_runner.h"

// The skins dialog is not in the window yet: it answers Cancel.

namespace kz7::ui {

std::optional<SkinSettings> QtDialogRunner::RunSkins(const SkinSettings&) { return std::nullopt; }

}  // namespace kz7::ui
