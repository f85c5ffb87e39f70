#include "device/scramble_key.h"

#include <cctype>

#include "config/atomic_file.h"
#include "device/hex_format.h"

namespace kz7 {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<ScrambleKeyBytes> ParseScrambleKey(std::string_view text) {
    const auto bytes = ParseHexBytes(Trim(text), 6);
    if (!bytes) return std::nullopt;
    ScrambleKeyBytes key{};
    for (std::size_t i = 0; i < key.size(); ++i) key[i] = static_cast<std::uint8_t>((*bytes)[i]);
    return key;
}

std::optional<ScrambleKeyBytes> ResolveScrambleKey(const std::optional<std::string>& option,
                                                   const std::filesystem::path& dataFolder,
                                                   std::string* error) {
    if (option) {
        auto key = ParseScrambleKey(*option);
        if (!key && error) *error = "--key takes twelve hex digits, not '" + *option + "'";
        return key;
    }
    const auto path = dataFolder / kScrambleKeyFileName;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return ScrambleKeyBytes{};
    std::string text;
    if (!ReadWholeFile(path, text)) {
        if (error) *error = "cannot read " + path.string();
        return std::nullopt;
    }
    auto key = ParseScrambleKey(text);
    if (!key && error) *error = path.string() + " must hold twelve hex digits";
    return key;
}

}  // namespace kz7
