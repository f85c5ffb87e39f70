#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <linux/input-event-codes.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "keys/key_codes.h"
#include "platform/linux/evdev_key_names.h"
#include "ui/dialogs/combo_key_dialog.h"
#include "ui/dialogs/qt_dialog_runner.h"
#include "ui/dialogs/single_key_dialog.h"
#include "ui/layout/dialog_zones.h"
#include "ui/layout/window_sizes.h"
#include "ui/widgets/dropdown_box.h"
#include "dialog_fixture.h"
#include "ui_app.h"

namespace kz7 {

void PrintTo(const SingleKeyChoice& choice, std::ostream* out) { *out << '"' << choice.keyName << '"'; }
void PrintTo(const ComboKeyChoice& choice, std::ostream* out) {
    *out << '"' << choice.modifierName << "\", \"" << choice.key1Name << "\", \"" << choice.key2Name << '"';
}

namespace ui {
namespace {

using namespace testing_dialogs;

// A key as the windowing system delivers it: the Qt key, and the evdev code + 8 as native scan code.
struct Key {
    int qtKey;
    unsigned evdev;
    QString text;
};
const Key kA{Qt::Key_A, KEY_A, QStringLiteral("a")};
const Key kC{Qt::Key_C, KEY_C, QStringLiteral("c")};
const Key kV{Qt::Key_V, KEY_V, QStringLiteral("v")};
const Key kShift{Qt::Key_Shift, KEY_LEFTSHIFT, {}};
const Key kEnter{Qt::Key_Return, KEY_ENTER, QStringLiteral("\r")};
const Key kEscape{Qt::Key_Escape, KEY_ESC, QStringLiteral("\x1b")};
const Key kLeftWindows{Qt::Key_Super_L, KEY_LEFTMETA, {}};
const Key kTab{Qt::Key_Tab, KEY_TAB, QStringLiteral("\t")};

void Send(QWidget* to, QEvent::Type type, const Key& key, bool autoRepeat = false) {
    QKeyEvent event(type, key.qtKey, Qt::NoModifier, key.evdev + linux_platform::EvdevKeyNames::kScanCodeOffset, 0,
                    0, type == QEvent::KeyPress ? key.text : QString(), autoRepeat);
    QCoreApplication::sendEvent(to, &event);
}

// Where the keyboard is now: the focused widget, else the window.
QWidget* KeyboardTarget(QWidget* window) {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus : window;
}

void Tap(QWidget* window, const Key& key) {
    Send(KeyboardTarget(window), QEvent::KeyPress, key);
    Send(KeyboardTarget(window), QEvent::KeyRelease, key);
}

// Some widget of the program other than the dialog; remembers the keys that reach it.
class KeyRecorder : public QWidget {
public:
    std::vector<int> pressed;

protected:
    void keyPressEvent(QKeyEvent* event) override { pressed.push_back(event->key()); }
};

int VisibleWindows() {
    int count = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets()) count += widget->isVisible() ? 1 : 0;
    return count;
}

class CaptureDialogTest : public DialogTest {
protected:
    template <typename Dialog>
    std::unique_ptr<Dialog> Open(UiLanguage language = UiLanguage::English) {
        return Show<Dialog>(language, &keyNames);
    }
    template <typename Dialog>
    std::unique_ptr<Dialog> OpenWith(UiLanguage language, const KeyNameService* names) {
        return Show<Dialog>(language, names);
    }

