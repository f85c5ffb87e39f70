#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kz7 {

// The DPI sub-menu texts, the same in every language: 1 "DPI +", 2 "DPI -",
// 3 "DPI Loop"; empty for any other value. The function list's own row texts
// are in the UI string tables (FunctionText).
std::string_view DpiSwitchModeName(std::uint8_t mode);

// A short word that names a button function on a command line ("left",
// "dpi+", "combo"): the function code and, for the three DPI words, the DPI
// sub-menu mode it stands for (1..3; 0 for every other word).
struct FunctionWord {
    std::string_view word;
    std::uint8_t function;
    std::uint8_t dpiMode;
};

// Every short word: first the functions without a parameter (the DPI modes
// among them), then those whose parameter follows ("key A", "macro NAME").
std::span<const FunctionWord> FunctionWords();
// The entry of an exact, case-sensitive word; nullptr for any other.
const FunctionWord* FindFunctionWord(std::string_view word);

}  // namespace kz7
