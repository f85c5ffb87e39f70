#pragma once

// One setting changed from outside the window (the command line, a profile
// document), through the same page models the window's controls call, so
// every rule of the pages holds: the left-click rule, the key-off rule, the
// last enabled DPI stage, the dialogs' ranges and the labels. Each edit
// returns "" when it is done, else what was refused; a refused edit leaves
// the record and the labels as they were.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/device_config.h"
#include "locale/language.h"
#include "pages/dialog_runner.h"
#include "profile/setting_words.h"
#include "skins/button_labels.h"

namespace kz7 {

struct SettingTarget {
    ConfigModel& model;
    ButtonLabels& labels;  // the labels of `language`
    UiLanguage language = UiLanguage::English;
    std::uint8_t sensorType = 0;          // whose DPI table the levels index
    std::vector<std::string> macroNames;  // the macros a button can play, in block order
};

// "A" or "B" (any case): 0 or 1.
std::optional<int> ParseButtonMode(std::string_view text);

// Button 1..6 of button set `mode` (0 "Mode A", 1 "Mode B"; nothing: the current mode).
std::string SetButtonFunction(SettingTarget& target, std::optional<int> mode, std::string_view button,
                              const FunctionRequest& request);
// 125, 250, 500 or 1000.
std::string SetReportRateHz(SettingTarget& target, std::string_view hz);

struct DpiStageRequest {
    std::string stage;                 // 1..4
    std::optional<std::string> level;  // the slider position, 1..the sensor's levels
    std::optional<std::string> dpi;    // a label of the sensor's DPI table
    std::optional<bool> on;
};
std::string SetDpiStage(SettingTarget& target, const DpiStageRequest& request);

// A lighting list entry ("Respiration Mode") and optionally one of its
// parameters ("6S"); without a parameter the mode keeps its own.
std::string SetLighting(SettingTarget& target, std::string_view mode, const std::optional<std::string>& parameter);
// Loop colour 1..8: its colour "#rrggbb" and whether it is in the loop.
std::string SetLoopColour(SettingTarget& target, std::string_view colour, const std::optional<std::string>& rgb,
                          std::optional<bool> on);
// The LEDs that DPI stage 1..4 lights: any of "r", "g", "b" ("" for none).
std::string SetDpiLeds(SettingTarget& target, std::string_view stage, std::string_view leds);
// "A" or "B": the button set in use.
std::string SetCurrentMode(SettingTarget& target, std::string_view mode);
// "buttons" (the basic page's Default) or "pointer" (the record's five
// pointer fields, as the advanced page's Default sets them).
std::string RestoreDefaults(SettingTarget& target, std::string_view what);
// speed, wheel, double-click: the slider position 1..11; precision,
// one-screen: on or off.
std::string SetPointer(SettingTarget& target, std::string_view what, std::string_view value);

// "#12ab3f" (the "#" may be left out).
std::optional<Rgb> ParseColour(std::string_view text);

}  // namespace kz7
