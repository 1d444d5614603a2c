#pragma once

// A stand-in for the 3D scanning LiDAR: the packet generator (usable without sockets, for fuzz
// corpora and benchmarks) and an in-process TCP server for tests and the taviro3d-sensor-sim tool.
// Plain C++17 and POSIX sockets; no Qt.
//
// Stream layout: a frame is every current horizontal (motor) field, and within each of those every
// current vertical (rem) field, and within each of those the lines firstLineNumber..lastLineNumber.
// The frame counter (u8) advances after the last line of a frame. Timestamps are sensor milliseconds
// derived from the line sequence at the nominal rate, so the data do not depend on the rate multiplier.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Vexa3dSim {

// Nominal timing at rate 1.0: 36 lines per field at 20 fields per second.
constexpr double kNominalLineRate = 720.0; // lines per second, per started measurement kind
constexpr uint16_t kDefaultPort = 10940;

// Scan geometry and the identity the sensor reports. The defaults equal what a client assumes for
// sensors older than protocol 2.3, so old-protocol simulations stay consistent with the client.
struct Geometry
{
    uint8_t motorInterlaceCount = 20; // supported horizontal fields ("GET:spec.motorInterlaceCount")
    uint8_t remInterlaceCount = 10;   // supported vertical fields
    uint16_t firstLineNumber = 0;
    uint16_t lastLineNumber = 35;
    uint16_t spotCount = 74; // above 256 the tables are also served in 256-spot chunks
    uint8_t echoCount = 4;
    uint8_t regionCount = 2;
    uint8_t isLsbResult = 0; // 1: the low regionCount bits of each level carry region flags
    uint16_t accelScale = 4;
    uint16_t gyroScale = 500;
    uint8_t swdr = 0;

    uint8_t horizontalInterlace = 1; // current count at power-up ("GET:_itl"), 1..motorInterlaceCount
    uint8_t verticalInterlace = 1;   // current count at power-up ("GET:_itv"), 1..remInterlaceCount

    double horizontalFovDeg = 270.0; // covered by the lines of one field, centred on +x
    double verticalTopDeg = 25.0;    // angle of spot 0
    double verticalBottomDeg = -25.0;

    int lineCount() const
    {
        return lastLineNumber >= firstLineNumber ? lastLineNumber + 1 - firstLineNumber : 0;
    }
    int chunkCount() const { return ((spotCount >> 8) + 1) & 0xFF; }
};

struct Identity
{
    std::string vendor = "Taviro Test Rig";
    std::string product = "VX3D-SIM";
    std::string serial = "SIM0000001";
    std::string firmware = "3.2.1";
    std::string protocol = "2.3"; // "1.x" sends 20-byte measurement headers (no vertical field)
};

// Faults a test can switch on; all off by default.
enum class Malformation
{
    None,
    TotalLengthShort,        // totalLength 8 bytes below the real packet size
    TotalLengthLong,         // totalLength 8 bytes above it (the client eats into the next packet)
    TotalLengthZero,         // totalLength 0, below headerLength
    EchoOffsetsInvalid,      // spot 0 announces echoCount + 1 echoes, spot 1 a negative count
    SpotsBeyondLine,         // spotOffset + spotsInPacket exceeds spotCount
    MeasurementHeaderTooLong // measurement header length 0xFFFF, beyond the packet
};

struct Faults
{
    int garbageBytes = 0; // bytes (never containing the mark) written before every packet
    int splitAt = 0;      // > 0: every packet goes out as two writes split at this byte (2 splits "DRAL")
    int splitPauseMs = 2; // pause between the two writes
    Malformation malformation = Malformation::None;
    int malformEvery = 0;         // malform every n-th measurement packet (0: never)
    int dropAfterDataPackets = 0; // close the connection after this many data packets (0: never)
    int dropAfterLines = 0;       // close the connection after this many lines (0: never)
    int stallAfterLines = 0;      // after this many lines of a connection, stall once (0: never)
    int stallMs = 10000;          // how long that stall lasts: nothing sent, nothing answered
    int loseFirstPacketEvery = 0; // every n-th line goes out without its first packet (0: never)
    int replyDelayMs = 0;         // wait before each command reply

    // Commands are matched by prefix against the received text without its newline.
    std::vector<std::string> refusedCommands; // answered by an error packet
    std::string refuseType = "ERR";           // "ERR" or "_er"
    std::string refuseStatus = "001";
    std::vector<std::string> silentCommands;    // never answered (client time-outs)
    std::vector<std::string> wrongEchoCommands; // right reply type, payload that does not echo
};

struct Config
{
    Geometry geometry;
    Identity identity;

