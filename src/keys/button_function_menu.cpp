#include "keys/button_function_menu.h"

#include "keys/button_functions.h"
#include "keys/key_codes.h"
#include "locale/strings.h"

namespace kz7 {

namespace {

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }

}  // namespace

std::vector<std::string_view> FunctionRows(UiLanguage language) {
    std::vector<std::string_view> rows;
    rows.reserve(kFunctionRows);
    for (int code = 0; code < kFunctionRows; ++code) rows.push_back(FunctionText(code, language));
    return rows;
}

std::vector<std::string_view> DpiModeRows() {
    std::vector<std::string_view> rows;
    for (int mode = 1; mode <= kDpiModeRows; ++mode) rows.push_back(DpiSwitchModeName(Byte(mode)));
    return rows;
}

ButtonFunctionMenu::ButtonFunctionMenu(ConfigModel& model, ButtonLabels& labels, UiLanguage language)
    : model_(model), labels_(labels), language_(language) {}

const std::string& ButtonFunctionMenu::Label(int slot) const {
    static const std::string kNone;
    if (slot < 0 || slot >= kLabelSlots) return kNone;
    return labels_.text[static_cast<std::size_t>(Mode())][static_cast<std::size_t>(slot)];
}

bool ButtonFunctionMenu::LeftClickMustStay(int slot) const {
    if (slot < 0 || slot >= kSlots) return false;
    const ButtonSet& set = Set();
    if (set.function[slot] != kFnLeftClick) return false;
    for (int other = 0; other < kButtonSlots; ++other) {
        if (other != slot && set.function[other] == kFnLeftClick) return false;
    }
    return true;
}

bool ButtonFunctionMenu::OpenFunctionList(int slot, Prompter& prompter) {
    if (slot < 0 || slot >= kSlots) return false;
    if (openSlot_ == slot) {
        Close();
        return false;
    }
    Close();
    if (LeftClickMustStay(slot)) {
        prompter.ShowMessage(Text(UiText::LeftKeyMustBeSelected, language_), kWarningCaption);
        return false;
    }
    openSlot_ = slot;
    return true;
}

void ButtonFunctionMenu::CloseFunctionList() { Close(); }

void ButtonFunctionMenu::Close() {
    openSlot_.reset();
    selectedRow_ = -1;
    subMenu_ = false;
}

void ButtonFunctionMenu::TrackFunctionList(int slot, int row) {
    if (openSlot_ != slot || row < 0 || row >= kFunctionRows) return;
    selectedRow_ = row;
    subMenu_ = row == kDpiSwitchRow;
}

std::optional<FunctionChoice> ButtonFunctionMenu::RunParameterDialog(int row, KeyDialogs& dialogs) {
    auto choose = [row](auto answer) -> std::optional<FunctionChoice> {
        if (!answer) return std::nullopt;
        return FunctionChoice{row, *answer};
    };
    switch (row) {
        case kFnLaunch: return choose(dialogs.RunLaunchKey());
        case kFnMultimedia: return choose(dialogs.RunMediaKey());
        case kFnFireKey: return choose(dialogs.RunFireKey());
        case kFnSingleKey: return choose(dialogs.RunSingleKey());
        case kFnComboKey: return choose(dialogs.RunComboKey());
        case kFnMacroKey: return choose(dialogs.RunMacroKey());
        default: return FunctionChoice{row, {}};
    }
}

void ButtonFunctionMenu::ChooseFunction(int slot, int row, KeyDialogs& dialogs) {
    if (openSlot_ != slot || row < 0 || row >= kFunctionRows || row == kDpiSwitchRow) return;
    // The record is only touched once the dialog said OK.
    const std::optional<FunctionChoice> choice = RunParameterDialog(row, dialogs);
    Close();
    if (!choice) return;
    WriteFunctionParameters(Set(), model_.config.dpiSwitchMode[Mode()], slot, *choice);
    StoreFunction(slot, row, FunctionLabel(*choice, language_));
}

void ButtonFunctionMenu::StoreFunction(int slot, int code, const std::string& label) {
    const int mode = Mode();
    const auto s = static_cast<std::size_t>(slot);
    // A key switched off in one mode is off in both: whatever it becomes
    // next is given to both (the function and its label, not its parameters).
    const bool wasKeyOff = model_.config.buttons[mode].function[slot] == kFnKeyOff;
    for (int m = 0; m < kButtonModes; ++m) {
        if (m != mode && !wasKeyOff) continue;
        model_.config.buttons[m].function[slot] = Byte(code);
        labels_.text[static_cast<std::size_t>(m)][s] = label;
    }
    model_.NotifyChanged(ConfigPart::Buttons);
}

void ButtonFunctionMenu::ChooseDpiMode(int row) {
    if (row < 0 || row >= kDpiModeRows || !openSlot_) return;
    const int slot = *openSlot_;
    Close();
    const FunctionChoice choice{kFnDpiSwitch, DpiModeChoice{Byte(row + 1)}};
    Set().function[slot] = kFnDpiSwitch;
    WriteFunctionParameters(Set(), model_.config.dpiSwitchMode[Mode()], slot, choice);
    labels_.text[static_cast<std::size_t>(Mode())][static_cast<std::size_t>(slot)] = FunctionLabel(choice, language_);
    model_.NotifyChanged(ConfigPart::Buttons);
}

void ButtonFunctionMenu::RestoreDefaultButtons() {
    Close();
    kz7::RestoreDefaultButtons(model_.config);
    SetDefaultLabels(labels_, language_);
    model_.NotifyChanged(ConfigPart::Buttons);
}

}  // namespace kz7
