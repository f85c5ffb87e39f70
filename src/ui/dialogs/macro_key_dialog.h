#pragma once

// "Macro Key": one macro of record.ini from a skinned drop-down and one of
// three exclusive repeat modes, ticked like check boxes (the first one when
// the dialog opens). A click on an option's text ticks it too.

#include <array>
#include <string>
#include <vector>

#include "keys/key_dialogs.h"
#include "macros/macro_key_dialog.h"
#include "ui/dialogs/skinned_dialog.h"

class QLabel;

namespace kz7::ui {

class CheckBox;
class DropdownBox;

class CMacroDialog : public SkinnedDialog {
    Q_OBJECT
public:
    // `names`: the macros a button can play, in block order.
    CMacroDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter,
                 std::vector<std::string> names);

    MacroKeyChoice Choice() const { return model_.Choice(); }

    // The parts, for tests (null in the reduced form).
    const QLabel* NameLabel() const { return nameLabel_; }
    const DropdownBox* MacroList() const { return macroList_; }

protected:
    void AddControls(ControlList& controls) override;
    void DrawContent(DrawingPass& pass) override;
    void OpenedReduced() override { model_.LoseRepeatOptions(); }

private:
    void ChooseMacro(int row);
    void ChooseRepeatMode(int mode);

    MacroKeyDialogModel model_;
    QLabel* nameLabel_ = nullptr;
    DropdownBox* macroList_ = nullptr;
    std::array<CheckBox*, kMacroRepeatModes> optionBoxes_{};
};

}  // namespace kz7::ui