    // Multiplier of the nominal line and auxiliary rates; <= 0 sends as fast as possible. A reader that
    // falls far behind gets the lines late rather than in one burst.
    double rate = 1.0;
    int packetsPerLine = 1;   // a line is split into this many packets (more when one would exceed 64 KiB)
    bool movingObject = true; // the moving box follows the line timestamps

    std::string dataStatus = "000"; // status of every streamed data packet

    uint32_t auxContentBits = 0xFFC00000u; // bits 31..22: gyro xyz, accel xyz, magnetic xyz, temperature
    uint8_t auxSamplesPerPacket = 10;
    uint8_t auxSampleIntervalMs = 10; // nominal auxiliary packet period = samples * interval

    // "GET:stat" answers "099" for every kind during this long after a client connects or after "RST".
    int preparingMs = 0;
    std::string statRangeCode = "000"; // codes reported after the preparing phase
    std::string statLevelCode = "000";
    std::string statAuxCode = "000";

    Faults faults;
};

// Measurement data kinds, numbered like the "DAT:" commands' kinds.
enum class DataKind
{
    Range = 1,        // "_ro", "DAT:ro="
    RangeLevel = 2,   // "_ri", "DAT:ri="
    Auxiliary = 3,    // "_ax", "DAT:ax="
    ExtendedRange = 4 // "_ra", "DAT:ra="
};
const char *packetType(DataKind kind);

struct Echo
{
    uint16_t rangeMm = 0;
    uint16_t level = 0; // with region flags in the low bits when isLsbResult is set
};

// One computed scan line, before it is framed.
struct Line
{
    uint32_t timestamp = 0;
    uint8_t frameNumber = 0;
    uint8_t motorField = 0;
    uint8_t remField = 0;
    uint8_t remFieldCount = 1;
    uint16_t lineNumber = 0;
    int16_t horizontalStart = 0; // full turn / 65535 units
    int16_t horizontalEnd = 0;
    uint16_t dustWord = 0;
    uint16_t dirtWord = 0;
    uint8_t output = 0;
    uint8_t input = 0;
    std::vector<uint32_t> totalDetectionArea; // regionCount entries
    std::vector<std::vector<Echo>> spots;     // spotCount entries, 0..echoCount echoes each, nearest first
};

// Position of a line in the endless stream: sequence number -> frame, fields, line.
struct LinePosition
{
    uint8_t frameNumber = 0;
    uint8_t motorField = 0;
    uint8_t remField = 0;
    uint16_t lineNumber = 0;
    uint32_t timestamp = 0;
};

// Low-level framing.
std::vector<uint8_t> makePacket(const std::string &type, const std::string &status,
                                const std::string &payload);
std::vector<uint8_t> makeReply(const std::string &type, const std::string &payload,
                               const std::string &status = "000");

// The sensor without sockets: tables, scene, packets and command replies for one configuration.
class Generator
{
public:
    explicit Generator(const Config &config = Config());
    const Config &config() const { return m_config; }

    // Table values exactly as served ("GET:tblh", "GET:tv%02d").
    uint16_t horizontalValue(int spot) const;
    uint16_t verticalValue(int remCount, int field, int spot) const;
    // The angles a client derives from the served tables and the line's start and end (radians).
    double horizontalAngle(const Line &line, int spot) const;
    double verticalAngle(int remCount, int field, int spot) const; // in (-pi, pi]

    // Stream position of line sequence number seq with the given current interlace counts.
    LinePosition position(uint64_t seq, int horizontalInterlace, int verticalInterlace) const;
    // Casts one line through the deterministic room scene.
    Line computeLine(const LinePosition &pos, int horizontalInterlace, int verticalInterlace) const;

    // All packets of one line concatenated (packetsPerLine, no faults); or the list of packets.
    std::vector<uint8_t> makeMeasurementPackets(DataKind kind, const Line &line,
                                                const std::string &status = "000") const;
    std::vector<std::vector<uint8_t>> measurementPacketList(DataKind kind, const Line &line,
                                                            const std::string &status = "000") const;
    // One auxiliary packet of sampleCount samples starting at sample number firstSample.
    std::vector<uint8_t> makeAuxiliaryPacket(uint64_t firstSample, int sampleCount = -1,
                                             const std::string &status = "000") const;
    // Applies a malformation to a well-formed measurement packet.
    std::vector<uint8_t> malform(std::vector<uint8_t> packet, Malformation kind) const;

    // A continuous byte stream of `lines` lines from sequence 0 (and one auxiliary packet every 36
    // lines when withAuxiliary), for benchmarks and fuzz seeds. Kind Auxiliary: `lines` auxiliary packets.
    std::vector<uint8_t> makeStream(DataKind kind, int lines, bool withAuxiliary = false) const;

private:
    Config m_config;
    std::vector<uint16_t> m_horizontal;
};

