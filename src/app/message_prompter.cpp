#include "app/message_prompter.h"

#include <QMessageBox>

namespace kz7 {

void MessageBoxPrompter::ShowMessage(std::string_view text, std::string_view caption) {
    const QString title = caption.empty()
                              ? QStringLiteral("kz7")
                              : QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    const QString body = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // The main window may be hidden; the box must still come up on top.
    QMessageBox box(caption == kWarningCaption ? QMessageBox::Warning : QMessageBox::Information,
                    title, body, QMessageBox::Ok, parent_ && parent_->isVisible() ? parent_ : nullptr);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.exec();
}

}  // namespace kz7
