// Every save the program makes, with each of its file-system calls failed in
// turn: config.bin, record.ini, str.ini and the KDE files, as the window's
// models and kz7ctl make them.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "config/config_file.h"
#include "config/starter_config.h"
#include "device/link_fixture.h"
#include "macros/macro_area.h"
#include "macros/macro_fixture.h"
#include "platform/linux/pointer_backends.h"
#include "pointer/memory_pointer_backend.h"
#include "session/apply_session.h"
#include "skins/button_labels.h"
#include "support/save_faults.h"

namespace kz7 {
namespace {

namespace fs = std::filesystem;
using testing::SimulatedLink;
using testing_support::ExpectEveryFailedCallReported;
using testing_support::SaveAction;
using testing_support::Section;

void WriteConfigBin(const fs::path& folder, std::uint8_t firstRunFlag, const DeviceConfig& config) {
    const auto image = ConfigFileImage(firstRunFlag, config);
    ASSERT_EQ(WriteFileAtomically(folder / kConfigFileName, image.data(), image.size()), 0);
}

void WriteText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    ASSERT_EQ(WriteFileAtomically(path, text), 0);
}

constexpr const char* kStrIni = "[Skins]\nR=255\nG=255\nB=255\nPath=\n\n[Setting-EN]\nItem1=Left Click\nItem12=Kept\n";
const std::string kRecordIni = Section("Fire", {"A   Dn", "50 ms", "A   Up"}) + Section("Jump", {"Space   Dn"});

// OK and Apply in the window and kz7ctl apply: the mouse, config.bin, the
// labels in str.ini, the pointer settings.
SaveAction Apply(std::uint8_t firstRunFlag) {
    return {"apply with first-run flag " + std::to_string(firstRunFlag),
            [firstRunFlag](const fs::path& folder) {
                WriteConfigBin(folder, firstRunFlag, StarterConfig());
                WriteText(folder / kSettingsFileName, kStrIni);
            },
            [](const fs::path& folder) {
                const DataPaths paths = DataPaths::InFolder(folder);
                SimulatedLink sim;
                RecordingPrompter prompter;
                ConfigModel model;
                EXPECT_EQ(LoadConfig(paths.config, model, prompter), LoadResult::Loaded);
                model.Snapshot();
                ButtonLabels labels = LoadButtonLabels(paths.settings, UiLanguage::English);
                MemoryPointerBackend desktop;
                SystemPointer pointer(desktop, prompter);
                ApplySession session({sim.link, model, paths, UiLanguage::English, labels, pointer, prompter});
                EXPECT_TRUE(sim.Connect());
                const int firstRead = session.FirstDeviceRead();
                model.config.reportRate = 2;
                model.config.dpiLevel[0] = 5;
                labels.text[0][1] = "Fire";
                const ApplyOutcome outcome = session.Apply();
                EXPECT_EQ(outcome.Ok() && firstRead == 0, prompter.messages.empty());
                // Cancel returns to the last record that was saved.
                EXPECT_EQ(SameBytes(model.appliedConfig, model.config), outcome.configSaved);
                return !prompter.messages.empty();
            }};
}

TEST(SaveFaults, ApplySavesConfigBinAndTheLabels) {
    ExpectEveryFailedCallReported(Apply(1));
    ExpectEveryFailedCallReported(Apply(0));  // the first read saves the default labels first
}

// The advanced page's Confirm and Delete.
TEST(SaveFaults, TheMacroAreaSavesRecordIni) {
    const auto confirm = [](const fs::path& folder) {
        DeviceConfig config = StarterConfig();
        RecordingPrompter prompter;
        MacroArea area(folder / kRecordFileName, config, prompter);
        area.Load();
        if (const int fire = FindMacroName(area.macroList, "Fire"); fire >= 0) {
            area.Select(fire);
        } else {
            area.nameField = "Fire";
            area.New();
        }
        area.lineList = {"B   Dn", "20 ms", "B   Up"};
        area.Confirm();
        return !prompter.messages.empty();
    };
    ExpectEveryFailedCallReported(
        {"confirm", [](const fs::path& folder) { WriteText(folder / kRecordFileName, kRecordIni); }, confirm});
    ExpectEveryFailedCallReported({"confirm of the first macro, which creates record.ini", [](const fs::path&) {},
                                   confirm});
    const auto deleteJump = [](const fs::path& folder) {
        DeviceConfig config = StarterConfig();
        RecordingPrompter prompter;
        MacroArea area(folder / kRecordFileName, config, prompter);
        area.Load();
        area.Select(FindMacroName(area.macroList, "Jump"));
        area.Delete();
        EXPECT_EQ(area.macroList, area.store().Names()) << "the list shows what record.ini holds";
        return !prompter.messages.empty();
    };
    SaveAction deletion{"delete", [](const fs::path& folder) { WriteText(folder / kRecordFileName, kRecordIni); },
                        deleteJump};
    deletion.again = [deleteJump](const fs::path& folder) {
        return MacroStore(folder / kRecordFileName).Read().HasSection("Jump") && deleteJump(folder);
    };
    ExpectEveryFailedCallReported(deletion);
}

// KDE Plasma on X11 keeps speed and precision in kcminputrc, wheel lines
// and the double-click interval in kdeglobals.
TEST(SaveFaults, TheKdeFilesAreSavedAsThePointerSettingsApply) {
    ExpectEveryFailedCallReported(
        {"pointer settings to KDE Plasma on X11",
         [](const fs::path& folder) {
             WriteText(folder / "kdeglobals", "[General]\nfont=Noto Sans,10\n\n[KDE]\nWheelScrollLines=3\n");
             WriteText(folder / "kcminputrc", "[Mouse]\nXLbInptPointerAcceleration=0\ncursorTheme=breeze\n");
         },
         [](const fs::path& folder) {
             auto kde = linux_platform::MakeKdePointerBackend(folder, linux_platform::PlasmaSession::X11, [] {},
                                                              std::make_unique<MemoryPointerBackend>());
             RecordingPrompter prompter;
             SystemPointer pointer(*kde, prompter, [](std::string_view) {});
             DeviceConfig config = StarterConfig();
             config.enhancePointerPrecision = 1;
             config.pointerSpeed = 8;
             config.wheelScrollLines = 5;
             config.doubleClickSpeed = 4;
             const PointerWriteResult written = pointer.ApplyToSystem(config);
             EXPECT_EQ(written.Ok(), prompter.messages.empty());
             return !prompter.messages.empty();
         }});
}

// kz7ctl, run in this process so that its saves meet the faults: a failed
// save is a failing exit status with a reason on stderr.
int Kz7ctl(const fs::path& folder, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--data-dir", folder.string()});
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::Main(arguments, out, err);
    EXPECT_EQ(status == 0, err.str().empty()) << err.str();
    return status;
}

SaveAction Kz7ctlAction(const std::string& command, std::vector<std::string> arguments) {
    SaveAction action{"kz7ctl " + command,
            [](const fs::path& folder) {
                DeviceConfig config = StarterConfig();
                WriteConfigBin(folder, 1, config);
                WriteText(folder / kRecordFileName, kRecordIni);
                WriteText(folder / kSettingsFileName, kStrIni);
                WriteText(folder / "macro.txt", "C   Dn\n10 ms\nC   Up\n");
            },
            [arguments](const fs::path& folder) {
                std::vector<std::string> withFolder;
                for (const std::string& argument : arguments) {
                    withFolder.push_back(argument.starts_with("@") ? (folder / argument.substr(1)).string() : argument);
                }
                return Kz7ctl(folder, withFolder) != 0;
            }};
    return action;
}

// A delete that failed only to sync the folder did delete: once more, the
// macro is no longer there to delete.
SaveAction DeleteJump() {
    SaveAction action = Kz7ctlAction("macros delete", {"macros", "delete", "Jump"});
    action.again = [run = action.run](const fs::path& folder) {
        return MacroStore(folder / kRecordFileName).Read().HasSection("Jump") && run(folder);
    };
    return action;
}

TEST(SaveFaults, Kz7ctlFailsWhenASaveFails) {
    // "@name" is a file of the action's folder.
    for (const SaveAction& action : {
             Kz7ctlAction("init", {"init", "@config.bin"}),
             Kz7ctlAction("macros save", {"macros", "save", "Fire", "@macro.txt"}),
             DeleteJump(),
             Kz7ctlAction("macros loop", {"macros", "loop", "Jump", "7"}),
             Kz7ctlAction("macros compile", {"macros", "compile"}),
         }) {
        ExpectEveryFailedCallReported(action);
    }
    // A whole apply takes a third of a second on the simulated mouse's real
    // pauses; the error number makes no difference to kz7ctl's own course.
    const int oneError[] = {EIO};
    ExpectEveryFailedCallReported(Kz7ctlAction("apply", {"apply", "--simulate"}), oneError);
}

}  // namespace
}  // namespace kz7
