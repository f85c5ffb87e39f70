// The shipped skins, as painted at build time: every file in both skins,
// each piece the size of the zones it is drawn into.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "ui/layout/advanced_page_zones.h"
#include "ui/layout/basic_page_zones.h"
#include "ui/layout/dialog_zones.h"
#include "ui/layout/frame_zones.h"
#include "ui/layout/window_sizes.h"
#include "skins/skin_images.h"

namespace kz7 {
namespace {

namespace img = skin_image;

const char* const kSkinFolders[] = {KZ7_BINARY_DIR "/share/kz7/Skins", KZ7_BINARY_DIR "/share/kz7/Skins/Crimson"};

QImage Load(const char* folder, std::string_view name) {
    return QImage(QString::fromUtf8(folder) + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

TEST(DefaultSkins, EverySkinHoldsEveryImage) {
    for (const char* folder : kSkinFolders) {
        for (std::string_view name : img::kAll) {
            EXPECT_FALSE(Load(folder, name).isNull()) << folder << name;
        }
    }
}

TEST(DefaultSkins, PiecesFitTheZonesTheyAreDrawnIn) {
    struct Case { std::string_view name; HotZone zone; };
    const Case cases[] = {
        {img::kMain, {0, 0, kMainWindowWidth, kMainWindowHeight}},
        {img::kBasicPage, {0, 0, kMainWindowWidth, kMainWindowHeight}},
        {img::kAdvancedPage, {0, 0, kMainWindowWidth, kMainWindowHeight}},
        {img::kButtonNormal, frame::kOk}, {img::kButtonOver, basic::kModeB},
        {img::kButtonNormal, dialog::kCancel}, {img::kButtonOver, advanced::kMacroConfirm},
        {img::kFunctionBoxNormal, basic::FunctionBox(0)}, {img::kFunctionBoxOver, basic::FunctionBox(5)},
        {img::kSkinsNormal, frame::kSkins}, {img::kSkinsOver, frame::kSkins},
        {img::kMinimiseNormal, frame::kMinimise}, {img::kMinimiseOver, frame::kMinimise},
        {img::kCloseNormal, frame::kClose}, {img::kCloseOver, dialog::kClose},
        {img::kBasicTabNormal, frame::kBasicTab}, {img::kBasicTabOver, frame::kBasicTab},
        {img::kAdvancedTabNormal, frame::kAdvancedTab}, {img::kAdvancedTabOver, frame::kAdvancedTab},
        {img::kSmallDropdown, basic::kLightingModeBox},
        {img::kReportRateDark, basic::kReportRateStops[0]}, {img::kReportRateLight, basic::kReportRateStops[3]},
        {img::kDpiDark, basic::DpiCell(0, 1)}, {img::kDpiLight, basic::kDpiColorToggles[0]},
        {img::kCheckBox, basic::DpiStageCheckBox(0)}, {img::kCheckBoxTicked, advanced::kPrecisionCheckBox},
        {img::kCheckBoxTicked, macro_key::kRepeatOptions[0]},
        {img::kPointerDark, advanced::PointerCell(0, 1)}, {img::kPointerLight, advanced::PointerCell(2, 11)},
    };
    for (const char* folder : kSkinFolders) {
        for (const Case& c : cases) {
            const QImage image = Load(folder, c.name);
            EXPECT_EQ(image.size(), QSize(c.zone.Width(), c.zone.Height())) << folder << c.name;
        }
        for (std::string_view dialogBackground : {img::kComboDialog, img::kDelayDialog, img::kFireDialog,
                                                  img::kMacroDialog, img::kMediaDialog, img::kSingleDialog,
                                                  img::kLaunchDialog, img::kSkinsDialog}) {
            EXPECT_EQ(Load(folder, dialogBackground).size(), QSize(kDialogWidth, kDialogHeight))
                << folder << dialogBackground;
        }
    }
}

TEST(DefaultSkins, RoundedPiecesAreTransparentAtTheirCorners) {
    for (const char* folder : kSkinFolders) {
        for (std::string_view name : {img::kButtonNormal, img::kButtonOver, img::kCheckBox, img::kDpiLight,
                                      img::kBasicTabNormal, img::kCloseNormal}) {
            const QImage image = Load(folder, name);
            ASSERT_TRUE(image.hasAlphaChannel()) << name;
            EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << folder << name;
            EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2).alpha(), 255) << folder << name;
        }
    }
}

TEST(DefaultSkins, HoverStatesDifferFromNormalStates) {
    const std::pair<std::string_view, std::string_view> pairs[] = {
        {img::kButtonNormal, img::kButtonOver},   {img::kFunctionBoxNormal, img::kFunctionBoxOver},
        {img::kSkinsNormal, img::kSkinsOver},     {img::kMinimiseNormal, img::kMinimiseOver},
        {img::kCloseNormal, img::kCloseOver},     {img::kBasicTabNormal, img::kBasicTabOver},
        {img::kAdvancedTabNormal, img::kAdvancedTabOver}, {img::kDpiDark, img::kDpiLight},
        {img::kReportRateDark, img::kReportRateLight},    {img::kPointerDark, img::kPointerLight},
        {img::kCheckBox, img::kCheckBoxTicked},
    };
    for (const char* folder : kSkinFolders) {
        for (const auto& [normal, over] : pairs) {
            EXPECT_NE(Load(folder, normal), Load(folder, over)) << folder << normal;
        }
    }
    // The two skins are different skins, not copies.
    EXPECT_NE(Load(kSkinFolders[0], img::kBasicPage), Load(kSkinFolders[1], img::kBasicPage));
}

}  // namespace
}  // namespace kz7
