#include "ini/ini_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "config/atomic_file.h"
#include "ini/utf8.h"

namespace kz7 {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string FoldedName(std::string_view name) { return FoldCase(TrimProfileBlanks(name)); }

// "[name]", built by appending: `"[" + std::string(...)` makes GCC 12 at -O3
// warn falsely (-Wrestrict) inside the string's insert.
std::string SectionHeader(std::string_view name) {
    std::string header;
    header.reserve(name.size() + 2);
    header += '[';
    header += name;
    header += ']';
    return header;
}

std::string WithoutLineBreaks(std::string_view text) {
    std::string clean(text);
    std::replace(clean.begin(), clean.end(), '\r', ' ');
    std::replace(clean.begin(), clean.end(), '\n', ' ');
    return clean;
}

// A section or key name as a new line of the file holds it.
std::string WritableName(std::string_view name) { return std::string(TrimProfileBlanks(WithoutLineBreaks(name))); }

bool QuotedValue(std::string_view value) {
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
}

// The value part of a key line, as a read returns it.
std::string_view ReadableValue(std::string_view text) {
    const auto equals = text.find('=');
    std::string_view value = TrimProfileBlanks(text.substr(equals + 1));
    if (QuotedValue(value)) value = value.substr(1, value.size() - 2);
    return value;
}

// A value as its key line holds it. A read takes away surrounding blanks and
// one pair of enclosing quotes, so a value that has either is written in
// quotes (which every reader of such files takes away) to read back whole.
std::string WritableValue(std::string_view value) {
    std::string text = WithoutLineBreaks(value);
    const bool readsShorter = !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()) || QuotedValue(text));
    return readsShorter ? '"' + text + '"' : text;
}

}  // namespace

std::string_view TrimProfileBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool SameProfileName(std::string_view a, std::string_view b) {
    a = TrimProfileBlanks(a);
    b = TrimProfileBlanks(b);
    // Folding keeps every character's length in bytes, so names of other
    // lengths differ. Without this a damaged file whose megabyte line reads
    // as a section name was folded whole at every read of any key, and
    // loading str.ini took many seconds.
    if (a.size() != b.size()) return false;
    const auto plain = [](std::string_view text) {
        return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    };
    if (plain(a) && plain(b)) {  // the common case
        return std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
    }
    return SameFolded(a, b);
}

int LeadingInteger(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (IsBlank(text[at]) || text[at] == '\n')) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    std::int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > std::int64_t{INT_MAX} + 1) value = std::int64_t{INT_MAX} + 1;
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

IniFile::Line IniFile::MakeLine(std::string text, std::string ending) {
    Line line{std::move(text), std::move(ending), Kind::Other, {}};
    const std::string_view content = TrimProfileBlanks(line.text);
    if (content.empty() || content.front() == ';') return line;
    if (content.front() == '[') {
        const auto close = content.rfind(']');
        if (close != std::string_view::npos) {
            line.kind = Kind::Section;
            line.name = std::string(TrimProfileBlanks(content.substr(1, close - 1)));
            return line;
        }
    }
    const auto equals = content.find('=');
    if (equals != std::string_view::npos) {
        line.kind = Kind::Key;
        line.name = std::string(TrimProfileBlanks(content.substr(0, equals)));
    }
    return line;
}

IniFile IniFile::Load(const std::filesystem::path& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return IniFile{};
    return Parse(bytes);
}

std::optional<IniFile> IniFile::LoadForUpdate(const std::filesystem::path& path, int* error) {
    if (error) *error = 0;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return IniFile{};
    std::string bytes;
    errno = 0;
    if (ec || !std::filesystem::is_regular_file(status) || !ReadWholeFile(path, bytes)) {
        if (error) *error = ec ? ec.value() : (std::filesystem::is_directory(status) ? EISDIR : (errno ? errno : EIO));
        return std::nullopt;
    }
    return Parse(bytes);
}

