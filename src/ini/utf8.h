#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kz7 {

// Text in the program is UTF-8. These helpers count and cut by code points,
// so a cut never splits a character. Bytes that are not valid UTF-8 count as
// one character each and are never altered.

// Number of characters in `text`.
std::size_t CountCharacters(std::string_view text);

// The first `maxChars` characters of `text`.
std::string_view CutToCharacters(std::string_view text, std::size_t maxChars);

// `text` with upper-case letters made lower-case, for comparing names the
// way the profile functions do: ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic letters fold; everything else, stray bytes included, is kept.
// Every letter folds into one of the same length in bytes, so the folded
// text is exactly as long as `text` (name comparisons rely on it).
std::string FoldCase(std::string_view text);
// FoldCase(a) == FoldCase(b), without building either: character by
// character, stopping at the first that differs.
bool SameFolded(std::string_view a, std::string_view b);

// UTF-16 (little- or big-endian) to UTF-8. Unpaired surrogates are kept as
// their three-byte forms, so that Utf16FromUtf8 gives back the same units:
// a damaged file survives a rewrite unchanged. An odd trailing byte is not
// part of the text; the caller keeps it.
std::string Utf8FromUtf16(std::string_view bytes, bool bigEndian);

// UTF-8 (with three-byte surrogate forms as above) to UTF-16 bytes. Bytes
// that are not valid UTF-8 become U+FFFD.
std::string Utf16FromUtf8(std::string_view text, bool bigEndian);

}  // namespace kz7
