#include "app/ardeno_app.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <optional>

#include "app/activation.h"
#include "app/main_window.h"
#include "app/message_prompter.h"
#include "app/skin_loading.h"
#include "app/single_instance.h"
#include "config/config_file.h"
#include "device/device_link.h"
#include "device/pauser.h"
#include "device/scramble_key.h"
#include "locale/language.h"
#include "platform/linux/evdev_key_names.h"
#include "platform/linux/hidraw_backend.h"
#include "platform/linux/pointer_backends.h"
#include "platform/linux/precise_pauser.h"
#include "platform/linux/process_env.h"
#include "pointer/memory_pointer_backend.h"
#include "pointer/pointer_settings.h"
#include "pages/advanced_page_model.h"
#include "pages/basic_page_model.h"
#include "session/apply_session.h"
#include "session/notifications.h"
#include "sim/virtual_mouse.h"
#include "skins/button_labels.h"
#include "skins/skin_settings.h"
#include "ui/dialogs/qt_dialog_runner.h"
#include "ui/skin_toolkit.h"
#include "ui/ui_text.h"

namespace kz7 {

struct CArdenoApp::Parts {
    MessageBoxPrompter prompter;
    linux_platform::PrecisePauser pauser;
    std::unique_ptr<VirtualMouse> simulatedMouse;
    std::unique_ptr<HidBackend> systemBackend;
    std::unique_ptr<DeviceWatcher> watcher;
    std::unique_ptr<DeviceLink> link;
    std::unique_ptr<PointerBackend> pointerBackend;
    std::unique_ptr<SystemPointer> pointer;
    ConfigModel model;
    ButtonLabels labels;
    std::unique_ptr<ApplySession> session;
    std::unique_ptr<BasicPageModel> basicPage;
    std::unique_ptr<AdvancedPageModel> advancedPage;
    linux_platform::EvdevKeyNames keyNames;
    ui::QtDialogRunner dialogs;
    ui::Skin skin;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ActivationService> activation;
    std::vector<std::unique_ptr<QTimer>> scheduleTimers;
};

CArdenoApp::CArdenoApp(AppOptions options)
    : options_(std::move(options)), parts_(std::make_unique<Parts>()) {}

CArdenoApp::~CArdenoApp() {
    // The window stops the watcher and the listener before the mouse goes.
    if (parts_) parts_->window.reset();
}

namespace {

// Long enough to read a sentence naming several settings.
constexpr int kPointerNoticeMs = 10000;

void PrintError(const QString& text) {
    std::fprintf(stderr, "kz7: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

int CArdenoApp::Run() {
    Parts& p = *parts_;
    const UiLanguage language = SystemUiLanguage();

    // Data folder: --data-dir, the program's folder in portable use, else ~/.config/kz7.
    const std::optional<std::filesystem::path> overrideDir =
        options_.dataDir ? std::optional<std::filesystem::path>(*options_.dataDir) : std::nullopt;
    const DataFolderInputs inputs = linux_platform::CurrentDataFolderInputs(overrideDir);
    const std::filesystem::path folder = ChooseDataFolder(inputs);
    std::string why;
    if (!SeedDataFolder(folder, DefaultConfigPath(inputs.executableDir), &why)) {
        PrintError(QStringLiteral("cannot prepare the data folder %1: %2")
                       .arg(QString::fromStdString(folder.string()), QString::fromStdString(why)));
        return 1;
    }
    const DataPaths paths = DataPaths::InFolder(folder);
    // Without str.ini the texts would be black, unreadable on the dark default
    // skin: a new data folder starts with the window's initial text colour.
    if (!std::filesystem::exists(paths.settings)) {
        SkinSettings initial;
        initial.textColour = kInitialTextColour;
        if (const int error = SaveSkinChoice(paths.settings, initial); error != 0) {
            PrintError(QStringLiteral("cannot write %1: error %2")
                           .arg(QString::fromStdString(paths.settings.string()))
                           .arg(error));
        }
    }

    const std::optional<ScrambleKeyBytes> key = ResolveScrambleKey(options_.key, folder, &why);
    if (!key) {
        PrintError(QString::fromStdString(why));
        return 2;
    }

    // The mouse: the simulated one, or the system's HID devices.
    HidBackend* backend = nullptr;
    if (options_.simulate) {
        VirtualMouse::Options simOptions;
        simOptions.dialect = options_.simPlainDialect ? VirtualMouse::Dialect::Plain
                                                      : VirtualMouse::Dialect::Scrambled;
        simOptions.key = *key;
        simOptions.sensorType = static_cast<std::uint8_t>(options_.simSensorType);
        simOptions.pluggedIn = !options_.simStartUnplugged;
        p.simulatedMouse = std::make_unique<VirtualMouse>(simOptions);
        backend = p.simulatedMouse.get();
        p.watcher = p.simulatedMouse->MakeWatcher();
        // A demonstration must not change the desktop's pointer settings.
        p.pointerBackend = std::make_unique<MemoryPointerBackend>();
    } else {
        p.systemBackend = std::make_unique<linux_platform::HidrawBackend>();
        backend = p.systemBackend.get();
        p.watcher = std::make_unique<linux_platform::UdevDeviceWatcher>();
        p.pointerBackend = linux_platform::MakeDesktopPointerBackend();
    }
    p.link = std::make_unique<DeviceLink>(*backend, p.pauser);
    p.link->SetScrambleKey(*key);
    // What the desktop does not let us change is news, not an error: it goes
    // to the window's tray balloon or desktop notification, once, not into a
    // box the user must click away.
    p.pointer = std::make_unique<SystemPointer>(*p.pointerBackend, p.prompter, [&p](std::string_view text) {
        if (p.window) p.window->ActiveNotifier().Notify(kInfoTitle, text, kPointerNoticeMs);
        else p.prompter.ShowMessage(text, kWarningCaption);
    });

    p.labels = LoadButtonLabels(paths.settings, language);
    p.session = std::make_unique<ApplySession>(
        ApplySession::Parts{*p.link, p.model, paths, language, p.labels, *p.pointer, p.prompter});
    p.basicPage = std::make_unique<BasicPageModel>(p.model, p.labels, language);
    p.advancedPage = std::make_unique<AdvancedPageModel>(p.model, *p.pointer, paths.record, p.prompter, language);

    ShellParts shell;
    shell.model = &p.model;
    shell.paths = paths;
    shell.link = p.link.get();
    shell.session = p.session.get();
    shell.basicPage = p.basicPage.get();
    shell.advancedPage = p.advancedPage.get();
    shell.dialogs = &p.dialogs;
    shell.keyNames = &p.keyNames;
    shell.watcher = p.watcher.get();
    shell.prompter = &p.prompter;
    shell.skin = &p.skin;
    shell.language = language;
    shell.useTray = !options_.noTray;
    shell.webLink = options_.webLink.isEmpty() ? ui::Tr(UiText::WebLink, language) : options_.webLink;
    shell.echoNotifications = options_.printNotifications;
    shell.loadSkinSettings = [settings = paths.settings](ui::Skin& skin) {
        LoadSkinInto(skin, settings);
    };
    shell.openUrl = [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); };
    shell.quit = [] { QCoreApplication::exit(0); };
    shell.labels = &p.labels;
    shell.chooseProfileFile = [&p, language, folder = paths.folder](bool forWriting) {
        const QString filter = ui::Tr(UiText::ProfileFileFilter, language);
        const QString start = QString::fromStdString((folder / "kz7-profile.json").string());
        return forWriting
                   ? QFileDialog::getSaveFileName(p.window.get(), ui::Tr(UiText::TrayExportProfile, language), start, filter)
                   : QFileDialog::getOpenFileName(p.window.get(), ui::Tr(UiText::TrayImportProfile, language), start, filter);
    };

    p.window = std::make_unique<MainWindow>(std::move(shell));
    p.prompter.SetParent(p.window.get());
    p.dialogs.SetContext(
        ui::DialogContext{p.window.get(), &p.skin, language, &p.prompter, &p.keyNames, paths.record});
    p.window->Initialise();
    MainWindow* window = p.window.get();
    p.activation = std::make_unique<ActivationService>([window] {
        if (!window->HasTray()) window->OnTrayLeftClick();
    });
    p.activation->Register();

    // The simulated mouse's script, timed from now.
    if (p.simulatedMouse) {
        VirtualMouse* mouse = p.simulatedMouse.get();
        for (const SimStep& step : options_.simSchedule) {
            auto timer = std::make_unique<QTimer>();
            timer->setSingleShot(true);
            timer->setInterval(static_cast<int>(step.at.count()));
            QObject::connect(timer.get(), &QTimer::timeout, [mouse, step] {
                switch (step.action) {
                    case SimStep::Action::Event:
                        mouse->SendEvent(static_cast<std::uint8_t>(step.code),
                                         static_cast<std::uint8_t>(step.value));
                        break;
                    case SimStep::Action::Unplug: mouse->Unplug(); break;
                    case SimStep::Action::Plug: mouse->PlugIn(); break;
                }
            });
            timer->start();
            p.scheduleTimers.push_back(std::move(timer));
        }
    }

    std::fprintf(stdout, "kz7: ready (%s)\n", p.window->HasTray() ? "tray" : "window");
    std::fflush(stdout);
    return QApplication::exec();
}

int CArdenoApp::Main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const ParsedOptions parsed = ParseAppOptions(arguments);
    if (parsed.outcome == ParseOutcome::ExitOk) {
        std::fprintf(stdout, "%s\n", parsed.message.toLocal8Bit().constData());
        return 0;
    }
    if (parsed.outcome == ParseOutcome::ExitError) {
        PrintError(parsed.message);
        return 2;
    }

    // A second copy leaves before it opens any window or touches the mouse.
    SingleInstance instance(parsed.options.lockFolder);
    if (!instance.Acquire()) {
        QCoreApplication bus(argc, argv);
        AskRunningCopyToActivate();
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kz7"));
    QApplication::setDesktopFileName(QStringLiteral("kz7"));
    // The window hides instead of closing; only Exit and the close button end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    CArdenoApp app(parsed.options);
    return app.Run();
}

}  // namespace kz7
