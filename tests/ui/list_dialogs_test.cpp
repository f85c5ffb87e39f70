#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>

#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "keys/key_codes.h"
#include "ui/dialogs/fire_key_dialog.h"
#include "ui/dialogs/macro_key_dialog.h"
#include "ui/dialogs/media_key_dialog.h"
#include "ui/dialogs/qt_dialog_runner.h"
#include "ui/layout/dialog_zones.h"
#include "ui/layout/window_sizes.h"
#include "ui/widgets/dropdown_box.h"
#include "dialog_fixture.h"
#include "ui_app.h"

namespace kz7 {

void PrintTo(const FireKeyChoice& c, std::ostream* out) {
    *out << c.row << " \"" << c.keyName << "\" speed " << int(c.speed) << " times " << int(c.times);
}
void PrintTo(const ListChoice& c, std::ostream* out) { *out << c.row << " \"" << c.text << '"'; }
void PrintTo(const MacroKeyChoice& c, std::ostream* out) {
    *out << c.index << " \"" << c.name << "\" mode " << int(c.repeatMode);
}

namespace ui {
namespace {

using namespace testing_dialogs;
constexpr UiLanguage kLanguages[] = {UiLanguage::English, UiLanguage::SimplifiedChinese,
                                     UiLanguage::TraditionalChinese};

QStringList Rows(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
    return rows;
}

void PressKey(QWidget* to, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(to, &press);
}

// One notch of the wheel; negative turns it toward the user.
void TurnWheel(QWidget* over, int notches) {
    const QPoint at(over->width() / 2, over->height() / 2);
    QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, notches * QWheelEvent::DefaultDeltasPerStep),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(over, &wheel);
}

class ListDialogTest : public DialogTest {
protected:
    template <typename Dialog, typename... Extra>
    std::unique_ptr<Dialog> Open(UiLanguage language, Extra&&... extra) {
        return Show<Dialog>(language, std::forward<Extra>(extra)...);
    }
};

// Opens a dialog's drop-down by a click on it and hands back its list.
QListWidget* OpenList(SkinnedDialog& dialog, const DropdownBox* dropdown, const DropdownZones& zones) {
    dialog.ClickAt(Centre(zones.click));
    return dropdown->IsOpen() ? dropdown->List() : nullptr;
}

// ---- Fire key -----------------------------------------------------------------------

class FireKeyDialogTest : public ListDialogTest {
protected:
    void SetUp() override {
        ListDialogTest::SetUp();
        dialog = Open<CFireKeyDialog>(UiLanguage::English);
    }
    QListWidget* OpenKeyList() { return OpenList(*dialog, dialog->KeyList(), fire_key::kKey); }
    // Types into the speed box and takes the keyboard away from it, as a click on the times box does.
    void TypeSpeedAndLeave(const QString& text) {
        dialog->SpeedBox()->setFocus(Qt::MouseFocusReason);
        dialog->SpeedBox()->setText(text);
        dialog->TimesBox()->setFocus(Qt::MouseFocusReason);
    }
    void Ok() { dialog->ClickAt(Centre(dialog::kOk)); }

    std::unique_ptr<CFireKeyDialog> dialog;
};

TEST_F(FireKeyDialogTest, StartsFromKeyASpeed32AndOneShot) {
    EXPECT_EQ(dialog->KeyStatic()->text(), QStringLiteral("A"));
    EXPECT_EQ(dialog->SpeedBox()->text(), QStringLiteral("32"));
    EXPECT_EQ(dialog->TimesBox()->text(), QStringLiteral("1"));
    Ok();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Choice(), (FireKeyChoice{0, "A", 32, 1}));
}

TEST_F(FireKeyDialogTest, TheSpeedIsRangedWhenItsBoxLosesTheKeyboard) {
    struct Case { const char* typed; const char* shown; int speed; };
    const Case cases[] = {{"3", "5", 5}, {"255", "255", 255}, {"256", "5", 5}, {"", "5", 5}, {"5", "5", 5}};
    for (const Case& c : cases) {
        TypeSpeedAndLeave(QString::fromUtf8(c.typed));
        EXPECT_EQ(dialog->SpeedBox()->text().toStdString(), c.shown) << c.typed;
        EXPECT_EQ(dialog->Choice().speed, c.speed) << c.typed;
    }
}

TEST_F(FireKeyDialogTest, ASpeedTypedJustBeforeOkIsReadAndRanged) {
    dialog->SpeedBox()->setFocus(Qt::MouseFocusReason);
    dialog->SpeedBox()->setText(QStringLiteral("3"));
    EXPECT_EQ(dialog->Choice().speed, 32);  // not read while it is being typed
    Ok();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Choice().speed, 5);
    EXPECT_EQ(dialog->SpeedBox()->text(), QStringLiteral("5"));
}

