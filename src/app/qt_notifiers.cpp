#include "app/qt_notifiers.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QSystemTrayIcon>
#include <QVariantMap>

namespace kz7 {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void TrayNotifier::Notify(std::string_view title, std::string_view text, int timeoutMs) {
    tray_.showMessage(FromUtf8(title), FromUtf8(text), QSystemTrayIcon::Information,
                      ShownTimeoutMs(timeoutMs));
}

void DbusNotifier::Notify(std::string_view title, std::string_view text, int timeoutMs) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    // Both interfaces of the mouse come and go together, and each raises the
    // same message; a tray balloon would replace it, a desktop would stack it.
    const QString message = FromUtf8(title) + QLatin1Char('\n') + FromUtf8(text);
    if (message == lastMessage_ && sinceLast_.isValid() && sinceLast_.elapsed() < kRepeatMs) return;
    lastMessage_ = message;
    sinceLast_.start();
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, "Notify");
    call << QStringLiteral("kz7") << lastId_ << iconName_ << FromUtf8(title) << FromUtf8(text)
         << QStringList{} << QVariantMap{} << ShownTimeoutMs(timeoutMs);
    // Asynchronous: a missing or hung server must not freeze the window.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), &context_);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &context_,
                     [this](QDBusPendingCallWatcher* finished) {
                         const QDBusPendingReply<unsigned> reply = *finished;
                         if (reply.isValid()) lastId_ = reply.value();
                         finished->deleteLater();
                     });
}

void EchoingNotifier::Notify(std::string_view title, std::string_view text, int timeoutMs) {
    std::fprintf(out_, "notification: %.*s: %.*s\n", static_cast<int>(title.size()), title.data(),
                 static_cast<int>(text.size()), text.data());
    std::fflush(out_);
    inner_.Notify(title, text, timeoutMs);
}

}  // namespace kz7
