#include "DRALMeasurementData.h"

#include "AbstractColorModel.h"
#include "AbstractDataFilter.h"

#include <QDataStream>

#include <algorithm>

namespace {
// Counts in a record may come from a file; never walk past what the record holds.
int receivedSpots(const VEXA3D_MEASUREMENT_DATA_T &data)
{
    return std::min<int>(data.receivedSpotCount, int(data.spots.size()));
}

int validEchoes(const VEXA3D_SPOT_T &spot)
{
    return std::min<int>(int(std::min<uint32_t>(spot.count, uint32_t(spot.echoes.size()))),
                         int(spot.points.size()));
}

// The binary form of a line, field by field in file order: every spot's echoes, points, region flags and
// echo count, then the line header, the detection areas and the ready flag. Writing and reading both walk
// this one table, so they cannot disagree on a field's order or size. Stops at the first false visit.
template <typename Line, typename Visit> bool visitFields(Line &d, const VEXA3D_SPEC_T &spec, Visit &&visit)
{
    const size_t e = spec.echoCount;
    const size_t r = spec.regionCount;
    for (auto &spot : d.spots) {
        if (!visit(spot.echoes.data(), sizeof(VEXA3D_ECHO_T) * e) ||
            !visit(spot.points.data(), sizeof(VEXA3D_POINT_T) * e))
            return false;
        for (auto &flags : spot.regionFlags)
            if (!visit(flags.data(), r))
                return false;
        if (!visit(&spot.count, sizeof spot.count))
            return false;
    }
    return visit(&d.timestamp, sizeof d.timestamp) && visit(&d.frameNumber, sizeof d.frameNumber) &&
           visit(&d.motorFieldNumber, sizeof d.motorFieldNumber) &&
           visit(&d.remFieldNumber, sizeof d.remFieldNumber) && visit(&d.lineNumber, sizeof d.lineNumber) &&
           visit(&d.receivedSpotCount, sizeof d.receivedSpotCount) && visit(d.status, sizeof d.status) &&
           visit(&d.dustState, sizeof d.dustState) && visit(&d.dustRatioX10, sizeof d.dustRatioX10) &&
           visit(&d.output, sizeof d.output) && visit(&d.input, sizeof d.input) &&
           visit(&d.dirtState, sizeof d.dirtState) && visit(&d.dirtRatioX10, sizeof d.dirtRatioX10) &&
           visit(d.totalDetectionArea.data(), sizeof(uint32_t) * r) &&
           visit(&d.isLineDataReady, sizeof d.isLineDataReady);
}

// Whether every vector of the line has the size the geometry gives it.
bool sizedFor(const VEXA3D_MEASUREMENT_DATA_T &d, const VEXA3D_SPEC_T &spec)
{
    if (d.spots.size() != spec.spotCount || d.totalDetectionArea.size() != spec.regionCount)
        return false;
    for (const VEXA3D_SPOT_T &spot : d.spots) {
        if (spot.echoes.size() != spec.echoCount || spot.points.size() != spec.echoCount ||
            spot.regionFlags.size() != spec.echoCount)
            return false;
        for (const std::vector<uint8_t> &flags : spot.regionFlags)
            if (flags.size() != spec.regionCount)
                return false;
    }
    return true;
}
} // namespace

DRALMeasurementData::DRALMeasurementData(const VEXA3D_SPEC_T &spec)
    : DRALMeasurementData(QSharedPointer<VEXA3D_MEASUREMENT_DATA_T>::create(spec), spec)
{
}

DRALMeasurementData::DRALMeasurementData(QSharedPointer<VEXA3D_MEASUREMENT_DATA_T> data,
                                         const VEXA3D_SPEC_T &spec)
    : m_data(std::move(data)), m_spec(spec), m_byteSize(byteSizeFor(spec)), m_echoCount(spec.echoCount)
{
    if (!m_data)
        m_data = QSharedPointer<VEXA3D_MEASUREMENT_DATA_T>::create(spec);
}

DRALMeasurementData::DRALMeasurementData(DRALMeasurementData &&other)
    : m_data(std::move(other.m_data)), m_spec(other.m_spec), m_byteSize(other.m_byteSize),
      m_echoCount(other.m_echoCount), m_emphasisMode(other.m_emphasisMode),
      m_emphasisMotorField(other.m_emphasisMotorField), m_emphasisRemField(other.m_emphasisRemField),
      m_emphasisLine(other.m_emphasisLine), m_emphasisSpot(other.m_emphasisSpot)
{
    other.m_data = QSharedPointer<VEXA3D_MEASUREMENT_DATA_T>::create(other.m_spec);
}

