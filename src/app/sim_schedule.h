#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kz7 {

// What the simulated mouse is told to do while the program runs, so that
// notifications and plug handling can be watched without hardware.
struct SimStep {
    enum class Action { Event, Unplug, Plug };
    std::chrono::milliseconds at{0};  // since start-up
    Action action = Action::Event;
    int code = 0;   // event report code (5 rate, 7 DPI stage, 8 key matrix, 9 macro)
    int value = 0;  // event report value
    bool operator==(const SimStep&) const = default;
};

// Parses "1.5s event 7 2, 3s unplug, 5000ms plug": steps separated by commas
// (or semicolons),
// each a time (seconds with "s", milliseconds with "ms", a bare number is
// seconds) and an action. Steps come back sorted by time. On a malformed
// step, returns nothing and says why.
std::optional<std::vector<SimStep>> ParseSimSchedule(std::string_view text, std::string* error);

}  // namespace kz7
