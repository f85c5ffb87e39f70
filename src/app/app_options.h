#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

#include "app/sim_schedule.h"

namespace kz7 {

// The command line of kz7.
struct AppOptions {
    bool simulate = false;
    int simSensorType = 0;
    bool simPlainDialect = false;
    bool simStartUnplugged = false;
    std::vector<SimStep> simSchedule;
    std::optional<std::string> dataDir;
    std::optional<std::string> key;  // twelve hex digits
    QString webLink;                 // empty: the maker's address
    bool printNotifications = false;
    bool noTray = false;
    QString lockFolder;              // empty: the runtime folder
};

enum class ParseOutcome { Run, ExitOk, ExitError };

struct ParsedOptions {
    ParseOutcome outcome = ParseOutcome::Run;
    AppOptions options;
    QString message;  // help or version text (ExitOk) or the error (ExitError)
};

// Parses arguments (arguments[0] is the program). --help and --version give
// ExitOk with the text to print; a bad option gives ExitError with the reason.
ParsedOptions ParseAppOptions(const QStringList& arguments);

}  // namespace kz7
