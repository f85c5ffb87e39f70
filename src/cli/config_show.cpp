// The decoding of a config.bin that `kz7ctl show` prints.
#include "cli/config_show.h"

#include <cstdio>
#include <ostream>
#include <span>
#include <type_traits>

#include <nlohmann/json.hpp>

#include "config/record_labels.h"
#include "device/dpi_tables.h"
#include "keys/button_functions.h"
#include "keys/key_codes.h"
#include "locale/strings.h"

namespace kz7::cli {

namespace {

std::string KeyText(std::uint8_t code) {
    const auto name = KeyNameFromCode(code);
    if (!name.empty()) return std::string(name);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "key 0x%02x", code);
    return buffer;
}

std::string Hex2(unsigned value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02x", value & 0xFFu);
    return buffer;
}

// " (Mail, usage 0x018a)": the row's text of a key list when the row is in
// the list, and the consumer usage the mouse sends.
std::string ListChoiceText(std::span<const UiText> rows, std::uint8_t row, const std::string& usage) {
    std::string text = " (";
    if (row < rows.size()) text += std::string(Text(rows[row], UiLanguage::English)) + ", ";
    return text + "usage " + usage + ")";
}

// What a slot does, in words: "Combo Key (Left Ctrl + C)".
std::string DescribeSlot(const DeviceConfig& config, int mode, int slot) {
    const ButtonSet& set = config.buttons[mode];
    const std::uint8_t code = set.function[slot];
    if (code == kFnNone) return "none";
    const auto name = FunctionText(code, UiLanguage::English);
    if (name.empty()) return "unknown function " + std::to_string(code) + " (does nothing)";
    std::string text(name);
    switch (code) {
        case kFnDpiSwitch: {
            const auto dpi = DpiSwitchModeName(config.dpiSwitchMode[mode][slot]);
            text += " (" + (dpi.empty() ? std::string("no direction chosen") : std::string(dpi)) + ")";
            break;
        }
        case kFnLaunch:
            text += ListChoiceText(LaunchTargetTexts(), set.launchIndex[slot],
                                   Hex2(set.launchPage[slot]) + Hex2(set.launchCode[slot]).substr(2));
            break;
        case kFnMultimedia:
            text += ListChoiceText(MediaKeyTexts(), set.mediaIndex[slot], Hex2(set.mediaCode[slot]));
            break;
        case kFnFireKey:
            text += " (" + KeyText(set.fireCode[slot]) + ", speed " + std::to_string(set.fireSpeed[slot]) +
                    ", " + std::to_string(set.fireTimes[slot]) + " times)";
            break;
        case kFnSingleKey: text += " (" + KeyText(set.singleCode[slot]) + ")"; break;
        case kFnComboKey: {
            std::string keys;
            const auto modifiers = ModifierNames(set.comboModifiers[slot]);
            if (!modifiers.empty()) keys = modifiers;
            for (std::uint8_t key : {set.comboKey1[slot], set.comboKey2[slot]}) {
                if (!key) continue;
                if (!keys.empty()) keys += " + ";
                keys += KeyText(key);
            }
            text += " (" + (keys.empty() ? std::string("no keys") : keys) + ")";
            break;
        }
        case kFnMacroKey:
            text += " (macro " + std::to_string(set.macroIndex[slot] + 1) + ", repeat mode " +
                    std::to_string(set.macroMode[slot] + 1) + ")";
            break;
        default: break;
    }
    return text;
}

std::string ColourText(const std::uint8_t (&rgb)[3]) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", rgb[0], rgb[1], rgb[2]);
    return buffer;
}

std::size_t MacroBytesUsed(const std::uint8_t (&block)[kMacroImageSize]) {
    for (std::size_t i = kMacroImageSize; i > 2; --i) {
        if (block[i - 1]) return i - 2;
    }
    return 0;
}

}  // namespace

