#pragma once

// The choices of the macro key dialog, without its window: one macro of
// record.ini and one of three exclusive repeat modes. The list's position
// of a macro is its device block, so only macros that have a block (the
// first twelve sections) can be bound to a button.

#include <cstdint>
#include <string>
#include <vector>

#include "keys/key_dialogs.h"

namespace kz7 {

class MacroStore;

inline constexpr int kMacroRepeatModes = 3;

class MacroKeyDialogModel {
public:
    explicit MacroKeyDialogModel(std::vector<std::string> names) : names_(std::move(names)) {}
    // The macros of the store that a button can play, in block order.
    static std::vector<std::string> BindableNames(const MacroStore& store);

    const std::vector<std::string>& Names() const { return names_; }
    // A row of the list; outside it nothing changes.
    void ChooseMacro(int row);
    // Mode 1..3 takes the tick from the one before; others change nothing.
    void ChooseRepeatMode(int mode);
    // The dialog could not show its options: no mode is ticked (answered as 0).
    void LoseRepeatOptions() { repeatMode_ = 0; }
    int RepeatMode() const { return repeatMode_; }
    bool Ticked(int mode) const { return repeatMode_ == mode; }

    // What OK answers; without a choice, macro 0 with an empty name.
    MacroKeyChoice Choice() const {
        return {chosenRow_, chosenName_, static_cast<std::uint8_t>(repeatMode_)};
    }

private:
    std::vector<std::string> names_;
    int chosenRow_ = 0;
    std::string chosenName_;
    int repeatMode_ = 1;
};

}  // namespace kz7
