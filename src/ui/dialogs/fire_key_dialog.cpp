#include "ui/dialogs/fire_key_dialog.h"

#include <QLabel>
#include <QLineEdit>

#include <array>

#include "keys/fire_key_rules.h"
#include "keys/key_codes.h"
#include "ui/dialogs/dialog_parts.h"
#include "ui/layout/dialog_zones.h"
#include "ui/ui_text.h"
#include "ui/widgets/dropdown_box.h"

namespace kz7::ui {

namespace {

QStringList FireKeyRows() {
    QStringList rows;
    for (const NamedCode& key : FireKeyTable()) rows << FromUtf8(key.name);
    return rows;
}

struct DialogText {
    UiText text;
    HotZone zone;
    TextFormat format;
};
constexpr std::array<DialogText, 5> kTexts{{
    {UiText::FireSpeed, fire_key::kSpeedCaption, TextFormat::Right},
    {UiText::FireTimes, fire_key::kTimesCaption, TextFormat::Right},
    {UiText::FireIllustration, fire_key::kNoteHeading, TextFormat::Left},
    {UiText::FireSpeedHelp, fire_key::kSpeedNote, TextFormat::Left},
    {UiText::FireTimesHelp, fire_key::kTimesNote, TextFormat::Wrapped},
}};

// Writes a box's fallback over what was typed, when the rule asks for it.
std::uint8_t Apply(QLineEdit* box, const FireBoxValue& read) {
    if (read.replacement) box->setText(FromUtf8(*read.replacement));
    return read.value;
}

}  // namespace

CFireKeyDialog::CFireKeyDialog(QWidget* owner, Skin& skin, UiLanguage language, Prompter& prompter)
    : SkinnedDialog(owner, skin, language, kFireKeyDialog, prompter) {
    choice_.speed = kFireSpeedInitial;
    choice_.times = kFireTimesInitial;
}

CFireKeyDialog::~CFireKeyDialog() {
    // The closing window takes the keyboard from the speed box, which would
    // call back into a dialog that is already being taken apart.
    if (speedBox_ != nullptr) speedBox_->disconnect(this);
    if (timesBox_ != nullptr) timesBox_->disconnect(this);
}

void CFireKeyDialog::AddControls(ControlList& controls) {
    choice_.keyName = Text(UiText::FireKeyDefaultKey, Language());
    keyStatic_ = AddChoiceStatic(this, fire_key::kKey.text, Qt::AlignHCenter, QString());
    ShowFitted(keyStatic_, FromUtf8(choice_.keyName), DialogFont());
    speedBox_ = AddNumberBox(this, fire_key::kSpeedBox, QString::number(kFireSpeedInitial));
    timesBox_ = AddNumberBox(this, fire_key::kTimesBox, QString::number(kFireTimesInitial));
    connect(speedBox_, &QLineEdit::editingFinished, this, &CFireKeyDialog::ReadSpeed);
    connect(timesBox_, &QLineEdit::textChanged, this, &CFireKeyDialog::ReadTimes);
    keyList_ = &AddDialogDropdown(controls, this, fire_key::kKey, DialogFont(),
                                  {FireKeyRows, [this](int row) { ChooseKey(row); },
                                   [this](bool open) { ListOpened(open); }});
}

void CFireKeyDialog::DrawContent(DrawingPass& pass) {
    for (const DialogText& text : kTexts) {
        pass.DrawText(Tr(text.text, Language()), text.zone, text.format, DialogFont(), Qt::white);
    }
}

void CFireKeyDialog::ListOpened(bool open) {
    // The list covers both boxes. The keyboard leaves them first, which
    // reads the speed as leaving its box always does.
    if (open) setFocus(Qt::OtherFocusReason);
    speedBox_->setVisible(!open);
    timesBox_->setVisible(!open);
}

void CFireKeyDialog::ChooseKey(int row) {
    const auto keys = FireKeyTable();
    if (row < 0 || static_cast<std::size_t>(row) >= keys.size()) return;
    choice_.row = row;
    choice_.keyName = std::string(keys[static_cast<std::size_t>(row)].name);
    ShowFitted(keyStatic_, FromUtf8(choice_.keyName), DialogFont());
}

void CFireKeyDialog::ReadSpeed() {
    if (speedBox_ != nullptr) choice_.speed = Apply(speedBox_, FireSpeedFromText(speedBox_->text().toStdString()));
}

void CFireKeyDialog::ReadTimes() {
    // Writing the fallback edits the box again, and that finds "1".
    choice_.times = Apply(timesBox_, FireTimesFromText(timesBox_->text().toStdString()));
}

void CFireKeyDialog::accept() {
    // OK does not always take the keyboard from the speed box first.
    ReadSpeed();
    SkinnedDialog::accept();
}

}  // namespace kz7::ui
