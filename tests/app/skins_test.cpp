#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "main_window_fixture.h"
#include "skins/skin_images.h"
#include "skins/skin_settings.h"
#include "ui/dialogs/qt_dialog_runner.h"
#include "ui/dialogs/skins_dialog.h"
#include "ui/skin_toolkit.h"
#include "ui/widgets/dropdown_box.h"

namespace kz7 {
namespace {

using namespace kz7::testing;
namespace fs = std::filesystem;

const fs::path kShippedRoot = KZ7_BINARY_DIR "/share/kz7/Skins";

// The skins button of a window over the simulated mouse, and what str.ini,
// the skin in use and the canvas hold afterwards.
class SkinsButtonTest : public MainWindowTest {
protected:
    void Show() {
        strIni = "[Skins]\nRColor=10\nGColor=200\nBColor=30\nPath=\n";
        Start();
        window->OnTrayLeftClick();
        ASSERT_EQ(window->CurrentPage(), MainWindow::kBasicPage);
    }
    // Clicks the skins button and, in the dialog it opens, the row of that text, then OK.
    void ChooseInDialog(const QString& row, QStringList* listed = nullptr) {
        QTimer::singleShot(0, [row, listed] {
            auto* dialog = qobject_cast<ui::CSkinsDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->ClickAt(Centre(skins_dialog::kSkin.click));
            QListWidget* list = dialog->SkinList()->List();
            ASSERT_NE(list, nullptr);
            for (int i = 0; listed != nullptr && i < list->count(); ++i) *listed << list->item(i)->text();
            const auto found = list->findItems(row, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1);
            emit list->itemClicked(found[0]);
            dialog->ClickAt(Centre(dialog::kOk));
        });
        window->ClickAt(Centre(frame::kSkins));
    }
    std::string StrIni() const { return testing_support::TempFolder::ReadFile(paths.settings); }

