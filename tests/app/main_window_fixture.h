#pragma once

// The main window over a simulated mouse, with every outside effect recorded.

#include <QCloseEvent>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/notifier.h"
#include "app/skin_loading.h"
#include "config/config_file.h"
#include "config/starter_config.h"
#include "device/device_link.h"
#include "device/dpi_tables.h"
#include "device/link_fixture.h"
#include "device/pauser.h"
#include "device/wire_trace.h"
#include "platform/linux/evdev_key_names.h"
#include "pointer/memory_pointer_backend.h"
#include "qt_app_fixture.h"
#include "session/apply_session.h"
#include "session/connect.h"
#include "sim/virtual_mouse.h"
#include "skins/button_labels.h"
#include "ui/layout/advanced_page_zones.h"
#include "ui/layout/basic_page_zones.h"
#include "ui/layout/dialog_zones.h"
#include "ui/layout/frame_zones.h"
#include "ui/layout/window_sizes.h"
#include "support/run_command.h"
#include "support/temp_folder.h"


namespace kz7::testing {

using Shown = RecordingNotifier::Shown;
using namespace std::chrono_literals;

inline QPoint Centre(const HotZone& zone) {
    return {(zone.left + zone.right) / 2, (zone.top + zone.bottom) / 2};
}

// The main window over a simulated mouse, with every outside effect recorded.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { testing::TestApplication(); }

    void TearDown() override {
        CloseWindow();
        if (dataFolder.empty()) std::filesystem::remove_all(folder);
    }

    // The window and what it works with go; the data folder stays.
    void CloseWindow() {
        window.reset();
        advancedPage.reset();
        basicPage.reset();
        session.reset();
        link.reset();
        tracing.reset();
    }

    void Start(bool pluggedIn = true, std::uint8_t sensorType = 0,
               VirtualMouse::Dialect dialect = VirtualMouse::Dialect::Scrambled) {
        if (dataFolder.empty()) {
            folder = std::filesystem::temp_directory_path() /
                     ("kz7-app-test-" + std::to_string(::getpid()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
            std::filesystem::remove_all(folder);
            std::filesystem::create_directories(folder);
        } else {
            folder = dataFolder;
        }
        paths = DataPaths::InFolder(folder);
        traceLines.clear();
        if (dataFolder.empty()) {
            const auto image = ConfigFileImage(firstRunFlag, StarterConfig());
            std::ofstream(paths.config, std::ios::binary)
                .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
            if (!strIni.empty()) std::ofstream(paths.settings, std::ios::binary) << strIni;
        }

        VirtualMouse::Options options;
        options.pluggedIn = pluggedIn;
        options.sensorType = sensorType;
        options.dialect = dialect;
        mouse = std::make_unique<VirtualMouse>(options);
        watcher = mouse->MakeWatcher();
        backend = std::make_unique<testing::ShuffledBackend>(*mouse);
        backend->refused = refusedPaths;
        if (traceWire) {
            tracing = std::make_unique<TracingBackend>(*backend, trace);
            link = std::make_unique<DeviceLink>(*tracing, tracingPauser);
        } else {
            link = std::make_unique<DeviceLink>(*backend, pauser);
        }
        desktop = MemoryPointerBackend{};
        pointer = std::make_unique<SystemPointer>(desktop, prompter);
        labels = LoadButtonLabels(paths.settings, UiLanguage::English);
        session = std::make_unique<ApplySession>(
            ApplySession::Parts{*link, model, paths, UiLanguage::English, labels, *pointer, prompter});
        basicPage = std::make_unique<BasicPageModel>(model, labels, UiLanguage::English);
        advancedPage =
            std::make_unique<AdvancedPageModel>(model, *pointer, paths.record, prompter, UiLanguage::English);

        ShellParts parts;
        parts.model = &model;
        parts.paths = paths;
        parts.link = link.get();
        parts.session = session.get();
        parts.basicPage = basicPage.get();
        parts.advancedPage = advancedPage.get();
        parts.dialogs = dialogRunner != nullptr ? dialogRunner : &dialogs;
        parts.keyNames = &keyNames;
        parts.watcher = watcher.get();
        parts.prompter = &prompter;
        parts.skin = &skin;
        parts.notifier = &notifier;
        parts.useTray = false;
        parts.webLink = QStringLiteral("https://example.org/kz7-test");
        parts.eventPacingMs = eventPacingMs;
        parts.loadSkinSettings = [this](ui::Skin& s) {
            ++skinLoads;
            LoadSkinInto(s, paths.settings);
            if (!skinFolderOverride.isEmpty()) s.SetFolder(skinFolderOverride);
        };
        parts.openUrl = [this](const QString& url) { openedUrls.push_back(url); };
        parts.quit = [this] { ++quits; };
        parts.labels = &labels;
        parts.chooseProfileFile = [this](bool forWriting) {
            profileRequests.push_back(forWriting);
            return profileFile;
        };
        window = std::make_unique<MainWindow>(std::move(parts));
        window->Initialise();
        SpinFor(50ms);
    }

    std::optional<ConfigImage> SavedImage() const {
        std::string why;
        return ReadConfigImage(paths.config, &why);
    }

    void Press(int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &press);
    }

    bool NotifiedWith(const Shown& expected) {
        return SpinUntil([&] {
            return !notifier.shown.empty() && notifier.shown.back() == expected;
        });
    }

    std::filesystem::path folder;
    // Set before Start: the window works on the files already in this
    // folder, which outlives it, instead of a fresh folder of its own.
    std::filesystem::path dataFolder;
    DataPaths paths;
    RecordingPauser pauser;
    std::vector<std::string> traceLines;
    WireTrace trace{[this](std::string_view line) { traceLines.emplace_back(line); }};
    TracingPauser tracingPauser{pauser, trace};
    std::unique_ptr<TracingBackend> tracing;
    // Set before Start: every transfer and event report goes into traceLines.
    bool traceWire = true;
    int eventPacingMs = ShellParts{}.eventPacingMs;  // set before Start
    std::uint8_t firstRunFlag = 0;  // of the config.bin the window starts with
    std::string strIni;             // str.ini the window starts with; none when empty
    RecordingPrompter prompter;
    RecordingNotifier notifier;
    ConfigModel model;
    ui::Skin skin;
    std::unique_ptr<VirtualMouse> mouse;
    std::unique_ptr<DeviceWatcher> watcher;
    std::vector<std::string> refusedPaths;  // nodes of the mouse that cannot be opened
    std::unique_ptr<testing::ShuffledBackend> backend;
    std::unique_ptr<DeviceLink> link;
    MemoryPointerBackend desktop;
    std::unique_ptr<SystemPointer> pointer;
    ButtonLabels labels;
    std::unique_ptr<ApplySession> session;
    std::unique_ptr<BasicPageModel> basicPage;
    std::unique_ptr<AdvancedPageModel> advancedPage;
    ScriptedDialogRunner dialogs;
    linux_platform::EvdevKeyNames keyNames;
    DialogRunner* dialogRunner = nullptr;  // set before Start: runs these dialogs instead of the script
    std::unique_ptr<MainWindow> window;
    QString skinFolderOverride;
    int skinLoads = 0;
    int quits = 0;
    QString profileFile;               // what the profile file dialog answers
    std::vector<bool> profileRequests;  // true: asked for a file to write

    bool LabelsSaved() const { return std::filesystem::exists(paths.settings); }
    std::vector<QString> openedUrls;
};

}  // namespace kz7::testing
