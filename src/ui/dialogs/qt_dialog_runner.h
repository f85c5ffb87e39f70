#pragma once

#include "pages/dialog_runner.h"

class QWidget;

namespace kz7::ui {

// The dialogs of the page models, run modally over the main window.
class QtDialogRunner : public DialogRunner {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    std::optional<Rgb> ChooseColour(Rgb initial) override;

private:
    QWidget* parent_ = nullptr;
};

}  // namespace kz7::ui
