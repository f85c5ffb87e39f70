// The window's own saves with each of their file-system calls failed in
// turn: the skin choice in str.ini, and OK with config.bin and the labels.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "main_window_fixture.h"
#include "support/save_faults.h"

namespace kz7 {
namespace {

using namespace kz7::testing;
namespace fs = std::filesystem;
using testing_support::ExpectEveryFailedCallReported;

const fs::path kShippedRoot = KZ7_BINARY_DIR "/share/kz7/Skins";

class WindowSaveFaultsTest : public MainWindowTest {
protected:
    static void Prepare(const fs::path& dir, std::uint8_t firstRunFlag) {
        const auto image = ConfigFileImage(firstRunFlag, StarterConfig());
        ASSERT_EQ(WriteFileAtomically(dir / kConfigFileName, image.data(), image.size()), 0);
        ASSERT_EQ(WriteFileAtomically(dir / kSettingsFileName,
                                      "[Skins]\nR=200\nG=200\nB=200\nPath=\n\n[Setting-EN]\nItem1=Left Click\n"),
                  0);
    }

    // The window on the folder's files, shown on the basic page.
    void Open(const fs::path& dir) {
        dataFolder = dir;
        prompter.messages.clear();
        notifier.shown.clear();
        Start();
        window->OnTrayLeftClick();
    }
};

TEST_F(WindowSaveFaultsTest, TheSkinChoiceTellsWhenStrIniCannotBeSavedAndIsUsedAnyway) {
    ExpectEveryFailedCallReported({"the skins button",
                                   [](const fs::path& dir) { Prepare(dir, 1); },
                                   [this](const fs::path& dir) {
                                       Open(dir);
                                       dialogs.skins.push_back(
                                           SkinSettings{"Crimson", kShippedRoot / "Crimson", {1, 2, 3}});
                                       window->ClickAt(Centre(frame::kSkins));
                                       EXPECT_EQ(skin.Name(), "Crimson");
                                       const bool told = !prompter.messages.empty();
                                       CloseWindow();
                                       return told;
                                   }});
}

// A record never saved (first-run flag 0) saves the default labels when the
// page is first drawn, then OK saves config.bin and the labels.
TEST_F(WindowSaveFaultsTest, OkTellsWhenConfigBinOrTheLabelsCannotBeSaved) {
    ExpectEveryFailedCallReported(
        {"the first page and OK", [](const fs::path& dir) { Prepare(dir, 0); },
         [this](const fs::path& dir) {
             Open(dir);
             model.config.reportRate = 2;
             window->ClickAt(Centre(frame::kOk));
             EXPECT_FALSE(window->isVisible());
             // Cancel returns to the last record whose save was not reported as failed.
             const bool configFailed = std::any_of(prompter.messages.begin(), prompter.messages.end(),
                                                   [](const auto& m) { return m.caption == kSaveFailedCaption; });
             EXPECT_TRUE(SameBytes(model.appliedConfig, configFailed ? StarterConfig() : model.config));
             const bool told = !prompter.messages.empty();
             CloseWindow();
             return told;
         }});
}

}  // namespace
}  // namespace kz7
