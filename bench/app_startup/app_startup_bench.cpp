// Start-up time of kz7 (to the window shown, or the tray ready) and its
// resident memory at rest, each against a floor measured in the same run:
// a bare Qt program that opens one frameless window of the same size.
//
// usage: kz7_app_startup_bench [--runs N] [--kz7 PATH] [--tray]
// Runs on the current display; without one it uses the offscreen platform.
// --tray measures the start behind a tray icon (the display needs a tray).

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr int kRestMs = 1500;

int BaselineWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::Tool);
    window.resize(880, 660);
    window.show();
    std::printf("ready\n");
    std::fflush(stdout);
    return QApplication::exec();
}

long ResidentKb(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

struct Sample {
    double startMs = 0;
    long restKb = 0;
};

// Starts the program, waits for its "ready" line, lets it rest, reads its memory, stops it.
std::optional<Sample> Measure(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForStarted(5000)) return std::nullopt;
    QByteArray output;
    while (!output.contains("ready")) {
        if (!process.waitForReadyRead(10000)) {
            process.kill();
            process.waitForFinished();
            return std::nullopt;
        }
        output += process.readAllStandardOutput();
    }
    Sample sample;
    sample.startMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    QThread::msleep(kRestMs);
    sample.restKb = ResidentKb(process.processId());
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished();
    }
    return sample;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && QByteArray(argv[1]) == "--baseline-window") return BaselineWindow(argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QCoreApplication app(argc, argv);
    int runs = 7;
    QString kz7 = QCoreApplication::applicationDirPath() + QStringLiteral("/kz7");
    const QStringList args = QCoreApplication::arguments();
    const bool tray = args.contains(QStringLiteral("--tray"));
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QStringLiteral("--runs")) runs = std::max(1, args[i + 1].toInt());
        if (args[i] == QStringLiteral("--kz7")) kz7 = args[i + 1];
    }

    QTemporaryDir work;
    const QString data = work.filePath(QStringLiteral("data"));
    const QString lock = work.filePath(QStringLiteral("lock"));
    QDir().mkpath(lock);
    QStringList kz7Args = {QStringLiteral("--simulate"), QStringLiteral("--data-dir"), data,
                           QStringLiteral("--lock-dir"), lock};
    if (!tray) kz7Args << QStringLiteral("--no-tray");
    // Seed the data folder once, so every measured start is a normal one.
    Measure(kz7, kz7Args);

    std::vector<double> baseStart, kz7Start, baseRss, kz7Rss;
    for (int run = 0; run < runs; ++run) {
        const auto base = Measure(QCoreApplication::applicationFilePath(),
                                  {QStringLiteral("--baseline-window")});
        const auto ours = Measure(kz7, kz7Args);
        if (!base || !ours) {
            std::fprintf(stderr, "a program did not become ready\n");
            return 1;
        }
        baseStart.push_back(base->startMs);
        kz7Start.push_back(ours->startMs);
        baseRss.push_back(static_cast<double>(base->restKb));
        kz7Rss.push_back(static_cast<double>(ours->restKb));
    }
    const double floorMs = Median(baseStart);
    const double oursMs = Median(kz7Start);
    const double floorKb = Median(baseRss);
    const double oursKb = Median(kz7Rss);
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    std::printf("kz7 %s; platform: %s, %d runs, medians\n",
                tray ? "behind its tray icon" : "with its window shown",
                platform.isEmpty() ? "default" : platform.constData(), runs);
    std::printf("start-up to ready: kz7 %.1f ms, bare Qt window %.1f ms, ratio %.2f\n", oursMs,
                floorMs, floorMs > 0 ? oursMs / floorMs : 0);
    std::printf("resident memory after %d ms at rest: kz7 %.0f kB, bare Qt window %.0f kB, "
                "kz7 adds %.0f kB (ratio %.2f)\n",
                kRestMs, oursKb, floorKb, oursKb - floorKb, floorKb > 0 ? oursKb / floorKb : 0);
    return 0;
}
