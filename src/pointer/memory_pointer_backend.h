#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "pointer/pointer_settings.h"

namespace kz7 {

// Pointer settings kept in memory: the desktop of tests and of --simulate.
// Settings can be taken away (unsupported) or made to fail, and every write
// is logged as "precision 1", "speed 10", "lines 3", "double-click 500".
class MemoryPointerBackend : public PointerBackend {
public:
    bool precision = false;
    int speed = kDefaultPointerSpeed;
    std::uint32_t wheelLines = kDefaultWheelLines;
    std::uint32_t doubleClickMs = kDefaultDoubleClickMs;

    std::set<PointerSetting> missing;  // settings this desktop lacks
    std::set<PointerSetting> failing;  // settings whose reads and writes fail
    std::vector<std::string> writes;

    std::string_view Name() const override { return "the in-memory desktop"; }
    bool Supports(PointerSetting setting) const override { return !missing.contains(setting); }

    std::optional<bool> ReadPrecision() override {
        if (Fails(PointerSetting::Precision)) return std::nullopt;
        return precision;
    }
    std::optional<int> ReadSpeed() override {
        if (Fails(PointerSetting::Speed)) return std::nullopt;
        return speed;
    }
    std::optional<std::uint32_t> ReadWheelLines() override {
        if (Fails(PointerSetting::WheelLines)) return std::nullopt;
        return wheelLines;
    }
    std::optional<std::uint32_t> ReadDoubleClickMs() override {
        if (Fails(PointerSetting::DoubleClickTime)) return std::nullopt;
        return doubleClickMs;
    }

    bool WritePrecision(bool on) override {
        writes.push_back("precision " + std::to_string(on ? 1 : 0));
        if (Fails(PointerSetting::Precision)) return false;
        precision = on;
        return true;
    }
    bool WriteSpeed(int value) override {
        writes.push_back("speed " + std::to_string(value));
        if (Fails(PointerSetting::Speed)) return false;
        speed = value;
        return true;
    }
    bool WriteWheelLines(std::uint32_t lines) override {
        writes.push_back("lines " + std::to_string(lines));
        if (Fails(PointerSetting::WheelLines)) return false;
        wheelLines = lines;
        return true;
    }
    bool WriteDoubleClickMs(std::uint32_t ms) override {
        writes.push_back("double-click " + std::to_string(ms));
        if (Fails(PointerSetting::DoubleClickTime)) return false;
        doubleClickMs = ms;
        return true;
    }

private:
    bool Fails(PointerSetting setting) const { return failing.contains(setting); }
};

}  // namespace kz7
