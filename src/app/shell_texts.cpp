#include "app/shell_texts.h"

#include <QStringList>

#include "locale/strings.h"
#include "ui/skin_toolkit.h"

namespace kz7 {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

UiText IdOf(ShellText id) {
    switch (id) {
        case ShellText::BasicTitle: return UiText::BasicSettingsTab;
        case ShellText::AdvancedTitle: return UiText::AdvancedSettingsTab;
        case ShellText::Ok: return UiText::Ok;
        case ShellText::Apply: return UiText::Apply;
        case ShellText::Cancel: return UiText::Cancel;
        case ShellText::TrayExit: return UiText::TrayExit;
        case ShellText::MouseNotDetected: return UiText::MouseNotDetected;
        case ShellText::WebLink: return UiText::WebLink;
    }
    return UiText::Ok;
}

QFont FontFrom(const FontSpec& request) {
    QStringList families;
    for (std::string_view face : request.faces) families << FromUtf8(face);
    QFont font = ui::PixelFont(families.value(0), request.pixelHeight, request.weight >= 700);
    // The first face is the one asked for; the others stand in where it is missing.
    if (!families.isEmpty()) font.setFamilies(families);
    return font;
}

}  // namespace

QString ShellTextFor(ShellText id, UiLanguage language) { return FromUtf8(Text(IdOf(id), language)); }

ShellFonts ShellFontsFor(UiLanguage language) {
    const FontChoice choice = FontsFor(language);
    return {FontFrom(choice.normal), FontFrom(choice.bold)};
}

std::optional<Notification> NotificationFor(int kind, int value, UiLanguage language,
                                            std::uint8_t sensorType,
                                            std::span<const std::uint8_t> dpiLevels) {
    const std::optional<Balloon> balloon = BalloonFor(kind, value, language, sensorType, dpiLevels);
    if (!balloon) return std::nullopt;
    return Notification{std::string(balloon->title), balloon->text, balloon->timeoutMs};
}

}  // namespace kz7
