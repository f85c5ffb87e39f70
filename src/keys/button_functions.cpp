#include "keys/button_functions.h"

namespace kz7 {

namespace {

constexpr FunctionName kFunctions[] = {
    {"Left Click", "左键", "左鍵"},
    {"Right Click", "右键", "右鍵"},
    {"Mid Click", "中键", "中鍵"},
    {"Forward", "前进方向键", "前進方向鍵"},
    {"Backward", "后退方向键", "後退方向鍵"},
    {"Triple-click", "三连发", "三連發"},
    {"DPI Switch", "DPI切换", "DPI切換"},
    {"RGB On/Off", "RGB打开/关闭", "RGB打開/關閉"},
    {"Windows", "Windows", "Windows"},
    {"Multimedia", "多媒体", "多媒體"},
    {"Fire Key", "火力键", "火力鍵"},
    {"Single Key", "单键", "單鍵"},
    {"Combo Key", "组合键", "複合鍵"},
    {"Macro Key", "宏", "巨集"},
    {"Key Off", "按键关闭", "按鍵關閉"},
};

constexpr std::string_view kDpiModes[] = {"DPI +", "DPI -", "DPI Loop"};

}  // namespace

std::span<const FunctionName> FunctionList() { return kFunctions; }

std::string_view FunctionEnglishName(std::uint8_t code) {
    if (code < std::size(kFunctions)) return kFunctions[code].english;
    if (code == 15) return "none";
    return {};
}

std::string_view DpiSwitchModeName(std::uint8_t mode) {
    if (mode >= 1 && mode <= 3) return kDpiModes[mode - 1];
    return {};
}

}  // namespace kz7
