// taviro3d-sensor-sim: a stand-in for the scanning sensor on a TCP port, until SIGINT or SIGTERM.

#include "SensorSimulator.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pthread.h>
#include <string>

namespace {

const char *const kUsage =
    "Usage: taviro3d-sensor-sim [options]\n"
    "Simulates a 3D scanning LiDAR that scans a small room, speaking the sensor's TCP protocol.\n"
    "\n"
    "Connection:\n"
    "  --port N                 TCP port (default 10940; 0 picks a free one)\n"
    "  --bind ADDR              IPv4 address to listen on (default 127.0.0.1)\n"
    "Identity:\n"
    "  --vendor TEXT, --product TEXT, --serial TEXT, --firmware TEXT\n"
    "  --protocol TEXT          protocol version (default 2.3; below 2.3 clients assume the default "
    "geometry,\n"
    "                           1.x sends measurement headers without the vertical field)\n"
    "Geometry:\n"
    "  --spots N                spots per line (default 74)\n"
    "  --echoes N               echoes per spot (default 4)\n"
    "  --regions N              detection regions (default 2)\n"
    "  --lsb                    region flags in the low bits of each level\n"
    "  --first-line N, --last-line N   line numbers (default 0 and 35)\n"
    "  --motor-interlace N      supported horizontal fields (default 20)\n"
    "  --rem-interlace N        supported vertical fields (default 10)\n"
    "  --itl N, --itv N         current horizontal and vertical interlace count (default 1)\n"
    "  --swdr                   swapped scan directions\n"
    "Streaming:\n"
    "  --rate X                 multiplier of the nominal 720 lines/s (default 1; 0 as fast as possible)\n"
    "  --packets-per-line N     split each line into N packets (default 1)\n"
    "  --aux-samples N          samples per auxiliary packet (default 10)\n"
    "  --aux-interval MS        auxiliary sample interval (default 10)\n"
    "  --static                 the moving box stands still\n"
    "  --preparing-ms MS        \"GET:stat\" reports 099 this long after each connection\n"
    "Faults:\n"
    "  --garbage N              N bytes of garbage before every packet\n"
    "  --split-at N             write every packet in two parts split at byte N\n"
    "  --malform KIND           short|long|zero|offsets|beyond|header\n"
    "  --malform-every N        malform every N-th measurement packet (default 100 with --malform)\n"
    "  --refuse PREFIX          answer commands starting with PREFIX with \"ERR\" (repeatable)\n"
    "  --silent PREFIX          never answer commands starting with PREFIX (repeatable)\n"
    "  --reply-delay MS         delay every reply\n"
    "  --drop-after N           drop the connection after N data packets\n"
    "  --drop-after-lines N     drop the connection after N lines\n"
    "  --stall-after N          after N lines of a connection go silent once (socket kept open)\n"
    "  --stall-ms MS            how long that silence lasts (default 10000)\n"
    "  --lose-first-every N     send every N-th line without its first packet\n"
    "  --refuse-interlace N     refuse to set either interlace count to N\n"
    "Other:\n"
    "  --verbose                print every command received\n"
    "  --help                   show this text\n";

bool parseInt(const char *text, long lo, long hi, long *out)
{
    char *end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (!text[0] || *end || v < lo || v > hi)
        return false;
    *out = v;
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    using namespace Vexa3dSim;
    Config config;
    long port = kDefaultPort;
    std::string bind = "127.0.0.1";
    bool verbose = false;
    Geometry &g = config.geometry;

    for (int i = 1; i < argc; ++i) {
        const std::string opt = argv[i];
        if (opt == "--help" || opt == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        const bool flag = opt == "--lsb" || opt == "--swdr" || opt == "--static" || opt == "--verbose";
        if (flag) {
            if (opt == "--lsb")
                g.isLsbResult = 1;
            else if (opt == "--swdr")
                g.swdr = 1;
            else if (opt == "--static")
                config.movingObject = false;
            else
                verbose = true;
            continue;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "taviro3d-sensor-sim: %s needs a value (see --help)\n", opt.c_str());
            return 2;
        }
        const char *value = argv[++i];
        long n = 0;
        bool ok = true;
        auto number = [&](long lo, long hi) { return (ok = parseInt(value, lo, hi, &n)); };
        if (opt == "--port") {
            if (number(0, 65535))
                port = n;
        } else if (opt == "--bind") {
            bind = value;
        } else if (opt == "--vendor") {
            config.identity.vendor = value;
        } else if (opt == "--product") {
            config.identity.product = value;
        } else if (opt == "--serial") {
            config.identity.serial = value;
        } else if (opt == "--firmware") {
            config.identity.firmware = value;
        } else if (opt == "--protocol") {
            config.identity.protocol = value;
        } else if (opt == "--spots") {
            if (number(1, 4000))
                g.spotCount = static_cast<uint16_t>(n);
        } else if (opt == "--echoes") {
            if (number(1, 255))
                g.echoCount = static_cast<uint8_t>(n);
        } else if (opt == "--regions") {
            if (number(0, 255))
                g.regionCount = static_cast<uint8_t>(n);
        } else if (opt == "--first-line") {
            if (number(0, 65535))
                g.firstLineNumber = static_cast<uint16_t>(n);
        } else if (opt == "--last-line") {
            if (number(0, 65535))
                g.lastLineNumber = static_cast<uint16_t>(n);
        } else if (opt == "--motor-interlace") {
            if (number(1, 99))
                g.motorInterlaceCount = static_cast<uint8_t>(n);
        } else if (opt == "--rem-interlace") {
            if (number(1, 99))
                g.remInterlaceCount = static_cast<uint8_t>(n);
        } else if (opt == "--itl") {
            if (number(1, 99))
                g.horizontalInterlace = static_cast<uint8_t>(n);
        } else if (opt == "--itv") {
            if (number(1, 99))
                g.verticalInterlace = static_cast<uint8_t>(n);
        } else if (opt == "--rate") {
            char *end = nullptr;
            config.rate = std::strtod(value, &end);
            ok = *value && !*end && config.rate >= 0;
        } else if (opt == "--packets-per-line") {
            if (number(1, 4000))
                config.packetsPerLine = static_cast<int>(n);
        } else if (opt == "--aux-samples") {
            if (number(0, 255))
                config.auxSamplesPerPacket = static_cast<uint8_t>(n);
        } else if (opt == "--aux-interval") {
            if (number(1, 255))
                config.auxSampleIntervalMs = static_cast<uint8_t>(n);
        } else if (opt == "--preparing-ms") {
            if (number(0, 3600000))
                config.preparingMs = static_cast<int>(n);
        } else if (opt == "--garbage") {
            if (number(0, 65536))
                config.faults.garbageBytes = static_cast<int>(n);
        } else if (opt == "--split-at") {
            if (number(0, 65535))
                config.faults.splitAt = static_cast<int>(n);
        } else if (opt == "--malform") {
            const std::string kind = value;
            Malformation m = Malformation::None;
            if (kind == "short")
                m = Malformation::TotalLengthShort;
            else if (kind == "long")
                m = Malformation::TotalLengthLong;
            else if (kind == "zero")
                m = Malformation::TotalLengthZero;
            else if (kind == "offsets")
                m = Malformation::EchoOffsetsInvalid;
            else if (kind == "beyond")
                m = Malformation::SpotsBeyondLine;
            else if (kind == "header")
                m = Malformation::MeasurementHeaderTooLong;
            else
                ok = false;
            config.faults.malformation = m;
            if (config.faults.malformEvery == 0)
                config.faults.malformEvery = 100;
        } else if (opt == "--malform-every") {
            if (number(0, 1000000))
                config.faults.malformEvery = static_cast<int>(n);
        } else if (opt == "--refuse") {
            config.faults.refusedCommands.push_back(value);
        } else if (opt == "--silent") {
            config.faults.silentCommands.push_back(value);
        } else if (opt == "--reply-delay") {
            if (number(0, 600000))
                config.faults.replyDelayMs = static_cast<int>(n);
        } else if (opt == "--drop-after") {
            if (number(0, 1000000000))
                config.faults.dropAfterDataPackets = static_cast<int>(n);
        } else if (opt == "--drop-after-lines") {
            if (number(0, 1000000000))
                config.faults.dropAfterLines = static_cast<int>(n);
        } else if (opt == "--stall-after") {
            if (number(0, 1000000000))
                config.faults.stallAfterLines = static_cast<int>(n);
        } else if (opt == "--stall-ms") {
            if (number(0, 3600000))
                config.faults.stallMs = static_cast<int>(n);
        } else if (opt == "--lose-first-every") {
            if (number(0, 1000000000))
                config.faults.loseFirstPacketEvery = static_cast<int>(n);
        } else if (opt == "--refuse-interlace") {
            if (number(1, 99)) {
                char prefix[32];
                for (const char *command : {"SET:_itl=0,", "SET:_itv=0,"}) {
                    std::snprintf(prefix, sizeof prefix, "%s%02ld", command, n);
                    config.faults.refusedCommands.push_back(prefix);
                }
            }
        } else {
            std::fprintf(stderr, "taviro3d-sensor-sim: unknown option %s (see --help)\n", opt.c_str());
            return 2;
        }
        if (!ok) {
            std::fprintf(stderr, "taviro3d-sensor-sim: bad value for %s: %s\n", opt.c_str(), value);
            return 2;
        }
    }
    if (g.horizontalInterlace > g.motorInterlaceCount || g.verticalInterlace > g.remInterlaceCount) {
        std::fprintf(stderr, "taviro3d-sensor-sim: the current interlace exceeds the supported count\n");
        return 2;
    }

    const Geometry defaults;
    const std::string &protocol = config.identity.protocol;
    const bool specQueried = protocol.rfind("2.", 0) == 0 && std::atoi(protocol.c_str() + 2) >= 3;
    if (!specQueried && (g.spotCount != defaults.spotCount || g.echoCount != defaults.echoCount ||
                         g.regionCount != defaults.regionCount || g.lineCount() != defaults.lineCount() ||
                         g.motorInterlaceCount != defaults.motorInterlaceCount ||
                         g.remInterlaceCount != defaults.remInterlaceCount || g.isLsbResult || g.swdr))
        std::fprintf(stderr,
                     "taviro3d-sensor-sim: warning: clients assume the default geometry for protocol %s\n",
                     protocol.c_str());

    // Block the stop signals in every thread; the main thread takes them with sigwait.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    SensorSimulator sim(config);
    if (!sim.start(static_cast<uint16_t>(port), bind)) {
        std::fprintf(stderr, "taviro3d-sensor-sim: cannot listen on %s:%ld\n", bind.c_str(), port);
        return 1;
    }
    std::printf("taviro3d-sensor-sim: %s listening on %s:%u (%u spots, %u echoes, protocol %s)\n",
                config.identity.product.c_str(), bind.c_str(), sim.port(), g.spotCount, g.echoCount,
                config.identity.protocol.c_str());
    std::fflush(stdout);

    if (verbose) {
        // Print the command log as it grows until a stop signal arrives.
        std::thread printer([&sim] {
            size_t shown = 0;
            while (sim.isRunning()) {
                sim.waitForCommand("\x01never", 200);
                const std::vector<std::string> log = sim.commandLog();
                for (; shown < log.size(); ++shown)
                    std::printf("> %s\n", log[shown].c_str());
                std::fflush(stdout);
            }
        });
        int sig = 0;
        sigwait(&signals, &sig);
        sim.stop();
        printer.join();
    } else {
        int sig = 0;
        sigwait(&signals, &sig);
        sim.stop();
    }
    std::printf("taviro3d-sensor-sim: stopped after %llu lines, %llu auxiliary packets\n",
                static_cast<unsigned long long>(sim.linesSent()),
                static_cast<unsigned long long>(sim.auxiliaryPacketsSent()));
    return 0;
}
