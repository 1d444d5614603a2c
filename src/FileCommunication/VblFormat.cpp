#include "VblFormat.h"

#include "DRALAuxiliaryData.h"
#include "DRALMeasurementData.h"

#include <QDataStream>
#include <QIODevice>
#include <QtDebug>

#include <zlib.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace Vbl {

namespace {
template <typename T> T load(const char *&p)
{
    T v;
    std::memcpy(&v, p, sizeof(T));
    p += sizeof(T);
    return v;
}

template <typename T> void store(char *&p, T v)
{
    std::memcpy(p, &v, sizeof(T));
    p += sizeof(T);
}

// Floats in a file may hold anything; converting one outside the int range would be undefined.
int32_t toInt(float v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0f)
        return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0f)
        return std::numeric_limits<int32_t>::min();
    return int32_t(v);
}

bool writeAll(QDataStream &stream, const QByteArray &bytes)
{
    return stream.writeRawData(bytes.constData(), bytes.size()) == bytes.size();
}

const char *const kLinePrefixes[] = {
    "motorFieldNumber", "remFieldNumber", "dustState",       "dustRatioX10",       "output", "input",
    "dirtState",        "dirtRatioX10",   "isLineDataReady", "totalDetectionArea_"};

// The value of a line field of the given role; each detection-area field takes the next area.
quint32 lineFieldValue(const VEXA3D_MEASUREMENT_DATA_T &d, int role, size_t &area)
{
    switch (role) {
    case VblSectionContext::MotorField:
        return d.motorFieldNumber;
    case VblSectionContext::RemField:
        return d.remFieldNumber;
    case VblSectionContext::DustState:
        return d.dustState;
    case VblSectionContext::DustRatio:
        return d.dustRatioX10;
    case VblSectionContext::Output:
        return d.output;
    case VblSectionContext::Input:
        return d.input;
    case VblSectionContext::DirtState:
        return d.dirtState;
    case VblSectionContext::DirtRatio:
        return d.dirtRatioX10;
    case VblSectionContext::LineReady:
        return d.isLineDataReady;
    case VblSectionContext::DetectionArea: {
        const size_t i = area++;
        return i < d.totalDetectionArea.size() ? d.totalDetectionArea[i] : 0;
    }
    default:
        return 0;
    }
}
} // namespace

bool isValidLogTime(const char *t)
{
    for (int i = 0; i < 23; ++i) {
        const char c = t[i];
        switch (i) {
        case 4:
        case 7:
            if (c != '-')
                return false;
            break;
        case 10:
            if (c != ' ')
                return false;
            break;
        case 13:
        case 16:
            if (c != ':')
                return false;
            break;
        case 19:
            if (c != '.')
                return false;
            break;
        default:
            if (c < '0' || c > '9')
                return false;
        }
    }
    return true;
}

qint64 lineRecordBytes(qint64 spots, qint64 echoes, qint64 regions)
{
    const qint64 perEcho =
        qint64(sizeof(VEXA3D_ECHO_T) + sizeof(VEXA3D_POINT_T) + sizeof(std::vector<uint8_t>)) + regions;
    return qint64(sizeof(VEXA3D_MEASUREMENT_DATA_T)) +
           spots * (qint64(sizeof(VEXA3D_SPOT_T)) + echoes * perEcho) + 4 * regions;
}

bool isSaneGeometry(const VEXA3D_SPEC_T &spec)
{
    const qint64 s = spec.spotCount, e = spec.echoCount, r = spec.regionCount;
    const qint64 stored = s * e * r + 64 * s * e + 4 * (s + r) + 23;
    return stored <= MaxRecordBytes && lineRecordBytes(s, e, r) <= MaxRecordBytes;
}

qint64 bytesLeft(const QIODevice *device)
{
    if (!device || device->isSequential())
        return 0;
    return std::max<qint64>(0, device->size() - device->pos());
}

