// taviro3d-device-soak: streams from the in-process simulator at a multiple of the nominal rate for a
// fixed time through a DRALCommunicationDevice and checks that every line the simulator sent came out
// of the device once. Reports the streaming thread's CPU time per line and the resident memory.
//
// A command waiting for its reply skips the data packets that arrive meanwhile, so lines on the wire
// while the device starts its second data kind or stops streaming never reach it. The simulator's
// stream is therefore paused (its rate set near zero; it still answers commands) around both: the
// counts start once streaming has begun, and before the stop the device drains what was sent.

#include "DRALCommunicationDevice.h"
#include "SensorSimulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <malloc.h>
#include <string>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

const char *const Usage =
    "Usage: taviro3d-device-soak [options]\n"
    "Streams from the in-process sensor simulator through the live device and compares line counts.\n"
    "\n"
    "  --rate X             multiple of the nominal 720 lines/s (default 10)\n"
    "  --seconds S          streaming time (default 10)\n"
    "  --mode N             measurement mode bits: 1 range, 2 range and level, 4 auxiliary (default 6)\n"
    "  --packets-per-line N packets each line is split into (default 1)\n"
    "  --help               show this text\n"
    "Exit code: 0 counts equal, 1 counts differ, 2 the run could not be set up.\n";

int64_t threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

