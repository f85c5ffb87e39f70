#include <gtest/gtest.h>

#include "pages/advanced_page_model.h"
#include "pointer/memory_pointer_backend.h"
#include "support/temp_folder.h"

namespace kz7 {
namespace {

class AdvancedPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.config = ZeroConfig();
        model.Subscribe([this](ConfigPart part) { changes.push_back(part); });
    }
    testing_support::TempFolder folder;
    ConfigModel model;
    MemoryPointerBackend desktop;
    RecordingPrompter prompter;
    SystemPointer pointer{desktop, prompter};
    AdvancedPageModel page{model, pointer, folder / "record.ini", prompter, UiLanguage::English};
    std::vector<ConfigPart> changes;
};

TEST_F(AdvancedPageTest, TheFirstDrawingReadsTheDesktopAndTheMacrosLaterOnesOnlyTheMacros) {
    folder.Write("record.ini", "[Fire]\nItemCount=1\nItem0=A   Dn\n");
    desktop.speed = 20;
    page.Shown();
    EXPECT_EQ(model.config.pointerSpeed, 11);
    EXPECT_EQ(page.Macros().macroList, std::vector<std::string>{"Fire"});
    EXPECT_EQ(changes, std::vector<ConfigPart>{ConfigPart::Pointer});

    desktop.speed = 2;
    folder.Write("record.ini", "[Fire]\nItemCount=0\n[Two]\nItemCount=0\n");
    page.Shown();
    EXPECT_EQ(model.config.pointerSpeed, 11);  // the record is what the sliders show now
    EXPECT_EQ(page.Macros().macroList.size(), 2u);
}

TEST_F(AdvancedPageTest, SlidersAndBoxesEditTheRecordOnlyDefaultWritesTheDesktop) {
    page.SetSliderLevel(1, 11);
    page.SetSliderLevel(3, 12);  // past the slider: nothing
    page.TogglePrecision();
    page.ToggleScrollOneScreen();
    EXPECT_EQ(model.config.pointerSpeed, 11);
    EXPECT_EQ(model.config.doubleClickSpeed, 0);
    EXPECT_EQ(model.config.enhancePointerPrecision, 1);
    EXPECT_EQ(model.config.scrollOneScreen, 1);
    EXPECT_TRUE(desktop.writes.empty());
    EXPECT_EQ(changes.size(), 3u);

    EXPECT_TRUE(page.RestoreDefaults().Ok());
    EXPECT_EQ(desktop.writes.size(), 4u);
    EXPECT_EQ(model.config.pointerSpeed, 6);
    EXPECT_EQ(model.config.scrollOneScreen, 0);
    EXPECT_EQ(changes.back(), ConfigPart::Pointer);
}

TEST_F(AdvancedPageTest, ChooserEventsGoInAtTheSelectedLineAndAreShownAsTheLast) {
    folder.Write("record.ini", "[Fire]\nItemCount=3\nItem0=A   Dn\nItem1=50 ms\nItem2=A   Up\n");
    page.Shown();
    MacroArea& macros = page.Macros();
    macros.selectedLine = 2;
    page.InsertMouseEvent("R-Button   Up");
    EXPECT_EQ(macros.lineList, (std::vector<std::string>{"A   Dn", "50 ms", "A   Up", "50 ms", "R-Button   Up"}));
    EXPECT_EQ(macros.selectedLine, 4);
    EXPECT_EQ(page.LastMouseEvent(), "R-Button   Up");
    // Without a selection in a list that has lines, nothing goes in but the label changes.
    macros.selectedLine = -1;
    page.InsertMouseEvent("L-Button Click");
    EXPECT_EQ(macros.lineList.size(), 5u);
    EXPECT_EQ(page.LastMouseEvent(), "L-Button Click");
}

TEST_F(AdvancedPageTest, ADoubleClickOnAPauseAsksForItsLength) {
    folder.Write("record.ini", "[Fire]\nItemCount=3\nItem0=A   Dn\nItem1=50 ms\nItem2=A   Up\n");
    page.Shown();
    auto& lines = page.Macros().lineList;
    ScriptedDialogRunner dialogs;
    dialogs.delays = {DelayChoice{100, "0100"}, std::nullopt, DelayChoice{10001, "10001"}};
    EXPECT_FALSE(page.EditPause(0, dialogs));  // an event line: no dialog
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(page.EditPause(1, dialogs));
    EXPECT_EQ(lines[1], "0100 ms");
    EXPECT_EQ(page.Macros().selectedLine, 1);
    EXPECT_FALSE(page.EditPause(1, dialogs));  // Cancel
    EXPECT_EQ(lines[1], "0100 ms");
    EXPECT_TRUE(page.EditPause(1, dialogs));
    EXPECT_EQ(lines[1], "50 ms");
    EXPECT_FALSE(page.EditPause(5, dialogs));
    EXPECT_EQ(dialogs.asked.size(), 3u);
}

TEST_F(AdvancedPageTest, TheListMenusDeleteTakesOnlyTheSelectedLineFromTheList) {
    folder.Write("record.ini", "[Fire]\nItemCount=3\nItem0=A   Dn\nItem1=50 ms\nItem2=A   Up\n");
    page.Shown();
    MacroArea& macros = page.Macros();
    macros.DeleteSelectedLine();  // nothing selected
    EXPECT_EQ(macros.lineList.size(), 3u);
    macros.selectedLine = 1;
    macros.DeleteSelectedLine();
    EXPECT_EQ(macros.lineList, (std::vector<std::string>{"A   Dn", "A   Up"}));
    EXPECT_EQ(MacroStore(folder / "record.ini").Section("Fire").Lines().size(), 3u);
}

TEST_F(AdvancedPageTest, LeavingThePageEndsARecording) {
    folder.Write("record.ini", "[Fire]\nItemCount=0\n");
    page.Shown();
    ASSERT_TRUE(page.Recorder().Start());
    page.Left();
    EXPECT_FALSE(page.Recorder().Recording());
}

}  // namespace
}  // namespace kz7