int DRALMeasurementData::byteSizeFor(const VEXA3D_SPEC_T &spec)
{
    // The geometry may come from a file: refuse one whose record would not fit in memory or in an int.
    if (VEXA3D_MEASUREMENT_DATA_T::bytesFor(spec) > VEXA3D_MAX_RECORD_BYTES)
        return -1;
    const qint64 s = spec.spotCount;
    const qint64 e = spec.echoCount;
    const qint64 r = spec.regionCount;
    return int(s * e * r + 64 * s * e + 4 * (s + r) + 23);
}

qint64 DRALMeasurementData::timestamp() const
{
    return m_data->timestamp;
}

bool DRALMeasurementData::writeTo(QDataStream &stream) const
{
    // The record must be sized for the scan geometry, or the byte count would lie.
    if (!sizedFor(*m_data, m_spec))
        return false;
    int written = 0;
    const bool complete = visitFields(*m_data, m_spec, [&](const void *field, size_t size) {
        written += int(size);
        return size == 0 || stream.writeRawData(static_cast<const char *>(field), int(size)) == int(size);
    });
    return complete && written == m_byteSize && stream.status() == QDataStream::Ok;
}

bool DRALMeasurementData::readFrom(QDataStream &stream)
{
    if (m_byteSize < 0)
        return false;
    // Read into a fresh record so a short stream never leaves a half-filled line behind.
    auto fresh = QSharedPointer<VEXA3D_MEASUREMENT_DATA_T>::create(m_spec);
    int read = 0;
    const bool complete = visitFields(*fresh, m_spec, [&](void *field, size_t size) {
        read += int(size);
        return size == 0 || stream.readRawData(static_cast<char *>(field), int(size)) == int(size);
    });
    if (!complete || read != m_byteSize)
        return false;
    m_data = fresh;
    return true;
}

QVector<QVector3D> DRALMeasurementData::points() const
{
    const VEXA3D_MEASUREMENT_DATA_T &d = *m_data;
    const int spots = receivedSpots(d);
    QVector<QVector3D> result;
    result.reserve(m_echoCount * spots);
    for (int s = 0; s < spots; ++s) {
        const VEXA3D_SPOT_T &spot = d.spots[size_t(s)];
        const int echoes = validEchoes(spot);
        for (int e = 0; e < echoes; ++e) {
            if (spot.echoes[size_t(e)].range > 0.0) {
                const VEXA3D_POINT_T &p = spot.points[size_t(e)];
                result.append(QVector3D(float(p.x), float(p.y), float(p.z)));
            }
        }
    }
    return result;
}

QVector<QVector3D> DRALMeasurementData::colors(const AbstractColorModel *colorModel) const
{
    const VEXA3D_MEASUREMENT_DATA_T &d = *m_data;
    const int spots = receivedSpots(d);
    const bool emphasisedLine =
        (m_emphasisMode >= 0) && (m_emphasisMode & 1) && d.lineNumber == m_emphasisLine &&
        d.motorFieldNumber == m_emphasisMotorField && d.remFieldNumber == m_emphasisRemField;
    // One frozen copy of the model's settings for the whole line, so an edit never splits a line.
    const std::shared_ptr<const ColorFunction> function = colorModel ? colorModel->colorFunction() : nullptr;
    QVector<QVector3D> result;
    result.reserve(m_echoCount * spots);
    for (int s = 0; s < spots; ++s) {
        const VEXA3D_SPOT_T &spot = d.spots[size_t(s)];
        const int echoes = validEchoes(spot);
        for (int e = 0; e < echoes; ++e) {
            if (spot.echoes[size_t(e)].range <= 0.0)
                continue;
            if (!emphasisedLine && function) {
                result.append(function->color(spot, e, d.lineNumber, d.motorFieldNumber, d.remFieldNumber));
                continue;
            }
            if (emphasisedLine)
                result.append(s == m_emphasisSpot ? QVector3D(-2, -2, -2) : QVector3D(-1, -1, -1));
            else if (colorModel)
                result.append(colorModel->color(spot, e, d.lineNumber, d.motorFieldNumber, d.remFieldNumber));
            else
                result.append(QVector3D(1, 1, 1));
        }
    }
    return result;
}

void DRALMeasurementData::applyFilter(AbstractDataFilter *filter)
{
    if (filter)
        filter->apply(*m_data);
}

void DRALMeasurementData::applyFilters(const QList<AbstractDataFilter *> &filters)
{
    for (AbstractDataFilter *filter : filters)
        applyFilter(filter);
}

void DRALMeasurementData::setEmphasisedSpot(int motorField, int remField, int line, int spot)
{
    m_emphasisMotorField = motorField;
    m_emphasisRemField = remField;
    m_emphasisLine = line;
    m_emphasisSpot = spot;
}

void DRALMeasurementData::setEmphasisType(int type)
{
    m_emphasisMode = type;
}
