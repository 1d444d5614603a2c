#include "SensorSimulator.h"
#include "SimScene.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Vexa3dSim {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr size_t kFrameHeader = 24;
constexpr size_t kMaxPacket = 65535;

void putU8(std::vector<uint8_t> &b, uint8_t v)
{
    b.push_back(v);
}
void putU16(std::vector<uint8_t> &b, uint16_t v)
{
    b.push_back(static_cast<uint8_t>(v & 0xFF));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void putU32(std::vector<uint8_t> &b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void setU16(std::vector<uint8_t> &b, size_t at, uint16_t v)
{
    b[at] = static_cast<uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
uint16_t getU16(const std::vector<uint8_t> &b, size_t at)
{
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

void putText3(std::vector<uint8_t> &b, const std::string &text, char fill)
{
    for (size_t i = 0; i < 3; ++i)
        b.push_back(static_cast<uint8_t>(i < text.size() ? text[i] : fill));
}

// Frame header with a zero total length; finishPacket() fills it in.
std::vector<uint8_t> beginPacket(const std::string &type, const std::string &status)
{
    std::vector<uint8_t> b;
    b.reserve(256);
    b.insert(b.end(), {'D', 'R', 'A', 'L'});
    putText3(b, type, ' ');
    putU8(b, 0);
    putText3(b, status, '0');
    putU8(b, 0);
    putU16(b, static_cast<uint16_t>(kFrameHeader));
    putU16(b, 0);
    b.resize(kFrameHeader, 0);
    return b;
}

void finishPacket(std::vector<uint8_t> &b)
{
    setU16(b, 14, static_cast<uint16_t>(std::min(b.size(), kMaxPacket)));
}

// Small integer hash for the deterministic level noise and auxiliary jitter.
uint32_t mix(uint64_t x)
{
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return static_cast<uint32_t>(x);
}

int measurementHeaderLength(const Config &config, DataKind kind)
{
    const std::string &p = config.identity.protocol;
    if (!p.empty() && p[0] == '1' && (p.size() == 1 || p[1] == '.'))
        return 20;
    if (kind == DataKind::ExtendedRange)
        return 28 + 4 * config.geometry.regionCount;
    return 24;
}

bool isOldProtocol(const Config &config)
{
    return measurementHeaderLength(config, DataKind::Range) == 20;
}

} // namespace

const char *packetType(DataKind kind)
{
    switch (kind) {
    case DataKind::Range:
        return "_ro";
    case DataKind::RangeLevel:
        return "_ri";
    case DataKind::Auxiliary:
        return "_ax";
    case DataKind::ExtendedRange:
        return "_ra";
    }
    return "___";
}

std::vector<uint8_t> makePacket(const std::string &type, const std::string &status,
                                const std::string &payload)
{
    std::vector<uint8_t> b = beginPacket(type, status);
    b.insert(b.end(), payload.begin(), payload.end());
    finishPacket(b);
    return b;
}

std::vector<uint8_t> makeReply(const std::string &type, const std::string &payload, const std::string &status)
{
    return makePacket(type, status, payload);
}

Generator::Generator(const Config &config) : m_config(config)
{
    const int spots = m_config.geometry.spotCount;
    m_horizontal.resize(spots);
    // The mirror slows down towards both ends of a line, so the spots are not evenly spaced.
    for (int s = 0; s < spots; ++s) {
        const double f = spots > 1 ? 0.5 - 0.5 * std::cos(kPi * s / (spots - 1)) : 0.0;
        m_horizontal[s] = static_cast<uint16_t>(std::lround(f * 65535.0));
    }
}

uint16_t Generator::horizontalValue(int spot) const
{
    return spot >= 0 && spot < static_cast<int>(m_horizontal.size()) ? m_horizontal[spot] : 0;
}

uint16_t Generator::verticalValue(int remCount, int field, int spot) const
{
    const Geometry &g = m_config.geometry;
    const int spots = g.spotCount;
    const double step = spots > 1 ? (g.verticalTopDeg - g.verticalBottomDeg) / (spots - 1) : 0.0;
    const double fieldShift = remCount > 0 ? static_cast<double>(field) / remCount : 0.0;
    double angle = (g.verticalTopDeg - (spot + fieldShift) * step) * kPi / 180.0;
    while (angle < 0.0)
        angle += 2.0 * kPi;
    const long v = std::lround(angle / (2.0 * kPi) * 65535.0);
    return static_cast<uint16_t>(v >= 65535 ? 0 : v);
}

double Generator::horizontalAngle(const Line &line, int spot) const
{
    const double h = horizontalValue(spot) / 65535.0;
    const double start = line.horizontalStart, end = line.horizontalEnd;
    return ((start + (end - start) * h) / 65535.0 * 2.0) * kPi;
}

double Generator::verticalAngle(int remCount, int field, int spot) const
{
    const double phi = verticalValue(remCount, field, spot) * 2.0 * kPi / 65535.0;
    return phi > kPi ? phi - 2.0 * kPi : phi;
}

LinePosition Generator::position(uint64_t seq, int horizontalInterlace, int verticalInterlace) const
{
    const Geometry &g = m_config.geometry;
    const uint64_t lines = std::max(1, g.lineCount());
    const uint64_t motor = std::max(1, horizontalInterlace);
    const uint64_t rem = isOldProtocol(m_config) ? 1 : std::max(1, verticalInterlace);
    LinePosition p;
    uint64_t n = seq;
    p.lineNumber = static_cast<uint16_t>(g.firstLineNumber + n % lines);
    n /= lines;
    p.remField = static_cast<uint8_t>(n % rem);
    n /= rem;
    p.motorField = static_cast<uint8_t>(n % motor);
    n /= motor;
    p.frameNumber = static_cast<uint8_t>(n & 0xFF);
    p.timestamp = static_cast<uint32_t>(static_cast<double>(seq) * 1000.0 / kNominalLineRate);
    return p;
}

Line Generator::computeLine(const LinePosition &pos, int horizontalInterlace, int verticalInterlace) const
{
    const Geometry &g = m_config.geometry;
    const int motorCount = std::max(1, horizontalInterlace);
    const int remCount = isOldProtocol(m_config) ? 1 : std::max(1, verticalInterlace);
    Line line;
    line.timestamp = pos.timestamp;
    line.frameNumber = pos.frameNumber;
    line.motorField = pos.motorField;
    line.remField = static_cast<uint8_t>(std::min<int>(pos.remField, remCount - 1));
    line.remFieldCount = static_cast<uint8_t>(remCount);
    line.lineNumber = pos.lineNumber;

    const int lineIndex = pos.lineNumber - g.firstLineNumber;
    const double sector = g.horizontalFovDeg / std::max(1, g.lineCount());
    const double width = sector / motorCount;
    const double startDeg = -g.horizontalFovDeg / 2.0 + lineIndex * sector + pos.motorField * width;
    auto toUnits = [](double deg) {
        const long v = std::lround(deg / 360.0 * 65535.0);
        return static_cast<int16_t>(std::max(-32767L, std::min(32767L, v)));
    };
    line.horizontalStart = toUnits(startDeg);
    line.horizontalEnd = toUnits(startDeg + width);

    const int spots = g.spotCount;
    const double spotStep = spots > 1 ? (g.verticalTopDeg - g.verticalBottomDeg) / (spots - 1) : 1.0;
    const double halfBeam = std::fabs(spotStep) * 0.3 * kPi / 180.0;
    const uint16_t regionMask =
        static_cast<uint16_t>(g.regionCount >= 16 ? 0xFFFF : (1u << g.regionCount) - 1);
    line.totalDetectionArea.assign(g.regionCount, 0);
    line.spots.resize(spots);

    struct Cluster
    {
        double range;
        double reflectivity;
        int weight;
        int surface;
        bool centre;
    };
    std::vector<SceneHit> hits;
    std::vector<Cluster> clusters;
    for (int s = 0; s < spots; ++s) {
        const double theta = horizontalAngle(line, s);
        const double phi = verticalAngle(remCount, line.remField, s);
        clusters.clear();
        // Five sub-rays across the beam: where it straddles an edge or passes glass, several surfaces answer.
        static const int offsets[5][2] = {{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (int r = 0; r < 5; ++r) {
            const double t = theta + offsets[r][0] * halfBeam, p = phi + offsets[r][1] * halfBeam;
            const double cp = std::cos(p), sp = std::sin(p), ct = std::cos(t), st = std::sin(t);
            const Vec3 dir = g.swdr ? Vec3{cp * ct, sp, cp * st} : Vec3{cp * ct, cp * st, sp};
            SimScene::cast(dir, line.timestamp, m_config.movingObject, hits);
            const int weight = r == 0 ? 2 : 1;
            for (const SceneHit &h : hits) {
                auto it = std::find_if(clusters.begin(), clusters.end(), [&](const Cluster &c) {
                    return c.surface == h.surface || std::fabs(c.range - h.range) < 0.1;
                });
                if (it == clusters.end()) {
                    clusters.push_back({h.range, h.reflectivity * weight, weight, h.surface, r == 0});
                } else {
                    if (r == 0 && !it->centre) {
                        it->range = h.range;
                        it->centre = true;
                    } else if (!it->centre) {
                        it->range = std::min(it->range, h.range);
                    }
                    it->reflectivity += h.reflectivity * weight;
                    it->weight += weight;
                }
            }
        }
        std::sort(clusters.begin(), clusters.end(),
                  [](const Cluster &a, const Cluster &b) { return a.range < b.range; });
        std::vector<Echo> &echoes = line.spots[s];
        echoes.clear();
        for (const Cluster &c : clusters) {
            if (static_cast<int>(echoes.size()) >= g.echoCount)
                break;
            const long mm = std::lround(c.range * 1000.0);
            if (mm <= 0 || mm > 65535)
                continue;
            // Returned power: surface reflectivity, the share of the beam that met it, inverse square.
            const double r = std::max(c.range, 0.3);
            const double noise =
                0.97 +
                0.06 * (mix((static_cast<uint64_t>(line.timestamp) << 20) ^ (s * 8 + echoes.size())) % 1000) /
                    1000.0;
            const double power = (c.reflectivity / 6.0) * 60000.0 / (r * r) * noise;
            uint16_t level = static_cast<uint16_t>(std::max(1L, std::min(65535L, std::lround(power))));
            if (g.isLsbResult && g.regionCount > 0) {
                uint16_t flags = 0;
                for (int k = 0; k < g.regionCount && k < 16; ++k)
                    if (c.range < 3.0 / (k + 1))
                        flags |= static_cast<uint16_t>(1u << k);
                level = static_cast<uint16_t>((level & ~regionMask) | flags);
            }
            echoes.push_back({static_cast<uint16_t>(mm), level});
            for (int k = 0; k < g.regionCount; ++k)
                if (c.range < 3.0 / (k + 1)) {
                    ++line.totalDetectionArea[k];
                    line.output |= static_cast<uint8_t>(1u << (k & 7));
                }
        }
    }
    line.dustWord = static_cast<uint16_t>(((pos.frameNumber >> 6) & 3) << 14 |
                                          ((lineIndex * 13 + pos.frameNumber) % 1000));
    line.dirtWord = static_cast<uint16_t>(1u << 14 | (250 + pos.frameNumber % 100));
    line.input = static_cast<uint8_t>(pos.motorField & 1);
    return line;
}

std::vector<std::vector<uint8_t>> Generator::measurementPacketList(DataKind kind, const Line &line,
                                                                   const std::string &status) const
{
    const Geometry &g = m_config.geometry;
    const int spots = static_cast<int>(line.spots.size());
    const int headerLength = measurementHeaderLength(m_config, kind);
    const size_t entrySize = kind == DataKind::Range ? 2 : 4;
    int perPacket = std::max(1, (spots + std::max(1, m_config.packetsPerLine) - 1) /
                                    std::max(1, m_config.packetsPerLine));
    // Keep every packet inside the 16-bit total length.
    while (perPacket > 1 &&
           kFrameHeader + headerLength + 8 + 2 * (perPacket + 1) + perPacket * g.echoCount * entrySize >
               kMaxPacket)
        perPacket = (perPacket + 1) / 2;

    std::vector<std::vector<uint8_t>> packets;
    for (int first = 0; first < spots || (spots == 0 && packets.empty()); first += perPacket) {
        const int count = std::min(perPacket, spots - first);
        std::vector<uint8_t> b = beginPacket(packetType(kind), status);
        const size_t headerStart = b.size();
        putU16(b, static_cast<uint16_t>(headerLength));
        putU32(b, line.timestamp);
        putU32(b, static_cast<uint32_t>(line.lineNumber) << 16 | line.frameNumber); // not read by clients
        putU16(b, static_cast<uint16_t>(line.horizontalStart));
        putU16(b, static_cast<uint16_t>(line.horizontalEnd));
        putU8(b, line.frameNumber);
        putU8(b, line.motorField);
        putU16(b, line.lineNumber);
        putU16(b, static_cast<uint16_t>(first));
        if (headerLength > 20) {
            putU8(b, line.remField);
            putU8(b, line.remFieldCount);
        }
        if (headerLength > 24) {
            putU16(b, line.dustWord);
            putU8(b, line.output);
            putU8(b, line.input);
            putU16(b, line.dirtWord);
            for (int k = 0; k < g.regionCount; ++k)
                putU32(b,
                       k < static_cast<int>(line.totalDetectionArea.size()) ? line.totalDetectionArea[k] : 0);
        }
        b.resize(headerStart + headerLength, 0);

        putU16(b, 0);
        putU16(b, static_cast<uint16_t>(count));
        uint16_t offset = 0;
        putU16(b, offset);
        for (int s = first; s < first + count; ++s) {
            offset = static_cast<uint16_t>(offset + line.spots[s].size());
            putU16(b, offset);
        }
        if (count % 2 == 0)
            putU16(b, 0);
        for (int s = first; s < first + count; ++s) {
            for (const Echo &e : line.spots[s]) {
                putU16(b, e.rangeMm);
                if (entrySize == 4)
                    putU16(b, e.level);
            }
        }
        finishPacket(b);
        packets.push_back(std::move(b));
        if (spots == 0)
            break;
    }
    return packets;
}

std::vector<uint8_t> Generator::makeMeasurementPackets(DataKind kind, const Line &line,
                                                       const std::string &status) const
{
    std::vector<uint8_t> all;
    for (const std::vector<uint8_t> &p : measurementPacketList(kind, line, status))
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::vector<uint8_t> Generator::makeAuxiliaryPacket(uint64_t firstSample, int sampleCount,
                                                    const std::string &status) const
{
    const Geometry &g = m_config.geometry;
    const int samples =
        std::max(0, std::min(255, sampleCount < 0 ? m_config.auxSamplesPerPacket : sampleCount));
    const uint32_t interval = m_config.auxSampleIntervalMs;
    const uint32_t bits = m_config.auxContentBits;
    const uint32_t first = static_cast<uint32_t>(firstSample * interval);

    std::vector<uint8_t> b = beginPacket("_ax", status);
    putU16(b, 12);
    putU32(b, first);
    putU32(b, bits);
    putU8(b, static_cast<uint8_t>(samples));
    putU8(b, static_cast<uint8_t>(interval));
    const double gyroPerDps = 32767.0 / std::max<uint16_t>(1, g.gyroScale);
    const double accelPerG = 32767.0 / std::max<uint16_t>(1, g.accelScale);
    for (int i = 0; i < samples; ++i) {
        const double t = (first + static_cast<double>(i) * interval) / 1000.0; // seconds
        const uint64_t key = (firstSample + i) * 16;
        auto jitter = [&](int k, int amplitude) {
            return static_cast<int>(mix(key + k) % (2 * amplitude + 1)) - amplitude;
        };
        // A slow yaw swing with a little tremor; gravity on z; the earth field turning with the yaw.
        const double yawRate = 20.0 * std::sin(2.0 * kPi * t / 5.0); // degrees per second
        const double yaw = -20.0 * 5.0 / (2.0 * kPi) * std::cos(2.0 * kPi * t / 5.0) * kPi / 180.0;
        const int32_t values[10] = {
            jitter(0, 3),
            jitter(1, 3),
            static_cast<int32_t>(std::lround(yawRate * gyroPerDps)) + jitter(2, 3),
            static_cast<int32_t>(std::lround(0.02 * std::sin(t) * accelPerG)) + jitter(3, 4),
            static_cast<int32_t>(std::lround(0.01 * std::cos(t) * accelPerG)) + jitter(4, 4),
            static_cast<int32_t>(std::lround(1.0 * accelPerG)) + jitter(5, 4),
            static_cast<int32_t>(std::lround(200.0 * std::cos(yaw))) + jitter(6, 2),
            static_cast<int32_t>(std::lround(-200.0 * std::sin(yaw))) + jitter(7, 2),
            -300 + jitter(8, 2),
            static_cast<int32_t>(std::lround((35.0 + 0.5 * std::sin(t / 60.0) - 21.0) * 333.87)),
        };
        for (int k = 0; k < 10; ++k)
            if (bits & (1u << (31 - k)))
                putU32(b, static_cast<uint32_t>(values[k]));
    }
    finishPacket(b);
    return b;
}

std::vector<uint8_t> Generator::malform(std::vector<uint8_t> packet, Malformation kind) const
{
    if (packet.size() < kFrameHeader + 20)
        return packet;
    const size_t header = kFrameHeader;
    const uint16_t headerLength = getU16(packet, header);
    const size_t index = header + headerLength;
    switch (kind) {
    case Malformation::None:
        break;
    case Malformation::TotalLengthShort:
        setU16(packet, 14, static_cast<uint16_t>(getU16(packet, 14) - 8));
        break;
    case Malformation::TotalLengthLong:
        setU16(packet, 14, static_cast<uint16_t>(getU16(packet, 14) + 8));
        break;
    case Malformation::TotalLengthZero:
        setU16(packet, 14, 0);
        break;
    case Malformation::EchoOffsetsInvalid:
        if (index + 10 <= packet.size() && getU16(packet, index + 2) >= 2) {
            const uint16_t base = getU16(packet, index + 4);
            setU16(packet, index + 6, static_cast<uint16_t>(base + m_config.geometry.echoCount + 1));
        }
        break;
    case Malformation::SpotsBeyondLine:
        if (index + 4 <= packet.size()) {
            const uint16_t inPacket = getU16(packet, index + 2);
            const int offset = m_config.geometry.spotCount - inPacket + 1;
            setU16(packet, header + 18, static_cast<uint16_t>(std::max(1, offset)));
        }
        break;
    case Malformation::MeasurementHeaderTooLong:
        setU16(packet, header, 0xFFFF);
        break;
    }
    return packet;
}

std::vector<uint8_t> Generator::makeStream(DataKind kind, int lines, bool withAuxiliary) const
{
    std::vector<uint8_t> out;
    const int motor = m_config.geometry.horizontalInterlace, rem = m_config.geometry.verticalInterlace;
    uint64_t auxSample = 0;
    if (kind == DataKind::Auxiliary) {
        for (int i = 0; i < lines; ++i, auxSample += m_config.auxSamplesPerPacket) {
            const std::vector<uint8_t> aux = makeAuxiliaryPacket(auxSample);
            out.insert(out.end(), aux.begin(), aux.end());
        }
        return out;
    }
    for (int seq = 0; seq < lines; ++seq) {
        const Line line = computeLine(position(seq, motor, rem), motor, rem);
        const std::vector<uint8_t> bytes = makeMeasurementPackets(kind, line);
        out.insert(out.end(), bytes.begin(), bytes.end());
        if (withAuxiliary && seq % 36 == 35) {
            const std::vector<uint8_t> aux = makeAuxiliaryPacket(auxSample);
            auxSample += m_config.auxSamplesPerPacket;
            out.insert(out.end(), aux.begin(), aux.end());
        }
    }
    return out;
}

} // namespace Vexa3dSim
