#include <gtest/gtest.h>

#include <vector>

#include "config/record_labels.h"
#include "config/starter_config.h"
#include "locale/strings.h"
#include "pages/basic_page_model.h"

namespace kz7 {
namespace {

// The basic page over a starter record, with every change notification kept.
class BasicPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.config = StarterConfig();
        model.Subscribe([this](ConfigPart part) { changes.push_back(part); });
    }
    DeviceConfig& c() { return model.config; }

    ConfigModel model;
    ButtonLabels labels;
    BasicPageModel page{model, labels, UiLanguage::English};
    std::vector<ConfigPart> changes;
};

TEST(ConfigModel, ObserversHearEveryChangeUntilTheyLeave) {
    ConfigModel model;
    std::vector<ConfigPart> heard;
    const int token = model.Subscribe([&](ConfigPart part) { heard.push_back(part); });
    model.NotifyChanged(ConfigPart::Dpi);
    model.Revert();
    model.Unsubscribe(token);
    model.NotifyChanged(ConfigPart::Lighting);
    EXPECT_EQ(heard, (std::vector<ConfigPart>{ConfigPart::Dpi, ConfigPart::Everything}));
}

TEST_F(BasicPageTest, ModeAndReportRateTakeTheirStops) {
    page.SelectMode(1);
    EXPECT_EQ(c().currentMode, 1);
    page.SelectMode(2);  // no such mode
    EXPECT_EQ(c().currentMode, 1);
    const std::uint8_t intervals[] = {8, 4, 2, 1};
    for (int stop = 0; stop < 4; ++stop) {
        page.SetReportRate(stop);
        EXPECT_EQ(c().reportRate, intervals[stop]);
    }
    page.SetReportRate(4);
    EXPECT_EQ(c().reportRate, 1);
    EXPECT_EQ(changes, (std::vector<ConfigPart>{ConfigPart::Buttons, ConfigPart::ReportRate, ConfigPart::ReportRate,
                                                ConfigPart::ReportRate, ConfigPart::ReportRate}));
}

TEST_F(BasicPageTest, TheLastEnabledDpiStageStaysOn) {
    std::fill(std::begin(c().dpiStageOn), std::end(c().dpiStageOn), std::uint8_t{0});
    c().dpiStageOn[0] = 1;
    c().dpiStageOn[1] = 1;
    EXPECT_TRUE(page.ToggleDpiStage(1));   // one of two: cleared
    EXPECT_EQ(c().dpiStageOn[1], 0);
    EXPECT_FALSE(page.ToggleDpiStage(0));  // the last one: nothing happens
    EXPECT_EQ(c().dpiStageOn[0], 1);
    c().dpiStageOn[6] = 1;                 // an enabled stage past the fourth counts too
    EXPECT_TRUE(page.ToggleDpiStage(0));
    EXPECT_TRUE(page.ToggleDpiStage(3));
    EXPECT_EQ(c().dpiStageOn[3], 1);
    EXPECT_FALSE(page.ToggleDpiStage(4));  // the page shows four stages
}

TEST_F(BasicPageTest, DpiCellsStopAtTheSensorsLevels) {
    struct Case { std::uint8_t sensor; int cell; bool taken; };
    const Case cases[] = {{0, 12, true}, {0, 13, false}, {1, 8, true}, {1, 9, false}, {3, 12, false},
                          {7, 12, true}, {2, 0, false}};
    for (const Case& c2 : cases) {
        c().dpiLevel[2] = 0;
        EXPECT_EQ(page.SetDpiLevel(2, c2.cell, c2.sensor), c2.taken) << int(c2.sensor) << "/" << c2.cell;
        EXPECT_EQ(c().dpiLevel[2], c2.taken ? c2.cell - 1 : 0);
    }
    EXPECT_EQ(DpiLevelsOffered(0), 12);
    EXPECT_EQ(DpiLevelsOffered(2), 8);
}

