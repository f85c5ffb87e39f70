#include "ui/skin_toolkit.h"
#include "ui/layout/basic_page_zones.h"
#include "ui/layout/dialog_zones.h"
#include "ui/layout/frame_zones.h"
#include "ui/layout/window_sizes.h"
#include "ui/widgets/text_button.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QFile>
#include <QWidget>

#include <memory>

#include "ui_app.h"

namespace kz7::ui {
namespace {

void App() { testing::UiApp(); }

QImage Solid(int width, int height, QColor color) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

const QColor kCanvasColor(10, 20, 30);
const QColor kNormalColor(200, 0, 0);
const QColor kOverColor(0, 0, 200);

// A throw-away skins root with a skin directly in it and one named "second".
class SkinToolkitTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        ASSERT_TRUE(root_.isValid());
        QDir(root_.path()).mkdir(QStringLiteral("second"));
        WriteImage("", skin_image::kMain, Solid(kMainWindowWidth, kMainWindowHeight, kCanvasColor));
        skin_ = std::make_unique<Skin>(root_.path());
        window_ = std::make_unique<QWidget>();
    }

    void WriteImage(const QString& skin, std::string_view name, const QImage& image) {
        const QString folder = skin.isEmpty() ? root_.path() : root_.path() + QLatin1Char('/') + skin;
        ASSERT_TRUE(image.save(folder + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), "PNG"));
    }

    SkinSurface& Surface(MissingImage policy = MissingImage::Skip) {
        surface_ = std::make_unique<SkinSurface>(window_.get(), *skin_, policy, &prompter_);
        EXPECT_TRUE(surface_->LoadCanvas(skin_image::kMain));
        return *surface_;
    }

    QColor CanvasAt(int x, int y) const { return surface_->Canvas().pixelColor(x, y); }

    QTemporaryDir root_;
    std::unique_ptr<Skin> skin_;
    std::unique_ptr<QWidget> window_;
    std::unique_ptr<SkinSurface> surface_;
    RecordingPrompter prompter_;
};

TEST_F(SkinToolkitTest, CanvasTakesTheSizeOfItsBackgroundAndSizesTheWindow) {
    WriteImage("", skin_image::kSkinsDialog, Solid(380, 310, Qt::black));
    SkinSurface surface(window_.get(), *skin_, MissingImage::Report, &prompter_);
    ASSERT_TRUE(surface.LoadCanvas(skin_image::kSkinsDialog));
    EXPECT_EQ(surface.Canvas().size(), QSize(380, 310));
    EXPECT_EQ(window_->size(), QSize(380, 310));
}

