#include "keys/function_choice.h"

#include "keys/button_functions.h"
#include "keys/key_codes.h"
#include "locale/strings.h"

namespace kz7 {

namespace {

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }

std::string Prefixed(int code, UiLanguage language, std::string_view text) {
    return std::string(FunctionText(code, language)) + "-" + std::string(text);
}

std::string RowText(std::span<const UiText> rows, int row, UiLanguage language) {
    if (row < 0 || row >= static_cast<int>(rows.size())) return {};
    return std::string(Text(rows[static_cast<std::size_t>(row)], language));
}

}  // namespace

std::string ComboLabel(UiLanguage language, std::string_view modifierName, std::string_view key1Name,
                       std::string_view key2Name) {
    std::string label = std::string(FunctionText(kFnComboKey, language)) + "-";
    bool first = true;
    auto append = [&](std::string_view part) {
        if (!first) label += '+';
        label += part;
        first = false;
    };
    if (ModifierBitFromName(modifierName) != 0) append(modifierName);
    if (KeyCodeFromName(key1Name) != 0) append(key1Name);
    if (KeyCodeFromName(key2Name) != 0) append(key2Name);
    return label;
}

void WriteFunctionParameters(ButtonSet& set, std::uint8_t (&dpiModes)[kButtonSlots], int slot,
                             const FunctionChoice& choice) {
    if (slot < 0 || slot >= kButtonSlots) return;
    if (const auto* dpi = std::get_if<DpiModeChoice>(&choice.parameters)) {
        dpiModes[slot] = dpi->mode;
    } else if (const auto* list = std::get_if<ListChoice>(&choice.parameters)) {
        if (choice.code == kFnLaunch) {
            set.launchIndex[slot] = Byte(list->row);
            set.launchCode[slot] = LaunchCodeFromRow(Byte(list->row));
            set.launchPage[slot] = LaunchPageFromRow(Byte(list->row));
        } else if (choice.code == kFnMultimedia) {
            set.mediaIndex[slot] = Byte(list->row);
            set.mediaCode[slot] = MediaCodeFromRow(Byte(list->row));
        }
    } else if (const auto* fire = std::get_if<FireKeyChoice>(&choice.parameters)) {
        set.fireIndex[slot] = Byte(fire->row);
        set.fireCode[slot] = FireKeyCodeFromRow(Byte(fire->row));
        set.fireSpeed[slot] = fire->speed;
        set.fireTimes[slot] = fire->times;
    } else if (const auto* single = std::get_if<SingleKeyChoice>(&choice.parameters)) {
        set.singleCode[slot] = KeyCodeFromName(single->keyName);
    } else if (const auto* combo = std::get_if<ComboKeyChoice>(&choice.parameters)) {
        set.comboModifiers[slot] = ModifierBitFromName(combo->modifierName);
        set.comboKey1[slot] = KeyCodeFromName(combo->key1Name);
        set.comboKey2[slot] = KeyCodeFromName(combo->key2Name);
    } else if (const auto* macro = std::get_if<MacroKeyChoice>(&choice.parameters)) {
        set.macroIndex[slot] = Byte(macro->index);
        // Without its options the dialog answers mode 0, stored as 255.
        set.macroMode[slot] = Byte(macro->repeatMode - 1);
    }
}

std::string FunctionLabel(const FunctionChoice& choice, UiLanguage language) {
    const int code = choice.code;
    if (const auto* dpi = std::get_if<DpiModeChoice>(&choice.parameters)) {
        return std::string(DpiSwitchModeName(dpi->mode));
    }
    if (const auto* list = std::get_if<ListChoice>(&choice.parameters)) {
        if (code == kFnLaunch) return list->text;
        if (code == kFnMultimedia) return Prefixed(code, language, list->text);
    }
    if (const auto* fire = std::get_if<FireKeyChoice>(&choice.parameters)) return Prefixed(code, language, fire->keyName);
    if (const auto* single = std::get_if<SingleKeyChoice>(&choice.parameters)) {
        return Prefixed(code, language, single->keyName);
    }
    if (const auto* combo = std::get_if<ComboKeyChoice>(&choice.parameters)) {
        return ComboLabel(language, combo->modifierName, combo->key1Name, combo->key2Name);
    }
    if (const auto* macro = std::get_if<MacroKeyChoice>(&choice.parameters)) return Prefixed(code, language, macro->name);
    return std::string(FunctionText(code, language));
}

FunctionChoice ReadFunctionChoice(const ButtonSet& set, const std::uint8_t (&dpiModes)[kButtonSlots], int slot,
                                  UiLanguage language) {
    FunctionChoice choice;
    if (slot < 0 || slot >= kButtonSlots) return choice;
    choice.code = set.function[slot];
    switch (choice.code) {
        case kFnDpiSwitch: choice.parameters = DpiModeChoice{dpiModes[slot]}; break;
        case kFnLaunch:
            choice.parameters = ListChoice{set.launchIndex[slot], RowText(LaunchTargetTexts(), set.launchIndex[slot], language)};
            break;
        case kFnMultimedia:
            choice.parameters = ListChoice{set.mediaIndex[slot], RowText(MediaKeyTexts(), set.mediaIndex[slot], language)};
            break;
        case kFnFireKey: {
            const auto rows = FireKeyTable();
            const std::uint8_t row = set.fireIndex[slot];
            choice.parameters = FireKeyChoice{row, row < rows.size() ? std::string(rows[row].name) : std::string(),
                                              set.fireSpeed[slot], set.fireTimes[slot]};
            break;
        }
        case kFnSingleKey: choice.parameters = SingleKeyChoice{std::string(KeyNameFromCode(set.singleCode[slot]))}; break;
        case kFnComboKey: {
            const std::uint8_t mask = set.comboModifiers[slot];
            std::string modifier;
            for (const NamedCode& entry : ModifierTable()) {
                if (entry.code == mask) modifier = std::string(entry.name);
            }
            choice.parameters = ComboKeyChoice{modifier, std::string(KeyNameFromCode(set.comboKey1[slot])),
                                               std::string(KeyNameFromCode(set.comboKey2[slot]))};
            break;
        }
        case kFnMacroKey:
            choice.parameters = MacroKeyChoice{set.macroIndex[slot], {}, Byte(set.macroMode[slot] + 1)};
            break;
        default: break;
    }
    return choice;
}

FunctionChoice InLanguage(FunctionChoice choice, UiLanguage language) {
    if (auto* list = std::get_if<ListChoice>(&choice.parameters)) {
        list->text = RowText(choice.code == kFnLaunch ? LaunchTargetTexts() : MediaKeyTexts(), list->row, language);
    }
    return choice;
}

}  // namespace kz7