IniFile IniFile::Parse(std::string_view bytes) {
    IniFile file;
    std::string text;
    if (bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom)) {
        const bool bigEndian = bytes.starts_with(kUtf16BeBom);
        file.encoding_ = bigEndian ? Encoding::Utf16Be : Encoding::Utf16Le;
        bytes.remove_prefix(2);
        if (bytes.size() % 2) file.oddTrailingByte_ = std::string(bytes.substr(bytes.size() - 1));
        text = Utf8FromUtf16(bytes, bigEndian);
    } else if (bytes.starts_with(kUtf8Bom)) {
        file.encoding_ = Encoding::Utf8WithBom;
        text = std::string(bytes.substr(kUtf8Bom.size()));
    } else {
        text = std::string(bytes);
    }

    bool endingKnown = false;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto newline = text.find('\n', start);
        if (newline == std::string::npos) {
            file.lines_.push_back(MakeLine(text.substr(start), ""));
            break;
        }
        // Chosen once and built once: assigning "\r\n" over "\n" makes GCC 12
        // at -O3 warn falsely (-Wmaybe-uninitialized) about the string.
        const bool crlf = newline > start && text[newline - 1] == '\r';
        const std::size_t contentEnd = crlf ? newline - 1 : newline;
        std::string ending(crlf ? "\r\n" : "\n");
        if (!endingKnown) {
            file.lineEnding_ = ending;
            endingKnown = true;
        }
        file.lines_.push_back(MakeLine(text.substr(start, contentEnd - start), std::move(ending)));
        start = newline + 1;
    }
    return file;
}

std::optional<IniFile::SectionRange> IniFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind != Kind::Section || !SameProfileName(lines_[i].name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && lines_[end].kind != Kind::Section) ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKey(const SectionRange& range, std::string_view key) const {
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        if (lines_[i].kind == Kind::Key && SameProfileName(lines_[i].name, key)) return i;
    }
    return std::nullopt;
}

std::vector<std::string> IniFile::SectionNames() const {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    for (const Line& line : lines_) {
        if (line.kind == Kind::Section && seen.insert(FoldedName(line.name)).second) names.push_back(line.name);
    }
    return names;
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    const auto range = FindSection(section);
    if (!range) return names;
    std::unordered_set<std::string> seen;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        const Line& line = lines_[i];
        if (line.kind == Kind::Key && seen.insert(FoldedName(line.name)).second) names.push_back(line.name);
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> IniFile::Entries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> entries;
    const auto range = FindSection(section);
    if (!range) return entries;
    std::unordered_set<std::string> seen;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        const Line& line = lines_[i];
        if (line.kind == Kind::Key && seen.insert(FoldedName(line.name)).second) {
            entries.emplace_back(line.name, std::string(ReadableValue(line.text)));
        }
    }
    return entries;
}

bool IniFile::HasSection(std::string_view section) const { return FindSection(section).has_value(); }

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    const auto range = FindSection(section);
    if (!range) return std::nullopt;
    const auto at = FindKey(*range, key);
    if (!at) return std::nullopt;
    return std::string(ReadableValue(lines_[*at].text));
}

std::string IniFile::GetString(std::string_view section, std::string_view key, std::string_view fallback,
                               std::size_t maxChars) const {
    const auto value = Get(section, key);
    return std::string(CutToCharacters(value ? std::string_view(*value) : fallback, maxChars));
}

int IniFile::GetInt(std::string_view section, std::string_view key, int fallback) const {
    const auto value = Get(section, key);
    if (!value || value->empty()) return fallback;
    return LeadingInteger(*value);
}

void IniFile::InsertLine(std::size_t at, std::string text) {
    if (at > 0 && lines_[at - 1].ending.empty()) lines_[at - 1].ending = lineEnding_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), MakeLine(std::move(text), lineEnding_));
}

std::optional<IniFile::SectionRange> IniFile::FindSectionToWrite(std::string_view section) const {
    if (auto range = FindSection(section)) return range;
    return FindSection(WritableName(section));
}

