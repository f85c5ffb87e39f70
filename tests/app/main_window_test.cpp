#include <QCloseEvent>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include "main_window_fixture.h"

// fontconfig keeps a cache for the life of the process; it is not ours to free.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

namespace kz7 {
namespace {

using namespace kz7::testing;
using Shown = RecordingNotifier::Shown;
using namespace std::chrono_literals;


const Shown kDetected{"Info", "The system detect the gaming mouse.", 100};
const Shown kNotDetected{"Warning", "The system did not detect the gaming mouse!", 100};

TEST_F(MainWindowTest, StartsWithTheMouseOnTheBasicPageAndSaysSo) {
    Start();
    EXPECT_TRUE(link->devicePresent);
    EXPECT_TRUE(NotifiedWith(kDetected));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(window->CurrentPage(), MainWindow::kBasicPage);
    EXPECT_TRUE(window->DeviceDataLoaded());
    // No tray here: the window is the way in, so it is shown.
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(kMainWindowWidth, kMainWindowHeight));
    EXPECT_TRUE(SameBytes(model.config, model.appliedConfig));
    EXPECT_TRUE(SameBytes(model.config, StarterConfig()));
}

TEST_F(MainWindowTest, HasItsIconAndNoTaskbarButton) {
    Start();
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST_F(MainWindowTest, WithoutMainPngNothingIsDrawnButTheFrameStillWorks) {
    skinFolderOverride = QStringLiteral("/nonexistent-kz7-skin");
    Start();
    EXPECT_FALSE(window->Surface().HasCanvas());
    EXPECT_EQ(window->size(), QSize(kMainWindowWidth, kMainWindowHeight));
    EXPECT_TRUE(prompter.messages.empty());  // the main window skips missing images silently
    model.config.reportRate = 4;
    window->ClickAt(Centre(frame::kOk));
    EXPECT_EQ(SavedImage()->firstRunFlag, 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, StartsWithoutTheMouseWithOneMessageAndNoPage) {
    Start(/*pluggedIn=*/false);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "The system did not detect the gaming mouse!");
    EXPECT_EQ(prompter.messages[0].caption, "Warning");
    EXPECT_EQ(window->CurrentPage(), MainWindow::kNoPage);

    window->hide();
    notifier.shown.clear();
    window->OnTrayLeftClick();
    EXPECT_EQ(notifier.shown, std::vector<Shown>{kNotDetected});
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, ANodeThatCannotBeOpenedIsToldOnceWithItsReasonAndTheRule) {
    refusedPaths = {VirtualMouse::kCommandPath};
    Start();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, std::string("The system did not detect the gaming mouse!\n\n") +
                                             VirtualMouse::kCommandPath + ": Permission denied\n\n" +
                                             std::string(kUdevRuleHint));
    EXPECT_EQ(prompter.messages[0].caption, "Warning");
    EXPECT_FALSE(link->devicePresent);
    EXPECT_EQ(window->CurrentPage(), MainWindow::kNoPage);
}

TEST_F(MainWindowTest, PluggingInAnnouncesTheMouseAndTheTrayThenShowsTheBasicPage) {
    Start(/*pluggedIn=*/false);
    window->hide();
    mouse->PlugIn();
    EXPECT_TRUE(NotifiedWith(kDetected));
    EXPECT_TRUE(link->devicePresent);
    EXPECT_FALSE(window->isVisible());

    window->OnTrayLeftClick();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->CurrentPage(), MainWindow::kBasicPage);
}

