#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

#include "keys/button_function_menu.h"
#include "keys/key_codes.h"
#include "main_window_fixture.h"
#include "ui/pages/basic_page_view.h"
#include "ui/widgets/dropdown_box.h"


namespace kz7 {
namespace {

using namespace kz7::testing;
using namespace std::chrono_literals;

// The basic page of a window over the simulated mouse: clicks at the page's
// zones, rows of its open lists, and what the record, the labels and the
// canvas then hold.
class BasicPageTest : public MainWindowTest {
protected:
    void Show(std::uint8_t sensorType = 0) {
        Start(true, sensorType);
        window->OnTrayLeftClick();
        ASSERT_EQ(window->CurrentPage(), MainWindow::kBasicPage);
    }
    ui::BasicPageView& View() { return static_cast<ui::BasicPageView&>(*window->CurrentPageView()); }
    DeviceConfig& c() { return model.config; }
    void Click(const HotZone& zone) { window->ClickAt(Centre(zone)); }

    QListWidget* OpenList(int slot) {
        Click(basic::FunctionBox(slot));
        return View().FunctionBox(slot).List();
    }
    // Row r of an open list lies at its top + 16 r; the pointer goes to the row's middle.
    static QPoint RowPoint(const QListWidget& list, int row) {
        return {list.viewport()->width() / 2, kListRowHeight * row + kListRowHeight / 2};
    }
    static void Hover(QListWidget& list, int row) {
        QMouseEvent move(QEvent::MouseMove, RowPoint(list, row), list.viewport()->mapToGlobal(RowPoint(list, row)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list.viewport(), &move);
    }
    static void ClickRow(QListWidget& list, int row) {
        Hover(list, row);
        QListWidgetItem* item = list.itemAt(RowPoint(list, row));
        ASSERT_NE(item, nullptr) << "no row " << row;
        emit list.itemClicked(item);
    }
    void ChooseFunction(int slot, int row) {
        QListWidget* list = OpenList(slot);
        ASSERT_NE(list, nullptr);
        ClickRow(*list, row);
    }
    QColor CanvasAt(const HotZone& zone) { return window->Surface().Canvas().pixelColor(Centre(zone)); }
};

TEST_F(BasicPageTest, FunctionListsOpenBelowTheirBoxesWithSixteenPixelRows) {
    Show();
    // From the bottom up, as a list covers the boxes below its own (box 1
    // holds the only left click and keeps its list shut).
    for (int slot = kBasicPageButtons - 1; slot >= 1; --slot) {
        QListWidget* list = OpenList(slot);
        ASSERT_NE(list, nullptr) << slot;
        EXPECT_EQ(list->geometry(), ui::ToRect(basic::FunctionList(slot)));
        ASSERT_EQ(list->count(), kFunctionRows);
        EXPECT_EQ(list->item(12)->text(), QStringLiteral("Combo Key"));
        for (int row = 0; row < kFunctionRows; ++row) {
            EXPECT_EQ(list->row(list->itemAt(RowPoint(*list, row))), row);
        }
        // White rows on black.
        EXPECT_EQ(list->palette().color(QPalette::Base), QColor(Qt::black));
        EXPECT_EQ(list->palette().color(QPalette::Text), QColor(Qt::white));
    }
    // Opening one list closed the one before; a second click on the box closes it.
    EXPECT_FALSE(View().FunctionBox(2).IsOpen());
    EXPECT_TRUE(View().FunctionBox(1).IsOpen());
    Click(basic::FunctionBox(1));
    EXPECT_FALSE(View().FunctionBox(1).IsOpen());
    EXPECT_FALSE(basicPage->Buttons().OpenSlot());
}

TEST_F(BasicPageTest, TheOnlyLeftClickCannotBeGivenAwayUntilAnotherButtonHasOne) {
    Show();
    for (int mode = 0; mode < 2; ++mode) {
        std::fill(std::begin(c().buttons[mode].function), std::end(c().buttons[mode].function),
                  std::uint8_t{kFnKeyOff});
        c().buttons[mode].function[0] = kFnLeftClick;
    }
    EXPECT_EQ(OpenList(0), nullptr);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], (RecordingPrompter::Message{"Left key must be selected!", "Warning"}));
    ChooseFunction(1, kFnLeftClick);
    EXPECT_EQ(c().buttons[0].function[1], kFnLeftClick);
    EXPECT_EQ(c().buttons[1].function[1], kFnLeftClick);  // a key that was off changes in both modes
    EXPECT_NE(OpenList(0), nullptr);
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(BasicPageTest, HoveringDpiSwitchShowsTheSubMenuBesideItAndItsRowsStoreTheMode) {
    Show();
    QListWidget* list = OpenList(2);
    ASSERT_NE(list, nullptr);
    Hover(*list, kDpiSwitchRow);
    QListWidget* subMenu = View().DpiSubMenu();
    ASSERT_NE(subMenu, nullptr);
    const HotZone listZone = basic::FunctionList(2);
    EXPECT_EQ(subMenu->geometry(),
              QRect(listZone.right, listZone.top + kListRowHeight * kDpiSwitchRow, 60, 60));
    ASSERT_EQ(subMenu->count(), 3);
    EXPECT_EQ(subMenu->item(2)->text(), QStringLiteral("DPI Loop"));
    // A click on the row itself does nothing.
    ClickRow(*list, kDpiSwitchRow);
    EXPECT_TRUE(View().FunctionBox(2).IsOpen());
    Hover(*list, kDpiSwitchRow + 1);
    EXPECT_EQ(View().DpiSubMenu(), nullptr);
    Hover(*list, kDpiSwitchRow);
    ASSERT_NE(View().DpiSubMenu(), nullptr);
    ClickRow(*View().DpiSubMenu(), 1);
    EXPECT_EQ(c().buttons[0].function[2], kFnDpiSwitch);
    EXPECT_EQ(c().dpiSwitchMode[0][2], 2);
    EXPECT_EQ(labels.text[0][2], "DPI -");
    EXPECT_FALSE(View().FunctionBox(2).IsOpen());
    EXPECT_EQ(View().DpiSubMenu(), nullptr);
}

TEST_F(BasicPageTest, DialogAnswersReachTheRecordTheLabelsAndTheMouse) {
    Show();
    dialogs.comboKeys.push_back(ComboKeyChoice{"Left Ctrl", "C", "V"});
    dialogs.singleKeys.push_back(SingleKeyChoice{"Right Ctrl"});
    dialogs.fireKeys.push_back(FireKeyChoice{26, "1", 20, 3});
    dialogs.mediaKeys.push_back(ListChoice{3, "Play/Pause"});
    dialogs.launchKeys.push_back(ListChoice{2, "Calculator"});
    ChooseFunction(1, kFnComboKey);
    ChooseFunction(2, kFnSingleKey);
    ChooseFunction(3, kFnFireKey);
    ChooseFunction(4, kFnMultimedia);
    ChooseFunction(5, kFnLaunch);
    ChooseFunction(1, kFnSingleKey);  // Cancel: nothing changes
    Click(basic::kModeB);
    EXPECT_EQ(c().currentMode, 1);
    ChooseFunction(5, kDpiSwitchRow);
    Hover(*View().FunctionBox(5).List(), kDpiSwitchRow);
    ClickRow(*View().DpiSubMenu(), 0);

    Click(frame::kApply);
    const auto image = SavedImage();
    ASSERT_TRUE(image);
    const ButtonSet& a = image->config.buttons[0];
    EXPECT_EQ(a.function[0], kFnLeftClick);
    EXPECT_EQ(a.function[1], kFnComboKey);
    EXPECT_EQ(a.comboModifiers[1], 0x01);
    EXPECT_EQ(a.singleCode[2], 0xE4);
    EXPECT_EQ(a.fireCode[3], 0x1E);
    EXPECT_EQ(a.fireSpeed[3], 20);
    EXPECT_EQ(a.fireTimes[3], 3);
    EXPECT_EQ(a.mediaCode[4], MediaCodeFromRow(3));
    EXPECT_EQ(a.launchCode[5], LaunchCodeFromRow(2));
    EXPECT_EQ(image->config.buttons[1].function[5], kFnDpiSwitch);
    EXPECT_EQ(image->config.dpiSwitchMode[1][5], 1);
    EXPECT_EQ(image->config.currentMode, 1);
    const ButtonLabels saved = LoadButtonLabels(paths.settings, UiLanguage::English);
    EXPECT_EQ(saved.text[0][1], "Combo Key-Left Ctrl+C+V");
    EXPECT_EQ(saved.text[0][2], "Single Key-Right Ctrl");
    EXPECT_EQ(saved.text[0][3], "Fire Key-1");
    EXPECT_EQ(saved.text[0][4], "Multimedia-Play/Pause");
    EXPECT_EQ(saved.text[0][5], "Calculator");
    EXPECT_EQ(saved.text[1][5], "DPI +");
    EXPECT_EQ(saved.text[0][0], "Left Click");
}

TEST_F(BasicPageTest, ReportRateStopsDpiStagesAndCells) {
    Show(1);  // a sensor with eight levels
    const std::uint8_t intervals[] = {8, 4, 2, 1};
    for (int stop = 0; stop < basic::kReportRateStopCount; ++stop) {
        Click(basic::ReportRateStop(stop));
        EXPECT_EQ(c().reportRate, intervals[stop]);
    }

    std::fill(std::begin(c().dpiStageOn), std::end(c().dpiStageOn), std::uint8_t{0});
    c().dpiStageOn[0] = 1;
    c().dpiStageOn[2] = 1;
    Click(basic::DpiStageCheckBox(2));  // one of two: cleared
    EXPECT_EQ(c().dpiStageOn[2], 0);
    Click(basic::DpiStageCheckBox(0));  // the last: stays
    EXPECT_EQ(c().dpiStageOn[0], 1);
    Click(basic::DpiStageCheckBox(3));
    EXPECT_EQ(c().dpiStageOn[3], 1);

    Click(basic::DpiCell(1, 5));
    EXPECT_EQ(c().dpiLevel[1], 4);
    Click(basic::DpiCell(1, 10));  // past the sensor's eight levels: nothing
    EXPECT_EQ(c().dpiLevel[1], 4);
    Click(basic::DpiCell(1, 8));
    EXPECT_EQ(c().dpiLevel[1], 7);

    // An enabled column is lit up to its level; a disabled one is all dark.
    Click(basic::DpiCell(0, 3));
    EXPECT_EQ(CanvasAt(basic::DpiCell(0, 1)), CanvasAt(basic::DpiCell(0, 3)));
    EXPECT_NE(CanvasAt(basic::DpiCell(0, 3)), CanvasAt(basic::DpiCell(0, 4)));
    EXPECT_EQ(CanvasAt(basic::DpiCell(0, 4)), CanvasAt(basic::DpiCell(0, 8)));
    Click(basic::DpiCell(2, 6));  // the check box is not consulted
    EXPECT_EQ(c().dpiLevel[2], 5);
    EXPECT_EQ(CanvasAt(basic::DpiCell(2, 1)), CanvasAt(basic::DpiCell(0, 8)));
}

TEST_F(BasicPageTest, TwelveCellsForSensorZero) {
    Show(0);
    Click(basic::DpiCell(0, 12));
    EXPECT_EQ(c().dpiLevel[0], 11);
    EXPECT_EQ(CanvasAt(basic::DpiCell(0, 12)), CanvasAt(basic::DpiCell(0, 1)));  // all twelve lit
    Click(basic::DpiCell(0, 11));
    EXPECT_NE(CanvasAt(basic::DpiCell(0, 12)), CanvasAt(basic::DpiCell(0, 1)));
}

TEST_F(BasicPageTest, LightingListsFollowTheMode) {
    Show();
    ui::DropdownBox& mode = View().LightingModeBox();
    Click(basic::kLightingModeBox);
    ASSERT_TRUE(mode.IsOpen());
    EXPECT_EQ(mode.List()->geometry(), ui::ToRect(basic::kLightingModeList));
    ASSERT_EQ(mode.List()->count(), 3);
    ClickRow(*mode.List(), 1);
    EXPECT_EQ(c().ledMode, 2);

    struct Case {
        int ledMode;
        int rows;
        const char* last;
    };
    for (const Case& row : {Case{1, 10, "100%"}, Case{2, 5, "4S"}, Case{3, 30, "15S"}}) {
        c().ledMode = static_cast<std::uint8_t>(row.ledMode);
        Click(basic::kLightingParamBox);
        ui::DropdownBox& param = View().LightingParamBox();
        ASSERT_TRUE(param.IsOpen());
        EXPECT_EQ(param.List()->count(), row.rows);
        EXPECT_EQ(param.List()->item(row.rows - 1)->text(), QString::fromUtf8(row.last));
        EXPECT_EQ(param.List()->geometry(), ui::ToRect(basic::LightingParamList(c().ledMode)));
        // Only a list whose rows do not fit scrolls.
        const int rowsShown = param.List()->viewport()->height() / kListRowHeight;
        EXPECT_EQ(param.List()->verticalScrollBar()->maximum() > 0, row.rows > rowsShown) << row.ledMode;
        ClickRow(*param.List(), 2);
        EXPECT_EQ(c().ledModeParam[row.ledMode - 1], 2);
    }
    // A click elsewhere on the page closes an open list without a choice.
    Click(basic::kLightingModeBox);
    Click(basic::kKeySettingLabel);
    EXPECT_FALSE(mode.IsOpen());
}

TEST_F(BasicPageTest, SwatchesAskForAColourOnlyWhileLoopColourOneIsOn) {
    Show();
    c().loopColorOn[0] = 0;
    Click(basic::LoopColorSwatch(3));
    EXPECT_TRUE(dialogs.colourRequests.empty());
    Click(basic::LoopColorCheckBox(0));
    EXPECT_EQ(c().loopColorOn[0], 1);
    dialogs.colours.push_back(Rgb{0x12, 0x34, 0x56});
    Click(basic::LoopColorSwatch(3));
    EXPECT_EQ(dialogs.colourRequests.size(), 1u);
    EXPECT_EQ(c().loopColor[3][0], 0x12);
    EXPECT_EQ(c().loopColor[3][2], 0x56);
    EXPECT_EQ(CanvasAt(basic::LoopColorSwatch(3)), QColor(0x12, 0x34, 0x56));
    Click(basic::LoopColorCheckBox(5));
    EXPECT_EQ(c().loopColorOn[5], 1 - StarterConfig().loopColorOn[5]);
}

TEST_F(BasicPageTest, TheDpiColourStageIsStageOneWheneverThePageIsEntered) {
    Show();
    c().ledFlags[0] = 0;
    c().ledFlags[1] = 0;
    Click(basic::kDpiColorChooser);
    ui::DropdownBox& chooser = View().DpiColourChooser();
    ASSERT_TRUE(chooser.IsOpen());
    EXPECT_EQ(chooser.List()->item(2)->text(), QStringLiteral("DPI Stage3"));
    ClickRow(*chooser.List(), 2);
    Click(basic::DpiColorToggle(0));
    EXPECT_EQ(c().ledFlags[1], 0x01);
    Click(basic::DpiColorToggle(2));
    EXPECT_EQ(c().ledFlags[1], 0x05);
    EXPECT_EQ(basicPage->dpiColourStage, 2);  // a redraw keeps the stage chosen

    Click(frame::kAdvancedTab);
    Click(frame::kBasicTab);
    EXPECT_EQ(basicPage->dpiColourStage, 0);
    Click(basic::DpiColorToggle(1));
    EXPECT_EQ(c().ledFlags[0], 0x02);
    EXPECT_EQ(c().ledFlags[1], 0x05);
}

TEST_F(BasicPageTest, ModeButtonsShowEachModesLabelsAndDefaultRestoresBoth) {
    Show();
    labels.text[1][0] = "Macro Key-B";
    Click(basic::kModeB);
    EXPECT_EQ(c().currentMode, 1);
    EXPECT_EQ(basicPage->Buttons().Label(0), "Macro Key-B");
    c().buttons[0].function[2] = kFnMacroKey;
    Click(basic::kDefault);
    EXPECT_EQ(c().buttons[0].function[2], kFnMidClick);
    EXPECT_EQ(labels.text[1][0], "Left Click");
    EXPECT_EQ(c().currentMode, 1);
    Click(basic::kModeA);
    EXPECT_EQ(c().currentMode, 0);
}

TEST_F(BasicPageTest, EnterAndEscapeWhileAListIsOpenNeitherChooseNorHide) {
    Show();
    QListWidget* list = OpenList(3);
    ASSERT_NE(list, nullptr);
    Hover(*list, kFnRightClick);
    const std::uint8_t before = c().buttons[0].function[3];
    Press(Qt::Key_Return);
    Press(Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(View().FunctionBox(3).IsOpen());
    EXPECT_EQ(c().buttons[0].function[3], before);
    Click(basic::FunctionBox(3));
    Press(Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(BasicPageTest, LeavingThePageClosesItsLists) {
    Show();
    QListWidget* list = OpenList(2);
    ASSERT_NE(list, nullptr);
    Hover(*list, kDpiSwitchRow);
    ASSERT_NE(View().DpiSubMenu(), nullptr);
    ui::BasicPageView& basic = View();
    Click(frame::kAdvancedTab);
    EXPECT_FALSE(basic.FunctionBox(2).IsOpen());
    EXPECT_EQ(basic.DpiSubMenu(), nullptr);
    EXPECT_FALSE(basicPage->Buttons().OpenSlot());
}

TEST_F(BasicPageTest, DefaultAndTheSixBoxesHighlightOneAtATime) {
    Show();
    ui::SkinSurface& surface = window->Surface();
    surface.PointerRestedAt(Centre(basic::kDefault));
    const ui::Control& defaultButton = *window->CurrentPageView()->Controls().At(Centre(basic::kDefault));
    EXPECT_TRUE(surface.IsHighlighted(defaultButton));
    surface.PointerRestedAt(Centre(basic::FunctionBox(1)));
    EXPECT_TRUE(surface.IsHighlighted(View().FunctionBox(1)));
    EXPECT_FALSE(surface.IsHighlighted(defaultButton));
    surface.PointerRestedAt(Centre(basic::FunctionBox(4)));
    EXPECT_TRUE(surface.IsHighlighted(View().FunctionBox(4)));
    EXPECT_FALSE(surface.IsHighlighted(View().FunctionBox(1)));
    // The Mode buttons do not highlight.
    surface.PointerRestedAt(Centre(basic::kModeB));
    EXPECT_TRUE(surface.IsHighlighted(View().FunctionBox(4)));
}

}  // namespace
}  // namespace kz7
