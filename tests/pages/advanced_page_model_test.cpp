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

}  // namespace
}  // namespace kz7
