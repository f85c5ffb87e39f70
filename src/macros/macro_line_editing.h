#pragma once

// Editing a macro's lines by hand: mouse-button events inserted from the
// chooser, and pauses rewritten. Every event line is followed or preceded by
// a pause, so that a macro always alternates events and pauses.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kz7 {

// The chooser's nine events, in order, the same in every language. A
// "Click" stands for a press and a release of its button.
inline constexpr std::array<std::string_view, 9> kMouseEventNames{
    "L-Button Click", "R-Button Click", "M-Button Click", "L-Button   Dn", "L-Button   Up",
    "R-Button   Dn",  "R-Button   Up", "M-Button   Dn",  "M-Button   Up"};

inline constexpr std::string_view kDefaultPauseLine = "50 ms";
inline constexpr int kShortestPauseMs = 50;
inline constexpr int kLongestPauseMs = 10000;

// A line that stands for a pause.
bool IsPauseLine(std::string_view line);

// Inserts a chooser event into a macro's lines at the selected line (-1 for
// none) and returns the line to select afterwards (-1: the selection is
// kept). Without a selection, only an empty list of a selected macro takes
// the event; after a pause the event comes first, after an event a pause
// comes first.
int InsertMouseEvent(std::vector<std::string>& lines, int selected, bool macroSelected, std::string_view event);

// The pause line for what the delay dialog answered: the digits as typed
// and " ms" when the value is 50..10000, "50 ms" otherwise.
std::string PauseLineFor(int value, std::string_view typed);

}  // namespace kz7
