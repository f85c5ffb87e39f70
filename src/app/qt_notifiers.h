#pragma once

#include <QElapsedTimer>
#include <QObject>
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

private:
    static constexpr qint64 kRepeatMs = 1500;
    QString iconName_;
    unsigned lastId_ = 0;
    QString lastMessage_;
    QElapsedTimer sinceLast_;
    QObject context_;  // owns the pending calls; they end with the notifier
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
