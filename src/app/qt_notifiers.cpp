#include "app/qt_notifiers.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
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

bool DbusNotifier::ServerAvailable() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) return false;
    const QDBusReply<bool> registered = bus.interface()->isServiceRegistered(kService);
    if (registered.isValid() && registered.value()) return true;
    // Servers started on demand are activatable but not yet registered.
    const QDBusReply<QStringList> activatable = bus.interface()->activatableServiceNames();
    return activatable.isValid() && activatable.value().contains(kService);
}

void DbusNotifier::Notify(std::string_view title, std::string_view text, int timeoutMs) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, "Notify");
    call << QStringLiteral("kz7") << lastId_ << iconName_ << FromUtf8(title) << FromUtf8(text)
         << QStringList{} << QVariantMap{} << ShownTimeoutMs(timeoutMs);
    // Short wait: a missing or hung server must not freeze the window.
    const QDBusMessage reply = bus.call(call, QDBus::Block, 1000);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        lastId_ = reply.arguments().first().toUInt();
    }
}

void EchoingNotifier::Notify(std::string_view title, std::string_view text, int timeoutMs) {
    std::fprintf(out_, "notification: %.*s: %.*s\n", static_cast<int>(title.size()), title.data(),
                 static_cast<int>(text.size()), text.data());
    std::fflush(out_);
    inner_.Notify(title, text, timeoutMs);
}

}  // namespace kz7
