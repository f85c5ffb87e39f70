// The tray's profile export and import on the running window.
#include <nlohmann/json.hpp>

#include "config/atomic_file.h"
#include "keys/key_codes.h"
#include "macros/macro_store.h"
#include "main_window_fixture.h"

namespace kz7::testing {
namespace {

constexpr std::string_view kProfile = R"({
  "kz7Profile": 1,
  "reportRateHz": 250,
  "buttons": {"A": [{"function": "Left Click"}, {"function": "Single Key", "key": "Tab"}]},
  "macros": [{"name": "Spray", "lines": ["A   Dn", "50 ms", "A   Up", "50 ms"], "loops": 2}]
})";

class ProfileTrayTest : public MainWindowTest {
protected:
    void ImportText(std::string_view text) {
        const auto file = folder / "game.json";
        ASSERT_EQ(WriteFileAtomically(file, text), 0);
        profileFile = QString::fromStdString(file.string());
        window->ImportProfile();
    }
};

TEST_F(ProfileTrayTest, AnImportReachesTheMouseOnlyWithApplyAndCancelUndoesIt) {
    firstRunFlag = 1;
    Start();
    const auto saved = testing_support::TempFolder::ReadFile(paths.config);

    ImportText(kProfile);
    EXPECT_EQ(profileRequests, std::vector<bool>{false});
    EXPECT_EQ(model.config.reportRate, 4);
    EXPECT_EQ(model.config.buttons[0].singleCode[1], KeyCodeFromName("Tab"));
    EXPECT_EQ(labels.text[0][1], "Single Key-Tab");
    EXPECT_EQ(MacroStore(paths.record).Names(), std::vector<std::string>{"Spray"});
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(testing_support::TempFolder::ReadFile(paths.config) == saved);  // not before Apply
    EXPECT_TRUE(prompter.messages.empty());

    window->ClickAt(Centre(frame::kCancel));
    EXPECT_TRUE(SameBytes(model.config, model.appliedConfig));
    EXPECT_EQ(model.config.reportRate, StarterConfig().reportRate);

    ImportText(kProfile);
    traceLines.clear();
    window->ClickAt(Centre(frame::kApply));
    EXPECT_FALSE(traceLines.empty());
    const auto image = SavedImage();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->config.reportRate, 4);
    EXPECT_EQ(MacroLoopCount(image->config, 0), 2u);
    EXPECT_EQ(LoadButtonLabels(paths.settings, UiLanguage::English).text[0][1], "Single Key-Tab");
}

TEST_F(ProfileTrayTest, AFaultyProfileIsRefusedWithItsProblemsAndChangesNothing) {
    firstRunFlag = 1;
    Start();
    const DeviceConfig before = model.config;
    ImportText(R"({"kz7Profile": 1, "reportRateHz": 300, "macros": [{"name": ""}]})");
    ASSERT_EQ(prompter.messages.size(), 1u);
    const std::string& text = prompter.messages[0].text;
    EXPECT_EQ(text.rfind("The profile was not imported:\n", 0), 0u) << text;
    EXPECT_NE(text.find("/reportRateHz: expected 125, 250, 500 or 1000, found 300"), std::string::npos) << text;
    EXPECT_NE(text.find("/macros/0/name: a macro needs a name"), std::string::npos) << text;
    EXPECT_TRUE(SameBytes(model.config, before));
    EXPECT_FALSE(std::filesystem::exists(paths.record));

    profileFile.clear();  // the file dialog was cancelled
    window->ImportProfile();
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(ProfileTrayTest, TheExportHoldsWhatTheWindowShows) {
    firstRunFlag = 1;
    Start();
    model.config.reportRate = 2;  // an edit not applied yet
    labels.text[0][2] = "My middle";
    profileFile = QString::fromStdString((folder / "out.json").string());
    window->ExportProfile();
    EXPECT_EQ(profileRequests, std::vector<bool>{true});
    std::string text;
    ASSERT_TRUE(ReadWholeFile(folder / "out.json", text));
    const auto document = nlohmann::json::parse(text);
    EXPECT_EQ(document["reportRateHz"], 500);
    EXPECT_EQ(document["labels"]["en"]["A"][2], "My middle");

    profileFile = QString::fromStdString((folder / "no-such-folder/out.json").string());
    window->ExportProfile();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text.rfind("The profile could not be saved: ", 0), 0u);
}

}  // namespace
}  // namespace kz7::testing
