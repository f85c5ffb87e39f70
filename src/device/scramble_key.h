#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kz7 {

using ScrambleKeyBytes = std::array<std::uint8_t, 6>;

inline constexpr std::string_view kScrambleKeyFileName = "scramble.key";

// Twelve hex digits ("0a1b2c3d4e5f"; spaces or colons between pairs are
// allowed, surrounding white space is ignored). nullopt for anything else.
std::optional<ScrambleKeyBytes> ParseScrambleKey(std::string_view text);

// The effective key: `option` (--key) when given, else the file scramble.key
// in the data folder, else six zero bytes. nullopt with a reason when the
// option or the file holds something that is not a key.
std::optional<ScrambleKeyBytes> ResolveScrambleKey(const std::optional<std::string>& option,
                                                   const std::filesystem::path& dataFolder,
                                                   std::string* error);

}  // namespace kz7
