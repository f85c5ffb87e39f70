#include "keys/button_function_menu.h"

#include "keys/button_functions.h"
#include "keys/key_codes.h"
#include "locale/strings.h"

namespace kz7 {

namespace {

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }

std::string FunctionPrefix(int code, UiLanguage language) {
    return std::string(FunctionText(code, language)) + "-";
}

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

std::string ComboLabel(UiLanguage language, std::string_view modifierName, std::string_view key1Name,
                       std::string_view key2Name) {
    std::string label = FunctionPrefix(kFnComboKey, language);
    bool first = true;
    auto append = [&](std::string_view part) {
        if (!first) label += '+';
        label += part;
        first = false;
    };
    if (ModifierBitFromName(modifierName) != 0) append(modifierName);
    if (KeyCodeFromName(key1Name) != 0) append(key1Name);
    if (KeyCodeFromName(key2Name) != 0) append(key2Name);
    return label;
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

std::optional<std::string> ButtonFunctionMenu::RunParameterDialog(int slot, int row, KeyDialogs& dialogs) {
    ButtonSet& set = Set();
    switch (row) {
        case kFnLaunch: {
            const std::optional<ListChoice> choice = dialogs.RunLaunchKey();
            if (!choice) return std::nullopt;
            set.launchIndex[slot] = Byte(choice->row);
            set.launchCode[slot] = LaunchCodeFromRow(Byte(choice->row));
            set.launchPage[slot] = LaunchPageFromRow(Byte(choice->row));
            return choice->text;
        }
        case kFnMultimedia: {
            const std::optional<ListChoice> choice = dialogs.RunMediaKey();
            if (!choice) return std::nullopt;
            set.mediaIndex[slot] = Byte(choice->row);
            set.mediaCode[slot] = MediaCodeFromRow(Byte(choice->row));
            return FunctionPrefix(row, language_) + choice->text;
        }
        case kFnFireKey: {
            const std::optional<FireKeyChoice> choice = dialogs.RunFireKey();
            if (!choice) return std::nullopt;
            set.fireIndex[slot] = Byte(choice->row);
            set.fireCode[slot] = FireKeyCodeFromRow(Byte(choice->row));
            set.fireSpeed[slot] = choice->speed;
            set.fireTimes[slot] = choice->times;
            return FunctionPrefix(row, language_) + choice->keyName;
        }
        case kFnSingleKey: {
            const std::optional<SingleKeyChoice> choice = dialogs.RunSingleKey();
            if (!choice) return std::nullopt;
            set.singleCode[slot] = KeyCodeFromName(choice->keyName);
            return FunctionPrefix(row, language_) + choice->keyName;
        }
        case kFnComboKey: {
            const std::optional<ComboKeyChoice> choice = dialogs.RunComboKey();
            if (!choice) return std::nullopt;
            set.comboModifiers[slot] = ModifierBitFromName(choice->modifierName);
            set.comboKey1[slot] = KeyCodeFromName(choice->key1Name);
            set.comboKey2[slot] = KeyCodeFromName(choice->key2Name);
            return ComboLabel(language_, choice->modifierName, choice->key1Name, choice->key2Name);
        }
        case kFnMacroKey: {
            const std::optional<MacroKeyChoice> choice = dialogs.RunMacroKey();
            if (!choice) return std::nullopt;
            set.macroIndex[slot] = Byte(choice->index);
            // Without its options the dialog answers mode 0, stored as 255.
            set.macroMode[slot] = Byte(choice->repeatMode - 1);
            return FunctionPrefix(row, language_) + choice->name;
        }
        default:
            return std::string(FunctionText(row, language_));
    }
}

void ButtonFunctionMenu::ChooseFunction(int slot, int row, KeyDialogs& dialogs) {
    if (openSlot_ != slot || row < 0 || row >= kFunctionRows || row == kDpiSwitchRow) return;
    // The record is only touched once the dialog said OK.
    const std::optional<std::string> label = RunParameterDialog(slot, row, dialogs);
    Close();
    if (label) StoreFunction(slot, row, *label);
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
    Set().function[slot] = kFnDpiSwitch;
    model_.config.dpiSwitchMode[Mode()][slot] = Byte(row + 1);
    labels_.text[static_cast<std::size_t>(Mode())][static_cast<std::size_t>(slot)] =
        std::string(DpiSwitchModeName(Byte(row + 1)));
    model_.NotifyChanged(ConfigPart::Buttons);
}

void ButtonFunctionMenu::RestoreDefaultButtons() {
    Close();
    kz7::RestoreDefaultButtons(model_.config);
    SetDefaultLabels(labels_, language_);
    model_.NotifyChanged(ConfigPart::Buttons);
}

}  // namespace kz7
