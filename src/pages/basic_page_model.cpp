#include "pages/basic_page_model.h"

#include <algorithm>

#include "config/record_labels.h"
#include "locale/strings.h"

namespace kz7 {

int DpiLevelsOffered(std::uint8_t sensorType) {
    return sensorType >= 1 && sensorType <= 3 ? kFewerDpiLevels : kMostDpiLevels;
}

std::vector<std::string_view> LedModeRows(UiLanguage language) {
    std::vector<std::string_view> rows;
    for (int row = 0; row < kLedModeRows; ++row) rows.push_back(LedModeText(row + 1, language));
    return rows;
}

std::string_view ModeName(int mode) {
    switch (mode) {
        case 0: return "Mode A";
        case 1: return "Mode B";
        default: return {};
    }
}

std::string DpiColourStageName(int stage) {
    if (stage < 0 || stage >= kDpiStages) return {};
    return "DPI Stage" + std::to_string(stage + 1);
}

BasicPageModel::BasicPageModel(ConfigModel& model, ButtonLabels& labels, UiLanguage language)
    : model_(model), labels_(labels), language_(language), buttons_(model, labels, language) {}

void BasicPageModel::SelectMode(int mode) {
    if (mode != 0 && mode != 1) return;
    Config().currentMode = static_cast<std::uint8_t>(mode);
    model_.NotifyChanged(ConfigPart::Buttons);
}

void BasicPageModel::SetReportRate(int stop) {
    if (stop < 0 || stop >= static_cast<int>(kReportRates.size())) return;
    Config().reportRate = kReportRates[static_cast<std::size_t>(stop)].intervalMs;
    model_.NotifyChanged(ConfigPart::ReportRate);
}

bool BasicPageModel::ToggleDpiStage(int stage) {
    if (stage < 0 || stage >= kDpiStages) return false;
    std::uint8_t* on = Config().dpiStageOn;
    if (on[stage] == 0) {
        on[stage] = 1;
    } else {
        // The mouse needs one stage to switch to: the record has eight stage
        // bytes, and another enabled one (even past the fourth) will do.
        const int enabled = static_cast<int>(std::count_if(on, on + std::size(Config().dpiStageOn),
                                                           [](std::uint8_t b) { return b == 1; }));
        if (on[stage] != 1 || enabled < 2) return false;
        on[stage] = 0;
    }
    model_.NotifyChanged(ConfigPart::Dpi);
    return true;
}

bool BasicPageModel::SetDpiLevel(int stage, int cell, std::uint8_t sensorType) {
    if (stage < 0 || stage >= kDpiStages || cell < 1 || cell > DpiLevelsOffered(sensorType)) return false;
    Config().dpiLevel[stage] = static_cast<std::uint8_t>(cell - 1);
    model_.NotifyChanged(ConfigPart::Dpi);
    return true;
}

void BasicPageModel::ToggleLoopColour(int colour) {
    if (colour < 0 || colour >= kLoopColours) return;
    std::uint8_t& on = Config().loopColorOn[colour];
    on = on == 1 ? 0 : 1;
    model_.NotifyChanged(ConfigPart::Lighting);
}

bool BasicPageModel::LoopColoursChoosable() const { return Config().loopColorOn[0] == 1; }

bool BasicPageModel::ChooseLoopColour(int colour, DialogRunner& dialogs) {
    if (colour < 0 || colour >= kLoopColours || !LoopColoursChoosable()) return false;
    std::uint8_t* rgb = Config().loopColor[colour];
    const std::optional<Rgb> chosen = dialogs.ChooseColour({rgb[0], rgb[1], rgb[2]});
    if (!chosen) return false;
    rgb[0] = chosen->red;
    rgb[1] = chosen->green;
    rgb[2] = chosen->blue;
    model_.NotifyChanged(ConfigPart::Lighting);
    return true;
}

void BasicPageModel::ChooseDpiColourStage(int stage) {
    if (stage >= 0 && stage < kDpiStages) dpiColourStage = stage;
}

void BasicPageModel::ToggleDpiColourLed(int toggle) {
    if (toggle < 0 || toggle >= kLedTogglesPerStage) return;
    SetLedToggle(Config(), dpiColourStage, toggle, !LedToggle(Config(), dpiColourStage, toggle));
    model_.NotifyChanged(ConfigPart::Lighting);
}

void BasicPageModel::ChooseLedMode(int row) {
    if (row < 0 || row >= kLedModeRows) return;
    Config().ledMode = static_cast<std::uint8_t>(row + 1);
    model_.NotifyChanged(ConfigPart::Lighting);
}

void BasicPageModel::ChooseLedParam(int row) {
    const std::uint8_t mode = Config().ledMode;
    if (mode < 1 || mode > 3 || row < 0 || row >= LedParamCount(mode)) return;
    Config().ledModeParam[mode - 1] = static_cast<std::uint8_t>(row);
    model_.NotifyChanged(ConfigPart::Lighting);
}

}  // namespace kz7