    linux_platform::EvdevKeyNames keyNames;
};

// ---- Single key ---------------------------------------------------------------------

using SingleKeyDialogTest = CaptureDialogTest;

TEST_F(SingleKeyDialogTest, ShowsAndAnswersTheNameOfEachKeyWithoutClosing) {
    struct Case { Key key; std::string name; std::uint8_t code; };
    const Case cases[] = {
        {kEnter, "Enter", 0x28},
        {kEscape, "Esc", 0x29},
        {{Qt::Key_Control, KEY_RIGHTCTRL, {}}, "Right Ctrl", 0xE4},
        {{Qt::Key_Control, KEY_LEFTCTRL, {}}, "Ctrl", 0xE0},
        {kLeftWindows, "Left Windows", 0xE3},
        {{Qt::Key_F1, KEY_F1, {}}, "F1", 0x3A},
        {{Qt::Key_Backslash, KEY_BACKSLASH, QStringLiteral("\\")}, "\\", 0},  // shown, stored as no key
    };
    for (const Case& c : cases) {
        auto dialog = Open<CSingleDialog>();
        ASSERT_TRUE(dialog->KeyFilterInstalled());
        const int windows = VisibleWindows();
        Tap(dialog.get(), c.key);
        EXPECT_EQ(dialog->KeyNameStatic()->text().toStdString(), c.name);
        EXPECT_TRUE(dialog->isVisible()) << c.name;
        EXPECT_EQ(VisibleWindows(), windows) << c.name << ": nothing else opened (no help)";
        dialog->ClickAt(Centre(dialog::kOk));
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(dialog->Choice(), SingleKeyChoice{c.name});
        EXPECT_EQ(KeyCodeFromName(dialog->Choice().keyName), c.code);
    }
}

TEST_F(SingleKeyDialogTest, TheLastKeyEventWinsReleasesAndRepeatsIncluded) {
    auto dialog = Open<CSingleDialog>();
    QWidget* target = KeyboardTarget(dialog.get());
    Send(target, QEvent::KeyPress, kShift);
    Send(target, QEvent::KeyPress, kA);
    Send(target, QEvent::KeyPress, kA, /*autoRepeat=*/true);
    Send(target, QEvent::KeyRelease, kA);
    EXPECT_EQ(dialog->Choice().keyName, "A");
    Send(target, QEvent::KeyRelease, kShift);
    EXPECT_EQ(dialog->Choice().keyName, "Shift");
    EXPECT_EQ(dialog->KeyNameStatic()->text(), QStringLiteral("Shift"));
}

TEST_F(SingleKeyDialogTest, ReadsKeysSentAnywhereInTheProgramAndKeepsOnlyTheWindowsKeys) {
    KeyRecorder elsewhere;
    auto dialog = Open<CSingleDialog>();
    Send(&elsewhere, QEvent::KeyPress, kA);
    EXPECT_EQ(dialog->Choice().keyName, "A");
    Send(&elsewhere, QEvent::KeyPress, kLeftWindows);
    Send(&elsewhere, QEvent::KeyPress, {Qt::Key_Meta, KEY_RIGHTMETA, {}});
    EXPECT_EQ(dialog->Choice().keyName, "Right Windows");
    EXPECT_EQ(elsewhere.pressed, std::vector<int>{Qt::Key_A});
    // Once the dialog is gone, keys are neither read nor kept.
    dialog.reset();
    Send(&elsewhere, QEvent::KeyPress, kLeftWindows);
    EXPECT_EQ(elsewhere.pressed, (std::vector<int>{Qt::Key_A, Qt::Key_Super_L}));
}

TEST_F(SingleKeyDialogTest, ALongNameIsWrittenSmallerToFitItsStatic) {
    auto dialog = Open<CSingleDialog>();
    const QLabel* name = dialog->KeyNameStatic();
    for (unsigned evdev : {KEY_RIGHTMETA, KEY_LEFTMETA}) {
        Tap(dialog.get(), {Qt::Key_Super_R, evdev, {}});
        EXPECT_LE(QFontMetrics(name->font()).horizontalAdvance(name->text()), name->contentsRect().width())
            << name->text().toStdString();
        EXPECT_LT(name->font().pixelSize(), dialog->DialogFont().pixelSize());
    }
    Tap(dialog.get(), kA);
    EXPECT_EQ(name->font().pixelSize(), dialog->DialogFont().pixelSize());
}

TEST_F(SingleKeyDialogTest, OkWithoutAKeyAnswersTheEmptyName) {
    auto dialog = Open<CSingleDialog>();
    EXPECT_EQ(dialog->KeyNameStatic()->text(), QString());
    dialog->ClickAt(Centre(dialog::kOk));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Choice(), SingleKeyChoice{});
}

TEST_F(SingleKeyDialogTest, DrawsThePromptInWhiteAndTheNameInItsStatic) {
    for (UiLanguage language : {UiLanguage::English, UiLanguage::SimplifiedChinese, UiLanguage::TraditionalChinese}) {
        auto dialog = Open<CSingleDialog>(language);
        EXPECT_TRUE(HasWhiteIn(dialog->Surface().Canvas(), single_key::kPrompt)) << static_cast<int>(language);
        const QLabel* name = dialog->KeyNameStatic();
        EXPECT_EQ(name->geometry(), ToRect(single_key::kKeyName));
        EXPECT_TRUE(name->alignment() & Qt::AlignHCenter);
        EXPECT_EQ(name->palette().color(name->backgroundRole()), QColor::fromRgb(kDialogControlBackground));
        EXPECT_EQ(name->palette().color(name->foregroundRole()), QColor(Qt::white));
    }
    // The prompt zone is bare background without the prompt.
    QImage background(QString::fromUtf8(kDefaultSkin) + QStringLiteral("/single-key.png"));
    EXPECT_FALSE(HasWhiteIn(background.convertToFormat(QImage::Format_RGB32), single_key::kPrompt));
}

TEST_F(SingleKeyDialogTest, WithoutItsBackgroundItSaysSoReadsNoKeysAndOkAnswersNoName) {
    UseSkinWithoutBackgrounds();
    auto dialog = Open<CSingleDialog>();
    EXPECT_TRUE(dialog->Reduced());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0],
              (RecordingPrompter::Message{"error", "Single Key Dialog Load background image failed!!!"}));
    EXPECT_EQ(dialog->KeyNameStatic(), nullptr);
    Tap(dialog.get(), kA);
    dialog->ClickAt(Centre(dialog::kOk));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Choice(), SingleKeyChoice{});
}