TEST_F(FireKeyDialogTest, TheTimesAreRangedAtEveryEdit) {
    QLineEdit* times = dialog->TimesBox();
    times->setText(QStringLiteral("3"));
    EXPECT_EQ(dialog->Choice().times, 3);
    times->setText(QStringLiteral("30"));
    EXPECT_EQ(dialog->Choice().times, 30);
    times->setText(QStringLiteral("300"));  // the third digit
    EXPECT_EQ(times->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog->Choice().times, 1);
    times->setText(QString());  // empty: fire until the button is released
    EXPECT_EQ(times->text(), QString());
    EXPECT_EQ(dialog->Choice().times, 0);
    times->setText(QStringLiteral("255"));
    EXPECT_EQ(dialog->Choice().times, 255);
}

TEST_F(FireKeyDialogTest, TheBoxesTakeDigitsOnly) {
    for (QLineEdit* box : {dialog->SpeedBox(), dialog->TimesBox()}) {
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        box->insert(QStringLiteral("1x"));
        EXPECT_FALSE(box->text().contains(QLatin1Char('x')));
    }
}

TEST_F(FireKeyDialogTest, TheKeyListHidesTheBoxesAndGivesTheRowAndItsCode) {
    QListWidget* list = OpenKeyList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->geometry(), ToRect(fire_key::kKey.list));
    ASSERT_EQ(list->count(), 61);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("A"));
    EXPECT_EQ(list->item(60)->text(), QStringLiteral("R-Tilt Wheel"));
    EXPECT_FALSE(dialog->SpeedBox()->isVisible());
    EXPECT_FALSE(dialog->TimesBox()->isVisible());
    emit list->itemClicked(list->item(39));
    EXPECT_FALSE(dialog->KeyList()->IsOpen());
    EXPECT_TRUE(dialog->SpeedBox()->isVisible());
    EXPECT_TRUE(dialog->TimesBox()->isVisible());
    EXPECT_EQ(dialog->KeyStatic()->text(), QStringLiteral("R-CTRL"));
    Ok();
    EXPECT_EQ(dialog->Choice(), (FireKeyChoice{39, "R-CTRL", 32, 1}));
    EXPECT_EQ(FireKeyCodeFromRow(static_cast<std::uint8_t>(dialog->Choice().row)), 0xE4);
}

TEST_F(FireKeyDialogTest, OpeningTheListReadsASpeedStillBeingTyped) {
    dialog->SpeedBox()->setFocus(Qt::MouseFocusReason);
    dialog->SpeedBox()->setText(QStringLiteral("300"));
    ASSERT_NE(OpenKeyList(), nullptr);
    EXPECT_EQ(dialog->Choice().speed, 5);
}

