#include "app/main_window.h"

#include <QCloseEvent>

#include <cerrno>
#include <cstring>

#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>

#include "app/qt_notifiers.h"
#include "app/skin_loading.h"
#include "config/atomic_file.h"
#include "macros/macro_messages.h"
#include "platform/json/profile_json.h"
#include "session/connect.h"
#include "session/notifications.h"
#include "skins/skin_images.h"
#include "skins/skins_dialog_model.h"
#include "ui/layout/frame_zones.h"
#include "ui/layout/window_sizes.h"
#include "ui/pages/advanced_page_view.h"
#include "ui/pages/basic_page_view.h"
#include "ui/pages/settings_pages.h"
#include "ui/ui_text.h"
#include "ui/widgets/text_button.h"

// Resources of a static library must be registered by name.
static void RegisterAppResources() { Q_INIT_RESOURCE(kz7app); }

namespace kz7 {
MainWindow::MainWindow(ShellParts parts, QWidget* parent)
    : QWidget(parent), parts_(std::move(parts)) {
    RegisterAppResources();
    // No caption, no taskbar button: the window lives behind the tray icon.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::Tool);
    setWindowTitle(QStringLiteral("kz7"));
    setWindowIcon(QIcon(QStringLiteral(":/kz7/kz7.png")));
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    surface_ = std::make_unique<ui::SkinSurface>(this, *parts_.skin, ui::MissingImage::Skip);
    resize(kMainWindowWidth, kMainWindowHeight);
    BuildFrame();
    // Views show the record: whatever changes it, the page shown is drawn anew.
    modelSubscription_ = parts_.model->Subscribe([this](ConfigPart) {
        RedrawPage();
    });
    // Enter and Escape hide the window whichever of its controls has the focus.
    QCoreApplication::instance()->installEventFilter(this);
    eventPacer_.setSingleShot(true);
    eventPacer_.setInterval(parts_.eventPacingMs);
    connect(&eventPacer_, &QTimer::timeout, this, [this] { ShowWaitingEvents(); });
}

MainWindow::~MainWindow() {
    parts_.model->Unsubscribe(modelSubscription_);
    // The watcher and the listener call into this window: stop them first.
    if (parts_.watcher) parts_.watcher->Stop();
    if (parts_.link) parts_.link->CloseLink();
}

QString MainWindow::Tr(UiText id) const { return ui::Tr(id, parts_.language); }

void MainWindow::Initialise() {
    CreateFonts();
    CreateTray();
    ConnectMouse();

    // Cancel returns to what was loaded (a missing file is reported and leaves the record as it was).
    LoadConfig(parts_.paths.config, *parts_.model, *parts_.prompter);
    parts_.model->Snapshot();

    if (parts_.loadSkinSettings) parts_.loadSkinSettings(*parts_.skin);
    if (!surface_->LoadCanvas(skin_image::kMain)) {
        // Without "main.png" nothing can be drawn; keep the layout's size so
        // that the frame's zones still work.
        resize(kMainWindowWidth, kMainWindowHeight);
    }
    if (parts_.link->devicePresent) DrawBasicPage();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    // With a tray the program rests there; without one the window is the
    // only way in, so it is shown.
    if (tray_) {
        hide();
    } else {
        show();
        raise();
        activateWindow();
    }
}

void MainWindow::CreateFonts() {
    const ui::UiFonts fonts = ui::UiFontsFor(parts_.language);
    smallFont_ = fonts.small;
    largeFont_ = fonts.large;
    surface_->SetSmallFont(smallFont_);
    const ui::PageLook look{parts_.language, largeFont_, smallFont_};
    DeviceLink* link = parts_.link;
    basicView_ = std::make_unique<ui::BasicPageView>(
        *parts_.basicPage, look,
        ui::BasicPageView::Parts{this, parts_.prompter, parts_.dialogs,
                                 [link] { return link->Images().activeSensorType; }});
    ui::Skin* skin = parts_.skin;
    advancedView_ = std::make_unique<ui::AdvancedPageView>(
        *parts_.advancedPage, look,
        ui::AdvancedPageView::Parts{this, parts_.dialogs, parts_.keyNames, [skin] { return skin->TextColor(); }});
    for (ui::PageView* view : {basicView_.get(), advancedView_.get()}) {
        view->SetRedraw([this] { RedrawPage(); });
        view->SetControlRedraw([this](ui::Control& control) {
            if (shutDown_) return;
            ui::DrawingPass pass(*surface_);
            if (pass.Active()) control.Draw(pass, surface_->IsHighlighted(control));
        });
    }
}

void MainWindow::BuildFrame() {
    using ui::TextButton;
    constexpr int kOkApplyCancel = 1;
    const TextButton::Look textButton{};
    auto label = [this](UiText id) { return [this, id] { return Tr(id); }; };
    auto whenConnected = [this](auto action) {
        return [this, action] {
            if (parts_.link->devicePresent) action();
        };
    };
    frame_.Add<TextButton>(frame::kOk, textButton, label(UiText::Ok), whenConnected([this] { ApplyToMouse(true); }),
                           TextButton::Route::GoesOn)
        .SetHoverGroup(kOkApplyCancel);
    frame_.Add<TextButton>(frame::kApply, textButton, label(UiText::Apply),
                           whenConnected([this] { ApplyToMouse(false); }), TextButton::Route::GoesOn)
        .SetHoverGroup(kOkApplyCancel);
    frame_.Add<TextButton>(frame::kCancel, textButton, label(UiText::Cancel), [this] { CancelEdits(); },
                           TextButton::Route::GoesOn)
        .SetHoverGroup(kOkApplyCancel);
    frame_.Add<TextButton>(frame::kSkins, TextButton::Look{skin_image::kSkinsButtonImages}, nullptr,
                           [this] { ChooseSkin(); }, TextButton::Route::GoesOn);
    frame_.Add<TextButton>(frame::kMinimise, TextButton::Look{skin_image::kMinimiseButtonImages}, nullptr,
                           [this] { hide(); });
    frame_.Add<TextButton>(frame::kClose, TextButton::Look{skin_image::kCloseButtonImages}, nullptr,
                           [this] { Shutdown(); });
    frame_.Add<TextButton>(frame::kBasicTab, TextButton::Look{skin_image::kBasicTabImages}, nullptr,
                           [this] { DrawBasicPage(); });
    frame_.Add<TextButton>(frame::kAdvancedTab, TextButton::Look{skin_image::kAdvancedTabImages}, nullptr,
                           [this] { DrawAdvancedPage(); });
    frame_.Add<TextButton>(frame::kWebLink, TextButton::Look{{}, false}, [this] { return parts_.webLink; }, [this] {
        if (parts_.openUrl && !parts_.webLink.isEmpty()) parts_.openUrl(parts_.webLink);
    });
}

void MainWindow::CreateTray() {
    if (parts_.useTray) CreateTrayIcon();
    ChooseNotifier();
    if (parts_.useTray && !tray_) {
        // Started with the session, the program may come up before the panel
        // that hosts the tray: keep looking for a while and move in when it appears.
        auto* watch = new QTimer(this);
        watch->setInterval(kTrayWatchIntervalMs);
        connect(watch, &QTimer::timeout, this, [this, watch, tries = 0]() mutable {
            if (CreateTrayIcon()) ChooseNotifier();
            if (tray_ || ++tries >= kTrayWatchTries) watch->deleteLater();
        });
        watch->start();
    }
}

bool MainWindow::CreateTrayIcon() {
    if (tray_ || !QSystemTrayIcon::isSystemTrayAvailable()) return false;
    tray_ = std::make_unique<QSystemTrayIcon>(windowIcon());
    tray_->setToolTip(QStringLiteral("Gaming mouse setting"));
    trayMenu_ = std::make_unique<QMenu>();
    QAction* exportAction = trayMenu_->addAction(Tr(UiText::TrayExportProfile));
    connect(exportAction, &QAction::triggered, this, [this] { ExportProfile(); });
    QAction* importAction = trayMenu_->addAction(Tr(UiText::TrayImportProfile));
    connect(importAction, &QAction::triggered, this, [this] { ImportProfile(); });
    trayMenu_->addSeparator();
    QAction* exitAction = trayMenu_->addAction(Tr(UiText::TrayExit));
    connect(exitAction, &QAction::triggered, this, [this] { Shutdown(); });
    tray_->setContextMenu(trayMenu_.get());
    connect(tray_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
                    OnTrayLeftClick();
                }
            });
    tray_->show();
    return true;
}

