#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

#include "ui/dialogs/skinned_dialog.h"
#include "ui/layout/dialog_zones.h"
#include "ui/layout/window_sizes.h"
#include "ui_app.h"

namespace kz7::ui {
namespace {

const char* const kDefaultSkin = KZ7_BINARY_DIR "/share/kz7/Skins";

QPoint Centre(const HotZone& zone) { return {(zone.left + zone.right) / 2, (zone.top + zone.bottom) / 2}; }

// The smallest dialog on the base: one white line, and it reads keys.
class NoteDialog : public SkinnedDialog {
public:
    using SkinnedDialog::SkinnedDialog;
    std::vector<std::string> keys;
    bool readsKeys = true;

protected:
    void DrawContent(DrawingPass& pass) override {
        pass.DrawText(QStringLiteral("note"), {20, 40, 200, 60}, TextFormat::Left, DialogFont(), Qt::white);
    }
    bool ReadsKeys() const override { return readsKeys; }
    void KeyRead(const QKeyEvent& event) override {
        if (event.type() == QEvent::KeyPress) keys.push_back(event.text().toStdString());
    }
};

class SkinnedDialogTest : public ::testing::Test {
protected:
    void SetUp() override { testing::UiApp(); }
    std::unique_ptr<NoteDialog> Make(DialogLook look = kSingleKeyDialog) {
        return std::make_unique<NoteDialog>(nullptr, skin, UiLanguage::English, look, prompter);
    }
    static void Press(QWidget* to, int key, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(to, &press);
    }

    Skin skin{QString::fromUtf8(kDefaultSkin)};
    RecordingPrompter prompter;
};

TEST_F(SkinnedDialogTest, TakesItsBackgroundsSizeAndDrawsItsTexts) {
    auto dialog = Make();
    dialog->Prepare();
    EXPECT_FALSE(dialog->Reduced());
    EXPECT_EQ(dialog->size(), QSize(kDialogWidth, kDialogHeight));
    EXPECT_TRUE(prompter.messages.empty());
    // The white note was drawn over the background.
    bool white = false;
    const QImage& canvas = dialog->Surface().Canvas();
    for (int x = 20; x < 60 && !white; ++x)
        for (int y = 40; y < 60; ++y) white = white || qGray(canvas.pixel(x, y)) > 200;
    EXPECT_TRUE(white);
}

TEST_F(SkinnedDialogTest, OkAcceptsCancelAndCloseReject) {
    struct Case { HotZone zone; int result; };
    for (const Case& c : {Case{dialog::kOk, QDialog::Accepted}, Case{dialog::kCancel, QDialog::Rejected},
                          Case{dialog::kClose, QDialog::Rejected}}) {
        auto dialog = Make();
        dialog->Prepare();
        dialog->setResult(-1);
        dialog->ClickAt(Centre(c.zone));
        EXPECT_EQ(dialog->result(), c.result) << c.zone.left;
        EXPECT_FALSE(dialog->isVisible());
    }
}

TEST_F(SkinnedDialogTest, OkAndCancelHighlightOneAtATimeAndCloseApart) {
    auto dialog = Make();
    dialog->Prepare();
    SkinSurface& surface = dialog->Surface();
    auto lit = [&](const HotZone& zone) { return surface.IsHighlighted(*dialog->Controls().At(Centre(zone))); };
    surface.PointerRestedAt(Centre(dialog::kClose));
    surface.PointerRestedAt(Centre(dialog::kOk));
    surface.PointerRestedAt(Centre(dialog::kCancel));
    EXPECT_FALSE(lit(dialog::kOk));
    EXPECT_TRUE(lit(dialog::kCancel));
    EXPECT_TRUE(lit(dialog::kClose));
}

TEST_F(SkinnedDialogTest, WithoutItsBackgroundItSaysSoAndStillClosesThroughItsZones) {
    QTemporaryDir empty;
    skin.SetFolder(empty.path());
    auto dialog = Make(kFireKeyDialog);
    dialog->Prepare();
    EXPECT_TRUE(dialog->Reduced());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], (RecordingPrompter::Message{"error", "FireKey Dialog Load background image failed!!!"}));
    EXPECT_FALSE(dialog->Surface().HasCanvas());
    EXPECT_FALSE(dialog->KeyFilterInstalled());  // a reduced dialog reads no keys
    dialog->ClickAt(Centre(dialog::kOk));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(SkinnedDialogTest, AMissingPictureOtherThanTheBackgroundIsReported) {
    QTemporaryDir partial;
    const QImage background = QImage(QString::fromUtf8(kDefaultSkin) + QStringLiteral("/single-key.png"));
    ASSERT_TRUE(background.save(partial.path() + QStringLiteral("/single-key.png")));
    skin.SetFolder(partial.path());
    auto dialog = Make();
    dialog->Prepare();
    EXPECT_FALSE(dialog->Reduced());
    ASSERT_FALSE(prompter.messages.empty());
    EXPECT_EQ(prompter.messages[0].text, kLoadImageFailedText);
}

TEST_F(SkinnedDialogTest, TheKeyFilterReadsEveryKeyTheProgramGetsWhileTheDialogIsOpen) {
    QWidget elsewhere;
    auto dialog = Make();
    dialog->Prepare();
    ASSERT_TRUE(dialog->KeyFilterInstalled());
    Press(&elsewhere, Qt::Key_A, QStringLiteral("a"));
    Press(dialog.get(), Qt::Key_Escape, QStringLiteral("\x1b"));
    Press(dialog.get(), Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(dialog->keys, (std::vector<std::string>{"a", "\x1b", "\r"}));
    // Enter and Escape were read, not taken as OK or Cancel.
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(SkinnedDialogTest, TheKeyFilterIsNotThereBeforeTheDialogIsBuilt) {
    QWidget elsewhere;
    auto dialog = Make();
    Press(&elsewhere, Qt::Key_A, QStringLiteral("a"));
    EXPECT_TRUE(dialog->keys.empty());
    EXPECT_FALSE(dialog->KeyFilterInstalled());
}

TEST_F(SkinnedDialogTest, ADialogThatReadsNoKeysClosesOnEscape) {
    auto dialog = Make();
    dialog->readsKeys = false;
    dialog->Prepare();
    EXPECT_FALSE(dialog->KeyFilterInstalled());
    Press(dialog.get(), Qt::Key_Escape, QString());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

}  // namespace
}  // namespace kz7::ui
