#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kz7 {

// Messages of the macro store that are the same in every language. The
// language-dependent ones ("Macro name is blank", "Macro name already
// exists") come from the UI string tables.
inline constexpr std::string_view kMacroCountLimitMessage = "Macro numbers up to 12.";

std::string MacroNameTooLongMessage(std::string_view name);
inline constexpr std::string_view kMacroNameControlMessage =
    "A macro name cannot hold line breaks, tabs or other control characters.";
std::string MacroCutMessage(std::string_view name, std::size_t firstLineLeftOut);
// Names the first kNamedMacrosWithoutBlock sections that have no block and
// says how many more there are.
inline constexpr std::size_t kNamedMacrosWithoutBlock = 5;
std::string MacrosWithoutBlockMessage(const std::vector<std::string>& names);
std::string RecordFileFailedMessage(int error);

}  // namespace kz7
