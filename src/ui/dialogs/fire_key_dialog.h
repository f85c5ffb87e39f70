#pragma once

// "Fire Key": the key to fire from a list of 61, how fast (5..255, smaller
// is faster) and how many shots (0..255, 0: until the button is released).
// The speed is read when its box gives up the keyboard and again at OK, so
// a value typed just before OK counts; the times at every edit. A value out
// of range puts the fallback back into its box. Always starts from "A",
// speed 32, one shot.

#include <string>

#include "keys/key_dialogs.h"
#include "ui/dialogs/skinned_dialog.h"

class QLabel;
class QLineEdit;

namespace kz7::ui {

class DropdownBox;

class CFireKeyDialog : public SkinnedDialog {
    Q_OBJECT
public:
    CFireKeyDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter);
    ~CFireKeyDialog() override;

    FireKeyChoice Choice() const { return choice_; }

    // The parts, for tests (null in the reduced form).
    const QLabel* KeyStatic() const { return keyStatic_; }
    QLineEdit* SpeedBox() const { return speedBox_; }
    QLineEdit* TimesBox() const { return timesBox_; }
    const DropdownBox* KeyList() const { return keyList_; }

public slots:
    void accept() override;

protected:
    void AddControls(ControlList& controls) override;
    void DrawContent(DrawingPass& pass) override;

private:
    void ChooseKey(int row);
    void ListOpened(bool open);
    void ReadSpeed();
    void ReadTimes();

    FireKeyChoice choice_{};
    QLabel* keyStatic_ = nullptr;
    QLineEdit* speedBox_ = nullptr;
    QLineEdit* timesBox_ = nullptr;
    DropdownBox* keyList_ = nullptr;
};

}  // namespace kz7::ui
