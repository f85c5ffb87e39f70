#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ini/ini_file.h"
#include "ini/utf8.h"

namespace kz7 {

// Text of the lines that a recording or the line editor produces.
inline constexpr std::string_view kKeyDownMark = "   Dn";
inline constexpr std::string_view kKeyUpMark = "   Up";
inline constexpr std::string_view kDelayMark = " ms";
inline constexpr std::string_view kDefaultDelayLine = "50 ms";

// The mouse's macro names live in 32-character buffers, terminator included.
inline constexpr std::size_t kMaxMacroNameChars = 31;
// A stored value is read into a buffer of 1024 characters.
inline constexpr std::size_t kMacroValueChars = 1023;
// The most lines a reader walks in one section, unless the section really
// holds more keys. A block's 126-byte event area holds at most 63 events (125
// lines with the pauses between them), and a recording would take tens of
// thousands of keystrokes to come near it; but a damaged ItemCount (say
// 2000000000) must not make the encoder walk, or the line list allocate,
// billions of missing lines.
inline constexpr std::size_t kMaxMacroLines = 65536;

enum class MacroLineKind { KeyDown, KeyUp, Other };

// "   Dn" anywhere makes a key-down line; else "   Up" a key-up line; every
// other line is a pause (or text the mouse ignores).
MacroLineKind ClassifyMacroLine(std::string_view line);

// One section of record.ini as the readers see it: its ItemCount and its
// "Item%d" values.
class MacroSection {
public:
    MacroSection() = default;
    MacroSection(const IniFile& file, std::string_view name);

    // ItemCount as stored: missing, empty or not a number reads as 0, a
    // negative count as 0.
    int itemCount() const { return itemCount_; }
    // How many lines a reader walks: ItemCount, a missing "Item%d" among them
    // reading as "". A count beyond kMaxMacroLines is held there, or at the
    // number of keys the section holds when that is more, so no stored line
    // is dropped while a damaged count stays harmless.
    std::size_t lineCount() const { return lineCount_; }
    // "Item<index>" read as the profile functions read it; missing reads as "".
    std::string Line(std::size_t index) const;
    std::vector<std::string> Lines() const;

private:
    int itemCount_ = 0;
    std::size_t lineCount_ = 0;
    std::unordered_map<std::string, std::string> items_;  // lower-case key -> value
};

// record.ini: one section per macro, in file order; the section's position
// is the macro's device block. Every write rewrites the file atomically and
// returns 0 or the error number.
class MacroStore {
public:
    explicit MacroStore(std::filesystem::path file) : file_(std::move(file)) {}

    const std::filesystem::path& path() const { return file_; }
    bool Exists() const;
    IniFile Read() const { return IniFile::Load(file_); }

    // Every section name in file order.
    std::vector<std::string> Names() const;
    MacroSection Section(std::string_view name) const { return MacroSection(Read(), name); }

    // Replaces the macro's section by ItemCount and the lines; the section
    // moves to the end of the file.
    int Save(std::string_view name, const std::vector<std::string>& lines) const;
    // Removes the section; a missing file or section is left alone.
    int Delete(std::string_view name) const;

private:
    std::filesystem::path file_;
};

// MacroStore::Save's section written into a document in memory.
void PutMacro(IniFile& recordIni, std::string_view name, const std::vector<std::string>& lines);

// Why a new macro name cannot be stored (a blank name aside, whose message
// depends on the language): too long for the mouse's name buffers, or with
// control characters that a line of record.ini cannot hold. Empty when fine.
std::string MacroNameProblem(std::string_view name);

// Position of `name` among `names` (case-insensitive, as the file compares
// section names), or -1.
int FindMacroName(const std::vector<std::string>& names, std::string_view name);

}  // namespace kz7
