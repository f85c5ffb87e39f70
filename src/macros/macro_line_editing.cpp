#include "macros/macro_line_editing.h"

namespace kz7 {

namespace {

constexpr std::string_view kClick = " Click";

// The lines an event stands for: a click is its press and its release.
std::vector<std::string> EventLines(std::string_view event) {
    const std::size_t click = event.find(kClick);
    if (click == std::string_view::npos) return {std::string(event)};
    const std::string button(event.substr(0, click));
    return {button + "   Dn", button + "   Up"};
}

}  // namespace

bool IsPauseLine(std::string_view line) { return line.find("ms") != std::string_view::npos; }

int InsertMouseEvent(std::vector<std::string>& lines, int selected, bool macroSelected, std::string_view event) {
    const std::vector<std::string> events = EventLines(event);
    // Each event line with the pause that follows it.
    std::vector<std::string> run;
    for (const std::string& line : events) {
        run.push_back(line);
        run.emplace_back(kDefaultPauseLine);
    }
    if (selected < 0 || selected >= static_cast<int>(lines.size())) {
        if (!lines.empty() || !macroSelected) return -1;
        lines = run;
        return -1;
    }
    const auto at = lines.begin() + selected + 1;
    if (IsPauseLine(lines[static_cast<std::size_t>(selected)])) {
        lines.insert(at, run.begin(), run.end());
        return selected + 1;
    }
    // After an event: a pause first, and the run ends with the last event.
    run.pop_back();
    run.insert(run.begin(), std::string(kDefaultPauseLine));
    lines.insert(at, run.begin(), run.end());
    return selected + 2;
}

std::string PauseLineFor(int value, std::string_view typed) {
    if (value < kShortestPauseMs || value > kLongestPauseMs) return std::string(kDefaultPauseLine);
    return std::string(typed) + " ms";
}

}  // namespace kz7
