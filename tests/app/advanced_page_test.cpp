#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

#include <fstream>

#include "macros/macro_blocks.h"
#include "main_window_fixture.h"
#include "platform/linux/evdev_key_names.h"
#include "ui/pages/advanced_page_view.h"
#include "ui/widgets/dropdown_box.h"

namespace kz7 {
namespace {

using namespace kz7::testing;
using Lines = std::vector<std::string>;

// The advanced page of a window over the simulated mouse, with a record.ini
// of two macros: clicks at the page's zones, keys as the windowing system
// gives them (evdev code + 8 as native scan code), and what the record,
// record.ini and the widgets then hold.
class AdvancedPageTest : public MainWindowTest {
protected:
    void Show() {
        Start();
        std::ofstream(paths.record) << "[Reload]\nItemCount=3\nItem0=R   Dn\nItem1=50 ms\nItem2=R   Up\n"
                                       "[Spray]\nItemCount=2\nItem0=L-Button   Dn\nItem1=50 ms\n";
        window->OnTrayLeftClick();
        Click(frame::kAdvancedTab);
        ASSERT_EQ(window->CurrentPage(), MainWindow::kAdvancedPage);
    }
    ui::AdvancedPageView& View() { return static_cast<ui::AdvancedPageView&>(*window->CurrentPageView()); }
    void Click(const HotZone& zone) { window->ClickAt(Centre(zone)); }
    static QStringList Rows(const QListWidget* list) {
        QStringList rows;
        for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
        return rows;
    }
    static QStringList ToRows(const Lines& lines) {
        QStringList rows;
        for (const std::string& line : lines) rows << QString::fromStdString(line);
        return rows;
    }
    void Key(QWidget* to, QEvent::Type type, int qtKey, unsigned evdev, bool autoRepeat = false) {
        QKeyEvent event(type, qtKey, Qt::NoModifier, evdev + linux_platform::EvdevKeyNames::kScanCodeOffset, 0, 0,
                        type == QEvent::KeyPress ? QStringLiteral("x") : QString(), autoRepeat);
        QCoreApplication::sendEvent(to, &event);
    }
    void Tap(QWidget* to, int qtKey, unsigned evdev) {
        Key(to, QEvent::KeyPress, qtKey, evdev);
        Key(to, QEvent::KeyRelease, qtKey, evdev);
    }
    bool Lit(int slider, int cell) {
        const QColor light = QImage(skin.PathOf(skin_image::kPointerLight)).pixelColor(12, 5);
        return window->Surface().Canvas().pixelColor(Centre(advanced::PointerCell(slider, cell))) == light;
    }
};

TEST_F(AdvancedPageTest, ASliderCellSetsItsLevelAndLightsTheCellsUpToIt) {
    Show();
    Click(advanced::PointerCell(0, 11));
    EXPECT_EQ(model.config.pointerSpeed, 11);
    for (int cell = 1; cell <= 11; ++cell) EXPECT_TRUE(Lit(0, cell)) << cell;
    Click(advanced::PointerCell(0, 1));
    EXPECT_EQ(model.config.pointerSpeed, 1);
    EXPECT_TRUE(Lit(0, 1));
    EXPECT_FALSE(Lit(0, 2));
    Click(advanced::PointerCell(2, 4));
    EXPECT_EQ(model.config.doubleClickSpeed, 4);
    EXPECT_TRUE(desktop.writes.empty());  // the desktop changes on OK, Apply or Default only
}

TEST_F(AdvancedPageTest, TheDesktopIsReadOnceAndDefaultWritesItAtOnce) {
    Start();
    desktop.speed = 20;
    desktop.wheelLines = kOneScreenPerNotch;
    window->OnTrayLeftClick();
    Click(frame::kAdvancedTab);
    EXPECT_EQ(model.config.pointerSpeed, 11);
    EXPECT_EQ(model.config.scrollOneScreen, 1);
    for (int cell = 1; cell <= 11; ++cell) EXPECT_FALSE(Lit(1, cell)) << "one screen: no scrolling level";

    desktop.speed = 2;
    Click(frame::kBasicTab);
    Click(frame::kAdvancedTab);
    EXPECT_EQ(model.config.pointerSpeed, 11);  // the record, not the desktop again

    Click(advanced::kDefault);
    EXPECT_FALSE(desktop.writes.empty());
    EXPECT_EQ(desktop.speed, kDefaultPointerSpeed);
    EXPECT_EQ(model.config.pointerSpeed, 6);
    EXPECT_EQ(model.config.scrollOneScreen, 0);
    EXPECT_TRUE(Lit(1, 3));
    EXPECT_FALSE(Lit(1, 4));
}

TEST_F(AdvancedPageTest, TheMacroListsShowRecordIniAndAClickChoosesAMacro) {
    Show();
    ui::AdvancedPageView& view = View();
    ASSERT_NE(view.MacroList(), nullptr);
    EXPECT_EQ(view.MacroList()->geometry(), ui::ToRect(advanced::kMacroList));
    EXPECT_EQ(view.LineList()->geometry(), ui::ToRect(advanced::kKeySequenceList));
    EXPECT_EQ(Rows(view.MacroList()), (QStringList{"Reload", "Spray"}));
    EXPECT_EQ(Rows(view.LineList()), (QStringList{"R   Dn", "50 ms", "R   Up"}));
    EXPECT_EQ(view.NameField()->text(), QStringLiteral("Reload"));
    view.MacroList()->setCurrentRow(1);
    EXPECT_EQ(Rows(view.LineList()), (QStringList{"L-Button   Dn", "50 ms"}));
    EXPECT_EQ(view.NameField()->text(), QStringLiteral("Spray"));
}

TEST_F(AdvancedPageTest, ARecordingTakesTheKeysAndCtrlBreakEndsIt) {
    Show();
    ui::AdvancedPageView& view = View();
    QLineEdit* name = view.NameField();
    name->setFocus();
    Click(advanced::kStartRecording);
    EXPECT_EQ(prompter.messages.back(), (RecordingPrompter::Message{"Start Recording", ""}));
    EXPECT_TRUE(view.Recording());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Press Ctrl+Break key to stop recording"));
    EXPECT_EQ(view.LineList()->count(), 0);

    Key(name, QEvent::KeyPress, Qt::Key_A, KEY_A);
    Key(name, QEvent::KeyPress, Qt::Key_A, KEY_A, /*autoRepeat=*/true);
    Key(name, QEvent::KeyRelease, Qt::Key_A, KEY_A);
    Tap(name, Qt::Key_Control, KEY_RIGHTCTRL);
    EXPECT_EQ(Rows(view.LineList()), (QStringList{"A   Dn", "50 ms", "A   Up", "50 ms", "Right Ctrl   Dn", "50 ms",
                                                  "Right Ctrl   Up"}));
    EXPECT_EQ(name->text(), QStringLiteral("Reload"));  // nothing typed into the field

    Key(name, QEvent::KeyPress, Qt::Key_Control, KEY_LEFTCTRL);
    Key(name, QEvent::KeyPress, Qt::Key_Pause, KEY_PAUSE);
    EXPECT_FALSE(view.Recording());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("kz7"));
    EXPECT_EQ(view.LineList()->count(), 7);  // neither Ctrl nor Break among the lines
    Tap(name, Qt::Key_B, KEY_B);
    EXPECT_EQ(view.LineList()->count(), 7);