bool readPayload(QIODevice *device, qint64 storedLength, bool compressed, qint64 maxInflated, QByteArray &out)
{
    if (!device || storedLength < 0 || storedLength > bytesLeft(device))
        return false;
    if (!compressed) {
        if (storedLength > maxInflated)
            return false;
        out.resize(int(storedLength));
        return device->read(out.data(), storedLength) == storedLength;
    }
    if (storedLength < 4 || storedLength > MaxPayloadBytes)
        return false;
    QByteArray packed(int(storedLength), Qt::Uninitialized);
    if (device->read(packed.data(), storedLength) != storedLength)
        return false;
    const auto *p = reinterpret_cast<const unsigned char *>(packed.constData());
    const quint32 inflated =
        (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
    if (qint64(inflated) > maxInflated)
        return false;
    out.resize(int(inflated));
    if (inflated == 0)
        return true;
    // Inflate into exactly the announced size: a stream that wants more is damage, not a reason to grow.
    uLongf length = inflated;
    const int rc =
        ::uncompress(reinterpret_cast<Bytef *>(out.data()), &length, p + 4, uLong(storedLength - 4));
    return rc == Z_OK && length == inflated;
}

VblSectionContext::VblSectionContext(const ParamList &params, const ScanParamList &points,
                                     const ScanParamList &echoes, const ScanParamList &lines, QObject *parent)
    : QObject(parent), m_params(params), m_points(points), m_echoes(echoes), m_lines(lines)
{
    const auto isUInt = [](const QSharedPointer<IScanParamDefinition> &d) {
        return d && d->type() == PVT_UINT;
    };
    const QLatin1String detected("isDetected_");
    for (int i = 0; i < m_points.size(); ++i) {
        const bool inRun = isUInt(m_points.at(i)) && m_points.at(i)->name().startsWith(detected);
        if (inRun && m_detectedStart < 0)
            m_detectedStart = i;
        if (inRun && i == m_detectedStart + m_detectedCount)
            ++m_detectedCount;
    }
    for (int i = 0; i < m_echoes.size() && m_echoCountField < 0; ++i) {
        if (isUInt(m_echoes.at(i)) && m_echoes.at(i)->name().startsWith(QLatin1String("echoCount")))
            m_echoCountField = i;
    }
    for (const QSharedPointer<IScanParamDefinition> &field : m_lines) {
        int role = -1;
        for (int r = 0; isUInt(field) && r <= DetectionArea && role < 0; ++r) {
            if (field->name().startsWith(QLatin1String(kLinePrefixes[r])))
                role = r;
        }
        m_lineRoles << role;
    }
}

ScanPointData::ScanPointData(QSharedPointer<VEXA3D_MEASUREMENT_DATA_T> data) : m_data(std::move(data))
{
    if (!m_data)
        m_data = QSharedPointer<VEXA3D_MEASUREMENT_DATA_T>::create();
}

void ScanPointData::setSharedContext(QObject *context)
{
    m_context = qobject_cast<const VblSectionContext *>(context);
}

int ScanPointData::spotRecords() const
{
    // Only received spots carry data, and a partial line must still read back.
    return std::min<int>(m_data->receivedSpotCount, int(m_data->spots.size()));
}

int ScanPointData::echoesPerSpot() const
{
    return m_data->spots.empty() ? 0 : int(m_data->spots.front().echoes.size());
}

int ScanPointData::byteSize() const
{
    if (!m_context)
        return 0;
    const qint64 size =
        24 +
        qint64(spotRecords()) *
            (4 * m_context->echoFieldCount() + echoesPerSpot() * (56 + 4 * qint64(m_context->pointCount()))) +
        4 * qint64(m_context->lineFieldCount());
    return size > MaxPayloadBytes ? 0 : int(size);
}

bool ScanPointData::serialize(QByteArray &out) const
{
    const VEXA3D_MEASUREMENT_DATA_T &d = *m_data;
    const int k = spotRecords();
    const int s = echoesPerSpot();
    const int size = byteSize();
    if (!m_context || size == 0 || s > 255 || d.totalDetectionArea.size() > 255)
        return false;
    for (int i = 0; i < k; ++i) {
        if (int(d.spots[size_t(i)].echoes.size()) != s || int(d.spots[size_t(i)].points.size()) != s)
            return false;
    }
    // A buffer handed in again keeps its memory.
    out.resize(size);
    std::memset(out.data(), 0, size_t(size));
    char *p = out.data();
    store<quint64>(p, d.timestamp);
    store<quint32>(p, quint32(k));
    store<quint16>(p, d.frameNumber);
    store<quint16>(p, d.lineNumber);
    store<quint8>(p, quint8(s));
    store<quint8>(p, quint8(d.totalDetectionArea.size()));
    p += 6;
    const int e = m_context->echoFieldCount();
    const int pc = m_context->pointCount();
    const int start = m_context->detectedStart();
    for (int i = 0; i < k; ++i) {
        const VEXA3D_SPOT_T &spot = d.spots[size_t(i)];
        for (int f = 0; f < e; ++f)
            store<quint32>(p, f == m_context->echoCountField() ? spot.count : 0);
        for (int j = 0; j < s; ++j) {
            std::memcpy(p, &spot.echoes[size_t(j)], 24);
            std::memcpy(p + 24, &spot.points[size_t(j)], 28);
            p += 56;
            for (int f = 0; f < pc; ++f) {
                const int region = f - start;
                quint32 v = 0;
                if (start >= 0 && region >= 0 && region < m_context->detectedCount() &&
                    size_t(j) < spot.regionFlags.size() &&
                    size_t(region) < spot.regionFlags[size_t(j)].size())
                    v = spot.regionFlags[size_t(j)][size_t(region)];
                store<quint32>(p, v);
            }
        }
    }
    size_t area = 0;
    for (int f = 0; f < m_context->lineFieldCount(); ++f) {
        store<quint32>(p, lineFieldValue(d, m_context->lineFieldRole(f), area));
    }
    return p == out.constData() + out.size();
}

bool ScanPointData::parse(const char *bytes, qint64 length)
{
    if (!m_context || length < 24)
        return false;
    const char *p = bytes;
    const quint64 timestamp = load<quint64>(p);
    const quint32 k = load<quint32>(p);
    const quint16 frame = load<quint16>(p);
    const quint16 line = load<quint16>(p);
    const int s = load<quint8>(p);
    const int r = load<quint8>(p);
    p += 6;
    const qint64 e = m_context->echoFieldCount();
    const qint64 pc = m_context->pointCount();
    const qint64 f = m_context->lineFieldCount();
    if (k > 0xFFFF || 24 + qint64(k) * (4 * e + s * (56 + 4 * pc)) + 4 * f != length)
        return false;
    if (lineRecordBytes(k, s, r) > MaxRecordBytes)
        return false;

    auto fresh = QSharedPointer<VEXA3D_MEASUREMENT_DATA_T>::create();
    VEXA3D_MEASUREMENT_DATA_T &d = *fresh;
    d.spots.resize(k);
    d.totalDetectionArea.assign(size_t(r), 0);
    d.timestamp = quint32(timestamp);
    d.receivedSpotCount = quint16(k);
    d.frameNumber = quint8(frame);
    d.lineNumber = line;
    const int start = m_context->detectedStart();
    for (VEXA3D_SPOT_T &spot : d.spots) {
        spot.echoes.resize(size_t(s));
        spot.points.resize(size_t(s));
        spot.regionFlags.assign(size_t(s), std::vector<uint8_t>(size_t(r), 0));
        for (int i = 0; i < e; ++i) {
            const quint32 v = load<quint32>(p);
            if (i == m_context->echoCountField())
                spot.count = v;
        }
        for (int j = 0; j < s; ++j) {
            VEXA3D_ECHO_T &echo = spot.echoes[size_t(j)];
            VEXA3D_POINT_T &point = spot.points[size_t(j)];
            std::memcpy(static_cast<void *>(&echo), p, 24);
            std::memcpy(static_cast<void *>(&point), p + 24, 28);
            // Only the point's level is stored; the live decoder gives the echo the same value.
            echo.level = point.level;
            p += 56;
            for (int i = 0; i < pc; ++i) {
                const quint32 v = load<quint32>(p);
                const int region = i - start;
                if (start >= 0 && region >= 0 && region < m_context->detectedCount() && region < r)
                    spot.regionFlags[size_t(j)][size_t(region)] = quint8(v);
            }
        }
    }
    size_t area = 0;
    for (int i = 0; i < f; ++i) {
        const quint32 v = load<quint32>(p);
        switch (m_context->lineFieldRole(i)) {
        case VblSectionContext::MotorField:
            d.motorFieldNumber = quint8(v);
            break;
        case VblSectionContext::RemField:
            d.remFieldNumber = quint8(v);
            break;
        case VblSectionContext::DustState:
            d.dustState = quint8(v);
            break;
        case VblSectionContext::DustRatio:
            d.dustRatioX10 = quint16(v);
            break;
        case VblSectionContext::Output:
            d.output = quint8(v);
            break;
        case VblSectionContext::Input:
            d.input = quint8(v);
            break;
        case VblSectionContext::DirtState:
            d.dirtState = quint8(v);
            break;
        case VblSectionContext::DirtRatio:
            d.dirtRatioX10 = quint16(v);
            break;
        case VblSectionContext::LineReady:
            d.isLineDataReady = quint8(v);
            break;
        case VblSectionContext::DetectionArea:
            if (area < d.totalDetectionArea.size())
                d.totalDetectionArea[area] = v;
            ++area;
            break;
        default:
            break;
        }
    }
    m_data = fresh;
    return true;
}

bool ScanPointData::readFrom(QDataStream &stream)
{
    QByteArray bytes;
    return readPayload(stream.device(), m_storedLength, m_compressed, MaxPayloadBytes, bytes) &&
           parse(bytes.constData(), bytes.size());
}

bool ScanPointData::writeTo(QDataStream &stream) const
{
    QByteArray bytes;
    return serialize(bytes) && writeAll(stream, bytes);
}

ImuAuxiliaryData::ImuAuxiliaryData(QSharedPointer<VEXA3D_AUXILIARY_DATA_T> data) : m_data(std::move(data))
{
    if (!m_data)
        m_data = QSharedPointer<VEXA3D_AUXILIARY_DATA_T>::create();
}

int ImuAuxiliaryData::sampleCount() const
{
    return int(std::min<uint32_t>(m_data->sampleCount, MaxSamples));
}

int ImuAuxiliaryData::byteSize() const
{
    return 16 + 48 * sampleCount();
}

bool ImuAuxiliaryData::serialize(QByteArray &out) const
{
    const VEXA3D_AUXILIARY_DATA_T &a = *m_data;
    out.resize(byteSize());
    std::memset(out.data(), 0, size_t(out.size()));
    char *p = out.data();
    store<quint64>(p, a.timestamp);
    store<quint16>(p, quint16(a.kinds));
    store<quint16>(p, quint16(sampleCount()));
    p += 4;
    for (int i = 0; i < sampleCount(); ++i) {
        const VEXA3D_AUX_SAMPLE_T &s = a.samples[i];
        store<quint32>(p, quint32(s.timestamp));
        p += 4;
        for (int32_t v :
             {s.gyroX, s.gyroY, s.gyroZ, s.accelX, s.accelY, s.accelZ, s.magX, s.magY, s.magZ, s.temperature})
            store<float>(p, float(v));
    }
    return p == out.constData() + out.size();
}

bool ImuAuxiliaryData::parse(const char *bytes, qint64 length)
{
    if (length < 16)
        return false;
    const char *p = bytes;
    auto fresh = QSharedPointer<VEXA3D_AUXILIARY_DATA_T>::create();
    VEXA3D_AUXILIARY_DATA_T &a = *fresh;
    a.timestamp = quint32(load<quint64>(p));
    a.kinds = load<quint16>(p);
    const int m = load<quint16>(p);
    p += 4;
    // The record holds at most 255 samples; more would write past it.
    if (m > MaxSamples || length != 16 + 48 * qint64(m))
        return false;
    a.sampleCount = quint32(m);
    for (int i = 0; i < m; ++i) {
        VEXA3D_AUX_SAMPLE_T &s = a.samples[i];
        s.timestamp = int32_t(load<quint32>(p));
        p += 4;
        for (int32_t *v : {&s.gyroX, &s.gyroY, &s.gyroZ, &s.accelX, &s.accelY, &s.accelZ, &s.magX, &s.magY,
                           &s.magZ, &s.temperature})
            *v = toInt(load<float>(p));
    }
    m_data = fresh;
    return true;
}

bool ImuAuxiliaryData::readFrom(QDataStream &stream)
{
    QByteArray bytes;
    return readPayload(stream.device(), m_storedLength, m_compressed, 16 + 48 * 0xFFFF, bytes) &&
           parse(bytes.constData(), bytes.size());
}

bool ImuAuxiliaryData::writeTo(QDataStream &stream) const
{
    QByteArray bytes;
    return serialize(bytes) && writeAll(stream, bytes);
}

namespace {

// The writer's line path: the same bytes as ScanPointData::serialize, written field by field in one
// pass (no clearing of the buffer first, no per-field lookups).
PayloadWrite serializeLine(const VEXA3D_MEASUREMENT_DATA_T &d, const VblSectionContext &c, QByteArray &out)
{
    const int k = std::min<int>(d.receivedSpotCount, int(d.spots.size()));
    const int s = d.spots.empty() ? 0 : int(d.spots.front().echoes.size());
    const int e = c.echoFieldCount();
    const int pc = c.pointCount();
    const int lf = c.lineFieldCount();
    const qint64 size = 24 + qint64(k) * (4 * e + s * (56 + 4 * qint64(pc))) + 4 * qint64(lf);
    if (size > MaxPayloadBytes || s > 255 || d.totalDetectionArea.size() > 255)
        return PayloadWrite::Misfit;
    for (int i = 0; i < k; ++i) {
        if (int(d.spots[size_t(i)].echoes.size()) != s || int(d.spots[size_t(i)].points.size()) != s)
            return PayloadWrite::Misfit;
    }
    out.resize(int(size));
    char *p = out.data();
    store<quint64>(p, d.timestamp);
    store<quint32>(p, quint32(k));
    store<quint16>(p, d.frameNumber);
    store<quint16>(p, d.lineNumber);
    store<quint8>(p, quint8(s));
    store<quint8>(p, quint8(d.totalDetectionArea.size()));
    std::memset(p, 0, 6);
    p += 6;
    const int countField = c.echoCountField();
    // The point fields: zeros, the run of region flags, zeros.
    const int start = c.detectedStart() < 0 ? pc : c.detectedStart();
    const int run = c.detectedStart() < 0 ? 0 : c.detectedCount();
    for (int i = 0; i < k; ++i) {
        const VEXA3D_SPOT_T &spot = d.spots[size_t(i)];
        // A queued line is long out of the cache and each spot lives in blocks of its own: ask for the
        // next spot's blocks while this one is copied.
        if (i + 1 < k) {
            const VEXA3D_SPOT_T &next = d.spots[size_t(i) + 1];
            __builtin_prefetch(next.echoes.data());
            __builtin_prefetch(next.points.data());
            if (run > 0)
                for (const std::vector<uint8_t> &flags : next.regionFlags)
                    __builtin_prefetch(flags.data());
        }
        for (int f = 0; f < e; ++f)
            store<quint32>(p, f == countField ? spot.count : 0);
        for (int j = 0; j < s; ++j) {
            std::memcpy(p, &spot.echoes[size_t(j)], 24);
            std::memcpy(p + 24, &spot.points[size_t(j)], 28);
            std::memset(p + 52, 0, 4);
            p += 56;
            std::memset(p, 0, 4 * size_t(pc));
            if (run > 0 && size_t(j) < spot.regionFlags.size()) {
                const std::vector<uint8_t> &flags = spot.regionFlags[size_t(j)];
                const int n = std::min<int>(run, int(flags.size()));
                char *q = p + 4 * size_t(start);
                for (int r = 0; r < n; ++r)
                    store<quint32>(q, flags[size_t(r)]);
            }
            p += 4 * size_t(pc);
        }
    }
    size_t area = 0;
    for (int f = 0; f < lf; ++f) {
        store<quint32>(p, lineFieldValue(d, c.lineFieldRole(f), area));
    }
    return p == out.constData() + out.size() ? PayloadWrite::Done : PayloadWrite::Misfit;
}

} // namespace

bool isPayloadFrame(const SensorData *frame)
{
    if (!frame)
        return false;
    switch (frame->dataType()) {
    case DRALMeasurementData::Type:
        return dynamic_cast<const DRALMeasurementData *>(frame) != nullptr;
    case DRALAuxiliaryData::Type: {
        const auto *aux = dynamic_cast<const DRALAuxiliaryData *>(frame);
        return aux && aux->data();
    }
    default:
        return false;
    }
}

PayloadWrite serializeFrame(const SensorData &frame, const VblSectionContext *context, QByteArray &out,
                            PayloadKind &kind)
{
    if (frame.dataType() == DRALMeasurementData::Type) {
        const auto *line = dynamic_cast<const DRALMeasurementData *>(&frame);
        if (!line)
            return PayloadWrite::NotPayload;
        kind = MeasurementPayload;
        // A line without data is written as a line of no spots.
        static const VEXA3D_MEASUREMENT_DATA_T empty;
        const VEXA3D_MEASUREMENT_DATA_T *d = line->data().data();
        return context ? serializeLine(d ? *d : empty, *context, out) : PayloadWrite::Misfit;
    }
    if (frame.dataType() == DRALAuxiliaryData::Type) {
        const auto *aux = dynamic_cast<const DRALAuxiliaryData *>(&frame);
        if (!aux || !aux->data())
            return PayloadWrite::NotPayload;
        kind = AuxiliaryPayload;
        return ImuAuxiliaryData(aux->data()).serialize(out) ? PayloadWrite::Done : PayloadWrite::Misfit;
    }
    // Payload objects (a file being copied) write themselves.
    if (const auto *line = dynamic_cast<const ScanPointData *>(&frame)) {
        kind = MeasurementPayload;
        const VEXA3D_MEASUREMENT_DATA_T *d = line->data().data();
        return d && context ? serializeLine(*d, *context, out) : PayloadWrite::Misfit;
    }
    if (const auto *aux = dynamic_cast<const ImuAuxiliaryData *>(&frame)) {
        kind = AuxiliaryPayload;
        return aux->serialize(out) ? PayloadWrite::Done : PayloadWrite::Misfit;
    }
    return PayloadWrite::NotPayload;
}

QSharedPointer<SensorData> toPayload(const QSharedPointer<SensorData> &frame)
{
    if (!frame)
        return {};
    if (frame->dataType() == DRALMeasurementData::Type) {
        if (const auto *line = dynamic_cast<const DRALMeasurementData *>(frame.data()))
            return QSharedPointer<ScanPointData>::create(line->data());
    } else if (frame->dataType() == DRALAuxiliaryData::Type) {
        if (const auto *aux = dynamic_cast<const DRALAuxiliaryData *>(frame.data())) {
            if (!aux->data()) {
                qWarning() << "DRALAuxiliaryData::sharedData() returned nullptr!";
                return {};
            }
            return QSharedPointer<ImuAuxiliaryData>::create(aux->data());
        }
    }
    return {};
}

QSharedPointer<SensorData> fromPayload(const QSharedPointer<SensorData> &payload,
                                       const VEXA3D_SENSOR_INFO_T &info)
{
    if (!payload)
        return {};
    if (payload->dataType() == MeasurementPayload) {
        if (const auto *line = dynamic_cast<const ScanPointData *>(payload.data()))
            return QSharedPointer<DRALMeasurementData>::create(line->data(), info.spec);
    } else if (payload->dataType() == AuxiliaryPayload) {
        if (const auto *aux = dynamic_cast<const ImuAuxiliaryData *>(payload.data()))
            return QSharedPointer<DRALAuxiliaryData>::create(*aux->data(), info.spec);
    }
    return {};
}

} // namespace Vbl
