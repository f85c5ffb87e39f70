#include "macros/macro_area.h"

#include "ini/utf8.h"
#include "locale/strings.h"
#include "macros/macro_blocks.h"
#include "macros/macro_messages.h"

namespace kz7 {

namespace {

constexpr unsigned kMaxLoopCount = 65535;

}  // namespace

MacroArea::MacroArea(std::filesystem::path recordIni, DeviceConfig& config, Prompter& prompter, UiLanguage language)
    : store_(std::move(recordIni)), config_(config), prompter_(prompter), language_(language) {}

void MacroArea::ShowLoopCountOf(int block) {
    if (block >= 0 && block < kMacroCount) loopCountField = std::to_string(MacroLoopCount(config_, block));
}

void MacroArea::Load() {
    macroList.clear();
    lineList.clear();
    nameField.clear();
    loopCountField.clear();
    selectedMacro = -1;
    selectedLine = -1;
    if (!store_.Exists()) return;

    const IniFile file = store_.Read();
    macroList = file.SectionNames();  // every section, however long the names
    if (macroList.empty()) return;
    nameField = macroList.front();
    const MacroSection first(file, macroList.front());
    if (first.itemCount() != 0) lineList = first.Lines();
    selectedMacro = 0;
    ShowLoopCountOf(0);
}

void MacroArea::Select(int index) {
    if (index < 0 || index >= static_cast<int>(macroList.size())) return;
    selectedMacro = index;
    selectedLine = -1;
    nameField = macroList[static_cast<std::size_t>(index)];
    const MacroSection macro = store_.Section(nameField);
    lineList.clear();
    if (macro.itemCount() == 0) return;  // the loop-count field keeps its text
    lineList = macro.Lines();
    ShowLoopCountOf(index);
}

void MacroArea::New() {
    // Blanks around a name would be dropped by record.ini, so they are not part of it.
    const std::string name(TrimProfileBlanks(nameField));
    if (name.empty()) {
        prompter_.ShowMessage(Text(UiText::MacroNameBlank, language_), "");
        return;
    }
    // The name's own problems come last, so that a full list always answers
    // "Macro numbers up to 12." and a taken name "already exists", whatever
    // the name looks like. (An empty list passes both list checks.)
    if (macroList.size() >= static_cast<std::size_t>(kMacroCount)) {
        prompter_.ShowMessage(kMacroCountLimitMessage, kWarningCaption);
        return;
    }
    if (FindMacroName(macroList, name) >= 0) {
        prompter_.ShowMessage(Text(UiText::MacroNameExists, language_), "");
        return;
    }
    if (const std::string problem = MacroNameProblem(name); !problem.empty()) {
        prompter_.ShowMessage(problem, kWarningCaption);
        return;
    }
    const bool first = macroList.empty();
    macroList.push_back(name);
    if (first) {  // the line list stays as it is for the first macro
        selectedMacro = 0;
        return;
    }
    lineList.clear();
    selectedLine = -1;
    selectedMacro = static_cast<int>(macroList.size()) - 1;
}

void MacroArea::Delete() {
    if (macroList.empty() || selectedMacro < 0 || selectedMacro >= static_cast<int>(macroList.size())) return;
    // The list shows what record.ini holds: the next Confirm rebuilds the
    // blocks from the file, so a list without a macro the file still has
    // would hide one that goes to the mouse. A failure can also come after
    // the file was replaced (its folder could not be synced).
    const std::string& name = macroList[static_cast<std::size_t>(selectedMacro)];
    if (const int error = store_.Delete(name)) {
        prompter_.ShowMessage(RecordFileFailedMessage(error), kWarningCaption);
        if (store_.Read().HasSection(name)) return;
    }
    macroList.erase(macroList.begin() + selectedMacro);
    selectedMacro = -1;
    lineList.clear();
    selectedLine = -1;
    nameField.clear();
}

void MacroArea::Confirm() {
    if (macroList.empty() || selectedMacro < 0 || selectedMacro >= static_cast<int>(macroList.size())) return;
    const std::string& name = macroList[static_cast<std::size_t>(selectedMacro)];
    if (const int error = store_.Save(name, lineList)) {
        prompter_.ShowMessage(RecordFileFailedMessage(error), kWarningCaption);
        return;
    }
    RebuildMacroBlocks(store_, config_, prompter_);
}

void MacroArea::LoopCountChanged() {
    const int value = LeadingInteger(loopCountField);
    unsigned count = static_cast<unsigned>(value);
    if (value < 1 || count > kMaxLoopCount) {
        loopCountField.assign(1, '1');  // not = "1": GCC 12 warns falsely (-Wrestrict) there
        count = 1;
    }
    if (selectedMacro >= 0) SetMacroLoopCount(config_, selectedMacro, count);
}

void MacroArea::DeleteSelectedLine() {
    if (selectedLine < 0 || selectedLine >= static_cast<int>(lineList.size())) return;
    lineList.erase(lineList.begin() + selectedLine);
    selectedLine = -1;
}

}  // namespace kz7
