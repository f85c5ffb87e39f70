#include "session/apply_session.h"

#include <cstring>

#include "device/command_set.h"

namespace kz7 {

std::string LabelsNotSavedMessage(const std::filesystem::path& strIni, int error) {
    return "The button labels could not be saved to " + strIni.string() + ": " + std::strerror(error) +
           " (error " + std::to_string(error) + ").";
}

int ApplySession::SaveLabels() {
    const int error = SaveButtonLabels(parts_.paths.settings, parts_.language, parts_.labels);
    if (error != 0) parts_.prompter.ShowMessage(LabelsNotSavedMessage(parts_.paths.settings, error), kWarningCaption);
    return error;
}

int ApplySession::FirstDeviceRead() {
    parts_.link.StatusExchange();
    if (parts_.model.firstRunFlag != 0) return 0;
    // A record that was never saved holds the default buttons, so the boxes
    // show the default labels from the start.
    SetDefaultLabels(parts_.labels, parts_.language);
    return SaveLabels();
}

ApplyOutcome ApplySession::Apply() {
    ApplyOutcome outcome;
    ConfigModel& model = parts_.model;
    outcome.mouseWritten =
        WriteConfigToMouse(parts_.link.Channel(), parts_.link.Images(), model.config) != MouseWrite::Stopped;
    if (!outcome.mouseWritten) parts_.prompter.ShowMessage(kMouseStoppedMessage, kWarningCaption);
    outcome.configSaved = SaveConfig(parts_.paths.config, model, parts_.prompter);
    outcome.labelsError = SaveLabels();
    if (outcome.configSaved) model.Snapshot();
    outcome.pointer = parts_.pointer.ApplyToSystem(model.config);
    return outcome;
}

}  // namespace kz7
