#include "locale/language.h"

#include <cctype>

namespace kz7 {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (std::tolower(ca) != std::tolower(cb)) return false;
    }
    return true;
}

}  // namespace

UiLanguage LanguageFromLocale(std::string_view lcAll, std::string_view lcMessages,
                              std::string_view lang) {
    std::string_view locale = !lcAll.empty() ? lcAll : !lcMessages.empty() ? lcMessages : lang;
    // language[_territory][.codeset][@modifier]
    locale = locale.substr(0, locale.find_first_of(".@"));
    const std::size_t separator = locale.find_first_of("_-");
    if (separator == std::string_view::npos) return UiLanguage::English;
    const std::string_view language = locale.substr(0, separator);
    const std::string_view territory = locale.substr(separator + 1);
    if (!EqualsIgnoringCase(language, "zh")) return UiLanguage::English;
    if (EqualsIgnoringCase(territory, "CN")) return UiLanguage::SimplifiedChinese;
    if (EqualsIgnoringCase(territory, "TW")) return UiLanguage::TraditionalChinese;
    return UiLanguage::English;
}

}  // namespace kz7
