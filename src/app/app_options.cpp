#include "app/app_options.h"

#include "device/dpi_tables.h"

#include <QCommandLineParser>

namespace kz7 {

ParsedOptions ParseAppOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "kz7 configures the kz7 gaming mouse. It rests behind a tray icon (on desktops\n"
        "without a tray its window is shown at start) and reports what the mouse does\n"
        "as notifications. Only one copy runs at a time; a second one exits at once."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Show the version and exit."));
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Run against the built-in simulated mouse instead of the real one. The "
                       "desktop's pointer settings are left alone in this mode."));
    const QCommandLineOption simSchedule(
        QStringLiteral("sim-schedule"),
        QStringLiteral("With --simulate: what the simulated mouse does while the program runs, "
                       "as steps TIME ACTION separated by commas or semicolons, TIME in seconds since start "
                       "(\"2s\", \"1.5s\", \"300ms\"), ACTION one of \"event CODE VALUE\" (5 "
                       "report rate 1/2/4/8, 7 DPI stage 1-4, 8 key matrix 1/2, 9 macro key N), "
                       "\"unplug\", \"plug\". Example: \"2s event 7 2, 4s unplug, 6s plug\"."),
        QStringLiteral("STEPS"));
    const QCommandLineOption simSensor(
        QStringLiteral("sim-sensor"),
        QStringLiteral("With --simulate: the simulated mouse's sensor type, 0 to %1 (default 0).")
            .arg(kKnownSensorTypes - 1),
        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption simPlain(
        QStringLiteral("sim-plain"),
        QStringLiteral("With --simulate: a mouse that answers the plain handshake, which the "
                       "program refuses."));
    const QCommandLineOption simUnplugged(
        QStringLiteral("sim-unplugged"),
        QStringLiteral("With --simulate: start with the simulated mouse unplugged."));
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        QStringLiteral("Folder of config.bin, record.ini and str.ini (default: the program's "
                       "folder when it holds config.bin, else ~/.config/kz7)."),
        QStringLiteral("DIR"));
    const QCommandLineOption key(
        QStringLiteral("key"),
        QStringLiteral("The mouse's scramble key as twelve hex digits (default: the file "
                       "scramble.key in the data folder, else zeros)."),
        QStringLiteral("HEX12"));
    const QCommandLineOption webLink(
        QStringLiteral("web-link"),
        QStringLiteral("The web address opened by the link at the bottom of the window."),
        QStringLiteral("URL"));
    const QCommandLineOption printNotifications(
        QStringLiteral("print-notifications"),
        QStringLiteral("Also print every notification on standard output, one line each."));
    const QCommandLineOption noTray(
        QStringLiteral("no-tray"),
        QStringLiteral("Do not use a tray icon: show the window at start and send "
                       "notifications to the desktop's notification service."));
    const QCommandLineOption lockFolder(
        QStringLiteral("lock-dir"),
        QStringLiteral("Folder of the single-instance lock (default: the runtime folder)."),
        QStringLiteral("DIR"));
    parser.addOptions({help, version, simulate, simSchedule, simSensor, simPlain, simUnplugged,
                       dataDir, key, webLink, printNotifications, noTray, lockFolder});

    ParsedOptions result;
    auto error = [&](const QString& why) {
        result.outcome = ParseOutcome::ExitError;
        result.message = why + QStringLiteral("\nTry 'kz7 --help'.");
        return result;
    };
    if (!parser.parse(arguments)) return error(parser.errorText());
    if (parser.isSet(help)) {
        result.outcome = ParseOutcome::ExitOk;
        // Parsed before the application object exists, which would name the program.
        result.message = parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                   QStringLiteral("kz7"));
        return result;
    }
    if (parser.isSet(version)) {
        result.outcome = ParseOutcome::ExitOk;
        result.message = QStringLiteral("kz7 " KZ7_VERSION);
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return error(QStringLiteral("unexpected argument: ") + parser.positionalArguments().first());
    }

    AppOptions& options = result.options;
    options.simulate = parser.isSet(simulate);
    const bool simOnly = parser.isSet(simSchedule) || parser.isSet(simSensor) ||
                         parser.isSet(simPlain) || parser.isSet(simUnplugged);
    if (simOnly && !options.simulate) {
        return error(QStringLiteral("--sim-schedule, --sim-sensor, --sim-plain and "
                                    "--sim-unplugged need --simulate"));
    }
    bool sensorOk = false;
    options.simSensorType = parser.value(simSensor).toInt(&sensorOk);
    if (!sensorOk || options.simSensorType < 0 || options.simSensorType >= kKnownSensorTypes) {
        return error(QStringLiteral("--sim-sensor takes a sensor type from 0 to %1").arg(kKnownSensorTypes - 1));
    }
    options.simPlainDialect = parser.isSet(simPlain);
    options.simStartUnplugged = parser.isSet(simUnplugged);
    if (parser.isSet(simSchedule)) {
        std::string why;
        const auto steps = ParseSimSchedule(parser.value(simSchedule).toStdString(), &why);
        if (!steps) return error(QString::fromStdString(why));
        options.simSchedule = *steps;
    }
    if (parser.isSet(dataDir)) options.dataDir = parser.value(dataDir).toStdString();
    if (parser.isSet(key)) options.key = parser.value(key).toStdString();
    options.webLink = parser.value(webLink);
    options.printNotifications = parser.isSet(printNotifications);
    options.noTray = parser.isSet(noTray);
    options.lockFolder = parser.value(lockFolder);
    return result;
}

}  // namespace kz7
