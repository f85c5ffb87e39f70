#pragma once

#include <QString>
#include <cstdio>

#include "app/notifier.h"

class QSystemTrayIcon;

namespace kz7 {

// Balloons from the tray icon. Every balloon carries the information icon.
class TrayNotifier : public Notifier {
public:
    explicit TrayNotifier(QSystemTrayIcon& tray) : tray_(tray) {}
    void Notify(std::string_view title, std::string_view text, int timeoutMs) override;

private:
    QSystemTrayIcon& tray_;
};

// Desktop notifications over D-Bus, for desktops without a tray. Each
// message replaces the previous one, as a new balloon replaces the old.
class DbusNotifier : public Notifier {
public:
    explicit DbusNotifier(QString iconName) : iconName_(std::move(iconName)) {}
    void Notify(std::string_view title, std::string_view text, int timeoutMs) override;
    // Whether a notification server answers on the session bus.
    static bool ServerAvailable();

private:
    QString iconName_;
    unsigned lastId_ = 0;
};

// Passes every message on and also prints it as one line
// ("notification: TITLE: TEXT"), for scripts that drive the program.
class EchoingNotifier : public Notifier {
public:
    EchoingNotifier(Notifier& inner, std::FILE* out) : inner_(inner), out_(out) {}
    void Notify(std::string_view title, std::string_view text, int timeoutMs) override;

private:
    Notifier& inner_;
    std::FILE* out_;
};

}  // namespace kz7
