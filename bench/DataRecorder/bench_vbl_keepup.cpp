// The ".vbl" recorder's cost and whether it keeps up.
//
// BM_VblSink_vs_qCompress: the recorder's sink writing compressed blocks (payload built, compressed at
// level 5, written to a file) for lines decoded from the simulator's stream, against a bare qCompress
// level 5 loop over the same payloads, interleaved best-of passes in the same run. Counter
// "vs_qcompress" is the sink's block rate relative to the bare loop (goal >= 0.9); "same_bytes" is 1 when
// the sink's file equals the file put together from the loop's qCompress output (the run fails if not).
//
// BM_VblLiveKeepUp: the live device streaming from the in-process simulator at ten times the nominal
// rate (TAVIRO_KEEPUP_RATE to change it) for TAVIRO_KEEPUP_SECONDS (default 60), every line and auxiliary
// packet queued to a RecorderWorker with a compressing VblRecordSink as the viewer's recorder does. Counters:
// "emitted" (records the device emitted), "written" (blocks the worker wrote), "lost" (their difference, goal
// 0). "worker_us_per_block" is the worker thread's CPU per block while the stream runs;
// "qcompress_us_per_block" is a bare qCompress level 5 loop's over the same payloads (2000 records drawn
// evenly from the stream) on a thread of its own while the device streams again at the same rate for
// TAVIRO_KEEPUP_BASELINE_SECONDS (default 20): both under the same load, on a machine where the simulator and
// the device take a core between them. "vs_qcompress" is their ratio (goal >= 0.9). "worker_all_us_per_block"
// is the worker's CPU from open to close (including the queue it drains once the stream stops) against the
// same loop on an idle machine, "qcompress_idle_us_per_block", ratio "vs_qcompress_idle".
// "process_us_per_block" is the whole process's CPU (streaming, decoding, queueing, writing, releasing) from
// start to stop, per block.
// "peak_rss_mb": the process's peak memory (the queue the worker has not yet taken).
#include "DRALCommunicationDevice.h"
#include "DRALMeasurementData.h"
#include "ParamDefinitions.h"
#include "RecorderWorker.h"
#include "SensorSimulator.h"
#include "VblFormat.h"
#include "VblRecordSink.h"
#include "VblWriter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include <malloc.h>
#include <pthread.h>
#include <sys/resource.h>

namespace {

double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

double processCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

FileRecord::file_record_t recordOf(const QSharedPointer<SensorData> &frame)
{
    FileRecord::file_record_t r;
    r.data = frame;
    r.time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    return r;
}

// The uncompressed payloads of the frames, made by the payload objects' own serializers.
std::vector<QByteArray> payloadsOf(const std::vector<QSharedPointer<SensorData>> &frames,
                                   const VEXA3D_SENSOR_INFO_T &info)
{
    Vbl::VblSectionContext context(sensorParamsFromInfo(info), pointFieldsFromInfo(info),
                                   echoFieldsFromInfo(info), lineFieldsFromInfo(info));
    std::vector<QByteArray> out;
    for (const auto &frame : frames) {
        const QSharedPointer<SensorData> payload = Vbl::toPayload(frame);
        QByteArray bytes;
        if (auto *line = dynamic_cast<Vbl::ScanPointData *>(payload.data())) {
            line->setSharedContext(&context);
            if (line->serialize(bytes))
                out.push_back(bytes);
        } else if (auto *aux = dynamic_cast<Vbl::ImuAuxiliaryData *>(payload.data())) {
            if (aux->serialize(bytes))
                out.push_back(bytes);
        }
    }
    return out;
}

// The file as the head writer and qCompress make it, for records that are all lines.
QByteArray referenceFile(const VEXA3D_SENSOR_INFO_T &info,
                         const std::vector<FileRecord::file_record_t> &records,
                         const std::vector<QByteArray> &payloads)
{
    VblWriter sections;
    sections.setSensorInfo(info);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QDataStream stream(&buffer);
    if (!writeVblHead(stream, true, QByteArray(info.product, int(strnlen(info.product, 64))),
                      sections.textSections()) ||
        records.size() != payloads.size())
        return {};
    for (size_t i = 0; i < records.size(); ++i) {
        const QByteArray packed = qCompress(payloads[i], 5);
        Vbl::SCAN_BLOCK_T header;
        header.offset = buffer.pos();
        header.index = qint32(records[i].index);
        header.length = quint32(packed.size());
        header.kind = Vbl::MeasurementPayload;
        std::memcpy(header.dateTime, records[i].time.toLatin1().constData(), 23);
        buffer.write(reinterpret_cast<const char *>(&header), 64);
        buffer.write(packed);
    }
    return buffer.data();
}

double compressPass(const std::vector<QByteArray> &payloads)
{
    const double start = threadCpuSeconds();
    for (const QByteArray &p : payloads)
        benchmark::DoNotOptimize(qCompress(p, 5).size());
    return threadCpuSeconds() - start;
}

// Lines from the simulator through the live device over loopback, rate as fast as possible.
struct Lines
{
    VEXA3D_SENSOR_INFO_T info{};
    std::vector<QSharedPointer<SensorData>> frames;
    std::vector<QByteArray> payloads;
};

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

struct Live
{
    Vexa3dSim::SensorSimulator sim;
    DRALCommunicationDevice device;
    VEXA3D_SENSOR_INFO_T info{};
    bool ok = false;

