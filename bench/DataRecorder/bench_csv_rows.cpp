// CSV measurement rows, three writers over the same lines (decoded from the simulator's stream of a
// synthetic room, 74 spots of up to 4 echoes): fprintf with "%g", this project's CsvRowWriter, and a bare
// std::to_chars (general, 6 digits) writer with the same buffering. All three write to /dev/null; their
// bytes are compared once, in the same run, before timing. The ratios are reported as counters:
// "vs_fprintf" (how many times faster than fprintf, goal >= 2.5) and "vs_to_chars" (time relative to the
// bare to_chars writer, goal <= 1.3).
#include "CsvBuffer.h"
#include "CsvRowWriter.h"
#include "SensorSimulator.h"
#include "Vexa3dMemoryConnection.h"
#include "Vexa3dSensor.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t FlushBytes = 256 * 1024;

// Complete lines as the live device hands them to the recorders.
std::vector<VEXA3D_MEASUREMENT_DATA_T> decodeLines(int count, VEXA3D_SENSOR_INFO_T &info)
{
    Vexa3dSim::Config config;
    config.rate = 0;
    auto processor = std::make_shared<Vexa3dSim::CommandProcessor>(config);
    auto *memory = new Vexa3dMemoryConnection;
    memory->setResponder([processor](const std::string &written, Vexa3dMemoryConnection &conn) {
        const auto result = processor->handle(written.substr(0, written.size() - 1), 0);
        conn.feed(result.reply.data(), result.reply.size());
    });
    Vexa3dSensor sensor{std::unique_ptr<Vexa3dConnection>(memory)};
    VEXA3D_MEASUREMENT_DATA_T line;
    if (sensor.initialize(&line) != 1) {
        std::fprintf(stderr, "initialisation against the simulator failed\n");
        std::abort();
    }
    info.spec = sensor.spec();
    std::strncpy(info.product, "VX-SIM", sizeof info.product - 1);
    const std::vector<uint8_t> bytes =
        Vexa3dSim::Generator(config).makeStream(Vexa3dSim::DataKind::RangeLevel, count);
    memory->setResponder({});
    memory->feed(bytes.data(), bytes.size());
    std::vector<VEXA3D_MEASUREMENT_DATA_T> lines;
    for (int idle = 0; idle < 1000 && int(lines.size()) < count;) {
        if (sensor.receiveMeasurement(&line) == 1) {
            idle = 0;
            if (line.isLineDataReady)
                lines.push_back(line);
        } else if (sensor.findPacket() == 1) {
            (void)sensor.readReply(nullptr, nullptr, nullptr); // replies only need consuming here
        } else {
            ++idle;
        }
    }
    if (lines.empty()) {
        std::fprintf(stderr, "the simulator delivered no line\n");
        std::abort();
    }
    return lines;
}

struct Stream
{
    VEXA3D_SENSOR_INFO_T info;
    std::vector<VEXA3D_MEASUREMENT_DATA_T> lines;
    size_t rows = 0;
    Stream() : lines(decodeLines(720, info))
    {
        for (const auto &l : lines)
            for (size_t s = 0; s < l.receivedSpotCount; ++s)
                rows += l.spots[s].count;
    }
};

const Stream &stream()
{
    static const Stream s;
    return s;
}

void writeAll(int fd, const char *data, size_t size)
{
    while (size) {
        const ssize_t n = ::write(fd, data, size);
        if (n <= 0)
            std::abort();
        data += n;
        size -= size_t(n);
    }
}

// fprintf("%g") writer.
void fprintfRows(FILE *f, const VEXA3D_MEASUREMENT_DATA_T &l)
{
    for (unsigned s = 0; s < l.receivedSpotCount; ++s) {
        const VEXA3D_SPOT_T &spot = l.spots[s];
        for (unsigned e = 0; e < spot.count; ++e) {
            const VEXA3D_ECHO_T &echo = spot.echoes[e];
            const VEXA3D_POINT_T &p = spot.points[e];
            std::fprintf(f, "%u,%u,%u,%u,%u,%u,%u,%g,%u,%g,%g,%g,%g,%g\r\n", unsigned(l.timestamp),
                         unsigned(l.frameNumber), unsigned(l.motorFieldNumber), unsigned(l.remFieldNumber),
                         unsigned(l.lineNumber), s, e, echo.range, unsigned(echo.level), echo.secondAngle,
                         echo.firstAngle, p.x, p.y, p.z);
        }
    }
}

