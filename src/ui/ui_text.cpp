#include "ui/ui_text.h"

#include <QStringList>

#include "ui/skin_toolkit.h"

namespace kz7::ui {

namespace {

QFont FontFrom(const FontSpec& request) {
    QStringList families;
    for (std::string_view face : request.faces) families << FromUtf8(face);
    QFont font = PixelFont(families.value(0), request.pixelHeight, request.weight >= 700);
    // The first face is the one asked for; the others stand in where it is missing.
    if (!families.isEmpty()) font.setFamilies(families);
    return font;
}

}  // namespace

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Tr(UiText id, UiLanguage language) { return FromUtf8(Text(id, language)); }

UiFonts UiFontsFor(UiLanguage language) {
    const FontChoice choice = FontsFor(language);
    return {FontFrom(choice.normal), FontFrom(choice.bold)};
}

}  // namespace kz7::ui
