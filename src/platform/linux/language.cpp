#include <cstdlib>
#include <string_view>

#include "locale/language.h"

namespace kz7 {
namespace {

std::string_view Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

}  // namespace

UiLanguage SystemUiLanguage() {
    return LanguageFromLocale(Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG"));
}

}  // namespace kz7
