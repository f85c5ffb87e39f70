// Every save the program makes, with each of its file-system calls failed in
// turn: config.bin, record.ini, str.ini and the KDE files, as the window's
// models and kz7ctl make them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
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
using testing_support::FolderFiles;
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
bool ConfirmFire(const fs::path& folder) {
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
}

SaveAction Confirm() {
    return {"confirm", [](const fs::path& folder) { WriteText(folder / kRecordFileName, kRecordIni); }, ConfirmFire};
}

bool DeleteJump(const fs::path& folder) {
    DeviceConfig config = StarterConfig();
    RecordingPrompter prompter;
    MacroArea area(folder / kRecordFileName, config, prompter);
    area.Load();
    area.Select(FindMacroName(area.macroList, "Jump"));
    area.Delete();
    EXPECT_EQ(area.macroList, area.store().Names()) << "the list shows what record.ini holds";
    return !prompter.messages.empty();
}

// A delete that failed only to sync the folder did delete: once more, the
// macro is no longer there to delete.
bool DeleteJumpIfThere(const fs::path& folder) {
    return MacroStore(folder / kRecordFileName).Read().HasSection("Jump") && DeleteJump(folder);
}

SaveAction Delete() {
    return {"delete", [](const fs::path& folder) { WriteText(folder / kRecordFileName, kRecordIni); }, DeleteJump,
            DeleteJumpIfThere};
}

TEST(SaveFaults, TheMacroAreaSavesRecordIni) {
    ExpectEveryFailedCallReported(Confirm());
    ExpectEveryFailedCallReported({"confirm of the first macro, which creates record.ini", [](const fs::path&) {},
                                   ConfirmFire});
    ExpectEveryFailedCallReported(Delete());
}

// KDE Plasma on X11 keeps speed and precision in kcminputrc, wheel lines
// and the double-click interval in kdeglobals.
SaveAction KdePointerSettings() {
    return {"pointer settings to KDE Plasma on X11",
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
            }};
}

TEST(SaveFaults, TheKdeFilesAreSavedAsThePointerSettingsApply) { ExpectEveryFailedCallReported(KdePointerSettings()); }

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
                WriteText(folder / "profile.json",
                          R"({"kz7Profile": 1, "reportRateHz": 500, "labels": {"chs": {"A": ["左键"]}},
                              "macros": [{"name": "Fire", "lines": ["C   Dn", "10 ms", "C   Up"]}]})");
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

SaveAction Kz7ctlDelete() {
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
             Kz7ctlDelete(),
             Kz7ctlAction("macros loop", {"macros", "loop", "Jump", "7"}),
             Kz7ctlAction("macros compile", {"macros", "compile"}),
             Kz7ctlAction("set", {"set", "--lang", "en", "button", "2", "key", "Tab"}),
             // Three files, each replaced whole; a failure puts back the ones already written.
             Kz7ctlAction("import", {"import", "@profile.json"}),
         }) {
        ExpectEveryFailedCallReported(action);
    }
    // A whole apply takes a third of a second on the simulated mouse's real
    // pauses; the error number makes no difference to kz7ctl's own course.
    const int oneError[] = {EIO};
    ExpectEveryFailedCallReported(Kz7ctlAction("apply", {"apply", "--simulate"}), oneError);
}

// A real full file system: a small tmpfs mounted for the test (root only).
class FullDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "needs root to mount a small tmpfs; the injected ENOSPC cases still ran";
        mount_ = fs::temp_directory_path() / ("kz7-full-" + std::to_string(::getpid()));
        fs::create_directories(mount_);
        if (::mount("tmpfs", mount_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0700") != 0) {
            const int error = errno;
            fs::remove(mount_);
            mount_.clear();
            GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(error);
        }
    }
    void TearDown() override {
        if (mount_.empty()) return;
        if (::umount(mount_.c_str()) != 0) ::umount2(mount_.c_str(), MNT_DETACH);
        fs::remove(mount_);
    }

    // Takes every free block, first in pages, then byte by byte.
    void FillUp() {
        const int fd = ::open((mount_ / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ASSERT_GE(fd, 0);
        const std::string page(4096, 'f');
        while (::write(fd, page.data(), page.size()) > 0) {
        }
        while (::write(fd, page.data(), 1) > 0) {
        }
        const int error = errno;
        ::close(fd);
        ASSERT_EQ(error, ENOSPC);
    }

    // The action on the full disk is reported and changes nothing; with
    // room again it saves as it does anywhere.
    void ExpectFullDiskReported(const SaveAction& action) {
        SCOPED_TRACE(action.what);
        for (const auto& entry : fs::directory_iterator(mount_)) fs::remove_all(entry.path());
        const fs::path folder = mount_ / "data";
        fs::create_directories(folder);
        action.prepare(folder);
        const FolderFiles before = testing_support::FilesIn(folder);
        FillUp();
        EXPECT_TRUE(action.run(folder)) << "a save on a full disk was reported as success";
        EXPECT_EQ(testing_support::FilesIn(folder), before);  // no temporary file either

        testing_support::TempFolder roomy;
        action.prepare(roomy.path());
        ASSERT_FALSE(action.run(roomy.path()));
        fs::remove(mount_ / "filler");
        EXPECT_FALSE(action.run(folder)) << "the save after room was made failed";
        EXPECT_EQ(testing_support::FilesIn(folder), testing_support::FilesIn(roomy.path()));
    }

    fs::path mount_;
};

TEST_F(FullDiskTest, EverySaveOnAFullDiskIsReportedAndChangesNothing) {
    for (const SaveAction& action : {Apply(1), Apply(0), Confirm(), Delete(), KdePointerSettings(),
                                     Kz7ctlAction("macros save", {"macros", "save", "Fire", "@macro.txt"})}) {
        ExpectFullDiskReported(action);
    }
}

}  // namespace
}  // namespace kz7
