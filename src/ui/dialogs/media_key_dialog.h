#pragma once

// "Multimedia" and "Windows": one action picked from a skinned drop-down
// (seven media keys, eleven launch targets), in the UI language. Both
// always start from their first row; without the background, OK answers
// row 0 with an empty text.

#include <span>
#include <string>

#include "keys/key_dialogs.h"
#include "locale/strings.h"
#include "ui/dialogs/skinned_dialog.h"
#include "ui/layout/dialog_zones.h"

class QLabel;

namespace kz7::ui {

class DropdownBox;

class CListKeyDialog : public SkinnedDialog {
    Q_OBJECT
public:
    ListChoice Choice() const { return choice_; }

    // The parts, for tests (null in the reduced form).
    const QLabel* ChoiceStatic() const { return choiceStatic_; }
    const DropdownBox* ChoiceList() const { return choiceList_; }

protected:
    CListKeyDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter, DialogLook look,
                   const DropdownZones& zones, std::span<const UiText> rows);
    void AddControls(ControlList& controls) override;

private:
    void Choose(int row);

    const DropdownZones& zones_;
    std::span<const UiText> rows_;
    ListChoice choice_{};
    QLabel* choiceStatic_ = nullptr;
    DropdownBox* choiceList_ = nullptr;
};

class CMediaDialog : public CListKeyDialog {
    Q_OBJECT
public:
    CMediaDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter);
};

class CWindowsDialog : public CListKeyDialog {
    Q_OBJECT
public:
    CWindowsDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter);
};

}  // namespace kz7::ui
