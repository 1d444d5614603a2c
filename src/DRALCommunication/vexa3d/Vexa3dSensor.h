#pragma once

#include "Vexa3dConnection.h"
#include "Vexa3dDecode.h"
#include "Vexa3dTypes.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

// State and protocol of one sensor connection: framing, commands and the angle tables they fetch; the
// packets are decoded by the free functions of Vexa3dDecode.h.
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
    static constexpr int PacketDropped = Vexa3dPacketDropped;

    // Talks TCP.
    explicit Vexa3dSensor(void *owner = nullptr);
    // Talks over the given connection (for example a Vexa3dMemoryConnection).
    explicit Vexa3dSensor(std::unique_ptr<Vexa3dConnection> connection, void *owner = nullptr);
    ~Vexa3dSensor();
    Vexa3dSensor(const Vexa3dSensor &) = delete;
    Vexa3dSensor &operator=(const Vexa3dSensor &) = delete;

    // 0, -15 (connection not opened) or -5 (streams could not be stopped).
    [[nodiscard]] int open(const char *host, int port);
    [[nodiscard]] int close();
    // Reads identity, geometry and angle tables and sizes output (may be null); 1 or a negative code.
    [[nodiscard]] int initialize(VEXA3D_MEASUREMENT_DATA_T *output);
    // Polls the data states until range, level and auxiliary are ready: 1, -1, -2 or Vexa3dAborted.
    [[nodiscard]] int waitReady();
    [[nodiscard]] int sensorInfo(VEXA3D_SENSOR_INFO_T *destination) const;

    [[nodiscard]] int horizontalInterlace(uint8_t *value);
    [[nodiscard]] int verticalInterlace(uint8_t *value);
    [[nodiscard]] int setHorizontalInterlace(int value);
    [[nodiscard]] int setVerticalInterlace(int value);
    [[nodiscard]] int reboot();
    [[nodiscard]] int startData(int kind, bool wait);
    [[nodiscard]] int stopData(int kind, bool wait);

    bool isInitialized() const { return m_initialized != 0; }
    bool isConnected() const { return m_connected != 0; }
    void clearBuffer();
    void setTimeout(uint32_t milliseconds) { m_timeout = milliseconds; }
    uint32_t timeout() const { return m_timeout; }
    // How long waitReady() keeps polling a sensor that is still preparing (default 59999 ms).
    void setReadyTimeout(uint32_t milliseconds) { m_readyTimeout = milliseconds; }
    uint32_t readyTimeout() const { return m_readyTimeout; }
    int lastError() const { return m_lastError; }
    // A flag another thread may set to end a command wait or waitReady() early (they then return
    // Vexa3dAborted, checked at least every 10 ms), and the connection's open. Null for none.
    void setAbortFlag(const std::atomic<bool> *flag)
    {
        m_abort = flag;
        m_connection->setAbortFlag(flag);
    }
    // The interlace counts in force as last read or set (0 when unknown).
    int currentHorizontalInterlace() const { return m_horizontalInterlace; }
    int currentVerticalInterlace() const { return m_verticalInterlace; }
    // Measurement packets dropped: malformed, without loaded angle tables, or of a line whose start was
    // lost.
    uint64_t discardedPackets() const { return m_geometry.discardedPackets(); }
    void *owner() const { return m_owner; }
    Vexa3dConnection *connection() const { return m_connection.get(); }
    const VEXA3D_SPEC_T &spec() const { return m_info.spec; }
    // The geometry and angle tables the decoders use.
    const Vexa3dGeometry &geometry() const { return m_geometry; }

    // 1 when a whole packet waits (its header goes to header, may be null), 0 when not,
    // Vexa3dConnectionLost when nothing whole waits and the peer closed or the stream failed. Never
    // blocks and never consumes the packet.
    [[nodiscard]] int findPacket(Vexa3dPacketHeader *header = nullptr);
    // Consumes the waiting packet; payload (may be null) needs VEXA3D_MAX_REPLY_PAYLOAD + 1 bytes and is
    // zero-terminated. 1 read, 0 nothing complete, -1 failed read, PacketDropped for an oversized payload.
    [[nodiscard]] int readReply(Vexa3dPacketHeader *header, char *payload, int *payloadLength);
    // Sends text and waits for its reply: 1, -1, -2, Vexa3dAborted or Vexa3dConnectionLost. The reply
    // payload stays in replyPayload().
    [[nodiscard]] int command(const char *text, const char *expected = nullptr);
    const char *replyPayload() const { return m_reply.data(); }
    int replyPayloadLength() const { return m_replyLength; }

    // 1 a measurement packet was decoded into output, 0 none waiting (another kind stays in place),
    // -3 not initialised or output sized for another geometry.
    [[nodiscard]] int receiveMeasurement(VEXA3D_MEASUREMENT_DATA_T *output);
    // 1 an auxiliary packet was decoded, 0 none waiting (another kind stays in place).
    [[nodiscard]] int receiveAuxiliary(VEXA3D_AUXILIARY_DATA_T *output);

    // Geometry without asking a sensor: sizes the tables (flat, all angles 0) and marks the sensor
    // initialised. For replays and fuzzing; returns 1 or -1 when the geometry is refused.
    [[nodiscard]] int initializeOffline(const VEXA3D_SPEC_T &spec, VEXA3D_MEASUREMENT_DATA_T *output);
    // Table access for replays and checks: horizontal fraction and vertical angle of a spot.
    double horizontalTableValue(int spot) const;
    double verticalAngle(int count, int field, int spot) const;
    [[nodiscard]] bool setHorizontalTable(const double *fractions, int n);
    [[nodiscard]] bool setVerticalTable(int count, int field, const double *angles, int n);

private:
    void shutDown();
    bool abortRequested() const { return m_abort && m_abort->load(); }
    void clearFraming();
    int querySpec();
    int parseVersion();
    bool sizeTables();
    int loadHorizontalTable();
    int loadVerticalTables(int count);
    // Fetches one table chunk into the horizontal table (count 0) or the vertical table of count, field.
    int fetchTable(const char *commandText, int start, int count, int field, int firstSpot);
    int interlaceValue(const char *commandText, uint8_t *value);
    int dataCommand(int kind, bool start, bool wait);
    bool recordMatches(const VEXA3D_MEASUREMENT_DATA_T &record);
    const uint8_t *takePacket(const Vexa3dPacketHeader &header);

    std::unique_ptr<Vexa3dConnection> m_connection;
    void *m_owner = nullptr;
    uint8_t m_headerFound = 0;
    uint8_t m_packetComplete = 0;
    uint8_t m_header[VEXA3D_FRAME_HEADER_LENGTH] = {};
    Vexa3dPacketHeader m_packetHeader;

    Vexa3dGeometry m_geometry;
    std::unique_ptr<uint8_t[]> m_packet; // a packet that wraps in the ring buffer, copied straight

    const VEXA3D_MEASUREMENT_DATA_T *m_checkedRecord = nullptr; // last record found fully sized
    const VEXA3D_SPOT_T *m_checkedSpots = nullptr;

    std::vector<char> m_reply; // VEXA3D_MAX_REPLY_PAYLOAD + 1
    int m_replyLength = 0;

    VEXA3D_SENSOR_INFO_T m_info;
    uint8_t m_initialized = 0;
    uint8_t m_connected = 0;
    int16_t m_lastError = Vexa3dTimeout;
    uint32_t m_timeout = 1000;
    uint32_t m_readyTimeout = 59999;
    const std::atomic<bool> *m_abort = nullptr;
    uint8_t m_horizontalInterlace = 0;
    uint8_t m_verticalInterlace = 0;
};
