#include "ui/dialogs/skinned_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "locale/strings.h"
#include "ui/layout/dialog_zones.h"
#include "ui/layout/window_sizes.h"
#include "ui/ui_text.h"
#include "ui/widgets/dropdown_box.h"
#include "ui/widgets/text_button.h"

namespace kz7::ui {

namespace {

constexpr int kOkCancelGroup = 1;

bool IsClosingKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter || event.key() == Qt::Key_Escape;
}

}  // namespace

SkinnedDialog::SkinnedDialog(QWidget* owner, Skin& skin, UiLanguage language, DialogLook look, Prompter& prompter)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint),
      skin_(skin),
      language_(language),
      look_(look),
      prompter_(prompter) {
    surface_ = std::make_unique<SkinSurface>(this, skin_, MissingImage::Report, &prompter_);
    resize(kDialogWidth, kDialogHeight);
}

SkinnedDialog::~SkinnedDialog() { RemoveKeyFilter(); }

void SkinnedDialog::RemoveKeyFilter() {
    if (!keyFilter_) return;
    QCoreApplication::instance()->removeEventFilter(this);
    keyFilter_ = false;
}

void SkinnedDialog::Build() {
    if (built_) return;
    built_ = true;
    // At the top-left of the owner's client area.
    if (QWidget* owner = parentWidget()) move(owner->mapToGlobal(QPoint(0, 0)));

    // OK, Cancel and close work even when nothing can be drawn.
    const TextButton::Look textButton{};
    controls_.Add<TextButton>(dialog::kClose, TextButton::Look{skin_image::kCloseButtonImages}, nullptr,
                              [this] { reject(); });
    controls_.Add<TextButton>(dialog::kOk, textButton, [this] { return Tr(UiText::Ok, language_); },
                              [this] { accept(); })
        .SetHoverGroup(kOkCancelGroup);
    controls_.Add<TextButton>(dialog::kCancel, textButton, [this] { return Tr(UiText::Cancel, language_); },
                              [this] { reject(); })
        .SetHoverGroup(kOkCancelGroup);
    surface_->SetControls({&controls_});

    if (!surface_->LoadCanvas(look_.background)) {
        reduced_ = true;
        prompter_.ShowMessage(kDialogFailureText, look_.failureCaption);
        OpenedReduced();
        return;
    }
    // The dialogs' font is the windows' small font of the language.
    font_ = UiFontsFor(language_).small;
    surface_->SetSmallFont(font_);
    setFont(font_);

    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Qt::white);
    colours.setColor(QPalette::Text, Qt::white);
    colours.setColor(QPalette::ButtonText, Qt::white);
    colours.setColor(QPalette::Base, QColor::fromRgb(kDialogControlBackground));
    colours.setColor(QPalette::Window, QColor::fromRgb(kDialogControlBackground));
    setPalette(colours);

    AddControls(controls_);
    surface_->SetControls({&controls_});
    if (ReadsKeys()) {
        QCoreApplication::instance()->installEventFilter(this);
        keyFilter_ = true;
    }
    Redraw();
}

void SkinnedDialog::Redraw() {
    if (reduced_) return;
    surface_->SetControls({&controls_});
    DrawingPass pass(*surface_);
    controls_.DrawAll(pass);
    DrawContent(pass);
}

void SkinnedDialog::Prepare() {
    Build();
    show();
}

int SkinnedDialog::Run() {
    Build();
    return exec();
}

void SkinnedDialog::ClickAt(QPoint point) { controls_.ClickAt(point); }

void SkinnedDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) ClickAt(event->position().toPoint());
    QDialog::mousePressEvent(event);
}

void SkinnedDialog::keyPressEvent(QKeyEvent* event) {
    // A dialog that reads the keyboard takes Enter and Escape as keys; any
    // other ends with OK on Enter and Cancel on Escape, as its zones would.
    if (keyFilter_ && IsClosingKey(*event)) {
        event->accept();
        return;
    }
    if (IsClosingKey(*event) && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        if (event->key() == Qt::Key_Escape) {
            reject();
        } else {
            accept();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void SkinnedDialog::wheelEvent(QWheelEvent* event) {
    for (Control* control : controls_.Controls()) {
        auto* dropdown = dynamic_cast<DropdownBox*>(control);
        if (dropdown != nullptr && dropdown->IsOpen()) {
            ScrollListByWheel(dropdown->List(), *event);
            event->accept();
            return;
        }
    }
    QDialog::wheelEvent(event);
}

bool SkinnedDialog::eventFilter(QObject* watched, QEvent* event) {
    if (keyFilter_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        watched->isWidgetType()) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        KeyRead(key);
        // The key still reaches its widget, except the two that would close this dialog.
        if (event->type() == QEvent::KeyPress && IsClosingKey(key)) return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace kz7::ui
