#pragma once

#include <memory>

#include "app/app_options.h"

namespace kz7 {

// The program object: reads the command line, keeps a second copy from
// starting, builds the mouse link (real or simulated), the data files, the
// skin and the main window, and runs the event loop until shutdown.
class CArdenoApp {
public:
    explicit CArdenoApp(AppOptions options);
    ~CArdenoApp();

    // Needs a QApplication. Returns the exit status.
    int Run();

    // The whole program: argument parsing, the single-instance lock (a second
    // copy returns 0 before any window exists), the QApplication and Run.
    static int Main(int argc, char** argv);

private:
    struct Parts;
    AppOptions options_;
    std::unique_ptr<Parts> parts_;
};

}  // namespace kz7
