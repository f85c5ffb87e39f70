#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kz7 {

// "0a ff 00": lower-case hex pairs separated by single spaces.
std::string HexBytes(std::span<const std::uint8_t> bytes);
// Parses exactly `count` bytes written as 2*count hex digits (spaces and
// colons allowed between pairs); nullopt for anything else.
std::optional<std::string> ParseHexBytes(std::string_view text, std::size_t count);

}  // namespace kz7
