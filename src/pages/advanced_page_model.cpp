#include "pages/advanced_page_model.h"

namespace kz7 {

AdvancedPageModel::AdvancedPageModel(ConfigModel& model, SystemPointer& pointer,
                                     const std::filesystem::path& recordIni, Prompter& prompter,
                                     UiLanguage language)
    : model_(model), pointer_(pointer), macros_(recordIni, model.config, prompter, language) {}

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

}  // namespace kz7
