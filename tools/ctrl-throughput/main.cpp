// taviro3d-ctrl-throughput: streams from the in-process simulator at a multiple of the nominal rate
// through a DRALScanManager, as the viewer's live connection does, and checks that every line the
// device emitted reached the point cloud. Reports lines per second, the CPU time per line of the
// streaming thread (device and controller together) and of the GUI thread, the most point-cloud calls
// ever waiting for the GUI thread, and how late a 10 ms GUI timer ever fired.
//
// A second phase feeds recorded lines to the controller's handler from a plain thread as fast as it
// goes, to give the handler's own CPU per line without the device's decoding.
//
// The simulator is paused (rate near zero; it still answers commands) while the controller starts and
// stops the stream, because a command waiting for its reply skips the data that arrive meanwhile.

#include "ComboBoxProperty.h"
#include "DRALCommunicationDevice.h"
#include "DRALScanManager.h"
#include "IntegerProperty.h"
#include "PointCloud.h"
#include "SensorSimulator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

const char *const Usage =
    "Usage: taviro3d-ctrl-throughput [options]\n"
    "Streams from the in-process sensor simulator through the live connection controller.\n"
    "\n"
    "  --rate X      multiple of the nominal 720 lines/s (default 10)\n"
    "  --seconds S   streaming time (default 10)\n"
    "  --mode N      1 range only, 2 range and level (default 1)\n"
    "  --help        show this text\n"
    "Exit code: 0 every line reached the cloud, 1 lines were lost, 2 the run could not be set up.\n";

int64_t cpuNs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

bool waitUntil(const std::function<bool()> &pred, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!pred() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return pred();
}

void pause(int ms)
{
    waitUntil([] { return false; }, ms);
}

