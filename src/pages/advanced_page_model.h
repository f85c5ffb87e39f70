#pragma once

// The advanced settings page as plain state and rules: the three pointer
// sliders and two boxes (kept in the record, written to the desktop by
// OK / Apply or at once by "Default") and the macro area.

#include <filesystem>

#include "config/device_config.h"
#include "config/prompter.h"
#include "locale/language.h"
#include "macros/macro_area.h"
#include "macros/macro_recorder.h"
#include "pages/dialog_runner.h"
#include "pointer/pointer_settings.h"

namespace kz7 {

class AdvancedPageModel {
public:
    AdvancedPageModel(ConfigModel& model, SystemPointer& pointer, const std::filesystem::path& recordIni,
                      Prompter& prompter, UiLanguage language);

    // Each drawing of the page: the desktop's pointer settings replace the
    // record's the first time in a run, and the macro area is filled anew
    // from record.ini.
    void Shown();

    const DeviceConfig& Record() const { return model_.config; }

    // Slider 1 speed, 2 wheel lines, 3 double-click, at level 1 .. kPointerLevels.
    void SetSliderLevel(int slider, int level);
    void TogglePrecision();
    void ToggleScrollOneScreen();
    // "Default": the desktop's defaults at once, and the record's five fields.
    PointerWriteResult RestoreDefaults();

    MacroArea& Macros() { return macros_; }
    const MacroArea& Macros() const { return macros_; }

    // The macro area's line editing. The chooser's event goes in at the
    // selected line; the last one inserted is shown beside the chooser.
    void InsertMouseEvent(std::string_view event);
    const std::string& LastMouseEvent() const { return lastMouseEvent_; }
    // A double click on a pause line asks for its length; false when nothing changed.
    bool EditPause(int line, DialogRunner& dialogs);

    // Recording from the keyboard into the selected macro.
    MacroRecorder& Recorder() { return recorder_; }
    // The page is left (or rebuilt): a recording ends, the chooser's label stays.
    void Left() { recorder_.Abandon(); }

private:
    ConfigModel& model_;
    SystemPointer& pointer_;
    MacroArea macros_;
    MacroRecorder recorder_;
    std::string lastMouseEvent_;
};

}  // namespace kz7
