#pragma once

#include <QApplication>

namespace kz7::testing {

// One application object for the whole test program, created on first use and
// never destroyed: tearing it down from an exit handler would run after Qt's
// own globals are gone.
inline void UiApp() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "kz7_ui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

}  // namespace kz7::testing