TEST_F(MainWindowTest, UnpluggingHidesTheWindowAndWarns) {
    Start();
    ASSERT_TRUE(window->isVisible());
    mouse->Unplug();
    EXPECT_TRUE(NotifiedWith(kNotDetected));
    EXPECT_FALSE(link->devicePresent);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, OkWritesMouseFileLabelsAndPointerThenHides) {
    Start();
    const int transfersBefore = mouse->TransferCount();
    model.config.reportRate = 4;
    model.config.dpiLevel[0] = 5;
    window->ClickAt(Centre(frame::kOk));

    const auto saved = SavedImage();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->firstRunFlag, 1);
    EXPECT_TRUE(SameBytes(saved->config, model.config));
    EXPECT_TRUE(SameBytes(model.appliedConfig, model.config));
    EXPECT_GT(mouse->TransferCount(), transfersBefore);
    EXPECT_EQ(LoadButtonLabels(paths.settings, UiLanguage::English), labels);
    EXPECT_FALSE(desktop.writes.empty());
    EXPECT_FALSE(window->isVisible());
}

// The window's Apply and kz7ctl apply are one apply: the same transfers, the
// same config.bin and the same str.ini from the same data folder.
TEST_F(MainWindowTest, ApplyIsTheSameApplyAsKz7ctlApply) {
    for (const std::uint8_t flag : {std::uint8_t{0}, std::uint8_t{1}}) {
        SCOPED_TRACE("first-run flag " + std::to_string(flag));
        firstRunFlag = flag;
        strIni = "[Skins]\nPath=\n\n[Setting-EN]\nItem1=Left Click\nItem23=Single Key-Q\nItem12=Kept\n";
        testing_support::TempFolder cliFolder;
        Start();
        for (const char* name : {"config.bin", "str.ini"}) {
            std::filesystem::copy_file(folder / name, cliFolder / name);
        }
        window->ClickAt(Centre(frame::kApply));

        const auto cli = testing_support::RunShell(
            "env -u LC_ALL -u LC_MESSAGES LANG=C " + testing_support::Kz7ctlCommand() +
            " apply --simulate --trace --data-dir " + cliFolder.path().string());
        ASSERT_EQ(cli.status, 0) << cli.out;
        std::string windowTrace;
        for (const std::string& line : traceLines) windowTrace += line + "\n";
        EXPECT_EQ(cli.out, windowTrace);
        for (const char* name : {"config.bin", "str.ini"}) {
            EXPECT_EQ(cliFolder.Read(name), testing_support::TempFolder::ReadFile(folder / name)) << name;
        }
        TearDown();
    }
}

TEST_F(MainWindowTest, ApplyWritesButKeepsTheWindowOpen) {
    Start();
    model.config.reportRate = 2;
    window->ClickAt(Centre(frame::kApply));
    const auto saved = SavedImage();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->firstRunFlag, 1);
    EXPECT_EQ(saved->config.reportRate, 2);
    EXPECT_TRUE(SameBytes(model.appliedConfig, model.config));
    EXPECT_TRUE(LabelsSaved());
    EXPECT_FALSE(desktop.writes.empty());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, OkAndApplyWithoutTheMouseChangeNothing) {
    for (const HotZone& zone : {frame::kOk, frame::kApply}) {
        SCOPED_TRACE(zone.left);
        Start(/*pluggedIn=*/false);
        model.config.reportRate = 8;
        window->show();
        window->ClickAt(Centre(zone));
        const auto saved = SavedImage();
        ASSERT_TRUE(saved);
        EXPECT_EQ(saved->firstRunFlag, 0);
        EXPECT_TRUE(SameBytes(saved->config, StarterConfig()));
        EXPECT_FALSE(SameBytes(model.appliedConfig, model.config));
        EXPECT_FALSE(LabelsSaved());
        EXPECT_TRUE(desktop.writes.empty());
        EXPECT_TRUE(window->isVisible());
        TearDown();
    }
}