TEST_F(SingleKeyDialogTest, WithoutAKeyNameServiceItOpensButReadsNothing) {
    auto dialog = OpenWith<CSingleDialog>(UiLanguage::English, nullptr);
    EXPECT_FALSE(dialog->Reduced());
    EXPECT_FALSE(dialog->KeyFilterInstalled());
    Send(KeyboardTarget(dialog.get()), QEvent::KeyPress, kA);
    dialog->ClickAt(Centre(dialog::kOk));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Choice(), SingleKeyChoice{});
}

// ---- Combo key ----------------------------------------------------------------------

class ComboKeyDialogTest : public CaptureDialogTest {
protected:
    void SetUp() override {
        CaptureDialogTest::SetUp();
        dialog = Open<CComboDialog>();
    }
    void ChooseModifier(int row) {
        dialog->ClickAt(Centre(combo_key::kModifier.click));
        QListWidget* list = dialog->ModifierList()->List();
        ASSERT_NE(list, nullptr);
        emit list->itemClicked(list->item(row));
    }
    void FocusBox(std::size_t index) { dialog->KeyBox(index)->setFocus(Qt::MouseFocusReason); }
    QString BoxText(std::size_t index) const { return dialog->KeyBox(index)->text(); }

    std::unique_ptr<CComboDialog> dialog;
};

TEST_F(ComboKeyDialogTest, AModifierAndTwoCapturedKeysAreTheAnswer) {
    ChooseModifier(0);
    EXPECT_EQ(dialog->ModifierStatic()->text(), QStringLiteral("Left Ctrl"));
    FocusBox(0);
    Tap(dialog.get(), kC);
    FocusBox(1);
    Tap(dialog.get(), kV);
    EXPECT_EQ(BoxText(0), QStringLiteral("C"));
    EXPECT_EQ(BoxText(1), QStringLiteral("V"));
    dialog->ClickAt(Centre(dialog::kOk));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const ComboKeyChoice choice = dialog->Choice();
    EXPECT_EQ(choice, (ComboKeyChoice{"Left Ctrl", "C", "V"}));
    EXPECT_EQ(ModifierBitFromName(choice.modifierName), 0x01);
    EXPECT_EQ(KeyCodeFromName(choice.key1Name), 0x06);
    EXPECT_EQ(KeyCodeFromName(choice.key2Name), 0x19);
}

