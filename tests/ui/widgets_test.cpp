#include <gtest/gtest.h>

#include <QListWidget>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>
#include <vector>

#include "ui/layout/window_sizes.h"
#include "ui/widgets/cell_slider.h"
#include "ui/widgets/dropdown_box.h"
#include "ui/widgets/image_toggle.h"
#include "ui/widgets/text_button.h"
#include "ui_app.h"

namespace kz7::ui {
namespace {

const QColor kBlank(10, 20, 30), kOff(200, 0, 0), kOn(0, 0, 200);
constexpr skin_image::StateImages kCells{"/off.png", "/on.png"};

QPoint Centre(const HotZone& zone) { return {(zone.left + zone.right) / 2, (zone.top + zone.bottom) / 2}; }

// A window with a plain canvas and two 16 x 16 pictures, "/off.png" and "/on.png".
class WidgetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::UiApp();
        Save("/main.png", 400, 300, kBlank);
        Save("/off.png", 16, 16, kOff);
        Save("/on.png", 16, 16, kOn);
        skin = std::make_unique<Skin>(folder.path());
        surface = std::make_unique<SkinSurface>(&window, *skin, MissingImage::Skip);
        ASSERT_TRUE(surface->LoadCanvas("/main.png"));
    }
    void Save(const char* name, int w, int h, QColor colour) {
        QImage image(w, h, QImage::Format_ARGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(folder.path() + QString::fromUtf8(name)));
    }
    void DrawAll() {
        DrawingPass pass(*surface);
        controls.DrawAll(pass);
    }
    QColor At(const HotZone& zone) const { return surface->Canvas().pixel(zone.left + 1, zone.top + 1); }

    struct AppFirst {
        AppFirst() { testing::UiApp(); }
    } app;  // before the window
    QTemporaryDir folder;
    QWidget window;
    std::unique_ptr<Skin> skin;
    std::unique_ptr<SkinSurface> surface;
    ControlList controls;
};

TEST_F(WidgetsTest, AClickGoesToTheFirstControlAndTellsTheOthers) {
    std::vector<std::string> log;
    controls.Add<TextButton>(HotZone{0, 0, 50, 20}, TextButton::Look{}, nullptr, [&] { log.push_back("frame"); },
                             TextButton::Route::GoesOn);
    controls.Add<TextButton>(HotZone{0, 0, 100, 20}, TextButton::Look{}, nullptr, [&] { log.push_back("under"); });
    const ClickResult onFirst = controls.ClickAt({10, 10});
    EXPECT_TRUE(onFirst.hit);
    EXPECT_FALSE(onFirst.ends);
    EXPECT_EQ(log, std::vector<std::string>{"frame"});
    EXPECT_TRUE(controls.ClickAt({60, 10}).ends);
    const ClickResult none = controls.ClickAt({60, 30});
    EXPECT_FALSE(none.hit);
    EXPECT_EQ(log, (std::vector<std::string>{"frame", "under"}));
}

