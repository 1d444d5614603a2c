// Streams the sensor simulator into the viewer's main window for a while and reports the process CPU
// and the repaint rate of the 3D view.

#include "Canvas.h"
#include "ConnectionManager.h"
#include "IntegerProperty.h"
#include "MainWindow.h"
#include "SceneComposer.h"
#include "Startup.h"
#include "TaviroResources.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {
struct Options
{
    double seconds = 60.0;
    double warmup = 3.0;
    int width = 1280;
    int height = 800;
    double rate = 1.0;
    int frameRate = 0; // 0: the property's default
    bool hardware = false;
};

const char *usageText =
    "Usage: taviro3d-view-cpu [options]\n"
    "Streams taviro3d-sensor-sim into the viewer's window and reports the process CPU and the repaint rate.\n"
    "  --seconds S       measuring time after the warm-up (default 60)\n"
    "  --warmup S        time between the first line and the measurement (default 3)\n"
    "  --size WxH        window size (default 1280x800)\n"
    "  --rate X          simulator rate, a multiple of the nominal 720 lines/s (default 1)\n"
    "  --frame-rate N    the view's Frame Rate property, 1 to 60 (default: the property's default)\n"
    "  --hardware        the platform's OpenGL instead of software rendering\n"
    "  --help            this text\n"
    "Results (stdout): seconds, cpu_percent (of one core), repaints_per_second, lines_per_second.\n";

// 0 success, 1 help shown, 2 usage error.
int parse(int argc, char **argv, Options &o)
{
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        const bool hasValue = i + 1 < argc;
        auto number = [&](double &out, double low) {
            if (!hasValue)
                return false;
            char *end = nullptr;
            out = std::strtod(argv[++i], &end);
            return end && *end == '\0' && out >= low;
        };
        bool ok = true;
        if (!std::strcmp(arg, "--help")) {
            std::fputs(usageText, stdout);
            return 1;
        } else if (!std::strcmp(arg, "--seconds")) {
            ok = number(o.seconds, 0.1);
        } else if (!std::strcmp(arg, "--warmup")) {
            ok = number(o.warmup, 0.0);
        } else if (!std::strcmp(arg, "--rate")) {
            ok = number(o.rate, 0.0);
        } else if (!std::strcmp(arg, "--frame-rate")) {
            double v = 0;
            ok = number(v, 1.0) && v <= 60.0 && v == int(v);
            o.frameRate = int(v);
        } else if (!std::strcmp(arg, "--size")) {
            ok = hasValue && std::sscanf(argv[++i], "%dx%d", &o.width, &o.height) == 2 && o.width > 0 &&
                 o.height > 0;
        } else if (!std::strcmp(arg, "--hardware")) {
            o.hardware = true;
        } else {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "taviro3d-view-cpu: bad or incomplete option %s (see --help)\n", arg);
            return 2;
        }
    }
    return 0;
}

double processCpuSeconds()
{
    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    return double(self.ru_utime.tv_sec + self.ru_stime.tv_sec) +
           double(self.ru_utime.tv_usec + self.ru_stime.tv_usec) / 1e6;
}
} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (const int parsed = parse(argc, argv, options))
        return parsed == 1 ? 0 : 2;

    // The window reads and writes its settings; keep the user's own out of it.
    QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "taviro3d-view-cpu: cannot create a temporary folder\n");
        return 1;
    }
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    Taviro::setApplicationIdentity();
    if (!options.hardware)
        QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL, true);
    QApplication app(argc, argv);
    Taviro::initResources();

    QProcess simulator;
    simulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    simulator.start(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("taviro3d-sensor-sim")),
        {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--rate"),
         QString::number(options.rate)});
    int port = 0;
    const QRegularExpression listening(QStringLiteral("listening on [0-9.]+:([0-9]+)"));
    QElapsedTimer waiting;
    waiting.start();
    while (port == 0 && waiting.elapsed() < 10000 && simulator.waitForReadyRead(1000)) {
        const QRegularExpressionMatch match = listening.match(QString::fromLocal8Bit(simulator.readAll()));
        if (match.hasMatch())
            port = match.captured(1).toInt();
    }
    if (port == 0) {
        std::fprintf(stderr, "taviro3d-view-cpu: the simulator did not start\n");
        simulator.kill();
        simulator.waitForFinished();
        return 1;
    }

    auto window = std::make_unique<MainWindow>();
    if (options.frameRate > 0)
        window->sceneComposer()->frameRateProperty()->setIntValue(options.frameRate);
    window->resize(options.width, options.height);
    window->show();
    window->connectToSensor(QStringLiteral("127.0.0.1"), port);

    enum class Phase
    {
        WaitingForLines,
        WarmingUp,
        Measuring,
        Done
    };
    Phase phase = Phase::WaitingForLines;
    qint64 lines = 0;
    qint64 repaints = 0;
    double cpuAtStart = 0.0;
    QElapsedTimer clock;
    int exitCode = 0;

    // The phases advance on the clock, checked at every line and repaint as well as by a timer: a saturated
    // event loop may starve timers, and that is what this tool has to measure.
    QElapsedTimer phaseClock;
    auto advance = [&] {
        if (phase == Phase::WarmingUp && phaseClock.elapsed() >= qint64(options.warmup * 1000)) {
            phase = Phase::Measuring;
            lines = 0;
            repaints = 0;
            cpuAtStart = processCpuSeconds();
            clock.start();
            std::fprintf(stderr, "taviro3d-view-cpu: measuring for %.1f s\n", options.seconds);
        } else if (phase == Phase::Measuring && clock.elapsed() >= qint64(options.seconds * 1000)) {
            const double wall = double(clock.elapsed()) / 1000.0;
            const double cpu = processCpuSeconds() - cpuAtStart;
            std::printf("seconds %.1f\ncpu_percent %.1f\nrepaints_per_second %.1f\nlines_per_second %.1f\n",
                        wall, 100.0 * cpu / wall, double(repaints) / wall, double(lines) / wall);
            std::fflush(stdout);
            phase = Phase::Done;
            QCoreApplication::quit();
        }
    };
    QObject::connect(window->canvas(), &Canvas::frameSwapped, [&] {
        ++repaints;
        advance();
    });
    QObject::connect(window->connectionManager(), &ConnectionManager::measurementDataReady, [&](uint index) {
        if (index != 0)
            return;
        ++lines;
        if (phase == Phase::WaitingForLines) {
            phase = Phase::WarmingUp;
            phaseClock.start();
            std::fprintf(stderr, "taviro3d-view-cpu: lines arrive; warming up for %.1f s\n", options.warmup);
        }
        advance();
    });
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, advance);
    ticker.start(100);
    QTimer::singleShot(15000, [&] {
        if (phase == Phase::WaitingForLines) {
            std::fprintf(stderr, "taviro3d-view-cpu: no line arrived within 15 s\n");
            exitCode = 1;
            QCoreApplication::quit();
        }
    });

    QApplication::exec();
    window.reset();
    simulator.kill();
    simulator.waitForFinished();
    return exitCode;
}
