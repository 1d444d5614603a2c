// Feeds arbitrary bytes through the sensor library without a socket: the ring buffer, the framing,
// the reply reader, the command transaction with its reply parsing, and both data decoders, first through
// the sensor object and then called directly on every frame header found in the bytes.
//
// Input layout: 7 configuration bytes, then the byte stream the "sensor" sends.
//   [0..1] spotCount (little-endian, taken modulo 600)   [2] echoCount (modulo 9)
//   [3] bits 0-1 regionCount, bit 2 isLsbResult, bit 3 swdr, bits 4-7 remInterlaceCount - 1
//   [4] bytes per receive (0: all at once)   [5] bit 0: initialise through the command replies,
//   bit 1: look at each packet's type first and then call its reader (the race-free device loop)
//   [6] where the ring buffer's indices start, so packets wrap around its end
//
// Built with libFuzzer it defines LLVMFuzzerTestOneInput only; with VEXA3D_FUZZ_REPLAY_MAIN it also has
// a main() that replays files and folders (the seed corpus) so that any compiler can run it.

#include "Vexa3dMemoryConnection.h"
#include "Vexa3dSensor.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// Decoded packets of the current run, for the replay driver's summary.
size_t g_lines = 0;
size_t g_auxiliary = 0;
size_t g_replies = 0;
int g_initialized = 0;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkLine(const VEXA3D_MEASUREMENT_DATA_T &line, const VEXA3D_SPEC_T &spec)
{
    check(line.spots.size() == spec.spotCount);
    check(line.receivedSpotCount <= spec.spotCount);
    for (const VEXA3D_SPOT_T &spot : line.spots)
        check(spot.count <= spec.echoCount);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    constexpr size_t ConfigBytes = 7;
    if (size < ConfigBytes)
        return 0;
    g_lines = g_auxiliary = g_replies = 0;
    g_initialized = 0;
    VEXA3D_SPEC_T spec;
    spec.spotCount = uint16_t((data[0] | (data[1] << 8)) % 600);
    spec.echoCount = uint8_t(data[2] % 9);
    spec.regionCount = uint8_t(data[3] & 3);
    spec.isLsbResult = uint8_t((data[3] >> 2) & 1);
    spec.swdr = uint8_t((data[3] >> 3) & 1);
    spec.remInterlaceCount = uint8_t((data[3] >> 4) + 1);
    const uint32_t chunk = data[4] ? data[4] : 0xFFFFFFFFu;
    const bool viaCommands = data[5] & 1;

    auto *memory = new Vexa3dMemoryConnection;
    Vexa3dSensor sensor{std::unique_ptr<Vexa3dConnection>(memory)};
    sensor.setTimeout(0); // a missing reply ends a command at once

    // Start the indices near the end of the storage so that the stream wraps.
    Vexa3dRingBuffer &ring = memory->ringBuffer();
    const uint32_t shift = ring.capacity() - uint32_t(data[6]) * 16;
    static const uint8_t zeros[4096] = {};
    for (uint32_t moved = 0; moved < shift;) {
        const uint32_t n = std::min<uint32_t>(shift - moved, sizeof zeros);
        check(ring.write(zeros, n) == n && ring.discard(n) == n);
        moved += n;
    }
    memory->feed(data + ConfigBytes, size - ConfigBytes);

    VEXA3D_MEASUREMENT_DATA_T line;
    if (viaCommands) {
        g_initialized = sensor.initialize(&line);
        if (g_initialized == Vexa3dOk) {
            check(line.spots.size() == sensor.spec().spotCount);
            const int ready = sensor.waitReady();
            check(ready == Vexa3dOk || ready == Vexa3dFailed || ready == Vexa3dTimeout);
            const int set = sensor.setVerticalInterlace(data[6] % 4);
            check(set == Vexa3dOk || set == Vexa3dFailed || set == Vexa3dTimeout);
        }
        if (!sensor.isInitialized())
            check(sensor.initializeOffline(spec, &line) == Vexa3dOk);
    } else {
        check(sensor.initializeOffline(spec, &line) == Vexa3dOk);
        std::vector<double> fractions(spec.spotCount), angles(spec.spotCount);
        for (size_t s = 0; s < fractions.size(); ++s) {
            fractions[s] = double(s) / double(fractions.size());
            angles[s] = 0.01 * double(s);
        }
        // An empty table has no storage to hand over, which the setters refuse.
        check(fractions.empty() || sensor.setHorizontalTable(fractions.data(), int(fractions.size())));
        check(angles.empty() || sensor.setVerticalTable(1, 0, angles.data(), int(angles.size())));
    }
    const VEXA3D_SPEC_T active = sensor.spec();
    memory->setChunkSize(chunk);
    const bool dispatch = data[5] & 2;

    std::unique_ptr<VEXA3D_AUXILIARY_DATA_T> aux(new VEXA3D_AUXILIARY_DATA_T);
    std::vector<char> payload(VEXA3D_MAX_REPLY_PAYLOAD + 1);
    for (size_t guard = 0; guard < 1000000; ++guard) {
        Vexa3dPacketHeader waiting;
        if (dispatch && sensor.findPacket(&waiting) != 1) {
            if (memory->pendingBytes() == 0)
                break;
            continue;
        }
        const int measured = sensor.receiveMeasurement(&line);
        check(measured == Vexa3dNone || measured == Vexa3dOk);
        if (measured == Vexa3dOk) {
            checkLine(line, active);
            ++g_lines;
            continue;
        }
        if (sensor.receiveAuxiliary(aux.get()) == Vexa3dOk) {
            check(aux->sampleCount <= VEXA3D_MAX_AUX_SAMPLES);
            ++g_auxiliary;
            continue;
        }
        Vexa3dPacketHeader header;
        int length = -1;
        const int read = sensor.readReply(&header, payload.data(), &length);
        check(read >= Vexa3dFailed && read <= Vexa3dPacketDropped);
        g_replies += read == Vexa3dOk ? 1 : 0;
        if (read == Vexa3dOk)
            check(length >= 0 && length <= VEXA3D_MAX_REPLY_PAYLOAD && payload[size_t(length)] == 0);
        if (read == 0 && memory->pendingBytes() == 0)
            break;
    }
    check(ring.used() <= ring.capacity());

    // The decoders alone, on every frame header in the bytes, with the geometry the sensor ended with.
    Vexa3dGeometry geometry = sensor.geometry();
    const uint8_t *stream = data + ConfigBytes;
    const size_t streamSize = size - ConfigBytes;
    for (size_t pos = 0; pos + VEXA3D_FRAME_HEADER_LENGTH <= streamSize; ++pos) {
        Vexa3dPacketHeader header;
        if (!vexa3dReadFrameHeader(stream + pos, uint32_t(std::min<size_t>(streamSize - pos, UINT32_MAX)),
                                   header))
            continue;
        check(header.headerLength >= VEXA3D_FRAME_HEADER_LENGTH && header.totalLength <= streamSize - pos);
        if (vexa3dDecodeMeasurement(stream + pos, header, geometry, line))
            checkLine(line, active);
        if (vexa3dDecodeAuxiliary(stream + pos, header, *aux))
            check(aux->sampleCount <= VEXA3D_MAX_AUX_SAMPLES);
    }
    return 0;
}

