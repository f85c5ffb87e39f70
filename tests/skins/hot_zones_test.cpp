#include "skins/hot_zones.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace kz7 {
namespace {

using Id = HoverZoneId;

TEST(HotZone, LeftAndTopEdgesAreInsideRightAndBottomAreNot) {
    constexpr HotZone zone{10, 20, 30, 40};
    struct Case { int x, y; bool inside; };
    const Case cases[] = {
        {10, 20, true},  {29, 39, true},  {9, 20, false}, {10, 19, false},
        {30, 20, false}, {10, 40, false}, {20, 30, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(zone.Contains(c.x, c.y), c.inside) << c.x << "," << c.y;
    }
}

TEST(HotZone, RepeatedElementsStepAsTheLayoutsDo) {
    EXPECT_EQ(basic::FunctionBox(5), (HotZone{252, 301, 463, 322}));
    EXPECT_EQ(basic::FunctionList(5), (HotZone{252, 323, 463, 593}));
    EXPECT_EQ(basic::DpiCell(3, 12), (HotZone{635, 320, 651, 336}));
    EXPECT_EQ(basic::DpiLabel(1, 12), (HotZone{514, 518, 544, 534}));
    EXPECT_EQ(basic::DpiLabel(8, 8), (HotZone{494, 392, 544, 408}));
    EXPECT_EQ(basic::LightingParamList(2), (HotZone{766, 377, 851, 467}));
    EXPECT_EQ(basic::LightingParamList(0), (HotZone{766, 377, 851, 577}));
    EXPECT_EQ(basic::ReportRateCaption(3), (HotZone{758, 225, 828, 245}));
    EXPECT_EQ(advanced::PointerCell(2, 11), (HotZone{292, 500, 316, 511}));
    EXPECT_EQ(basic::LoopColorCheckBox(7), (HotZone{850, 440, 866, 456}));
}

TEST(HotZone, EveryMainWindowZoneLiesInsideTheWindow) {
    std::vector<HotZone> zones{frame::kOk, frame::kApply, frame::kCancel, frame::kSkins,
                               frame::kMinimise, frame::kClose, frame::kBasicTab,
                               frame::kAdvancedTab, frame::kWebLink};
    for (int i = 0; i < basic::kFunctionBoxCount; ++i) zones.push_back(basic::FunctionList(i));
    for (int k = 0; k < basic::kDpiStageCount; ++k) zones.push_back(basic::DpiCell(k, 12));
    for (int s = 0; s < advanced::kPointerSliderCount; ++s) zones.push_back(advanced::PointerCell(s, 11));
    zones.push_back(basic::LightingParamList(0));
    for (const HotZone& zone : zones) {
        EXPECT_GE(zone.left, 0);
        EXPECT_GE(zone.top, 0);
        EXPECT_LE(zone.right, kMainWindowWidth);
        EXPECT_LE(zone.bottom, kMainWindowHeight);
    }
}

TEST(HoverZones, PointsFindTheirZoneOnEachSurface) {
    struct Case { HoverSurface surface; int x, y; std::optional<Id> expected; };
    const Case cases[] = {
        {HoverSurface::BasicPage, 513, 609, Id::Ok},
        {HoverSurface::BasicPage, 617, 620, Id::Ok},  // OK and Apply share a column; OK is tested first
        {HoverSurface::BasicPage, 618, 620, Id::Apply},
        {HoverSurface::BasicPage, 825, 629, Id::Cancel},
        {HoverSurface::BasicPage, 826, 629, std::nullopt},
        {HoverSurface::BasicPage, 710, 10, Id::Skins},
        {HoverSurface::BasicPage, 830, 10, Id::Minimise},
        {HoverSurface::BasicPage, 867, 22, Id::Close},
        {HoverSurface::BasicPage, 20, 55, Id::BasicTab},
        {HoverSurface::BasicPage, 109, 94, Id::AdvancedTab},
        {HoverSurface::BasicPage, 310, 550, Id::BasicDefault},
        {HoverSurface::BasicPage, 300, 186, Id::FunctionBox1},
        {HoverSurface::BasicPage, 300, 321, Id::FunctionBox6},
        {HoverSurface::BasicPage, 300, 530, std::nullopt},   // Mode A highlights by state, not hover
        {HoverSurface::BasicPage, 600, 530, std::nullopt},   // macro buttons belong to the advanced page
        {HoverSurface::AdvancedPage, 600, 530, Id::MacroNew},
        {HoverSurface::AdvancedPage, 700, 530, Id::MacroDelete},
        {HoverSurface::AdvancedPage, 800, 530, Id::MacroConfirm},
        {HoverSurface::AdvancedPage, 250, 580, Id::AdvancedDefault},
        {HoverSurface::AdvancedPage, 300, 190, std::nullopt},  // function boxes belong to the basic page
        {HoverSurface::AdvancedPage, 700, 620, Id::Apply},
        {HoverSurface::SubDialog, 360, 10, Id::DialogClose},
        {HoverSurface::SubDialog, 200, 260, Id::DialogOk},
        {HoverSurface::SubDialog, 300, 260, Id::DialogCancel},
        {HoverSurface::SubDialog, 600, 620, std::nullopt},
    };
    for (const Case& c : cases) {
        const HoverZone* zone = HoverZoneAt(c.surface, c.x, c.y);
        const std::optional<Id> found = zone ? std::optional<Id>(zone->id) : std::nullopt;
        EXPECT_EQ(found, c.expected) << c.x << "," << c.y;
    }
}

TEST(HoverZones, EachZoneIsFoundByItsId) {
    for (HoverSurface surface : {HoverSurface::BasicPage, HoverSurface::AdvancedPage, HoverSurface::SubDialog}) {
        for (const HoverZone& zone : HoverZonesOf(surface)) {
            EXPECT_EQ(HoverZoneById(zone.id).rect, zone.rect);
        }
    }
}

TEST(HoverZones, KindsUseTheirPicturePairs) {
    EXPECT_EQ(ImagesFor(HoverZoneById(Id::Cancel).kind).over, "/button-over.png");
    EXPECT_EQ(ImagesFor(HoverZoneById(Id::FunctionBox4).kind).normal, "/DropdownBox-normal.png");
    EXPECT_EQ(ImagesFor(HoverZoneById(Id::Skins).kind).over, "/button-Skins-over.png");
    EXPECT_EQ(ImagesFor(HoverZoneById(Id::Minimise).kind).normal, "/button-min-normal.png");
    EXPECT_EQ(ImagesFor(HoverZoneById(Id::DialogClose).kind).over, "/button-close-over.png");
    EXPECT_EQ(ImagesFor(HoverZoneById(Id::BasicTab).kind).over, "/button-PrePage-over.png");
    EXPECT_EQ(ImagesFor(HoverZoneById(Id::AdvancedTab).kind).normal, "/button-NextPage-normal.png");
    EXPECT_EQ(ImagesFor(HoverZoneById(Id::MacroConfirm).kind).normal, "/button-normal.png");
}

// Centre points of a few zones, for driving the flags.
constexpr int kOkX = 560, kApplyX = 670, kCancelX = 780, kFrameButtonsY = 620;

TEST(HoverFlags, HighlightingRestoresOnlyTheZonesOfItsGroup) {
    HoverFlags flags;
    auto redraw = flags.OnHover(HoverSurface::BasicPage, 710, 10);  // skins button
    EXPECT_EQ(redraw.toOver, Id::Skins);
    EXPECT_TRUE(redraw.toNormal.empty());

    redraw = flags.OnHover(HoverSurface::BasicPage, kOkX, kFrameButtonsY);
    EXPECT_EQ(redraw.toOver, Id::Ok);
    EXPECT_TRUE(redraw.toNormal.empty());  // the skins button is in no group: it stays lit

    redraw = flags.OnHover(HoverSurface::BasicPage, kApplyX, kFrameButtonsY);
    EXPECT_EQ(redraw.toOver, Id::Apply);
    EXPECT_EQ(redraw.toNormal, std::vector<Id>{Id::Ok});

    redraw = flags.OnHover(HoverSurface::BasicPage, kCancelX, kFrameButtonsY);
    EXPECT_EQ(redraw.toNormal, std::vector<Id>{Id::Apply});
    EXPECT_TRUE(flags.IsSet(Id::Skins));
    EXPECT_TRUE(flags.IsSet(Id::Cancel));
    EXPECT_FALSE(flags.IsSet(Id::Ok));
}

TEST(HoverFlags, FunctionBoxesAndMacroButtonsAreGroups) {
    HoverFlags flags;
    flags.OnHover(HoverSurface::BasicPage, 300, basic::FunctionBox(0).top);
    const auto boxes = flags.OnHover(HoverSurface::BasicPage, 300, basic::FunctionBox(4).top);
    EXPECT_EQ(boxes.toOver, Id::FunctionBox5);
    EXPECT_EQ(boxes.toNormal, std::vector<Id>{Id::FunctionBox1});

    HoverFlags advancedFlags;
    advancedFlags.OnHover(HoverSurface::AdvancedPage, 250, 580);  // Default, no group
    advancedFlags.OnHover(HoverSurface::AdvancedPage, 600, 530);  // New
    const auto macro = advancedFlags.OnHover(HoverSurface::AdvancedPage, 800, 530);
    EXPECT_EQ(macro.toNormal, std::vector<Id>{Id::MacroNew});
    EXPECT_TRUE(advancedFlags.IsSet(Id::AdvancedDefault));
}

TEST(HoverFlags, RestingAgainOnALitZoneDrawsNothing) {
    HoverFlags flags;
    flags.OnHover(HoverSurface::SubDialog, 200, 260);
    EXPECT_TRUE(flags.OnHover(HoverSurface::SubDialog, 201, 261).Empty());
    EXPECT_TRUE(flags.OnHover(HoverSurface::SubDialog, 5, 5).Empty());  // no zone there
}

TEST(HoverFlags, MovingOutsideEveryZoneRestoresAllFlaggedZonesOnce) {
    HoverFlags flags;
    flags.OnHover(HoverSurface::BasicPage, 710, 10);
    flags.OnHover(HoverSurface::BasicPage, kOkX, kFrameButtonsY);

    // Moving within a hover zone changes nothing until the pointer rests.
    EXPECT_TRUE(flags.OnMove(HoverSurface::BasicPage, kApplyX, kFrameButtonsY).Empty());

    const auto restore = flags.OnMove(HoverSurface::BasicPage, 5, 300);
    EXPECT_EQ(restore.toNormal, (std::vector<Id>{Id::Ok, Id::Skins}));
    EXPECT_FALSE(restore.toOver);
    EXPECT_FALSE(flags.AnySet());
    EXPECT_TRUE(flags.OnMove(HoverSurface::BasicPage, 6, 300).Empty());
}

TEST(HoverFlags, DialogCloseIsOutsideTheOkCancelGroup) {
    HoverFlags flags;
    flags.OnHover(HoverSurface::SubDialog, 360, 10);
    const auto ok = flags.OnHover(HoverSurface::SubDialog, 200, 260);
    EXPECT_TRUE(ok.toNormal.empty());
    const auto cancel = flags.OnHover(HoverSurface::SubDialog, 300, 260);
    EXPECT_EQ(cancel.toNormal, std::vector<Id>{Id::DialogOk});
    EXPECT_TRUE(flags.IsSet(Id::DialogClose));
}

}  // namespace
}  // namespace kz7
