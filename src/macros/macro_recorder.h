#pragma once

// Recording a macro from the keyboard. While a recording runs every key the
// program receives becomes a line of the selected macro: "<key>   Dn" or
// "<key>   Up", with "50 ms" between two events (pauses are not timed; the
// user edits them afterwards). A key held down records one press, however
// long it repeats. Ctrl+Break ends the recording; neither key is left among
// the lines, and a Ctrl that was part of a recorded combination is released
// at the end so the macro never leaves it held.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "config/prompter.h"
#include "locale/language.h"

namespace kz7 {

class MacroArea;

// One key event as the keyboard gives it: the key's name, press or release,
// and whether the press is the keyboard's own repeat of a held key.
struct RecordedKey {
    std::string_view name;
    bool pressed = true;
    bool autoRepeat = false;
};

class MacroRecorder {
public:
    MacroRecorder(MacroArea& area, Prompter& prompter, UiLanguage language)
        : area_(area), prompter_(prompter), language_(language) {}

    // "Start Recording": refused without any macro; otherwise the selected
    // macro's lines are cleared and every key from now on is recorded.
    // Returns whether a recording runs.
    bool Start();
    // "Stop Recording". Said to be pointless when no recording was ever started.
    void Stop();
    // The page is left: the recording ends without a word.
    void Abandon() { recording_ = false; }
    bool Recording() const { return recording_; }

    // A key event while recording; nothing otherwise. Returns true when it
    // ended the recording (Ctrl+Break).
    bool Key(const RecordedKey& key);

private:
    void Append(std::string line);
    void EndWithBreak();

    MacroArea& area_;
    Prompter& prompter_;
    UiLanguage language_;
    bool recording_ = false;
    bool everStarted_ = false;
    bool firstEvent_ = true;
    // The last key recorded going down: its repeats are not recorded again.
    std::string lastKeyDown_;
    // A Ctrl key held now, and the lines its press took (its pause included).
    std::optional<std::string> heldCtrl_;
    std::size_t heldCtrlFirstLine_ = 0;
    std::size_t heldCtrlEndLine_ = 0;
};

}  // namespace kz7
