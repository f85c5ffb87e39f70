#pragma once

#include <cstdint>
#include <string_view>

namespace kz7 {

// The DPI sub-menu texts, the same in every language: 1 "DPI +", 2 "DPI -",
// 3 "DPI Loop"; empty for any other value. The function list's own row texts
// are in the UI string tables (FunctionText).
std::string_view DpiSwitchModeName(std::uint8_t mode);

}  // namespace kz7
