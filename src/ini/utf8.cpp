#include "ini/utf8.h"

#include <cstdint>

namespace kz7 {

namespace {

// Length of the well-formed sequence at `text[at]` (surrogate forms
// included), or 0 when the bytes there are not one.
std::size_t SequenceLength(std::string_view text, std::size_t at, char32_t* codePoint = nullptr) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(at);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        if (codePoint) *codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1Fu, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0Fu, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07u, minimum = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        value = (value << 6) | (byte(at + i) & 0x3Fu);
    }
    if (value < minimum || value > 0x10FFFF) return 0;
    if (codePoint) *codePoint = value;
    return length;
}

void AppendUtf8(std::string& out, char32_t value) {
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | (value >> 6));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | (value >> 12));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (value >> 18));
        out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
}

void AppendUnit(std::string& out, char32_t unit, bool bigEndian) {
    const auto high = static_cast<char>((unit >> 8) & 0xFF);
    const auto low = static_cast<char>(unit & 0xFF);
    if (bigEndian) {
        out += high;
        out += low;
    } else {
        out += low;
        out += high;
    }
}

char32_t FoldCodePoint(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c < 0xC0) return c;
    if (c <= 0xDE) return c == 0xD7 ? c : c + 0x20;  // Latin-1 letters, not the multiplication sign
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A: pairs, even upper below U+0138, odd upper from U+0139 to U+0148 and U+0179 on.
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddUpper) return (c % 2) ? c + 1 : c;
        if (c == 0x178) return 0xFF;
        return (c % 2) ? c : c + 1;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;  // Greek capitals
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;                // Cyrillic capitals
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    return c;
}

}  // namespace

std::string FoldCase(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char32_t value = 0;
        const std::size_t length = SequenceLength(text, at, &value);
        if (!length) {
            folded += text[at++];
            continue;
        }
        AppendUtf8(folded, FoldCodePoint(value));
        at += length;
    }
    return folded;
}

bool SameFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t at = 0; at < a.size();) {
        char32_t x = 0;
        char32_t y = 0;
        const std::size_t length = SequenceLength(a, at, &x);
        if (length != SequenceLength(b, at, &y)) return false;  // the same length: see FoldCase
        if (!length) {
            if (a[at] != b[at]) return false;
            ++at;
            continue;
        }
        if (FoldCodePoint(x) != FoldCodePoint(y)) return false;
        at += length;
    }
    return true;
}

std::size_t CountCharacters(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        const std::size_t length = SequenceLength(text, at);
        at += length ? length : 1;
    }
    return count;
}

std::string_view CutToCharacters(std::string_view text, std::size_t maxChars) {
    std::size_t at = 0;
    for (std::size_t count = 0; at < text.size() && count < maxChars; ++count) {
        const std::size_t length = SequenceLength(text, at);
        at += length ? length : 1;
    }
    return text.substr(0, at);
}

std::string Utf8FromUtf16(std::string_view bytes, bool bigEndian) {
    const std::size_t units = bytes.size() / 2;
    const auto unitAt = [&](std::size_t i) -> char32_t {
        const auto first = static_cast<std::uint8_t>(bytes[2 * i]);
        const auto second = static_cast<std::uint8_t>(bytes[2 * i + 1]);
        return bigEndian ? static_cast<char32_t>(first << 8 | second)
                         : static_cast<char32_t>(second << 8 | first);
    };
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units) {
            const char32_t next = unitAt(i + 1);
            if (next >= 0xDC00 && next < 0xE000) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, unit);  // lone surrogates too: see the header
    }
    return out;
}

std::string Utf16FromUtf8(std::string_view text, bool bigEndian) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t at = 0; at < text.size();) {
        char32_t value = 0;
        const std::size_t length = SequenceLength(text, at, &value);
        if (!length) {
            value = 0xFFFD;
            at += 1;
        } else {
            at += length;
        }
        if (value >= 0x10000) {
            AppendUnit(out, 0xD800 + ((value - 0x10000) >> 10), bigEndian);
            AppendUnit(out, 0xDC00 + ((value - 0x10000) & 0x3FF), bigEndian);
        } else {
            AppendUnit(out, value, bigEndian);
        }
    }
    return out;
}

}  // namespace kz7
