#include "platform/json/profile_json.h"

#include <algorithm>
#include <functional>

#include <nlohmann/json.hpp>

#include "config/record_labels.h"
#include "device/dpi_tables.h"
#include "device/hex_format.h"
#include "keys/button_functions.h"
#include "keys/key_codes.h"
#include "locale/strings.h"
#include "macros/macro_blocks.h"
#include "macros/macro_store.h"
#include "pages/basic_page_model.h"
#include "pointer/pointer_settings.h"
#include "profile/setting_edits.h"
#include "profile/setting_words.h"

namespace kz7 {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kModeKeys[kButtonModes] = {"A", "B"};
constexpr std::string_view kLanguageKeys[] = {"en", "chs", "cht"};
// Parameter names of a button slot, each holding the one word its function takes.
constexpr std::string_view kArgumentKeys[] = {"direction", "entry", "key", "keys", "macro"};

std::string Hex(const std::uint8_t* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::string ColourText(const std::uint8_t (&rgb)[3]) { return "#" + Hex(rgb, 3); }

// A text that str.ini or record.ini can keep on one line as it is.
bool OneLine(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r' || c == '\0'; });
}

// ---- Export -------------------------------------------------------------------

std::string_view ArgumentKeyOf(int code) {
    switch (code) {
        case kFnDpiSwitch: return "direction";
        case kFnLaunch:
        case kFnMultimedia: return "entry";
        case kFnFireKey:
        case kFnSingleKey: return "key";
        case kFnComboKey: return "keys";
        case kFnMacroKey: return "macro";
        default: return {};
    }
}

std::string ComboKeysText(const ComboKeyChoice& combo) {
    std::string text;
    for (const std::string* part : {&combo.modifierName, &combo.key1Name, &combo.key2Name}) {
        if (part->empty()) continue;
        if (!text.empty()) text += "+";
        text += *part;
    }
    return text;
}

Json SlotJson(const DeviceConfig& config, int mode, int slot, const std::vector<ProfileMacro>& macros) {
    const FunctionChoice choice =
        ReadFunctionChoice(config.buttons[mode], config.dpiSwitchMode[mode], slot, UiLanguage::English);
    Json json = Json::object();
    if (choice.code >= kFnNone) {
        json["code"] = choice.code;
        return json;
    }
    json["function"] = std::string(FunctionText(choice.code, UiLanguage::English));
    const std::string_view key = ArgumentKeyOf(choice.code);
    auto put = [&](const std::string& value) {
        if (!value.empty()) json[std::string(key)] = value;
    };
    if (const auto* dpi = std::get_if<DpiModeChoice>(&choice.parameters)) put(std::string(DpiSwitchModeName(dpi->mode)));
    if (const auto* list = std::get_if<ListChoice>(&choice.parameters)) put(list->text);
    if (const auto* fire = std::get_if<FireKeyChoice>(&choice.parameters)) {
        put(fire->keyName);
        json["speed"] = fire->speed;
        json["times"] = fire->times;
    }
    if (const auto* single = std::get_if<SingleKeyChoice>(&choice.parameters)) put(single->keyName);
    if (const auto* combo = std::get_if<ComboKeyChoice>(&choice.parameters)) put(ComboKeysText(*combo));
    if (const auto* macro = std::get_if<MacroKeyChoice>(&choice.parameters)) {
        if (macro->index >= 0 && static_cast<std::size_t>(macro->index) < macros.size() && macro->index < kMacroCount) {
            put(macros[static_cast<std::size_t>(macro->index)].name);
        }
        json["repeat"] = macro->repeatMode;
    }
    return json;
}

Json ButtonsJson(const DeviceConfig& config, const std::vector<ProfileMacro>& macros) {
    Json json = Json::object();
    for (int mode = 0; mode < kButtonModes; ++mode) {
        Json slots = Json::array();
        for (int slot = 0; slot < kButtonSlots; ++slot) slots.push_back(SlotJson(config, mode, slot, macros));
        json[std::string(kModeKeys[mode])] = slots;
    }
    return json;
}

Json LabelsJson(const std::array<ButtonLabels, kProfileLanguages.size()>& labels) {
    Json json = Json::object();
    for (std::size_t language = 0; language < kProfileLanguages.size(); ++language) {
        Json modes = Json::object();
        for (int mode = 0; mode < kButtonModes; ++mode) {
            Json texts = Json::array();
            for (int slot = 0; slot < kWrittenLabelSlots; ++slot) {
                texts.push_back(labels[language].text[static_cast<std::size_t>(mode)][static_cast<std::size_t>(slot)]);
            }
            modes[std::string(kModeKeys[mode])] = texts;
        }
        json[std::string(kLanguageKeys[language])] = modes;
    }
    return json;
}

Json ReportRateJson(const DeviceConfig& config) {
    if (const int hz = ReportRateHz(config.reportRate)) return hz;
    return Json{{"interval", config.reportRate}};
}

Json DpiStagesJson(const DeviceConfig& config, std::uint8_t sensorType) {
    Json stages = Json::array();
    for (int stage = 0; stage < kDpiStages; ++stage) {
        Json json = Json::object();
        json["level"] = config.dpiLevel[stage] + 1;
        const auto label = DpiLabelFor(sensorType, config.dpiLevel[stage]);
        if (!label.empty()) json["dpi"] = std::string(label);
        json["on"] = config.dpiStageOn[stage] != 0;
        stages.push_back(json);
    }
    return stages;
}

Json LightingJson(const DeviceConfig& config) {
    Json json = Json::object();
    const auto mode = LedModeText(config.ledMode, UiLanguage::English);
    json["mode"] = mode.empty() ? Json(config.ledMode) : Json(std::string(mode));
    Json parameters = Json::object();
    for (std::uint8_t m = 1; m <= 3; ++m) {
        const std::string label = LedParamLabel(m, config.ledModeParam[m - 1]);
        parameters[std::string(LedModeText(m, UiLanguage::English))] =
            label.empty() ? Json(config.ledModeParam[m - 1]) : Json(label);
    }
    json["parameters"] = parameters;
    Json colours = Json::array();
    for (int k = 0; k < kLoopColours; ++k) {
        colours.push_back(Json{{"colour", ColourText(config.loopColor[k])}, {"on", config.loopColorOn[k] != 0}});
    }
    json["loopColours"] = colours;
    Json leds = Json::array();
    for (int stage = 0; stage < kDpiStages; ++stage) {
        std::array<bool, kLedTogglesPerStage> lit{};
        for (int t = 0; t < kLedTogglesPerStage; ++t) lit[static_cast<std::size_t>(t)] = LedToggle(config, stage, t);
        leds.push_back(LedLetters(lit));
    }
    json["dpiStageLeds"] = leds;
    return json;
}

Json PointerJson(const DeviceConfig& config) {
    return Json{{"speed", config.pointerSpeed},
                {"wheel", config.wheelScrollLines},
                {"doubleClick", config.doubleClickSpeed},
                {"precision", config.enhancePointerPrecision != 0},
                {"oneScreen", config.scrollOneScreen != 0}};
}

Json MacrosJson(const std::vector<ProfileMacro>& macros) {
    Json json = Json::array();
    for (std::size_t i = 0; i < macros.size(); ++i) {
        Json macro{{"name", macros[i].name}, {"lines", macros[i].lines}};
        if (i < static_cast<std::size_t>(kMacroCount)) macro["loops"] = macros[i].loops;
        json.push_back(macro);
    }
    return json;
}

Json SkinJson(const SkinSettings& skin) {
    const std::uint8_t rgb[3] = {skin.textColour.red, skin.textColour.green, skin.textColour.blue};
    return Json{{"name", skin.skinName}, {"textColour", "#" + Hex(rgb, 3)}};
}

Json ProfileDocument(const ProfileState& state, std::uint8_t sensorType) {
    Json json = Json::object();
    json["kz7Profile"] = kProfileFormatVersion;
    json["mode"] = state.config.currentMode == 1 ? "B" : state.config.currentMode == 0 ? Json("A") : Json(state.config.currentMode);
    json["buttons"] = ButtonsJson(state.config, state.macros);
    json["labels"] = LabelsJson(state.labels);
    json["reportRateHz"] = ReportRateJson(state.config);
    json["sensorType"] = sensorType;
    json["dpiStages"] = DpiStagesJson(state.config, sensorType);
    json["lighting"] = LightingJson(state.config);
    json["pointer"] = PointerJson(state.config);
    json["macros"] = MacrosJson(state.macros);
    json["skin"] = SkinJson(state.skin);
    const auto bytes = ConfigBytes(state.config);
    json["raw"] = Hex(bytes.data(), bytes.size());
    return json;
}

// ---- Import -------------------------------------------------------------------

std::string Pointer(std::string_view parent, std::string_view key) { return std::string(parent) + "/" + std::string(key); }
std::string Pointer(std::string_view parent, std::size_t index) { return std::string(parent) + "/" + std::to_string(index); }

std::string TypeName(const Json& json) {
    if (json.is_null()) return "null";
    if (json.is_boolean()) return "a boolean";
    if (json.is_number()) return "a number";
    if (json.is_string()) return "a string";
    if (json.is_array()) return "an array";
    return "an object";
}

class Importer {
public:
    Importer(const Json& document, const ProfileState& current) : doc_(document), state_(current) {}

    ImportedProfile Run() {
        ImportedProfile result;
        if (!doc_.is_object()) {
            Problem("", "a profile is a JSON object, not " + TypeName(doc_));
            return Finish(result);
        }
        static constexpr std::string_view kKeys[] = {"kz7Profile", "program", "mode", "buttons", "labels",
                                                     "reportRateHz", "sensorType", "dpiStages", "lighting",
                                                     "pointer", "macros", "skin", "raw"};
        for (const auto& [key, value] : doc_.items()) {
            if (std::find(std::begin(kKeys), std::end(kKeys), key) == std::end(kKeys)) {
                Problem(Pointer("", key), "unknown member \"" + key + "\"");
            }
        }
        const Json* version = Member(doc_, "kz7Profile");
        if (!version) {
            Problem("/kz7Profile", "missing: a kz7 profile starts with \"kz7Profile\": " + std::to_string(kProfileFormatVersion));
        } else if (!version->is_number_integer() || version->get<long long>() != kProfileFormatVersion) {
            Problem("/kz7Profile", "this kz7 reads profile version " + std::to_string(kProfileFormatVersion) + ", not " + version->dump());
        }
        if (const Json* raw = Member(doc_, "raw")) ReadRaw(*raw);
        if (const Json* sensor = Member(doc_, "sensorType")) {
            if (const auto type = Integer(*sensor, "/sensorType", 0, kKnownSensorTypes - 1)) sensorType_ = static_cast<std::uint8_t>(*type);
        }
        // What the document would say of the record it starts from: a member
        // equal to this changes nothing.
        if (const Json* macros = Member(doc_, "macros")) ReadMacros(*macros);
        base_ = ProfileDocument(state_, sensorType_);

        ReadSection("mode", [this](const Json& json) { ReadMode(json); });
        ReadSection("labels", [this](const Json& json) { ReadLabels(json); });
        ReadSection("buttons", [this](const Json& json) { ReadButtons(json); });
        ReadSection("reportRateHz", [this](const Json& json) { ReadReportRate(json); });
        ReadSection("dpiStages", [this](const Json& json) { ReadDpiStages(json); });
        ReadSection("lighting", [this](const Json& json) { ReadLighting(json); });
        ReadSection("pointer", [this](const Json& json) { ReadPointer(json); });
        ReadSection("skin", [this](const Json& json) { ReadSkin(json); });
        if (macrosGiven_) RebuildProfileBlocks(state_, &cut_);
        return Finish(result);
    }

private:
    void Problem(std::string path, std::string message) { problems_.push_back({std::move(path), std::move(message)}); }

    ImportedProfile Finish(ImportedProfile& result) {
        result.problems = problems_;
        result.cutMacros = cut_;
        if (problems_.empty()) result.state = state_;
        return result;
    }

    const Json* Member(const Json& object, std::string_view key) {
        if (!object.is_object()) return nullptr;
        const auto it = object.find(std::string(key));
        return it == object.end() ? nullptr : &*it;
    }

    // Members of an object: unknown ones are problems.
    bool Object(const Json& json, const std::string& path, std::initializer_list<std::string_view> keys) {
        if (!json.is_object()) {
            Problem(path, "expected an object, found " + TypeName(json));
            return false;
        }
        for (const auto& [key, value] : json.items()) {
            if (std::find(keys.begin(), keys.end(), key) == keys.end()) Problem(Pointer(path, key), "unknown member \"" + key + "\"");
        }
        return true;
    }

    std::optional<long long> Integer(const Json& json, const std::string& path, long long lo, long long hi) {
        if (!json.is_number_integer() || json.get<long long>() < lo || json.get<long long>() > hi) {
            Problem(path, "expected a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) + ", found " + json.dump());
            return std::nullopt;
        }
        return json.get<long long>();
    }

    std::optional<std::string> String(const Json& json, const std::string& path) {
        if (!json.is_string()) {
            Problem(path, "expected a string, found " + TypeName(json));
            return std::nullopt;
        }
        return json.get<std::string>();
    }

    std::optional<bool> Boolean(const Json& json, const std::string& path) {
        if (!json.is_boolean()) {
            Problem(path, "expected true or false, found " + TypeName(json));
            return std::nullopt;
        }
        return json.get<bool>();
    }

    // The array at `path` with exactly `count` entries (at most, when `upTo`).
    bool Array(const Json& json, const std::string& path, std::size_t count, bool upTo = false) {
        if (!json.is_array()) {
            Problem(path, "expected an array, found " + TypeName(json));
            return false;
        }
        if (upTo ? json.size() > count : json.size() != count) {
            Problem(path, "expected " + std::string(upTo ? "at most " : "") + std::to_string(count) + " entries, found " +
                              std::to_string(json.size()));
            return false;
        }
        return true;
    }

    template <typename Read>
    void ReadSection(std::string_view key, Read read) {
        const Json* json = Member(doc_, key);
        if (!json || *json == base_[std::string(key)]) return;
        read(*json);
    }

    const Json& Base(std::initializer_list<std::string_view> path) const {
        static const Json kNull;
        const Json* at = &base_;
        for (std::string_view step : path) {
            if (!at->is_object() || !at->contains(std::string(step))) return kNull;
            at = &(*at)[std::string(step)];
        }
        return *at;
    }

    void ReadRaw(const Json& json) {
        const auto text = String(json, "/raw");
        if (!text) return;
        const auto bytes = ParseHexBytes(*text, kDeviceConfigSize);
        if (!bytes) {
            Problem("/raw", "expected the record's " + std::to_string(kDeviceConfigSize) + " bytes as " +
                                std::to_string(2 * kDeviceConfigSize) + " hex digits");
            return;
        }
        state_.config = ConfigFromBytes(reinterpret_cast<const std::uint8_t*>(bytes->data()));
        // The current macros keep their names, so macro buttons read the same.
        for (std::size_t i = 0; i < state_.macros.size() && i < static_cast<std::size_t>(kMacroCount); ++i) {
            state_.macros[i].loops = MacroLoopCount(state_.config, static_cast<int>(i));
        }
    }

    void ReadMode(const Json& json) {
        if (json == "A" || json == "B") {
            state_.config.currentMode = json == "A" ? 0 : 1;
        } else {
            Problem("/mode", "expected \"A\" or \"B\", found " + json.dump());
        }
    }

    void ReadLabels(const Json& json) {
        if (!Object(json, "/labels", {"en", "chs", "cht"})) return;
        for (std::size_t language = 0; language < kProfileLanguages.size(); ++language) {
            const std::string key(kLanguageKeys[language]);
            const Json* modes = Member(json, key);
            if (!modes) continue;
            const std::string path = "/labels/" + key;
            if (!Object(*modes, path, {"A", "B"})) continue;
            for (int mode = 0; mode < kButtonModes; ++mode) {
                const Json* texts = Member(*modes, kModeKeys[mode]);
                if (!texts) continue;
                const std::string textsPath = Pointer(path, kModeKeys[mode]);
                if (!Array(*texts, textsPath, kWrittenLabelSlots, true)) continue;
                for (std::size_t slot = 0; slot < texts->size(); ++slot) {
                    const auto text = String((*texts)[slot], Pointer(textsPath, slot));
                    if (!text) continue;
                    if (!OneLine(*text)) Problem(Pointer(textsPath, slot), "a label is one line of text");
                    state_.labels[language].text[static_cast<std::size_t>(mode)][slot] = *text;
                }
            }
        }
    }

    void ReadButtons(const Json& json) {
        if (!Object(json, "/buttons", {"A", "B"})) return;
        std::vector<std::string> macroNames;
        for (std::size_t i = 0; i < state_.macros.size() && i < static_cast<std::size_t>(kMacroCount); ++i) {
            macroNames.push_back(state_.macros[i].name);
        }
        for (int mode = 0; mode < kButtonModes; ++mode) {
            const std::string modeKey(kModeKeys[mode]);
            const Json* slots = Member(json, modeKey);
            if (!slots) continue;
            const std::string path = "/buttons/" + modeKey;
            if (!Array(*slots, path, kButtonSlots, true)) continue;
            bool changed = false;
            for (std::size_t slot = 0; slot < slots->size(); ++slot) {
                const Json& wanted = (*slots)[slot];
                if (wanted == Base({"buttons", modeKey})[slot]) continue;
                changed = true;
                ReadSlot(wanted, Pointer(path, slot), mode, static_cast<int>(slot), macroNames);
            }
            const ButtonSet& set = state_.config.buttons[mode];
            if (changed && std::none_of(std::begin(set.function), std::end(set.function),
                                        [](std::uint8_t code) { return code == kFnLeftClick; })) {
                Problem(path, std::string(Text(UiText::LeftKeyMustBeSelected, UiLanguage::English)) + " (no button of Mode " +
                                  modeKey + " is the left click)");
            }
        }
    }

    void ReadSlot(const Json& json, const std::string& path, int mode, int slot, const std::vector<std::string>& macroNames) {
        if (!Object(json, path, {"function", "code", "direction", "entry", "key", "keys", "macro", "speed", "times", "repeat"})) return;
        ButtonSet& set = state_.config.buttons[mode];
        if (const Json* code = Member(json, "code"); code && !json.contains("function")) {
            if (const auto value = Integer(*code, Pointer(path, "code"), 0, 255)) set.function[slot] = static_cast<std::uint8_t>(*value);
            return;
        }
        const Json* function = Member(json, "function");
        if (!function) {
            Problem(path, "missing \"function\"");
            return;
        }
        FunctionRequest request;
        if (const auto name = String(*function, Pointer(path, "function"))) request.function = *name;
        else return;
        for (std::string_view key : kArgumentKeys) {
            const Json* argument = Member(json, key);
            if (!argument) continue;
            if (request.argument) {
                Problem(Pointer(path, key), "a button takes one of \"direction\", \"entry\", \"key\", \"keys\" and \"macro\"");
                return;
            }
            const auto text = String(*argument, Pointer(path, key));
            if (!text) return;
            request.argument = *text;
        }
        auto number = [&](std::string_view key, std::optional<std::string>& into) {
            if (const Json* value = Member(json, key)) into = value->is_number_integer() ? std::to_string(value->get<long long>()) : value->dump();
        };
        number("speed", request.speed);
        number("times", request.times);
        number("repeat", request.repeat);
        std::string problem;
        const auto choice = ResolveFunction(request, macroNames, UiLanguage::English, problem);
        if (!choice) {
            Problem(path, problem);
            return;
        }
        const std::string_view argumentKey = ArgumentKeyOf(choice->code);
        if (request.argument && !argumentKey.empty() && !json.contains(std::string(argumentKey))) {
            Problem(path, std::string(FunctionText(choice->code, UiLanguage::English)) + " takes \"" + std::string(argumentKey) + "\"");
            return;
        }
        std::array<std::string, kProfileLanguages.size()> oldLabels;
        for (std::size_t language = 0; language < kProfileLanguages.size(); ++language) {
            oldLabels[language] = SlotLabel(mode, slot, kProfileLanguages[language]);
        }
        set.function[slot] = static_cast<std::uint8_t>(choice->code);
        WriteFunctionParameters(set, state_.config.dpiSwitchMode[mode], slot, *choice);
        // A button given a new function shows its new label, unless the
        // document gives it a label of its own (neither empty nor the one
        // its old function showed).
        if (slot >= kWrittenLabelSlots) return;
        for (std::size_t language = 0; language < kProfileLanguages.size(); ++language) {
            std::string& label = state_.labels[language].text[static_cast<std::size_t>(mode)][static_cast<std::size_t>(slot)];
            if (!label.empty() && label != oldLabels[language]) continue;
            label = FunctionLabel(InLanguage(*choice, kProfileLanguages[language]), kProfileLanguages[language]);
        }
    }

    // The label the window would give the slot's present function.
    std::string SlotLabel(int mode, int slot, UiLanguage language) const {
        FunctionChoice choice =
            ReadFunctionChoice(state_.config.buttons[mode], state_.config.dpiSwitchMode[mode], slot, language);
        if (choice.code >= kFnNone) return {};
        if (auto* macro = std::get_if<MacroKeyChoice>(&choice.parameters)) {
            if (macro->index >= 0 && static_cast<std::size_t>(macro->index) < state_.macros.size()) {
                macro->name = state_.macros[static_cast<std::size_t>(macro->index)].name;
            }
        }
        return FunctionLabel(choice, language);
    }

    void ReadReportRate(const Json& json) {
        for (const ReportRateChoice& rate : kReportRates) {
            if (json.is_number_integer() && json.get<long long>() == rate.hz) {
                state_.config.reportRate = rate.intervalMs;
                return;
            }
        }
        Problem("/reportRateHz", "expected 125, 250, 500 or 1000, found " + json.dump());
    }

    void ReadDpiStages(const Json& json) {
        if (!Array(json, "/dpiStages", kDpiStages)) return;
        const std::vector<std::string> offered = OfferedDpiLabels(sensorType_);
        const int levels = static_cast<int>(offered.size());
        for (std::size_t stage = 0; stage < json.size(); ++stage) {
            const Json& wanted = json[stage];
            const std::string path = Pointer("/dpiStages", stage);
            const Json& base = Base({"dpiStages"})[stage];
            if (wanted == base || !Object(wanted, path, {"level", "dpi", "on"})) continue;
            const Json* dpi = Member(wanted, "dpi");
            const Json* level = Member(wanted, "level");
            if (dpi && (!base.contains("dpi") || *dpi != base["dpi"])) {
                const auto label = String(*dpi, Pointer(path, "dpi"));
                std::optional<int> found;
                if (label) {
                    const auto at = std::find(offered.begin(), offered.end(), *label);
                    if (at != offered.end()) found = static_cast<int>(at - offered.begin());
                    else Problem(Pointer(path, "dpi"), "sensor type " + std::to_string(sensorType_) + " offers " + JoinedList(offered) + ", not " + dpi->dump());
                }
                if (found) state_.config.dpiLevel[stage] = static_cast<std::uint8_t>(*found);
            } else if (level && *level != base["level"]) {
                if (const auto value = Integer(*level, Pointer(path, "level"), 1, levels)) {
                    state_.config.dpiLevel[stage] = static_cast<std::uint8_t>(*value - 1);
                }
            }
            if (const Json* on = Member(wanted, "on"); on && *on != base["on"]) {
                if (const auto value = Boolean(*on, Pointer(path, "on"))) state_.config.dpiStageOn[stage] = *value ? 1 : 0;
            }
        }
        const std::uint8_t* on = state_.config.dpiStageOn;
        if (std::none_of(on, on + std::size(state_.config.dpiStageOn), [](std::uint8_t b) { return b == 1; })) {
            Problem("/dpiStages", "one DPI stage must stay on: the mouse needs a stage to switch to");
        }
    }

    void ReadLighting(const Json& json) {
        const std::string path = "/lighting";
        if (!Object(json, path, {"mode", "parameters", "loopColours", "dpiStageLeds"})) return;
        DeviceConfig& config = state_.config;
        if (const Json* mode = Member(json, "mode"); mode && *mode != Base({"lighting", "mode"})) {
            std::optional<int> found;
            for (int m = 0; m <= 3; ++m) {
                if (mode->is_string() && LedModeText(m, UiLanguage::English) == mode->get<std::string>()) found = m;
            }
            if (found) config.ledMode = static_cast<std::uint8_t>(*found);
            else Problem(Pointer(path, "mode"), "expected \"Off Mode\", \"Standard Mode\", \"Respiration Mode\" or \"Neon Mode\", found " + mode->dump());
        }
        if (const Json* parameters = Member(json, "parameters")) {
            const std::string parametersPath = Pointer(path, "parameters");
            if (Object(*parameters, parametersPath, {"Standard Mode", "Respiration Mode", "Neon Mode"})) {
                for (std::uint8_t m = 1; m <= 3; ++m) {
                    const std::string name(LedModeText(m, UiLanguage::English));
                    const Json* wanted = Member(*parameters, name);
                    if (!wanted || *wanted == Base({"lighting", "parameters", name})) continue;
                    std::vector<std::string> labels;
                    std::optional<int> found;
                    for (int p = 0; p < LedParamCount(m); ++p) {
                        labels.push_back(LedParamLabel(m, static_cast<std::uint8_t>(p)));
                        if (wanted->is_string() && labels.back() == wanted->get<std::string>()) found = p;
                    }
                    if (found) config.ledModeParam[m - 1] = static_cast<std::uint8_t>(*found);
                    else Problem(Pointer(parametersPath, name), name + " takes " + JoinedList(labels) + ", not " + wanted->dump());
                }
            }
        }
        if (const Json* colours = Member(json, "loopColours")) {
            const std::string coloursPath = Pointer(path, "loopColours");
            if (Array(*colours, coloursPath, kLoopColours)) {
                for (std::size_t k = 0; k < colours->size(); ++k) {
                    const std::string entryPath = Pointer(coloursPath, k);
                    const Json& entry = (*colours)[k];
                    if (entry == Base({"lighting", "loopColours"})[k] || !Object(entry, entryPath, {"colour", "on"})) continue;
                    if (const Json* colour = Member(entry, "colour")) {
                        const auto text = String(*colour, Pointer(entryPath, "colour"));
                        const auto rgb = text ? ParseColour(*text) : std::nullopt;
                        if (text && !rgb) Problem(Pointer(entryPath, "colour"), "expected a colour \"#rrggbb\", found " + colour->dump());
                        if (rgb) {
                            config.loopColor[k][0] = rgb->red;
                            config.loopColor[k][1] = rgb->green;
                            config.loopColor[k][2] = rgb->blue;
                        }
                    }
                    if (const Json* on = Member(entry, "on"); on && *on != Base({"lighting", "loopColours"})[k]["on"]) {
                        if (const auto value = Boolean(*on, Pointer(entryPath, "on"))) config.loopColorOn[k] = *value ? 1 : 0;
                    }
                }
            }
        }
        if (const Json* leds = Member(json, "dpiStageLeds")) {
            const std::string ledsPath = Pointer(path, "dpiStageLeds");
            if (Array(*leds, ledsPath, kDpiStages)) {
                for (std::size_t stage = 0; stage < leds->size(); ++stage) {
                    if ((*leds)[stage] == Base({"lighting", "dpiStageLeds"})[stage]) continue;
                    const auto text = String((*leds)[stage], Pointer(ledsPath, stage));
                    if (!text) continue;
                    const auto wanted = ParseLedLetters(*text);
                    if (!wanted) {
                        Problem(Pointer(ledsPath, stage), "expected the lit LEDs as r, g and b, each once (\"rb\", \"\" for none), found " + (*leds)[stage].dump());
                        continue;
                    }
                    for (int t = 0; t < kLedTogglesPerStage; ++t) {
                        SetLedToggle(config, static_cast<int>(stage), t, (*wanted)[static_cast<std::size_t>(t)]);
                    }
                }
            }
        }
    }

    void ReadPointer(const Json& json) {
        const std::string path = "/pointer";
        if (!Object(json, path, {"speed", "wheel", "doubleClick", "precision", "oneScreen"})) return;
        DeviceConfig& config = state_.config;
        struct Slider {
            std::string_view key;
            std::uint8_t* field;
            int lowest;
        };
        // A stored 0 scroll lines stands for a page per notch taken from the desktop.
        const Slider sliders[] = {{"speed", &config.pointerSpeed, 1}, {"wheel", &config.wheelScrollLines, 0},
                                  {"doubleClick", &config.doubleClickSpeed, 1}};
        for (const Slider& slider : sliders) {
            const Json* value = Member(json, slider.key);
            if (!value || *value == Base({"pointer", slider.key})) continue;
            if (const auto level = Integer(*value, Pointer(path, slider.key), slider.lowest, kPointerLevels)) {
                *slider.field = static_cast<std::uint8_t>(*level);
            }
        }
        const std::pair<std::string_view, std::uint8_t*> boxes[] = {{"precision", &config.enhancePointerPrecision},
                                                                   {"oneScreen", &config.scrollOneScreen}};
        for (const auto& [key, field] : boxes) {
            const Json* value = Member(json, key);
            if (!value || *value == Base({"pointer", key})) continue;
            if (const auto on = Boolean(*value, Pointer(path, key))) *field = *on ? 1 : 0;
        }
    }

    void ReadMacros(const Json& json) {
        if (!json.is_array()) {
            Problem("/macros", "expected an array, found " + TypeName(json));
            return;
        }
        std::vector<ProfileMacro> macros;
        std::vector<std::string> names;
        for (std::size_t i = 0; i < json.size(); ++i) {
            const std::string path = Pointer("/macros", i);
            const Json& entry = json[i];
            if (!Object(entry, path, {"name", "lines", "loops"})) continue;
            ProfileMacro macro;
            const Json* name = Member(entry, "name");
            if (!name) {
                Problem(path, "missing \"name\"");
                continue;
            }
            const auto text = String(*name, Pointer(path, "name"));
            if (!text) continue;
            macro.name = *text;
            if (macro.name.find_first_not_of(' ') == std::string::npos) {
                Problem(Pointer(path, "name"), "a macro needs a name");
            } else if (const std::string problem = MacroNameProblem(macro.name); !problem.empty()) {
                Problem(Pointer(path, "name"), problem);
            } else if (FindMacroName(names, macro.name) >= 0) {
                Problem(Pointer(path, "name"), "a second macro named \"" + macro.name + "\"");
            }
            names.push_back(macro.name);
            if (const Json* lines = Member(entry, "lines")) {
                const std::string linesPath = Pointer(path, "lines");
                if (Array(*lines, linesPath, kMaxMacroLines, true)) {
                    for (std::size_t l = 0; l < lines->size(); ++l) {
                        const auto line = String((*lines)[l], Pointer(linesPath, l));
                        if (!line) continue;
                        if (!OneLine(*line)) Problem(Pointer(linesPath, l), "a macro line is one line of text");
                        macro.lines.push_back(*line);
                    }
                }
            }
            if (const Json* loops = Member(entry, "loops")) {
                if (const auto count = Integer(*loops, Pointer(path, "loops"), 0, 65535)) macro.loops = static_cast<unsigned>(*count);
            } else if (!macro.lines.empty()) {
                macro.loops = 1;
            }
            // Past the twelfth a macro has no block, so no loop count either.
            if (i >= static_cast<std::size_t>(kMacroCount)) macro.loops = 0;
            macros.push_back(std::move(macro));
        }
        state_.macros = std::move(macros);
        macrosGiven_ = true;
    }

    void ReadSkin(const Json& json) {
        const std::string path = "/skin";
        if (!Object(json, path, {"name", "textColour"})) return;
        if (const Json* name = Member(json, "name")) {
            if (const auto text = String(*name, Pointer(path, "name"))) {
                if (!text->empty() && !IsSkinName(*text)) Problem(Pointer(path, "name"), "not a skin folder's name: " + name->dump());
                else state_.skin.skinName = *text;
            }
        }
        if (const Json* colour = Member(json, "textColour")) {
            const auto text = String(*colour, Pointer(path, "textColour"));
            const auto rgb = text ? ParseColour(*text) : std::nullopt;
            if (text && !rgb) Problem(Pointer(path, "textColour"), "expected a colour \"#rrggbb\", found " + colour->dump());
            if (rgb) state_.skin.textColour = {rgb->red, rgb->green, rgb->blue};
        }
    }

    const Json& doc_;
    ProfileState state_;
    std::uint8_t sensorType_ = 0;
    Json base_;
    bool macrosGiven_ = false;
    std::vector<ProfileProblem> problems_;
    std::vector<MacroCut> cut_;
};

}  // namespace

std::string ExportProfileJson(const ProfileState& state, std::uint8_t sensorType) {
    return ProfileDocument(state, sensorType).dump(2) + "\n";
}

ImportedProfile ImportProfileJson(std::string_view text, const ProfileState& current) {
    // The parser throws for more than syntax: a number too large for any
    // type is out_of_range. Whatever it is, the document is refused.
    Json document;
    try {
        document = Json::parse(text.begin(), text.end());
    } catch (const Json::exception& error) {
        ImportedProfile result;
        result.problems.push_back({"", std::string("not a JSON document kz7 can read: ") + error.what()});
        return result;
    }
    return Importer(document, current).Run();
}

}  // namespace kz7