TEST_F(ComboKeyDialogTest, TheKeyboardStartsInTheFirstKeyBox) {
    EXPECT_EQ(QApplication::focusWidget(), dialog->KeyBox(0));
    Tap(dialog.get(), kA);
    EXPECT_EQ(dialog->Choice(), (ComboKeyChoice{"", "A", ""}));
}

TEST_F(ComboKeyDialogTest, AKeyGoesOnlyIntoTheBoxThatHasTheFocus) {
    FocusBox(1);
    Tap(dialog.get(), kA);
    // Choosing a modifier takes the keyboard away from the boxes.
    ChooseModifier(4);
    Tap(dialog.get(), kC);
    EXPECT_EQ(dialog->Choice(), (ComboKeyChoice{"Right Ctrl", "", "A"}));
    EXPECT_EQ(BoxText(0), QString());
    EXPECT_EQ(BoxText(1), QStringLiteral("A"));
}

TEST_F(ComboKeyDialogTest, EnterAndEscapeAreCapturedAndDoNotClose) {
    FocusBox(0);
    Tap(dialog.get(), kEnter);
    EXPECT_EQ(BoxText(0), QStringLiteral("Enter"));
    FocusBox(1);
    Tap(dialog.get(), kEscape);
    EXPECT_EQ(BoxText(1), QStringLiteral("Esc"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Choice(), (ComboKeyChoice{"", "Enter", "Esc"}));
}

TEST_F(ComboKeyDialogTest, ReleasesCountTooSoTheLastKeyLetGoIsKept) {
    FocusBox(0);
    QWidget* box = dialog->KeyBox(0);
    Send(box, QEvent::KeyPress, kShift);
    Send(box, QEvent::KeyPress, {Qt::Key_A, KEY_A, QStringLiteral("A")});
    Send(box, QEvent::KeyRelease, kA);
    Send(box, QEvent::KeyRelease, kShift);
    EXPECT_EQ(BoxText(0), QStringLiteral("Shift"));
    EXPECT_EQ(dialog->Choice().key1Name, "Shift");
    EXPECT_EQ(KeyCodeFromName(dialog->Choice().key1Name), 0xE1);
}

TEST_F(ComboKeyDialogTest, ABoxShowsOnlyTheCapturedNameNeverWhatItWouldType) {
    FocusBox(0);
    Send(dialog->KeyBox(0), QEvent::KeyPress, kC);  // the box itself would insert "c"
    EXPECT_EQ(BoxText(0), QStringLiteral("C"));
    dialog->KeyBox(0)->insert(QStringLiteral("pasted"));
    EXPECT_EQ(BoxText(0), QStringLiteral("C"));
    // Tab is a key here: captured, and the focus stays.
    Tap(dialog.get(), kTab);
    EXPECT_EQ(BoxText(0), QStringLiteral("Tab"));
    EXPECT_EQ(QApplication::focusWidget(), dialog->KeyBox(0));
    EXPECT_EQ(dialog->Choice().key1Name, "Tab");
}

TEST_F(ComboKeyDialogTest, ALongNameIsWrittenSmallerToFitItsBox) {
    FocusBox(1);
    Tap(dialog.get(), {Qt::Key_Super_R, KEY_RIGHTMETA, {}});
    const QLineEdit* box = dialog->KeyBox(1);
    EXPECT_EQ(box->text(), QStringLiteral("Right Windows"));
    EXPECT_LE(QFontMetrics(box->font()).horizontalAdvance(box->text()), box->contentsRect().width() - 4);
}

TEST_F(ComboKeyDialogTest, TheWindowsKeysAreCapturedAndGoOn) {
    KeyRecorder elsewhere;
    FocusBox(0);
    Send(&elsewhere, QEvent::KeyPress, kLeftWindows);
    EXPECT_EQ(BoxText(0), QStringLiteral("Left Windows"));
    EXPECT_EQ(elsewhere.pressed, std::vector<int>{Qt::Key_Super_L});
}

TEST_F(ComboKeyDialogTest, TheOpenListHidesTheKeyBoxesAndTakesTheKeyboard) {
    FocusBox(0);
    Tap(dialog.get(), kC);
    FocusBox(1);
    Tap(dialog.get(), kV);
    dialog->ClickAt(Centre(combo_key::kModifier.text));
    QListWidget* list = dialog->ModifierList()->List();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->geometry(), ToRect(combo_key::kModifier.list));
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
    EXPECT_EQ(rows, (QStringList{"Left Ctrl", "Left Shift", "Left Alt", "Left Win", "Right Ctrl", "Right Shift",
                                 "Right Alt", "Right Win"}));
    EXPECT_EQ(list->visualItemRect(list->item(7)).top() - list->visualItemRect(list->item(0)).top(),
              7 * kListRowHeight);
    EXPECT_FALSE(dialog->KeyBox(0)->isVisible());
    EXPECT_FALSE(dialog->KeyBox(1)->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), dialog.get());
    Tap(dialog.get(), kA);  // no box has the keyboard

    // A click elsewhere closes it without a choice; the boxes come back as they were.
    dialog->ClickAt({300, 200});
    EXPECT_EQ(dialog->ModifierList()->List(), nullptr);
    EXPECT_TRUE(dialog->KeyBox(0)->isVisible());
    EXPECT_TRUE(dialog->KeyBox(1)->isVisible());
    EXPECT_EQ(BoxText(0), QStringLiteral("C"));
    EXPECT_EQ(BoxText(1), QStringLiteral("V"));
    EXPECT_EQ(dialog->Choice(), (ComboKeyChoice{"", "C", "V"}));
}

