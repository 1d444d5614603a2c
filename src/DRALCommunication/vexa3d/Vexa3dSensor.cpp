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
constexpr double TurnUnitsToHalfTurns = 2.0 / 65535.0;

inline uint16_t le16(const uint8_t *p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

inline uint32_t le32(const uint8_t *p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

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

// Everything the spot loop reads, gathered so that the loop can be compiled per packet kind.
struct SpotContext
{
    VEXA3D_SPOT_T *spots = nullptr;
    const uint16_t *offsets = nullptr;
    const uint8_t *data = nullptr;
    uint32_t entries = 0;
    int echoCount = 0;
    const double *horizontal = nullptr;
    const double *angles = nullptr;
    const double *cosines = nullptr;
    const double *sines = nullptr;
    double *sweepCos = nullptr;
    double *sweepSin = nullptr;
    uint8_t *sweepValid = nullptr;
    double start = 0.0;
    double span = 0.0;
    double cosStart = 1.0;
    double sinStart = 0.0;
    size_t regionCount = 0;
};

template <bool RangeOnly, bool Swapped, bool Flags>
void convertSpots(const SpotContext &c, uint32_t firstSpot, uint32_t endSpot)
{
    constexpr size_t entrySize = RangeOnly ? 2 : 4;
    for (uint32_t s = firstSpot; s < endSpot; ++s) {
        VEXA3D_SPOT_T &spot = c.spots[s];
        const int first = c.offsets[s];
        const int n = int(c.offsets[s + 1]) - first;
        if (n < 0 || n > c.echoCount || uint32_t(first + n) > c.entries) {
            spot.count = 0;
            continue;
        }
        spot.count = uint32_t(n);
        if (n == 0)
            continue;
        const double h = c.horizontal[s];
        // A multiplication instead of the division: the same angle to within one unit in the last place.
        const double theta = ((c.start + c.span * h) * TurnUnitsToHalfTurns) * Pi;
        if (!c.sweepValid[s]) {
            const double sweep = (c.span * h / 65535.0 * 2.0) * Pi;
            c.sweepCos[s] = std::cos(sweep);
            c.sweepSin[s] = std::sin(sweep);
            c.sweepValid[s] = 1;
        }
        const double cosTheta = c.cosStart * c.sweepCos[s] - c.sinStart * c.sweepSin[s];
        const double sinTheta = c.sinStart * c.sweepCos[s] + c.cosStart * c.sweepSin[s];
        const double phi = c.angles[s];
        const double phiSigned = phi > Pi ? phi - 2.0 * Pi : phi;
        const double cosPhi = c.cosines[s];
        const double sinPhi = c.sines[s];
        VEXA3D_ECHO_T *echoes = spot.echoes.data();
        VEXA3D_POINT_T *points = spot.points.data();
        const uint8_t *entry = c.data + size_t(first) * entrySize;
        for (int e = 0; e < n; ++e, entry += entrySize) {
            const double r = le16(entry) / 1000.0;
            const uint32_t level = RangeOnly ? 0u : le16(entry + 2);
            VEXA3D_ECHO_T &echo = echoes[e];
            echo.range = r;
            echo.firstAngle = Swapped ? theta : phiSigned;
            echo.secondAngle = Swapped ? phiSigned : theta;
            echo.level = level;
            VEXA3D_POINT_T &point = points[e];
            const double horizontal = r * cosPhi;
            point.x = horizontal * cosTheta;
            point.y = Swapped ? r * sinPhi : horizontal * sinTheta;
            point.z = Swapped ? horizontal * sinTheta : r * sinPhi;
            point.level = level;
            if (Flags) {
                uint8_t *regionFlags = spot.regionFlags[size_t(e)].data();
                for (size_t f = 0; f < c.regionCount; ++f)
                    regionFlags[f] = f < 16 ? uint8_t((level >> f) & 1u) : 0;
            }
        }
    }
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
        close();
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
        m_lastError = -15;
        return -15;
    }
    for (int kind : {RangeOnly, RangeAndLevel, Auxiliary}) {
        if (stopData(kind, true) != 1) {
            close();
            m_lastError = -5;
            return -5;
        }
    }
    m_connected = 1;
    return 0;
}

int Vexa3dSensor::close()
{
    clearBuffer();
    m_connection->close();
    m_initialized = 0;
    m_connected = 0;
    return 0;
}

// ---- framing ----

int Vexa3dSensor::findPacket(Vexa3dPacketHeader *header)
{
    if (m_connection->receive() < 0)
        return -1;
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
            return 0;
        ring.peek(m_header, VEXA3D_FRAME_HEADER_LENGTH);
        const uint16_t headerLength = le16(m_header + 12);
        const uint16_t totalLength = le16(m_header + 14);
        // A header that contradicts itself, or a packet the ring buffer could never hold, would stall
        // the stream forever: drop the mark and search again.
        if (headerLength < VEXA3D_FRAME_HEADER_LENGTH || totalLength < headerLength ||
            totalLength > ring.capacity()) {
            ring.discard(4);
            continue;
        }
        std::memcpy(m_packetHeader.type, m_header + 4, 3);
        m_packetHeader.type[3] = 0;
        std::memcpy(m_packetHeader.status, m_header + 8, 3);
        m_packetHeader.status[3] = 0;
        m_packetHeader.headerLength = headerLength;
        m_packetHeader.totalLength = totalLength;
        m_headerFound = 1;
    }
    if (header)
        *header = m_packetHeader;
    if (!m_packetComplete) {
        if (ring.used() < m_packetHeader.totalLength)
            return 0;
        m_packetComplete = 1;
    }
    return 1;
}