TEST_F(WidgetsTest, SlidersLightUpToTheirValueOrOnlyIt) {
    std::vector<HotZone> cells;
    for (int i = 0; i < 4; ++i) cells.push_back({20 * i, 0, 20 * i + 16, 16});
    int value = 2;
    int inUse = 4;
    bool enabled = true;
    std::vector<int> set;
    auto& upTo = controls.Add<CellSlider>(cells, kCells, CellSlider::Fill::UpToValue,
                                          CellSlider::Behaviour{[&] { return value; }, [&] { return inUse; },
                                                                [&] { return enabled; },
                                                                [&](int cell) { set.push_back(cell); }});
    std::vector<HotZone> stops;
    for (int i = 0; i < 4; ++i) stops.push_back({20 * i, 100, 20 * i + 16, 116});
    controls.Add<CellSlider>(stops, kCells, CellSlider::Fill::OnlyValue,
                             CellSlider::Behaviour{[&] { return value; }, nullptr, nullptr, nullptr});
    DrawAll();
    const std::vector<QColor> upToValue{kOn, kOn, kOff, kOff}, onlyValue{kOff, kOn, kOff, kOff};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(At(cells[static_cast<std::size_t>(i)]), upToValue[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(At(stops[static_cast<std::size_t>(i)]), onlyValue[static_cast<std::size_t>(i)]) << i;
    }

    // Cells past the count in use are neither drawn nor clicked; a disabled slider is dark.
    inUse = 3;
    enabled = false;
    value = 4;
    surface->LoadCanvas("/main.png");
    DrawAll();
    EXPECT_EQ(At(cells[0]), kOff);
    EXPECT_EQ(At(cells[3]), kBlank);
    EXPECT_EQ(upTo.CellAt(Centre(cells[3])), 0);
    EXPECT_FALSE(controls.ClickAt(Centre(cells[3])).hit);
    controls.ClickAt(Centre(cells[2]));
    EXPECT_EQ(set, std::vector<int>{3});
}

TEST_F(WidgetsTest, TogglesShowTheirStateAndFlipIt) {
    bool on = false;
    const HotZone zone{50, 50, 66, 66};
    controls.Add<ImageToggle>(zone, kCells, [&] { return on; }, [&] { on = !on; });
    DrawAll();
    EXPECT_EQ(At(zone), kOff);
    controls.ClickAt(Centre(zone));
    DrawAll();
    EXPECT_TRUE(on);
    EXPECT_EQ(At(zone), kOn);
}

TEST_F(WidgetsTest, ASwatchFillsWithItsColourAndAsksOnAClick) {
    int asked = 0;
    const HotZone zone{100, 50, 116, 66};
    controls.Add<ColourSwatch>(zone, [] { return QColor(1, 200, 3); }, [&] { ++asked; });
    DrawAll();
    EXPECT_EQ(At(zone), QColor(1, 200, 3));
    controls.ClickAt(Centre(zone));
    EXPECT_EQ(asked, 1);
}

class DropdownTest : public WidgetsTest {
protected:
    void SetUp() override {
        WidgetsTest::SetUp();
        box = &controls.Add<DropdownBox>(
            &window, kBox, kList, DropdownBox::Look{{"/off.png", "/on.png"}, kBox},
            DropdownBox::Behaviour{[&] { return choice; }, [&] { return rows; }, [&](int row) { chosen.push_back(row); },
                                   [&] { return mayOpen; }, [&](bool open) { opened.push_back(open); }});
    }
    static constexpr HotZone kBox{10, 10, 95, 25};
    static constexpr HotZone kList{10, 27, 95, 27 + 3 * kListRowHeight + 2};

    QString choice = QStringLiteral("one");
    QStringList rows{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")};
    bool mayOpen = true;
    std::vector<int> chosen;
    std::vector<bool> opened;
    DropdownBox* box = nullptr;
};

TEST_F(DropdownTest, OpensBelowItsBoxWithSixteenPixelRows) {
    controls.ClickAt(Centre(kBox));
    ASSERT_TRUE(box->IsOpen());
    QListWidget* list = box->List();
    EXPECT_EQ(list->geometry(), ToRect(kList));
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->visualItemRect(list->item(2)).top() - list->visualItemRect(list->item(0)).top(),
              2 * kListRowHeight);
    EXPECT_EQ(opened, std::vector<bool>{true});
}

TEST_F(DropdownTest, AClickOnARowChoosesItAndCloses) {
    controls.ClickAt(Centre(kBox));
    QListWidget* list = box->List();
    emit list->itemClicked(list->item(1));
    EXPECT_EQ(chosen, std::vector<int>{1});
    EXPECT_FALSE(box->IsOpen());
    EXPECT_EQ(opened, (std::vector<bool>{true, false}));
}

TEST_F(DropdownTest, TheBoxAgainOrAClickElsewhereClosesWithoutAChoice) {
    controls.ClickAt(Centre(kBox));
    controls.ClickAt(Centre(kBox));
    EXPECT_FALSE(box->IsOpen());
    controls.ClickAt(Centre(kBox));
    controls.ClickAt({300, 200});
    EXPECT_FALSE(box->IsOpen());
    // A click inside the list's rectangle belongs to the list, not to "elsewhere".
    controls.ClickAt(Centre(kBox));
    box->ClickedElsewhere(Centre(kList));
    EXPECT_TRUE(box->IsOpen());
    box->TearDown();
    EXPECT_FALSE(box->IsOpen());
    EXPECT_TRUE(chosen.empty());
}

TEST_F(DropdownTest, ARefusedOpeningShowsNoList) {
    mayOpen = false;
    EXPECT_TRUE(controls.ClickAt(Centre(kBox)).hit);
    EXPECT_FALSE(box->IsOpen());
    EXPECT_TRUE(opened.empty());
}

TEST_F(DropdownTest, TheBoxShowsTheChoiceAndHighlights) {
    EXPECT_TRUE(box->Hovers());
    surface->SetControls({&controls});
    surface->PointerRestedAt(Centre(kBox));
    EXPECT_EQ(At(kBox), kOn);
}

}  // namespace
}  // namespace kz7::ui
