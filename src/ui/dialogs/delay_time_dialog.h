#pragma once

// "Please enter a delay": one box of digits for a macro's pause. The
// dialog only reads what is typed; the macro editor decides what a value
// outside 50..10000 becomes.

#include "pages/dialog_runner.h"
#include "ui/dialogs/skinned_dialog.h"

class QLineEdit;

namespace kz7::ui {

class CDelayTimeDialog : public SkinnedDialog {
    Q_OBJECT
public:
    CDelayTimeDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter);
    ~CDelayTimeDialog() override;

    // The number typed (0 for none) and the digits as typed.
    DelayChoice Choice() const { return choice_; }
    // The box, for tests (null in the reduced form).
    QLineEdit* DelayBox() const { return delayBox_; }

protected:
    void AddControls(ControlList& controls) override;
    void DrawContent(DrawingPass& pass) override;

private:
    void ReadBox();

    DelayChoice choice_{};
    QLineEdit* delayBox_ = nullptr;
};

}  // namespace kz7::ui