int Vexa3dSensor::readReply(Vexa3dPacketHeader *header, char *payload, int *payloadLength)
{
    Vexa3dPacketHeader found;
    const int result = findPacket(&found);
    if (result != 1)
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
        return PacketDropped;
    }
    if (payload) {
        ring.read(payload, length);
        payload[length] = 0;
    } else {
        ring.discard(length);
    }
    if (payloadLength)
        *payloadLength = int(length);
    return 1;
}

// ---- commands ----

int Vexa3dSensor::command(const char *text, const char *expected)
{
    const size_t length = text ? std::strlen(text) : 0;
    if (length < 3)
        return -1;
    if (m_connection->write(text, int(length)) != int(length))
        return -1;

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
        if (result < 0)
            return -1;
        if (result == 1 || result == PacketDropped) {
            if (isErrorType(header))
                return -1;
            if (result == 1 && std::memcmp(header.type, prefix, 3) == 0 &&
                size_t(m_replyLength) >= matchLength && std::memcmp(m_reply.data(), match, matchLength) == 0)
                return 1;
            // Stray data packets and foreign replies are skipped while the command waits.
        }
        if (nowUs() - start >= uint64_t(m_timeout) * 1000)
            return -2;
        if (result == 0)
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
    return 1;
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
        if (result != 1)
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
            return -1;
    }
    if (spec.lastLineNumber >= spec.firstLineNumber)
        spec.lineCount = uint16_t(spec.lastLineNumber + 1 - spec.firstLineNumber);
    return 1;
}

bool Vexa3dSensor::specAcceptable(const VEXA3D_SPEC_T &spec) const
{
    const size_t rem = spec.remInterlaceCount;
    return spec.remInterlaceCount >= 1 && spec.spotCount <= VEXA3D_MAX_SPOT_COUNT &&
           spec.echoCount <= VEXA3D_MAX_ECHO_COUNT && spec.regionCount <= VEXA3D_MAX_REGION_COUNT &&
           size_t(spec.spotCount) * spec.echoCount <= size_t(VEXA3D_MAX_ECHO_ENTRIES) &&
           rem * rem * spec.spotCount <= size_t(VEXA3D_MAX_VERTICAL_TABLE_ENTRIES);
}

bool Vexa3dSensor::sizeTables()
{
    m_checkedRecord = nullptr;
    m_checkedSpots = nullptr;
    const VEXA3D_SPEC_T &spec = m_info.spec;
    const size_t spots = spec.spotCount;
    const size_t rem = spec.remInterlaceCount;
    try {
        m_horizontalTable.assign(spots, 0.0);
        m_verticalAngle.assign(rem * rem * spots, 0.0);
        m_verticalCos.assign(rem * rem * spots, 1.0);
        m_verticalSin.assign(rem * rem * spots, 0.0);
        m_verticalLoaded.assign(rem, 0);
        m_regions.assign(spec.regionCount, 0);
        m_offsets.assign(spots + 1, 0);
        m_spanCos.assign(SpanCacheEntries * spots, 0.0);
        m_spanSin.assign(SpanCacheEntries * spots, 0.0);
        m_spanValid.assign(SpanCacheEntries * spots, 0);
    } catch (const std::bad_alloc &) {
        return false;
    }
    clearSpanCache();
    return true;
}