TEST_F(BasicPageTest, LoopColoursAreChosenOnlyWhileTheFirstIsOn) {
    ScriptedDialogRunner dialogs;
    dialogs.colours = {Rgb{1, 2, 3}, std::nullopt};
    c().loopColorOn[0] = 0;
    EXPECT_FALSE(page.ChooseLoopColour(4, dialogs));
    EXPECT_TRUE(dialogs.colourRequests.empty());

    page.ToggleLoopColour(0);
    EXPECT_EQ(c().loopColorOn[0], 1);
    c().loopColor[4][0] = 9;
    EXPECT_TRUE(page.ChooseLoopColour(4, dialogs));
    EXPECT_EQ(dialogs.colourRequests.front().red, 9);  // the chooser opens at the present colour
    EXPECT_EQ((Rgb{c().loopColor[4][0], c().loopColor[4][1], c().loopColor[4][2]}), (Rgb{1, 2, 3}));
    EXPECT_FALSE(page.ChooseLoopColour(4, dialogs));  // cancelled: the colour stays
    EXPECT_EQ(c().loopColor[4][2], 3);
}

TEST_F(BasicPageTest, LedTogglesActOnTheChosenStageUntilThePageIsDrawnAgain) {
    c().ledFlags[0] = c().ledFlags[1] = 0;
    page.ChooseDpiColourStage(2);
    page.ToggleDpiColourLed(1);
    EXPECT_EQ(c().ledFlags[1], 0x02);
    page.Shown();
    page.ToggleDpiColourLed(0);
    EXPECT_EQ(c().ledFlags[0], 0x01);
    page.ChooseDpiColourStage(3);
    page.ToggleDpiColourLed(2);
    page.ToggleDpiColourLed(3);  // no fourth LED
    EXPECT_EQ(c().ledFlags[1], 0x42);
}

TEST_F(BasicPageTest, LightingListsSetModeAndTheModesParameter) {
    page.ChooseLedMode(1);
    EXPECT_EQ(c().ledMode, 2);
    page.ChooseLedParam(4);
    EXPECT_EQ(c().ledModeParam[1], 4);
    page.ChooseLedParam(5);  // Respiration has five choices
    EXPECT_EQ(c().ledModeParam[1], 4);
    c().ledMode = 0;
    page.ChooseLedParam(2);  // Off keeps no parameter
    EXPECT_EQ(c().ledModeParam[0], StarterConfig().ledModeParam[0]);
    page.ChooseLedMode(3);
    EXPECT_EQ(c().ledMode, 0);
}

TEST_F(BasicPageTest, EachLightingRowStoresWhatItReads) {
    for (const UiLanguage language :
         {UiLanguage::English, UiLanguage::SimplifiedChinese, UiLanguage::TraditionalChinese}) {
        const auto modes = LedModeRows(language);
        ASSERT_EQ(modes.size(), 3u);
        for (int row = 0; row < 3; ++row) {
            page.ChooseLedMode(row);
            EXPECT_EQ(LedModeText(c().ledMode, language), modes[static_cast<std::size_t>(row)]);
        }
    }
    const struct {
        std::uint8_t mode;
        std::size_t count;
        const char* first;
        const char* last;
    } lists[] = {{1, 10, "5%", "100%"}, {2, 5, "8S", "4S"}, {3, 30, "0.5S", "15S"}};
    for (const auto& list : lists) {
        page.ChooseLedMode(list.mode - 1);
        const auto rows = LedParamRows(list.mode);
        ASSERT_EQ(rows.size(), list.count) << int(list.mode);
        EXPECT_EQ(rows.front(), list.first);
        EXPECT_EQ(rows.back(), list.last);
        for (std::size_t row = 0; row < rows.size(); ++row) {
            page.ChooseLedParam(static_cast<int>(row));
            EXPECT_EQ(LedParamLabel(list.mode, c().ledModeParam[list.mode - 1]), rows[row]);
        }
    }
}

}  // namespace
}  // namespace kz7
