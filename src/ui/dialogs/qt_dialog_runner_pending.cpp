#include "ui/dialogs/qt_dialog_runner.h"

// The delay time and skins dialogs are not in the window yet: each answers Cancel.

namespace kz7::ui {

std::optional<DelayChoice> QtDialogRunner::RunDelayTime() { return std::nullopt; }

std::optional<SkinSettings> QtDialogRunner::RunSkins(const SkinSettings&) { return std::nullopt; }

}  // namespace kz7::ui
