// The decoding of a config.bin that `kz7ctl show` prints.
#include "cli/config_show.h"

#include <cstdio>
#include <ostream>
#include <span>
#include <type_traits>

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

template <std::size_t N>
void JsonArray(std::ostream& out, const std::uint8_t (&values)[N]) {
    out << "[";
    for (std::size_t i = 0; i < N; ++i) out << (i ? "," : "") << int(values[i]);
    out << "]";
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
        out << "  stage " << stage + 1 << ": " << (c.dpiStageOn[stage] ? "on " : "off") << "  level "
            << int(c.dpiLevel[stage]) << " = " << (label.empty() ? std::string("no such level") : std::string(label) + " DPI")
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

void ShowConfigJson(std::ostream& out, const ConfigImage& image) {
    const DeviceConfig& c = image.config;
    out << "{\n  \"firstRunFlag\": " << int(image.firstRunFlag) << ",\n  \"buttons\": [";
    for (int mode = 0; mode < kButtonModes; ++mode) {
        const ButtonSet& b = c.buttons[mode];
        out << (mode ? ",\n" : "\n") << "    {";
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
        bool first = true;
        for (const auto& [name, values] : arrays) {
            out << (first ? "\n" : ",\n") << "      \"" << name << "\": ";
            JsonArray(out, *values);
            first = false;
        }
        out << ",\n      \"functionNames\": [";
        for (int slot = 0; slot < kButtonSlots; ++slot) {
            const std::uint8_t code = b.function[slot];
            out << (slot ? "," : "") << "\"" << (code == kFnNone ? "none" : FunctionText(code, UiLanguage::English))
                << "\"";
        }
        out << "]\n    }";
    }
    out << "\n  ],\n  \"macroImage\": [";
    for (int i = 0; i < kMacroCount; ++i) {
        out << (i ? ",\n    " : "\n    ");
        JsonArray(out, c.macroImage[i]);
    }
    out << "\n  ],\n";
    auto field = [&](const char* name, auto&& value) {
        out << "  \"" << name << "\": ";
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, std::uint8_t>) out << int(value);
        else JsonArray(out, value);
        out << ",\n";
    };
    field("reserved1920", c.reserved1920);
    field("reportRate", c.reportRate);
    out << "  \"reportRateHz\": " << ReportRateHz(c.reportRate) << ",\n";
    field("reserved1926", c.reserved1926);
    field("dpiLevel", c.dpiLevel);
    field("dpiStageOn", c.dpiStageOn);
    field("reserved1939", c.reserved1939);
    field("ledMode", c.ledMode);
    out << "  \"ledModeName\": \"" << LedModeText(c.ledMode, UiLanguage::English) << "\",\n";
    field("ledModeParam", c.ledModeParam);
    field("ledModeParam2", c.ledModeParam2);
    field("reserved1954", c.reserved1954);
    field("enhancePointerPrecision", c.enhancePointerPrecision);
    field("scrollOneScreen", c.scrollOneScreen);
    field("pointerSpeed", c.pointerSpeed);
    field("wheelScrollLines", c.wheelScrollLines);
    field("doubleClickSpeed", c.doubleClickSpeed);
    field("currentMode", c.currentMode);
    out << "  \"dpiSwitchMode\": [";
    JsonArray(out, c.dpiSwitchMode[0]);
    out << ",";
    JsonArray(out, c.dpiSwitchMode[1]);
    out << "],\n";
    field("loopColorOn", c.loopColorOn);
    out << "  \"loopColor\": [";
    for (int k = 0; k < kLoopColours; ++k) out << (k ? "," : "") << "\"" << ColourText(c.loopColor[k]) << "\"";
    out << "],\n";
    field("ledFlags", c.ledFlags);
    out << "  \"ledExtra\": ";
    JsonArray(out, c.ledExtra);
    out << "\n}\n";
}

}  // namespace kz7::cli
