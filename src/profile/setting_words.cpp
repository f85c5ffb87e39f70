#include "profile/setting_words.h"

#include <algorithm>
#include <array>

#include "device/dpi_tables.h"
#include "keys/button_functions.h"
#include "pages/basic_page_model.h"
#include "keys/fire_key_rules.h"
#include "macros/macro_key_dialog.h"
#include "macros/macro_store.h"

namespace kz7 {

namespace {

constexpr std::array<UiLanguage, 3> kLanguages{UiLanguage::English, UiLanguage::SimplifiedChinese,
                                               UiLanguage::TraditionalChinese};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The exact entry, else the only one equal ignoring case.
template <typename Names>
std::optional<std::size_t> FindName(const Names& names, std::string_view text) {
    std::optional<std::size_t> folded;
    int foldedCount = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == text) return i;
        if (SameIgnoringCase(names[i], text)) {
            folded = i;
            ++foldedCount;
        }
    }
    if (foldedCount == 1) return folded;
    return std::nullopt;
}

std::vector<std::string> TableNames(std::span<const NamedCode> table) {
    std::vector<std::string> names;
    for (const NamedCode& entry : table) names.emplace_back(entry.name);
    return names;
}

struct NamedFunction {
    int code = 0;
    std::uint8_t dpiMode = 0;
};

std::optional<NamedFunction> FunctionNamed(std::string_view text) {
    for (const FunctionWord& word : FunctionWords()) {
        if (SameIgnoringCase(word.word, text)) return NamedFunction{word.function, word.dpiMode};
    }
    for (std::uint8_t mode = 1; mode <= 3; ++mode) {
        if (SameIgnoringCase(DpiSwitchModeName(mode), text)) return NamedFunction{kFnDpiSwitch, mode};
    }
    for (UiLanguage language : kLanguages) {
        for (int code = 0; code < kFnNone; ++code) {
            if (SameIgnoringCase(FunctionText(code, language), text)) return NamedFunction{code, 0};
        }
    }
    return std::nullopt;
}

std::string FunctionNameList() {
    std::vector<std::string> names;
    for (int code = 0; code < kFnNone; ++code) names.emplace_back(FunctionText(code, UiLanguage::English));
    for (const FunctionWord& word : FunctionWords()) names.emplace_back(word.word);
    return JoinedList(names);
}

bool TakesArgument(int code) {
    switch (code) {
        case kFnDpiSwitch:
        case kFnLaunch:
        case kFnMultimedia:
        case kFnFireKey:
        case kFnSingleKey:
        case kFnComboKey:
        case kFnMacroKey: return true;
        default: return false;
    }
}

// A fire key box's value: digits, within the box's range.
std::optional<std::uint8_t> FireBox(const std::optional<std::string>& text, std::uint8_t initial,
                                    FireBoxValue (*read)(std::string_view), UiText help, std::string_view option,
                                    std::string& problem) {
    if (!text) return initial;
    if (AllDigits(*text)) {
        const FireBoxValue value = read(*text);
        if (!value.replacement) return value.value;
    }
    problem = std::string(option) + " " + *text + " is refused: " + std::string(Text(help, UiLanguage::English));
    return std::nullopt;
}

}  // namespace

std::optional<int> WholeNumberIn(std::string_view text, int lo, int hi) {
    if (!AllDigits(text) || text.size() > 9) return std::nullopt;
    int value = 0;
    for (char c : text) value = value * 10 + (c - '0');
    if (value < lo || value > hi) return std::nullopt;
    return value;
}

std::string JoinedList(const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& entry : entries) {
        if (!text.empty()) text += ", ";
        text += "\"" + entry + "\"";
    }
    return text;
}

std::optional<std::string> ResolveKeyName(std::string_view text, std::string& problem) {
    const auto names = TableNames(KeyCodeTable());
    if (const auto at = FindName(names, text)) return names[*at];
    problem = "unknown key \"" + std::string(text) + "\"; the keys are " + JoinedList(names);
    return std::nullopt;
}

std::optional<int> ResolveFireKeyRow(std::string_view text, std::string& problem) {
    const auto names = TableNames(FireKeyTable());
    if (const auto at = FindName(names, text)) return static_cast<int>(*at);
    problem = "\"" + std::string(text) + "\" is not in the fire key list; it holds " + JoinedList(names);
    return std::nullopt;
}

