#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kz7 {

// Shows a message that the user must acknowledge (a modal box in the window,
// a line on stderr in the command-line tool). An empty caption means the
// application's title.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void ShowMessage(std::string_view text, std::string_view caption) = 0;
};

inline constexpr std::string_view kWarningCaption = "Warning";

// Keeps every message, for tests and for front ends that show them later.
class RecordingPrompter : public Prompter {
public:
    struct Message {
        std::string text;
        std::string caption;
        bool operator==(const Message&) const = default;
    };
    void ShowMessage(std::string_view text, std::string_view caption) override {
        messages.push_back({std::string(text), std::string(caption)});
    }
    std::vector<Message> messages;
};

}  // namespace kz7
