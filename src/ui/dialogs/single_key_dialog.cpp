#include "ui/dialogs/single_key_dialog.h"

#include <QKeyEvent>
#include <QLabel>

#include <string_view>

#include "ui/dialogs/dialog_parts.h"
#include "ui/skin_toolkit.h"
#include "ui/layout/dialog_zones.h"
#include "ui/ui_text.h"

namespace kz7::ui {

namespace {

// Once read, the Windows keys go no further: nothing else in the program
// acts on them while a key is being chosen. They are known by their Qt key
// and, whatever the layout makes of them, by their position.
bool IsWindowsKey(const QKeyEvent& event, std::string_view name) {
    switch (event.key()) {
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R: return true;
        default: return name == "Left Windows" || name == "Right Windows";
    }
}

}  // namespace

CSingleDialog::CSingleDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter,
                             const KeyNameService* keyNames)
    : SkinnedDialog(owner, skin, language, kSingleKeyDialog, prompter), keyNames_(keyNames) {}

void CSingleDialog::AddControls(ControlList&) {
    keyNameStatic_ = AddChoiceStatic(this, single_key::kKeyName, Qt::AlignHCenter, QString());
    ShowKeyName();
}

void CSingleDialog::ShowKeyName() {
    ShowFitted(keyNameStatic_, FromUtf8(keyName_), DialogFont());
}

void CSingleDialog::DrawContent(DrawingPass& pass) {
    pass.DrawText(Tr(UiText::PleaseEnterKey, Language()), single_key::kPrompt, TextFormat::Centered,
                  DialogFont(), Qt::white);
}

void CSingleDialog::KeyRead(const QKeyEvent& event) {
    keyName_ = keyNames_->NameOf(event.nativeScanCode());
    if (keyNameStatic_) ShowKeyName();
}

bool CSingleDialog::eventFilter(QObject* watched, QEvent* event) {
    const bool kept = SkinnedDialog::eventFilter(watched, event);
    // Only a widget's copy is kept back: the window's must go on to its widget to be read.
    if (!KeyFilterInstalled() || !watched->isWidgetType()) return kept;
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return kept;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    return IsWindowsKey(key, keyNames_->NameOf(key.nativeScanCode())) || kept;
}

}  // namespace kz7::ui
