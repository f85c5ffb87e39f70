#pragma once

// How the page models reach the dialogs they need: the Qt front end runs real
// dialogs, tests a scripted double. A dialog returns a value; the model that
// asked writes the record.

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace kz7 {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // The desktop's colour chooser, opened at `initial`; nothing on Cancel.
    virtual std::optional<Rgb> ChooseColour(Rgb initial) = 0;
};

// Answers from a script, in order, and remembers what was asked. An empty
// script answers Cancel.
class ScriptedDialogRunner : public DialogRunner {
public:
    std::optional<Rgb> ChooseColour(Rgb initial) override {
        colourRequests.push_back(initial);
        if (colours.empty()) return std::nullopt;
        const std::optional<Rgb> answer = colours.front();
        colours.pop_front();
        return answer;
    }

    std::deque<std::optional<Rgb>> colours;
    std::vector<Rgb> colourRequests;
};

}  // namespace kz7