void MainWindow::ChooseNotifier() {
    echoNotifier_.reset();
    ownNotifier_.reset();
    if (parts_.notifier) {
        notifier_ = parts_.notifier;
    } else if (tray_) {
        ownNotifier_ = std::make_unique<TrayNotifier>(*tray_);
        notifier_ = ownNotifier_.get();
    } else {
        ownNotifier_ = std::make_unique<DbusNotifier>(QStringLiteral("kz7"));
        notifier_ = ownNotifier_.get();
    }
    if (parts_.echoNotifications) {
        echoNotifier_ = std::make_unique<EchoingNotifier>(*notifier_, stdout);
        notifier_ = echoNotifier_.get();
    }
}

void MainWindow::ConnectMouse() {
    DeviceLink& link = *parts_.link;
    // The link calls back from its listener thread and from whichever thread
    // runs the handshake; everything visible happens on the window thread.
    // The queue between them stays a few entries long however fast the mouse
    // sends, and one wake-up stands for a whole batch.
    link.SetEventCallback([this](DeviceEvent event, int value) {
        // A report the window shows nothing for must not take the place of one it shows.
        if (!HasNotification(event, value)) return;
        if (events_.Push(event, value)) {
            QMetaObject::invokeMethod(this, [this] { EventsWaiting(); }, Qt::QueuedConnection);
        }
    });
    if (const auto message = StartupMessage(Connect(link), parts_.language)) {
        parts_.prompter->ShowMessage(*message, kWarningCaption);
    }
    link.StartListener();
    if (parts_.watcher) {
        std::string why;
        const bool watching = parts_.watcher->Start(
            [this](const DeviceChange& change) {
                QMetaObject::invokeMethod(this, [this, change] { OnDeviceChange(change); },
                                          Qt::QueuedConnection);
            },
            &why);
        if (!watching) {
            // The window still works with the mouse found at start; only
            // plugging in and out goes unnoticed.
            parts_.prompter->ShowMessage("Cannot watch for the mouse being plugged in or out: " + why,
                                         {});
        }
    }
}

