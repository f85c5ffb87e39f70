#include "app/activation.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace kz7 {

bool ActivationService::Register() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    if (!bus.registerObject(QString::fromLatin1(kActivationPath), this,
                            QDBusConnection::ExportScriptableSlots)) {
        return false;
    }
    return bus.registerService(QString::fromLatin1(kActivationService));
}

void ActivationService::Activate() {
    if (activate_) activate_();
}

void AskRunningCopyToActivate() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    const QString name = QString::fromLatin1(kActivationService);
    QDBusMessage call = QDBusMessage::createMethodCall(name, QString::fromLatin1(kActivationPath),
                                                       name, QStringLiteral("Activate"));
    call.setAutoStartService(false);
    bus.call(call, QDBus::NoBlock);
    // Flush the call before the process ends.
    bus.call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                            QStringLiteral("/org/freedesktop/DBus"),
                                            QStringLiteral("org.freedesktop.DBus"),
                                            QStringLiteral("GetId")),
             QDBus::Block, 500);
}

}  // namespace kz7
