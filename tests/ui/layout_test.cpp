#include <gtest/gtest.h>

#include <vector>

#include "ui/layout/advanced_page_zones.h"
#include "ui/layout/basic_page_zones.h"
#include "ui/layout/dialog_zones.h"
#include "ui/layout/frame_zones.h"
#include "ui/layout/window_sizes.h"

namespace kz7 {
namespace {

TEST(Layout, RepeatedElementsStepAsTheLayoutsDo) {
    EXPECT_EQ(basic::FunctionBox(5), (HotZone{252, 301, 463, 322}));
    EXPECT_EQ(basic::FunctionList(5), (HotZone{252, 323, 463, 593}));
    EXPECT_EQ(basic::DpiCell(3, 12), (HotZone{635, 320, 651, 336}));
    EXPECT_EQ(basic::DpiLabel(1, 12), (HotZone{514, 518, 544, 534}));
    EXPECT_EQ(basic::DpiLabel(8, 8), (HotZone{494, 392, 544, 408}));
    EXPECT_EQ(basic::ReportRateCaption(3), (HotZone{758, 225, 828, 245}));
    EXPECT_EQ(advanced::PointerCell(2, 11), (HotZone{292, 500, 316, 511}));
    EXPECT_EQ(basic::LoopColorCheckBox(7), (HotZone{850, 440, 866, 456}));
}

TEST(Layout, CountedRowsComeFromTheirCounts) {
    const std::vector<HotZone> stops{{542, 204, 612, 215}, {614, 204, 684, 215}, {686, 204, 756, 215},
                                     {758, 204, 828, 215}};
    EXPECT_EQ(std::vector<HotZone>(basic::kReportRateStops.begin(), basic::kReportRateStops.end()), stops);
    const std::vector<HotZone> toggles{{749, 540, 765, 556}, {775, 540, 791, 556}, {801, 540, 817, 556}};
    EXPECT_EQ(std::vector<HotZone>(basic::kDpiColorToggles.begin(), basic::kDpiColorToggles.end()), toggles);
    // The parameter list is as tall as its rows, up to the height where it scrolls.
    EXPECT_EQ(basic::LightingParamList(1), (HotZone{766, 377, 851, 547}));
    EXPECT_EQ(basic::LightingParamList(2), (HotZone{766, 377, 851, 467}));
    EXPECT_EQ(basic::LightingParamList(3), (HotZone{766, 377, 851, 577}));
    EXPECT_EQ(basic::LightingParamList(0), (HotZone{766, 377, 851, 577}));
}

TEST(Layout, DialogDropDownsWidenTheirTextOverTheArrow) {
    struct Case { DropdownZones zones; HotZone text, click, list; };
    const Case cases[] = {
        {combo_key::kModifier, {50, 70, 116, 84}, {50, 70, 132, 84}, {50, 86, 132, 226}},
        {fire_key::kKey, {50, 70, 116, 84}, {50, 70, 132, 84}, {50, 86, 132, 256}},
        {media_key::kMedia, {43, 129, 135, 143}, {43, 129, 151, 143}, {43, 145, 151, 265}},
        {media_key::kLaunch, {43, 129, 135, 143}, {43, 129, 151, 143}, {43, 145, 151, 305}},
        {macro_key::kMacro, {43, 129, 136, 143}, {43, 129, 151, 143}, {43, 146, 151, 285}},
        {skins_dialog::kSkin, {42, 128, 136, 144}, {42, 128, 151, 144}, {42, 146, 151, 266}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.zones.text, c.text);
        EXPECT_EQ(c.zones.click, c.click);
        EXPECT_EQ(c.zones.list, c.list);
    }
}

TEST(Layout, EveryMainWindowZoneLiesInsideTheWindow) {
    std::vector<HotZone> zones{frame::kOk, frame::kApply, frame::kCancel, frame::kSkins,
                               frame::kMinimise, frame::kClose, frame::kBasicTab,
                               frame::kAdvancedTab, frame::kWebLink};
    for (int i = 0; i < basic::kFunctionBoxCount; ++i) zones.push_back(basic::FunctionList(i));
    for (int k = 0; k < basic::kDpiStageCount; ++k) zones.push_back(basic::DpiCell(k, basic::kDpiCellsMax));
    for (int s = 0; s < advanced::kPointerSliderCount; ++s)
        zones.push_back(advanced::PointerCell(s, advanced::kPointerCellCount));
    zones.push_back(basic::LightingParamList(0));
    for (const HotZone& zone : zones) {
        EXPECT_GE(zone.left, 0);
        EXPECT_GE(zone.top, 0);
        EXPECT_LE(zone.right, kMainWindowWidth);
        EXPECT_LE(zone.bottom, kMainWindowHeight);
    }
}

}  // namespace
}  // namespace kz7
