#pragma once

// The function list of each button of the basic page and what choosing a row
// does: which dialog runs, where its answer goes in the record, the label the
// button shows, the rule that keeps a left click, the key-off rule and the
// DPI sub-menu. The view opens and closes the lists the model says.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/device_config.h"
#include "config/prompter.h"
#include "keys/function_choice.h"
#include "keys/key_dialogs.h"
#include "locale/language.h"
#include "skins/button_labels.h"

namespace kz7 {

// The list has one row per function code 0..14; 15 is never offered.
inline constexpr int kFunctionRows = 15;
// Hovering this row shows the DPI sub-menu; clicking it does nothing.
inline constexpr int kDpiSwitchRow = kFnDpiSwitch;
// "DPI +", "DPI -", "DPI Loop": sub-menu row r stores mode r + 1.
inline constexpr int kDpiModeRows = 3;

// The rows of the function list in a language, in code order.
std::vector<std::string_view> FunctionRows(UiLanguage language);
// The rows of the DPI sub-menu, the same in every language.
std::vector<std::string_view> DpiModeRows();

class ButtonFunctionMenu {
public:
    // The menu edits buttons 1..6 (slots 0..5) of the record's current mode.
    static constexpr int kSlots = 6;

    ButtonFunctionMenu(ConfigModel& model, ButtonLabels& labels, UiLanguage language);

    // A click on slot's box: closes its list when open; otherwise closes any
    // other and opens this one, unless it holds the mode's only left click
    // ("Left key must be selected!"). True when the slot's list is open afterwards.
    bool OpenFunctionList(int slot, Prompter& prompter);
    // The open list closes without a choice (a click elsewhere, the page left).
    void CloseFunctionList();
    // The pointer is over `row` of slot's open list: the row is selected, and
    // the DPI sub-menu shows beside row 6 only.
    void TrackFunctionList(int slot, int row);
    // A click on `row` of slot's open list. Rows 8..13 run their dialog first;
    // Cancel changes nothing. Row 6 and no row do nothing and keep the list open.
    void ChooseFunction(int slot, int row, KeyDialogs& dialogs);
    // A click on `row` of the DPI sub-menu: the open slot becomes "DPI Switch" with that mode.
    void ChooseDpiMode(int row);
    // "Default": slots 1..9 of both modes and their labels.
    void RestoreDefaultButtons();

    // Whether slot holds the only left click of the current mode (all twelve slots counted).
    bool LeftClickMustStay(int slot) const;

    std::optional<int> OpenSlot() const { return openSlot_; }
    int SelectedRow() const { return selectedRow_; }
    bool SubMenuShown() const { return subMenu_; }
    // The label the box of slot (0-based) shows in the current mode.
    const std::string& Label(int slot) const;
    UiLanguage Language() const { return language_; }

private:
    int Mode() const { return model_.config.currentMode == 1 ? 1 : 0; }
    ButtonSet& Set() { return model_.config.buttons[Mode()]; }
    const ButtonSet& Set() const { return model_.config.buttons[Mode()]; }
    // The choice a row and its dialog's answer make, or nothing when the dialog was cancelled.
    static std::optional<FunctionChoice> RunParameterDialog(int row, KeyDialogs& dialogs);
    void StoreFunction(int slot, int code, const std::string& label);
    void Close();

    ConfigModel& model_;
    ButtonLabels& labels_;
    UiLanguage language_;
    std::optional<int> openSlot_;
    int selectedRow_ = -1;
    bool subMenu_ = false;
};

}  // namespace kz7
