#include "profile/setting_edits.h"

#include <algorithm>

#include "config/record_labels.h"
#include "device/dpi_tables.h"
#include "pages/basic_page_model.h"
#include "pointer/pointer_settings.h"

namespace kz7 {

namespace {

// The key dialogs, answering what the user already said.
class AnsweringDialogs : public DialogRunner {
public:
    explicit AnsweringDialogs(FunctionParameters answer) : answer_(std::move(answer)) {}
    std::optional<SingleKeyChoice> RunSingleKey() override { return Answer<SingleKeyChoice>(); }
    std::optional<ComboKeyChoice> RunComboKey() override { return Answer<ComboKeyChoice>(); }
    std::optional<FireKeyChoice> RunFireKey() override { return Answer<FireKeyChoice>(); }
    std::optional<ListChoice> RunMediaKey() override { return Answer<ListChoice>(); }
    std::optional<ListChoice> RunLaunchKey() override { return Answer<ListChoice>(); }
    std::optional<MacroKeyChoice> RunMacroKey() override { return Answer<MacroKeyChoice>(); }
    std::optional<Rgb> ChooseColour(Rgb) override { return colour; }
    std::optional<DelayChoice> RunDelayTime() override { return std::nullopt; }
    std::optional<SkinSettings> RunSkins(const SkinSettings&) override { return std::nullopt; }

