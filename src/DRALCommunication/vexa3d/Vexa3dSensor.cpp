#include "Vexa3dSensor.h"

#include "Vexa3dTcpClient.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <new>
#include <thread>

namespace {

constexpr double Pi = 3.141592653589793;
constexpr int TableChunkSpots = 256;

inline bool typeIs(const Vexa3dPacketHeader &header, const char *type)
{
    return std::memcmp(header.type, type, 3) == 0;
}

inline bool isErrorType(const Vexa3dPacketHeader &header)
{
    return typeIs(header, "ERR") || typeIs(header, "_er");
}

// Microseconds, so that a time-out never ends up to a millisecond early through truncation.
uint64_t nowUs()
{
    using namespace std::chrono;
    return uint64_t(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

// Copies the text after prefix up to the end of its line, at most size - 1 characters.
void copyLineValue(const char *line, const char *lineEnd, size_t prefixLength, char *field, size_t size)
{
    const char *value = line + prefixLength;
    const size_t n = std::min(size_t(lineEnd - value), size - 1);
    std::memcpy(field, value, n);
    field[n] = 0;
}

} // namespace

Vexa3dSensor::Vexa3dSensor(void *owner)
    : Vexa3dSensor(std::unique_ptr<Vexa3dConnection>(new Vexa3dTcpClient), owner)
{
}

Vexa3dSensor::Vexa3dSensor(std::unique_ptr<Vexa3dConnection> connection, void *owner)
    : m_connection(std::move(connection)), m_owner(owner), m_reply(VEXA3D_MAX_REPLY_PAYLOAD + 1, 0)
{
    if (!m_connection)
        m_connection.reset(new Vexa3dTcpClient);
    m_packet.reset(new uint8_t[m_connection->ringBuffer().capacity()]);
}

Vexa3dSensor::~Vexa3dSensor()
{
    if (m_connected)
        shutDown();
}

void Vexa3dSensor::clearFraming()
{
    m_headerFound = 0;
    m_packetComplete = 0;
}

void Vexa3dSensor::clearBuffer()
{
    m_connection->ringBuffer().clear();
    clearFraming();
}

int Vexa3dSensor::open(const char *host, int port)
{
    clearFraming();
    m_connection->ringBuffer().clear();
    if (m_connection->open(host, port) != 0) {
        m_lastError = Vexa3dNotOpened;
        return Vexa3dNotOpened;
    }
    for (int kind : {RangeOnly, RangeAndLevel, Auxiliary}) {
        if (stopData(kind, true) != Vexa3dOk) {
            shutDown();
            m_lastError = Vexa3dStreamsNotStopped;
            return Vexa3dStreamsNotStopped;
        }
    }
    m_connected = 1;
    return Vexa3dOpened;
}

int Vexa3dSensor::close()
{
    shutDown();
    return Vexa3dClosed;
}

void Vexa3dSensor::shutDown()
{
    clearBuffer();
    m_connection->close();
    m_initialized = 0;
    m_connected = 0;
}

// ---- framing ----

int Vexa3dSensor::findPacket(Vexa3dPacketHeader *header)
{
    // What arrived before the peer went away is still framed; the loss shows once nothing whole is left.
    const int received = m_connection->receive();
    const int nothing = received < 0 ? int(Vexa3dConnectionLost) : int(Vexa3dNone);
    Vexa3dRingBuffer &ring = m_connection->ringBuffer();
    while (!m_headerFound) {
        uint8_t mark[4];
        while (ring.used() > 4) {
            ring.peek(mark, 4);
            if (std::memcmp(mark, "DRAL", 4) == 0)
                break;
            ring.discard(1);
        }
        if (ring.used() < uint32_t(VEXA3D_FRAME_HEADER_LENGTH))
            return nothing;
        ring.peek(m_header, VEXA3D_FRAME_HEADER_LENGTH);
        // A header that contradicts itself, or a packet the ring buffer could never hold, would stall
        // the stream forever: drop the mark and search again.
        if (!vexa3dReadFrameHeader(m_header, ring.capacity(), m_packetHeader)) {
            ring.discard(4);
            continue;
        }
        m_headerFound = 1;
    }
    if (header)
        *header = m_packetHeader;
    if (!m_packetComplete) {
        if (ring.used() < m_packetHeader.totalLength)
            return nothing;
        m_packetComplete = 1;
    }
    return Vexa3dOk;
}

int Vexa3dSensor::readReply(Vexa3dPacketHeader *header, char *payload, int *payloadLength)
{
    Vexa3dPacketHeader found;
    const int result = findPacket(&found);
    if (result != Vexa3dOk)
        return result;
    if (header)
        *header = found;
    Vexa3dRingBuffer &ring = m_connection->ringBuffer();
    ring.discard(found.headerLength);
    const uint32_t length = uint32_t(found.totalLength - found.headerLength);
    clearFraming();
    if (length > uint32_t(VEXA3D_MAX_REPLY_PAYLOAD)) {
        ring.discard(length);
        if (payload)
            payload[0] = 0;
        if (payloadLength)
            *payloadLength = 0;
        return Vexa3dPacketDropped;
    }
    if (payload) {
        ring.read(payload, length);
        payload[length] = 0;
    } else {
        ring.discard(length);
    }
    if (payloadLength)
        *payloadLength = int(length);
    return Vexa3dOk;
}

// ---- commands ----

int Vexa3dSensor::command(const char *text, const char *expected)
{
    const size_t length = text ? std::strlen(text) : 0;
    if (length < 3)
        return Vexa3dFailed;
    if (m_connection->write(text, int(length)) != int(length))
        return Vexa3dFailed;

    char prefix[3];
    std::memcpy(prefix, text, 3);
    const char *match = expected ? expected : text;
    size_t matchLength = expected ? std::strlen(expected) : length;
    if (expected) {
        if (matchLength > 0)
            --matchLength;
    } else if (matchLength > 0 && match[matchLength - 1] == '\n') {
        --matchLength;
    }

    const uint64_t start = nowUs();
    for (;;) {
        Vexa3dPacketHeader header;
        const int result = readReply(&header, m_reply.data(), &m_replyLength);
        if (result == Vexa3dConnectionLost)
            return Vexa3dConnectionLost;
        if (result < Vexa3dNone)
            return Vexa3dFailed;
        if (result == Vexa3dOk || result == Vexa3dPacketDropped) {
            if (isErrorType(header))
                return Vexa3dFailed;
            if (result == Vexa3dOk && std::memcmp(header.type, prefix, 3) == 0 &&
                size_t(m_replyLength) >= matchLength && std::memcmp(m_reply.data(), match, matchLength) == 0)
                return Vexa3dOk;
            // Stray data packets and foreign replies are skipped while the command waits.
        }
        if (nowUs() - start >= uint64_t(m_timeout) * 1000)
            return Vexa3dTimeout;
        if (abortRequested())
            return Vexa3dAborted;
        if (result == Vexa3dNone)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

int Vexa3dSensor::parseVersion()
{
    char *fields[5] = {m_info.vendor, m_info.product, m_info.serial, m_info.firmware, m_info.protocol};
    static const char *const prefixes[5] = {"vend:", "prod:", "seri:", "firm:", "prot:"};
    for (char *field : fields)
        std::memset(field, 0, 64);
    const char *p = m_reply.data();
    const char *end = p + m_replyLength;
    while (p < end) {
        const char *lineEnd = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        if (!lineEnd)
            lineEnd = end;
        // An embedded zero ends the text the way the scanner would see it.
        const char *zero = static_cast<const char *>(std::memchr(p, 0, size_t(lineEnd - p)));
        const char *valueEnd = zero ? zero : lineEnd;
        for (int i = 0; i < 5; ++i) {
            if (valueEnd - p >= 5 && std::memcmp(p, prefixes[i], 5) == 0) {
                copyLineValue(p, valueEnd, 5, fields[i], 64);
                break;
            }
        }
        p = lineEnd + 1;
    }
    return Vexa3dOk;
}

int Vexa3dSensor::querySpec()
{
    VEXA3D_SPEC_T &spec = m_info.spec;
    struct Query
    {
        const char *command;
        const char *format;
        void *target;
    };
    const Query queries[] = {
        {"GET:spec.motorInterlaceCount\n", "GET:spec.motorInterlaceCount\n%hhu\n", &spec.motorInterlaceCount},
        {"GET:spec.remInterlaceCount\n", "GET:spec.remInterlaceCount\n%hhu\n", &spec.remInterlaceCount},
        {"GET:spec.firstLineNumber\n", "GET:spec.firstLineNumber\n%hu\n", &spec.firstLineNumber},
        {"GET:spec.lastLineNumber\n", "GET:spec.lastLineNumber\n%hu\n", &spec.lastLineNumber},
        {"GET:spec.spotCount\n", "GET:spec.spotCount\n%hu\n", &spec.spotCount},
        {"GET:spec.echoCount\n", "GET:spec.echoCount\n%hhu\n", &spec.echoCount},
        {"GET:spec.regionCount\n", "GET:spec.regionCount\n%hhu\n", &spec.regionCount},
        {"GET:spec.isLsbResult\n", "GET:spec.isLsbResult\n%hhu\n", &spec.isLsbResult},
        {"GET:spec.accelScale\n", "GET:spec.accelScale\n%hu\n", &spec.accelScale},
        {"GET:spec.gyroScale\n", "GET:spec.gyroScale\n%hu\n", &spec.gyroScale},
        {"GET:swdr\n", "GET:swdr\n%hhu\n", &spec.swdr},
    };
    for (const Query &query : queries) {
        const int result = command(query.command);
        if (result != Vexa3dOk)
            return result;
        // The packed fields are unaligned: scan into locals, then copy.
        const bool isByte = std::strstr(query.format, "%hhu") != nullptr;
        int scanned = 0;
        if (isByte) {
            unsigned char value = 0;
            scanned = std::sscanf(m_reply.data(), query.format, &value);
            if (scanned == 1)
                std::memcpy(query.target, &value, 1);
        } else {
            unsigned short value = 0;
            scanned = std::sscanf(m_reply.data(), query.format, &value);
            if (scanned == 1)
                std::memcpy(query.target, &value, 2);
        }
        if (scanned != 1)
            return Vexa3dFailed;
    }
    if (spec.lastLineNumber >= spec.firstLineNumber)
        spec.lineCount = uint16_t(spec.lastLineNumber + 1 - spec.firstLineNumber);
    return Vexa3dOk;
}

bool Vexa3dSensor::sizeTables()
{
    m_checkedRecord = nullptr;
    m_checkedSpots = nullptr;
    return m_geometry.reset(m_info.spec);
}

int Vexa3dSensor::fetchTable(const char *commandText, int start, int count, int field, int firstSpot)
{
    const int result = command(commandText);
    if (result != Vexa3dOk)
        return result;
    const int spotCount = m_info.spec.spotCount;
    const char *payload = m_reply.data();
    double values[TableChunkSpots];
    int n = 0;
    for (int pos = start; pos + 3 < m_replyLength && firstSpot + n < spotCount && n < TableChunkSpots;
         pos += 5, ++n) {
        unsigned v = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = payload[pos + i];
            v <<= 4;
            if (c >= '0' && c <= '9')
                v += unsigned(c - '0');
            else if (c >= 'A' && c <= 'F')
                v += unsigned(c - 'A' + 10);
            else if (c >= 'a' && c <= 'f')
                v += unsigned(c - 'a' + 10);
        }
        values[n] = count == 0 ? v / 65535.0 : v * 2.0 * Pi / 65535.0;
    }
    const bool stored = count == 0 ? m_geometry.setHorizontal(values, n, firstSpot)
                                   : m_geometry.setVertical(count, field, values, n, firstSpot);
    return stored ? Vexa3dOk : Vexa3dFailed;
}

int Vexa3dSensor::loadHorizontalTable()
{
    const int spotCount = m_info.spec.spotCount;
    if (spotCount <= TableChunkSpots)
        return fetchTable("GET:tblh\n", 9, 0, 0, 0);
    const uint8_t chunks = uint8_t((spotCount >> 8) + 1);
    for (int c = 0; c < chunks; ++c) {
        char text[32];
        std::snprintf(text, sizeof text, "GET:tblh[%02d]\n", c);
        const int result = fetchTable(text, 13, 0, 0, c * TableChunkSpots);
        if (result != Vexa3dOk)
            return result;
    }
    return Vexa3dOk;
}

int Vexa3dSensor::loadVerticalTables(int count)
{
    if (count < 1 || count > m_info.spec.remInterlaceCount)
        return Vexa3dFailed;
    if (m_geometry.verticalLoaded(count))
        return Vexa3dOk;
    const int spotCount = m_info.spec.spotCount;
    for (int field = 0; field < count; ++field) {
        if (spotCount <= TableChunkSpots) {
            char text[32];
            std::snprintf(text, sizeof text, "GET:tv%02d\n", field);
            const int result = fetchTable(text, 9, count, field, 0);
            if (result != Vexa3dOk)
                return result;
            continue;
        }
        const uint8_t chunks = uint8_t((spotCount >> 8) + 1);
        for (int c = 0; c < chunks; ++c) {
            char text[32];
            std::snprintf(text, sizeof text, "GET:tv%02d[%02d]\n", field, c);
            const int result = fetchTable(text, 13, count, field, c * TableChunkSpots);
            if (result != Vexa3dOk)
                return result;
        }
    }
    m_geometry.setVerticalLoaded(count);
    return Vexa3dOk;
}

int Vexa3dSensor::interlaceValue(const char *commandText, uint8_t *value)
{
    const int result = command(commandText);
    if (result != Vexa3dOk)
        return result;
    char format[32];
    std::snprintf(format, sizeof format, "%.9s0,%%hhu", commandText);
    unsigned char scanned = 0;
    if (std::sscanf(m_reply.data(), format, &scanned) != 1)
        return Vexa3dFailed;
    if (value)
        *value = scanned;
    return Vexa3dOk;
}

int Vexa3dSensor::initialize(VEXA3D_MEASUREMENT_DATA_T *output)
{
    m_initialized = 0;
    int result = command("VER\n", "vend");
    if (result != Vexa3dOk)
        return result;
    parseVersion();

    int major = -1;
    int minor = -1;
    if (std::sscanf(m_info.protocol, "%d.%d", &major, &minor) == 2 && major == 2 && minor >= 3) {
        result = querySpec();
        if (result != Vexa3dOk)
            return result;
    } else {
        m_info.spec = VEXA3D_SPEC_T{};
    }
    if (!sizeTables())
        return Vexa3dFailed;
    if (output && !output->allocate(m_info.spec))
        return Vexa3dFailed;

    result = command("GET:_itl\n");
    if (result != Vexa3dOk)
        return result;
    unsigned char horizontal = 0;
    m_horizontalInterlace =
        std::sscanf(m_reply.data(), "GET:_itl\n0,%hhu", &horizontal) == 1 ? horizontal : 0;
    result = loadHorizontalTable();
    if (result != Vexa3dOk)
        return result;
    uint8_t vertical = 0;
    result = interlaceValue("GET:_itv\n", &vertical);
    if (result != Vexa3dOk)
        return result;
    result = loadVerticalTables(vertical);
    if (result != Vexa3dOk)
        return result;
    m_verticalInterlace = vertical;
    m_initialized = 1;
    return Vexa3dOk;
}

int Vexa3dSensor::initializeOffline(const VEXA3D_SPEC_T &spec, VEXA3D_MEASUREMENT_DATA_T *output)
{
    m_initialized = 0;
    if (!vexa3dGeometryAcceptable(spec))
        return Vexa3dFailed;
    m_info.spec = spec;
    if (!sizeTables())
        return Vexa3dFailed;
    if (output && !output->allocate(spec))
        return Vexa3dFailed;
    m_geometry.setAllVerticalLoaded();
    m_initialized = 1;
    return Vexa3dOk;
}

bool Vexa3dSensor::setHorizontalTable(const double *fractions, int n)
{
    return m_geometry.setHorizontal(fractions, n);
}

bool Vexa3dSensor::setVerticalTable(int count, int field, const double *angles, int n)
{
    return m_geometry.setVertical(count, field, angles, n);
}

double Vexa3dSensor::horizontalTableValue(int spot) const
{
    return m_geometry.horizontal(spot);
}

double Vexa3dSensor::verticalAngle(int count, int field, int spot) const
{
    return m_geometry.verticalAngle(count, field, spot);
}

int Vexa3dSensor::waitReady()
{
    const uint64_t start = nowUs();
    for (;;) {
        if (abortRequested())
            return Vexa3dAborted;
        const int result = command("GET:stat\n");
        if (result != Vexa3dOk)
            return result;
        int range = 0;
        int level = 0;
        int auxiliary = 0;
        const char *p = m_reply.data();
        const char *end = p + m_replyLength;
        while (p < end) {
            const char *lineEnd = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
            if (!lineEnd)
                lineEnd = end;
            if (lineEnd - p >= 7 && p[3] == '=') {
                const bool ready = std::memcmp(p + 4, "000", 3) == 0;
                const bool preparing = std::memcmp(p + 4, "099", 3) == 0;
                const int state = ready ? 1 : preparing ? 99 : -1;
                if (std::memcmp(p, "_ro", 3) == 0) {
                    if (state != -1 || range == 0)
                        range = state;
                } else if (std::memcmp(p, "_ax", 3) == 0) {
                    if (state != -1 || auxiliary == 0)
                        auxiliary = state;
                } else if (std::memcmp(p, "_ri", 3) == 0) {
                    // A level error with no range line before it fails the range; the level keeps its state.
                    if (state != -1)
                        level = state;
                    else if (range == 0)
                        range = -1;
                }
            }
            p = lineEnd + 1;
        }
        if (nowUs() - start > uint64_t(m_readyTimeout) * 1000)
            return Vexa3dTimeout;
        if (range == -1 || auxiliary == -1)
            return Vexa3dFailed;
        if (range == 1 && level == 1 && auxiliary == 1)
            return Vexa3dOk;
    }
}

int Vexa3dSensor::sensorInfo(VEXA3D_SENSOR_INFO_T *destination) const
{
    if (!m_initialized)
        return Vexa3dNotInitialized;
    if (destination)
        *destination = m_info;
    return Vexa3dOk;
}

int Vexa3dSensor::horizontalInterlace(uint8_t *value)
{
    if (!m_initialized)
        return Vexa3dNotInitialized;
    return interlaceValue("GET:_itl\n", value);
}

int Vexa3dSensor::verticalInterlace(uint8_t *value)
{
    if (!m_initialized)
        return Vexa3dNotInitialized;
    return interlaceValue("GET:_itv\n", value);
}

int Vexa3dSensor::setHorizontalInterlace(int value)
{
    if (!m_initialized)
        return Vexa3dNotInitialized;
    if (value <= 0 || value > m_info.spec.motorInterlaceCount)
        return Vexa3dFailed;
    char text[32];
    std::snprintf(text, sizeof text, "SET:_itl=0,%02d\n", value);
    const int result = command(text);
    if (result == Vexa3dOk)
        m_horizontalInterlace = uint8_t(value);
    return result;
}

int Vexa3dSensor::setVerticalInterlace(int value)
{
    if (!m_initialized)
        return Vexa3dNotInitialized;
    if (value <= 0 || value > m_info.spec.remInterlaceCount)
        return Vexa3dFailed;
    char text[32];
    std::snprintf(text, sizeof text, "SET:_itv=0,%02d\n", value);
    int result = command(text);
    if (result != Vexa3dOk)
        return result;
    result = loadVerticalTables(value);
    if (result == Vexa3dOk) {
        m_verticalInterlace = uint8_t(value);
        return result;
    }
    // Without its tables the new count could not place a single line: go back to the one in force.
    if (m_verticalInterlace >= 1 && m_verticalInterlace != value) {
        std::snprintf(text, sizeof text, "SET:_itv=0,%02d\n", m_verticalInterlace);
        if (command(text) != Vexa3dOk)
            m_verticalInterlace = 0;
    }
    return result;
}

int Vexa3dSensor::reboot()
{
    return command("RST\n");
}

int Vexa3dSensor::dataCommand(int kind, bool start, bool wait)
{
    static const char *const prefixes[] = {"DAT:ro=", "DAT:ri=", "DAT:ax=", "DAT:ra="};
    if (kind < RangeOnly || kind > ExtendedRange)
        return Vexa3dFailed;
    char text[16];
    std::snprintf(text, sizeof text, "%s%c\n", prefixes[kind - 1], start ? '1' : '0');
    if (wait)
        return command(text);
    const int length = int(std::strlen(text));
    return m_connection->write(text, length) == length ? Vexa3dOk : Vexa3dFailed;
}

int Vexa3dSensor::startData(int kind, bool wait)
{
    return dataCommand(kind, true, wait);
}

int Vexa3dSensor::stopData(int kind, bool wait)
{
    return dataCommand(kind, false, wait);
}

// ---- data packets ----

bool Vexa3dSensor::recordMatches(const VEXA3D_MEASUREMENT_DATA_T &record)
{
    const VEXA3D_SPEC_T &spec = m_info.spec;
    if (record.spots.size() != spec.spotCount)
        return false;
    // Every spot is checked once per record storage; decoding then writes without per-spot checks.
    // A record is sized by allocate(spec) and its spots are not resized one by one afterwards.
    if (&record == m_checkedRecord && record.spots.data() == m_checkedSpots)
        return true;
    for (const VEXA3D_SPOT_T &spot : record.spots) {
        if (spot.echoes.size() != spec.echoCount || spot.points.size() != spec.echoCount ||
            spot.regionFlags.size() != spec.echoCount)
            return false;
        for (const std::vector<uint8_t> &flags : spot.regionFlags)
            if (flags.size() < spec.regionCount)
                return false;
    }
    m_checkedRecord = &record;
    m_checkedSpots = record.spots.data();
    return true;
}

const uint8_t *Vexa3dSensor::takePacket(const Vexa3dPacketHeader &header)
{
    const uint32_t length = header.totalLength;
    Vexa3dRingBuffer &ring = m_connection->ringBuffer();
    clearFraming();
    // Decoding needs no writes to the ring buffer, so a packet that does not wrap is read in place.
    if (const uint8_t *inPlace = ring.contiguous(length)) {
        ring.discard(length);
        return inPlace;
    }
    return ring.read(m_packet.get(), length) == length ? m_packet.get() : nullptr;
}

int Vexa3dSensor::receiveMeasurement(VEXA3D_MEASUREMENT_DATA_T *output)
{
    if (!m_initialized || !output || !recordMatches(*output))
        return Vexa3dNotInitialized;
    for (;;) {
        Vexa3dPacketHeader header;
        if (findPacket(&header) != Vexa3dOk || !vexa3dIsMeasurement(header))
            return Vexa3dNone;
        const uint8_t *packet = takePacket(header);
        if (!packet)
            return Vexa3dNone;
        if (vexa3dDecodeMeasurement(packet, header, m_geometry, *output))
            return Vexa3dOk;
        // A malformed packet is gone; look at the next one.
    }
}

int Vexa3dSensor::receiveAuxiliary(VEXA3D_AUXILIARY_DATA_T *output)
{
    if (!output)
        return Vexa3dNone;
    for (;;) {
        Vexa3dPacketHeader header;
        if (findPacket(&header) != Vexa3dOk || !vexa3dIsAuxiliary(header))
            return Vexa3dNone;
        const uint8_t *packet = takePacket(header);
        if (!packet)
            return Vexa3dNone;
        if (vexa3dDecodeAuxiliary(packet, header, *output))
            return Vexa3dOk;
    }
}
