#include "app/ardeno_dlg.h"

#include <QCloseEvent>
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
#include "session/connect.h"
#include "session/notifications.h"
#include "skins/hot_zones.h"
#include "skins/skin_images.h"
#include "ui/ui_text.h"

// Resources of a static library must be registered by name.
static void RegisterAppResources() { Q_INIT_RESOURCE(kz7app); }

namespace kz7 {
CArdenoDlg::CArdenoDlg(ShellParts parts, QWidget* parent)
    : QWidget(parent), parts_(std::move(parts)) {
    RegisterAppResources();
    // No caption, no taskbar button: the window lives behind the tray icon.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::Tool);
    setWindowTitle(QStringLiteral("kz7"));
    setWindowIcon(QIcon(QStringLiteral(":/kz7/kz7.png")));
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    surface_ = std::make_unique<ui::SkinSurface>(this, *parts_.skin, ui::MissingImage::Skip);
    surface_->SetHoverLabels([this](HoverZoneId id) { return HoverLabel(id); });
    resize(kMainWindowWidth, kMainWindowHeight);
    // Enter and Escape hide the window whichever of its controls has the focus.
    QCoreApplication::instance()->installEventFilter(this);
}

CArdenoDlg::~CArdenoDlg() {
    // The watcher and the listener call into this window: stop them first.
    if (parts_.watcher) parts_.watcher->Stop();
    if (parts_.link) parts_.link->CloseLink();
}

QString CArdenoDlg::Tr(UiText id) const { return ui::Tr(id, parts_.language); }

void CArdenoDlg::Initialise() {
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

void CArdenoDlg::CreateFonts() {
    const ui::UiFonts fonts = ui::UiFontsFor(parts_.language);
    smallFont_ = fonts.small;
    largeFont_ = fonts.large;
    surface_->SetSmallFont(smallFont_);
}

void CArdenoDlg::CreateTray() {
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

bool CArdenoDlg::CreateTrayIcon() {
    if (tray_ || !QSystemTrayIcon::isSystemTrayAvailable()) return false;
    tray_ = std::make_unique<QSystemTrayIcon>(windowIcon());
    tray_->setToolTip(QStringLiteral("Gaming mouse setting"));
    trayMenu_ = std::make_unique<QMenu>();
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

void CArdenoDlg::ChooseNotifier() {
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

void CArdenoDlg::ConnectMouse() {
    DeviceLink& link = *parts_.link;
    // The link calls back from its listener thread and from whichever thread
    // runs the handshake; everything visible happens on the window thread.
    link.SetEventCallback([this](DeviceEvent event, int value) {
        QMetaObject::invokeMethod(this, [this, event, value] { OnDeviceEvent(event, value); },
                                  Qt::QueuedConnection);
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

void CArdenoDlg::OnTrayLeftClick() {
    if (!parts_.link->devicePresent) {
        ShowNotification(DeviceEvent::NoMouse, 0);
        return;
    }
    if (reloadAfterCancel_) {
        reloadAfterCancel_ = false;
        // Cancel restored the record: rebuild the page from it.
        if (page_ == kBasicPage) {
            if (parts_.loadSkinSettings) parts_.loadSkinSettings(*parts_.skin);
            DrawBasicPage();
        } else if (page_ == kAdvancedPage) {
            DrawAdvancedPage();
        }
    } else if (!deviceDataLoaded_) {
        DrawBasicPage();
    }
    show();
    raise();
    activateWindow();
}

// ---- Mouse events and plug handling ---------------------------------------------------

void CArdenoDlg::OnDeviceEvent(DeviceEvent event, int value) {
    ShowNotification(event, value);
    // The mouse is gone or was refused: nothing in the window can reach it.
    if (event == DeviceEvent::NoMouse) hide();
}

void CArdenoDlg::ShowNotification(DeviceEvent event, int value) {
    const DeviceImages& images = parts_.link->Images();
    const std::optional<Notification> balloon =
        NotificationFor(event, value, parts_.language, images.activeSensorType,
                        std::span<const std::uint8_t>(parts_.model->config.dpiLevel));
    if (balloon) notifier_->Notify(balloon->title, balloon->text, balloon->timeoutMs);
}

void CArdenoDlg::OnDeviceChange(const DeviceChange& change) {
    if (shutDown_) return;
    parts_.link->OnDeviceChange(change);
    if (!parts_.link->devicePresent) hide();
}

// ---- Pages -----------------------------------------------------------------------

void CArdenoDlg::DrawBasicPage() {
    // The first drawing with the mouse there reads it (its sensor's DPI table,
    // the first-run labels) before anything is shown.
    if (!deviceDataLoaded_ && parts_.link->devicePresent) {
        parts_.session->FirstDeviceRead();
        deviceDataLoaded_ = true;
    }
    DrawPage(kBasicPage);
}

void CArdenoDlg::DrawAdvancedPage() { DrawPage(kAdvancedPage); }

void CArdenoDlg::DrawPage(Page page) {
    surface_->Flags().Clear();
    {
        ui::DrawingPass pass(*surface_);
        if (pass.Active()) {
            pass.DrawImage(page == kBasicPage ? skin_image::kBasicPage : skin_image::kAdvancedPage,
                           0, 0);
            pass.DrawText(Tr(page == kBasicPage ? UiText::BasicSettingsTab
                                                : UiText::AdvancedSettingsTab),
                          frame::kPageTitle, ui::TextFormat::Left, largeFont_, Qt::white);
            DrawFrame(pass, page);
        }
    }
    page_ = page;
    surface_->SetHoverSurface(page == kBasicPage ? HoverSurface::BasicPage
                                                 : HoverSurface::AdvancedPage);
}

void CArdenoDlg::DrawFrame(ui::DrawingPass& pass, Page) {
    for (HoverZoneId id : {HoverZoneId::Ok, HoverZoneId::Apply, HoverZoneId::Cancel,
                           HoverZoneId::Skins, HoverZoneId::Minimise, HoverZoneId::Close,
                           HoverZoneId::BasicTab, HoverZoneId::AdvancedTab}) {
        surface_->DrawHoverZone(pass, HoverZoneById(id), false);
    }
    pass.DrawLabel(parts_.webLink, frame::kWebLink, ui::TextFormat::Centered);
}

QString CArdenoDlg::HoverLabel(HoverZoneId id) const {
    switch (id) {
        case HoverZoneId::Ok: return Tr(UiText::Ok);
        case HoverZoneId::Apply: return Tr(UiText::Apply);
        case HoverZoneId::Cancel: return Tr(UiText::Cancel);
        default: return {};
    }
}

// ---- Frame clicks ----------------------------------------------------------------

void CArdenoDlg::ClickAt(QPoint point) {
    const int x = point.x();
    const int y = point.y();
    const bool connected = parts_.link->devicePresent;
    bool onControl = false;

    if (frame::kOk.Contains(x, y)) {
        onControl = true;
        if (connected) ApplyToMouse(true);
    }
    if (frame::kApply.Contains(x, y)) {
        onControl = true;
        if (connected) ApplyToMouse(false);
    }
    if (frame::kSkins.Contains(x, y)) {
        onControl = true;
        if (parts_.openSkinsDialog) parts_.openSkinsDialog();
    }
    if (frame::kMinimise.Contains(x, y)) {
        hide();
        return;
    }
    if (frame::kClose.Contains(x, y)) {
        Shutdown();
        return;
    }
    if (frame::kBasicTab.Contains(x, y)) {
        DrawBasicPage();
        return;
    }
    if (frame::kAdvancedTab.Contains(x, y)) {
        DrawAdvancedPage();
        return;
    }
    if (frame::kCancel.Contains(x, y)) {
        onControl = true;
        parts_.model->Revert();
        reloadAfterCancel_ = true;
        hide();
    }
    if (frame::kWebLink.Contains(x, y)) {
        if (parts_.openUrl && !parts_.webLink.isEmpty()) parts_.openUrl(parts_.webLink);
        return;
    }
    // The window has no caption: a press on no control moves the window.
    if (!onControl && isVisible()) StartCaptionDrag(point);
}

void CArdenoDlg::ApplyToMouse(bool hideAfterwards) {
    // Failures were reported as they happened; the window goes on either way.
    parts_.session->Apply();
    if (hideAfterwards) hide();
}

void CArdenoDlg::StartCaptionDrag(QPoint clientPoint) {
    QWindow* window = windowHandle();
    if (window && window->startSystemMove()) return;
    dragging_ = true;
    dragOffset_ = clientPoint;
}

void CArdenoDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    ClickAt(event->position().toPoint());
}

void CArdenoDlg::mouseMoveEvent(QMouseEvent* event) {
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

void CArdenoDlg::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

namespace {
bool IsHidingKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter ||
           event.key() == Qt::Key_Escape;
}
}  // namespace

void CArdenoDlg::keyPressEvent(QKeyEvent* event) {
    if (IsHidingKey(*event)) {
        hide();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CArdenoDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched != this && watched->isWidgetType() &&
        isAncestorOf(static_cast<QWidget*>(watched)) &&
        IsHidingKey(*static_cast<QKeyEvent*>(event))) {
        hide();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CArdenoDlg::closeEvent(QCloseEvent* event) {
    if (shutDown_) {
        event->accept();
        return;
    }
    // Closing only hides: the program keeps running in the tray.
    event->ignore();
    hide();
}

void CArdenoDlg::Shutdown() {
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
