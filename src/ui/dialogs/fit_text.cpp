#include "ui/dialogs/fit_text.h"

#include <QFontMetrics>

namespace kz7::ui {

namespace {
constexpr int kSmallestPixelSize = 9;
}

QFont FontToFit(const QFont& font, const QString& text, int width) {
    QFont fitted = font;
    int size = font.pixelSize();
    if (size <= 0) return fitted;  // not sized in pixels: left as it is
    while (size > kSmallestPixelSize && QFontMetrics(fitted).horizontalAdvance(text) > width) {
        fitted.setPixelSize(--size);
    }
    return fitted;
}

}  // namespace kz7::ui
