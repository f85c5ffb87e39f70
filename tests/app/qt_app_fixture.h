#pragma once

#include <QApplication>
#include <QElapsedTimer>

#include <chrono>
#include <functional>

namespace kz7::testing {

// One QApplication for the whole test program (offscreen platform).
inline QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "kz7_app_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        QApplication::setQuitOnLastWindowClosed(false);
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Runs the event loop until the condition holds or the time is up.
inline bool SpinUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds limit = std::chrono::milliseconds(3000)) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > limit.count()) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Runs the event loop for a while, for checks that something did NOT happen.
inline void SpinFor(std::chrono::milliseconds duration) {
    SpinUntil([] { return false; }, duration);
}

}  // namespace kz7::testing
