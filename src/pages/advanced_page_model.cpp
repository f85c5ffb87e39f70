#include "pages/advanced_page_model.h"

#include "macros/macro_line_editing.h"

namespace kz7 {

AdvancedPageModel::AdvancedPageModel(ConfigModel& model, SystemPointer& pointer,
                                     const std::filesystem::path& recordIni, Prompter& prompter,
                                     UiLanguage language)
    : model_(model),
      pointer_(pointer),
      macros_(recordIni, model.config, prompter, language),
      recorder_(macros_, prompter, language) {}

void AdvancedPageModel::Shown() {
    if (pointer_.ReadFromSystem(model_.config)) model_.NotifyChanged(ConfigPart::Pointer);
    macros_.Load();
}

void AdvancedPageModel::SetSliderLevel(int slider, int level) {
    const DeviceConfig before = model_.config;
    SetPointerSliderLevel(model_.config, slider, level);
    if (!SameBytes(before, model_.config)) model_.NotifyChanged(ConfigPart::Pointer);
}

void AdvancedPageModel::TogglePrecision() {
    TogglePointerPrecision(model_.config);
    model_.NotifyChanged(ConfigPart::Pointer);
}

void AdvancedPageModel::ToggleScrollOneScreen() {
    kz7::ToggleScrollOneScreen(model_.config);
    model_.NotifyChanged(ConfigPart::Pointer);
}

PointerWriteResult AdvancedPageModel::RestoreDefaults() {
    const PointerWriteResult result = pointer_.RestoreDefaults(model_.config);
    model_.NotifyChanged(ConfigPart::Pointer);
    return result;
}

void AdvancedPageModel::InsertMouseEvent(std::string_view event) {
    const int select =
        kz7::InsertMouseEvent(macros_.lineList, macros_.selectedLine, macros_.selectedMacro >= 0, event);
    if (select >= 0) macros_.selectedLine = select;
    lastMouseEvent_ = std::string(event);
}

bool AdvancedPageModel::EditPause(int line, DialogRunner& dialogs) {
    auto& lines = macros_.lineList;
    if (line < 0 || line >= static_cast<int>(lines.size())) return false;
    if (!IsPauseLine(lines[static_cast<std::size_t>(line)])) return false;
    const std::optional<DelayChoice> delay = dialogs.RunDelayTime();
    if (!delay) return false;
    lines[static_cast<std::size_t>(line)] = PauseLineFor(delay->value, delay->text);
    macros_.selectedLine = line;
    return true;
}

}  // namespace kz7