size_t Vexa3dSensor::verticalBase(int count, int field) const
{
    const size_t rem = m_info.spec.remInterlaceCount;
    return ((size_t(count) - 1) * rem + size_t(field)) * m_info.spec.spotCount;
}

int Vexa3dSensor::fetchTable(const char *commandText, int start, double *values, double *cosines,
                             double *sines, int firstSpot)
{
    const int result = command(commandText);
    if (result != 1)
        return result;
    const int spotCount = m_info.spec.spotCount;
    const char *payload = m_reply.data();
    int spot = firstSpot;
    for (int pos = start; pos + 3 < m_replyLength && spot < spotCount; pos += 5, ++spot) {
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
        if (!cosines) {
            values[spot] = v / 65535.0;
        } else {
            const double angle = v * 2.0 * Pi / 65535.0;
            values[spot] = angle;
            cosines[spot] = std::cos(angle);
            sines[spot] = std::sin(angle);
        }
    }
    return 1;
}

int Vexa3dSensor::loadHorizontalTable()
{
    clearSpanCache();
    const int spotCount = m_info.spec.spotCount;
    if (spotCount <= TableChunkSpots)
        return fetchTable("GET:tblh\n", 9, m_horizontalTable.data(), nullptr, nullptr, 0);
    const uint8_t chunks = uint8_t((spotCount >> 8) + 1);
    for (int c = 0; c < chunks; ++c) {
        char text[32];
        std::snprintf(text, sizeof text, "GET:tblh[%02d]\n", c);
        const int result =
            fetchTable(text, 13, m_horizontalTable.data(), nullptr, nullptr, c * TableChunkSpots);
        if (result != 1)
            return result;
    }
    return 1;
}

int Vexa3dSensor::loadVerticalTables(int count)
{
    if (count < 1 || count > m_info.spec.remInterlaceCount)
        return -1;
    if (m_verticalLoaded[size_t(count - 1)])
        return 1;
    const int spotCount = m_info.spec.spotCount;
    for (int field = 0; field < count; ++field) {
        const size_t base = verticalBase(count, field);
        double *angles = m_verticalAngle.data() + base;
        double *cosines = m_verticalCos.data() + base;
        double *sines = m_verticalSin.data() + base;
        if (spotCount <= TableChunkSpots) {
            char text[32];
            std::snprintf(text, sizeof text, "GET:tv%02d\n", field);
            const int result = fetchTable(text, 9, angles, cosines, sines, 0);
            if (result != 1)
                return result;
            continue;
        }
        const uint8_t chunks = uint8_t((spotCount >> 8) + 1);
        for (int c = 0; c < chunks; ++c) {
            char text[32];
            std::snprintf(text, sizeof text, "GET:tv%02d[%02d]\n", field, c);
            const int result = fetchTable(text, 13, angles, cosines, sines, c * TableChunkSpots);
            if (result != 1)
                return result;
        }
    }
    m_verticalLoaded[size_t(count - 1)] = 1;
    return 1;
}

int Vexa3dSensor::interlaceValue(const char *commandText, uint8_t *value)
{
    const int result = command(commandText);
    if (result != 1)
        return result;
    char format[32];
    std::snprintf(format, sizeof format, "%.9s0,%%hhu", commandText);
    unsigned char scanned = 0;
    if (std::sscanf(m_reply.data(), format, &scanned) != 1)
        return -1;
    if (value)
        *value = scanned;
    return 1;
}

