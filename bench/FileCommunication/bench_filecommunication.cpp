// Log reading and playback on files written here by the project's writer:
//   - the index walk of a 100 000-block file against a raw pread walk over the same headers;
//   - reading one random block for playback against a raw pread plus uncompress of the same bytes;
//   - playback pacing at x1: how far each paced frame's emission is from its target, and the playback
//     thread's processor use.
// Ratios are taken against the baselines of the same run (counters "vs_raw").

#include "FileCommunicationDevice.h"
#include "FileDevice.h"
#include "LogTestSupport.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <random>

namespace {
constexpr int BlockCount = 100000;

struct Fixture
{
    QTemporaryDir dir;
    QString big;   // BlockCount compressed lines of a small sensor
    QString paced; // lines at 360 per second, for pacing
    QVector<qint64> offsets;
    qint64 scanOffset = 0;
    bool ok = false;

    Fixture()
    {
        VEXA3D_SENSOR_INFO_T info = LogTest::sensorInfo(1);
        info.spec.spotCount = 16;
        info.spec.echoCount = 2;
        big = dir.filePath("big.vbl");
        QVector<int> times(BlockCount);
        for (int i = 0; i < BlockCount; ++i)
            times[i] = i * 25;
        ok = LogTest::writeVbl(big, true, times, {}, info);
        FileDevice device;
        ok = ok && device.openFile(big) && device.indexNow();
        offsets = device.logIndex().offsets;
        scanOffset = offsets.isEmpty() ? 0 : offsets.first();

        QVector<int> lineTimes;
        for (int i = 0; i < 1080; ++i)
            lineTimes << 1000 + int(std::lround(i * 1000.0 / 360.0));
        paced = dir.filePath("paced.vbl");
        ok = ok && LogTest::writeVbl(paced, true, lineTimes);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_IndexWalk_RawPread(benchmark::State &state)
{
    Fixture &f = fixture();
    const int fd = ::open(f.big.toLocal8Bit().constData(), O_RDONLY);
    qint64 blocks = 0;
    for (auto _ : state) {
        qint64 pos = f.scanOffset;
        int n = 0;
        Vbl::SCAN_BLOCK_T header;
        while (::pread(fd, &header, 64, pos) == 64) {
            pos += 64 + header.length;
            ++n;
        }
        benchmark::DoNotOptimize(n);
        blocks += n;
    }
    ::close(fd);
    state.SetItemsProcessed(blocks);
    state.counters["blocks"] = double(blocks) / double(state.iterations());
    state.counters["rate"] = benchmark::Counter(double(blocks), benchmark::Counter::kIsRate);
}

void BM_IndexWalk_Device(benchmark::State &state)
{
    Fixture &f = fixture();
    FileDevice device;
    if (!device.openFile(f.big)) {
        state.SkipWithError("open failed");
        return;
    }
    qint64 blocks = 0;
    for (auto _ : state) {
        const bool complete = device.indexNow();
        benchmark::DoNotOptimize(complete);
        blocks += device.recordCount();
    }
    state.SetItemsProcessed(blocks);
    state.counters["blocks"] = double(blocks) / double(state.iterations());
    state.counters["rate"] = benchmark::Counter(double(blocks), benchmark::Counter::kIsRate);
}

void BM_ReadBlock_RawPreadUncompress(benchmark::State &state)
{
    Fixture &f = fixture();
    const int fd = ::open(f.big.toLocal8Bit().constData(), O_RDONLY);
    std::mt19937 random(7);
    std::vector<char> packed(1 << 20), plain(1 << 20);
    for (auto _ : state) {
        const qint64 offset = f.offsets.at(int(random() % quint32(f.offsets.size())));
        Vbl::SCAN_BLOCK_T header;
        if (::pread(fd, &header, 64, offset) != 64 ||
            ::pread(fd, packed.data(), header.length, offset + 64) != ssize_t(header.length)) {
            state.SkipWithError("read failed");
            break;
        }
        uLongf length = uLongf(plain.size());
        ::uncompress(reinterpret_cast<Bytef *>(plain.data()), &length,
                     reinterpret_cast<const Bytef *>(packed.data()) + 4, header.length - 4);
        benchmark::DoNotOptimize(length);
    }
    ::close(fd);
    state.SetItemsProcessed(state.iterations());
}

void BM_ReadBlock_Device(benchmark::State &state)
{
    Fixture &f = fixture();
    FileDevice device;
    if (!device.openFile(f.big) || !device.indexNow()) {
        state.SkipWithError("open failed");
        return;
    }
    std::mt19937 random(7);
    for (auto _ : state) {
        QSharedPointer<SensorData> frame;
        QVector3D position, rotation;
        (void)device.seekRecord(int(random() % quint32(f.offsets.size())));
        if (device.readRecord(frame, position, rotation, true) < 0) {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::DoNotOptimize(frame);
    }
    state.SetItemsProcessed(state.iterations());
}

double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Plays 3 s of lines at x1 once and reports the pacing error and the playback thread's processor use.
void BM_PlaybackPacing(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        FileCommunicationDevice engine;
        engine.registerDevice(QSharedPointer<FileDevice>::create());
        if (!engine.open(f.paced)) {
            state.SkipWithError("open failed");
            return;
        }
        auto *device = dynamic_cast<FileDevice *>(engine.currentDevice().data());
        if (!device->indexNow()) {
            state.SkipWithError("index failed");
            return;
        }
        std::vector<qint64> emittedNs, stamps;
        emittedNs.reserve(2000);
        stamps.reserve(2000);
        double cpuStart = 0, cpuEnd = 0;
        QElapsedTimer clock;
        clock.start();
        QObject::connect(
            &engine, &FileCommunicationDevice::sensorDataReady, &engine,
            [&](int, QSharedPointer<SensorData> data) {
                emittedNs.push_back(clock.nsecsElapsed());
                stamps.push_back(data->timestamp());
                (emittedNs.size() == 1 ? cpuStart : cpuEnd) = threadCpuSeconds();
            },
            Qt::DirectConnection);
        engine.play();
        engine.wait();
        std::vector<double> errorsMs;
        for (size_t i = 2; i < emittedNs.size(); ++i) {
            const double gapMs = double(emittedNs[i] - emittedNs[i - 1]) / 1e6;
            const double wantedMs = double(stamps[i] - stamps[i - 1]);
            if (wantedMs > 0)
                errorsMs.push_back(std::abs(gapMs - wantedMs));
        }
        std::sort(errorsMs.begin(), errorsMs.end());
        const double wall = double(emittedNs.back() - emittedNs.front()) / 1e9;
        state.counters["frames"] = double(emittedNs.size());
        state.counters["p50_error_ms"] = errorsMs[errorsMs.size() / 2];
        state.counters["p99_error_ms"] = errorsMs[size_t(double(errorsMs.size()) * 0.99)];
        state.counters["max_error_ms"] = errorsMs.back();
        state.counters["thread_cpu_pct"] = 100.0 * (cpuEnd - cpuStart) / wall;
    }
}

// The machine's own wake-up precision: a thread that sleeps to absolute deadlines 1/360 s apart, the
// same rhythm as the pacing run. Its error is a floor the playback cannot beat.
void BM_SleepBaseline(benchmark::State &state)
{
    for (auto _ : state) {
        std::vector<double> errorsMs;
        timespec next{};
        clock_gettime(CLOCK_MONOTONIC, &next);
        const double cpuStart = threadCpuSeconds();
        for (int i = 0; i < 1080; ++i) {
            next.tv_nsec += 2777778;
            if (next.tv_nsec >= 1000000000) {
                next.tv_nsec -= 1000000000;
                ++next.tv_sec;
            }
            clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            errorsMs.push_back(double(now.tv_sec - next.tv_sec) * 1e3 +
                               double(now.tv_nsec - next.tv_nsec) / 1e6);
        }
        const double cpu = threadCpuSeconds() - cpuStart;
        std::sort(errorsMs.begin(), errorsMs.end());
        state.counters["p50_error_ms"] = errorsMs[errorsMs.size() / 2];
        state.counters["p99_error_ms"] = errorsMs[size_t(double(errorsMs.size()) * 0.99)];
        state.counters["thread_cpu_pct"] = 100.0 * cpu / 3.0;
    }
}

// Runs both sides of a comparison in one benchmark so the ratio is of the same moment.
void BM_IndexWalk_Ratio(benchmark::State &state)
{
    Fixture &f = fixture();
    FileDevice device;
    const int fd = ::open(f.big.toLocal8Bit().constData(), O_RDONLY);
    if (!device.openFile(f.big)) {
        state.SkipWithError("open failed");
        return;
    }
    double rawNs = 0, deviceNs = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        qint64 pos = f.scanOffset;
        int n = 0;
        Vbl::SCAN_BLOCK_T header;
        while (::pread(fd, &header, 64, pos) == 64) {
            pos += 64 + header.length;
            ++n;
        }
        rawNs += double(t.nsecsElapsed());
        t.restart();
        (void)device.indexNow();
        deviceNs += double(t.nsecsElapsed());
        if (n != device.recordCount())
            state.SkipWithError("counts differ");
    }
    ::close(fd);
    state.counters["vs_raw_rate"] = rawNs / deviceNs; // goal: at least 0.5
}

void BM_ReadBlock_Ratio(benchmark::State &state)
{
    Fixture &f = fixture();
    FileDevice device;
    const int fd = ::open(f.big.toLocal8Bit().constData(), O_RDONLY);
    if (!device.openFile(f.big) || !device.indexNow()) {
        state.SkipWithError("open failed");
        return;
    }
    std::mt19937 random(11);
    std::vector<char> packed(1 << 20), plain(1 << 20);
    double rawNs = 0, deviceNs = 0;
    for (auto _ : state) {
        const int index = int(random() % quint32(f.offsets.size()));
        QElapsedTimer t;
        t.start();
        Vbl::SCAN_BLOCK_T header;
        const qint64 offset = f.offsets.at(index);
        if (::pread(fd, &header, 64, offset) == 64 &&
            ::pread(fd, packed.data(), header.length, offset + 64) == ssize_t(header.length)) {
            uLongf length = uLongf(plain.size());
            ::uncompress(reinterpret_cast<Bytef *>(plain.data()), &length,
                         reinterpret_cast<const Bytef *>(packed.data()) + 4, header.length - 4);
            benchmark::DoNotOptimize(length);
        }
        rawNs += double(t.nsecsElapsed());
        t.restart();
        QSharedPointer<SensorData> frame;
        QVector3D position, rotation;
        (void)device.seekRecord(index);
        (void)device.readRecord(frame, position, rotation, true);
        benchmark::DoNotOptimize(frame);
        deviceNs += double(t.nsecsElapsed());
    }
    ::close(fd);
    state.counters["vs_raw_cost"] = deviceNs / rawNs; // goal: at most 2
}
} // namespace

BENCHMARK(BM_IndexWalk_RawPread)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndexWalk_Device)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndexWalk_Ratio)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ReadBlock_RawPreadUncompress)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadBlock_Device)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadBlock_Ratio)->Unit(benchmark::kMicrosecond)->Iterations(20000);
BENCHMARK(BM_SleepBaseline)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PlaybackPacing)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (!fixture().ok) {
        fprintf(stderr, "could not write the benchmark files\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