#ifdef VEXA3D_FUZZ_REPLAY_MAIN
#include <cstdio>
#include <dirent.h>
#include <string>
#include <sys/stat.h>

namespace {

int replayFile(const std::string &path)
{
    FILE *file = std::fopen(path.c_str(), "rb");
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(file);
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    if (std::getenv("VEXA3D_FUZZ_VERBOSE"))
        std::printf("%s: initialize %d, lines %zu, auxiliary %zu, other packets %zu\n", path.c_str(),
                    g_initialized, g_lines, g_auxiliary, g_replies);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    int failures = 0;
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        struct stat info;
        if (::stat(argv[i], &info) != 0) {
            std::fprintf(stderr, "no such input %s\n", argv[i]);
            ++failures;
            continue;
        }
        if (!S_ISDIR(info.st_mode)) {
            failures += replayFile(argv[i]);
            ++files;
            continue;
        }
        DIR *dir = ::opendir(argv[i]);
        while (dirent *entry = dir ? ::readdir(dir) : nullptr) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            failures += replayFile(std::string(argv[i]) + "/" + name);
            ++files;
        }
        if (dir)
            ::closedir(dir);
    }
    std::printf("replayed %d inputs\n", files);
    return failures == 0 && files > 0 ? 0 : 1;
}
#endif