    explicit Live(double rate) : sim(config(rate))
    {
        bool initialized = false;
        QObject::connect(&device, &DRALCommunicationDevice::deviceInitialized, qApp,
                         [&](VEXA3D_SENSOR_INFO_T i) {
                             info = i;
                             initialized = true;
                         });
        ok = sim.start() && device.connectDevice("127.0.0.1", sim.port());
        if (ok) {
            device.initialize();
            ok = waitUntil([&] { return initialized; }, 10000);
        }
        if (!ok)
            std::fprintf(stderr, "the simulator could not be reached\n");
    }
    ~Live()
    {
        device.stopMeasurement();
        (void)device.disconnectDevice();
        sim.stop();
    }
    static Vexa3dSim::Config config(double rate)
    {
        Vexa3dSim::Config c;
        c.rate = rate;
        return c;
    }
};

const Lines &lines()
{
    static const Lines l = [] {
        Lines out;
        Live live(10.0);
        if (!live.ok)
            std::abort();
        std::mutex mutex;
        QObject::connect(&live.device, &DRALCommunicationDevice::measurementDataReady,
                         [&](const QSharedPointer<DRALMeasurementData> &line) {
                             std::lock_guard<std::mutex> lock(mutex);
                             if (out.frames.size() < 720)
                                 out.frames.push_back(line);
                         });
        live.device.startMeasurement(DistanceIntensityMode);
        waitUntil(
            [&] {
                std::lock_guard<std::mutex> lock(mutex);
                return out.frames.size() >= 720;
            },
            20000);
        live.device.stopMeasurement();
        out.info = live.info;
        std::lock_guard<std::mutex> lock(mutex);
        out.payloads = payloadsOf(out.frames, out.info);
        return out;
    }();
    return l;
}

double sinkPass(const QString &fileName, std::vector<FileRecord::file_record_t> *recordsOut = nullptr)
{
    const Lines &l = lines();
    // Records are built by the producer, not the worker.
    std::vector<FileRecord::file_record_t> records;
    for (const auto &frame : l.frames)
        records.push_back(recordOf(frame));
    if (recordsOut)
        *recordsOut = records;
    VblRecordSink sink(fileName, true, l.info);
    const double start = threadCpuSeconds();
    bool ok = sink.open() == RecordSink::Result::Done;
    for (const auto &record : records)
        ok = ok && sink.write(record) == RecordSink::Result::Done;
    ok = ok && sink.close() == RecordSink::Result::Done;
    if (!ok) {
        std::fprintf(stderr, "the sink failed: %s\n", qPrintable(sink.errorString()));
        std::abort();
    }
    return threadCpuSeconds() - start;
}

void BM_VblSink_vs_qCompress(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.vbl"));
    const Lines &l = lines();
    for (auto _ : state)
        benchmark::DoNotOptimize(sinkPass(file));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(l.frames.size()));
    double sink = 1e9, bare = 1e9;
    for (int i = 0; i < 5; ++i) {
        sink = std::min(sink, sinkPass(file));
        bare = std::min(bare, compressPass(l.payloads));
    }
    // The same bytes as qCompress gives, checked on the file of one more pass.
    std::vector<FileRecord::file_record_t> records;
    (void)sinkPass(file, &records);
    QFile written(file);
    const bool same =
        written.open(QIODevice::ReadOnly) && written.readAll() == referenceFile(l.info, records, l.payloads);
    if (!same)
        state.SkipWithError("the sink's file differs from the qCompress reference");
    state.counters["same_bytes"] = same ? 1 : 0;
    state.counters["blocks"] = double(l.frames.size());
    state.counters["sink_us_per_block"] = sink * 1e6 / double(l.frames.size());
    state.counters["qcompress_us_per_block"] = bare * 1e6 / double(l.payloads.size());
    state.counters["vs_qcompress"] = bare / sink;
}

