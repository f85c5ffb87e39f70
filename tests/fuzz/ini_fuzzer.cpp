// The INI engine on any bytes: parse, read every key, write one key, parse
// the result again. Every key not written keeps its value, the written one
// reads back, and no other byte of the file changes.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "ini/ini_file.h"
#include "ini/utf8.h"

namespace kz7 {
namespace {

using Entry = std::pair<std::string, std::string>;  // section, key as the file spells them

// Values as the interface and the stores write them, damage included.
constexpr std::array<std::string_view, 16> kValues = {
    "",      "1",          "Left Click", "  padded  ", "\"quoted\"", "'single'", "line\nbreak\r\nx", "]",
    "a=b",   ";not a comment", "[Section]", "\xc3\xa9t\xc3\xa9", "\xff\xfe", "\t", std::string_view("nul\0in", 6),
    "50 ms",
};
constexpr std::array<std::string_view, 6> kNewNames = {"Item1", "new key", "Setting-EN", "\xd0\x9a\xd0\xbb", "k]", " x "};

std::string Widened(std::string_view bytes, bool bigEndian) {
    std::string wide = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : bytes) {
        wide += bigEndian ? '\0' : c;
        wide += bigEndian ? c : '\0';
    }
    return wide;
}

// The first line made longer than a megabyte.
std::string Stretched(std::string_view bytes) {
    const auto newline = bytes.find('\n');
    std::string_view line = bytes.substr(0, newline);
    if (line.empty()) line = "x";
    std::string text;
    text.reserve((1 << 20) + bytes.size() + line.size());
    while (text.size() < (1u << 20)) text += line;
    text += bytes.substr(std::min(bytes.size(), line.size()));
    return text;
}

// What a read of a freshly written value gives: the value, its line breaks
// written as blanks.
std::string ReadBack(std::string_view written) {
    std::string value(written);
    std::replace(value.begin(), value.end(), '\r', ' ');
    std::replace(value.begin(), value.end(), '\n', ' ');
    return value;
}

// The file's text, whatever its encoding, for comparing lines.
std::string TextOf(const std::string& bytes, IniFile::Encoding encoding) {
    switch (encoding) {
        case IniFile::Encoding::Utf8: return bytes;
        case IniFile::Encoding::Utf8WithBom: return bytes.substr(3);
        case IniFile::Encoding::Utf16Le:
        case IniFile::Encoding::Utf16Be:
            return Utf8FromUtf16(std::string_view(bytes).substr(2), encoding == IniFile::Encoding::Utf16Be);
    }
    return bytes;
}

// Text for KZ7_FUZZ_VERBOSE=1: escaped, and cut short.
std::string Shown(std::string_view text) {
    std::string shown;
    for (unsigned char c : text.substr(0, 60)) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, c < 0x20 || c >= 0x7F ? "\\x%02x" : "%c", c);
        shown += escaped;
    }
    return text.size() > 60 ? shown + "..." : shown;
}

// Every key's value as a whole-section read gives it; the first keys of each
// section are also read one by one, which must agree. (Each single read
// looks its section up again by its own name, which for a megabyte name
// means comparing a megabyte: those sections are read whole only.)
std::map<Entry, std::string> EveryValue(const IniFile& file) {
    constexpr std::size_t kSingleReads = 4;
    std::map<Entry, std::string> values;
    for (const std::string& section : file.SectionNames()) {
        KZ7_FUZZ_REQUIRE(file.HasSection(section));
        const auto entries = file.Entries(section);
        const auto keys = file.KeyNames(section);
        KZ7_FUZZ_REQUIRE(entries.size() == keys.size());
        for (std::size_t i = 0; i < keys.size(); ++i) {
            KZ7_FUZZ_REQUIRE(entries[i].first == keys[i]);
            if (i < kSingleReads && section.size() <= 4096) {
                const auto value = file.Get(section, keys[i]);
                KZ7_FUZZ_REQUIRE(value && *value == entries[i].second);
                KZ7_FUZZ_REQUIRE(CountCharacters(file.GetString(section, keys[i], "", 7)) <= 7);
                (void)file.GetInt(section, keys[i], -1);
            }
            values[{section, keys[i]}] = entries[i].second;
        }
    }
    return values;
}

// Compared in blocks with memcmp: a megabyte compared byte by byte in
// instrumented code would make the fuzzer crawl.
std::size_t CommonPrefix(std::string_view a, std::string_view b) {
    constexpr std::size_t kBlock = 4096;
    std::size_t at = 0;
    const std::size_t end = std::min(a.size(), b.size());
    while (at + kBlock <= end && std::memcmp(a.data() + at, b.data() + at, kBlock) == 0) at += kBlock;
    while (at < end && a[at] == b[at]) ++at;
    return at;
}

std::size_t CommonSuffix(std::string_view a, std::string_view b) {
    constexpr std::size_t kBlock = 4096;
    std::size_t length = 0;
    const std::size_t end = std::min(a.size(), b.size());
    while (length + kBlock <= end &&
           std::memcmp(a.data() + a.size() - length - kBlock, b.data() + b.size() - length - kBlock, kBlock) == 0) {
        length += kBlock;
    }
    while (length < end && a[a.size() - 1 - length] == b[b.size() - 1 - length]) ++length;
    return length;
}