int Vexa3dSensor::initialize(VEXA3D_MEASUREMENT_DATA_T *output)
{
    m_initialized = 0;
    int result = command("VER\n", "vend");
    if (result != 1)
        return result;
    parseVersion();

    int major = -1;
    int minor = -1;
    if (std::sscanf(m_info.protocol, "%d.%d", &major, &minor) == 2 && major == 2 && minor >= 3) {
        result = querySpec();
        if (result != 1)
            return result;
    } else {
        m_info.spec = VEXA3D_SPEC_T{};
    }
    if (!specAcceptable(m_info.spec) || !sizeTables())
        return -1;
    if (output) {
        try {
            output->allocate(m_info.spec);
        } catch (const std::bad_alloc &) {
            return -1;
        }
    }

    result = command("GET:_itl\n");
    if (result != 1)
        return result;
    result = loadHorizontalTable();
    if (result != 1)
        return result;
    uint8_t vertical = 0;
    result = interlaceValue("GET:_itv\n", &vertical);
    if (result != 1)
        return result;
    result = loadVerticalTables(vertical);
    if (result != 1)
        return result;
    m_initialized = 1;
    return 1;
}

int Vexa3dSensor::initializeOffline(const VEXA3D_SPEC_T &spec, VEXA3D_MEASUREMENT_DATA_T *output)
{
    m_initialized = 0;
    if (!specAcceptable(spec))
        return -1;
    m_info.spec = spec;
    if (!sizeTables())
        return -1;
    if (output) {
        try {
            output->allocate(spec);
        } catch (const std::bad_alloc &) {
            return -1;
        }
    }
    std::fill(m_verticalLoaded.begin(), m_verticalLoaded.end(), 1);
    m_initialized = 1;
    return 1;
}

bool Vexa3dSensor::setHorizontalTable(const double *fractions, int n)
{
    if (!fractions || n < 0 || size_t(n) > m_horizontalTable.size())
        return false;
    std::copy(fractions, fractions + n, m_horizontalTable.begin());
    clearSpanCache();
    return true;
}

bool Vexa3dSensor::setVerticalTable(int count, int field, const double *angles, int n)
{
    if (!angles || count < 1 || count > m_info.spec.remInterlaceCount || field < 0 || field >= count ||
        n < 0 || n > m_info.spec.spotCount || m_verticalAngle.empty())
        return false;
    const size_t base = verticalBase(count, field);
    for (int s = 0; s < n; ++s) {
        m_verticalAngle[base + size_t(s)] = angles[s];
        m_verticalCos[base + size_t(s)] = std::cos(angles[s]);
        m_verticalSin[base + size_t(s)] = std::sin(angles[s]);
    }
    return true;
}

double Vexa3dSensor::horizontalTableValue(int spot) const
{
    return spot >= 0 && size_t(spot) < m_horizontalTable.size() ? m_horizontalTable[size_t(spot)] : 0.0;
}

double Vexa3dSensor::verticalAngle(int count, int field, int spot) const
{
    if (count < 1 || count > m_info.spec.remInterlaceCount || field < 0 || field >= count || spot < 0 ||
        spot >= m_info.spec.spotCount || m_verticalAngle.empty())
        return 0.0;
    return m_verticalAngle[verticalBase(count, field) + size_t(spot)];
}

int Vexa3dSensor::waitReady()
{
    const uint64_t start = nowUs();
    for (;;) {
        const int result = command("GET:stat\n");
        if (result != 1)
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
            return -2;
        if (range == -1 || auxiliary == -1)
            return -1;
        if (range == 1 && level == 1 && auxiliary == 1)
            return 1;
    }
}

int Vexa3dSensor::sensorInfo(VEXA3D_SENSOR_INFO_T *destination) const
{
    if (!m_initialized)
        return -3;
    if (destination)
        *destination = m_info;
    return 1;
}

int Vexa3dSensor::horizontalInterlace(uint8_t *value)
{
    if (!m_initialized)
        return -3;
    return interlaceValue("GET:_itl\n", value);
}

int Vexa3dSensor::verticalInterlace(uint8_t *value)
{
    if (!m_initialized)
        return -3;
    return interlaceValue("GET:_itv\n", value);
}

int Vexa3dSensor::setHorizontalInterlace(int value)
{
    if (!m_initialized)
        return -3;
    if (value <= 0 || value > m_info.spec.motorInterlaceCount)
        return -1;
    char text[32];
    std::snprintf(text, sizeof text, "SET:_itl=0,%02d\n", value);
    const int result = command(text);
    return result == 1 ? 1 : result;
}