TEST_F(FireKeyDialogTest, AWheelNotchMovesTheOpenListThreeRows) {
    QListWidget* list = OpenKeyList();
    ASSERT_NE(list, nullptr);
    QScrollBar* bar = list->verticalScrollBar();
    ASSERT_EQ(bar->value(), 0);
    TurnWheel(list->viewport(), -1);  // over the list, toward the user
    EXPECT_EQ(bar->value(), kListRowsPerWheelNotch);
    TurnWheel(dialog.get(), -1);  // anywhere over the dialog
    EXPECT_EQ(bar->value(), 2 * kListRowsPerWheelNotch);
    TurnWheel(dialog.get(), 1);
    EXPECT_EQ(bar->value(), kListRowsPerWheelNotch);
    // A high-resolution wheel moves the list once its parts make a notch.
    const QPoint at(10, 10);
    for (int i = 0; i < 4; ++i) {
        QWheelEvent part(at, list->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -30), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(list->viewport(), &part);
        EXPECT_EQ(bar->value(), i < 3 ? kListRowsPerWheelNotch : 2 * kListRowsPerWheelNotch) << i;
    }
}

TEST_F(FireKeyDialogTest, EnterEndsWithOkAndEscapeWithCancel) {
    dialog->SpeedBox()->setFocus(Qt::MouseFocusReason);
    dialog->SpeedBox()->setText(QStringLiteral("7"));
    PressKey(dialog->SpeedBox(), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->Choice().speed, 7);

    auto other = Open<CFireKeyDialog>(UiLanguage::English);
    PressKey(other->TimesBox(), Qt::Key_Escape);
    EXPECT_EQ(other->result(), QDialog::Rejected);
}

TEST_F(FireKeyDialogTest, DrawsItsCaptionsAndNotesInWhiteInEveryLanguage) {
    for (UiLanguage language : kLanguages) {
        auto shown = Open<CFireKeyDialog>(language);
        for (const HotZone& zone : {fire_key::kSpeedCaption, fire_key::kTimesCaption, fire_key::kNoteHeading,
                                    fire_key::kSpeedNote, fire_key::kTimesNote}) {
            EXPECT_TRUE(HasWhiteIn(shown->Surface().Canvas(), zone)) << static_cast<int>(language);
        }
        EXPECT_EQ(shown->KeyStatic()->text(), QStringLiteral("A"));
    }
}

TEST_F(FireKeyDialogTest, WithoutItsBackgroundItSaysSoAndOkAnswersTheStartWithoutAName) {
    UseSkinWithoutBackgrounds();
    auto reduced = Open<CFireKeyDialog>(UiLanguage::English);
    EXPECT_TRUE(reduced->Reduced());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0],
              (RecordingPrompter::Message{"error", "FireKey Dialog Load background image failed!!!"}));
    EXPECT_EQ(reduced->SpeedBox(), nullptr);
    reduced->ClickAt(Centre(fire_key::kKey.click));  // no list in the reduced form
    reduced->ClickAt(Centre(dialog::kOk));
    EXPECT_EQ(reduced->result(), QDialog::Accepted);
    EXPECT_EQ(reduced->Choice(), (FireKeyChoice{0, "", 32, 1}));
}

// ---- Multimedia and launch keys ---------------------------------------------------------

struct ListDialogCase {
    const char* name;
    std::function<std::unique_ptr<CListKeyDialog>(ListDialogTest&, UiLanguage)> open;
    const DropdownZones& zones;
    int rows;
    const char* caption;
    // The first and the last row in English, Simplified and Traditional Chinese.
    std::array<const char*, 3> first;
    std::array<const char*, 3> last;
};

class ListKeyDialogTest : public ListDialogTest {
protected:
    std::unique_ptr<CListKeyDialog> OpenCase(const ListDialogCase& c, UiLanguage language) {
        return c.open(*this, language);
    }

public:
    template <typename Dialog>
    std::unique_ptr<CListKeyDialog> OpenAs(UiLanguage language) {
        return Open<Dialog>(language);
    }
};

const ListDialogCase kListDialogs[] = {
    {"media", [](ListDialogTest& t, UiLanguage l) { return static_cast<ListKeyDialogTest&>(t).OpenAs<CMediaDialog>(l); },
     media_key::kMedia, 7, "Media Dialog Load background image failed!!!",
     {"Next", "下一首", "下一首"}, {"Vol-", "音量-", "音量-"}},
    {"launch",
     [](ListDialogTest& t, UiLanguage l) { return static_cast<ListKeyDialogTest&>(t).OpenAs<CWindowsDialog>(l); },
     media_key::kLaunch, 11, "Windows Dialog Load background image failed!!!",
     {"Multimedia Player", "打开多媒体播放器", "打開多媒體播放器"},
     {"Browser-My Favorites", "浏览器-收藏夹", "瀏覽器-我的最愛"}},
};

