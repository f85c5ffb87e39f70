#pragma once

// The skinned sub-dialog that every dialog of the program builds on: a
// window the size of its background picture, the dialog font, OK / Cancel /
// close zones that highlight, the colours of child controls, and, for the
// dialogs that read the keyboard, an application-wide key filter that lives
// exactly as long as the dialog. Without its background the dialog says so
// and opens reduced: nothing is drawn, but OK, Cancel and close still work.

#include <QDialog>
#include <QFont>

#include <string_view>

#include "config/prompter.h"
#include "locale/language.h"
#include "ui/skin_toolkit.h"
#include "ui/widgets/control.h"

class QKeyEvent;
class QWheelEvent;

namespace kz7::ui {

struct DialogLook {
    std::string_view background;      // e.g. "/single-key.png"
    std::string_view failureCaption;  // caption of the "error" box when it cannot be loaded
};

// The backgrounds of the key dialogs and what each says when its own is missing.
inline constexpr DialogLook kSingleKeyDialog{skin_image::kSingleDialog,
                                             "Single Key Dialog Load background image failed!!!"};
inline constexpr DialogLook kLaunchKeyDialog{skin_image::kLaunchDialog,
                                             "Windows Dialog Load background image failed!!!"};
inline constexpr DialogLook kMediaKeyDialog{skin_image::kMediaDialog,
                                            "Media Dialog Load background image failed!!!"};
inline constexpr DialogLook kFireKeyDialog{skin_image::kFireDialog,
                                           "FireKey Dialog Load background image failed!!!"};
inline constexpr DialogLook kComboKeyDialog{skin_image::kComboDialog,
                                            "Combo Dialog Load background image failed!!!"};
inline constexpr DialogLook kDelayTimeDialog{skin_image::kDelayDialog,
                                             "DelayTime Dialog Load background image failed!!!"};
inline constexpr DialogLook kMacroKeyDialog{skin_image::kMacroDialog,
                                            "Macro Key Dialog Load background image failed!!!"};

inline constexpr std::string_view kDialogFailureText = "error";
// Child controls draw white on this grey.
inline constexpr QRgb kDialogControlBackground = 0x282828;

class SkinnedDialog : public QDialog {
    Q_OBJECT
public:
    SkinnedDialog(QWidget* owner, Skin& skin, UiLanguage language, DialogLook look, Prompter& prompter);
    ~SkinnedDialog() override;

    // Builds the dialog (once) and runs it modally; QDialog::Accepted on OK.
    int Run();
    // Builds the dialog and shows it without a modal loop (tests and previews).
    void Prepare();

    bool Reduced() const { return reduced_; }
    SkinSurface& Surface() { return *surface_; }
    const ControlList& Controls() const { return controls_; }
    // A left click at a client point, as the mouse gives it.
    void ClickAt(QPoint point);
    const QFont& DialogFont() const { return font_; }
    bool KeyFilterInstalled() const { return keyFilter_; }

protected:
    // The dialog's own controls, added after OK, Cancel and close.
    virtual void AddControls(ControlList&) {}
    // The background could not be loaded: the dialog opens without its own controls.
    virtual void OpenedReduced() {}
    // The dialog's own texts (white) and pictures, drawn over the background.
    virtual void DrawContent(DrawingPass&) {}
    // Dialogs that read the keyboard: every key the program receives while
    // the dialog exists is passed here. Enter and Escape are kept from
    // closing the dialog, so that they can be read too.
    virtual bool ReadsKeys() const { return false; }
    virtual void KeyRead(const QKeyEvent&) {}

    UiLanguage Language() const { return language_; }
    // Draws the whole dialog again from its state.
    void Redraw();

    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The wheel turned anywhere over the dialog moves its open list.
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    void RemoveKeyFilter();

    Skin& skin_;
    UiLanguage language_;
    DialogLook look_;
    Prompter& prompter_;
    std::unique_ptr<SkinSurface> surface_;
    ControlList controls_;
    QFont font_;
    bool built_ = false;
    bool reduced_ = false;
    bool keyFilter_ = false;
};

}  // namespace kz7::ui
