#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "skins/hover_flags.h"

namespace kz7 {
namespace {

using Indices = std::vector<std::size_t>;

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

// Five targets the way the main window's frame has them: OK, Apply and
// Cancel side by side in one group (sharing a column at their edges), and
// two buttons of no group.
constexpr int kButtons = 1;
enum : std::size_t { kSkins, kOk, kApply, kCancel, kClose };
const std::vector<HoverTarget> kFrame = {
    {{701, 5, 719, 23}, kNoHoverGroup},
    {{513, 609, 618, 630}, kButtons},
    {{617, 609, 722, 630}, kButtons},
    {{721, 609, 826, 630}, kButtons},
    {{850, 5, 868, 23}, kNoHoverGroup},
};
constexpr int kOkX = 560, kApplyX = 670, kCancelX = 780, kButtonsY = 620;

TEST(HoverFlags, TheFirstTargetThatContainsAPointIsIt) {
    EXPECT_EQ(HoverTargetAt(kFrame, 617, 620), kOk);  // the shared column belongs to the first
    EXPECT_EQ(HoverTargetAt(kFrame, 618, 620), kApply);
    EXPECT_EQ(HoverTargetAt(kFrame, 826, 629), std::nullopt);
}

TEST(HoverFlags, HighlightingRestoresOnlyTheTargetsOfItsGroup) {
    HoverFlags flags;
    auto redraw = flags.OnHover(kFrame, 710, 10);
    EXPECT_EQ(redraw.toOver, kSkins);
    EXPECT_TRUE(redraw.toNormal.empty());

    redraw = flags.OnHover(kFrame, kOkX, kButtonsY);
    EXPECT_EQ(redraw.toOver, kOk);
    EXPECT_TRUE(redraw.toNormal.empty());  // the skins button is in no group: it stays lit

    redraw = flags.OnHover(kFrame, kApplyX, kButtonsY);
    EXPECT_EQ(redraw.toOver, kApply);
    EXPECT_EQ(redraw.toNormal, Indices{kOk});

    redraw = flags.OnHover(kFrame, kCancelX, kButtonsY);
    EXPECT_EQ(redraw.toNormal, Indices{kApply});
    EXPECT_TRUE(flags.IsSet(kSkins));
    EXPECT_TRUE(flags.IsSet(kCancel));
    EXPECT_FALSE(flags.IsSet(kOk));
}

TEST(HoverFlags, RestingAgainOnALitTargetOrOnNoneDrawsNothing) {
    HoverFlags flags;
    flags.OnHover(kFrame, kOkX, kButtonsY);
    EXPECT_TRUE(flags.OnHover(kFrame, kOkX + 1, kButtonsY + 1).Empty());
    EXPECT_TRUE(flags.OnHover(kFrame, 5, 5).Empty());
}

TEST(HoverFlags, MovingOutsideEveryTargetRestoresAllFlaggedOnes) {
    HoverFlags flags;
    flags.OnHover(kFrame, 710, 10);
    flags.OnHover(kFrame, kOkX, kButtonsY);
    flags.OnHover(kFrame, 860, 10);

    // Moving within a target changes nothing until the pointer rests.
    EXPECT_TRUE(flags.OnMove(kFrame, kApplyX, kButtonsY).Empty());

    const auto restore = flags.OnMove(kFrame, 5, 300);
    EXPECT_EQ(restore.toNormal, (Indices{kSkins, kOk, kClose}));
    EXPECT_FALSE(restore.toOver);
    EXPECT_FALSE(flags.AnySet());
    EXPECT_TRUE(flags.OnMove(kFrame, 6, 300).Empty());
}

TEST(HoverFlags, ANewListOfTargetsStartsWithoutFlags) {
    HoverFlags flags;
    flags.OnHover(kFrame, kOkX, kButtonsY);
    flags.Clear();
    EXPECT_FALSE(flags.AnySet());
    EXPECT_TRUE(flags.OnMove(kFrame, 5, 300).Empty());
    // A shorter list than the flags knew never reads past its end.
    const std::vector<HoverTarget> one = {kFrame[kOk]};
    EXPECT_EQ(flags.OnHover(one, kOkX, kButtonsY).toOver, 0u);
    EXPECT_FALSE(flags.IsSet(7));
}

}  // namespace
}  // namespace kz7