std::optional<int> ResolveListRow(std::span<const UiText> rows, std::string_view text, std::string_view what,
                                  std::string& problem) {
    for (UiLanguage language : kLanguages) {
        std::vector<std::string> names;
        for (UiText row : rows) names.emplace_back(Text(row, language));
        if (const auto at = FindName(names, text)) return static_cast<int>(*at);
    }
    std::vector<std::string> english;
    for (UiText row : rows) english.emplace_back(Text(row, UiLanguage::English));
    problem = "\"" + std::string(text) + "\" is not in the " + std::string(what) + " list; it holds " + JoinedList(english);
    return std::nullopt;
}

std::optional<ComboKeyChoice> ResolveComboKeys(std::string_view text, std::string& problem) {
    const auto modifiers = TableNames(ModifierTable());
    const auto keys = TableNames(KeyCodeTable());
    // Names may hold a "+" ("Num +"), so each part is the longest name that
    // ends at a "+" or at the end.
    std::vector<std::string> parts;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t best = 0;
        for (const auto* names : {&modifiers, &keys}) {
            for (const std::string& name : *names) {
                const std::size_t end = at + name.size();
                if (name.size() > best && end <= text.size() && SameIgnoringCase(text.substr(at, name.size()), name) &&
                    (end == text.size() || text[end] == '+')) {
                    best = name.size();
                }
            }
        }
        if (best == 0) {
            const auto next = text.find('+', at);
            problem = "unknown key \"" + std::string(text.substr(at, next == std::string_view::npos ? next : next - at)) +
                      "\" in \"" + std::string(text) + "\"; the modifiers are " + JoinedList(modifiers) +
                      ", the keys " + JoinedList(keys);
            return std::nullopt;
        }
        parts.emplace_back(text.substr(at, best));
        at += best;
        if (at < text.size()) ++at;  // the "+"
    }
    ComboKeyChoice choice;
    std::vector<std::string> chosenKeys;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (const auto modifier = FindName(modifiers, parts[i])) {
            if (i != 0) {
                problem = "a combo key holds one modifier, first: \"" + std::string(text) + "\"";
                return std::nullopt;
            }
            choice.modifierName = modifiers[*modifier];
        } else {
            chosenKeys.push_back(keys[*FindName(keys, parts[i])]);
        }
    }
    if (chosenKeys.size() > 2 || parts.empty()) {
        problem = "a combo key is one modifier and up to two keys, such as \"Left Ctrl+C+V\": \"" + std::string(text) + "\"";
        return std::nullopt;
    }
    if (!chosenKeys.empty()) choice.key1Name = chosenKeys[0];
    if (chosenKeys.size() > 1) choice.key2Name = chosenKeys[1];
    return choice;
}

namespace {
constexpr char kLedLetters[] = {'r', 'g', 'b'};
}  // namespace

std::optional<std::array<bool, 3>> ParseLedLetters(std::string_view text) {
    std::array<bool, 3> lit{};
    for (char c : text) {
        const auto* at = std::find(std::begin(kLedLetters), std::end(kLedLetters), c);
        if (at == std::end(kLedLetters) || lit[static_cast<std::size_t>(at - kLedLetters)]) return std::nullopt;
        lit[static_cast<std::size_t>(at - kLedLetters)] = true;
    }
    return lit;
}

std::string LedLetters(const std::array<bool, 3>& lit) {
    std::string text;
    for (std::size_t t = 0; t < lit.size(); ++t) {
        if (lit[t]) text += kLedLetters[t];
    }
    return text;
}

std::vector<std::string> OfferedDpiLabels(std::uint8_t sensorType) {
    const int levels = std::min(DpiLevelsOffered(sensorType), DpiTableSize(sensorType));
    std::vector<std::string> labels;
    for (int level = 0; level < levels; ++level) labels.emplace_back(DpiLabelFor(sensorType, static_cast<std::uint8_t>(level)));
    return labels;
}

std::optional<std::uint8_t> ResolveDpiMode(std::string_view text) {
    static constexpr std::string_view kWords[][2] = {{"dpi+", "+"}, {"dpi-", "-"}, {"dpi-loop", "loop"}};
    for (std::uint8_t mode = 1; mode <= 3; ++mode) {
        if (SameIgnoringCase(DpiSwitchModeName(mode), text)) return mode;
        for (std::string_view word : kWords[mode - 1]) {
            if (SameIgnoringCase(word, text)) return mode;
        }
    }
    return std::nullopt;
}

