#include "Vexa3dDecode.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <iterator>
#include <new>

namespace {

constexpr double Pi = 3.141592653589793;
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

// The line header of a measurement packet; fields beyond its length are absent.
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

// Everything the spot loop reads, gathered so that the loop can be compiled per packet kind.
struct SpotContext
{
    VEXA3D_SPOT_T *spots = nullptr;
    const uint8_t *index = nullptr; // echo offsets of the packet's first spot onwards, two bytes each
    uint32_t firstSpot = 0;
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
        const uint8_t *offset = c.index + 2 * size_t(s - c.firstSpot);
        const int first = le16(offset);
        const int n = int(le16(offset + 2)) - first;
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

bool vexa3dReadFrameHeader(const uint8_t *bytes, uint32_t maxTotalLength, Vexa3dPacketHeader &header)
{
    if (std::memcmp(bytes, "DRAL", 4) != 0)
        return false;
    const uint16_t headerLength = le16(bytes + 12);
    const uint16_t totalLength = le16(bytes + 14);
    if (headerLength < VEXA3D_FRAME_HEADER_LENGTH || totalLength < headerLength ||
        totalLength > maxTotalLength)
        return false;
    std::memcpy(header.type, bytes + 4, 3);
    header.type[3] = 0;
    std::memcpy(header.status, bytes + 8, 3);
    header.status[3] = 0;
    header.headerLength = headerLength;
    header.totalLength = totalLength;
    return true;
}

bool vexa3dGeometryAcceptable(const VEXA3D_SPEC_T &spec)
{
    const size_t rem = spec.remInterlaceCount;
    return spec.remInterlaceCount >= 1 && spec.spotCount <= VEXA3D_MAX_SPOT_COUNT &&
           spec.echoCount <= VEXA3D_MAX_ECHO_COUNT && spec.regionCount <= VEXA3D_MAX_REGION_COUNT &&
           size_t(spec.spotCount) * spec.echoCount <= size_t(VEXA3D_MAX_ECHO_ENTRIES) &&
           rem * rem * spec.spotCount <= size_t(VEXA3D_MAX_VERTICAL_TABLE_ENTRIES);
}

bool vexa3dIsMeasurement(const Vexa3dPacketHeader &header)
{
    return typeIs(header, "_ro") || typeIs(header, "_ri") || typeIs(header, "_ra");
}

bool vexa3dIsAuxiliary(const Vexa3dPacketHeader &header)
{
    return typeIs(header, "_ax");
}

// ---- geometry and tables ----

bool Vexa3dGeometry::reset(const VEXA3D_SPEC_T &spec)
{
    m_sized = false;
    if (!vexa3dGeometryAcceptable(spec))
        return false;
    m_spec = spec;
    const size_t spots = spec.spotCount;
    const size_t rem = spec.remInterlaceCount;
    try {
        m_horizontal.assign(spots, 0.0);
        m_verticalAngle.assign(rem * rem * spots, 0.0);
        m_verticalCos.assign(rem * rem * spots, 1.0);
        m_verticalSin.assign(rem * rem * spots, 0.0);
        m_verticalLoaded.assign(rem, 0);
        m_spanCos.assign(SpanCacheEntries * spots, 0.0);
        m_spanSin.assign(SpanCacheEntries * spots, 0.0);
        m_spanValid.assign(SpanCacheEntries * spots, 0);
    } catch (const std::bad_alloc &) {
        return false;
    }
    clearSpanCache();
    m_sized = true;
    return true;
}

size_t Vexa3dGeometry::verticalBase(int count, int field) const
{
    const size_t rem = m_spec.remInterlaceCount;
    return ((size_t(count) - 1) * rem + size_t(field)) * m_spec.spotCount;
}

double Vexa3dGeometry::horizontal(int spot) const
{
    return m_sized && spot >= 0 && size_t(spot) < m_horizontal.size() ? m_horizontal[size_t(spot)] : 0.0;
}

double Vexa3dGeometry::verticalAngle(int count, int field, int spot) const
{
    if (!m_sized || count < 1 || count > m_spec.remInterlaceCount || field < 0 || field >= count ||
        spot < 0 || spot >= m_spec.spotCount)
        return 0.0;
    return m_verticalAngle[verticalBase(count, field) + size_t(spot)];
}

bool Vexa3dGeometry::setHorizontal(const double *fractions, int n, int firstSpot)
{
    if (!m_sized || !fractions || n < 0 || firstSpot < 0 ||
        size_t(firstSpot) + size_t(n) > m_horizontal.size())
        return false;
    std::copy(fractions, fractions + n, m_horizontal.begin() + firstSpot);
    clearSpanCache();
    return true;
}

bool Vexa3dGeometry::setVertical(int count, int field, const double *angles, int n, int firstSpot)
{
    if (!m_sized || !angles || count < 1 || count > m_spec.remInterlaceCount || field < 0 || field >= count ||
        n < 0 || firstSpot < 0 || firstSpot + n > m_spec.spotCount)
        return false;
    const size_t base = verticalBase(count, field) + size_t(firstSpot);
    for (int s = 0; s < n; ++s) {
        m_verticalAngle[base + size_t(s)] = angles[s];
        m_verticalCos[base + size_t(s)] = std::cos(angles[s]);
        m_verticalSin[base + size_t(s)] = std::sin(angles[s]);
    }
    return true;
}

bool Vexa3dGeometry::verticalLoaded(int count) const
{
    return m_sized && count >= 1 && size_t(count) <= m_verticalLoaded.size() &&
           m_verticalLoaded[size_t(count - 1)];
}

void Vexa3dGeometry::setVerticalLoaded(int count)
{
    if (m_sized && count >= 1 && size_t(count) <= m_verticalLoaded.size())
        m_verticalLoaded[size_t(count - 1)] = 1;
}

void Vexa3dGeometry::setAllVerticalLoaded()
{
    std::fill(m_verticalLoaded.begin(), m_verticalLoaded.end(), 1);
}

void Vexa3dGeometry::clearSpanCache()
{
    for (int i = 0; i < SpanCacheEntries; ++i) {
        m_spanKey[i] = INT_MIN;
        m_spanUsed[i] = 0;
    }
}

int Vexa3dGeometry::spanCacheEntry(int span)
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
    const size_t spots = m_spec.spotCount;
    std::fill(m_spanValid.begin() + std::ptrdiff_t(size_t(oldest) * spots),
              m_spanValid.begin() + std::ptrdiff_t(size_t(oldest + 1) * spots), 0);
    return oldest;
}

// ---- packets ----

bool vexa3dDecodeMeasurement(const uint8_t *p, const Vexa3dPacketHeader &header, Vexa3dGeometry &geometry,
                             VEXA3D_MEASUREMENT_DATA_T &output)
{
    if (!vexa3dIsMeasurement(header))
        return false;
    bool used = false;
    const bool decoded = geometry.decodeMeasurement(p, header, output, used);
    if (!used)
        ++geometry.m_discardedPackets;
    return decoded;
}

bool Vexa3dGeometry::decodeMeasurement(const uint8_t *p, const Vexa3dPacketHeader &header,
                                       VEXA3D_MEASUREMENT_DATA_T &output, bool &used)
{
    Vexa3dGeometry &geometry = *this;
    int kind = 0;
    if (typeIs(header, "_ro"))
        kind = 0;
    else if (typeIs(header, "_ri"))
        kind = 1;
    else if (typeIs(header, "_ra"))
        kind = 2;
    else
        return false;
    const VEXA3D_SPEC_T &spec = geometry.m_spec;
    if (!geometry.m_sized || output.spots.size() != spec.spotCount ||
        header.totalLength < header.headerLength)
        return false;
    const size_t end = header.totalLength;
    size_t pos = header.headerLength;

    // Measurement header: fields beyond its length are absent.
    if (end - pos < 2)
        return false;
    MeasurementHeader mh;
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
    const uint8_t *index = p + pos;
    pos += indexBytes;

    // Echo data.
    const uint32_t entries = le16(index + 2 * size_t(spotsInPacket));
    const size_t entrySize = kind == 0 ? 2 : 4;
    if (entries > uint32_t(spec.spotCount) * spec.echoCount || end - pos < entries * entrySize)
        return false;
    const uint8_t *data = p + pos;

    uint8_t remField = mh.remFieldNumber;
    uint8_t remCount = mh.remFieldCount;
    if (remCount == 0 || remCount > spec.remInterlaceCount)
        remCount = 1;
    // Without the angles of its field the line cannot be placed: every point would land on one plane.
    if (remField >= remCount || !geometry.verticalLoaded(remCount))
        return false;

    // A line is whole only when its packets cover its spots in order: a continuation whose start was
    // lost (or dropped as malformed) must not complete the spots left over from an earlier line.
    const bool startsLine = spotOffset == 0;
    const bool continuesLine =
        !startsLine && !output.isLineDataReady && output.receivedSpotCount == spotOffset &&
        output.lineNumber == mh.lineNumber && output.frameNumber == mh.frameNumber &&
        output.motorFieldNumber == mh.motorFieldNumber && output.remFieldNumber == remField;
    if (!continuesLine) {
        // The packet's own spots are all written below; only the others need clearing.
        const size_t keep = startsLine ? size_t(spotsInPacket) : 0;
        for (size_t s = keep; s < output.spots.size(); ++s)
            output.spots[s].count = 0;
    }

    output.timestamp = mh.timestamp;
    output.frameNumber = mh.frameNumber;
    output.motorFieldNumber = mh.motorFieldNumber;
    output.lineNumber = mh.lineNumber;
    output.remFieldNumber = remField;
    if (!startsLine && !continuesLine) {
        // Kept as a broken line: nothing received, so its later packets cannot complete it either.
        output.receivedSpotCount = 0;
        output.isLineDataReady = 0;
        std::memcpy(output.status, header.status, 3);
        return true;
    }
    used = true;
    output.receivedSpotCount = uint16_t(spotOffset + spotsInPacket);
    std::memcpy(output.status, header.status, 3);
    const bool extended = kind == 2;
    output.dustState = extended ? uint8_t(mh.dust >> 14) : 0;
    output.dustRatioX10 = extended ? uint16_t(mh.dust & 0x3FFF) : 0;
    output.output = extended ? mh.output : 0;
    output.input = extended ? mh.input : 0;
    output.dirtState = extended ? uint8_t(mh.dirt >> 14) : 0;
    output.dirtRatioX10 = extended ? uint16_t(mh.dirt & 0x3FFF) : 0;
    const size_t areas = std::min<size_t>(output.totalDetectionArea.size(), spec.regionCount);
    for (size_t c = 0; c < areas; ++c)
        output.totalDetectionArea[c] = extended && mh.length >= 32 + 4 * c ? le32(h + 28 + 4 * c) : 0;

    const size_t base = geometry.verticalBase(remCount, remField);
    const double start = mh.start;
    const int spanUnits = int(mh.end) - int(mh.start);
    const bool swapped = spec.swdr == 1;
    const bool flags = spec.isLsbResult && spec.regionCount > 0;

    // theta = a + b h: cos and sin of a once per packet, those of b h per spot from the span cache.
    const double startAngle = (start / 65535.0 * 2.0) * Pi;
    const size_t cacheBase = size_t(geometry.spanCacheEntry(spanUnits)) * spec.spotCount;

    SpotContext context;
    context.spots = output.spots.data();
    context.index = index;
    context.firstSpot = spotOffset;
    context.data = data;
    context.entries = entries;
    context.echoCount = spec.echoCount;
    context.horizontal = geometry.m_horizontal.data();
    context.angles = geometry.m_verticalAngle.data() + base;
    context.cosines = geometry.m_verticalCos.data() + base;
    context.sines = geometry.m_verticalSin.data() + base;
    context.sweepCos = geometry.m_spanCos.data() + cacheBase;
    context.sweepSin = geometry.m_spanSin.data() + cacheBase;
    context.sweepValid = geometry.m_spanValid.data() + cacheBase;
    context.start = start;
    context.span = double(spanUnits);
    context.cosStart = std::cos(startAngle);
    context.sinStart = std::sin(startAngle);
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

bool vexa3dDecodeAuxiliary(const uint8_t *p, const Vexa3dPacketHeader &header,
                           VEXA3D_AUXILIARY_DATA_T &output)
{
    if (!vexa3dIsAuxiliary(header) || header.totalLength < header.headerLength)
        return false;
    const size_t end = header.totalLength;
    const size_t pos = header.headerLength;
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
    std::memcpy(output.status, header.status, 3);
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
