#pragma once

#include "pages/dialog_runner.h"

class QWidget;

namespace kz7::ui {

// The dialogs of the page models, run modally over the main window.
class QtDialogRunner : public DialogRunner {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    std::optional<Rgb> ChooseColour(Rgb initial) override;
    // The key dialogs are not in the window yet: each answers Cancel.
    std::optional<SingleKeyChoice> RunSingleKey() override { return std::nullopt; }
    std::optional<ComboKeyChoice> RunComboKey() override { return std::nullopt; }
    std::optional<FireKeyChoice> RunFireKey() override { return std::nullopt; }
    std::optional<ListChoice> RunMediaKey() override { return std::nullopt; }
    std::optional<ListChoice> RunLaunchKey() override { return std::nullopt; }
    std::optional<MacroKeyChoice> RunMacroKey() override { return std::nullopt; }

private:
    QWidget* parent_ = nullptr;
};

}  // namespace kz7::ui