TEST_F(ListKeyDialogTest, StartAtTheFirstRowAndListTheRowsOfTheLanguage) {
    for (const ListDialogCase& c : kListDialogs) {
        for (std::size_t l = 0; l < std::size(kLanguages); ++l) {
            auto dialog = OpenCase(c, kLanguages[l]);
            const std::string where = std::string(c.name) + " " + std::to_string(l);
            EXPECT_EQ(dialog->ChoiceStatic()->text().toStdString(), c.first[l]) << where;
            EXPECT_EQ(dialog->ChoiceStatic()->geometry(), ToRect(c.zones.text)) << where;
            EXPECT_TRUE(dialog->ChoiceStatic()->alignment() & Qt::AlignLeft) << where;
            QListWidget* list = OpenList(*dialog, dialog->ChoiceList(), c.zones);
            ASSERT_NE(list, nullptr) << where;
            EXPECT_EQ(list->geometry(), ToRect(c.zones.list)) << where;
            ASSERT_EQ(list->count(), c.rows) << where;
            EXPECT_EQ(list->item(c.rows - 1)->text().toStdString(), c.last[l]) << where;
            // Rows that do not fit the list scroll: the launch list does, the media list does not.
            EXPECT_EQ(list->verticalScrollBar()->maximum() > 0, c.rows * kListRowHeight > c.zones.list.Height())
                << where;
            dialog->ClickAt(Centre(dialog::kOk));
            EXPECT_EQ(dialog->Choice(), (ListChoice{0, c.first[l]})) << where;
        }
    }
}

TEST_F(ListKeyDialogTest, ChoosingARowShowsItAndAnswersItsRowAndText) {
    for (const ListDialogCase& c : kListDialogs) {
        auto dialog = OpenCase(c, UiLanguage::English);
        QListWidget* list = OpenList(*dialog, dialog->ChoiceList(), c.zones);
        ASSERT_NE(list, nullptr);
        emit list->itemClicked(list->item(c.rows - 1));
        EXPECT_FALSE(dialog->ChoiceList()->IsOpen()) << c.name;
        EXPECT_EQ(dialog->ChoiceStatic()->text().toStdString(), c.last[0]) << c.name;
        EXPECT_EQ(dialog->Choice(), (ListChoice{c.rows - 1, c.last[0]})) << c.name;
    }
    EXPECT_EQ(MediaCodeFromRow(6), 0xEA);
    EXPECT_EQ(LaunchCodeFromRow(10), 0x2A);
    EXPECT_EQ(LaunchPageFromRow(10), 2);
}

TEST_F(ListKeyDialogTest, AClickElsewhereClosesTheListWithoutAChoice) {
    for (const ListDialogCase& c : kListDialogs) {
        auto dialog = OpenCase(c, UiLanguage::English);
        ASSERT_NE(OpenList(*dialog, dialog->ChoiceList(), c.zones), nullptr);
        dialog->ClickAt({300, 60});
        EXPECT_FALSE(dialog->ChoiceList()->IsOpen()) << c.name;
        ASSERT_NE(OpenList(*dialog, dialog->ChoiceList(), c.zones), nullptr);
        dialog->ClickAt(Centre(c.zones.click));  // the drop-down again
        EXPECT_FALSE(dialog->ChoiceList()->IsOpen()) << c.name;
        EXPECT_EQ(dialog->Choice().row, 0) << c.name;
    }
}

