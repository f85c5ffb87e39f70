#include "macros/macro_store.h"

#include <algorithm>

#include "macros/macro_messages.h"

namespace kz7 {

namespace {

std::string FoldedKey(std::string_view text) { return FoldCase(text); }

std::string ItemKey(std::size_t index) { return "Item" + std::to_string(index); }

}  // namespace

MacroLineKind ClassifyMacroLine(std::string_view line) {
    if (line.find(kKeyDownMark) != std::string_view::npos) return MacroLineKind::KeyDown;
    if (line.find(kKeyUpMark) != std::string_view::npos) return MacroLineKind::KeyUp;
    return MacroLineKind::Other;
}

MacroSection::MacroSection(const IniFile& file, std::string_view name) {
    const auto entries = file.Entries(name);
    for (const auto& [key, value] : entries) {
        items_.emplace(FoldedKey(key), std::string(CutToCharacters(value, kMacroValueChars)));
    }
    const auto count = items_.find("itemcount");
    if (count != items_.end() && !count->second.empty()) itemCount_ = std::max(0, LeadingInteger(count->second));
    lineCount_ = std::min(static_cast<std::size_t>(itemCount_), std::max(kMaxMacroLines, entries.size()));
}

std::string MacroSection::Line(std::size_t index) const {
    const auto it = items_.find(FoldedKey(ItemKey(index)));
    return it == items_.end() ? std::string() : it->second;
}

std::vector<std::string> MacroSection::Lines() const {
    std::vector<std::string> lines;
    lines.reserve(lineCount_);
    for (std::size_t i = 0; i < lineCount_; ++i) lines.push_back(Line(i));
    return lines;
}

bool MacroStore::Exists() const {
    std::error_code ec;
    return std::filesystem::exists(file_, ec);
}

std::vector<std::string> MacroStore::Names() const { return Read().SectionNames(); }

int MacroStore::Save(std::string_view name, const std::vector<std::string>& lines) const {
    int error = 0;
    auto file = IniFile::LoadForUpdate(file_, &error);
    if (!file) return error;
    PutMacro(*file, name, lines);
    return file->Save(file_);
}

void PutMacro(IniFile& recordIni, std::string_view name, const std::vector<std::string>& lines) {
    std::vector<std::pair<std::string, std::string>> entries;
    entries.reserve(lines.size() + 1);
    entries.emplace_back("ItemCount", std::to_string(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) entries.emplace_back(ItemKey(i), lines[i]);
    recordIni.ReplaceSection(name, entries);
}

int MacroStore::Delete(std::string_view name) const {
    return DeleteProfileSection(file_, name);
}

std::string MacroNameProblem(std::string_view name) {
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return std::string(kMacroNameControlMessage);
    }
    if (CountCharacters(name) > kMaxMacroNameChars) return MacroNameTooLongMessage(name);
    return {};
}

int FindMacroName(const std::vector<std::string>& names, std::string_view name) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (SameProfileName(names[i], name)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace kz7
