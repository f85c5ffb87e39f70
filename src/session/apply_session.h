#pragma once

// What both front ends do with a connected mouse: its first read, and OK /
// Apply (kz7ctl apply is the same apply).

#include <string>

#include "config/config_file.h"
#include "config/device_config.h"
#include "config/prompter.h"
#include "device/device_link.h"
#include "locale/language.h"
#include "pointer/pointer_settings.h"
#include "skins/button_labels.h"

namespace kz7 {

struct ApplyOutcome {
    // False when the mouse stopped answering before it had the whole record.
    bool mouseWritten = false;
    bool configSaved = false;
    int labelsError = 0;  // errno of the label save; 0 when the labels were saved
    PointerWriteResult pointer;
    bool Ok() const { return mouseWritten && configSaved && labelsError == 0 && pointer.Ok(); }
};

// "The button labels could not be saved to PATH: REASON (error N)."
std::string LabelsNotSavedMessage(const std::filesystem::path& strIni, int error);

inline constexpr std::string_view kMouseStoppedMessage =
    "The mouse stopped answering during the apply, so not every setting reached it. Apply again once it "
    "answers (unplug it and plug it in again if it does not).";

// The mouse, the record, the labels and the desktop's pointer settings as one
// apply moves them. Every failure is reported through the prompter as it
// happens, and the outcome tells the caller what failed.
class ApplySession {
public:
    struct Parts {
        DeviceLink& link;
        ConfigModel& model;
        DataPaths paths;
        UiLanguage language = UiLanguage::English;
        ButtonLabels& labels;  // the labels of `language`, as the window shows them
        SystemPointer& pointer;
        Prompter& prompter;
    };
    explicit ApplySession(Parts parts) : parts_(std::move(parts)) {}

    // The first read of a connected mouse: the status exchange (which picks
    // the sensor's DPI table), and while the record has never been saved
    // (first-run flag 0) the default labels of both modes, saved at once.
    // Returns the label save's errno, 0 when nothing failed.
    int FirstDeviceRead();

    // OK and Apply: the whole record to the mouse, config.bin (first-run flag
    // 1), the labels to str.ini, then the pointer settings to the desktop.
    // A mouse that stops answering is told (kMouseStoppedMessage) and the
    // saves go on. Only a saved record becomes the one Cancel returns to;
    // after a failed save appliedConfig keeps the last saved state. Without
    // an open mouse nothing is sent, and nothing is said about it.
    ApplyOutcome Apply();

private:
    int SaveLabels();

    Parts parts_;
};

}  // namespace kz7
