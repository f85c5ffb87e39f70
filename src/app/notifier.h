#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace kz7 {

// Shows a short status message outside the window (tray balloon or desktop
// notification). Title is "Info" or "Warning".
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void Notify(std::string_view title, std::string_view text, int timeoutMs) = 0;
};

// Desktop notification servers drop a message asked to stay for 100 ms
// before anyone can read it, so nothing is shown for less than this.
inline constexpr int kShortestNotificationMs = 3000;

inline int ShownTimeoutMs(int requestedMs) { return std::max(requestedMs, kShortestNotificationMs); }

class RecordingNotifier : public Notifier {
public:
    struct Shown {
        std::string title;
        std::string text;
        int timeoutMs = 0;
        bool operator==(const Shown&) const = default;
    };
    void Notify(std::string_view title, std::string_view text, int timeoutMs) override {
        shown.push_back({std::string(title), std::string(text), timeoutMs});
    }
    std::vector<Shown> shown;
};

}  // namespace kz7
