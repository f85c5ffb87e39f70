#pragma once

// The basic settings page as plain state and rules: the button functions'
// modes, the report rate, the DPI stages, the lighting. Views show the record
// and call these; every command says what it changed through the config model.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/device_config.h"
#include "keys/button_function_menu.h"
#include "locale/language.h"
#include "pages/dialog_runner.h"
#include "skins/button_labels.h"

namespace kz7 {

// The page edits the functions of buttons 1 to 6 of the current mode.
inline constexpr int kBasicPageButtons = 6;
// The most DPI levels a sensor offers (type 0; types 1, 2 and 3 offer 8).
inline constexpr int kMostDpiLevels = 12;
inline constexpr int kFewerDpiLevels = 8;
// How many levels the DPI sliders offer for a sensor type.
int DpiLevelsOffered(std::uint8_t sensorType);

// The lighting mode list: row r is mode r + 1 (Standard, Respiration, Neon).
// The "Off" mode a record may hold is never offered.
inline constexpr int kLedModeRows = 3;
std::vector<std::string_view> LedModeRows(UiLanguage language);

// Texts of the page that read the same in every language: "Mode A" and
// "Mode B", and the DPI colour chooser's "DPI Stage1" .. "DPI Stage4".
std::string_view ModeName(int mode);
std::string DpiColourStageName(int stage);

class BasicPageModel {
public:
    BasicPageModel(ConfigModel& model, ButtonLabels& labels, UiLanguage language);

    // The stage whose three LED toggles are shown; each drawing of the page starts at stage 1.
    int dpiColourStage = 0;
    void Shown() {
        dpiColourStage = 0;
        buttons_.CloseFunctionList();
    }

    // "Mode A" (0) and "Mode B" (1).
    void SelectMode(int mode);
    // The report-rate stop, slowest (0) to fastest.
    void SetReportRate(int stop);
    // Flips stage k (0-based) on or off; the last enabled stage stays on.
    // False when nothing changed.
    bool ToggleDpiStage(int stage);
    // Cell 1 .. DpiLevelsOffered(sensorType) of stage k sets its level to
    // cell - 1; other cells change nothing (false).
    bool SetDpiLevel(int stage, int cell, std::uint8_t sensorType);

    void ToggleLoopColour(int colour);
    // The swatches open the colour chooser only while loop colour 1 is on.
    bool LoopColoursChoosable() const;
    // Asks for colour k starting at its present colour; false when not asked or cancelled.
    bool ChooseLoopColour(int colour, DialogRunner& dialogs);

    void ChooseDpiColourStage(int stage);
    void ToggleDpiColourLed(int toggle);

    // The lighting mode list's row 0..2 is mode 1..3.
    void ChooseLedMode(int row);
    // The parameter of the current mode; a mode other than 1..3 keeps none.
    void ChooseLedParam(int row);

    // The six buttons' function lists.
    ButtonFunctionMenu& Buttons() { return buttons_; }
    const ButtonFunctionMenu& Buttons() const { return buttons_; }

    const ButtonLabels& Labels() const { return labels_; }

    // The record the page shows.
    const DeviceConfig& Record() const { return model_.config; }

private:
    DeviceConfig& Config() { return model_.config; }
    const DeviceConfig& Config() const { return model_.config; }

    ConfigModel& model_;
    ButtonLabels& labels_;
    UiLanguage language_;
    ButtonFunctionMenu buttons_;
};

}  // namespace kz7
