#pragma once

#include <string_view>

namespace kz7 {

// The three languages the program's texts exist in. Chosen from the system,
// never from a user setting.
enum class UiLanguage { English, SimplifiedChinese, TraditionalChinese };

// The locale rule: the first non-empty of LC_ALL, LC_MESSAGES and LANG names
// the locale (as POSIX decides which variable wins). Chinese for China
// ("zh_CN", "zh_CN.UTF-8", "zh_CN.GB18030@...") gives Simplified Chinese,
// Chinese for Taiwan ("zh_TW...") Traditional Chinese; everything else,
// including Hong Kong, Singapore and Macao, English. Language and territory
// are compared without regard to case, and "zh-CN" is read like "zh_CN".
UiLanguage LanguageFromLocale(std::string_view lcAll, std::string_view lcMessages,
                              std::string_view lang);

// The system's UI language: LanguageFromLocale over this process's
// environment. Defined by the platform layer (kz7linux); each window asks
// again when it fills its texts.
UiLanguage SystemUiLanguage();

}  // namespace kz7