TEST_F(ListKeyDialogTest, LongTextsAreWrittenSmallerAndARowStillTooLongTellsItsText) {
    auto dialog = OpenAs<CWindowsDialog>(UiLanguage::English);
    const QLabel* choice = dialog->ChoiceStatic();
    EXPECT_LE(QFontMetrics(choice->font()).horizontalAdvance(choice->text()), choice->contentsRect().width());

    QListWidget* list = OpenList(*dialog, dialog->ChoiceList(), media_key::kLaunch);
    ASSERT_NE(list, nullptr);
    // One size for every row, smaller than the dialog's.
    EXPECT_LT(list->font().pixelSize(), dialog->DialogFont().pixelSize());
    for (int i = 0; i < list->count(); ++i) EXPECT_FALSE(list->item(i)->data(Qt::FontRole).isValid()) << i;
    EXPECT_EQ(list->item(10)->toolTip(), QStringLiteral("Browser-My Favorites"));
    EXPECT_EQ(list->item(1)->toolTip(), QString());  // "Mail" fits
}

TEST_F(ListKeyDialogTest, WithoutTheirBackgroundTheySaySoAndOkAnswersRowZeroWithoutText) {
    UseSkinWithoutBackgrounds();
    for (const ListDialogCase& c : kListDialogs) {
        prompter.messages.clear();
        auto dialog = OpenCase(c, UiLanguage::English);
        EXPECT_TRUE(dialog->Reduced());
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0], (RecordingPrompter::Message{"error", c.caption}));
        dialog->ClickAt(Centre(dialog::kOk));
        EXPECT_EQ(dialog->Choice(), (ListChoice{0, ""})) << c.name;
    }
}

// ---- Macro key --------------------------------------------------------------------------

class MacroKeyDialogTest : public ListDialogTest {
protected:
    std::unique_ptr<CMacroDialog> OpenWith(std::vector<std::string> names,
                                           UiLanguage language = UiLanguage::English) {
        return Open<CMacroDialog>(language, std::move(names));
    }
    // The inside of an option's box, where its pictures hide the background.
    static QImage BoxPixels(CMacroDialog& dialog, int option) {
        const QRect box = ToRect(macro_key::kRepeatOptions[static_cast<std::size_t>(option)]);
        return dialog.Surface().Canvas().copy(box.adjusted(3, 3, -3, -3));
    }
};

TEST_F(MacroKeyDialogTest, AnswersTheChosenMacroWithTheFirstRepeatModeAtFirst) {
    auto dialog = OpenWith({"Reload", "Spray", "Build"});
    QListWidget* list = OpenList(*dialog, dialog->MacroList(), macro_key::kMacro);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->geometry(), ToRect(macro_key::kMacro.list));
    EXPECT_EQ(Rows(list), (QStringList{"Reload", "Spray", "Build"}));
    emit list->itemClicked(list->item(1));
    EXPECT_FALSE(dialog->MacroList()->IsOpen());
    EXPECT_EQ(dialog->NameLabel()->text(), QStringLiteral("Spray"));
    dialog->ClickAt(Centre(dialog::kOk));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Choice(), (MacroKeyChoice{1, "Spray", 1}));
}

TEST_F(MacroKeyDialogTest, TheRepeatOptionsAreExclusiveByBoxOrByText) {
    auto dialog = OpenWith({"Reload"});
    const QImage ticked = BoxPixels(*dialog, 0);
    const QImage clear = BoxPixels(*dialog, 1);
    EXPECT_NE(ticked, clear);
    EXPECT_EQ(clear, BoxPixels(*dialog, 2));

    dialog->ClickAt(Centre(macro_key::kRepeatOptions[2]));
    EXPECT_EQ(dialog->Choice().repeatMode, 3);
    EXPECT_EQ(BoxPixels(*dialog, 2), ticked);
    EXPECT_EQ(BoxPixels(*dialog, 0), clear);

    const HotZone secondText = macro_key::OptionTextZone(macro_key::kRepeatOptions[1]);
    dialog->ClickAt({secondText.right - 10, Centre(secondText).y()});
    EXPECT_EQ(dialog->Choice().repeatMode, 2);
    EXPECT_EQ(BoxPixels(*dialog, 1), ticked);
    EXPECT_EQ(BoxPixels(*dialog, 2), clear);
    EXPECT_EQ(BoxPixels(*dialog, 0), clear);
}

