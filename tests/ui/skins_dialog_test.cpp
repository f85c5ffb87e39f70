#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ui/dialogs/qt_dialog_runner.h"
#include "ui/dialogs/skins_dialog.h"
#include "ui/layout/dialog_zones.h"
#include "ui/layout/window_sizes.h"
#include "ui/widgets/dropdown_box.h"
#include "dialog_fixture.h"
#include "support/temp_folder.h"
#include "ui_app.h"

namespace kz7 {

void PrintTo(const SkinSettings& s, std::ostream* out) {
    *out << '"' << s.skinName << "\" " << s.skinFolder << " colour " << int(s.textColour.red) << ','
         << int(s.textColour.green) << ',' << int(s.textColour.blue);
}

namespace ui {
namespace {

namespace fs = std::filesystem;
using namespace testing_dialogs;
using testing_support::TempFolder;

constexpr UiLanguage kLanguages[] = {UiLanguage::English, UiLanguage::SimplifiedChinese,
                                     UiLanguage::TraditionalChinese};

QStringList Rows(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
    return rows;
}

// A skins root with two skins, a skin inside a skin, and the default skin's
// images and other files lying directly in it.
class SkinsDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        for (const char* folder : {"Zeta", "Amber", "amber", "Amber/Nested"}) fs::create_directories(root() / folder);
        for (const char* file : {"main.png", "skins.png", "readme.txt", "Amber/main.png"}) {
            std::ofstream(root() / file) << "x";
        }
    }
    fs::path root() const { return temp.path() / "Skins"; }

    std::unique_ptr<CSkinsDialog> Open(UiLanguage language = UiLanguage::English) {
        return Show<CSkinsDialog>(language, root(), current, [this](Rgb initial) -> std::optional<Rgb> {
            colourRequests.push_back(initial);
            if (colourAnswers.empty()) return std::nullopt;
            const std::optional<Rgb> answer = colourAnswers.front();
            colourAnswers.erase(colourAnswers.begin());
            return answer;
        });
    }
    static QListWidget* OpenList(CSkinsDialog& dialog) {
        dialog.ClickAt(Centre(skins_dialog::kSkin.click));
        return dialog.SkinList() != nullptr && dialog.SkinList()->IsOpen() ? dialog.SkinList()->List() : nullptr;
    }
    static QColor SwatchColour(CSkinsDialog& dialog) {
        return dialog.Surface().Canvas().pixelColor(Centre(skins_dialog::kColorSwatch));
    }

    TempFolder temp;
    // The skin in use when the dialog opens: the default one, green text.
    SkinSettings current{"", fs::path(kDefaultSkin), {0, 255, 0}};
    std::vector<std::optional<Rgb>> colourAnswers;
    std::vector<Rgb> colourRequests;
};

TEST_F(SkinsDialogTest, ListsTheDefaultSkinThenTheFoldersOfTheRootInNameOrder) {
    auto dialog = Open();
    QListWidget* list = OpenList(*dialog);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->geometry(), ToRect(skins_dialog::kSkin.list));
    EXPECT_EQ(Rows(list), (QStringList{"Default", "Amber", "Zeta", "amber"}));
    // White rows on the control grey.
    EXPECT_EQ(list->palette().color(QPalette::Text), QColor(Qt::white));
    EXPECT_EQ(list->palette().color(QPalette::Base), QColor::fromRgb(kDialogControlBackground));
}

TEST_F(SkinsDialogTest, TheListIsReadEachTimeItOpens) {
    auto dialog = Open();
    ASSERT_NE(OpenList(*dialog), nullptr);
    dialog->ClickAt(Centre(skins_dialog::kSkin.click));  // closes it
    ASSERT_FALSE(dialog->SkinList()->IsOpen());
    fs::create_directories(root() / "Copied in");
    fs::remove_all(root() / "Zeta");
    // A root without images of its own holds no default skin.
    fs::remove(root() / "main.png");
    QListWidget* list = OpenList(*dialog);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Rows(list), (QStringList{"Amber", "Copied in", "amber"}));
    emit list->itemClicked(list->item(0));
    EXPECT_EQ(dialog->Choice().skinName, "Amber");
}

