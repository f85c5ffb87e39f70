#pragma once

#include <QFont>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "app/notifier.h"
#include "config/config_file.h"
#include "config/device_config.h"
#include "config/prompter.h"
#include "device/device_event.h"
#include "device/device_link.h"
#include "device/device_watcher.h"
#include "locale/language.h"
#include "locale/strings.h"
#include "keys/key_names.h"
#include "pages/advanced_page_model.h"
#include "pages/basic_page_model.h"
#include "pages/dialog_runner.h"
#include "profile/profile_state.h"
#include "skins/button_labels.h"
#include "session/apply_session.h"
#include "session/device_event_queue.h"
#include "ui/pages/page_view.h"
#include "ui/skin_toolkit.h"
#include "ui/widgets/control.h"

class QMenu;
class QSystemTrayIcon;

namespace kz7 {

// Everything the main window works with, owned by the application object.
struct ShellParts {
    ConfigModel* model = nullptr;
    DataPaths paths;
    DeviceLink* link = nullptr;
    // The first read of the mouse and OK / Apply.
    ApplySession* session = nullptr;
    // The models of the two pages, and the dialogs they open.
    BasicPageModel* basicPage = nullptr;
    AdvancedPageModel* advancedPage = nullptr;
    DialogRunner* dialogs = nullptr;
    // How keys are named for a macro recording; null: recording hears no keys.
    const KeyNameService* keyNames = nullptr;
    DeviceWatcher* watcher = nullptr;   // null: plugging in and out is not noticed
    Prompter* prompter = nullptr;
    ui::Skin* skin = nullptr;
    UiLanguage language = UiLanguage::English;
    // Where notifications go. Null: the window makes its own, the tray icon
    // when the desktop has a tray, else desktop notifications over D-Bus.
    Notifier* notifier = nullptr;
    // Whether a tray icon may be used; tests turn it off.
    bool useTray = true;
    // The maker's web page opened by the link at the bottom of the window.
    QString webLink;
    // Print every notification on stdout as well (for scripts).
    bool echoNotifications = false;
    // The mouse's events waiting are shown at most this often: a mouse that
    // floods its link costs the window and the desktop's notification
    // service a few notifications a second, each the newest of its kind.
    int eventPacingMs = 100;

    // Reads the skin name and text colour from str.ini into the skin.
    std::function<void(ui::Skin&)> loadSkinSettings;
    // Opens a web address in the user's browser.
    std::function<void(const QString&)> openUrl;
    // Ends the program (exit status 0).
    std::function<void()> quit;
    // The labels the boxes show, in `language` (the ones the session saves).
    ButtonLabels* labels = nullptr;
    // Asks for a profile file to write (true) or to read (false); empty when
    // the user gave none.
    std::function<QString(bool forWriting)> chooseProfileFile;
};

// The configurator's main window: a frameless, skinned tool window that rests
// hidden behind a tray icon. It owns the start-up order, the tray, the
// notifications of the mouse's events, plug and unplug, and the frame around
// the two settings pages (title-bar buttons, page tabs, OK / Apply / Cancel,
// web link). A click goes to the frame's controls, then to the page shown,
// and where neither takes it the window is dragged.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    enum Page { kNoPage = 0, kBasicPage = 1, kAdvancedPage = 2 };

    explicit MainWindow(ShellParts parts, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs the start-up steps in order. Afterwards the window is hidden when a
    // tray icon exists and shown otherwise.
    void Initialise();

    // A left click or double click on the tray icon.
    void OnTrayLeftClick();
    // An event of the mouse or its link, on the window thread.
    void OnDeviceEvent(DeviceEvent event, int value);
    // An interface of the mouse came or went (window thread).
    void OnDeviceChange(const DeviceChange& change);
    // A left click at a client point: the frame, then the page, then a caption drag.
    void ClickAt(QPoint point);
    // Close button and tray "Exit": releases the mouse and the tray and ends the program.
    void Shutdown();
    // Tray "Export profile...": the setup shown, edits not yet applied included.
    void ExportProfile();
    // Tray "Import profile...": a profile checked whole, then loaded into the
    // record (it reaches the mouse with OK or Apply, and Cancel undoes it);
    // its macros, other labels and skin are stored at once, as the pages
    // store theirs.
    void ImportProfile();

    Page CurrentPage() const { return page_; }
    bool ReloadAfterCancel() const { return reloadAfterCancel_; }
    bool DeviceDataLoaded() const { return deviceDataLoaded_; }
    bool HasTray() const { return tray_ != nullptr; }
    ui::SkinSurface& Surface() { return *surface_; }
    const ui::ControlList& FrameControls() const { return frame_; }
    ui::PageView* CurrentPageView() const;
    const QFont& LargeFont() const { return largeFont_; }
    const QFont& SmallFont() const { return smallFont_; }
    Notifier& ActiveNotifier() { return *notifier_; }
    // The mouse's events on their way to the notifications.
    const DeviceEventQueue& EventQueue() const { return events_; }
    int EventPacingMs() const { return parts_.eventPacingMs; }

    void DrawBasicPage();
    void DrawAdvancedPage();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateFonts();
    void CreateTray();
    bool CreateTrayIcon();
    void ChooseNotifier();
    void ConnectMouse();
    void ShowNotification(DeviceEvent event, int value);
    // The queue had events pushed into it while empty (window thread).
    void EventsWaiting();
    // Shows what waits and holds the next batch back for eventPacingMs.
    void ShowWaitingEvents();
    void BuildFrame();
    void DrawPage(Page page);
    // The page shown, built anew from the record (after Cancel).
    void RebuildPage();
    // The page shown, drawn again as it is.
    void RedrawPage();
    QString Tr(UiText id) const;
    ProfileState ProfileShown() const;
    void ApplyToMouse(bool hideAfterwards);
    void CancelEdits();
    // The skins button: the skins dialog, and on OK its skin and colour in use, saved and shown.
    void ChooseSkin();
    void StartCaptionDrag(QPoint clientPoint);
    // Enter or Escape reached the window.
    void TakeHidingKey();

    static constexpr int kTrayWatchIntervalMs = 1000;
    static constexpr int kTrayWatchTries = 60;

    ShellParts parts_;
    std::unique_ptr<ui::SkinSurface> surface_;
    ui::ControlList frame_;
    std::unique_ptr<ui::PageView> basicView_;
    std::unique_ptr<ui::PageView> advancedView_;
    int modelSubscription_ = 0;
    std::unique_ptr<QSystemTrayIcon> tray_;
    std::unique_ptr<QMenu> trayMenu_;
    std::unique_ptr<Notifier> ownNotifier_;
    std::unique_ptr<Notifier> echoNotifier_;
    Notifier* notifier_ = nullptr;
    QFont smallFont_;
    QFont largeFont_;

    DeviceEventQueue events_;
    QTimer eventPacer_;

    Page page_ = kNoPage;
    bool reloadAfterCancel_ = false;
    bool deviceDataLoaded_ = false;
    bool shutDown_ = false;

    // Manual window move, for platforms without a system move.
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace kz7
