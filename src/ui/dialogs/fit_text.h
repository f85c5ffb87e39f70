#pragma once

#include <QFont>
#include <QString>

namespace kz7::ui {

// The font, made smaller as far as needed for the text to fit the width: the
// key dialogs' fields are as narrow as their art, and "Right Windows" is wider
// than a key name static in the dialog font. Never below a legible size.
QFont FontToFit(const QFont& font, const QString& text, int width);

}  // namespace kz7::ui
