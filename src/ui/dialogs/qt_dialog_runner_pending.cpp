#include "ui/dialogs/qt_dialog_runner.h"

// The delay time dialog is not in the window yet: it answers Cancel.

namespace kz7::ui {

std::optional<DelayChoice> QtDialogRunner::RunDelayTime() { return std::nullopt; }

}  // namespace kz7::ui