TEST_F(SkinToolkitTest, WithoutACanvasNothingIsEverDrawn) {
    SkinSurface surface(window_.get(), *skin_, MissingImage::Report, &prompter_);
    EXPECT_FALSE(surface.LoadCanvas("/absent.png"));
    EXPECT_FALSE(surface.HasCanvas());
    DrawingPass pass(surface);
    EXPECT_FALSE(pass.Active());
    EXPECT_FALSE(pass.DrawImage(skin_image::kMain, 0, 0));
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(SkinToolkitTest, ImagesBlendWithTheirPerPixelAlpha) {
    // One pixel each: fully transparent, opaque, and half-transparent white.
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixelColor(0, 0, QColor(255, 255, 255, 0));
    image.setPixelColor(1, 0, QColor(12, 34, 56, 255));
    image.setPixelColor(2, 0, QColor(255, 255, 255, 128));
    WriteImage("", "/alpha.png", image);
    // Over black, half-transparent white shows the premultiplied value itself.
    WriteImage("", skin_image::kMain, Solid(20, 20, Qt::black));
    SkinSurface& surface = Surface();
    {
        DrawingPass pass(surface);
        EXPECT_TRUE(pass.DrawImage("/alpha.png", 5, 7));
    }
    EXPECT_EQ(CanvasAt(5, 7), QColor(Qt::black));
    EXPECT_EQ(CanvasAt(6, 7), QColor(12, 34, 56));
    EXPECT_EQ(CanvasAt(7, 7), QColor(128, 128, 128));
    EXPECT_EQ(CanvasAt(4, 7), QColor(Qt::black));  // drawn at its natural size only
    EXPECT_EQ(CanvasAt(8, 7), QColor(Qt::black));
}

TEST_F(SkinToolkitTest, MissingImageIsSkippedSilentlyInTheMainWindow) {
    WriteImage("", skin_image::kCheckBox, Solid(16, 16, kNormalColor));
    SkinSurface& surface = Surface(MissingImage::Skip);
    {
        DrawingPass pass(surface);
        EXPECT_FALSE(pass.DrawImage(skin_image::kBasicPage, 0, 0));
        EXPECT_TRUE(pass.DrawImage(skin_image::kCheckBox, 100, 100));
    }
    EXPECT_TRUE(prompter_.messages.empty());
    EXPECT_EQ(CanvasAt(0, 0), kCanvasColor);
    EXPECT_EQ(CanvasAt(100, 100), kNormalColor);
}

TEST_F(SkinToolkitTest, MissingImageIsReportedInSubDialogs) {
    SkinSurface& surface = Surface(MissingImage::Report);
    {
        DrawingPass pass(surface);
        EXPECT_FALSE(pass.DrawImage(skin_image::kButtonNormal, dialog::kOk));
    }
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_EQ(prompter_.messages[0].text, "LoadPng---Load image failed.");
    EXPECT_EQ(prompter_.messages[0].caption, "");
}

TEST_F(SkinToolkitTest, LowerCaseDropdownNameFindsTheDropdownFile) {
    WriteImage("", skin_image::kSmallDropdown, Solid(85, 15, kNormalColor));
    SkinSurface& surface = Surface();
    {
        DrawingPass pass(surface);
        EXPECT_TRUE(pass.DrawImage(skin_image::kSmallDropdownLowerCase, basic::kLightingModeBox));
    }
    EXPECT_EQ(CanvasAt(basic::kLightingModeBox.left, basic::kLightingModeBox.top), kNormalColor);
}

TEST_F(SkinToolkitTest, ASkinChangeShowsTheNewImagesAtOnce) {
    WriteImage("", skin_image::kCheckBox, Solid(16, 16, kNormalColor));
    WriteImage("second", skin_image::kCheckBox, Solid(16, 16, kOverColor));
    SkinSurface& surface = Surface();
    auto drawBox = [&] {
        DrawingPass pass(surface);
        pass.DrawImage(skin_image::kCheckBox, 50, 50);
    };
    drawBox();
    EXPECT_EQ(CanvasAt(50, 50), kNormalColor);
    skin_->SetFolder(SkinFolderUnder(root_.path(), QStringLiteral("second")));
    drawBox();
    EXPECT_EQ(CanvasAt(50, 50), kOverColor);
    // Going back to the same folder reads the files again, too.
    WriteImage("", skin_image::kCheckBox, Solid(16, 16, Qt::white));
    skin_->SetFolder(SkinFolderUnder(root_.path(), QString()));
    drawBox();
    EXPECT_EQ(CanvasAt(50, 50), QColor(Qt::white));
}

TEST_F(SkinToolkitTest, CacheKeepsDecodedImagesUntilTheSkinChanges) {
    WriteImage("", skin_image::kCheckBox, Solid(16, 16, kNormalColor));
    const QImage first = skin_->Image(skin_image::kCheckBox);
    ASSERT_FALSE(first.isNull());
    // A file changed on disk is not read again while the skin stays the same.
    WriteImage("", skin_image::kCheckBox, Solid(16, 16, kOverColor));
    EXPECT_EQ(skin_->Image(skin_image::kCheckBox).cacheKey(), first.cacheKey());
    EXPECT_EQ(skin_->Cache().Size(), 1);
    EXPECT_TRUE(skin_->Image("/absent.png").isNull());
    EXPECT_EQ(skin_->Cache().Size(), 1);  // failures are not kept
    WriteImage("", "/absent.png", Solid(2, 2, Qt::white));
    EXPECT_FALSE(skin_->Image("/absent.png").isNull());

    skin_->Cache().SetCachingEnabled(false);
    const QImage reread = skin_->Image(skin_image::kCheckBox);
    EXPECT_EQ(reread.pixelColor(0, 0), kOverColor);
    EXPECT_EQ(skin_->Cache().Size(), 0);
}

TEST_F(SkinToolkitTest, SkinNamesThatLeaveTheRootSelectTheDefaultSkin) {
    const QString root = root_.path();
    EXPECT_EQ(SkinFolderUnder(root, QStringLiteral("second")), root + QStringLiteral("/second"));
    for (const char* name : {"", "..", "../second", "second/..", "/etc"}) {
        EXPECT_EQ(QDir::cleanPath(SkinFolderUnder(root, QString::fromLatin1(name))), QDir::cleanPath(root)) << name;
    }
}

TEST_F(SkinToolkitTest, TextIsPlacedByItsFormat) {
    WriteImage("", skin_image::kMain, Solid(400, 60, Qt::black));
    SkinSurface& surface = Surface();
    const HotZone rect{0, 0, 400, 60};
    struct Case { TextFormat format; int minX, maxX; int minY, maxY; };
    const Case cases[] = {
        {TextFormat::Left, 0, 100, 15, 45},
        {TextFormat::Right, 300, 400, 15, 45},
        {TextFormat::Centered, 150, 250, 15, 45},
        {TextFormat::CenteredTop, 150, 250, 0, 25},
        {TextFormat::TopLeft, 0, 100, 0, 25},
    };
    for (const Case& c : cases) {
        surface.Canvas().fill(Qt::black);
        {
            DrawingPass pass(surface);
            pass.DrawText(QStringLiteral("MMM"), rect, c.format, PixelFont(QStringLiteral("Arial"), 14, false),
                          Qt::green);
        }
        int left = 400, right = -1, top = 60, bottom = -1;
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 400; ++x) {
                if (CanvasAt(x, y).green() > 100) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        const int format = static_cast<int>(c.format);
        ASSERT_GE(right, 0) << format;
        EXPECT_GE(left, c.minX) << format;
        EXPECT_LE(right, c.maxX) << format;
        EXPECT_GE(top, c.minY) << format;
        EXPECT_LE(bottom, c.maxY) << format;
    }
}

TEST_F(SkinToolkitTest, ALongTextIsCutAtTheEdgesOfItsRectangle) {
    SkinSurface& surface = Surface();
    const HotZone box{100, 100, 160, 121};
    {
        DrawingPass pass(surface);
        pass.DrawText(QStringLiteral("Combo Key-Left Ctrl+Left Shift+Q"), box, TextFormat::Left,
                      PixelFont(QStringLiteral("Arial"), 14, false), Qt::white);
    }
    bool inside = false;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 400; ++x) {
            const bool white = CanvasAt(x, y) != kCanvasColor;
            if (box.Contains(x, y)) inside = inside || white;
            else EXPECT_FALSE(white) << "drawn outside at " << x << "," << y;
        }
    }
    EXPECT_TRUE(inside);
}