    // The lines reach record.ini with Confirm.
    Click(advanced::kMacroConfirm);
    const MacroSection saved = MacroStore(paths.record).Section("Reload");
    EXPECT_EQ(saved.Lines(), (Lines{"A   Dn", "50 ms", "A   Up", "50 ms", "Right Ctrl   Dn", "50 ms", "Right Ctrl   Up"}));
}

TEST_F(AdvancedPageTest, StopSaysWhatHappensAndDrawingTheBasicPageEndsARecording) {
    Show();
    Click(advanced::kStopRecording);
    EXPECT_EQ(prompter.messages.back().text, "It doesn’t start recording, unnecessary to press Stop key!");
    Click(advanced::kStartRecording);
    Click(advanced::kStopRecording);
    EXPECT_FALSE(View().Recording());
    EXPECT_EQ(prompter.messages.back(), (RecordingPrompter::Message{"Stop Recording", ""}));

    ui::AdvancedPageView& view = View();
    Click(advanced::kStartRecording);
    ASSERT_TRUE(view.Recording());
    Click(frame::kBasicTab);
    EXPECT_FALSE(view.Recording());
    EXPECT_FALSE(advancedPage->Recorder().Recording());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("kz7"));
    EXPECT_EQ(view.MacroList(), nullptr);  // the page's widgets went with it
}