bool IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    // The line must read back as this key: a name that starts with "[" or
    // ";" or holds "=" would make it a header, a comment or another key, and
    // a header would take the keys after it out of their section.
    const auto holds = [](const Line& line, std::string_view name) {
        return line.kind == Kind::Key && SameProfileName(line.name, name);
    };
    const auto range = FindSectionToWrite(section);
    if (!range) {
        Line keyLine = MakeLine(WritableName(key) + "=" + WritableValue(value), lineEnding_);
        if (!holds(keyLine, WritableName(key))) return false;
        InsertLine(lines_.size(), SectionHeader(WritableName(section)));
        InsertLine(lines_.size(), std::move(keyLine.text));
        return true;
    }
    auto at = FindKey(*range, key);
    if (!at) at = FindKey(*range, WritableName(key));
    if (at) {
        Line& line = lines_[*at];
        Line changed = MakeLine(line.name + "=" + WritableValue(value), line.ending);
        if (!holds(changed, line.name)) return false;
        line = std::move(changed);
        return true;
    }
    Line keyLine = MakeLine(WritableName(key) + "=" + WritableValue(value), lineEnding_);
    if (!holds(keyLine, WritableName(key))) return false;
    // After the section's last non-blank line, so that blank lines that set
    // the next section apart stay where they are.
    std::size_t end = range->end;
    while (end > range->header + 1 && TrimProfileBlanks(lines_[end - 1].text).empty()) --end;
    InsertLine(end, std::move(keyLine.text));
    return true;
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
    const auto range = FindSection(section);
    if (!range) return;
    if (const auto at = FindKey(*range, key)) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*at));
}

void IniFile::DeleteSection(std::string_view section) {
    while (const auto range = FindSection(section)) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->header),
                     lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
    }
}

void IniFile::ReplaceSection(std::string_view section,
                             const std::vector<std::pair<std::string, std::string>>& entries) {
    // A section of the file keeps its name as the file spells it, even one
    // with a carriage return inside (a line of the file cannot hold a line
    // feed), so that it is found by that name afterwards.
    const std::string name = FindSection(section) ? std::string(TrimProfileBlanks(section)) : WritableName(section);
    DeleteSection(name);
    InsertLine(lines_.size(), SectionHeader(name));
    std::unordered_map<std::string, std::size_t> lineOfKey;
    for (const auto& [key, value] : entries) {
        const std::string keyName = WritableName(key);
        const std::string text = keyName + "=" + WritableValue(value);
        const auto [it, added] = lineOfKey.emplace(FoldedName(keyName), lines_.size());
        if (added) {
            InsertLine(lines_.size(), text);
        } else {  // a key written twice keeps its first place and its last value
            Line& line = lines_[it->second];
            line = MakeLine(line.name + "=" + WritableValue(value), std::move(line.ending));
        }
    }
}

std::string IniFile::Serialize() const {
    std::string text;
    for (const Line& line : lines_) {
        text += line.text;
        text += line.ending;
    }
    switch (encoding_) {
        case Encoding::Utf8: return text;
        case Encoding::Utf8WithBom: return std::string(kUtf8Bom) + text;
        case Encoding::Utf16Le: return std::string(kUtf16LeBom) + Utf16FromUtf8(text, false) + oddTrailingByte_;
        case Encoding::Utf16Be: return std::string(kUtf16BeBom) + Utf16FromUtf8(text, true) + oddTrailingByte_;
    }
    return text;
}

int IniFile::Save(const std::filesystem::path& path) const { return WriteFileAtomically(path, Serialize()); }

std::string ReadProfileString(const std::filesystem::path& path, std::string_view section, std::string_view key,
                              std::string_view fallback, std::size_t maxChars) {
    return IniFile::Load(path).GetString(section, key, fallback, maxChars);
}

int ReadProfileInt(const std::filesystem::path& path, std::string_view section, std::string_view key,
                   int fallback) {
    return IniFile::Load(path).GetInt(section, key, fallback);
}

int WriteProfileString(const std::filesystem::path& path, std::string_view section, std::string_view key,
                       std::string_view value) {
    int error = 0;
    auto file = IniFile::LoadForUpdate(path, &error);
    if (!file) return error;
    if (!file->Set(section, key, value)) return EINVAL;
    return file->Save(path);
}

int DeleteProfileKey(const std::filesystem::path& path, std::string_view section, std::string_view key) {
    int error = 0;
    auto file = IniFile::LoadForUpdate(path, &error);
    if (!file) return error;
    if (!file->Get(section, key)) return 0;
    file->DeleteKey(section, key);
    return file->Save(path);
}

int DeleteProfileSection(const std::filesystem::path& path, std::string_view section) {
    int error = 0;
    auto file = IniFile::LoadForUpdate(path, &error);
    if (!file) return error;
    if (!file->HasSection(section)) return 0;
    file->DeleteSection(section);
    return file->Save(path);
}

}  // namespace kz7
