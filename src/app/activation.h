#pragma once

#include <QObject>

#include <functional>

namespace kz7 {

// On desktops without a tray a hidden window could not be brought back, so
// the running copy listens on the session bus and a second start asks it to
// show its window (the same as a left click on the tray icon). Where a tray
// exists the request is ignored and the second copy stays silent.
inline constexpr const char* kActivationService = "org.kz7.Configurator";
inline constexpr const char* kActivationPath = "/org/kz7/Configurator";

class ActivationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kz7.Configurator")
public:
    explicit ActivationService(std::function<void()> activate) : activate_(std::move(activate)) {}
    // Registers on the session bus; false when there is no bus or the name is taken.
    bool Register();

public slots:
    Q_SCRIPTABLE void Activate();

private:
    std::function<void()> activate_;
};

// Asks the running copy to show itself; returns at once.
void AskRunningCopyToActivate();

}  // namespace kz7