// ---- Tray ----------------------------------------------------------------------

void MainWindow::OnTrayLeftClick() {
    if (!parts_.link->devicePresent) {
        ShowNotification(DeviceEvent::NoMouse, 0);
        return;
    }
    if (reloadAfterCancel_) {
        reloadAfterCancel_ = false;
        // Cancel restored the record: rebuild the page from it.
        if (page_ == kBasicPage && parts_.loadSkinSettings) parts_.loadSkinSettings(*parts_.skin);
        RebuildPage();
    } else if (!deviceDataLoaded_) {
        DrawBasicPage();
    }
    show();
    raise();
    activateWindow();
}

// ---- Mouse events and plug handling ---------------------------------------------------

void MainWindow::OnDeviceEvent(DeviceEvent event, int value) {
    ShowNotification(event, value);
    // The mouse is gone or was refused: nothing in the window can reach it.
    if (event == DeviceEvent::NoMouse) hide();
}

void MainWindow::EventsWaiting() {
    if (!eventPacer_.isActive()) ShowWaitingEvents();  // else the pacer shows them when it runs out
}

void MainWindow::ShowWaitingEvents() {
    const std::vector<QueuedEvent> batch = events_.TakeAll();
    if (batch.empty()) return;
    for (const QueuedEvent& queued : batch) OnDeviceEvent(queued.event, queued.value);
    eventPacer_.start();
}

void MainWindow::ShowNotification(DeviceEvent event, int value) {
    const DeviceImages& images = parts_.link->Images();
    const std::optional<Notification> balloon =
        NotificationFor(event, value, parts_.language, images.activeSensorType,
                        std::span<const std::uint8_t>(parts_.model->config.dpiLevel));
    if (balloon) notifier_->Notify(balloon->title, balloon->text, balloon->timeoutMs);
}

void MainWindow::OnDeviceChange(const DeviceChange& change) {
    if (shutDown_) return;
    parts_.link->OnDeviceChange(change);
    if (!parts_.link->devicePresent) hide();
}

// ---- Pages -----------------------------------------------------------------------

