#pragma once

#include "Vexa3dConnection.h"
#include "Vexa3dTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

constexpr int VEXA3D_FRAME_HEADER_LENGTH = 24;
constexpr int VEXA3D_MAX_REPLY_PAYLOAD = 16384;      // reply payload buffers hold this plus a zero byte
constexpr int VEXA3D_MAX_MEASUREMENT_HEADER = 16384; // longest measurement header accepted
constexpr int VEXA3D_MAX_AUX_SAMPLE_BYTES = 16384;   // longest auxiliary sample data accepted

// Geometry a sensor may report before initialize() refuses it (so a bad reply cannot demand gigabytes).
constexpr int VEXA3D_MAX_SPOT_COUNT = 8192;
constexpr int VEXA3D_MAX_ECHO_COUNT = 64;
constexpr int VEXA3D_MAX_REGION_COUNT = 64;
constexpr int VEXA3D_MAX_ECHO_ENTRIES = 1 << 16;           // spotCount x echoCount
constexpr int VEXA3D_MAX_VERTICAL_TABLE_ENTRIES = 1 << 20; // remInterlaceCount^2 x spotCount

// The decoded part of a 24-byte frame header.
struct Vexa3dPacketHeader
{
    char type[4] = {};   // three characters and a zero byte
    char status[4] = {}; // three digits and a zero byte
    uint16_t headerLength = 0;
    uint16_t totalLength = 0;
};

// State and protocol of one sensor connection: framing, commands, tables and data decoding.
// Not thread-safe: callers use one sensor from one thread at a time. Never throws.
//
// Every findPacket() first pulls waiting socket bytes, so a packet can complete between two reader
// calls. A streaming loop that must not lose data asks findPacket() for the waiting packet's type and
// then calls the matching reader (receiveMeasurement, receiveAuxiliary or readReply).
class Vexa3dSensor
{
public:
    enum DataKind
    {
        RangeOnly = 1,
        RangeAndLevel = 2,
        Auxiliary = 3,
        ExtendedRange = 4,
    };
    // readReply(): the packet was consumed but its payload did not fit and was dropped.
    static constexpr int PacketDropped = 2;

    // Talks TCP.
    explicit Vexa3dSensor(void *owner = nullptr);
    // Talks over the given connection (for example a Vexa3dMemoryConnection).
    explicit Vexa3dSensor(std::unique_ptr<Vexa3dConnection> connection, void *owner = nullptr);
    ~Vexa3dSensor();
    Vexa3dSensor(const Vexa3dSensor &) = delete;
    Vexa3dSensor &operator=(const Vexa3dSensor &) = delete;

    // 0, -15 (connection not opened) or -5 (streams could not be stopped).
    int open(const char *host, int port);
    int close();
    // Reads identity, geometry and angle tables and sizes output (may be null); 1 or a negative code.
    int initialize(VEXA3D_MEASUREMENT_DATA_T *output);
    // Polls the data states until range, level and auxiliary are ready: 1, -1 or -2.
    int waitReady();
    int sensorInfo(VEXA3D_SENSOR_INFO_T *destination) const;

    int horizontalInterlace(uint8_t *value);
    int verticalInterlace(uint8_t *value);
    int setHorizontalInterlace(int value);
    int setVerticalInterlace(int value);
    int reboot();
    int startData(int kind, bool wait);
    int stopData(int kind, bool wait);

    bool isInitialized() const { return m_initialized != 0; }
    bool isConnected() const { return m_connected != 0; }
    void clearBuffer();
    void setTimeout(uint32_t milliseconds) { m_timeout = milliseconds; }
    uint32_t timeout() const { return m_timeout; }
    // How long waitReady() keeps polling a sensor that is still preparing (default 59999 ms).
    void setReadyTimeout(uint32_t milliseconds) { m_readyTimeout = milliseconds; }
    uint32_t readyTimeout() const { return m_readyTimeout; }
    int lastError() const { return m_lastError; }
    void *owner() const { return m_owner; }
    Vexa3dConnection *connection() const { return m_connection.get(); }
    const VEXA3D_SPEC_T &spec() const { return m_info.spec; }

    // 1 when a whole packet waits (its header goes to header, may be null), 0 when not, -1 when the
    // connection failed. Never blocks and never consumes the packet.
    int findPacket(Vexa3dPacketHeader *header = nullptr);
    // Consumes the waiting packet; payload (may be null) needs VEXA3D_MAX_REPLY_PAYLOAD + 1 bytes and is
    // zero-terminated. 1 read, 0 nothing complete, -1 failed read, PacketDropped for an oversized payload.
    int readReply(Vexa3dPacketHeader *header, char *payload, int *payloadLength);
    // Sends text and waits for its reply: 1, -1 or -2. The reply payload stays in replyPayload().
    int command(const char *text, const char *expected = nullptr);
    const char *replyPayload() const { return m_reply.data(); }
    int replyPayloadLength() const { return m_replyLength; }