TEST_F(MainWindowTest, CancelRestoresTheAppliedRecordAndTheTrayRebuildsThePage) {
    Start();
    model.config.reportRate = 2;
    window->ClickAt(Centre(frame::kApply));
    const DeviceConfig applied = model.config;

    model.config.reportRate = 8;
    model.config.dpiLevel[2] = 7;
    model.config.buttons[1].function[3] = kFnKeyOff;
    window->ClickAt(Centre(frame::kCancel));
    EXPECT_TRUE(SameBytes(model.config, applied));
    EXPECT_TRUE(window->ReloadAfterCancel());
    EXPECT_FALSE(window->isVisible());
    // Cancel saves nothing.
    EXPECT_EQ(SavedImage()->config.reportRate, 2);

    const int loadsBefore = skinLoads;
    window->OnTrayLeftClick();
    EXPECT_FALSE(window->ReloadAfterCancel());
    EXPECT_EQ(skinLoads, loadsBefore + 1);  // the basic page reloads the skin settings
    EXPECT_EQ(window->CurrentPage(), MainWindow::kBasicPage);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, EnterEscapeAndClosingHideTheWindowAndKeepTheProgram) {
    Start();
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        window->show();
        Press(key);
        EXPECT_FALSE(window->isVisible()) << key;
    }
    // Also when a control inside the window has the focus.
    QWidget child(window.get());
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        window->show();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&child, &press);
        EXPECT_FALSE(window->isVisible()) << key;
    }
    window->show();
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(quits, 0);
    EXPECT_TRUE(link->devicePresent);
}

TEST_F(MainWindowTest, FrameZonesDoTheirActions) {
    Start();
    window->ClickAt(Centre(frame::kAdvancedTab));
    EXPECT_EQ(window->CurrentPage(), MainWindow::kAdvancedPage);
    window->ClickAt(Centre(frame::kBasicTab));
    EXPECT_EQ(window->CurrentPage(), MainWindow::kBasicPage);

    window->ClickAt(Centre(frame::kWebLink));
    EXPECT_EQ(openedUrls, std::vector<QString>{QStringLiteral("https://example.org/kz7-test")});

    // The skins dialog cancelled: the window stays as it was.
    window->ClickAt(Centre(frame::kSkins));
    EXPECT_EQ(dialogs.asked, std::vector<std::string>{"skins"});
    EXPECT_TRUE(window->isVisible());

    // Zone edges: right and bottom edges are outside.
    window->ClickAt({frame::kMinimise.right, frame::kMinimise.top});
    EXPECT_TRUE(window->isVisible());
    window->ClickAt({frame::kMinimise.left, frame::kMinimise.top});
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(quits, 0);

    window->show();
    window->ClickAt(Centre(frame::kClose));
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(link->devicePresent.load() && link->EventCollectionOpen());
}

TEST_F(MainWindowTest, ThePagesDrawTheirBackgroundsIntoTheCanvas) {
    Start();
    const QImage basic = window->Surface().Canvas().copy();
    window->ClickAt(Centre(frame::kAdvancedTab));
    const QImage advanced = window->Surface().Canvas().copy();
    ASSERT_FALSE(basic.isNull());
    EXPECT_NE(basic, advanced);
    window->ClickAt(Centre(frame::kBasicTab));
    EXPECT_EQ(window->Surface().Canvas(), basic);
}

TEST_F(MainWindowTest, HoverHighlightsOneOfOkApplyCancelAtATime) {
    Start();
    ui::SkinSurface& surface = window->Surface();
    auto lit = [&](const HotZone& zone) {
        const ui::Control* control = window->FrameControls().At(Centre(zone));
        return control && surface.IsHighlighted(*control);
    };
    // A point of the OK button's face, clear of its label and rounded corners.
    const QPoint face(frame::kOk.left + 6, Centre(frame::kOk).y());
    const QRgb normal = surface.Canvas().pixel(face);

    surface.PointerRestedAt(Centre(frame::kOk));
    EXPECT_TRUE(lit(frame::kOk));
    EXPECT_NE(surface.Canvas().pixel(face), normal);

    surface.PointerRestedAt(Centre(frame::kApply));
    EXPECT_FALSE(lit(frame::kOk));
    EXPECT_TRUE(lit(frame::kApply));
    EXPECT_EQ(surface.Canvas().pixel(face), normal);

    // The close button is outside the group: both stay lit until the pointer
    // moves over a part of the window that is no hover zone.
    surface.PointerRestedAt(Centre(frame::kClose));
    EXPECT_TRUE(lit(frame::kApply));
    EXPECT_TRUE(lit(frame::kClose));
    surface.PointerMovedTo({400, 20});
    EXPECT_FALSE(surface.Flags().AnySet());
}