int64_t processCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Resident memory after handing free heap pages back, so that it follows live data rather than the
// allocator's high-water mark.
long residentKiB()
{
    malloc_trim(0);
    std::FILE *f = std::fopen("/proc/self/statm", "r");
    if (!f)
        return -1;
    long size = 0, resident = 0;
    const int n = std::fscanf(f, "%ld %ld", &size, &resident);
    std::fclose(f);
    return n == 2 ? resident * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

// Runs the event loop until pred holds or timeoutMs passed; returns pred().
bool waitUntil(const std::function<bool()> &pred, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!pred() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return pred();
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
    QCoreApplication app(argc, argv);
    double rate = 10.0, seconds = 10.0, mode = 6, packetsPerLine = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string opt = argv[i];
        if (opt == "--help" || opt == "-h") {
            std::fputs(Usage, stdout);
            return 0;
        }
        double *target = opt == "--rate"               ? &rate
                         : opt == "--seconds"          ? &seconds
                         : opt == "--mode"             ? &mode
                         : opt == "--packets-per-line" ? &packetsPerLine
                                                       : nullptr;
        const double hi = opt == "--mode" ? 7 : 100000;
        const double lo = opt == "--rate" || opt == "--seconds" ? 0.01 : 1;
        if (!target || i + 1 >= argc || !parseNumber(argv[i + 1], lo, hi, target)) {
            std::fprintf(stderr, "taviro3d-device-soak: bad option %s (see --help)\n", opt.c_str());
            return 2;
        }
        ++i;
    }

    constexpr double Paused = 1e-9;
    Vexa3dSim::Config config;
    config.rate = Paused;
    config.packetsPerLine = int(packetsPerLine);
    Vexa3dSim::SensorSimulator sim(config);
    if (!sim.start()) {
        std::fprintf(stderr, "taviro3d-device-soak: the simulator cannot listen\n");
        return 2;
    }

    DRALCommunicationDevice device;
    // The paused stream is deliberate here, not a sensor gone silent.
    device.setDataTimeout(60000);
    std::atomic<uint64_t> linesEmitted{0}, auxEmitted{0};
    std::atomic<int64_t> cpuAtStart{0}, cpuAtStop{0};
    std::atomic<long> streamingTid{0};
    uint64_t linesDelivered = 0, pointsDelivered = 0;
    bool initialized = false, initFailed = false;

    // Direct connections: these run on the streaming thread, as the live controller's handler does.
    QObject::connect(&device, &DRALCommunicationDevice::measurementStarted, [&](MeasurmentModes) {
        streamingTid.store(long(syscall(SYS_gettid)));
        cpuAtStart.store(threadCpuNs());
    });
    QObject::connect(&device, &DRALCommunicationDevice::measurementDataReady,
                     [&](const QSharedPointer<DRALMeasurementData> &) { ++linesEmitted; });
    QObject::connect(&device, &DRALCommunicationDevice::auxiliaryDataReady,
                     [&](const QSharedPointer<DRALAuxiliaryData> &) { ++auxEmitted; });
    QObject::connect(&device, &DRALCommunicationDevice::measurementStopped,
                     [&] { cpuAtStop.store(threadCpuNs()); });
    // Queued to this thread, where the records are consumed like the view would.
    QObject::connect(&device, &DRALCommunicationDevice::measurementDataReady, &app,
                     [&](const QSharedPointer<DRALMeasurementData> &line) {
                         ++linesDelivered;
                         pointsDelivered += uint64_t(line->points().size());
                     });
    QObject::connect(&device, &DRALCommunicationDevice::deviceInitialized, &app,
                     [&](VEXA3D_SENSOR_INFO_T) { initialized = true; });
    QObject::connect(&device, &DRALCommunicationDevice::initializationError, &app,
                     [&] { initFailed = true; });

    if (!device.connectDevice("127.0.0.1", sim.port())) {
        std::fprintf(stderr, "taviro3d-device-soak: connect failed (%d)\n", device.errorCode());
        return 2;
    }
    device.initialize();
    if (!waitUntil([&] { return initialized || initFailed; }, 10000) || !initialized) {
        std::fprintf(stderr, "taviro3d-device-soak: initialisation failed (%d)\n", device.errorCode());
        return 2;
    }

    const int64_t processCpuBefore = processCpuNs();
    device.startMeasurement(int(mode));
    if (!waitUntil([&] { return cpuAtStart.load() != 0; }, 5000)) {
        std::fprintf(stderr, "taviro3d-device-soak: streaming did not start (%d)\n", device.errorCode());
        return 2;
    }
    waitUntil([] { return false; }, 200);
    const uint64_t sentBefore = sim.linesSent(), auxBefore = sim.auxiliaryPacketsSent();
    const uint64_t emittedBefore = linesEmitted.load(), auxEmittedBefore = auxEmitted.load();
    sim.setRate(rate);

    // Resident memory once the stream settled, then sampled until the end.
    QElapsedTimer wall;
    wall.start();
    const int runMs = int(seconds * 1000);
    const int settleMs = std::min(1000, runMs / 5);
    waitUntil([] { return false; }, settleMs);
    const long rssStart = residentKiB();
    long rssMax = rssStart;
    while (wall.elapsed() < runMs) {
        waitUntil([] { return false; }, 200);
        rssMax = std::max(rssMax, residentKiB());
    }
    const long rssEnd = residentKiB();
    const double streamedSeconds = wall.elapsed() / 1000.0;

    sim.setRate(Paused);
    uint64_t lastSent = ~0ULL;
    QElapsedTimer quiet;
    quiet.start();
    // Drained: the simulator sent nothing new for 200 ms and the device emitted all of it.
    waitUntil(
        [&] {
            const uint64_t sent = sim.linesSent();
            if (sent != lastSent) {
                lastSent = sent;
                quiet.restart();
            }
            return quiet.elapsed() >= 200 && linesEmitted.load() - emittedBefore == sent - sentBefore &&
                   auxEmitted.load() - auxEmittedBefore == sim.auxiliaryPacketsSent() - auxBefore;
        },
        5000);
    device.stopMeasurement();
    waitUntil([&] { return linesDelivered == linesEmitted.load() && cpuAtStop.load() != 0; }, 5000);
    const int64_t processCpu = processCpuNs() - processCpuBefore;
    const long rssDrained = residentKiB(); // the consumer caught up: no records left in the queue
    device.disconnectDevice();

    const uint64_t linesSent = sim.linesSent() - sentBefore;
    const uint64_t auxSent = sim.auxiliaryPacketsSent() - auxBefore;
    const uint64_t lines = linesEmitted.load() - emittedBefore, aux = auxEmitted.load() - auxEmittedBefore;
    const double threadCpuMs = (cpuAtStop.load() - cpuAtStart.load()) / 1e6;
    const bool equal = lines == linesSent && aux == auxSent;

    std::printf("rate                 %.2fx nominal (%.0f lines/s target), mode %d, %d packet(s)/line\n",
                rate, Vexa3dSim::kNominalLineRate * rate, int(mode), int(packetsPerLine));
    std::printf("streamed             %.2f s, %.0f lines/s achieved\n", streamedSeconds,
                linesSent / streamedSeconds);
    std::printf(
        "lines                simulator sent %llu, device emitted %llu, delivered %llu (%llu points)\n",
        (unsigned long long)linesSent, (unsigned long long)lines,
        (unsigned long long)(linesDelivered - emittedBefore), (unsigned long long)pointsDelivered);
    std::printf("auxiliary packets    simulator sent %llu, device emitted %llu\n",
                (unsigned long long)auxSent, (unsigned long long)aux);
    std::printf("streaming thread     tid %ld, CPU %.1f ms, %.2f us per line\n", streamingTid.load(),
                threadCpuMs, lines ? threadCpuMs * 1000.0 / double(lines) : 0.0);
    std::printf("process CPU          %.1f ms (simulator and consumer included)\n", processCpu / 1e6);
    std::printf("resident memory      start %ld KiB, end %ld KiB (%+ld KiB), max %ld KiB, drained %ld KiB\n",
                rssStart, rssEnd, rssEnd - rssStart, rssMax, rssDrained);
    std::printf("error code           %d\n", device.errorCode());
    std::printf("result               %s\n", equal ? "counts equal" : "COUNTS DIFFER");
    return equal ? 0 : 1;
}
