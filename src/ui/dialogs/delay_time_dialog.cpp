#include "ui/dialogs/delay_time_dialog.h"

#include <QLineEdit>

#include "ini/ini_file.h"
#include "ui/dialogs/dialog_parts.h"
#include "ui/layout/dialog_zones.h"
#include "ui/ui_text.h"

namespace kz7::ui {

CDelayTimeDialog::CDelayTimeDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter)
    : SkinnedDialog(owner, skin, language, kDelayTimeDialog, prompter) {}

CDelayTimeDialog::~CDelayTimeDialog() {
    if (delayBox_ != nullptr) delayBox_->disconnect(this);
}

void CDelayTimeDialog::AddControls(ControlList&) {
    delayBox_ = AddNumberBox(this, delay_time::kDelayBox, QString());
    connect(delayBox_, &QLineEdit::textChanged, this, &CDelayTimeDialog::ReadBox);
    delayBox_->setFocus(Qt::OtherFocusReason);
}

void CDelayTimeDialog::DrawContent(DrawingPass& pass) {
    pass.DrawText(Tr(UiText::PleaseEnterDelay, Language()), delay_time::kPrompt, TextFormat::Centered, DialogFont(),
                  Qt::white);
    pass.DrawText(Tr(UiText::DelayRange, Language()), delay_time::kRangeNote, TextFormat::Centered, DialogFont(),
                  Qt::white);
}

void CDelayTimeDialog::ReadBox() {
    choice_.text = delayBox_->text().toStdString();
    choice_.value = LeadingInteger(choice_.text);
}

}  // namespace kz7::ui
