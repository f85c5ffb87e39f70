#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLineEdit>

#include <ostream>

#include "dialog_fixture.h"
#include "macros/macro_line_editing.h"
#include "ui/dialogs/delay_time_dialog.h"
#include "ui/dialogs/qt_dialog_runner.h"
#include "ui/layout/dialog_zones.h"

namespace kz7 {

void PrintTo(const DelayChoice& c, std::ostream* out) { *out << c.value << " \"" << c.text << '"'; }

namespace ui {
namespace {

using namespace testing_dialogs;

class DelayTimeDialogTest : public DialogTest {};

TEST_F(DelayTimeDialogTest, AnswersTheDigitsAsTypedAndTheirValue) {
    struct Case { const char* typed; int value; const char* line; };
    const Case cases[] = {{"10000", 10000, "10000 ms"}, {"0100", 100, "0100 ms"}, {"49", 49, "50 ms"},
                          {"10001", 10001, "50 ms"},    {"", 0, "50 ms"}};
    for (const Case& c : cases) {
        auto dialog = Show<CDelayTimeDialog>(UiLanguage::English);
        EXPECT_EQ(dialog->DelayBox()->geometry(), ToRect(delay_time::kDelayBox));
        dialog->DelayBox()->setText(QString::fromUtf8(c.typed));
        dialog->ClickAt(Centre(dialog::kOk));
        EXPECT_EQ(dialog->result(), QDialog::Accepted) << c.typed;
        EXPECT_EQ(dialog->Choice(), (DelayChoice{c.value, c.typed}));
        EXPECT_EQ(PauseLineFor(dialog->Choice().value, dialog->Choice().text), c.line) << c.typed;
    }
}

TEST_F(DelayTimeDialogTest, TakesDigitsOnlyAndEnterIsOk) {
    auto dialog = Show<CDelayTimeDialog>(UiLanguage::English);
    QLineEdit* box = dialog->DelayBox();
    box->insert(QStringLiteral("2x"));
    EXPECT_FALSE(box->text().contains(QLatin1Char('x')));
    box->setText(QStringLiteral("250"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &enter);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Choice(), (DelayChoice{250, "250"}));
}

TEST_F(DelayTimeDialogTest, DrawsThePromptAndTheRangeInWhiteInEveryLanguage) {
    for (UiLanguage language : {UiLanguage::English, UiLanguage::SimplifiedChinese, UiLanguage::TraditionalChinese}) {
        auto dialog = Show<CDelayTimeDialog>(language);
        EXPECT_TRUE(HasWhiteIn(dialog->Surface().Canvas(), delay_time::kPrompt));
        EXPECT_TRUE(HasWhiteIn(dialog->Surface().Canvas(), delay_time::kRangeNote));
    }
}

TEST_F(DelayTimeDialogTest, WithoutItsBackgroundItSaysSoAndOkAnswersNothingTyped) {
    UseSkinWithoutBackgrounds();
    auto dialog = Show<CDelayTimeDialog>(UiLanguage::English);
    EXPECT_TRUE(dialog->Reduced());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0],
              (RecordingPrompter::Message{"error", "DelayTime Dialog Load background image failed!!!"}));
    EXPECT_EQ(dialog->DelayBox(), nullptr);
    dialog->ClickAt(Centre(dialog::kOk));
    EXPECT_EQ(dialog->Choice(), DelayChoice{});
}

TEST_F(DelayTimeDialogTest, TheRunnerAnswersOnOkAndNothingOnCancel) {
    QtDialogRunner runner;
    runner.SetContext(DialogContext{nullptr, &skin, UiLanguage::English, &prompter, nullptr, {}});
    WhenOpen<CDelayTimeDialog>([](CDelayTimeDialog& dialog) {
        dialog.DelayBox()->setText(QStringLiteral("300"));
        dialog.ClickAt(Centre(dialog::kOk));
    });
    EXPECT_EQ(runner.RunDelayTime(), (DelayChoice{300, "300"}));
    WhenOpen<CDelayTimeDialog>([](CDelayTimeDialog& dialog) {
        dialog.DelayBox()->setText(QStringLiteral("300"));
        dialog.ClickAt(Centre(dialog::kCancel));
    });
    EXPECT_EQ(runner.RunDelayTime(), std::nullopt);
}

TEST_F(DelayTimeDialogTest, BothShippedSkinsDrawTheDialogWithItsBox) {
    ForEachShippedSkin(skin, [&](const QString& name) {
        auto dialog = Show<CDelayTimeDialog>(UiLanguage::English);
        dialog->DelayBox()->setText(QStringLiteral("120"));
        Keep(*dialog, ShotFolder("delay-dialog") + "/" + name + "-delay.png");
    });
}

}  // namespace
}  // namespace ui
}  // namespace kz7
