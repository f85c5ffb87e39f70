#pragma once

#include <filesystem>

#include "config/prompter.h"
#include "keys/key_names.h"
#include "locale/language.h"
#include "pages/dialog_runner.h"

class QWidget;

namespace kz7::ui {

class Skin;

// What the dialogs need from the program: the window they open over, the
// skin they draw from, the language of their texts, where their messages go,
// how keys are named, and the macro store the macro key dialog lists.
struct DialogContext {
    QWidget* owner = nullptr;
    Skin* skin = nullptr;
    UiLanguage language = UiLanguage::English;
    Prompter* prompter = nullptr;
    const KeyNameService* keyNames = nullptr;
    std::filesystem::path recordIni;
};

// The dialogs of the page models, run modally over the main window.
class QtDialogRunner : public DialogRunner {
public:
    void SetContext(DialogContext context) { context_ = std::move(context); }
    void SetParent(QWidget* parent) { context_.owner = parent; }
    const DialogContext& Context() const { return context_; }
    // Where the skins dialog looks for skins; unset: the program's own skins root.
    void SetSkinsRoot(std::filesystem::path root) { skinsRoot_ = std::move(root); }

    std::optional<Rgb> ChooseColour(Rgb initial) override;
    std::optional<SingleKeyChoice> RunSingleKey() override;
    std::optional<ComboKeyChoice> RunComboKey() override;
    std::optional<FireKeyChoice> RunFireKey() override;
    std::optional<ListChoice> RunMediaKey() override;
    std::optional<ListChoice> RunLaunchKey() override;
    std::optional<MacroKeyChoice> RunMacroKey() override;
    std::optional<DelayChoice> RunDelayTime() override;
    std::optional<SkinSettings> RunSkins(const SkinSettings& current) override;

private:
    DialogContext context_;
    std::filesystem::path skinsRoot_;
};

}  // namespace kz7::ui