TEST_F(ComboKeyDialogTest, ModifierRowsAreTheSameInEveryLanguage) {
    auto chinese = Open<CComboDialog>(UiLanguage::TraditionalChinese);
    chinese->ClickAt(Centre(combo_key::kModifier.click));
    QListWidget* list = chinese->ModifierList()->List();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 8);
    EXPECT_EQ(list->item(3)->text(), QStringLiteral("Left Win"));
    emit list->itemClicked(list->item(7));
    EXPECT_EQ(chinese->Choice().modifierName, "Right Win");
    EXPECT_EQ(ModifierBitFromName(chinese->Choice().modifierName), 0x80);
}

TEST_F(ComboKeyDialogTest, ControlsSitOnTheirZonesInTheDialogColours) {
    const QLabel* modifier = dialog->ModifierStatic();
    EXPECT_EQ(modifier->geometry(), ToRect(combo_key::kModifier.text));
    for (std::size_t i = 0; i < 2; ++i) {
        const QLineEdit* box = dialog->KeyBox(i);
        EXPECT_EQ(box->geometry(), ToRect(i == 0 ? combo_key::kKeyBox1 : combo_key::kKeyBox2));
        EXPECT_TRUE(box->alignment() & Qt::AlignHCenter);
        EXPECT_EQ(box->palette().color(QPalette::Base), QColor::fromRgb(kDialogControlBackground));
        EXPECT_EQ(box->palette().color(QPalette::Text), QColor(Qt::white));
    }
}

TEST_F(ComboKeyDialogTest, CancelAndCloseAnswerNothing) {
    for (const HotZone& zone : {dialog::kCancel, dialog::kClose}) {
        auto other = Open<CComboDialog>();
        other->ClickAt(Centre(zone));
        EXPECT_EQ(other->result(), QDialog::Rejected);
    }
}

TEST_F(ComboKeyDialogTest, WithoutItsBackgroundItSaysSoAndOkAnswersNothingChosen) {
    UseSkinWithoutBackgrounds();
    auto reduced = Open<CComboDialog>();
    EXPECT_TRUE(reduced->Reduced());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], (RecordingPrompter::Message{"error", "Combo Dialog Load background image failed!!!"}));
    EXPECT_EQ(reduced->KeyBox(0), nullptr);
    reduced->ClickAt(Centre(combo_key::kModifier.click));  // no list in the reduced form
    Tap(reduced.get(), kA);
    reduced->ClickAt(Centre(dialog::kOk));
    EXPECT_EQ(reduced->result(), QDialog::Accepted);
    EXPECT_EQ(reduced->Choice(), ComboKeyChoice{});
}

