#pragma once

// "Combo Key": at most one modifier from a drop-down list and two keys
// captured into two key boxes. A key goes into the box that has the keyboard
// focus (none: it is not taken); every key event counts, releases included,
// and only captured names are kept, never what a box itself would type.
// Enter and Escape are read, not taken as OK and Cancel.

#include <array>
#include <string>

#include "keys/key_dialogs.h"
#include "keys/key_names.h"
#include "ui/dialogs/skinned_dialog.h"

class QLabel;
class QLineEdit;

namespace kz7::ui {

class DropdownBox;

class CComboDialog : public SkinnedDialog {
    Q_OBJECT
public:
    // Without a key name service the dialog opens but reads no keys.
    CComboDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter,
                 const KeyNameService* keyNames);

    // What OK answers.
    ComboKeyChoice Choice() const { return {modifierName_, keyNames_[0], keyNames_[1]}; }

    // The parts, for tests (null in the reduced form).
    const QLabel* ModifierStatic() const { return modifierStatic_; }
    QLineEdit* KeyBox(std::size_t index) const { return keyBoxes_.at(index); }
    const DropdownBox* ModifierList() const { return modifierList_; }

protected:
    void AddControls(ControlList& controls) override;
    bool ReadsKeys() const override { return keyNameService_ != nullptr; }
    void KeyRead(const QKeyEvent& event) override;
    // Tab is a key to capture here, not a way between the boxes.
    bool focusNextPrevChild(bool) override { return false; }

private:
    void ChooseModifier(int row);
    void ListOpened(bool open);
    void ShowKeyName(std::size_t index);

    const KeyNameService* keyNameService_;
    std::string modifierName_;
    std::array<std::string, 2> keyNames_;
    QLabel* modifierStatic_ = nullptr;
    std::array<QLineEdit*, 2> keyBoxes_{};
    DropdownBox* modifierList_ = nullptr;
};

}  // namespace kz7::ui
