#include "macros/macro_recorder.h"

#include "locale/strings.h"
#include "macros/macro_area.h"
#include "macros/macro_line_editing.h"

namespace kz7 {

namespace {

bool IsCtrl(std::string_view name) { return name == "Ctrl" || name == "Right Ctrl"; }
// Pause/Break: with Ctrl it is Break.
bool IsBreak(std::string_view name) { return name == "Pause"; }

}  // namespace

bool MacroRecorder::Start() {
    if (area_.macroList.empty()) {
        prompter_.ShowMessage(Text(UiText::MacroNameBlank, language_), kWarningCaption);
        return false;
    }
    prompter_.ShowMessage(Text(UiText::StartRecording, language_), "");
    area_.lineList.clear();
    area_.selectedLine = -1;
    recording_ = true;
    everStarted_ = true;
    firstEvent_ = true;
    heldCtrl_.reset();
    return true;
}

void MacroRecorder::Stop() {
    prompter_.ShowMessage(Text(UiText::StopRecording, language_), "");
    if (!everStarted_) {
        prompter_.ShowMessage(Text(UiText::NotRecordingMessage, language_), kWarningCaption);
        return;
    }
    recording_ = false;
}

void MacroRecorder::Append(std::string line) {
    area_.lineList.push_back(std::move(line));
    area_.selectedLine = static_cast<int>(area_.lineList.size()) - 1;
}

bool MacroRecorder::Key(const RecordedKey& key) {
    if (!recording_) return false;
    if (key.pressed && heldCtrl_ && IsBreak(key.name)) {
        EndWithBreak();
        return true;
    }
    // Without a macro to record into, keys are dropped.
    if (area_.selectedMacro < 0) return false;
    const std::string name(key.name);
    if (!key.pressed) {
        Append(std::string(kDefaultPauseLine));
        Append(name + "   Up");
        if (heldCtrl_ && *heldCtrl_ == name) heldCtrl_.reset();
        return false;
    }
    if (key.autoRepeat && name == lastKeyDown_) return false;
    const std::size_t before = area_.lineList.size();
    if (!firstEvent_) Append(std::string(kDefaultPauseLine));
    Append(name + "   Dn");
    firstEvent_ = false;
    lastKeyDown_ = name;
    if (IsCtrl(name)) {
        heldCtrl_ = name;
        heldCtrlFirstLine_ = before;
        heldCtrlEndLine_ = area_.lineList.size();
    }
    return false;
}

void MacroRecorder::EndWithBreak() {
    recording_ = false;
    auto& lines = area_.lineList;
    if (lines.size() == heldCtrlEndLine_) {
        // Ctrl went down only to stop: its press (and the pause before it) goes.
        lines.resize(heldCtrlFirstLine_);
    } else {
        // Ctrl belongs to keys recorded with it: let it go at the end.
        lines.emplace_back(kDefaultPauseLine);
        lines.push_back(*heldCtrl_ + "   Up");
    }
    area_.selectedLine = static_cast<int>(lines.size()) - 1;
    heldCtrl_.reset();
}

}  // namespace kz7
