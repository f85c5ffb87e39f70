#pragma once

// What the dialog tests share: the shipped skins, zone centres, white-text
// probes, screenshots, and running a dialog modally from a test.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "config/prompter.h"
#include "locale/language.h"

#include "skins/hot_zone.h"
#include "ui/dialogs/skinned_dialog.h"
#include "ui/skin_toolkit.h"
#include "ui_app.h"

namespace kz7::ui::testing_dialogs {

inline const char* const kDefaultSkin = KZ7_BINARY_DIR "/share/kz7/Skins";

inline QPoint Centre(const HotZone& zone) { return {(zone.left + zone.right) / 2, (zone.top + zone.bottom) / 2}; }

// Whether a white pixel (a dialog's own text) lies in the zone.
inline bool HasWhiteIn(const QImage& canvas, const HotZone& zone) {
    for (int y = zone.top; y < zone.bottom; ++y)
        for (int x = zone.left; x < std::min(zone.right, canvas.width()); ++x)
            if (qRed(canvas.pixel(x, y)) > 200 && qGreen(canvas.pixel(x, y)) > 200 && qBlue(canvas.pixel(x, y)) > 200)
                return true;
    return false;
}

// The shipped skins, each with the text colour it ships with; `visit` gets the skin's short name.
inline void ForEachShippedSkin(Skin& skin, const std::function<void(const QString& name)>& visit) {
    for (const QString& name : {QStringLiteral("default"), QStringLiteral("Crimson")}) {
        skin.SetFolder(QString::fromUtf8(kDefaultSkin) + (name == "default" ? QString() : "/" + name));
        skin.SetTextColor(name == "default" ? QColor(0x2c, 0xe5, 0x7a) : QColor(255, 214, 214));
        visit(name);
    }
}

// The folder under the build tree where a test keeps its pictures of the art.
inline QString ShotFolder(const char* name) {
    const QString folder = QStringLiteral(KZ7_BINARY_DIR "/screenshots/") + QString::fromUtf8(name);
    EXPECT_TRUE(QDir().mkpath(folder));
    return folder;
}

inline void Keep(SkinnedDialog& dialog, const QString& path) {
    QCoreApplication::processEvents();
    EXPECT_FALSE(dialog.Reduced());
    EXPECT_TRUE(dialog.grab().save(path)) << path.toStdString();
}

// A window the size of the main window for a dialog runner to open its dialogs over.
inline std::unique_ptr<QWidget> MakeOwnerWindow() {
    auto owner = std::make_unique<QWidget>();
    owner->setGeometry(120, 90, 880, 660);
    owner->show();
    return owner;
}

// Does `step` with the modal dialog once it runs.
template <typename Dialog>
void WhenOpen(std::function<void(Dialog&)> step) {
    QTimer::singleShot(0, [step] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->activateWindow();
        QCoreApplication::processEvents();
        step(*dialog);
    });
}

// A dialog shown (not run) over the default skin, with its messages recorded.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { testing::UiApp(); }

    template <typename Dialog, typename... Extra>
    std::unique_ptr<Dialog> Show(UiLanguage language, Extra&&... extra) {
        auto dialog = std::make_unique<Dialog>(nullptr, skin, language, prompter, std::forward<Extra>(extra)...);
        dialog->Prepare();
        dialog->activateWindow();
        QCoreApplication::processEvents();
        return dialog;
    }
    void UseSkinWithoutBackgrounds() { skin.SetFolder(emptySkin.path()); }

    Skin skin{QString::fromUtf8(kDefaultSkin)};
    RecordingPrompter prompter;
    QTemporaryDir emptySkin;
};

}  // namespace kz7::ui::testing_dialogs