// Counts the sink's writes and lets another thread read the worker thread's CPU clock.
class TimedSink : public RecordSink
{
public:
    struct Clock
    {
        std::atomic<bool> ready{false};
        clockid_t id{};
        std::atomic<qint64> writes{0};
        std::atomic<double> openCpu{0};
        std::atomic<double> closeCpu{0};
        double now() const
        {
            timespec ts{};
            if (!ready.load() || clock_gettime(id, &ts) != 0)
                return 0.0;
            return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
        }
    };

    TimedSink(std::unique_ptr<RecordSink> inner, Clock &clock) : m_inner(std::move(inner)), m_clock(clock) {}
    Result open() override
    {
        if (pthread_getcpuclockid(pthread_self(), &m_clock.id) == 0)
            m_clock.ready.store(true);
        m_clock.openCpu.store(threadCpuSeconds());
        return m_inner->open();
    }
    Result write(const FileRecord::file_record_t &record) override
    {
        const Result r = m_inner->write(record);
        ++m_clock.writes;
        return r;
    }
    Result flush() override { return m_inner->flush(); }
    Result close() override
    {
        const Result r = m_inner->close();
        m_clock.closeCpu.store(threadCpuSeconds());
        return r;
    }
    QString errorString() const override { return m_inner->errorString(); }

private:
    std::unique_ptr<RecordSink> m_inner;
    Clock &m_clock;
};

int envInt(const char *name, int fallback)
{
    return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : fallback;
}