bool parseNumber(const char *text, double lo, double hi, double *out)
{
    char *end = nullptr;
    const double v = std::strtod(text, &end);
    if (!*text || *end || !(v >= lo && v <= hi))
        return false;
    *out = v;
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    double rate = 10.0, seconds = 10.0, mode = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string opt = argv[i];
        if (opt == "--help" || opt == "-h") {
            std::fputs(Usage, stdout);
            return 0;
        }
        double *target = opt == "--rate"      ? &rate
                         : opt == "--seconds" ? &seconds
                         : opt == "--mode"    ? &mode
                                              : nullptr;
        const double lo = opt == "--mode" ? 1 : 0.01;
        const double hi = opt == "--mode" ? 2 : 100000;
        if (!target || i + 1 >= argc || !parseNumber(argv[i + 1], lo, hi, target)) {
            std::fprintf(stderr, "taviro3d-ctrl-throughput: bad option %s (see --help)\n", opt.c_str());
            return 2;
        }
        ++i;
    }

    constexpr double Paused = 1e-9;
    Vexa3dSim::Config config;
    config.rate = Paused;
    Vexa3dSim::SensorSimulator sim(config);
    bool listening = false;
    for (int port = 23000; port < 23400 && !listening; port += 7)
        listening = sim.start(uint16_t(port));
    if (!listening) {
        std::fprintf(stderr, "taviro3d-ctrl-throughput: the simulator cannot listen\n");
        return 2;
    }

    DRALScanManager manager;
    manager.setDeviceName(QStringLiteral("127.0.0.1"));
    manager.portProperty()->setIntValue(sim.port());
    manager.measurementTypeProperty()->setOptionValue(int(mode));

    // Direct connections after the controller's own: they run on the streaming thread right after the
    // controller's handler.
    std::atomic<uint64_t> linesEmitted{0};
    std::atomic<bool> clockReady{false};
    clockid_t streamingClock{};
    std::vector<QSharedPointer<DRALMeasurementData>> sample;
    std::atomic<bool> sampling{true};
    DRALCommunicationDevice *device = manager.device();
    QObject::connect(
        device, &DRALCommunicationDevice::measurementDataReady,
        [&](const QSharedPointer<DRALMeasurementData> &line) {
            if (!clockReady.load()) {
                pthread_getcpuclockid(pthread_self(), &streamingClock);
                clockReady.store(true);
            }
            if (sampling.load() && sample.size() < 2000)
                sample.push_back(QSharedPointer<DRALMeasurementData>::create(
                    QSharedPointer<VEXA3D_MEASUREMENT_DATA_T>::create(*line->data()), line->spec()));
            ++linesEmitted;
        });

    bool initialized = false;
    QObject::connect(&manager, &ScanManager::initialized, [&] { initialized = true; });
    manager.connectRequested();
    if (!waitUntil([&] { return initialized; }, 15000) ||
        !waitUntil([&] { return clockReady.load() || device->isRunning(); }, 5000)) {
        std::fprintf(stderr, "taviro3d-ctrl-throughput: initialisation failed (%d)\n", device->errorCode());
        return 2;
    }
    pause(300);

    // The GUI thread's responsiveness: how late a 10 ms timer fires at worst.
    QElapsedTimer tick;
    qint64 worstGapMs = 0;
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (tick.isValid())
            worstGapMs = std::max(worstGapMs, tick.elapsed());
        tick.restart();
    });

    const uint64_t sentBefore = sim.linesSent();
    const uint64_t emittedBefore = linesEmitted.load();
    const uint64_t drawnBefore = manager.linesDrawn();
    const int64_t guiCpuBefore = cpuNs(CLOCK_THREAD_CPUTIME_ID);
    int64_t streamingCpuBefore = 0;
    waitUntil([&] { return clockReady.load(); }, 5000);
    if (clockReady.load())
        streamingCpuBefore = cpuNs(streamingClock);
    sim.setRate(rate);
    probe.start();

    QElapsedTimer wall;
    wall.start();
    pause(int(seconds * 1000));
    const double streamedSeconds = wall.elapsed() / 1000.0;
    sim.setRate(Paused);

    uint64_t lastSent = ~0ULL;
    QElapsedTimer quiet;
    quiet.start();
    waitUntil(
        [&] {
            const uint64_t sent = sim.linesSent();
            if (sent != lastSent) {
                lastSent = sent;
                quiet.restart();
            }
            return quiet.elapsed() >= 200 && linesEmitted.load() - emittedBefore == sent - sentBefore &&
                   manager.pendingCloudCalls() == 0;
        },
        10000);
    probe.stop();
    const int64_t streamingCpu = clockReady.load() ? cpuNs(streamingClock) - streamingCpuBefore : 0;
    const int64_t guiCpu = cpuNs(CLOCK_THREAD_CPUTIME_ID) - guiCpuBefore;
    const uint64_t linesSent = sim.linesSent() - sentBefore;
    const uint64_t lines = linesEmitted.load() - emittedBefore;
    const uint64_t drawn = manager.linesDrawn() - drawnBefore;
    const int maxPending = manager.maxPendingCloudCalls();
    const int cloudPoints = manager.pointCloud()->drawCount();
    sampling.store(false);
    manager.disconnectRequested();

    // Phase 2: the handler alone, fed from a plain thread as fast as it takes them.
    double handlerUsPerLine = 0.0, handlerLinesPerSecond = 0.0, handlerGuiUsPerLine = 0.0;
    int handlerMaxPending = 0;
    if (!sample.empty()) {
        const int rounds = 5;
        const uint64_t drawnStart = manager.linesDrawn();
        const int64_t guiStart = cpuNs(CLOCK_THREAD_CPUTIME_ID);
        std::atomic<int64_t> workerCpu{0};
        std::atomic<bool> done{false};
        QElapsedTimer handlerWall;
        handlerWall.start();
        std::thread feeder([&] {
            int64_t spent = 0;
            for (int r = 0; r < rounds; ++r)
                for (const QSharedPointer<DRALMeasurementData> &line : sample) {
                    // A fresh record each time, made outside the measured span: the handler filters its
                    // record in place.
                    auto fresh = QSharedPointer<DRALMeasurementData>::create(
                        QSharedPointer<VEXA3D_MEASUREMENT_DATA_T>::create(*line->data()), line->spec());
                    const int64_t before = cpuNs(CLOCK_THREAD_CPUTIME_ID);
                    manager.applyMeasurementData(fresh);
                    spent += cpuNs(CLOCK_THREAD_CPUTIME_ID) - before;
                    handlerMaxPending = std::max(handlerMaxPending, manager.pendingCloudCalls());
                }
            workerCpu.store(spent);
            done.store(true);
        });
        const uint64_t fed = uint64_t(rounds) * sample.size();
        waitUntil([&] { return done.load() && manager.linesDrawn() - drawnStart == fed; }, 60000);
        feeder.join();
        const double secondsTaken = handlerWall.elapsed() / 1000.0;
        handlerUsPerLine = workerCpu.load() / 1e3 / double(fed);
        handlerGuiUsPerLine = (cpuNs(CLOCK_THREAD_CPUTIME_ID) - guiStart) / 1e3 / double(fed);
        handlerLinesPerSecond = fed / secondsTaken;
    }

    const bool complete = lines == linesSent && drawn == lines;
    std::printf("rate                  %.2fx nominal (%.0f lines/s target), mode %d\n", rate,
                Vexa3dSim::kNominalLineRate * rate, int(mode));
    std::printf("streamed              %.2f s, %.0f lines/s handled\n", streamedSeconds,
                lines / streamedSeconds);
    std::printf("lines                 simulator sent %llu, device emitted %llu, reached the cloud %llu\n",
                (unsigned long long)linesSent, (unsigned long long)lines, (unsigned long long)drawn);
    std::printf("streaming thread      %.2f us CPU per line (device decoding and controller handler)\n",
                lines ? streamingCpu / 1e3 / double(lines) : 0.0);
    std::printf("GUI thread            %.2f us CPU per line (cloud calls, probe timer, no rendering)\n",
                drawn ? guiCpu / 1e3 / double(drawn) : 0.0);
    std::printf("cloud calls waiting   at most %d\n", maxPending);
    std::printf("GUI timer (10 ms)     worst interval %lld ms\n", (long long)worstGapMs);
    std::printf("points in the cloud   %d at the end\n", cloudPoints);
    std::printf("handler alone         %.2f us CPU per line in the handler, %.2f us per line on the "
                "GUI thread, %.0f lines/s, at most %d calls waiting\n",
                handlerUsPerLine, handlerGuiUsPerLine, handlerLinesPerSecond, handlerMaxPending);
    std::printf("result                %s\n", complete ? "every line reached the cloud" : "LINES LOST");
    return complete ? 0 : 1;
}