void ShowConfigText(std::ostream& out, const std::filesystem::path& path, const ConfigImage& image,
              std::uint8_t sensor) {
    const DeviceConfig& c = image.config;
    out << "File: " << path.string() << "\n";
    out << "First-run flag: " << int(image.firstRunFlag)
        << (image.firstRunFlag ? " (saved by kz7)" : " (never saved: default texts not written yet)") << "\n";
    out << "Current mode: " << (c.currentMode == 1 ? "Mode B" : "Mode A");
    if (c.currentMode > 1) out << " (stored value " << int(c.currentMode) << ")";
    out << "\n\n";
    for (int mode = 0; mode < kButtonModes; ++mode) {
        out << (mode == 0 ? "Mode A" : "Mode B") << " buttons:\n";
        for (int slot = 0; slot < kButtonSlots; ++slot) {
            out << "  button " << slot + 1 << (slot < 9 ? ":  " : ": ") << DescribeSlot(c, mode, slot);
            if (slot >= 10) out << "  [stored only, never sent]";
            out << "\n";
        }
    }
    const int hz = ReportRateHz(c.reportRate);
    out << "\nReport rate: ";
    if (hz) out << hz << " Hz\n";
    else out << "unset (" << int(c.reportRate) << ")\n";

    out << "\nDPI stages (labels for sensor type " << int(sensor) << "):\n";
    for (int stage = 0; stage < kDpiStages; ++stage) {
        const auto label = DpiLabelFor(sensor, c.dpiLevel[stage]);
        // Levels count from 1, as the slider's cells (and `kz7ctl set dpi --level`) do.
        out << "  stage " << stage + 1 << ": " << (c.dpiStageOn[stage] ? "on " : "off") << "  level "
            << int(c.dpiLevel[stage]) + 1 << " = " << (label.empty() ? std::string("no such level") : std::string(label) + " DPI")
            << "\n";
    }

    out << "\nLighting: ";
    const auto modeName = LedModeText(c.ledMode, UiLanguage::English);
    if (modeName.empty()) out << "unknown mode " << int(c.ledMode) << "\n";
    else {
        out << modeName;
        if (c.ledMode >= 1 && c.ledMode <= 3) out << ", " << LedParamLabel(c.ledMode, c.ledModeParam[c.ledMode - 1]);
        out << "\n";
    }
    for (std::uint8_t mode = 1; mode <= 3; ++mode) {
        const auto label = LedParamLabel(mode, c.ledModeParam[mode - 1]);
        out << "  " << LedModeText(mode, UiLanguage::English) << " parameter: "
            << (label.empty() ? "index " + std::to_string(c.ledModeParam[mode - 1]) : label)
            << " (second parameter " << int(c.ledModeParam2[mode - 1]) << ")\n";
    }
    out << "  Loop colours:";
    for (int k = 0; k < kLoopColours; ++k) {
        out << " " << k + 1 << ":" << ColourText(c.loopColor[k]) << (c.loopColorOn[k] ? "(on)" : "(off)");
    }
    out << "\n  DPI stage LEDs:";
    for (int g = 0; g < kDpiStages; ++g) {
        out << " stage " << g + 1 << " [";
        for (int t = 0; t < 3; ++t) out << (LedToggle(c, g, t) ? '1' : '0');
        out << "]";
    }
    out << "\n\nPointer: speed " << int(c.pointerSpeed) << ", enhance pointer precision "
        << (c.enhancePointerPrecision ? "on" : "off") << ", wheel "
        << (c.scrollOneScreen ? std::string("one screen per notch")
                              : std::to_string(c.wheelScrollLines) + " lines per notch")
        << ", double-click speed " << int(c.doubleClickSpeed) << "\n";

    out << "\nMacro blocks:\n";
    for (int i = 0; i < kMacroCount; ++i) {
        const auto& block = c.macroImage[i];
        const unsigned loops = block[0] * 256u + block[1];
        const auto used = MacroBytesUsed(block);
        out << "  block " << i + 1 << ": ";
        if (!loops && !used) out << "empty\n";
        else out << "loop count " << loops << ", " << used << " of 126 event bytes used\n";
    }
}