struct EventCase {
    DeviceEvent event;
    int value;
    std::optional<Shown> expected;
};

TEST_F(MainWindowTest, DeviceEventsShowTheirNotifications) {
    Start(/*pluggedIn=*/true, /*sensorType=*/0);
    model.config.dpiLevel[0] = 0;
    model.config.dpiLevel[1] = 3;
    model.config.dpiLevel[3] = 11;
    const std::string stage2 = "Switch DPI into the second stage " + std::string(DpiLabelFor(0, 3));
    const std::string stage4 = "Switch DPI into the fourth stage " + std::string(DpiLabelFor(0, 11));
    using enum DeviceEvent;
    const std::vector<EventCase> cases = {
        {ReportRate, 1, Shown{"Info", "Switch report rate into 1000HZ", 5000}},
        {ReportRate, 8, Shown{"Info", "Switch report rate into 125HZ", 5000}},
        {ReportRate, 3, std::nullopt},
        {DpiStage, 2, Shown{"Info", stage2, 5000}},
        {DpiStage, 4, Shown{"Info", stage4, 5000}},
        {DpiStage, 5, std::nullopt},
        {KeyMatrixSwitch, 2, Shown{"Info", "Switch to key matrix 2", 5000}},
        {KeyMatrixSwitch, 3, std::nullopt},
        {MacroKey, 7, Shown{"Info", "Switch to macro key7", 5000}},
        {MacroKey, 0, std::nullopt},
        {MouseAccepted, 0, kDetected},
        {NoMouse, 0, kNotDetected},
    };
    ASSERT_FALSE(DpiLabelFor(0, 3).empty());
    for (const EventCase& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.event)) + "/" + std::to_string(c.value));
        notifier.shown.clear();
        window->OnDeviceEvent(c.event, c.value);
        if (c.expected) {
            EXPECT_EQ(notifier.shown, std::vector<Shown>{*c.expected});
        } else {
            EXPECT_TRUE(notifier.shown.empty());
        }
    }
}

TEST_F(MainWindowTest, TheDpiLabelIsTheConnectedSensorsOwn) {
    Start(/*pluggedIn=*/true, /*sensorType=*/3);
    model.config.dpiLevel[2] = 1;
    ASSERT_NE(DpiLabelFor(3, 1), DpiLabelFor(0, 1));
    window->OnDeviceEvent(DeviceEvent::DpiStage, 3);
    ASSERT_FALSE(notifier.shown.empty());
    EXPECT_EQ(notifier.shown.back().text,
              "Switch DPI into the third stage " + std::string(DpiLabelFor(3, 1)));
}

TEST_F(MainWindowTest, EventsFromTheMouseArriveThroughTheListener) {
    Start();
    model.config.dpiLevel[0] = 2;
    mouse->SendEvent(7, 1);
    EXPECT_TRUE(NotifiedWith(
        {"Info", "Switch DPI into the first stage " + std::string(DpiLabelFor(0, 2)), 5000}));
    // A notification only informs: neither the record nor the page change.
    EXPECT_EQ(model.config.dpiLevel[0], 2);
    mouse->SendEvent(8, 3);
    mouse->SendEvent(5, 8);
    EXPECT_TRUE(NotifiedWith({"Info", "Switch report rate into 125HZ", 5000}));
    for (const Shown& shown : notifier.shown) EXPECT_EQ(shown.text.find("matrix 3"), std::string::npos);
}

TEST_F(MainWindowTest, ARefusedMouseCountsAsNoMouse) {
    Start(/*pluggedIn=*/true, /*sensorType=*/0, VirtualMouse::Dialect::Plain);
    EXPECT_TRUE(NotifiedWith(kNotDetected));
    EXPECT_FALSE(link->devicePresent);
    EXPECT_EQ(window->CurrentPage(), MainWindow::kNoPage);
}

}  // namespace
}  // namespace kz7
