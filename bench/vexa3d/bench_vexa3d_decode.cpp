// Decoding throughput of the sensor library through its 128 KiB ring buffer on one core, against a
// lean reference loop over the same bytes and against Gigabit Ethernet goodput, with a count of heap
// allocations while decoding. Packet streams come from the sensor simulator's generator.

#include "SensorSimulator.h"
#include "Vexa3dConnection.h"
#include "Vexa3dMemoryConnection.h"
#include "Vexa3dSensor.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

// ---- allocation counter ----

static std::atomic<uint64_t> g_allocations{0};

void *operator new(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void *operator new[](std::size_t size)
{
    return operator new(size);
}
void operator delete(void *p) noexcept
{
    std::free(p);
}
void operator delete[](void *p) noexcept
{
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void *p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

constexpr double GigabitGoodput = 117.7e6; // bytes per second of TCP payload on Gigabit Ethernet
constexpr double Pi = 3.141592653589793;

// Hands out a fixed byte stream like a socket would: at most one ring buffer's free space per receive.
class StreamConnection : public Vexa3dConnection
{
public:
    int open(const char *, int) override { return 0; }
    int close() override { return 0; }
    int write(const void *, int length) override { return length; }
    int receive() override
    {
        const uint32_t room = m_ringBuffer.capacity() - m_ringBuffer.used();
        const size_t n = std::min<size_t>({room, m_size - m_position, 65536});
        if (n == 0)
            return 0;
        m_ringBuffer.write(m_data + m_position, uint32_t(n));
        m_position += n;
        return int(n);
    }
    void reset(const uint8_t *data, size_t size)
    {
        m_data = data;
        m_size = size;
        m_position = 0;
        m_ringBuffer.clear();
    }
    bool exhausted() const { return m_position == m_size; }

private:
    const uint8_t *m_data = nullptr;
    size_t m_size = 0;
    size_t m_position = 0;
};

struct Scenario
{
    const char *name;
    Vexa3dSim::DataKind kind;
    uint16_t spots;
    int packetsPerLine;
    int lines;
};

const Scenario Scenarios[] = {
    {"ri_74spots", Vexa3dSim::DataKind::RangeLevel, 74, 1, 2160},
    {"ro_74spots", Vexa3dSim::DataKind::Range, 74, 1, 2160},
    {"ra_74spots_2packets", Vexa3dSim::DataKind::ExtendedRange, 74, 2, 2160},
    {"ri_300spots", Vexa3dSim::DataKind::RangeLevel, 300, 1, 720},
};

Vexa3dSim::Config configFor(const Scenario &scenario)
{
    Vexa3dSim::Config config;
    config.geometry.spotCount = scenario.spots;
    config.packetsPerLine = scenario.packetsPerLine;
    config.rate = 0;
    return config;
}

// A sensor initialised through the simulator's own command replies, so the tables are the real ones.
struct DecodeRig
{
    StreamConnection *stream = nullptr;
    std::unique_ptr<Vexa3dSensor> sensor;
    Vexa3dGeometry geometry; // the decoders' own copy, for calling them without the sensor
    VEXA3D_MEASUREMENT_DATA_T line;
    std::vector<uint8_t> bytes;
    uint64_t packets = 0;
    uint64_t echoes = 0;

    explicit DecodeRig(const Scenario &scenario)
    {
        const Vexa3dSim::Config config = configFor(scenario);
        Vexa3dSim::Generator generator(config);
        bytes = generator.makeStream(scenario.kind, scenario.lines);

        auto *memory = new Vexa3dMemoryConnection;
        auto processor = std::make_shared<Vexa3dSim::CommandProcessor>(config);
        memory->setResponder([processor](const std::string &written, Vexa3dMemoryConnection &conn) {
            const auto result = processor->handle(written.substr(0, written.size() - 1), 0);
            conn.feed(result.reply.data(), result.reply.size());
        });
        Vexa3dSensor setup{std::unique_ptr<Vexa3dConnection>(memory)};
        if (setup.initialize(&line) != 1) {
            std::fprintf(stderr, "initialisation against the simulator failed\n");
            std::abort();
        }
        // Same geometry and tables, but reading the fixed stream.
        stream = new StreamConnection;
        sensor.reset(new Vexa3dSensor(std::unique_ptr<Vexa3dConnection>(stream)));
        std::vector<double> h(setup.spec().spotCount), v(setup.spec().spotCount);
        for (size_t s = 0; s < h.size(); ++s) {
            h[s] = setup.horizontalTableValue(int(s));
            v[s] = setup.verticalAngle(1, 0, int(s));
        }
        if (sensor->initializeOffline(setup.spec(), &line) != Vexa3dOk ||
            !sensor->setHorizontalTable(h.data(), int(h.size())) ||
            !sensor->setVerticalTable(1, 0, v.data(), int(v.size()))) {
            std::fprintf(stderr, "the simulator's geometry was refused\n");
            std::abort();
        }
        geometry = setup.geometry();
    }

    // The decoders alone over the linear stream: no ring buffer, no framing search. Returns the
    // measurement packets decoded, or -1 when a frame header does not read.
    int64_t decodePackets()
    {
        int64_t decoded = 0;
        size_t pos = 0;
        while (pos + VEXA3D_FRAME_HEADER_LENGTH <= bytes.size()) {
            Vexa3dPacketHeader header;
            const uint8_t *packet = bytes.data() + pos;
            if (!vexa3dReadFrameHeader(packet, uint32_t(bytes.size() - pos), header))
                return -1;
            if (vexa3dIsMeasurement(header)) {
                if (!vexa3dDecodeMeasurement(packet, header, geometry, line))
                    return -1;
                ++decoded;
            }
            pos += header.totalLength;
        }
        return decoded;
    }

    // Decodes the whole stream once; returns false when something was left undecoded.
    bool decodeAll()
    {
        stream->reset(bytes.data(), bytes.size());
        sensor->clearBuffer();
        for (;;) {
            if (sensor->receiveMeasurement(&line) == 1) {
                ++packets;
                continue;
            }
            if (sensor->findPacket() == Vexa3dOk) {
                if (sensor->readReply(nullptr, nullptr, nullptr) < Vexa3dOk) // not a measurement
                    return false;
                continue;
            }
            if (stream->exhausted())
                return sensor->connection()->ringBuffer().used() == 0;
        }
    }
};

// The lean loop: the same bytes, straight from one linear buffer, with no framing search, no ring
// buffer and no checks; the same conversion into flat arrays.
struct ReferenceDecoder
{
    std::vector<double> horizontal;
    std::vector<double> cosines, sines, angles;
    std::vector<VEXA3D_ECHO_T> echoes;
    std::vector<VEXA3D_POINT_T> points;
    std::vector<uint16_t> offsets;
    // The same per-span sweep tables as the library, filled ahead for the spans of the stream.
    int spanKeys[4] = {INT_MIN, INT_MIN, INT_MIN, INT_MIN};
    std::vector<double> sweepCos, sweepSin;
    int nextSlot = 0;

    const double *sweep(int span, bool sine)
    {
        const size_t spots = horizontal.size();
        for (int i = 0; i < 4; ++i)
            if (spanKeys[i] == span)
                return (sine ? sweepSin.data() : sweepCos.data()) + size_t(i) * spots;
        const int slot = nextSlot;
        nextSlot = (nextSlot + 1) % 4;
        spanKeys[slot] = span;
        for (size_t s = 0; s < spots; ++s) {
            const double a = (span * horizontal[s] / 65535.0 * 2.0) * Pi;
            sweepCos[size_t(slot) * spots + s] = std::cos(a);
            sweepSin[size_t(slot) * spots + s] = std::sin(a);
        }
        return (sine ? sweepSin.data() : sweepCos.data()) + size_t(slot) * spots;
    }

    explicit ReferenceDecoder(const DecodeRig &rig)
    {
        const int spots = rig.sensor->spec().spotCount;
        const int echoCount = rig.sensor->spec().echoCount;
        for (int s = 0; s < spots; ++s) {
            horizontal.push_back(rig.sensor->horizontalTableValue(s));
            const double a = rig.sensor->verticalAngle(1, 0, s);
            angles.push_back(a);
            cosines.push_back(std::cos(a));
            sines.push_back(std::sin(a));
        }
        echoes.resize(size_t(spots * echoCount));
        points.resize(size_t(spots * echoCount));
        offsets.resize(size_t(spots + 1));
        sweepCos.resize(4 * size_t(spots));
        sweepSin.resize(4 * size_t(spots));
    }

    static uint16_t u16(const uint8_t *p) { return uint16_t(p[0] | (p[1] << 8)); }

    uint64_t run(const std::vector<uint8_t> &bytes)
    {
        uint64_t decoded = 0;
        const int echoCount = int(echoes.size() / horizontal.size());
        size_t pos = 0;
        while (pos + 24 <= bytes.size()) {
            const uint8_t *packet = bytes.data() + pos;
            const uint16_t total = u16(packet + 14);
            const bool rangeOnly = packet[5] == 'r' && packet[6] == 'o';
            const uint8_t *h = packet + 24;
            const uint16_t headerLength = u16(h);
            const int16_t start = int16_t(u16(h + 10));
            const int16_t end = int16_t(u16(h + 12));
            const uint16_t spotOffset = u16(h + 18);
            const uint8_t *index = h + headerLength;
            const uint16_t count = u16(index + 2);
            const uint8_t *offs = index + 4;
            const uint8_t *data = offs + 2 * (count + 1) + (count % 2 == 0 ? 2 : 0);
            const size_t entry = rangeOnly ? 2 : 4;
            const double a = (start / 65535.0 * 2.0) * Pi;
            const double ca = std::cos(a), sa = std::sin(a);
            const double *sc = sweep(end - start, false);
            const double *ss = sweep(end - start, true);
            for (int i = 0; i < count; ++i) {
                const int s = spotOffset + i;
                const int first = u16(offs + 2 * i);
                const int n = u16(offs + 2 * i + 2) - first;
                if (n <= 0)
                    continue;
                const double theta = ((start + (end - start) * horizontal[size_t(s)]) / 65535.0 * 2.0) * Pi;
                const double ct = ca * sc[s] - sa * ss[s], st = sa * sc[s] + ca * ss[s];
                const double phi = angles[size_t(s)] > Pi ? angles[size_t(s)] - 2 * Pi : angles[size_t(s)];
                for (int e = 0; e < n; ++e) {
                    const uint8_t *d = data + size_t(first + e) * entry;
                    const double r = u16(d) / 1000.0;
                    const uint32_t level = rangeOnly ? 0 : u16(d + 2);
                    VEXA3D_ECHO_T &echo = echoes[size_t(s * echoCount + e)];
                    echo.range = r;
                    echo.firstAngle = phi;
                    echo.secondAngle = theta;
                    echo.level = level;
                    VEXA3D_POINT_T &point = points[size_t(s * echoCount + e)];
                    point.x = r * cosines[size_t(s)] * ct;
                    point.y = r * cosines[size_t(s)] * st;
                    point.z = r * sines[size_t(s)];
                    point.level = level;
                    ++decoded;
                }
            }
            pos += total;
        }
        return decoded;
    }
};

uint64_t countEchoes(const std::vector<uint8_t> &bytes)
{
    uint64_t echoes = 0;
    size_t pos = 0;
    while (pos + 24 <= bytes.size()) {
        const uint8_t *p = bytes.data() + pos;
        const uint16_t total = uint16_t(p[14] | (p[15] << 8));
        if (p[4] == '_' && p[5] == 'r') {
            const uint8_t *h = p + 24;
            const uint8_t *index = h + (h[0] | (h[1] << 8));
            const int count = index[2] | (index[3] << 8);
            const uint8_t *last = index + 4 + 2 * count;
            echoes += uint64_t(last[0] | (last[1] << 8));
        }
        pos += total;
    }
    return echoes;
}

void setCounters(benchmark::State &state, uint64_t bytesPerRun, uint64_t echoesPerRun, uint64_t packetsPerRun)
{
    const double runs = double(state.iterations());
    state.SetBytesProcessed(int64_t(runs * double(bytesPerRun)));
    state.counters["echoes_per_s"] =
        benchmark::Counter(runs * double(echoesPerRun), benchmark::Counter::kIsRate);
    state.counters["packets_per_s"] =
        benchmark::Counter(runs * double(packetsPerRun), benchmark::Counter::kIsRate);
    state.counters["x_gigabit"] =
        benchmark::Counter(runs * double(bytesPerRun) / GigabitGoodput, benchmark::Counter::kIsRate);
}

void decodeBenchmark(benchmark::State &state, const Scenario *scenario)
{
    DecodeRig rig(*scenario);
    if (!rig.decodeAll()) {
        state.SkipWithError("stream did not decode completely");
        return;
    }
    const uint64_t packetsPerRun = rig.packets;
    const uint64_t echoesPerRun = countEchoes(rig.bytes);
    rig.packets = 0;
    const uint64_t before = g_allocations.load();
    for (auto _ : state) {
        rig.decodeAll();
        benchmark::DoNotOptimize(rig.line.spots.data());
    }
    const uint64_t allocations = g_allocations.load() - before;
    setCounters(state, rig.bytes.size(), echoesPerRun, packetsPerRun);
    state.counters["allocs_per_packet"] = double(allocations) / double(std::max<uint64_t>(rig.packets, 1));
}

void packetsBenchmark(benchmark::State &state, const Scenario *scenario)
{
    DecodeRig rig(*scenario);
    const int64_t packetsPerRun = rig.decodePackets();
    if (packetsPerRun < 0) {
        state.SkipWithError("a packet of the stream did not decode");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(rig.decodePackets());
        benchmark::DoNotOptimize(rig.line.spots.data());
    }
    setCounters(state, rig.bytes.size(), countEchoes(rig.bytes), uint64_t(packetsPerRun));
}

void referenceBenchmark(benchmark::State &state, const Scenario *scenario)
{
    DecodeRig rig(*scenario);
    rig.decodeAll();
    const uint64_t packetsPerRun = rig.packets;
    ReferenceDecoder reference(rig);
    uint64_t echoes = 0;
    for (auto _ : state) {
        echoes = reference.run(rig.bytes);
        benchmark::DoNotOptimize(reference.points.data());
    }
    setCounters(state, rig.bytes.size(), echoes, packetsPerRun);
}

// Keeps every run's byte rate so the summary can compare decoder, reference and Gigabit goodput.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> bytesPerSecond;
    std::map<std::string, double> allocsPerPacket;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            // With repetitions the median stands for the benchmark; it is reported after the single runs.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            const std::string name = run.run_name.str();
            auto rate = run.counters.find("bytes_per_second");
            if (rate != run.counters.end())
                bytesPerSecond[name] = rate->second;
            auto allocs = run.counters.find("allocs_per_packet");
            if (allocs != run.counters.end())
                allocsPerPacket[name] = allocs->second;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char **argv)
{
    for (const Scenario &scenario : Scenarios) {
        benchmark::RegisterBenchmark((std::string("decode/") + scenario.name).c_str(), decodeBenchmark,
                                     &scenario)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("packets/") + scenario.name).c_str(), packetsBenchmark,
                                     &scenario)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("reference/") + scenario.name).c_str(), referenceBenchmark,
                                     &scenario)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    // On a machine shared with other work single runs scatter; run with e.g. --benchmark_repetitions=5
    // and the summary takes the medians.
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    bool met = true;
    std::printf("\n%-24s %12s %12s %12s %10s %12s %8s\n", "stream", "decode MB/s", "packets MB/s", "ref MB/s",
                "x Gigabit", "x reference", "allocs");
    for (const Scenario &scenario : Scenarios) {
        const std::string decode = std::string("decode/") + scenario.name;
        const std::string reference = std::string("reference/") + scenario.name;
        if (!reporter.bytesPerSecond.count(decode) || !reporter.bytesPerSecond.count(reference))
            continue;
        const double d = reporter.bytesPerSecond[decode];
        const double r = reporter.bytesPerSecond[reference];
        const std::string packets = std::string("packets/") + scenario.name;
        const double p = reporter.bytesPerSecond.count(packets) ? reporter.bytesPerSecond[packets] : 0.0;
        const double allocs = reporter.allocsPerPacket[decode];
        const bool ok = d >= 10 * GigabitGoodput && d >= 0.5 * r && allocs == 0;
        met = met && ok;
        std::printf("%-24s %12.1f %12.1f %12.1f %10.1f %12.2f %8.3f %s\n", scenario.name, d / 1e6, p / 1e6,
                    r / 1e6, d / GigabitGoodput, d / r, allocs, ok ? "goal met" : "GOAL MISSED");
    }
    std::printf(
        "goals: >= 10x Gigabit goodput (%.1f MB/s), >= 0.5x reference, 0 allocations per packet: %s\n",
        10 * GigabitGoodput / 1e6, met ? "met" : "missed");
    benchmark::Shutdown();
    return 0;
}