    // The share of sample points of the canvas that show the page image of
    // the skin folder there, among those where the two shipped skins differ.
    double ShareLike(std::string_view page, const fs::path& skinFolder) {
        const QImage canvas = window->Surface().Canvas();
        const QImage mine = ui::DecodeSkinImage(QString::fromStdString(skinFolder.string() + std::string(page)));
        const fs::path other = skinFolder == kShippedRoot ? kShippedRoot / "Crimson" : kShippedRoot;
        const QImage theirs = ui::DecodeSkinImage(QString::fromStdString(other.string() + std::string(page)));
        int differing = 0, same = 0;
        for (int y = 0; y < canvas.height(); y += 7) {
            for (int x = 0; x < canvas.width(); x += 7) {
                if (mine.pixel(x, y) == theirs.pixel(x, y)) continue;
                ++differing;
                if (canvas.pixel(x, y) == mine.pixel(x, y)) ++same;
            }
        }
        return differing == 0 ? 0.0 : static_cast<double>(same) / differing;
    }
    // Whether the zone holds a pixel of about this colour (a text drawn in it).
    bool HasColourIn(const HotZone& zone, QColor colour) {
        const QImage& canvas = window->Surface().Canvas();
        for (int y = zone.top; y < zone.bottom; ++y)
            for (int x = zone.left; x < zone.right; ++x) {
                const QColor c = canvas.pixelColor(x, y);
                if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                        std::abs(c.blue() - colour.blue()) < 30)
                    return true;
            }
        return false;
    }
};

TEST_F(SkinsButtonTest, ChoosingCrimsonInTheDialogSavesItsNameAndRedrawsThePageInIt) {
    ui::QtDialogRunner runner;
    dialogRunner = &runner;
    Show();
    runner.SetContext(ui::DialogContext{window.get(), &skin, UiLanguage::English, &prompter, nullptr, paths.record});
    ASSERT_GT(ShareLike(skin_image::kBasicPage, kShippedRoot), 0.9);
    const QSize size = window->Surface().Canvas().size();

    QStringList listed;
    ChooseInDialog(QStringLiteral("Crimson"), &listed);

    EXPECT_EQ(listed, (QStringList{"Default", "Crimson"}));
    // The folder's name, not its path, with the colour as it was.
    EXPECT_NE(StrIni().find("[Skins]\nRColor=10\nGColor=200\nBColor=30\nPath=Crimson\n"), std::string::npos)
        << StrIni();
    EXPECT_EQ(skin.Name(), "Crimson");
    EXPECT_EQ(fs::path(skin.Folder().toStdString()), kShippedRoot / "Crimson");
    EXPECT_GT(ShareLike(skin_image::kBasicPage, kShippedRoot / "Crimson"), 0.9);
    EXPECT_EQ(window->Surface().Canvas().size(), size);
    EXPECT_EQ(window->CurrentPage(), MainWindow::kBasicPage);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(prompter.messages.empty());

    // The next start reads the same skin back.
    EXPECT_EQ(LoadSkinSettings(paths.settings, kShippedRoot).skinFolder, kShippedRoot / "Crimson");
    const QString shots = QStringLiteral(KZ7_BINARY_DIR "/screenshots/skins-dialog");
    ASSERT_TRUE(QDir().mkpath(shots));
    EXPECT_TRUE(window->Surface().Canvas().save(shots + "/main-window-after-crimson.png"));

    // And back to the skin whose images lie in the root.
    ChooseInDialog(QStringLiteral("Default"));
    EXPECT_NE(StrIni().find("[Skins]\nRColor=10\nGColor=200\nBColor=30\nPath=\n"), std::string::npos) << StrIni();
    EXPECT_EQ(skin.Name(), "");
    EXPECT_GT(ShareLike(skin_image::kBasicPage, kShippedRoot), 0.9);
}

TEST_F(SkinsButtonTest, TheDialogStartsFromTheSkinInUseAndItsAnswerIsUsedSavedAndDrawn) {
    Show();
    window->ClickAt(Centre(frame::kAdvancedTab));
    const QColor magenta(255, 0, 255);
    ASSERT_FALSE(HasColourIn(frame::kOk, magenta));
    dialogs.skins.push_back(SkinSettings{"Crimson", kShippedRoot / "Crimson", {255, 0, 255}});
    window->ClickAt(Centre(frame::kSkins));

    ASSERT_EQ(dialogs.skinRequests.size(), 1u);
    EXPECT_EQ(dialogs.skinRequests[0], (SkinSettings{"", kShippedRoot, {10, 200, 30}}));
    EXPECT_NE(StrIni().find("[Skins]\nRColor=255\nGColor=0\nBColor=255\nPath=Crimson\n"), std::string::npos)
        << StrIni();
    EXPECT_EQ(skin.TextColor(), magenta);
    // The page shown stays, drawn anew in the new skin and colour.
    EXPECT_EQ(window->CurrentPage(), MainWindow::kAdvancedPage);
    EXPECT_GT(ShareLike(skin_image::kAdvancedPage, kShippedRoot / "Crimson"), 0.9);
    EXPECT_TRUE(HasColourIn(frame::kOk, magenta));

    // The next run of the dialog starts from there.
    window->ClickAt(Centre(frame::kSkins));
    ASSERT_EQ(dialogs.skinRequests.size(), 2u);
    EXPECT_EQ(dialogs.skinRequests[1], (SkinSettings{"Crimson", kShippedRoot / "Crimson", {255, 0, 255}}));
}

TEST_F(SkinsButtonTest, CancelChangesNothing) {
    Show();
    const std::string before = StrIni();
    const QImage canvas = window->Surface().Canvas().copy();
    window->ClickAt(Centre(frame::kSkins));  // the script answers Cancel
    EXPECT_EQ(dialogs.skinRequests.size(), 1u);
    EXPECT_EQ(StrIni(), before);
    EXPECT_EQ(skin.Name(), "");
    EXPECT_EQ(fs::path(skin.Folder().toStdString()), kShippedRoot);
    EXPECT_EQ(skin.TextColor(), QColor(10, 200, 30));
    EXPECT_EQ(window->Surface().Canvas(), canvas);
}

TEST_F(SkinsButtonTest, AChoiceThatCannotBeSavedIsUsedAndTheUserIsTold) {
    Show();
    // str.ini cannot be rewritten where a folder of that name stands.
    fs::remove(paths.settings);
    fs::create_directory(paths.settings);
    dialogs.skins.push_back(SkinSettings{"Crimson", kShippedRoot / "Crimson", {1, 2, 3}});
    window->ClickAt(Centre(frame::kSkins));

    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "Warning");
    EXPECT_EQ(prompter.messages[0].text.rfind("The skin choice could not be saved to " + paths.settings.string() + ": ",
                                              0),
              0u)
        << prompter.messages[0].text;
    EXPECT_TRUE(fs::is_directory(paths.settings));
    EXPECT_EQ(skin.Name(), "Crimson");
    EXPECT_GT(ShareLike(skin_image::kBasicPage, kShippedRoot / "Crimson"), 0.9);
}

}  // namespace
}  // namespace kz7