TEST_F(MacroKeyDialogTest, WithoutMacrosTheListIsEmptyAndOkAnswersMacroZero) {
    auto dialog = OpenWith({});
    QListWidget* list = OpenList(*dialog, dialog->MacroList(), macro_key::kMacro);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 0);
    dialog->ClickAt(Centre(dialog::kOk));
    EXPECT_EQ(dialog->Choice(), (MacroKeyChoice{0, "", 1}));
}

TEST_F(MacroKeyDialogTest, AWheelNotchMovesTheOpenListThreeRows) {
    std::vector<std::string> names;
    for (int i = 0; i < 12; ++i) names.push_back("macro " + std::to_string(i + 1));
    auto dialog = OpenWith(names);
    QListWidget* list = OpenList(*dialog, dialog->MacroList(), macro_key::kMacro);
    ASSERT_NE(list, nullptr);
    TurnWheel(dialog.get(), -1);
    EXPECT_EQ(list->verticalScrollBar()->value(), kListRowsPerWheelNotch);
}

TEST_F(MacroKeyDialogTest, DrawsThePromptAndTheOptionsInWhiteInEveryLanguage) {
    for (UiLanguage language : kLanguages) {
        auto dialog = OpenWith({"Reload"}, language);
        EXPECT_TRUE(HasWhiteIn(dialog->Surface().Canvas(), macro_key::kPrompt)) << static_cast<int>(language);
        for (const HotZone& box : macro_key::kRepeatOptions) {
            EXPECT_TRUE(HasWhiteIn(dialog->Surface().Canvas(), macro_key::OptionTextZone(box)))
                << static_cast<int>(language);
        }
    }
}

TEST_F(MacroKeyDialogTest, WithoutItsBackgroundNoModeIsTickedAndOkAnswersModeZero) {
    UseSkinWithoutBackgrounds();
    auto dialog = OpenWith({"Reload"});
    EXPECT_TRUE(dialog->Reduced());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0],
              (RecordingPrompter::Message{"error", "Macro Key Dialog Load background image failed!!!"}));
    dialog->ClickAt(Centre(macro_key::kRepeatOptions[1]));  // nothing there in the reduced form
    dialog->ClickAt(Centre(dialog::kOk));
    EXPECT_EQ(dialog->Choice(), (MacroKeyChoice{0, "", 0}));
}

// ---- Both shipped skins -----------------------------------------------------------------

// Every shipped skin draws the four dialogs whole; the pictures are kept in
// the build tree for a look at the art with its controls in place.
TEST_F(ListKeyDialogTest, BothShippedSkinsDrawTheDialogsWithTheirControls) {
    const QString shots = ShotFolder("list-dialogs");
    ForEachShippedSkin(skin, [&](const QString& name) {
        for (UiLanguage language : {UiLanguage::English, UiLanguage::SimplifiedChinese}) {
            const QString prefix =
                shots + "/" + name + (language == UiLanguage::English ? QString("-en-") : QString("-chs-"));
            auto fire = Open<CFireKeyDialog>(language);
            Keep(*fire, prefix + "fire.png");
            OpenList(*fire, fire->KeyList(), fire_key::kKey);
            Keep(*fire, prefix + "fire-open.png");

            auto media = Open<CMediaDialog>(language);
            OpenList(*media, media->ChoiceList(), media_key::kMedia);
            Keep(*media, prefix + "media-open.png");

            auto launch = Open<CWindowsDialog>(language);
            Keep(*launch, prefix + "launch.png");
            OpenList(*launch, launch->ChoiceList(), media_key::kLaunch);
            Keep(*launch, prefix + "launch-open.png");

            auto macro = Open<CMacroDialog>(language, std::vector<std::string>{"Reload", "Grenade", "Build wall"});
            macro->ClickAt(Centre(macro_key::kRepeatOptions[1]));
            Keep(*macro, prefix + "macro.png");
            OpenList(*macro, macro->MacroList(), macro_key::kMacro);
            Keep(*macro, prefix + "macro-open.png");
        }
        EXPECT_TRUE(prompter.messages.empty()) << name.toStdString();
    });
}

