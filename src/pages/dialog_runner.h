#pragma once

// How the page models reach the dialogs they need: the Qt front end runs real
// dialogs, tests a scripted double. A dialog returns a value; the model that
// asked writes the record.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "keys/key_dialogs.h"
#include "skins/skin_settings.h"

namespace kz7 {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The delay time dialog's answer: the number typed (0 for none) and the
// digits as typed, leading zeros included.
struct DelayChoice {
    int value = 0;
    std::string text;
    bool operator==(const DelayChoice&) const = default;
};

class DialogRunner : public KeyDialogs {
public:
    // The desktop's colour chooser, opened at `initial`; nothing on Cancel.
    virtual std::optional<Rgb> ChooseColour(Rgb initial) = 0;
    // "Please enter a delay", for a pause of a macro.
    virtual std::optional<DelayChoice> RunDelayTime() = 0;
    // The skins dialog, opened at the skin in use; the skin and text colour chosen on OK.
    virtual std::optional<SkinSettings> RunSkins(const SkinSettings& current) = 0;
};

// Answers from a script, in order, and remembers what was asked. A dialog
// whose script is empty answers Cancel.
class ScriptedDialogRunner : public DialogRunner {
public:
    std::optional<Rgb> ChooseColour(Rgb initial) override {
        colourRequests.push_back(initial);
        return Next(colours, "colour");
    }
    std::optional<SingleKeyChoice> RunSingleKey() override { return Next(singleKeys, "single key"); }
    std::optional<ComboKeyChoice> RunComboKey() override { return Next(comboKeys, "combo key"); }
    std::optional<FireKeyChoice> RunFireKey() override { return Next(fireKeys, "fire key"); }
    std::optional<ListChoice> RunMediaKey() override { return Next(mediaKeys, "media key"); }
    std::optional<ListChoice> RunLaunchKey() override { return Next(launchKeys, "launch key"); }
    std::optional<MacroKeyChoice> RunMacroKey() override { return Next(macroKeys, "macro key"); }
    std::optional<DelayChoice> RunDelayTime() override { return Next(delays, "delay time"); }
    std::optional<SkinSettings> RunSkins(const SkinSettings& current) override {
        skinRequests.push_back(current);
        return Next(skins, "skins");
    }

    std::deque<std::optional<Rgb>> colours;
    std::deque<std::optional<SingleKeyChoice>> singleKeys;
    std::deque<std::optional<ComboKeyChoice>> comboKeys;
    std::deque<std::optional<FireKeyChoice>> fireKeys;
    std::deque<std::optional<ListChoice>> mediaKeys;
    std::deque<std::optional<ListChoice>> launchKeys;
    std::deque<std::optional<MacroKeyChoice>> macroKeys;
    std::deque<std::optional<DelayChoice>> delays;
    std::deque<std::optional<SkinSettings>> skins;

    std::vector<Rgb> colourRequests;
    std::vector<SkinSettings> skinRequests;
    // Every dialog run, in order: "colour", "single key", "combo key", ...
    std::vector<std::string> asked;

private:
    template <typename T>
    std::optional<T> Next(std::deque<std::optional<T>>& script, const char* dialog) {
        asked.emplace_back(dialog);
        if (script.empty()) return std::nullopt;
        std::optional<T> answer = std::move(script.front());
        script.pop_front();
        return answer;
    }
};

}  // namespace kz7