TEST_F(SkinsDialogTest, AMissingOrEmptyRootGivesAnEmptyList) {
    for (const char* where : {"Missing", "Empty"}) {
        if (std::string(where) == "Empty") fs::create_directories(temp / "Empty");
        auto dialog = Show<CSkinsDialog>(UiLanguage::English, temp / where, current, CSkinsDialog::ColourChooser{});
        QListWidget* list = OpenList(*dialog);
        ASSERT_NE(list, nullptr) << where;
        EXPECT_EQ(list->count(), 0) << where;
        dialog->ClickAt(Centre(dialog::kOk));
        EXPECT_EQ(dialog->Choice(), current) << where;
    }
}

TEST_F(SkinsDialogTest, TheLabelShowsTheSkinInUseWhiteOnGrey) {
    EXPECT_EQ(Open()->NameLabel()->text(), QStringLiteral("Default"));
    current = {"Zeta", root() / "Zeta", {0, 255, 0}};
    auto dialog = Open();
    const QLabel* label = dialog->NameLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Zeta"));
    EXPECT_EQ(label->geometry(), ToRect(skins_dialog::kSkin.text));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor::fromRgb(kDialogControlBackground));
    EXPECT_TRUE(label->autoFillBackground());
}

TEST_F(SkinsDialogTest, ChoosingARowShowsItAndOkAnswersItsFolderAndName) {
    auto dialog = Open();
    QListWidget* list = OpenList(*dialog);
    ASSERT_NE(list, nullptr);
    emit list->itemClicked(list->item(3));
    EXPECT_FALSE(dialog->SkinList()->IsOpen());
    EXPECT_EQ(dialog->NameLabel()->text(), QStringLiteral("amber"));
    dialog->ClickAt(Centre(dialog::kOk));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    // Letter case counts: "amber", not "Amber".
    EXPECT_EQ(dialog->Choice(), (SkinSettings{"amber", root() / "amber", {0, 255, 0}}));
}

TEST_F(SkinsDialogTest, ARowWhoseFolderWentAwayIsNotTaken) {
    auto dialog = Open();
    QListWidget* list = OpenList(*dialog);
    ASSERT_NE(list, nullptr);
    fs::remove_all(root() / "Zeta");
    emit list->itemClicked(list->item(2));
    EXPECT_FALSE(dialog->SkinList()->IsOpen());
    EXPECT_EQ(dialog->NameLabel()->text(), QStringLiteral("Default"));
    dialog->ClickAt(Centre(dialog::kOk));
    EXPECT_EQ(dialog->Choice(), current);
}

TEST_F(SkinsDialogTest, TheDefaultSkinCanBeChosenBackInEveryLanguage) {
    const std::pair<UiLanguage, const char*> languages[] = {
        {UiLanguage::English, "Default"}, {UiLanguage::SimplifiedChinese, "默认"},
        {UiLanguage::TraditionalChinese, "預設"}};
    for (const auto& [language, text] : languages) {
        current = {"Zeta", root() / "Zeta", {0, 255, 0}};
        auto dialog = Open(language);
        QListWidget* list = OpenList(*dialog);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->item(0)->text().toStdString(), text);
        emit list->itemClicked(list->item(0));
        EXPECT_EQ(dialog->NameLabel()->text().toStdString(), text);
        dialog->ClickAt(Centre(dialog::kOk));
        EXPECT_EQ(dialog->Choice(), (SkinSettings{"", root(), {0, 255, 0}}));
    }
}

TEST_F(SkinsDialogTest, AClickElsewhereClosesTheListWithoutAChoice) {
    auto dialog = Open();
    ASSERT_NE(OpenList(*dialog), nullptr);
    dialog->ClickAt({300, 60});
    EXPECT_FALSE(dialog->SkinList()->IsOpen());
    EXPECT_EQ(dialog->Choice(), current);
}

