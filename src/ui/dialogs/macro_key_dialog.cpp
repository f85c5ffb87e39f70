#include "ui/dialogs/macro_key_dialog.h"

#include <QLabel>

#include "locale/strings.h"
#include "ui/dialogs/dialog_parts.h"
#include "ui/layout/dialog_zones.h"
#include "ui/ui_text.h"
#include "ui/widgets/dropdown_box.h"
#include "ui/widgets/image_toggle.h"
#include "ui/widgets/text_button.h"

namespace kz7::ui {

CMacroDialog::CMacroDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter,
                           std::vector<std::string> names)
    : SkinnedDialog(owner, skin, language, kMacroKeyDialog, prompter), model_(std::move(names)) {}

void CMacroDialog::AddControls(ControlList& controls) {
    nameLabel_ = AddChoiceStatic(this, macro_key::kMacro.text, Qt::AlignLeft, QString());
    const auto rows = [this] {
        QStringList names;
        for (const std::string& name : model_.Names()) names << FromUtf8(name);
        return names;
    };
    macroList_ =
        &AddDialogDropdown(controls, this, macro_key::kMacro, DialogFont(), {rows, [this](int row) { ChooseMacro(row); }});

    for (int i = 0; i < kMacroRepeatModes; ++i) {
        const int mode = i + 1;
        const HotZone& box = macro_key::kRepeatOptions[static_cast<std::size_t>(i)];
        optionBoxes_[static_cast<std::size_t>(i)] = &controls.Add<CheckBox>(box, [this, mode] { return model_.Ticked(mode); },
                               [this, mode] { ChooseRepeatMode(mode); });
        // The option's text, drawn with the dialog's own texts, answers a click as its box does.
        controls.Add<TextButton>(macro_key::OptionTextZone(box), TextButton::Look{{}, false}, nullptr,
                                 [this, mode] { ChooseRepeatMode(mode); });
    }
}

void CMacroDialog::DrawContent(DrawingPass& pass) {
    pass.DrawText(Tr(UiText::PleaseSelectMacro, Language()), macro_key::kPrompt, TextFormat::Centered, DialogFont(),
                  Qt::white);
    const auto options = MacroRepeatModeTexts();
    for (std::size_t i = 0; i < options.size() && i < macro_key::kRepeatOptions.size(); ++i) {
        pass.DrawText(Tr(options[i], Language()), macro_key::OptionTextZone(macro_key::kRepeatOptions[i]),
                      TextFormat::WrappedLeft, DialogFont(), Qt::white);
    }
}

void CMacroDialog::ChooseMacro(int row) {
    model_.ChooseMacro(row);
    ShowFitted(nameLabel_, FromUtf8(model_.Choice().name), DialogFont());
}

void CMacroDialog::ChooseRepeatMode(int mode) {
    model_.ChooseRepeatMode(mode);
    // Only the boxes change; the texts are not written over themselves.
    DrawingPass pass(Surface());
    for (CheckBox* box : optionBoxes_) box->Draw(pass, false);
}

}  // namespace kz7::ui
