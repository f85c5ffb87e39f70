// Profiles as JSON: an untouched document restores everything exactly, an
// edited one gives what the edit says, and a faulty one is refused whole.
#include <gtest/gtest.h>

#include <functional>

#include <nlohmann/json.hpp>

#include "config/record_labels.h"
#include "config/starter_config.h"
#include "keys/key_codes.h"
#include "macros/macro_blocks.h"
#include "platform/json/profile_json.h"

namespace kz7 {
namespace {

using Json = nlohmann::ordered_json;

ProfileState SampleState() {
    ProfileState state;
    state.config = StarterConfig();
    for (std::size_t i = 0; i < kProfileLanguages.size(); ++i) SetDefaultLabels(state.labels[i], kProfileLanguages[i]);
    state.macros = {{"Spray", {"A   Dn", "50 ms", "A   Up", "50 ms"}, 2}, {"Grenade", {"G   Dn", "1500 ms", "G   Up", "50 ms"}, 1}};
    RebuildProfileBlocks(state, nullptr);
    ButtonSet& a = state.config.buttons[0];
    a.function[1] = kFnMacroKey;
    a.macroIndex[1] = 1;
    a.macroMode[1] = 2;
    state.labels[0].text[0][1] = "Macro Key-Grenade";
    state.skin.skinName = "Crimson";
    state.skin.textColour = {1, 2, 3};
    return state;
}

ProfileState Imported(const std::string& text, const ProfileState& current) {
    const ImportedProfile imported = ImportProfileJson(text, current);
    for (const ProfileProblem& problem : imported.problems) ADD_FAILURE() << problem.path << ": " << problem.message;
    return imported.state.value_or(current);
}

void ExpectSame(const ProfileState& got, const ProfileState& want) {
    EXPECT_TRUE(SameBytes(got.config, want.config));
    EXPECT_EQ(got.labels, want.labels);
    EXPECT_EQ(got.macros, want.macros);
    EXPECT_EQ(got.skin.skinName, want.skin.skinName);
    EXPECT_EQ(got.skin.textColour, want.skin.textColour);
}

TEST(ProfileJson, AnUntouchedDocumentRestoresEverythingIntoAFreshFolder) {
    const ProfileState state = SampleState();
    ProfileState fresh;
    fresh.config = StarterConfig();
    ExpectSame(Imported(ExportProfileJson(state, 0), fresh), state);
}

TEST(ProfileJson, BytesNoReadableFieldCanSayComeBackFromTheRawRecord) {
    ProfileState state = SampleState();
    state.config.buttons[0].function[7] = 200;       // no such function
    state.config.buttons[1].fireIndex[2] = 99;       // past the fire key list
    state.config.ledMode = 7;
    state.config.reportRate = 3;
    state.config.reserved1939[2] = 0x5a;
    state.config.dpiStageOn[6] = 1;
    ProfileState fresh;
    fresh.config = StarterConfig();
    ExpectSame(Imported(ExportProfileJson(state, 2), fresh), state);
}

TEST(ProfileJson, EditsByHandWinOverTheRawBytes) {
    const ProfileState state = SampleState();
    struct Row {
        const char* what;
        std::function<void(Json&)> edit;
        std::function<void(const ProfileState&)> check;
    };
    const Row rows[] = {
        {"a DPI label", [](Json& d) { d["dpiStages"][1]["dpi"] = "3500"; },
         [](const ProfileState& s) { EXPECT_EQ(s.config.dpiLevel[1], 10); }},
        {"a DPI level", [](Json& d) { d["dpiStages"][2]["level"] = 1; },
         [](const ProfileState& s) { EXPECT_EQ(s.config.dpiLevel[2], 0); }},
        {"a stage off", [](Json& d) { d["dpiStages"][0]["on"] = false; },
         [](const ProfileState& s) { EXPECT_EQ(s.config.dpiStageOn[0], 0); }},
        {"a macro added and bound",
         [](Json& d) {
             d["macros"].push_back({{"name", "Reload"}, {"lines", {"R   Dn", "50 ms", "R   Up", "50 ms"}}, {"loops", 4}});
             d["buttons"]["B"][3] = {{"function", "Macro Key"}, {"macro", "Reload"}, {"repeat", 3}};
         },
         [](const ProfileState& s) {
             ASSERT_EQ(s.macros.size(), 3u);
             EXPECT_EQ(MacroLoopCount(s.config, 2), 4u);
             EXPECT_NE(s.config.macroImage[2][2] | s.config.macroImage[2][3], 0);
             EXPECT_EQ(s.config.buttons[1].macroIndex[3], 2);
             EXPECT_EQ(s.config.buttons[1].macroMode[3], 2);
             EXPECT_EQ(s.labels[0].text[1][3], "Macro Key-Reload");
             EXPECT_EQ(s.labels[2].text[1][3], "巨集-Reload");
         }},
        {"a function, relabelled in every language",
         [](Json& d) { d["buttons"]["A"][2] = {{"function", "Fire Key"}, {"key", "B"}, {"speed", 9}, {"times", 0}}; },
         [](const ProfileState& s) {
             EXPECT_EQ(s.config.buttons[0].function[2], kFnFireKey);
             EXPECT_EQ(s.config.buttons[0].fireSpeed[2], 9);
             EXPECT_EQ(s.labels[0].text[0][2], "Fire Key-B");
             EXPECT_EQ(s.labels[1].text[0][2], "火力键-B");
         }},
        {"a function with a label of its own",
         [](Json& d) {
             d["buttons"]["A"][3] = {{"function", "Multimedia"}, {"entry", "Mute"}};
             d["labels"]["en"]["A"][3] = "Hush";
         },
         [](const ProfileState& s) {
             EXPECT_EQ(s.config.buttons[0].mediaCode[3], MediaCodeFromRow(4));
             EXPECT_EQ(s.labels[0].text[0][3], "Hush");
             EXPECT_EQ(s.labels[1].text[0][3], "多媒体-静音");
         }},
        {"the lighting", [](Json& d) {
             d["lighting"]["mode"] = "Neon Mode";
             d["lighting"]["parameters"]["Neon Mode"] = "15S";
             d["lighting"]["loopColours"][4] = {{"colour", "#102030"}, {"on", true}};
             d["lighting"]["dpiStageLeds"][3] = "g";
         },
         [](const ProfileState& s) {
             EXPECT_EQ(s.config.ledMode, 3);
             EXPECT_EQ(LedParamLabel(3, s.config.ledModeParam[2]), "15S");
             EXPECT_EQ(s.config.loopColor[4][2], 0x30);
             EXPECT_EQ(s.config.loopColorOn[4], 1);
             EXPECT_FALSE(LedToggle(s.config, 3, 0));
             EXPECT_TRUE(LedToggle(s.config, 3, 1));
         }},
        {"the rest", [](Json& d) {
             d["mode"] = "B";
             d["reportRateHz"] = 125;
             d["pointer"]["doubleClick"] = 2;
             d["pointer"]["precision"] = true;
             d["skin"] = {{"name", ""}, {"textColour", "#ffffff"}};
         },
         [](const ProfileState& s) {
             EXPECT_EQ(s.config.currentMode, 1);
             EXPECT_EQ(s.config.reportRate, 8);
             EXPECT_EQ(s.config.doubleClickSpeed, 2);
             EXPECT_EQ(s.config.enhancePointerPrecision, 1);
             EXPECT_EQ(s.skin.skinName, "");
             EXPECT_EQ(s.skin.textColour, (TextColour{255, 255, 255}));
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Json document = Json::parse(ExportProfileJson(state, 0));
        row.edit(document);
        row.check(Imported(document.dump(), ProfileState{}));
    }
}

TEST(ProfileJson, ADocumentWithoutRawBytesChangesOnlyWhatItNames) {
    const ProfileState state = SampleState();
    const ProfileState got = Imported(R"({"kz7Profile": 1, "reportRateHz": 500,
        "buttons": {"A": [{"function": "Left Click"}, {"function": "Single Key", "key": "Tab"}]}})", state);
    EXPECT_EQ(got.config.reportRate, 2);
    EXPECT_EQ(got.config.buttons[0].function[1], kFnSingleKey);
    EXPECT_EQ(got.config.buttons[0].singleCode[1], KeyCodeFromName("Tab"));
    EXPECT_EQ(got.labels[0].text[0][1], "Single Key-Tab");
    EXPECT_EQ(got.macros, state.macros);
    EXPECT_EQ(got.config.buttons[0].function[2], state.config.buttons[0].function[2]);
}

TEST(ProfileJson, EveryProblemIsReportedWithItsPathAndNothingIsReturned) {
    struct Row {
        const char* document;
        const char* path;
        const char* says;
    };
    const Row rows[] = {
        {"[1]", "", "a profile is a JSON object"},
        {"{\"kz7Profile\": 1,", "", "not a JSON document kz7 can read"},
        {R"({"kz7Profile": 1, "reportRateHz": 15e400})", "", "number overflow"},
        {"{}", "/kz7Profile", "missing"},
        {R"({"kz7Profile": 2})", "/kz7Profile", "reads profile version 1, not 2"},
        {R"({"kz7Profile": 1, "colour": 1})", "/colour", "unknown member"},
        {R"({"kz7Profile": 1, "raw": "00ff"})", "/raw", "4042 hex digits"},
        {R"({"kz7Profile": 1, "mode": "C"})", "/mode", "\"A\" or \"B\""},
        {R"({"kz7Profile": 1, "buttons": {"A": [{"function": "Right Click"}]}})", "/buttons/A",
         "Left key must be selected!"},
        {R"({"kz7Profile": 1, "buttons": {"A": [{"function": "Left Click"}, {"function": "Fire Key", "key": "A", "speed": 2}]}})",
         "/buttons/A/1", "Speed (value range 5-255"},
        {R"({"kz7Profile": 1, "buttons": {"A": [{"function": "Left Click"}, {"function": "Fire Key", "entry": "A"}]}})",
         "/buttons/A/1", "Fire Key takes \"key\""},
        {R"({"kz7Profile": 1, "buttons": {"A": [{"function": "Left Click"}, {"function": "Macro Key", "macro": "None"}]}})",
         "/buttons/A/1", "no macro \"None\" can be bound"},
        {R"({"kz7Profile": 1, "buttons": {"B": [{"funktion": "Left Click"}]}})", "/buttons/B/0/funktion", "unknown member"},
        {R"({"kz7Profile": 1, "labels": {"en": {"A": [1]}}})", "/labels/en/A/0", "expected a string"},
        {R"({"kz7Profile": 1, "labels": {"cht": {"B": ["", "x\ny"]}}})", "/labels/cht/B/1", "a label is one line"},
        {R"({"kz7Profile": 1, "reportRateHz": 300})", "/reportRateHz", "125, 250, 500 or 1000"},
        {R"({"kz7Profile": 1, "sensorType": 1, "dpiStages": [{"dpi": "4000"}, {}, {}, {}]})", "/dpiStages/0/dpi",
         "sensor type 1 offers"},
        {R"({"kz7Profile": 1, "dpiStages": [{"on": false}, {"on": false}, {"on": false}, {"on": false}]})", "/dpiStages",
         "one DPI stage must stay on"},
        {R"({"kz7Profile": 1, "dpiStages": [{}, {}]})", "/dpiStages", "expected 4 entries"},
        {R"({"kz7Profile": 1, "lighting": {"parameters": {"Standard Mode": "6S"}}})", "/lighting/parameters/Standard Mode",
         "Standard Mode takes"},
        {R"({"kz7Profile": 1, "lighting": {"dpiStageLeds": ["rr", "", "", ""]}})", "/lighting/dpiStageLeds/0", "each once"},
        {R"({"kz7Profile": 1, "pointer": {"wheel": 12}})", "/pointer/wheel", "from 0 to 11"},
        {R"({"kz7Profile": 1, "macros": [{"name": ""}]})", "/macros/0/name", "a macro needs a name"},
        {R"({"kz7Profile": 1, "macros": [{"name": "A"}, {"name": "a"}]})", "/macros/1/name", "a second macro"},
        {R"({"kz7Profile": 1, "macros": [{"name": "A", "lines": ["x\ny"]}]})", "/macros/0/lines/0", "one line"},
        {R"({"kz7Profile": 1, "macros": [{"name": "A", "loops": 70000}]})", "/macros/0/loops", "0 to 65535"},
        {R"({"kz7Profile": 1, "skin": {"name": "../etc"}})", "/skin/name", "not a skin folder's name"},
    };
    const ProfileState current = SampleState();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.document);
        const ImportedProfile imported = ImportProfileJson(row.document, current);
        EXPECT_FALSE(imported.state);
        const bool found = std::any_of(imported.problems.begin(), imported.problems.end(), [&](const ProfileProblem& p) {
            return p.path == row.path && p.message.find(row.says) != std::string::npos;
        });
        EXPECT_TRUE(found) << (imported.problems.empty() ? std::string("no problem")
                                                         : imported.problems.front().path + ": " + imported.problems.front().message);
    }
}

TEST(ProfileJson, AllProblemsOfOneDocumentAreReportedTogether) {
    const ImportedProfile imported = ImportProfileJson(
        R"({"kz7Profile": 1, "mode": "C", "reportRateHz": 1, "pointer": {"speed": 0}})", SampleState());
    EXPECT_EQ(imported.problems.size(), 3u);
}

}  // namespace
}  // namespace kz7