TEST_F(SkinsDialogTest, AWheelNotchMovesTheOpenListThreeRows) {
    for (int i = 0; i < 12; ++i) fs::create_directories(root() / ("Skin " + std::to_string(10 + i)));
    auto dialog = Open();
    QListWidget* list = OpenList(*dialog);
    ASSERT_NE(list, nullptr);
    const QPoint at(dialog->width() / 2, dialog->height() / 2);
    QWheelEvent wheel(at, dialog->mapToGlobal(at), QPoint(), QPoint(0, -QWheelEvent::DefaultDeltasPerStep),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(dialog.get(), &wheel);
    EXPECT_EQ(list->verticalScrollBar()->value(), kListRowsPerWheelNotch);
}

TEST_F(SkinsDialogTest, TheSwatchAsksForAColourFromTheOneInUseAndShowsTheAnswer) {
    current.textColour = {12, 34, 56};
    colourAnswers = {Rgb{200, 10, 90}, std::nullopt};
    auto dialog = Open();
    EXPECT_EQ(SwatchColour(*dialog), QColor(12, 34, 56));

    dialog->ClickAt(Centre(skins_dialog::kColorSwatch));
    EXPECT_EQ(SwatchColour(*dialog), QColor(200, 10, 90));
    EXPECT_EQ(dialog->Choice().textColour, (TextColour{200, 10, 90}));

    // The chooser cancelled: the colour stays.
    dialog->ClickAt(Centre(skins_dialog::kColorSwatch));
    EXPECT_EQ(SwatchColour(*dialog), QColor(200, 10, 90));
    EXPECT_EQ(colourRequests, (std::vector<Rgb>{{12, 34, 56}, {200, 10, 90}}));

    dialog->ClickAt(Centre(dialog::kOk));
    // No skin picked: the one in use, with the new colour.
    EXPECT_EQ(dialog->Choice(), (SkinSettings{"", fs::path(kDefaultSkin), {200, 10, 90}}));
}

TEST_F(SkinsDialogTest, CancelAndCloseEndTheDialogWithCancel) {
    for (const HotZone& zone : {dialog::kCancel, dialog::kClose}) {
        auto dialog = Open();
        QListWidget* list = OpenList(*dialog);
        ASSERT_NE(list, nullptr);
        emit list->itemClicked(list->item(0));
        dialog->ClickAt(Centre(zone));
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_FALSE(dialog->isVisible());
    }
}

TEST_F(SkinsDialogTest, DrawsThePromptInWhiteAboveTheSwatchInEveryLanguage) {
    for (UiLanguage language : kLanguages) {
        auto dialog = Open(language);
        EXPECT_TRUE(HasWhiteIn(dialog->Surface().Canvas(), skins_dialog::kPrompt)) << static_cast<int>(language);
        EXPECT_LE(skins_dialog::kPrompt.bottom, skins_dialog::kColorSwatch.top);
    }
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(SkinsDialogTest, WithoutItsBackgroundItSaysSoAndOkAnswersTheSkinInUse) {
    UseSkinWithoutBackgrounds();
    auto dialog = Open();
    EXPECT_TRUE(dialog->Reduced());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0],
              (RecordingPrompter::Message{"error", "Skins Dialog Load background image failed!!!"}));
    EXPECT_EQ(dialog->NameLabel(), nullptr);
    EXPECT_EQ(dialog->SkinList(), nullptr);
    // No swatch and no list in the reduced form.
    colourAnswers = {Rgb{1, 2, 3}};
    dialog->ClickAt(Centre(skins_dialog::kColorSwatch));
    dialog->ClickAt(Centre(skins_dialog::kSkin.click));
    EXPECT_TRUE(colourRequests.empty());
    EXPECT_TRUE(dialog->findChildren<QListWidget*>().isEmpty());
    dialog->ClickAt(Centre(dialog::kOk));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Choice(), current);

    for (const HotZone& zone : {dialog::kCancel, dialog::kClose}) {
        auto other = Open();
        other->ClickAt(Centre(zone));
        EXPECT_EQ(other->result(), QDialog::Rejected);
    }
}