// Byte arrays as arrays of numbers, not of characters.
namespace {

template <std::size_t N>
nlohmann::ordered_json Numbers(const std::uint8_t (&values)[N]) {
    nlohmann::ordered_json array = nlohmann::ordered_json::array();
    for (std::uint8_t value : values) array.push_back(int(value));
    return array;
}

nlohmann::ordered_json ButtonSetJson(const ButtonSet& b) {
    nlohmann::ordered_json set;
    const std::pair<const char*, const std::uint8_t (*)[kButtonSlots]> arrays[] = {
        {"function", &b.function},         {"mediaIndex", &b.mediaIndex},
        {"mediaCode", &b.mediaCode},       {"launchIndex", &b.launchIndex},
        {"launchCode", &b.launchCode},     {"launchPage", &b.launchPage},
        {"fireIndex", &b.fireIndex},       {"fireCode", &b.fireCode},
        {"fireSpeed", &b.fireSpeed},       {"fireTimes", &b.fireTimes},
        {"singleCode", &b.singleCode},     {"comboModifiers", &b.comboModifiers},
        {"comboKey1", &b.comboKey1},       {"comboKey2", &b.comboKey2},
        {"macroIndex", &b.macroIndex},     {"macroMode", &b.macroMode},
    };
    for (const auto& [name, values] : arrays) set[name] = Numbers(*values);
    nlohmann::ordered_json names = nlohmann::ordered_json::array();
    for (std::uint8_t code : b.function) {
        names.push_back(code == kFnNone ? std::string("none") : std::string(FunctionText(code, UiLanguage::English)));
    }
    set["functionNames"] = std::move(names);
    return set;
}

}  // namespace

void ShowConfigJson(std::ostream& out, const ConfigImage& image) {
    const DeviceConfig& c = image.config;
    nlohmann::ordered_json json;
    json["firstRunFlag"] = int(image.firstRunFlag);
    json["buttons"] = nlohmann::ordered_json::array();
    for (const ButtonSet& set : c.buttons) json["buttons"].push_back(ButtonSetJson(set));
    json["macroImage"] = nlohmann::ordered_json::array();
    for (const auto& block : c.macroImage) json["macroImage"].push_back(Numbers(block));
    json["reserved1920"] = Numbers(c.reserved1920);
    json["reportRate"] = int(c.reportRate);
    json["reportRateHz"] = ReportRateHz(c.reportRate);
    json["reserved1926"] = int(c.reserved1926);
    json["dpiLevel"] = Numbers(c.dpiLevel);
    json["dpiStageOn"] = Numbers(c.dpiStageOn);
    json["reserved1939"] = Numbers(c.reserved1939);
    json["ledMode"] = int(c.ledMode);
    json["ledModeName"] = std::string(LedModeText(c.ledMode, UiLanguage::English));
    json["ledModeParam"] = Numbers(c.ledModeParam);
    json["ledModeParam2"] = Numbers(c.ledModeParam2);
    json["reserved1954"] = int(c.reserved1954);
    json["enhancePointerPrecision"] = int(c.enhancePointerPrecision);
    json["scrollOneScreen"] = int(c.scrollOneScreen);
    json["pointerSpeed"] = int(c.pointerSpeed);
    json["wheelScrollLines"] = int(c.wheelScrollLines);
    json["doubleClickSpeed"] = int(c.doubleClickSpeed);
    json["currentMode"] = int(c.currentMode);
    json["dpiSwitchMode"] = {Numbers(c.dpiSwitchMode[0]), Numbers(c.dpiSwitchMode[1])};
    json["loopColorOn"] = Numbers(c.loopColorOn);
    json["loopColor"] = nlohmann::ordered_json::array();
    for (const auto& colour : c.loopColor) json["loopColor"].push_back(ColourText(colour));
    json["ledFlags"] = Numbers(c.ledFlags);
    json["ledExtra"] = Numbers(c.ledExtra);
    out << json.dump(2) << "\n";
}


}  // namespace kz7::cli