void MainWindow::DrawBasicPage() {
    // The first drawing with the mouse there reads it (its sensor's DPI table,
    // the first-run labels) before anything is shown.
    if (!deviceDataLoaded_ && parts_.link->devicePresent) {
        parts_.session->FirstDeviceRead();
        deviceDataLoaded_ = true;
    }
    DrawPage(kBasicPage);
}

void MainWindow::DrawAdvancedPage() { DrawPage(kAdvancedPage); }

ui::PageView* MainWindow::CurrentPageView() const {
    switch (page_) {
        case kBasicPage: return basicView_.get();
        case kAdvancedPage: return advancedView_.get();
        case kNoPage: break;
    }
    return nullptr;
}

void MainWindow::DrawPage(Page page) {
    // A page is entered when it replaces the other one; the same page is drawn again as it is.
    if (page != page_) {
        if (ui::PageView* leaving = CurrentPageView()) leaving->TearDown();
        page_ = page;
        CurrentPageView()->Entered();
    }
    RedrawPage();
}

void MainWindow::RebuildPage() {
    if (ui::PageView* view = CurrentPageView()) {
        view->TearDown();
        view->Entered();
    }
    RedrawPage();
}

void MainWindow::RedrawPage() {
    ui::PageView* view = CurrentPageView();
    if (!view || shutDown_) return;
    surface_->SetControls({&frame_, &view->Controls()});
    ui::DrawingPass pass(*surface_);
    if (!pass.Active()) return;
    view->Draw(pass);
    frame_.DrawAll(pass);
}

// ---- Frame clicks ----------------------------------------------------------------

void MainWindow::ClickAt(QPoint point) {
    const ui::ClickResult frame = frame_.ClickAt(point);
    if (frame.ends || shutDown_) return;
    ui::PageView* view = CurrentPageView();
    const bool pageTook = view && view->Click(point);
    // The window has no caption: a press on no control moves the window.
    if (!frame.hit && !pageTook && isVisible()) StartCaptionDrag(point);
}

void MainWindow::CancelEdits() {
    parts_.model->Revert();
    reloadAfterCancel_ = true;
    hide();
}

void MainWindow::ApplyToMouse(bool hideAfterwards) {
    // Failures were reported as they happened; the window goes on either way.
    parts_.session->Apply();
    if (hideAfterwards) hide();
}

// ---- Profiles ------------------------------------------------------------------

ProfileState MainWindow::ProfileShown() const {
    ProfileState state;
    state.config = parts_.model->config;
    for (std::size_t i = 0; i < kProfileLanguages.size(); ++i) {
        state.labels[i] = kProfileLanguages[i] == parts_.language && parts_.labels
                              ? *parts_.labels
                              : LoadButtonLabels(parts_.paths.settings, kProfileLanguages[i]);
    }
    state.macros = ReadProfileMacros(IniFile::Load(parts_.paths.record), state.config);
    const SkinSettings skin = SkinSettingsOf(*parts_.skin);
    state.skin.skinName = skin.skinName;
    state.skin.textColour = skin.textColour;
    return state;
}

void MainWindow::ExportProfile() {
    if (!parts_.chooseProfileFile) return;
    const QString file = parts_.chooseProfileFile(true);
    if (file.isEmpty()) return;
    const std::string document = ExportProfileJson(ProfileShown(), parts_.link->Images().activeSensorType);
    if (const int error = WriteFileAtomically(file.toStdString(), document); error != 0) {
        parts_.prompter->ShowMessage(Tr(UiText::ProfileNotExported).toStdString() + " " + file.toStdString() + ": " +
                                         std::strerror(error),
                                     kWarningCaption);
    }
}