// Both shipped skins draw the dialog whole, over the shipped skins root; the
// pictures are kept in the build tree for a look at the art.
TEST_F(SkinsDialogTest, BothShippedSkinsDrawTheDialogWithItsControls) {
    const QString shots = ShotFolder("skins-dialog");
    ForEachShippedSkin(skin, [&](const QString& name) {
        for (UiLanguage language : {UiLanguage::English, UiLanguage::SimplifiedChinese}) {
            const QString prefix =
                shots + "/" + name + (language == UiLanguage::English ? QString("-en-") : QString("-chs-"));
            const QColor text = skin.TextColor();
            const SkinSettings inUse{name == "default" ? "" : name.toStdString(), skin.Folder().toStdString(),
                                     {static_cast<std::uint8_t>(text.red()), static_cast<std::uint8_t>(text.green()),
                                      static_cast<std::uint8_t>(text.blue())}};
            auto dialog = Show<CSkinsDialog>(language, fs::path(kDefaultSkin), inUse, CSkinsDialog::ColourChooser{});
            Keep(*dialog, prefix + "skins.png");
            QListWidget* list = OpenList(*dialog);
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(Rows(list).size(), 2);
            EXPECT_EQ(Rows(list).last(), QStringLiteral("Crimson"));
            Keep(*dialog, prefix + "skins-open.png");
        }
        EXPECT_TRUE(prompter.messages.empty()) << name.toStdString();
    });
}

// ---- The runner ---------------------------------------------------------------------------

class SkinsRunnerTest : public SkinsDialogTest {
protected:
    void SetUp() override {
        SkinsDialogTest::SetUp();
        owner = MakeOwnerWindow();  // after the application
        runner.SetContext(DialogContext{owner.get(), &skin, UiLanguage::English, &prompter, nullptr, {}});
        runner.SetSkinsRoot(root());
    }
    std::unique_ptr<QWidget> owner;
    QtDialogRunner runner;
};

TEST_F(SkinsRunnerTest, AnswersTheChoiceOnOkAndNothingOnCancelOrClose) {
    WhenOpen<CSkinsDialog>([](CSkinsDialog& dialog) {
        QListWidget* list = OpenList(dialog);
        emit list->itemClicked(list->item(2));
        dialog.ClickAt(Centre(dialog::kOk));
    });
    EXPECT_EQ(runner.RunSkins(current), (SkinSettings{"Zeta", root() / "Zeta", {0, 255, 0}}));

    for (const HotZone& zone : {dialog::kCancel, dialog::kClose}) {
        WhenOpen<CSkinsDialog>([zone](CSkinsDialog& dialog) {
            QListWidget* list = OpenList(dialog);
            emit list->itemClicked(list->item(1));
            dialog.ClickAt(Centre(zone));
        });
        EXPECT_EQ(runner.RunSkins(current), std::nullopt);
    }
}

TEST_F(SkinsRunnerTest, TheSwatchOpensTheDesktopsColourChooserOverTheDialog) {
    bool chooserOverDialog = false;
    WhenOpen<CSkinsDialog>([&chooserOverDialog](CSkinsDialog& dialog) {
        QTimer::singleShot(0, [&chooserOverDialog, &dialog] {
            auto* chooser = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(chooser, nullptr);
            chooserOverDialog = chooser->parentWidget() == &dialog;
            EXPECT_EQ(chooser->currentColor(), QColor(0, 255, 0));
            chooser->setCurrentColor(QColor(1, 128, 255));
            chooser->accept();
        });
        dialog.ClickAt(Centre(skins_dialog::kColorSwatch));
        dialog.ClickAt(Centre(dialog::kOk));
    });
    EXPECT_EQ(runner.RunSkins(current), (SkinSettings{"", fs::path(kDefaultSkin), {1, 128, 255}}));
    EXPECT_TRUE(chooserOverDialog);
}

}  // namespace
}  // namespace ui
}  // namespace kz7