// The bare loop under the same load as the recording: the device streams at the same rate and the producer
// makes a record of every frame (and drops it), while a thread runs qCompress over the payloads.
double loadedCompressPerBlock(double rate, int seconds, const std::vector<QByteArray> &payloads)
{
    Live live(rate);
    if (!live.ok || payloads.empty())
        return 0.0;
    const auto drop = [](const QSharedPointer<SensorData> &frame) {
        benchmark::DoNotOptimize(recordOf(frame).time.size());
    };
    QObject::connect(&live.device, &DRALCommunicationDevice::measurementDataReady,
                     [&](const QSharedPointer<DRALMeasurementData> &line) { drop(line); });
    QObject::connect(&live.device, &DRALCommunicationDevice::auxiliaryDataReady,
                     [&](const QSharedPointer<DRALAuxiliaryData> &packet) { drop(packet); });
    std::atomic<bool> streaming{false}, done{false};
    double cpu = 0;
    qint64 blocks = 0;
    std::thread loop([&] {
        while (!streaming.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const double start = threadCpuSeconds();
        for (size_t i = 0; !done.load(); i = (i + 1) % payloads.size(), ++blocks)
            benchmark::DoNotOptimize(qCompress(payloads[i], 5).size());
        cpu = threadCpuSeconds() - start;
    });
    live.device.startMeasurement(DistanceIntensityMode | AuxiliaryMode);
    // The first second is left out: the stream comes up to rate.
    waitUntil([] { return false; }, 1000);
    streaming.store(true);
    waitUntil([] { return false; }, seconds * 1000);
    done.store(true);
    loop.join();
    live.device.stopMeasurement();
    return blocks > 0 ? cpu / double(blocks) : 0.0;
}

void BM_VblLiveKeepUp(benchmark::State &state)
{
    const int seconds = envInt("TAVIRO_KEEPUP_SECONDS", 60);
    const double rate = qEnvironmentVariableIsSet("TAVIRO_KEEPUP_RATE")
                            ? qEnvironmentVariable("TAVIRO_KEEPUP_RATE").toDouble()
                            : 10.0;
    QTemporaryDir dir;
    for (auto _ : state) {
        Live live(rate);
        if (!live.ok) {
            state.SkipWithError("no simulator");
            return;
        }
        RecorderWorker worker;
        TimedSink::Clock clock;
        std::atomic<qint64> emitted{0}, written{0};
        std::mutex keptMutex;
        std::vector<QSharedPointer<SensorData>> kept;
        QObject::connect(&worker, &RecorderWorker::recordWritten, [&] { ++written; });
        std::mt19937 random(7);
        const auto take = [&](const QSharedPointer<SensorData> &frame) {
            const qint64 n = emitted++;
            worker.enqueue(recordOf(frame));
            // 2000 records drawn evenly from the whole stream (reservoir sampling): its start differs from
            // the rest (the device's first lines, the auxiliary packets' share).
            std::lock_guard<std::mutex> lock(keptMutex);
            if (kept.size() < 2000) {
                kept.push_back(frame);
            } else {
                const qint64 slot = std::uniform_int_distribution<qint64>(0, n)(random);
                if (slot < qint64(kept.size()))
                    kept[size_t(slot)] = frame;
            }
        };
        QObject::connect(&live.device, &DRALCommunicationDevice::measurementDataReady,
                         [&](const QSharedPointer<DRALMeasurementData> &line) { take(line); });
        QObject::connect(&live.device, &DRALCommunicationDevice::auxiliaryDataReady,
                         [&](const QSharedPointer<DRALAuxiliaryData> &packet) { take(packet); });
        worker.startWorker(std::make_unique<TimedSink>(
            std::make_unique<VblRecordSink>(dir.filePath(QStringLiteral("live.vbl")), true, live.info),
            clock));
        const double processStart = processCpuSeconds();
        live.device.startMeasurement(DistanceIntensityMode | AuxiliaryMode);
        // Timed from the end of the first second (up to rate) to the end of the stream, as the loop below.
        waitUntil([] { return false; }, 1000);
        const double streamCpu0 = clock.now();
        const qint64 streamWrites0 = clock.writes.load();
        waitUntil([] { return false; }, seconds * 1000);
        const double streamCpu = clock.now() - streamCpu0;
        const qint64 streamWrites = clock.writes.load() - streamWrites0;
        live.device.stopMeasurement();
        worker.stopWorker();
        const double processCpu = processCpuSeconds() - processStart;
        std::vector<QByteArray> payloads;
        {
            std::lock_guard<std::mutex> lock(keptMutex);
            payloads = payloadsOf(kept, live.info);
        }
        double idle = 1e9;
        for (int i = 0; i < 3; ++i)
            idle = std::min(idle, compressPass(payloads));
        const double idlePerBlock = idle / double(qMax<size_t>(payloads.size(), 1));
        const double loadedPerBlock = loadedCompressPerBlock(
            rate, envInt("TAVIRO_KEEPUP_BASELINE_SECONDS", qMin(seconds, 20)), payloads);
        const double streamPerBlock = streamCpu / double(qMax<qint64>(streamWrites, 1));
        const double allPerBlock =
            (clock.closeCpu.load() - clock.openCpu.load()) / double(qMax<qint64>(written.load(), 1));
        state.counters["emitted"] = double(emitted.load());
        state.counters["written"] = double(written.load());
        state.counters["lost"] = double(emitted.load() - written.load());
        state.counters["worker_us_per_block"] = streamPerBlock * 1e6;
        state.counters["qcompress_us_per_block"] = loadedPerBlock * 1e6;
        state.counters["vs_qcompress"] = streamPerBlock > 0 ? loadedPerBlock / streamPerBlock : 0.0;
        state.counters["worker_all_us_per_block"] = allPerBlock * 1e6;
        state.counters["qcompress_idle_us_per_block"] = idlePerBlock * 1e6;
        state.counters["vs_qcompress_idle"] = idlePerBlock / allPerBlock;
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        state.counters["peak_rss_mb"] = double(usage.ru_maxrss) / 1024.0;
        state.counters["process_us_per_block"] = processCpu * 1e6 / double(qMax<qint64>(written.load(), 1));
    }
}

} // namespace

BENCHMARK(BM_VblSink_vs_qCompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VblLiveKeepUp)->Unit(benchmark::kSecond)->Iterations(1);

int main(int argc, char **argv)
{
    // qCompress sets up a fresh 256 KiB deflate state per call; with the allocator's defaults freeing it
    // can give the pages back and the next call faults them in again, which made the bare loop 20-50 %
    // slower in some runs than in others. Kept pages make the loop the fast, steady baseline.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