// ---- The runner ---------------------------------------------------------------------------

class ListRunnerTest : public ListDialogTest {
protected:
    void SetUp() override {
        ListDialogTest::SetUp();
        owner = MakeOwnerWindow();  // after the application
        runner.SetContext(
            DialogContext{owner.get(), &skin, UiLanguage::English, &prompter, nullptr, dataDir.filePath("record.ini").toStdString()});
    }
    QTemporaryDir dataDir;
    std::unique_ptr<QWidget> owner;
    QtDialogRunner runner;
};

TEST_F(ListRunnerTest, RunsEachDialogAndAnswersNothingOnCancel) {
    WhenOpen<CFireKeyDialog>([](CFireKeyDialog& dialog) {
        dialog.TimesBox()->setText(QStringLiteral("0"));
        dialog.ClickAt(Centre(dialog::kOk));
    });
    EXPECT_EQ(runner.RunFireKey(), (FireKeyChoice{0, "A", 32, 0}));
    WhenOpen<CFireKeyDialog>([](CFireKeyDialog& dialog) { dialog.ClickAt(Centre(dialog::kCancel)); });
    EXPECT_EQ(runner.RunFireKey(), std::nullopt);

    WhenOpen<CMediaDialog>([](CMediaDialog& dialog) {
        QListWidget* list = OpenList(dialog, dialog.ChoiceList(), media_key::kMedia);
        emit list->itemClicked(list->item(6));
        dialog.ClickAt(Centre(dialog::kCancel));  // a choice, then Cancel
    });
    EXPECT_EQ(runner.RunMediaKey(), std::nullopt);
    WhenOpen<CMediaDialog>([](CMediaDialog& dialog) { dialog.ClickAt(Centre(dialog::kOk)); });
    EXPECT_EQ(runner.RunMediaKey(), (ListChoice{0, "Next"}));

    WhenOpen<CWindowsDialog>([](CWindowsDialog& dialog) {
        QListWidget* list = OpenList(dialog, dialog.ChoiceList(), media_key::kLaunch);
        emit list->itemClicked(list->item(10));
        dialog.ClickAt(Centre(dialog::kOk));
    });
    EXPECT_EQ(runner.RunLaunchKey(), (ListChoice{10, "Browser-My Favorites"}));
    WhenOpen<CWindowsDialog>([](CWindowsDialog& dialog) { dialog.ClickAt(Centre(dialog::kClose)); });
    EXPECT_EQ(runner.RunLaunchKey(), std::nullopt);
}

TEST_F(ListRunnerTest, TheMacroKeyDialogListsRecordIniAsItIsWhenItOpens) {
    WhenOpen<CMacroDialog>([](CMacroDialog& dialog) { dialog.ClickAt(Centre(dialog::kOk)); });
    EXPECT_EQ(runner.RunMacroKey(), (MacroKeyChoice{0, "", 1}));  // no record.ini yet

    std::ofstream(dataDir.filePath("record.ini").toStdString())
        << "[Reload]\nItemCount=1\nItem0=R   Dn\n[Spray]\nItemCount=1\nItem0=L-Button   Dn\n";
    QStringList listed;
    WhenOpen<CMacroDialog>([&listed](CMacroDialog& dialog) {
        QListWidget* list = OpenList(dialog, dialog.MacroList(), macro_key::kMacro);
        listed = Rows(list);
        emit list->itemClicked(list->item(1));
        dialog.ClickAt(Centre(macro_key::kRepeatOptions[2]));
        dialog.ClickAt(Centre(dialog::kOk));
    });
    EXPECT_EQ(runner.RunMacroKey(), (MacroKeyChoice{1, "Spray", 3}));
    EXPECT_EQ(listed, (QStringList{"Reload", "Spray"}));
}

}  // namespace
}  // namespace ui
}  // namespace kz7
