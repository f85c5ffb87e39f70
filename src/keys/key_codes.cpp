#include "keys/key_codes.h"

#include <string>

namespace kz7 {

namespace {

#include "keys/key_code_tables.inc"

constexpr NamedCode kModifiers[] = {
    {"Left Ctrl", 0x01},  {"Left Shift", 0x02},  {"Left Alt", 0x04},  {"Left Win", 0x08},
    {"Right Ctrl", 0x10}, {"Right Shift", 0x20}, {"Right Alt", 0x40}, {"Right Win", 0x80},
};

constexpr MediaKey kMediaKeys[] = {
    {"Next", "下一首", "下一首", 0xB5},
    {"Previous", "上一首", "上一首", 0xB6},
    {"Stop", "停止", "停止", 0xB7},
    {"Play/Pause", "播放/暂停", "播放/暫停", 0xCD},
    {"Mute", "静音", "靜音", 0xE2},
    {"Vol+", "音量+", "音量+", 0xE9},
    {"Vol-", "音量-", "音量-", 0xEA},
};

constexpr LaunchKey kLaunchKeys[] = {
    {"Multimedia Player", "打开多媒体播放器", "打開多媒體播放器", 0x83},
    {"Mail", "邮件", "郵件", 0x8A},
    {"Calculator", "计算器", "計算器", 0x92},
    {"My Computer", "我的电脑", "我的電腦", 0x94},
    {"Browser-Search", "浏览器-搜索", "瀏覽器-搜索", 0x21},
    {"Browser-Home", "浏览器-主页", "瀏覽器-主頁", 0x23},
    {"Browser-Back", "浏览器-后退", "瀏覽器-後退", 0x24},
    {"Browser-Forward", "浏览器-前进", "瀏覽器-前進", 0x25},
    {"Browser-Stop", "浏览器-停止", "瀏覽器-停止", 0x26},
    {"Browser-Refresh", "浏览器-刷新", "瀏覽器-刷新", 0x27},
    {"Browser-My Favorites", "浏览器-收藏夹", "瀏覽器-我的最愛", 0x2A},
};

// Mouse codes that appear only in the fire key list; shown with those names.
constexpr NamedCode kExtraMouseNames[] = {
    {"B4-Button", 0xF3}, {"B5-Button", 0xF4}, {"L-Tilt Wheel", 0xF5}, {"R-Tilt Wheel", 0xF6},
};

std::uint8_t Find(std::span<const NamedCode> table, std::string_view name) {
    for (const NamedCode& entry : table) {
        if (entry.name == name) return entry.code;
    }
    return 0;
}

}  // namespace

std::span<const NamedCode> KeyCodeTable() { return kKeyCodes; }
std::span<const NamedCode> ModifierTable() { return kModifiers; }
std::span<const NamedCode> FireKeyTable() { return kFireKeys; }
std::span<const MediaKey> MediaKeyTable() { return kMediaKeys; }
std::span<const LaunchKey> LaunchKeyTable() { return kLaunchKeys; }

std::uint8_t KeyCodeFromName(std::string_view name) { return Find(kKeyCodes, name); }
std::uint8_t ModifierBitFromName(std::string_view name) { return Find(kModifiers, name); }

std::uint8_t FireKeyCodeFromRow(std::uint8_t row) {
    return row < std::size(kFireKeys) ? kFireKeys[row].code : 0;
}

std::uint8_t MediaCodeFromRow(std::uint8_t row) {
    return row < std::size(kMediaKeys) ? kMediaKeys[row].code : 0;
}

std::uint8_t LaunchCodeFromRow(std::uint8_t row) {
    return row < std::size(kLaunchKeys) ? kLaunchKeys[row].lowByte : 0;
}

std::uint8_t LaunchPageFromRow(std::uint8_t row) {
    if (row < 4) return 1;
    if (row <= 10) return 2;
    return 0;
}

std::string_view KeyNameFromCode(std::uint8_t code) {
    if (code == 0) return {};
    for (const NamedCode& entry : kKeyCodes) {
        if (entry.code == code) return entry.name;
    }
    for (const NamedCode& entry : kExtraMouseNames) {
        if (entry.code == code) return entry.name;
    }
    return {};
}

std::string ModifierNames(std::uint8_t mask) {
    std::string names;
    for (const NamedCode& entry : kModifiers) {
        if (!(mask & entry.code)) continue;
        if (!names.empty()) names += '+';
        names += entry.name;
    }
    return names;
}

}  // namespace kz7
