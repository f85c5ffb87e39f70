#include "macros/macro_messages.h"

#include <algorithm>
#include <cstring>

#include "config/device_config.h"
#include "macros/macro_store.h"

namespace kz7 {

std::string MacroNameTooLongMessage(std::string_view name) {
    return "Macro name \"" + std::string(name) + "\" is too long: a macro name has at most " +
           std::to_string(kMaxMacroNameChars) + " characters.";
}

std::string MacroCutMessage(std::string_view name, std::size_t firstLineLeftOut) {
    return "Macro \"" + std::string(name) + "\" is too long for the mouse's memory: it was cut before line " +
           std::to_string(firstLineLeftOut + 1) + ", and the lines from there on are not sent to the mouse.";
}

std::string MacrosWithoutBlockMessage(const std::vector<std::string>& names) {
    // A hand-made file may hold thousands of sections; a message box or a
    // terminal shows the first few and counts the rest.
    const std::size_t named = std::min(names.size(), kNamedMacrosWithoutBlock);
    std::string list;
    for (std::size_t i = 0; i < named; ++i) list += (i == 0 ? "\"" : ", \"") + names[i] + "\"";
    if (names.size() > named) list += " ... and " + std::to_string(names.size() - named) + " more";
    return "The mouse holds " + std::to_string(kMacroCount) +
           " macros; record.ini has more, and these are not sent to the mouse: " + list + ".";
}

std::string RecordFileFailedMessage(int error) {
    return "record.ini could not be written: " + std::string(std::strerror(error)) + " (error " +
           std::to_string(error) + ").";
}

}  // namespace kz7