// Bare std::to_chars writer.
inline char *put(char *p, unsigned v)
{
    p = std::to_chars(p, p + 16, v).ptr;
    *p = ',';
    return p + 1;
}
inline char *put(char *p, double v)
{
    p = std::to_chars(p, p + 32, v, std::chars_format::general, 6).ptr;
    *p = ',';
    return p + 1;
}

void toCharsRows(CsvBuffer &out, const VEXA3D_MEASUREMENT_DATA_T &l)
{
    for (unsigned s = 0; s < l.receivedSpotCount; ++s) {
        const VEXA3D_SPOT_T &spot = l.spots[s];
        for (unsigned e = 0; e < spot.count; ++e) {
            const VEXA3D_ECHO_T &echo = spot.echoes[e];
            const VEXA3D_POINT_T &pt = spot.points[e];
            char *p = out.reserve(400);
            p = put(p, unsigned(l.timestamp));
            p = put(p, unsigned(l.frameNumber));
            p = put(p, unsigned(l.motorFieldNumber));
            p = put(p, unsigned(l.remFieldNumber));
            p = put(p, unsigned(l.lineNumber));
            p = put(p, s);
            p = put(p, e);
            p = put(p, echo.range);
            p = put(p, unsigned(echo.level));
            p = put(p, echo.secondAngle);
            p = put(p, echo.firstAngle);
            p = put(p, pt.x);
            p = put(p, pt.y);
            p = put(p, pt.z);
            p[-1] = '\r';
            *p++ = '\n';
            out.commit(p);
        }
    }
}

std::string fprintfText()
{
    char *text = nullptr;
    size_t size = 0;
    FILE *f = open_memstream(&text, &size);
    for (const auto &l : stream().lines)
        fprintfRows(f, l);
    std::fclose(f);
    std::string result(text, size);
    std::free(text);
    return result;
}

std::string bufferText(void (*rows)(CsvBuffer &, const VEXA3D_MEASUREMENT_DATA_T &))
{
    CsvBuffer out;
    for (const auto &l : stream().lines)
        rows(out, l);
    return std::string(out.data(), out.size());
}

void ownRows(CsvBuffer &out, const VEXA3D_MEASUREMENT_DATA_T &l)
{
    static const CsvRowWriter writer(stream().info);
    writer.appendMeasurementRows(out, l);
}

void checkIdentical()
{
    static const bool checked = [] {
        const std::string reference = fprintfText();
        if (bufferText(ownRows) != reference || bufferText(toCharsRows) != reference) {
            std::fprintf(stderr, "the writers' bytes differ\n");
            std::abort();
        }
        std::fprintf(stderr, "%zu lines, %zu rows, %zu bytes: identical from all three writers\n",
                     stream().lines.size(), stream().rows, reference.size());
        return true;
    }();
    (void)checked;
}

// Seconds for one pass over the stream with each writer, measured in this run as the baseline.
double passSeconds(int which)
{
    const auto start = std::chrono::steady_clock::now();
    if (which == 0) {
        FILE *f = std::fopen("/dev/null", "wb");
        for (const auto &l : stream().lines)
            fprintfRows(f, l);
        std::fclose(f);
    } else {
        const int fd = ::open("/dev/null", O_WRONLY);
        CsvBuffer out;
        for (const auto &l : stream().lines) {
            which == 1 ? ownRows(out, l) : toCharsRows(out, l);
            if (out.size() >= FlushBytes) {
                writeAll(fd, out.data(), out.size());
                out.clear();
            }
        }
        writeAll(fd, out.data(), out.size());
        ::close(fd);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double bestOf(int which, int passes)
{
    double best = 1e9;
    for (int i = 0; i < passes; ++i)
        best = std::min(best, passSeconds(which));
    return best;
}

void run(benchmark::State &state, int which)
{
    checkIdentical();
    for (auto _ : state)
        benchmark::DoNotOptimize(passSeconds(which));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(stream().rows));
    if (which == 1) {
        // Ratios from interleaved best-of passes, so that all three see the same machine load.
        const double own = bestOf(1, 5), printf = bestOf(0, 5), toChars = bestOf(2, 5);
        state.counters["vs_fprintf"] = printf / own;
        state.counters["vs_to_chars"] = own / toChars;
    }
}

void BM_CsvRows_fprintf(benchmark::State &state)
{
    run(state, 0);
}
void BM_CsvRows_CsvRowWriter(benchmark::State &state)
{
    run(state, 1);
}
void BM_CsvRows_to_chars(benchmark::State &state)
{
    run(state, 2);
}

} // namespace

BENCHMARK(BM_CsvRows_fprintf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvRows_CsvRowWriter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvRows_to_chars)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