std::size_t LineBreaks(std::string_view text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')); }

void Check(const std::string& bytes, FuzzedDataProvider& choices) {
    IniFile file = IniFile::Parse(bytes);
    KZ7_FUZZ_REQUIRE(file.Serialize() == bytes);  // parsing alone changes nothing
    const auto before = EveryValue(file);
    // Names compare as their folded forms do (the comparison never builds them).
    const auto names = file.SectionNames();
    for (std::size_t i = 0; i < names.size() && i < 4; ++i) {
        if (names[i].size() > 4096) continue;
        KZ7_FUZZ_REQUIRE(SameProfileName(names[i], FoldCase(names[i])));
        const std::string& other = i + 1 < names.size() ? names[i + 1] : names[0];
        KZ7_FUZZ_REQUIRE(SameProfileName(names[i], other) ==
                         (FoldCase(TrimProfileBlanks(names[i])) == FoldCase(TrimProfileBlanks(other))));
    }

    // The key to write: one of the file's, or a new one, in one of its
    // sections or a new one.
    std::string section(kNewNames[choices.ConsumeIntegralInRange<std::size_t>(0, kNewNames.size() - 1)]);
    std::string key(kNewNames[choices.ConsumeIntegralInRange<std::size_t>(0, kNewNames.size() - 1)]);
    const std::size_t pick = choices.ConsumeIntegral<std::uint16_t>();
    if (!before.empty() && choices.ConsumeBool()) {
        auto it = before.begin();
        std::advance(it, static_cast<std::ptrdiff_t>(pick % before.size()));
        section = it->first.first;
        if (choices.ConsumeBool()) key = it->first.second;
    }
    const std::string_view value = kValues[choices.ConsumeIntegralInRange<std::size_t>(0, kValues.size() - 1)];

    if (!file.Set(section, key, value)) {  // a key no line can hold: nothing changes
        KZ7_FUZZ_REQUIRE(file.Serialize() == bytes);
        return;
    }
    const std::string after = file.Serialize();
    const IniFile reread = IniFile::Parse(after);
    KZ7_FUZZ_REQUIRE(reread.encoding() == file.encoding());
    KZ7_FUZZ_REQUIRE(reread.Serialize() == after);

    const auto written = reread.Get(section, key);
    if (std::getenv("KZ7_FUZZ_VERBOSE")) {
        std::fprintf(stderr, "wrote [%s] %s=%s, reads %s\n", Shown(section).c_str(), Shown(key).c_str(),
                     Shown(value).c_str(), written ? Shown(*written).c_str() : "nothing");
    }
    // A UTF-16 file holds text only: bytes that are not UTF-8 become U+FFFD.
    std::string expected = ReadBack(value);
    if (file.encoding() == IniFile::Encoding::Utf16Le || file.encoding() == IniFile::Encoding::Utf16Be) {
        expected = Utf8FromUtf16(Utf16FromUtf8(expected, false), false);
    }
    KZ7_FUZZ_REQUIRE(written && *written == expected);
    const auto now = EveryValue(reread);
    for (const auto& [entry, old] : before) {
        if (SameProfileName(entry.first, section) && SameProfileName(entry.second, key)) continue;
        const auto it = now.find(entry);
        KZ7_FUZZ_REQUIRE(it != now.end() && it->second == old);
    }
    // At most the written key and its section are new.
    KZ7_FUZZ_REQUIRE(now.size() <= before.size() + 1);

    // Nothing but one line changed, or one key line (and perhaps its
    // section's header, and the line ending of a last line that had none)
    // added: the bytes around it are the old ones.
    const std::string oldText = TextOf(bytes, file.encoding());
    const std::string newText = TextOf(after, file.encoding());
    const std::size_t prefix = CommonPrefix(oldText, newText);
    const std::size_t suffix = CommonSuffix(std::string_view(oldText).substr(prefix), std::string_view(newText).substr(prefix));
    const std::string_view removed = std::string_view(oldText).substr(prefix, oldText.size() - prefix - suffix);
    const std::string_view added = std::string_view(newText).substr(prefix, newText.size() - prefix - suffix);
    KZ7_FUZZ_REQUIRE(LineBreaks(removed) == 0);
    KZ7_FUZZ_REQUIRE(LineBreaks(added) <= 3);
}

}  // namespace
}  // namespace kz7

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The last nine bytes choose the file's shape and what is written, so a
    // seed is a file with nine bytes after it; the rest is the file.
    const std::size_t trailer = std::min<std::size_t>(size, 9);
    std::string bytes(reinterpret_cast<const char*>(data), size - trailer);
    FuzzedDataProvider choices(data + size - trailer, trailer);
    const auto shape = choices.ConsumeIntegral<std::uint8_t>();
    // One input in 64 gets a megabyte line. Those are slow, so they are not
    // widened to UTF-16 as well: a megabyte of UTF-16 comes from an input
    // that starts with its byte-order mark.
    const bool stretched = (shape & 0xFC) == 0xFC;
    if (stretched) bytes = kz7::Stretched(bytes);
    switch (stretched ? 0 : shape & 0x03) {
        case 1: bytes = "\xEF\xBB\xBF" + bytes; break;
        case 2: bytes = kz7::Widened(bytes, false); break;
        case 3: bytes = kz7::Widened(bytes, true); break;
        default: break;
    }
    kz7::Check(bytes, choices);
    return 0;
}
