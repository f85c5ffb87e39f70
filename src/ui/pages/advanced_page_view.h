#pragma once

// The advanced settings page: the three pointer sliders with their two
// boxes and "Default" on the left, the macro editor on the right (the macro
// list, the key press sequence, recording, the name and loop-count fields,
// the mouse-event chooser, New / Delete / Confirm). The lists and fields
// are child widgets that live while the page is shown; everything they show
// comes from the page model's macro area, and every edit goes through it.
//
// While a recording runs, every key the program receives is recorded and
// taken: nothing types into the fields or presses a button meanwhile.

#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

#include "config/prompter.h"
#include "keys/key_names.h"
#include "pages/advanced_page_model.h"
#include "pages/dialog_runner.h"
#include "ui/pages/settings_pages.h"

class QWidget;

namespace kz7::ui {

class DropdownBox;

class AdvancedPageView : public QObject, public PageView {
    Q_OBJECT
public:
    struct Parts {
        QWidget* host = nullptr;  // the window that holds the lists and fields
        DialogRunner* dialogs = nullptr;
        const KeyNameService* keyNames = nullptr;  // none: recording hears no keys
        // The skin's text colour, which the macro lists and fields are written in.
        std::function<QColor()> textColour;
    };

    AdvancedPageView(AdvancedPageModel& model, PageLook look, Parts parts);
    ~AdvancedPageView() override;

    void Entered() override;
    void Draw(DrawingPass& pass) override;
    void TearDown() override;
    bool ListOpen() const override;

    // The child widgets, for tests; null while the page is not shown.
    QListWidget* MacroList() const { return macroList_; }
    QListWidget* LineList() const { return lineList_; }
    QLineEdit* NameField() const { return nameField_; }
    QLineEdit* LoopCountField() const { return loopCountField_; }
    DropdownBox& MouseEventChooser() const { return *chooser_; }
    bool Recording() const { return keyFilter_; }
    // The key press sequence's menu command "Delete".
    void DeleteLineFromMenu();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddPointerControls();
    void AddMacroControls();
    void DrawTexts(DrawingPass& pass);
    void CreateWidgets();
    void DestroyWidgets();
    // The widgets show the macro area as it is now.
    void ShowMacros();
    void ShowLines();
    void LineListMenu(const QPoint& at);
    void StartRecording();
    void StopRecording();
    void RecordingEnded();

    AdvancedPageModel& model_;
    PageLook look_;
    Parts parts_;
    DropdownBox* chooser_ = nullptr;
    QPointer<QListWidget> macroList_;
    QPointer<QListWidget> lineList_;
    QPointer<QLineEdit> nameField_;
    QPointer<QLineEdit> loopCountField_;
    bool keyFilter_ = false;
    QString titleBeforeRecording_;
};

}  // namespace kz7::ui