void MainWindow::ImportProfile() {
    if (!parts_.chooseProfileFile || shutDown_) return;
    const QString file = parts_.chooseProfileFile(false);
    if (file.isEmpty()) return;
    const std::string notImported = Tr(UiText::ProfileNotImported).toStdString();
    std::string text;
    if (!ReadWholeFile(file.toStdString(), text)) {
        parts_.prompter->ShowMessage(notImported + "\n" + file.toStdString() + ": " + std::strerror(errno), kWarningCaption);
        return;
    }
    // The first read of the mouse gives a never-saved record its default
    // labels; it must come before the profile's, not over them.
    if (parts_.link->devicePresent && !deviceDataLoaded_) DrawBasicPage();

    const ImportedProfile imported = ImportProfileJson(text, ProfileShown());
    if (!imported.state) {
        // A box lists the first problems; a long list would not fit the screen.
        constexpr std::size_t kShownProblems = 12;
        std::string message = notImported;
        for (std::size_t i = 0; i < imported.problems.size() && i < kShownProblems; ++i) {
            const ProfileProblem& problem = imported.problems[i];
            message += "\n" + (problem.path.empty() ? std::string() : problem.path + ": ") + problem.message;
        }
        if (imported.problems.size() > kShownProblems) {
            message += "\n(" + std::to_string(imported.problems.size() - kShownProblems) + " more)";
        }
        parts_.prompter->ShowMessage(message, kWarningCaption);
        return;
    }
    const ProfileState& state = *imported.state;
    if (const std::string failed = WriteProfileState(parts_.paths, state, ProfileFiles::BesideTheRecord); !failed.empty()) {
        parts_.prompter->ShowMessage(notImported + "\n" + failed, kWarningCaption);
        return;
    }
    for (const MacroCut& cut : imported.cutMacros) {
        parts_.prompter->ShowMessage(MacroCutMessage(cut.name, cut.firstLineLeftOut), kWarningCaption);
    }
    for (std::size_t i = 0; i < kProfileLanguages.size(); ++i) {
        if (kProfileLanguages[i] == parts_.language && parts_.labels) *parts_.labels = state.labels[i];
    }
    if (parts_.loadSkinSettings) parts_.loadSkinSettings(*parts_.skin);
    parts_.model->config = state.config;
    if (CurrentPageView()) RebuildPage();
    parts_.model->NotifyChanged(ConfigPart::Everything);
    if (parts_.link->devicePresent) {
        show();
        raise();
        activateWindow();
    }
}

void MainWindow::ChooseSkin() {
    const std::optional<SkinSettings> chosen = parts_.dialogs->RunSkins(SkinSettingsOf(*parts_.skin));
    if (!chosen) return;
    UseSkinSettings(*parts_.skin, *chosen);
    // The choice is in use either way; the user learns that it will not be there next time.
    if (const int error = SaveSkinChoice(parts_.paths.settings, *chosen); error != 0) {
        parts_.prompter->ShowMessage(SkinChoiceNotSavedMessage(parts_.paths.settings, error), kWarningCaption);
    }
    // Drawn at once into the canvas the window has, so its size stays.
    if (CurrentPageView()) {
        RebuildPage();
    } else if (!shutDown_) {
        ui::DrawingPass pass(*surface_);
        pass.DrawImage(skin_image::kMain, 0, 0);
    }
    show();
}

void MainWindow::StartCaptionDrag(QPoint clientPoint) {
    QWindow* window = windowHandle();
    if (window && window->startSystemMove()) return;
    dragging_ = true;
    dragOffset_ = clientPoint;
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    ClickAt(event->position().toPoint());
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
    }
    const QPoint point = event->position().toPoint();
    const bool onLink = frame::kWebLink.Contains(point.x(), point.y());
    if (onLink != (cursor().shape() == Qt::PointingHandCursor)) {
        setCursor(onLink ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    QWidget::mouseMoveEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

namespace {
bool IsHidingKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter ||
           event.key() == Qt::Key_Escape;
}
}  // namespace

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (IsHidingKey(*event)) {
        TakeHidingKey();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched != this && watched->isWidgetType() &&
        isAncestorOf(static_cast<QWidget*>(watched)) &&
        IsHidingKey(*static_cast<QKeyEvent*>(event))) {
        TakeHidingKey();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::TakeHidingKey() {
    // While a list is open the key neither chooses a row nor hides the window.
    const ui::PageView* view = CurrentPageView();
    if (view && view->ListOpen()) return;
    hide();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (shutDown_) {
        event->accept();
        return;
    }
    // Closing only hides: the program keeps running in the tray.
    event->ignore();
    hide();
}

void MainWindow::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    if (parts_.watcher) parts_.watcher->Stop();
    parts_.link->CloseLink();
    if (tray_) tray_->hide();
    hide();
    // Nothing is saved on the way out: unapplied edits are dropped.
    if (parts_.quit) parts_.quit();
}

}  // namespace kz7