TEST_F(SkinToolkitTest, ACentredTextTooWideShowsItsBeginning) {
    SkinSurface& surface = Surface();
    const HotZone box{100, 100, 160, 121};
    const QFont font = PixelFont(QStringLiteral("Arial"), 14, false);
    auto firstInkColumn = [&](const QString& text, TextFormat format) {
        surface.Canvas().fill(kCanvasColor);
        {
            DrawingPass pass(surface);
            pass.DrawText(text, box, format, font, Qt::white);
        }
        for (int x = box.left; x < box.right; ++x) {
            for (int y = box.top; y < box.bottom; ++y) {
                if (CanvasAt(x, y) != kCanvasColor) return x;
            }
        }
        return -1;
    };
    const QString longText = QStringLiteral("Respiration Mode");
    const int leftStart = firstInkColumn(longText, TextFormat::Left);
    EXPECT_EQ(firstInkColumn(longText, TextFormat::Centered), leftStart);
    EXPECT_EQ(firstInkColumn(longText, TextFormat::Right), leftStart);
    // A text that fits is still centred.
    EXPECT_GT(firstInkColumn(QStringLiteral("OK"), TextFormat::Centered), box.left + 15);
}

TEST_F(SkinToolkitTest, ATextALittleTooWideIsWrittenSmallerInsteadOfCut) {
    const QFont font = PixelFont(QStringLiteral("Arial"), 14, false);
    const QString text = QStringLiteral("Report Rate Setting");
    const int natural = QFontMetrics(font).horizontalAdvance(text);
    struct Case {
        int width;
        bool fits;
    };
    for (const Case& row : {Case{natural, true}, Case{natural * 92 / 100, true}, Case{natural / 2, false}}) {
        const QFont fitted = FitToWidth(font, text, row.width);
        EXPECT_EQ(QFontMetrics(fitted).horizontalAdvance(text) <= row.width, row.fits) << row.width;
        EXPECT_GE(fitted.pixelSize() * 100, font.pixelSize() * kSmallestFitPercent) << row.width;
    }
    EXPECT_EQ(FitToWidth(font, text, natural + 10).pixelSize(), font.pixelSize());
}

TEST_F(SkinToolkitTest, PixelFontFitsItsCellHeight) {
    for (int height : {13, 14, 18}) {
        const QFont font = PixelFont(QStringLiteral("Arial"), height, height == 18);
        EXPECT_LE(QFontMetrics(font).height(), height + 1) << height;
    }
}

class HoverTest : public SkinToolkitTest {
protected:
    void SetUp() override {
        SkinToolkitTest::SetUp();
        WriteImage("", skin_image::kButtonNormal, Solid(kTextButtonWidth, kTextButtonHeight, kNormalColor));
        WriteImage("", skin_image::kButtonOver, Solid(kTextButtonWidth, kTextButtonHeight, kOverColor));
        WriteImage("", skin_image::kSkinsNormal, Solid(18, 18, kNormalColor));
        WriteImage("", skin_image::kSkinsOver, Solid(18, 18, kOverColor));
        // OK, Apply and Cancel in one group, the skins button in none.
        for (const HotZone& zone : {frame::kOk, frame::kApply, frame::kCancel}) {
            controls_.Add<TextButton>(zone, TextButton::Look{}, [zone] {
                return zone == frame::kCancel ? QStringLiteral("Cancel") : QString();
            }, nullptr).SetHoverGroup(1);
        }
        controls_.Add<TextButton>(frame::kSkins, TextButton::Look{skin_image::kSkinsButtonImages}, nullptr, nullptr);
        dialogControls_.Add<TextButton>(dialog::kOk, TextButton::Look{}, nullptr, nullptr);
    }
    QColor At(const HotZone& zone) const { return CanvasAt(zone.left + 1, zone.top + 1); }

