#include "platform/linux/pointer_tool_output.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <regex>

namespace kz7::linux_platform {
namespace {

using nlohmann::json;

std::optional<json> ParseJson(std::string_view text) {
    json value = json::parse(text.begin(), text.end(), nullptr, /*allow_exceptions=*/false);
    if (value.is_discarded()) return std::nullopt;
    return value;
}

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::optional<double> ParseNumber(std::string_view text) {
    text = Trim(text);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::vector<int> ParseIntList(std::string_view text) {
    std::vector<int> values;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = Trim(text.substr(0, comma));
        int value = 0;
        const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), value);
        if (error != std::errc() || end != item.data() + item.size()) return {};
        values.push_back(value);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return values;
}

}  // namespace

std::optional<LibinputAcceleration> FirstSwayPointer(std::string_view text) {
    const std::optional<json> inputs = ParseJson(text);
    if (!inputs || !inputs->is_array()) return std::nullopt;
    for (const json& input : *inputs) {
        if (!input.is_object()) continue;
        const auto type = input.find("type");
        if (type == input.end() || !type->is_string() || type->get<std::string>() != "pointer") continue;
        const auto libinput = input.find("libinput");
        if (libinput == input.end() || !libinput->is_object()) continue;
        const auto speed = libinput->find("accel_speed");
        if (speed == libinput->end() || !speed->is_number()) continue;

        LibinputAcceleration acceleration;
        const double factor = speed->get<double>();
        if (std::isfinite(factor)) acceleration.speed = factor;
        const auto profile = libinput->find("accel_profile");
        if (profile != libinput->end() && profile->is_string()) {
            const std::string name = profile->get<std::string>();
            if (name == "adaptive") acceleration.adaptive = true;
            else if (name == "flat") acceleration.adaptive = false;
        }
        return acceleration;
    }
    return std::nullopt;
}

bool SwayCommandsSucceeded(std::string_view text) {
    const std::optional<json> replies = ParseJson(text);
    if (!replies || !replies->is_array() || replies->empty()) return false;
    return std::all_of(replies->begin(), replies->end(), [](const json& reply) {
        if (!reply.is_object()) return false;
        const auto success = reply.find("success");
        return success != reply.end() && success->is_boolean() && success->get<bool>();
    });
}

std::vector<int> XinputSlavePointerIds(std::string_view listing) {
    // "⎜   ↳ Some Mouse          	id=9	[slave  pointer  (2)]"; a name may
    // itself hold "id=", so the id is the one right before the bracket.
    static const std::regex kSlavePointer(R"(id=(\d+)\s+\[slave\s+pointer\s)");
    std::vector<int> ids;
    std::size_t start = 0;
    while (start < listing.size()) {
        std::size_t end = listing.find('\n', start);
        if (end == std::string_view::npos) end = listing.size();
        const std::string line(listing.substr(start, end - start));
        std::smatch match;
        if (std::regex_search(line, match, kSlavePointer)) {
            int id = 0;
            const std::string digits = match[1].str();
            const auto [last, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
            if (error == std::errc() && last == digits.data() + digits.size()) ids.push_back(id);
        }
        start = end + 1;
    }
    return ids;
}

XinputPointerProperties ParseXinputProperties(std::string_view listing) {
    XinputPointerProperties properties;
    std::size_t start = 0;
    while (start < listing.size()) {
        std::size_t end = listing.find('\n', start);
        if (end == std::string_view::npos) end = listing.size();
        const std::string_view line = Trim(listing.substr(start, end - start));
        start = end + 1;
        // "\tlibinput Accel Speed (301):\t0.000000"
        const std::size_t atom = line.find(" (");
        const std::size_t colon = line.find("):");
        if (atom == std::string_view::npos || colon == std::string_view::npos || colon < atom) continue;
        const std::string_view name = line.substr(0, atom);
        const std::string_view value = line.substr(colon + 2);
        if (name == "libinput Accel Speed") properties.speed = ParseNumber(value);
        else if (name == "libinput Accel Profile Enabled") properties.profilesEnabled = ParseIntList(value);
        else if (name == "libinput Tapping Enabled") properties.touchpad = true;
    }
    return properties;
}

std::optional<bool> AdaptiveFromProfiles(const std::vector<int>& profilesEnabled) {
    if (profilesEnabled.size() < 2) return std::nullopt;
    if (profilesEnabled[0] == 1) return true;
    if (profilesEnabled[1] == 1) return false;
    return std::nullopt;  // no profile, or a custom curve
}

std::string FormatUnitSpeed(double unitSpeed) {
    if (!std::isfinite(unitSpeed)) unitSpeed = 0;
    unitSpeed = std::clamp(unitSpeed, -1.0, 1.0);
    char buffer[16];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, unitSpeed, std::chars_format::fixed, 3);
    if (error != std::errc()) return "0.000";
    std::string text(buffer, end);
    if (text == "-0.000") text = "0.000";
    return text;
}

}  // namespace kz7::linux_platform