// The sensor's command state: current interlace counts, started kinds, preparing phase.
// Handles one command line (without its newline) and returns the reply bytes (empty: no reply).
class CommandProcessor
{
public:
    struct Result
    {
        std::vector<uint8_t> reply;
        bool dropConnection = false; // "RST": drop after the reply
    };

    explicit CommandProcessor(const Config &config = Config());
    void setConfig(const Config &config); // keeps the current interlace counts when still valid
    Result handle(const std::string &command, int64_t nowMs);
    void connectionOpened(int64_t nowMs); // restarts the preparing phase, stops every kind

    bool started(DataKind kind) const { return m_started[static_cast<int>(kind)]; }
    int horizontalInterlace() const { return m_horizontalInterlace; }
    int verticalInterlace() const { return m_verticalInterlace; }

private:
    std::string payloadFor(const std::string &command, int64_t nowMs, bool *ok, std::string *status);

    Config m_config;
    Generator m_generator;
    int m_horizontalInterlace = 1;
    int m_verticalInterlace = 1;
    bool m_started[5] = {};
    int64_t m_preparedAtMs = 0;
};

// The TCP server: serves one client after another until stop(). Everything but start() and stop()
// may be called from any thread while it runs.
class SensorSimulator
{
public:
    explicit SensorSimulator(const Config &config = Config());
    ~SensorSimulator();
    SensorSimulator(const SensorSimulator &) = delete;
    SensorSimulator &operator=(const SensorSimulator &) = delete;

    // Binds (127.0.0.1 by default) and starts serving; port 0 picks a free port. False on failure.
    bool start(uint16_t port = 0, const std::string &bindAddress = "127.0.0.1");
    void stop();
    bool isRunning() const { return m_running.load(); }
    uint16_t port() const { return m_port.load(); }

    Config config() const;
    void setConfig(const Config &config); // takes effect at the next packet
    void setFaults(const Faults &faults);
    void setRate(double rate);

    // One-shot faults for the connected client.
    void injectErrorPacket(const std::string &type, const std::string &status,
                           const std::string &payload = "");
    void injectRawBytes(const std::vector<uint8_t> &bytes);
    void stall(int ms);    // sends nothing (and answers nothing) for this long
    void dropConnection(); // closes the current client's socket

    // Every command received, in order, without its newline.
    std::vector<std::string> commandLog() const;
    void clearCommandLog();
    bool waitForCommand(const std::string &command, int timeoutMs) const;

    bool isClientConnected() const;
    bool waitForClient(int timeoutMs) const;
    bool waitForDisconnect(int timeoutMs) const; // until no client is connected
    int connectionCount() const;                 // clients accepted so far
    bool waitForConnectionCount(int count, int timeoutMs) const;
    bool waitForLines(uint64_t lines, int timeoutMs) const;
    bool waitForAuxiliaryPackets(uint64_t packets, int timeoutMs) const;

    uint64_t linesSent() const { return m_linesSent.load(); }     // complete lines, per kind
    uint64_t packetsSent() const { return m_packetsSent.load(); } // measurement packets
    uint64_t auxiliaryPacketsSent() const { return m_auxSent.load(); }
    uint64_t repliesSent() const { return m_repliesSent.load(); }

private:
    void acceptLoop();
    void serveClient(int fd, CommandProcessor &processor);
    bool sendBytes(int fd, const std::vector<uint8_t> &bytes, const Faults &faults);
    bool sendRaw(int fd, const uint8_t *data, size_t size);
    void notifyAll();     // waiters and the serving thread
    void notifyWaiters(); // waiters only

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    Config m_config;
    uint64_t m_configVersion = 0;
    std::vector<std::string> m_commands;
    std::vector<std::vector<uint8_t>> m_injected;
    int64_t m_stallUntilMs = 0;
    bool m_dropRequested = false;
    bool m_clientConnected = false;
    int m_connections = 0;

    std::atomic<bool> m_running{false};
    std::atomic<bool> m_stopRequested{false};
    std::atomic<uint16_t> m_port{0};
    std::atomic<uint64_t> m_linesSent{0};
    std::atomic<uint64_t> m_packetsSent{0};
    std::atomic<uint64_t> m_auxSent{0};
    std::atomic<uint64_t> m_repliesSent{0};
    // Stream position; continues across connections like a sensor that keeps scanning.
    uint64_t m_lineSeq = 0;
    uint64_t m_auxSample = 0;
    int m_listenFd = -1;
    int m_wakePipe[2] = {-1, -1};
    std::thread m_thread;
};

} // namespace Vexa3dSim