    ControlList controls_;
    ControlList dialogControls_;
};

TEST_F(HoverTest, NoHoverWhileNoControlsAreInForce) {
    SkinSurface& surface = Surface();
    surface.PointerRestedAt(QPoint(560, 620));
    EXPECT_EQ(At(frame::kOk), kCanvasColor);
    EXPECT_FALSE(surface.Flags().AnySet());
}

TEST_F(HoverTest, RestingHighlightsAndLeavingRestoresInOnePass) {
    SkinSurface& surface = Surface();
    surface.SetControls({&controls_});
    int refreshes = 0;
    QObject::connect(&surface, &SkinSurface::CanvasChanged, [&] { ++refreshes; });

    surface.PointerRestedAt(QPoint(560, 620));
    EXPECT_EQ(At(frame::kOk), kOverColor);
    surface.PointerRestedAt(QPoint(710, 10));
    EXPECT_EQ(At(frame::kSkins), kOverColor);
    surface.PointerRestedAt(QPoint(670, 620));  // Apply: OK goes back, skins stays lit
    EXPECT_EQ(At(frame::kApply), kOverColor);
    EXPECT_EQ(At(frame::kOk), kNormalColor);
    EXPECT_EQ(At(frame::kSkins), kOverColor);
    EXPECT_TRUE(surface.IsHighlighted(*controls_.At(QPoint(670, 620))));
    EXPECT_EQ(refreshes, 3);

    surface.PointerMovedTo(QPoint(5, 300));
    EXPECT_EQ(At(frame::kApply), kNormalColor);
    EXPECT_EQ(At(frame::kSkins), kNormalColor);
    EXPECT_EQ(refreshes, 4);
    surface.PointerMovedTo(QPoint(6, 300));
    EXPECT_EQ(refreshes, 4);
}

TEST_F(HoverTest, TextButtonsRedrawTheirLabels) {
    SkinSurface& surface = Surface();
    surface.SetControls({&controls_});
    skin_->SetTextColor(QColor(0, 255, 0));
    surface.PointerRestedAt(QPoint(780, 620));
    bool labelDrawn = false;
    for (int x = frame::kCancel.left; x < frame::kCancel.right; ++x) {
        for (int y = frame::kCancel.top; y < frame::kCancel.bottom; ++y) {
            labelDrawn = labelDrawn || CanvasAt(x, y).green() > 100;
        }
    }
    EXPECT_TRUE(labelDrawn);
}

TEST_F(HoverTest, SkinWithoutOverImageLeavesButtonsUnchangedAndSilent) {
    QFile::remove(root_.path() + QStringLiteral("/button-over.png"));
    SkinSurface& surface = Surface(MissingImage::Skip);
    surface.SetControls({&controls_});
    {
        DrawingPass pass(surface);
        pass.DrawImage(skin_image::kButtonNormal, frame::kOk);
    }
    surface.PointerRestedAt(QPoint(560, 620));
    EXPECT_EQ(At(frame::kOk), kNormalColor);
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(HoverTest, PointerEventsOfTheWindowDriveTheHover) {
    SkinSurface& surface = Surface();
    surface.SetControls({&dialogControls_});
    auto move = [&](QPoint point) {
        QMouseEvent event(QEvent::MouseMove, QPointF(point), QPointF(point), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(window_.get(), &event);
    };
    move(QPoint(200, 260));  // dialog OK
    EXPECT_EQ(At(dialog::kOk), kCanvasColor);  // not before the pointer has rested
    QElapsedTimer waited;
    waited.start();
    while (At(dialog::kOk) != kOverColor && waited.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    EXPECT_EQ(At(dialog::kOk), kOverColor);
    move(QPoint(20, 150));
    EXPECT_EQ(At(dialog::kOk), kNormalColor);
}

TEST_F(HoverTest, NewControlsForgetTheFlags) {
    SkinSurface& surface = Surface();
    surface.SetControls({&controls_});
    surface.PointerRestedAt(QPoint(560, 620));
    surface.SetControls({&dialogControls_});
    EXPECT_FALSE(surface.Flags().AnySet());
}

}  // namespace
}  // namespace kz7::ui
