#pragma once

// "Single Key": waits for a key and shows its name. Every key the program
// receives while the dialog is open names the key (presses, releases and
// repeats alike; the last one wins), Enter and Escape included: they are
// read, not taken as OK and Cancel. The Windows keys are read and then kept
// from the rest of the program.

#include <string>

#include "keys/key_dialogs.h"
#include "keys/key_names.h"
#include "ui/dialogs/skinned_dialog.h"

class QLabel;

namespace kz7::ui {

class CSingleDialog : public SkinnedDialog {
    Q_OBJECT
public:
    // Without a key name service the dialog opens but reads no keys.
    CSingleDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter,
                  const KeyNameService* keyNames);

    // What OK answers: the name of the last key, "" when none was read.
    SingleKeyChoice Choice() const { return {keyName_}; }
    // The static that shows the name (null in the reduced form).
    const QLabel* KeyNameStatic() const { return keyNameStatic_; }

protected:
    void AddControls(ControlList& controls) override;
    void DrawContent(DrawingPass& pass) override;
    bool ReadsKeys() const override { return keyNames_ != nullptr; }
    void KeyRead(const QKeyEvent& event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowKeyName();

    const KeyNameService* keyNames_;
    std::string keyName_;
    QLabel* keyNameStatic_ = nullptr;
};

}  // namespace kz7::ui
