#include "macros/macro_key_dialog.h"

#include "config/device_config.h"
#include "macros/macro_store.h"

namespace kz7 {

std::vector<std::string> MacroKeyDialogModel::BindableNames(const MacroStore& store) {
    if (!store.Exists()) return {};
    std::vector<std::string> names = store.Names();
    if (names.size() > static_cast<std::size_t>(kMacroCount)) names.resize(kMacroCount);
    return names;
}

void MacroKeyDialogModel::ChooseMacro(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= names_.size()) return;
    chosenRow_ = row;
    chosenName_ = names_[static_cast<std::size_t>(row)];
}

void MacroKeyDialogModel::ChooseRepeatMode(int mode) {
    if (mode >= 1 && mode <= kMacroRepeatModes) repeatMode_ = mode;
}

}  // namespace kz7
