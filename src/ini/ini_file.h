#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kz7 {

// An INI document with the semantics of the Windows private-profile functions
// that record.ini and str.ini were made for:
//   - section and key names are compared without regard to letter case and
//     without their surrounding blanks; values are read without their
//     surrounding blanks and without one pair of matching enclosing quotes;
//   - the first matching section and the first matching key win; a repeated
//     section is invisible to reads, and deleting a section removes every
//     section of that name;
//   - a changed key keeps its place; a new key goes to the end of its
//     section, a new section to the end of the file;
//   - comments (";" lines), blank lines and lines that are neither headers
//     nor keys are kept as they are.
// Every line the program does not change is written back byte for byte, so
// a damaged file (garbage, very long lines, no final newline) never loses
// content when an unrelated key is written. The file's encoding (UTF-8 with
// or without a byte-order mark, UTF-16 with a byte-order mark) and its line
// ending (CRLF or LF, as its first line has it) are kept on rewrite; a new
// file is UTF-8 with LF. Text in the interface is UTF-8.
class IniFile {
public:
    enum class Encoding { Utf8, Utf8WithBom, Utf16Le, Utf16Be };

    static IniFile Load(const std::filesystem::path& path);  // missing/unreadable file: empty document
    static IniFile Parse(std::string_view bytes);
    // For a read-modify-write: a missing file is an empty document, but a file
    // that exists and cannot be read gives nothing (and the error number), so
    // that a rewrite never replaces content it could not see.
    static std::optional<IniFile> LoadForUpdate(const std::filesystem::path& path, int* error = nullptr);

    std::vector<std::string> SectionNames() const;  // file order, each name once
    std::vector<std::string> KeyNames(std::string_view section) const;  // file order, each name once
    bool HasSection(std::string_view section) const;
    // The keys of a section with their values as Get reads them, in file
    // order, each key once: one pass for callers that read a whole section.
    std::vector<std::pair<std::string, std::string>> Entries(std::string_view section) const;
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // Private-profile string read: fallback when missing; value cut to maxChars characters.
    std::string GetString(std::string_view section, std::string_view key, std::string_view fallback,
                          std::size_t maxChars = 1023) const;
    // Private-profile integer read: fallback when the key is missing or empty;
    // otherwise blanks, an optional sign and the leading decimal digits (none
    // gives 0), held to the range of int.
    int GetInt(std::string_view section, std::string_view key, int fallback) const;

    // Line breaks in names and values would split the line and forge other
    // keys or sections, so they are written as blanks. A value with
    // surrounding blanks or enclosing quotes is written in quotes, so that it
    // reads back as it was given. An existing section or key is written in
    // place when it has the name as given (a damaged name with a carriage
    // return inside included) or as it would be written. A key whose line
    // could not read back as that key with that value (a name that starts
    // with "[" and a value with "]", a name with "=") is not written: false,
    // and the document is unchanged.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    void DeleteKey(std::string_view section, std::string_view key);
    void DeleteSection(std::string_view section);
    // DeleteSection, then the section with these keys in this order at the
    // end of the file: the same as writing the keys one by one, in one pass.
    void ReplaceSection(std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries);

    std::string Serialize() const;  // keeps the file's own line ending and encoding rules
    int Save(const std::filesystem::path& path) const;  // atomic (WriteFileAtomically); 0 or errno

    Encoding encoding() const { return encoding_; }
    std::string_view lineEnding() const { return lineEnding_; }
    bool empty() const { return lines_.empty(); }

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string text;    // without its line ending
        std::string ending;  // "\r\n", "\n", or "" for a last line without one
        Kind kind = Kind::Other;
        std::string name;    // trimmed section or key name
    };
    struct SectionRange {
        std::size_t header;  // index of the header line
        std::size_t end;     // one past the section's last line
    };

    static Line MakeLine(std::string text, std::string ending);
    std::optional<SectionRange> FindSection(std::string_view section) const;
    std::optional<SectionRange> FindSectionToWrite(std::string_view section) const;
    std::optional<std::size_t> FindKey(const SectionRange& range, std::string_view key) const;
    void InsertLine(std::size_t at, std::string text);

    std::vector<Line> lines_;
    Encoding encoding_ = Encoding::Utf8;
    std::string lineEnding_ = "\n";
    std::string oddTrailingByte_;  // a UTF-16 file of odd length keeps its last byte
};

// One read or write per call on a file, as the private-profile functions do.
// Writes rewrite the whole file atomically and return 0 or the error number
// (EINVAL for a key that Set cannot write).
std::string ReadProfileString(const std::filesystem::path& path, std::string_view section,
                              std::string_view key, std::string_view fallback,
                              std::size_t maxChars = 1023);
int ReadProfileInt(const std::filesystem::path& path, std::string_view section, std::string_view key,
                   int fallback);
int WriteProfileString(const std::filesystem::path& path, std::string_view section, std::string_view key,
                       std::string_view value);
int DeleteProfileKey(const std::filesystem::path& path, std::string_view section, std::string_view key);
int DeleteProfileSection(const std::filesystem::path& path, std::string_view section);

// Blanks as the profile functions strip them around names and values.
std::string_view TrimProfileBlanks(std::string_view text);
// Case-insensitive comparison of trimmed names (letters fold as FoldCase says).
bool SameProfileName(std::string_view a, std::string_view b);
// Leading blanks, an optional sign and decimal digits, as C's atoi reads
// them, but held to the range of int instead of overflowing.
int LeadingInteger(std::string_view text);

}  // namespace kz7