int Vexa3dSensor::setVerticalInterlace(int value)
{
    if (!m_initialized)
        return -3;
    if (value <= 0 || value > m_info.spec.remInterlaceCount)
        return -1;
    char text[32];
    std::snprintf(text, sizeof text, "SET:_itv=0,%02d\n", value);
    const int result = command(text);
    if (result != 1)
        return result;
    return loadVerticalTables(value);
}

int Vexa3dSensor::reboot()
{
    return command("RST\n");
}

int Vexa3dSensor::dataCommand(int kind, bool start, bool wait)
{
    static const char *const prefixes[] = {"DAT:ro=", "DAT:ri=", "DAT:ax=", "DAT:ra="};
    if (kind < RangeOnly || kind > ExtendedRange)
        return -1;
    char text[16];
    std::snprintf(text, sizeof text, "%s%c\n", prefixes[kind - 1], start ? '1' : '0');
    if (wait)
        return command(text);
    const int length = int(std::strlen(text));
    return m_connection->write(text, length) == length ? 1 : -1;
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

void Vexa3dSensor::clearSpanCache()
{
    for (int i = 0; i < SpanCacheEntries; ++i) {
        m_spanKey[i] = INT_MIN;
        m_spanUsed[i] = 0;
    }
}

int Vexa3dSensor::spanCacheEntry(int span)
{
    ++m_spanClock;
    int oldest = 0;
    for (int i = 0; i < SpanCacheEntries; ++i) {
        if (m_spanKey[i] == span) {
            m_spanUsed[i] = m_spanClock;
            return i;
        }
        if (m_spanUsed[i] < m_spanUsed[oldest])
            oldest = i;
    }
    m_spanKey[oldest] = span;
    m_spanUsed[oldest] = m_spanClock;
    const size_t spots = m_info.spec.spotCount;
    std::fill(m_spanValid.begin() + std::ptrdiff_t(size_t(oldest) * spots),
              m_spanValid.begin() + std::ptrdiff_t(size_t(oldest + 1) * spots), 0);
    return oldest;
}

int Vexa3dSensor::receiveMeasurement(VEXA3D_MEASUREMENT_DATA_T *output)
{
    if (!m_initialized || !output || !recordMatches(*output))
        return -3;
    for (;;) {
        Vexa3dPacketHeader header;
        if (findPacket(&header) != 1)
            return 0;
        int kind;
        if (typeIs(header, "_ro"))
            kind = 0;
        else if (typeIs(header, "_ri"))
            kind = 1;
        else if (typeIs(header, "_ra"))
            kind = 2;
        else
            return 0;
        const uint8_t *packet = takePacket(header);
        if (!packet)
            return 0;
        m_lastDataHeader = header;
        if (decodeMeasurement(packet, kind, *output))
            return 1;
        // A malformed packet is gone; look at the next one.
    }
}

bool Vexa3dSensor::decodeMeasurement(const uint8_t *p, int kind, VEXA3D_MEASUREMENT_DATA_T &output)
{
    const VEXA3D_SPEC_T &spec = m_info.spec;
    const size_t end = m_lastDataHeader.totalLength;
    size_t pos = m_lastDataHeader.headerLength;

    // Measurement header: fields beyond its length are absent.
    if (end - pos < 2)
        return false;
    MeasurementHeader &mh = m_measurementHeader;
    mh = MeasurementHeader{};
    mh.length = le16(p + pos);
    if (mh.length < 20 || mh.length > VEXA3D_MAX_MEASUREMENT_HEADER || mh.length > end - pos)
        return false;
    const uint8_t *h = p + pos;
    mh.timestamp = le32(h + 2);
    mh.start = int16_t(le16(h + 10));
    mh.end = int16_t(le16(h + 12));
    mh.frameNumber = h[14];
    mh.motorFieldNumber = h[15];
    mh.lineNumber = le16(h + 16);
    mh.spotOffset = le16(h + 18);
    if (mh.length >= 21)
        mh.remFieldNumber = h[20];
    if (mh.length >= 22)
        mh.remFieldCount = h[21];
    if (mh.length > 24)
        mh.dust = le16(h + 22);
    if (mh.length >= 25)
        mh.output = h[24];
    if (mh.length >= 26)
        mh.input = h[25];
    if (mh.length >= 28)
        mh.dirt = le16(h + 26);
    for (size_t c = 0; c < m_regions.size(); ++c)
        m_regions[c] = mh.length >= 32 + 4 * c ? le32(h + 28 + 4 * c) : 0;
    pos += mh.length;

    // Index block.
    if (end - pos < 4)
        return false;
    const uint32_t spotsInPacket = le16(p + pos + 2);
    pos += 4;
    const size_t indexBytes = 2 * (size_t(spotsInPacket) + 1) + (spotsInPacket % 2 == 0 ? 2 : 0);
    if (end - pos < indexBytes)
        return false;
    const uint32_t spotOffset = mh.spotOffset;
    if (spotOffset + spotsInPacket > spec.spotCount)
        return false;
    for (uint32_t i = 0; i <= spotsInPacket; ++i)
        m_offsets[spotOffset + i] = le16(p + pos + 2 * i);
    pos += indexBytes;

    // Echo data.
    const uint32_t entries = m_offsets[spotOffset + spotsInPacket];
    const size_t entrySize = kind == 0 ? 2 : 4;
    if (entries > uint32_t(spec.spotCount) * spec.echoCount || end - pos < entries * entrySize)
        return false;
    const uint8_t *data = p + pos;

    output.timestamp = mh.timestamp;
    output.frameNumber = mh.frameNumber;
    output.motorFieldNumber = mh.motorFieldNumber;
    output.lineNumber = mh.lineNumber;
    output.receivedSpotCount = uint16_t(spotOffset + spotsInPacket);
    std::memcpy(output.status, m_lastDataHeader.status, 3);
    const bool extended = kind == 2;
    output.dustState = extended ? uint8_t(mh.dust >> 14) : 0;
    output.dustRatioX10 = extended ? uint16_t(mh.dust & 0x3FFF) : 0;
    output.output = extended ? mh.output : 0;
    output.input = extended ? mh.input : 0;
    output.dirtState = extended ? uint8_t(mh.dirt >> 14) : 0;
    output.dirtRatioX10 = extended ? uint16_t(mh.dirt & 0x3FFF) : 0;
    const size_t areas = std::min(output.totalDetectionArea.size(), m_regions.size());
    for (size_t c = 0; c < areas; ++c)
        output.totalDetectionArea[c] = extended ? m_regions[c] : 0;

    uint8_t remField = mh.remFieldNumber;
    if (remField >= spec.remInterlaceCount)
        remField = 0;
    uint8_t remCount = mh.remFieldCount;
    if (remCount == 0 || remCount > spec.remInterlaceCount)
        remCount = 1;
    output.remFieldNumber = remField;

    const size_t base = verticalBase(remCount, remField);
    const double *angles = m_verticalAngle.data() + base;
    const double *cosines = m_verticalCos.data() + base;
    const double *sines = m_verticalSin.data() + base;
    const double start = mh.start;
    const int spanUnits = int(mh.end) - int(mh.start);
    const double span = double(spanUnits);
    const bool swapped = spec.swdr == 1;
    const bool flags = spec.isLsbResult && spec.regionCount > 0;
    const int echoCount = spec.echoCount;

    // theta = a + b h: cos and sin of a once per packet, those of b h per spot from the span cache.
    const double startAngle = (start / 65535.0 * 2.0) * Pi;
    const double cosStart = std::cos(startAngle);
    const double sinStart = std::sin(startAngle);
    const size_t cacheBase = size_t(spanCacheEntry(spanUnits)) * spec.spotCount;
    double *sweepCos = m_spanCos.data() + cacheBase;
    double *sweepSin = m_spanSin.data() + cacheBase;
    uint8_t *sweepValid = m_spanValid.data() + cacheBase;

    SpotContext context;
    context.spots = output.spots.data();
    context.offsets = m_offsets.data();
    context.data = data;
    context.entries = entries;
    context.echoCount = echoCount;
    context.horizontal = m_horizontalTable.data();
    context.angles = angles;
    context.cosines = cosines;
    context.sines = sines;
    context.sweepCos = sweepCos;
    context.sweepSin = sweepSin;
    context.sweepValid = sweepValid;
    context.start = start;
    context.span = span;
    context.cosStart = cosStart;
    context.sinStart = sinStart;
    context.regionCount = spec.regionCount;
    // The loop is compiled once per packet kind and orientation so that no per-echo branch remains.
    using Convert = void (*)(const SpotContext &, uint32_t, uint32_t);
    static const Convert converters[8] = {
        convertSpots<false, false, false>, convertSpots<false, false, true>, convertSpots<false, true, false>,
        convertSpots<false, true, true>,   convertSpots<true, false, false>, convertSpots<true, false, true>,
        convertSpots<true, true, false>,   convertSpots<true, true, true>,
    };
    converters[(kind == 0 ? 4 : 0) + (swapped ? 2 : 0) + (flags ? 1 : 0)](context, spotOffset,
                                                                          spotOffset + spotsInPacket);
    output.isLineDataReady = output.receivedSpotCount == spec.spotCount ? 1 : 0;
    return true;
}

int Vexa3dSensor::receiveAuxiliary(VEXA3D_AUXILIARY_DATA_T *output)
{
    if (!output)
        return 0;
    for (;;) {
        Vexa3dPacketHeader header;
        if (findPacket(&header) != 1 || !typeIs(header, "_ax"))
            return 0;
        const uint8_t *packet = takePacket(header);
        if (!packet)
            return 0;
        m_lastDataHeader = header;
        if (decodeAuxiliary(packet, *output))
            return 1;
    }
}

bool Vexa3dSensor::decodeAuxiliary(const uint8_t *p, VEXA3D_AUXILIARY_DATA_T &output)
{
    const size_t end = m_lastDataHeader.totalLength;
    const size_t pos = m_lastDataHeader.headerLength;
    if (end - pos < 12)
        return false;
    const uint16_t auxLength = le16(p + pos);
    if (auxLength < 12 || auxLength > end - pos)
        return false;
    const uint32_t timestamp = le32(p + pos + 2);
    const uint32_t bits = le32(p + pos + 6);
    const uint32_t sampleCount = p[pos + 10];
    const uint32_t interval = p[pos + 11];
    const size_t dataBytes = (end - pos - auxLength) & ~size_t(3);
    int valuesPerSample = 0;
    for (int bit = 31; bit >= 22; --bit)
        valuesPerSample += (bits >> bit) & 1u;
    // More values than the samples announce, or than 255 samples could carry, mean a corrupt packet;
    // fewer would make the samples read past the data.
    const size_t needed = size_t(sampleCount) * size_t(valuesPerSample) * 4;
    const size_t most = size_t(VEXA3D_MAX_AUX_SAMPLES) * size_t(valuesPerSample) * 4;
    if (needed > dataBytes || dataBytes > most || dataBytes > size_t(VEXA3D_MAX_AUX_SAMPLE_BYTES))
        return false;
    const uint8_t *data = p + pos + auxLength;

    output.timestamp = timestamp;
    output.kinds = 0;
    if ((bits & 0xE0000000u) == 0xE0000000u)
        output.kinds |= 1;
    if ((bits & 0x1C000000u) == 0x1C000000u)
        output.kinds |= 2;
    if ((bits & 0x03800000u) == 0x03800000u)
        output.kinds |= 4;
    if (bits & 0x00400000u)
        output.kinds |= 8;
    output.sampleCount = sampleCount;
    std::memcpy(output.status, m_lastDataHeader.status, 3);
    std::fill(std::begin(output.samples), std::end(output.samples), VEXA3D_AUX_SAMPLE_T{});

    size_t value = 0;
    for (uint32_t i = 0; i < sampleCount; ++i) {
        VEXA3D_AUX_SAMPLE_T &sample = output.samples[i];
        sample.timestamp = int32_t(timestamp + i * interval);
        int32_t *fields[10] = {&sample.gyroX,  &sample.gyroY,      &sample.gyroZ, &sample.accelX,
                               &sample.accelY, &sample.accelZ,     &sample.magX,  &sample.magY,
                               &sample.magZ,   &sample.temperature};
        for (int k = 0; k < 10; ++k) {
            if (bits & (1u << (31 - k))) {
                *fields[k] = int32_t(le32(data + 4 * value));
                ++value;
            }
        }
    }
    return true;
}
