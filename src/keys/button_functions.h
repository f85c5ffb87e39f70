#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kz7 {

struct FunctionName {
    std::string_view english;
    std::string_view simplifiedChinese;
    std::string_view traditionalChinese;
};

// The rows of the button function list, codes 0..14; code 15 (no function) has no row.
std::span<const FunctionName> FunctionList();
// The English row text; "none" for 15; empty for codes the program never stores.
std::string_view FunctionEnglishName(std::uint8_t code);

// The DPI sub-menu texts, the same in every language: 1 "DPI +", 2 "DPI -", 3 "DPI Loop".
std::string_view DpiSwitchModeName(std::uint8_t mode);

}  // namespace kz7
