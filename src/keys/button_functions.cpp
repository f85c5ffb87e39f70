#include "keys/button_functions.h"

#include "config/device_config.h"

namespace kz7 {

namespace {

constexpr FunctionWord kFunctionWords[] = {
    {"left", kFnLeftClick, 0},    {"right", kFnRightClick, 0},   {"middle", kFnMidClick, 0},
    {"forward", kFnForward, 0},   {"back", kFnBackward, 0},      {"triple", kFnTripleClick, 0},
    {"dpi+", kFnDpiSwitch, 1},    {"dpi-", kFnDpiSwitch, 2},     {"dpi-loop", kFnDpiSwitch, 3},
    {"rgb", kFnRgbOnOff, 0},      {"off", kFnKeyOff, 0},         {"key", kFnSingleKey, 0},
    {"combo", kFnComboKey, 0},    {"fire", kFnFireKey, 0},       {"media", kFnMultimedia, 0},
    {"launch", kFnLaunch, 0},     {"macro", kFnMacroKey, 0},
};

}  // namespace

std::string_view DpiSwitchModeName(std::uint8_t mode) {
    static constexpr std::string_view kDpiModes[] = {"DPI +", "DPI -", "DPI Loop"};
    if (mode >= 1 && mode <= 3) return kDpiModes[mode - 1];
    return {};
}

std::span<const FunctionWord> FunctionWords() { return kFunctionWords; }

const FunctionWord* FindFunctionWord(std::string_view word) {
    for (const FunctionWord& entry : kFunctionWords) {
        if (entry.word == word) return &entry;
    }
    return nullptr;
}

}  // namespace kz7