// ---- Both shipped skins ---------------------------------------------------------------

// Every shipped skin draws both dialogs whole; the pictures are kept in the
// build tree for a look at the art with its controls in place.
TEST_F(CaptureDialogTest, BothShippedSkinsDrawTheDialogsWithTheirControls) {
    const QString shots = ShotFolder("capture-dialogs");
    ForEachShippedSkin(skin, [&](const QString& name) {
        for (UiLanguage language : {UiLanguage::English, UiLanguage::SimplifiedChinese}) {
            auto single = Open<CSingleDialog>(language);
            Tap(single.get(), {Qt::Key_Super_R, KEY_RIGHTMETA, {}});  // the longest name
            Keep(*single, shots + "/" + name + (language == UiLanguage::English ? "" : "-chs") + "-single.png");
        }  // an open key dialog reads every key of the program

        auto combo = Open<CComboDialog>();
        combo->ClickAt(Centre(combo_key::kModifier.click));
        emit combo->ModifierList()->List()->itemClicked(combo->ModifierList()->List()->item(1));
        combo->KeyBox(0)->setFocus();
        Tap(combo.get(), kC);
        combo->KeyBox(1)->setFocus();
        Tap(combo.get(), {Qt::Key_Super_L, KEY_LEFTMETA, {}});
        Keep(*combo, shots + "/" + name + "-combo.png");
        combo->ClickAt(Centre(combo_key::kModifier.click));
        Keep(*combo, shots + "/" + name + "-combo-open.png");
        EXPECT_TRUE(prompter.messages.empty()) << name.toStdString();
    });
}

// ---- The runner ---------------------------------------------------------------------

class CaptureRunnerTest : public CaptureDialogTest {
protected:
    void SetUp() override {
        CaptureDialogTest::SetUp();
        owner = MakeOwnerWindow();  // after the application
        runner.SetContext(DialogContext{owner.get(), &skin, UiLanguage::English, &prompter, &keyNames, {}});
    }
    std::unique_ptr<QWidget> owner;
    QtDialogRunner runner;
};

TEST_F(CaptureRunnerTest, RunsTheSingleKeyDialogOverTheOwnersTopLeft) {
    QPoint at;
    WhenOpen<CSingleDialog>([&](CSingleDialog& dialog) {
        at = dialog.pos();
        Tap(&dialog, kEnter);
        dialog.ClickAt(Centre(dialog::kOk));
    });
    EXPECT_EQ(runner.RunSingleKey(), SingleKeyChoice{"Enter"});
    EXPECT_EQ(at, owner->mapToGlobal(QPoint(0, 0)));

    WhenOpen<CSingleDialog>([](CSingleDialog& dialog) {
        Tap(&dialog, kA);
        dialog.ClickAt(Centre(dialog::kCancel));
    });
    EXPECT_EQ(runner.RunSingleKey(), std::nullopt);
}

TEST_F(CaptureRunnerTest, RunsTheComboKeyDialog) {
    WhenOpen<CComboDialog>([](CComboDialog& dialog) {
        dialog.ClickAt(Centre(combo_key::kModifier.click));
        emit dialog.ModifierList()->List()->itemClicked(dialog.ModifierList()->List()->item(1));
        dialog.KeyBox(1)->setFocus();
        Tap(&dialog, kA);
        dialog.ClickAt(Centre(dialog::kOk));
    });
    EXPECT_EQ(runner.RunComboKey(), (ComboKeyChoice{"Left Shift", "", "A"}));

    WhenOpen<CComboDialog>([](CComboDialog& dialog) { dialog.ClickAt(Centre(dialog::kClose)); });
    EXPECT_EQ(runner.RunComboKey(), std::nullopt);
}

}  // namespace
}  // namespace ui
}  // namespace kz7