std::optional<FunctionChoice> ResolveFunction(const FunctionRequest& request, const std::vector<std::string>& macroNames,
                                              UiLanguage language, std::string& problem) {
    const auto named = FunctionNamed(request.function);
    if (!named) {
        problem = "unknown function \"" + request.function + "\"; the functions are " + FunctionNameList();
        return std::nullopt;
    }
    const int code = named->code;
    const std::string functionName(FunctionText(code, UiLanguage::English));
    const bool needsArgument = TakesArgument(code) && !(code == kFnDpiSwitch && named->dpiMode != 0);
    if (request.argument && !needsArgument) {
        problem = functionName + " takes no argument, but \"" + *request.argument + "\" was given";
        return std::nullopt;
    }
    if ((request.speed || request.times) && code != kFnFireKey) {
        problem = "--speed and --times belong to the fire key, not to " + functionName;
        return std::nullopt;
    }
    if (request.repeat && code != kFnMacroKey) {
        problem = "--repeat belongs to the macro key, not to " + functionName;
        return std::nullopt;
    }
    if (needsArgument && !request.argument) {
        problem = functionName + " needs " +
                  (code == kFnDpiSwitch     ? std::string("a direction: \"DPI +\", \"DPI -\" or \"DPI Loop\"")
                   : code == kFnLaunch      ? std::string("a Windows list entry, such as \"Calculator\"")
                   : code == kFnMultimedia  ? std::string("a Multimedia list entry, such as \"Vol+\"")
                   : code == kFnFireKey     ? std::string("a key of the fire key list")
                   : code == kFnSingleKey   ? std::string("a key name, such as \"Right Ctrl\"")
                   : code == kFnComboKey    ? std::string("its keys, such as \"Left Ctrl+C+V\"")
                                            : std::string("a macro name"));
        return std::nullopt;
    }
    const std::string argument = request.argument.value_or("");
    FunctionChoice choice{code, {}};
    switch (code) {
        case kFnDpiSwitch: {
            std::optional<std::uint8_t> mode = named->dpiMode ? std::optional<std::uint8_t>(named->dpiMode) : ResolveDpiMode(argument);
            if (!mode) {
                problem = "\"" + argument + "\" is not a DPI switch direction: \"DPI +\", \"DPI -\" or \"DPI Loop\"";
                return std::nullopt;
            }
            choice.parameters = DpiModeChoice{*mode};
            break;
        }
        case kFnLaunch:
        case kFnMultimedia: {
            const auto rows = code == kFnLaunch ? LaunchTargetTexts() : MediaKeyTexts();
            const auto row = ResolveListRow(rows, argument, code == kFnLaunch ? "Windows" : "Multimedia", problem);
            if (!row) return std::nullopt;
            choice.parameters = ListChoice{*row, std::string(Text(rows[static_cast<std::size_t>(*row)], language))};
            break;
        }
        case kFnFireKey: {
            const auto row = ResolveFireKeyRow(argument, problem);
            if (!row) return std::nullopt;
            const auto speed = FireBox(request.speed, kFireSpeedInitial, FireSpeedFromText, UiText::FireSpeedHelp, "--speed", problem);
            if (!speed) return std::nullopt;
            const auto times = FireBox(request.times, kFireTimesInitial, FireTimesFromText, UiText::FireTimesHelp, "--times", problem);
            if (!times) return std::nullopt;
            choice.parameters = FireKeyChoice{*row, std::string(FireKeyTable()[static_cast<std::size_t>(*row)].name), *speed, *times};
            break;
        }
        case kFnSingleKey: {
            const auto key = ResolveKeyName(argument, problem);
            if (!key) return std::nullopt;
            choice.parameters = SingleKeyChoice{*key};
            break;
        }
        case kFnComboKey: {
            const auto combo = ResolveComboKeys(argument, problem);
            if (!combo) return std::nullopt;
            choice.parameters = *combo;
            break;
        }
        case kFnMacroKey: {
            const int index = FindMacroName(macroNames, argument);
            if (index < 0) {
                problem = "no macro \"" + argument + "\" can be bound; " +
                          (macroNames.empty() ? std::string("record.ini holds none")
                                              : "the macros with a block are " + JoinedList(macroNames));
                return std::nullopt;
            }
            int repeat = 1;
            if (request.repeat) {
                const auto mode = WholeNumberIn(*request.repeat, 1, kMacroRepeatModes);
                if (!mode) {
                    problem = "--repeat takes 1, 2 or 3, not \"" + *request.repeat + "\"";
                    return std::nullopt;
                }
                repeat = *mode;
            }
            choice.parameters = MacroKeyChoice{index, macroNames[static_cast<std::size_t>(index)], static_cast<std::uint8_t>(repeat)};
            break;
        }
        default: break;
    }
    return choice;
}

}  // namespace kz7
