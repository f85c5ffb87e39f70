#include "app/sim_schedule.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

namespace kz7 {
namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::optional<std::chrono::milliseconds> ParseTime(std::string_view token) {
    double scale = 1000.0;
    if (token.ends_with("ms")) {
        scale = 1.0;
        token.remove_suffix(2);
    } else if (token.ends_with("s")) {
        token.remove_suffix(1);
    }
    if (token.empty()) return std::nullopt;
    // from_chars for double is available in libstdc++ 11+.
    double number = 0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), number);
    if (ec != std::errc{} || end != token.data() + token.size() || !std::isfinite(number) ||
        number < 0 || number * scale > 24.0 * 3600 * 1000) {
        return std::nullopt;
    }
    return std::chrono::milliseconds(static_cast<long long>(std::llround(number * scale)));
}

std::optional<int> ParseByte(std::string_view token) {
    int base = 10;
    if (token.starts_with("0x") || token.starts_with("0X")) {
        token.remove_prefix(2);
        base = 16;
    }
    int number = 0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), number, base);
    if (token.empty() || ec != std::errc{} || end != token.data() + token.size() || number < 0 ||
        number > 255) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

std::optional<std::vector<SimStep>> ParseSimSchedule(std::string_view text, std::string* error) {
    std::vector<SimStep> steps;
    auto fail = [&](std::string_view step, std::string_view why) {
        if (error) *error = "bad schedule step \"" + std::string(step) + "\": " + std::string(why);
        return std::nullopt;
    };
    while (!Trim(text).empty()) {
        const auto comma = text.find_first_of(",;");
        const std::string_view step = Trim(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);

        std::istringstream words{std::string(step)};
        std::vector<std::string> tokens;
        for (std::string word; words >> word;) tokens.push_back(word);
        if (tokens.size() < 2) return fail(step, "expected a time and an action");

        const auto at = ParseTime(tokens[0]);
        if (!at) return fail(step, "time must look like 2s, 1.5s or 300ms");
        SimStep parsed;
        parsed.at = *at;
        if (tokens[1] == "unplug" && tokens.size() == 2) {
            parsed.action = SimStep::Action::Unplug;
        } else if (tokens[1] == "plug" && tokens.size() == 2) {
            parsed.action = SimStep::Action::Plug;
        } else if (tokens[1] == "event" && tokens.size() == 4) {
            const auto code = ParseByte(tokens[2]);
            const auto value = ParseByte(tokens[3]);
            if (!code || !value) return fail(step, "event code and value must be 0 to 255");
            parsed.action = SimStep::Action::Event;
            parsed.code = *code;
            parsed.value = *value;
        } else {
            return fail(step, "action must be \"event CODE VALUE\", \"unplug\" or \"plug\"");
        }
        steps.push_back(parsed);
    }
    std::stable_sort(steps.begin(), steps.end(),
                     [](const SimStep& a, const SimStep& b) { return a.at < b.at; });
    return steps;
}

}  // namespace kz7
