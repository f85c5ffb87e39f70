#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "config/device_config.h"
#include "config/prompter.h"
#include "locale/language.h"
#include "macros/macro_store.h"

namespace kz7 {

// The macro area of the advanced page as plain state: the macro list, the
// selected macro's lines, the name field and the loop-count field. The
// lists are the working copy; record.ini is the saved copy, written only by
// Delete and Confirm. A view shows these members and calls the commands.
class MacroArea {
public:
    MacroArea(std::filesystem::path recordIni, DeviceConfig& config, Prompter& prompter,
              UiLanguage language = UiLanguage::English);

    std::vector<std::string> macroList;
    std::vector<std::string> lineList;
    std::string nameField;
    std::string loopCountField;
    int selectedMacro = -1;  // position in macroList, -1 for none
    int selectedLine = -1;   // position in lineList, -1 for none

    // Fills the controls anew from record.ini, as each entry into the page does.
    void Load();
    // The macro list's selection changed to `index` (-1: nothing selected).
    void Select(int index);
    // "New": adds the name field's text to the list, not yet to record.ini.
    void New();
    // "Delete": removes the selected macro from record.ini and then from the
    // list; when record.ini cannot be written the user is told, and the list
    // keeps the macro as long as the file does. The device blocks keep their
    // content until the next Confirm.
    void Delete();
    // "Confirm": stores the selected macro's lines as the last section of
    // record.ini and rebuilds every device block from the file.
    void Confirm();
    // The loop-count field was edited: an empty or out-of-range count becomes
    // 1; the count goes straight into the selected macro's block.
    void LoopCountChanged();
    // The line list's menu "Delete": the selected line leaves the list (not
    // record.ini, which changes on Confirm).
    void DeleteSelectedLine();

    const MacroStore& store() const { return store_; }

private:
    void ShowLoopCountOf(int block);

    MacroStore store_;
    DeviceConfig& config_;
    Prompter& prompter_;
    UiLanguage language_;
};

}  // namespace kz7