TEST_F(AdvancedPageTest, TheChooserInsertsAnEventAtTheSelectedLineAndShowsIt) {
    Show();
    ui::AdvancedPageView& view = View();
    view.LineList()->setCurrentRow(2);  // after "R   Up"
    Click(advanced::kMouseEventBox);
    QListWidget* chooser = view.MouseEventChooser().List();
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->geometry(), ui::ToRect(advanced::kMouseEventList));
    ASSERT_EQ(chooser->count(), 9);
    EXPECT_EQ(chooser->item(1)->text(), QStringLiteral("R-Button Click"));
    emit chooser->itemClicked(chooser->item(1));
    EXPECT_FALSE(view.MouseEventChooser().IsOpen());
    EXPECT_EQ(Rows(view.LineList()),
              (QStringList{"R   Dn", "50 ms", "R   Up", "50 ms", "R-Button   Dn", "50 ms", "R-Button   Up"}));
    EXPECT_EQ(view.LineList()->currentRow(), 4);
    EXPECT_EQ(advancedPage->LastMouseEvent(), "R-Button Click");
    // A click elsewhere on the page closes the chooser without an event.
    Click(advanced::kMouseEventBox);
    Click(advanced::kPrecisionCaption);
    EXPECT_FALSE(view.MouseEventChooser().IsOpen());
    EXPECT_EQ(view.LineList()->count(), 7);
}

TEST_F(AdvancedPageTest, ADoubleClickedPauseTakesTheDelayDialogsAnswerAndTheMenuDeletesALine) {
    Show();
    ui::AdvancedPageView& view = View();
    dialogs.delays = {DelayChoice{120, "120"}};
    emit view.LineList()->itemDoubleClicked(view.LineList()->item(1));
    EXPECT_EQ(dialogs.asked, std::vector<std::string>{"delay time"});
    EXPECT_EQ(Rows(view.LineList()), (QStringList{"R   Dn", "120 ms", "R   Up"}));
    emit view.LineList()->itemDoubleClicked(view.LineList()->item(0));  // an event: no dialog
    EXPECT_EQ(dialogs.asked.size(), 1u);

    view.LineList()->setCurrentRow(0);
    view.DeleteLineFromMenu();
    EXPECT_EQ(Rows(view.LineList()), (QStringList{"120 ms", "R   Up"}));
    EXPECT_EQ(MacroStore(paths.record).Section("Reload").Lines().size(), 3u);  // until Confirm
}

TEST_F(AdvancedPageTest, TheLoopCountGoesIntoTheMacrosBlockAtOnce) {
    Show();
    QLineEdit* loop = View().LoopCountField();
    struct Case { const char* typed; const char* shown; unsigned count; };
    const Case cases[] = {{"256", "256", 256}, {"", "1", 1}, {"65535", "65535", 65535}, {"65536", "1", 1}};
    for (const Case& c : cases) {
        loop->setText(QString());
        loop->insert(QString::fromUtf8(c.typed));
        if (std::string(c.typed).empty()) emit loop->textEdited(QString());
        EXPECT_EQ(loop->text().toStdString(), c.shown) << c.typed;
        EXPECT_EQ(MacroLoopCount(model.config, 0), c.count) << c.typed;
    }
    EXPECT_EQ(model.config.macroImage[0][0], 0x00);
    EXPECT_EQ(model.config.macroImage[0][1], 0x01);
}

TEST_F(AdvancedPageTest, NewAddsTheNamedMacroAndDeleteRemovesIt) {
    Show();
    ui::AdvancedPageView& view = View();
    view.NameField()->setText(QString());
    view.NameField()->insert(QStringLiteral("Build"));
    Click(advanced::kMacroNew);
    EXPECT_EQ(Rows(view.MacroList()), (QStringList{"Reload", "Spray", "Build"}));
    EXPECT_EQ(view.LineList()->count(), 0);
    Click(advanced::kMacroConfirm);
    EXPECT_EQ(MacroStore(paths.record).Names(), (Lines{"Reload", "Spray", "Build"}));
    view.MacroList()->setCurrentRow(0);
    Click(advanced::kMacroDelete);
    EXPECT_EQ(Rows(view.MacroList()), (QStringList{"Spray", "Build"}));
    EXPECT_EQ(MacroStore(paths.record).Names(), (Lines{"Spray", "Build"}));
}

}  // namespace
}  // namespace kz7