    std::optional<Rgb> colour;

private:
    template <typename T>
    std::optional<T> Answer() const {
        if (const T* value = std::get_if<T>(&answer_)) return *value;
        return std::nullopt;
    }
    FunctionParameters answer_;
};

// Runs an edit; when it refuses, the record and the labels go back to what
// they were before it.
template <typename Edit>
std::string Transaction(SettingTarget& target, Edit edit) {
    const DeviceConfig record = target.model.config;
    const ButtonLabels labels = target.labels;
    std::string problem = edit();
    if (!problem.empty()) {
        target.model.config = record;
        target.labels = labels;
    }
    return problem;
}

std::optional<int> StageNumber(std::string_view text, int count, std::string_view what, std::string& problem) {
    const auto number = WholeNumberIn(text, 1, count);
    if (!number) {
        problem = std::string(what) + " \"" + std::string(text) + "\" does not exist: it is 1 to " + std::to_string(count);
        return std::nullopt;
    }
    return *number - 1;
}

std::optional<bool> OnOff(std::string_view text) {
    if (text == "on") return true;
    if (text == "off") return false;
    return std::nullopt;
}

}  // namespace

std::optional<int> ParseButtonMode(std::string_view text) {
    if (text == "A" || text == "a") return 0;
    if (text == "B" || text == "b") return 1;
    return std::nullopt;
}

std::optional<Rgb> ParseColour(std::string_view text) {
    if (!text.empty() && text.front() == '#') text.remove_prefix(1);
    if (text.size() != 6) return std::nullopt;
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::uint8_t bytes[3];
    for (int i = 0; i < 3; ++i) {
        const int high = hex(text[static_cast<std::size_t>(2 * i)]);
        const int low = hex(text[static_cast<std::size_t>(2 * i + 1)]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return Rgb{bytes[0], bytes[1], bytes[2]};
}

std::string SetButtonFunction(SettingTarget& target, std::optional<int> mode, std::string_view button,
                              const FunctionRequest& request) {
    return Transaction(target, [&]() -> std::string {
        std::string problem;
        const auto slot = StageNumber(button, ButtonFunctionMenu::kSlots, "button", problem);
        if (!slot) return problem;
        const auto choice = ResolveFunction(request, target.macroNames, target.language, problem);
        if (!choice) return problem;

        DeviceConfig& config = target.model.config;
        const std::uint8_t currentMode = config.currentMode;
        if (mode) config.currentMode = static_cast<std::uint8_t>(*mode);
        ButtonFunctionMenu menu(target.model, target.labels, target.language);
        RecordingPrompter prompter;
        const bool stays = menu.LeftClickMustStay(*slot);
        if (stays && choice->code == kFnLeftClick) {
            config.currentMode = currentMode;
            return {};  // it already is what was asked
        }
        if (!menu.OpenFunctionList(*slot, prompter)) {
            config.currentMode = currentMode;
            return prompter.messages.empty() ? std::string("button ") + std::string(button) + " cannot be changed"
                                             : prompter.messages.front().text;
        }
        if (const auto* dpi = std::get_if<DpiModeChoice>(&choice->parameters)) {
            menu.TrackFunctionList(*slot, kDpiSwitchRow);
            menu.ChooseDpiMode(dpi->mode - 1);
        } else {
            AnsweringDialogs dialogs(choice->parameters);
            menu.ChooseFunction(*slot, choice->code, dialogs);
        }
        config.currentMode = currentMode;
        return {};
    });
}

std::string SetReportRateHz(SettingTarget& target, std::string_view hz) {
    std::vector<std::string> rates;
    for (std::size_t stop = 0; stop < kReportRates.size(); ++stop) {
        if (std::to_string(kReportRates[stop].hz) == hz) {
            BasicPageModel(target.model, target.labels, target.language).SetReportRate(static_cast<int>(stop));
            return {};
        }
        rates.push_back(std::to_string(kReportRates[stop].hz));
    }
    return "the report rate is " + JoinedList(rates) + " Hz, not \"" + std::string(hz) + "\"";
}

std::string SetDpiStage(SettingTarget& target, const DpiStageRequest& request) {
    return Transaction(target, [&]() -> std::string {
        std::string problem;
        const auto stage = StageNumber(request.stage, kDpiStages, "DPI stage", problem);
        if (!stage) return problem;
        if (request.level && request.dpi) return "give --level or --dpi, not both";
        if (!request.level && !request.dpi && !request.on) return "give --level, --dpi, --on or --off";
        BasicPageModel page(target.model, target.labels, target.language);
        const std::vector<std::string> labels = OfferedDpiLabels(target.sensorType);
        const int levels = static_cast<int>(labels.size());
        std::optional<int> cell;
        if (request.level) {
            cell = WholeNumberIn(*request.level, 1, levels);
            if (!cell) {
                return "--level " + *request.level + " is refused: sensor type " + std::to_string(target.sensorType) +
                       " offers levels 1 to " + std::to_string(levels);
            }
        }
        if (request.dpi) {
            const auto at = std::find(labels.begin(), labels.end(), *request.dpi);
            if (at == labels.end()) {
                return "--dpi " + *request.dpi + " is refused: sensor type " + std::to_string(target.sensorType) +
                       " offers " + JoinedList(labels);
            }
            cell = static_cast<int>(at - labels.begin()) + 1;
        }
        if (cell) page.SetDpiLevel(*stage, *cell, target.sensorType);
        if (request.on) {
            const std::uint8_t now = target.model.config.dpiStageOn[*stage];
            if ((now != 0) != *request.on && !page.ToggleDpiStage(*stage)) {
                return "DPI stage " + request.stage + " stays on: the mouse needs one enabled stage";
            }
        }
        return {};
    });
}

std::string SetLighting(SettingTarget& target, std::string_view mode, const std::optional<std::string>& parameter) {
    return Transaction(target, [&]() -> std::string {
        std::vector<std::string> modes;
        std::optional<int> row;
        for (int r = 0; r < 3; ++r) {
            modes.emplace_back(LedModeText(r + 1, UiLanguage::English));
            for (UiLanguage language : {UiLanguage::English, UiLanguage::SimplifiedChinese, UiLanguage::TraditionalChinese}) {
                if (LedModeText(r + 1, language) == mode) row = r;
            }
        }
        if (!row) return "the lighting modes are " + JoinedList(modes) + ", not \"" + std::string(mode) + "\"";
        BasicPageModel page(target.model, target.labels, target.language);
        page.ChooseLedMode(*row);
        if (parameter) {
            const auto ledMode = static_cast<std::uint8_t>(*row + 1);
            std::vector<std::string> labels;
            for (int p = 0; p < LedParamCount(ledMode); ++p) {
                labels.push_back(LedParamLabel(ledMode, static_cast<std::uint8_t>(p)));
            }
            const auto at = std::find(labels.begin(), labels.end(), *parameter);
            if (at == labels.end()) return modes[static_cast<std::size_t>(*row)] + " takes " + JoinedList(labels) + ", not \"" + *parameter + "\"";
            page.ChooseLedParam(static_cast<int>(at - labels.begin()));
        }
        return {};
    });
}

std::string SetLoopColour(SettingTarget& target, std::string_view colour, const std::optional<std::string>& rgb,
                          std::optional<bool> on) {
    return Transaction(target, [&]() -> std::string {
        std::string problem;
        const auto index = StageNumber(colour, kLoopColours, "loop colour", problem);
        if (!index) return problem;
        std::optional<Rgb> chosen;
        if (rgb) {
            chosen = ParseColour(*rgb);
            if (!chosen) return "a colour is written #rrggbb, such as #ff8000, not \"" + *rgb + "\"";
        }
        if (!chosen && !on) return "give a colour #rrggbb, --on or --off";
        BasicPageModel page(target.model, target.labels, target.language);
        if (on && (target.model.config.loopColorOn[*index] == 1) != *on) page.ToggleLoopColour(*index);
        if (chosen) {
            AnsweringDialogs dialogs({});
            dialogs.colour = chosen;
            if (!page.ChooseLoopColour(*index, dialogs)) {
                return "the loop colours can be chosen only while loop colour 1 is on (kz7ctl set color 1 --on)";
            }
        }
        return {};
    });
}

std::string SetDpiLeds(SettingTarget& target, std::string_view stage, std::string_view leds) {
    return Transaction(target, [&]() -> std::string {
        std::string problem;
        const auto group = StageNumber(stage, kDpiStages, "DPI stage", problem);
        if (!group) return problem;
        const auto wanted = ParseLedLetters(leds);
        if (!wanted) {
            return "the LEDs of a DPI stage are written with r, g and b, each once (\"rb\", \"\" for none), not \"" +
                   std::string(leds) + "\"";
        }
        BasicPageModel page(target.model, target.labels, target.language);
        page.ChooseDpiColourStage(*group);
        for (int t = 0; t < kLedTogglesPerStage; ++t) {
            if (LedToggle(target.model.config, *group, t) != (*wanted)[static_cast<std::size_t>(t)]) page.ToggleDpiColourLed(t);
        }
        return {};
    });
}

std::string SetCurrentMode(SettingTarget& target, std::string_view mode) {
    const auto parsed = ParseButtonMode(mode);
    if (!parsed) return "the mode is A or B, not \"" + std::string(mode) + "\"";
    BasicPageModel(target.model, target.labels, target.language).SelectMode(*parsed);
    return {};
}

std::string RestoreDefaults(SettingTarget& target, std::string_view what) {
    if (what == "buttons") {
        ButtonFunctionMenu(target.model, target.labels, target.language).RestoreDefaultButtons();
        return {};
    }
    if (what == "pointer") {
        RestoreDefaultPointer(target.model.config);
        target.model.NotifyChanged(ConfigPart::Pointer);
        return {};
    }
    return "the defaults are \"buttons\" or \"pointer\", not \"" + std::string(what) + "\"";
}

std::string SetPointer(SettingTarget& target, std::string_view what, std::string_view value) {
    static constexpr std::string_view kSliders[kPointerSliders] = {"speed", "wheel", "double-click"};
    DeviceConfig& config = target.model.config;
    for (int slider = 0; slider < kPointerSliders; ++slider) {
        if (what != kSliders[slider]) continue;
        const auto level = WholeNumberIn(value, 1, kPointerLevels);
        if (!level) {
            return std::string(what) + " is a slider position 1 to " + std::to_string(kPointerLevels) + ", not \"" +
                   std::string(value) + "\"";
        }
        SetPointerSliderLevel(config, slider + 1, *level);
        target.model.NotifyChanged(ConfigPart::Pointer);
        return {};
    }
    if (what == "precision" || what == "one-screen") {
        const auto on = OnOff(value);
        if (!on) return std::string(what) + " is on or off, not \"" + std::string(value) + "\"";
        std::uint8_t& field = what == "precision" ? config.enhancePointerPrecision : config.scrollOneScreen;
        if ((field == 1) != *on) {
            if (what == "precision") TogglePointerPrecision(config);
            else ToggleScrollOneScreen(config);
            target.model.NotifyChanged(ConfigPart::Pointer);
        }
        return {};
    }
    return "the pointer settings are \"speed\", \"wheel\", \"double-click\", \"precision\" and \"one-screen\", not \"" +
           std::string(what) + "\"";
}

}  // namespace kz7