    // 1 a measurement packet was decoded into output, 0 none waiting (another kind stays in place),
    // -3 not initialised or output sized for another geometry.
    int receiveMeasurement(VEXA3D_MEASUREMENT_DATA_T *output);
    // 1 an auxiliary packet was decoded, 0 none waiting (another kind stays in place).
    int receiveAuxiliary(VEXA3D_AUXILIARY_DATA_T *output);

    // Geometry without asking a sensor: sizes the tables (flat, all angles 0) and marks the sensor
    // initialised. For replays and fuzzing; returns 1 or -1 when the geometry is refused.
    int initializeOffline(const VEXA3D_SPEC_T &spec, VEXA3D_MEASUREMENT_DATA_T *output);
    // Table access for replays and checks: horizontal fraction and vertical angle of a spot.
    double horizontalTableValue(int spot) const;
    double verticalAngle(int count, int field, int spot) const;
    bool setHorizontalTable(const double *fractions, int n);
    bool setVerticalTable(int count, int field, const double *angles, int n);

private:
    struct MeasurementHeader
    {
        uint16_t length = 0;
        uint32_t timestamp = 0;
        int16_t start = 0;
        int16_t end = 0;
        uint8_t frameNumber = 0;
        uint8_t motorFieldNumber = 0;
        uint16_t lineNumber = 0;
        uint16_t spotOffset = 0;
        uint8_t remFieldNumber = 0;
        uint8_t remFieldCount = 1;
        uint16_t dust = 0;
        uint8_t output = 0;
        uint8_t input = 0;
        uint16_t dirt = 0;
    };

    void clearFraming();
    int querySpec();
    int parseVersion();
    bool specAcceptable(const VEXA3D_SPEC_T &spec) const;
    bool sizeTables();
    int loadHorizontalTable();
    int loadVerticalTables(int count);
    int fetchTable(const char *commandText, int start, double *values, double *cosines, double *sines,
                   int firstSpot);
    int interlaceValue(const char *commandText, uint8_t *value);
    int dataCommand(int kind, bool start, bool wait);
    bool recordMatches(const VEXA3D_MEASUREMENT_DATA_T &record);
    const uint8_t *takePacket(const Vexa3dPacketHeader &header);
    bool decodeMeasurement(const uint8_t *p, int kind, VEXA3D_MEASUREMENT_DATA_T &output);
    bool decodeAuxiliary(const uint8_t *p, VEXA3D_AUXILIARY_DATA_T &output);
    int spanCacheEntry(int span);
    void clearSpanCache();
    size_t verticalBase(int count, int field) const;

    std::unique_ptr<Vexa3dConnection> m_connection;
    void *m_owner = nullptr;
    uint8_t m_headerFound = 0;
    uint8_t m_packetComplete = 0;
    uint8_t m_header[VEXA3D_FRAME_HEADER_LENGTH] = {};
    Vexa3dPacketHeader m_packetHeader;

    std::vector<double> m_horizontalTable;
    std::vector<double> m_verticalAngle; // [count - 1][field][spot], flattened
    std::vector<double> m_verticalCos;
    std::vector<double> m_verticalSin;
    std::vector<uint8_t> m_verticalLoaded;

    Vexa3dPacketHeader m_lastDataHeader;
    MeasurementHeader m_measurementHeader;
    std::vector<uint32_t> m_regions;
    std::vector<uint16_t> m_offsets;     // spotCount + 1 entries
    std::unique_ptr<uint8_t[]> m_packet; // a packet that wraps in the ring buffer, copied straight

    // cos and sin of the swept part of the horizontal angle per spot, for the last few line spans:
    // with them a spot's angle needs no trigonometry of its own.
    static constexpr int SpanCacheEntries = 4;
    std::vector<double> m_spanCos; // [entry][spot]
    std::vector<double> m_spanSin;
    std::vector<uint8_t> m_spanValid;
    int m_spanKey[SpanCacheEntries] = {};
    uint32_t m_spanUsed[SpanCacheEntries] = {};
    uint32_t m_spanClock = 0;

    const VEXA3D_MEASUREMENT_DATA_T *m_checkedRecord = nullptr; // last record found fully sized
    const VEXA3D_SPOT_T *m_checkedSpots = nullptr;

    std::vector<char> m_reply; // VEXA3D_MAX_REPLY_PAYLOAD + 1
    int m_replyLength = 0;

    VEXA3D_SENSOR_INFO_T m_info;
    uint8_t m_initialized = 0;
    uint8_t m_connected = 0;
    int16_t m_lastError = -2;
    uint32_t m_timeout = 1000;
    uint32_t m_readyTimeout = 59999;
};
