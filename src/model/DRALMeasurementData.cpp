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

bool readRaw(QDataStream &stream, void *target, int size)
{
    return size == 0 || stream.readRawData(static_cast<char *>(target), size) == size;
}

bool writeRaw(QDataStream &stream, const void *source, int size)
{
    return size == 0 || stream.writeRawData(static_cast<const char *>(source), size) == size;
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
    const VEXA3D_MEASUREMENT_DATA_T &d = *m_data;
    const int e = m_spec.echoCount;
    const int r = m_spec.regionCount;
    int written = 0;
    // The record must be sized for the scan geometry, or the byte count would lie.
    if (int(d.spots.size()) != m_spec.spotCount || int(d.totalDetectionArea.size()) != r)
        return false;
    for (const VEXA3D_SPOT_T &spot : d.spots) {
        if (int(spot.echoes.size()) != e || int(spot.points.size()) != e || int(spot.regionFlags.size()) != e)
            return false;
        if (!writeRaw(stream, spot.echoes.data(), 32 * e) || !writeRaw(stream, spot.points.data(), 32 * e))
            return false;
        written += 64 * e;
        for (const std::vector<uint8_t> &flags : spot.regionFlags) {
            if (int(flags.size()) != r || !writeRaw(stream, flags.data(), r))
                return false;
            written += r;
        }
        if (!writeRaw(stream, &spot.count, 4))
            return false;
        written += 4;
    }
    const bool headerOk = writeRaw(stream, &d.timestamp, 4) && writeRaw(stream, &d.frameNumber, 1) &&
                          writeRaw(stream, &d.motorFieldNumber, 1) &&
                          writeRaw(stream, &d.remFieldNumber, 1) && writeRaw(stream, &d.lineNumber, 2) &&
                          writeRaw(stream, &d.receivedSpotCount, 2) && writeRaw(stream, d.status, 3) &&
                          writeRaw(stream, &d.dustState, 1) && writeRaw(stream, &d.dustRatioX10, 2) &&
                          writeRaw(stream, &d.output, 1) && writeRaw(stream, &d.input, 1) &&
                          writeRaw(stream, &d.dirtState, 1) && writeRaw(stream, &d.dirtRatioX10, 2);
    if (!headerOk)
        return false;
    written += 22;
    if (!writeRaw(stream, d.totalDetectionArea.data(), 4 * r) || !writeRaw(stream, &d.isLineDataReady, 1))
        return false;
    written += 4 * r + 1;
    return written == m_byteSize && stream.status() == QDataStream::Ok;
}

bool DRALMeasurementData::readFrom(QDataStream &stream)
{
    if (m_byteSize < 0)
        return false;
    // Read into a fresh record so a short stream never leaves a half-filled line behind.
    auto fresh = QSharedPointer<VEXA3D_MEASUREMENT_DATA_T>::create(m_spec);
    VEXA3D_MEASUREMENT_DATA_T &d = *fresh;
    const int e = m_spec.echoCount;
    const int r = m_spec.regionCount;
    int read = 0;
    for (VEXA3D_SPOT_T &spot : d.spots) {
        if (!readRaw(stream, spot.echoes.data(), 32 * e) || !readRaw(stream, spot.points.data(), 32 * e))
            return false;
        read += 64 * e;
        for (std::vector<uint8_t> &flags : spot.regionFlags) {
            if (!readRaw(stream, flags.data(), r))
                return false;
            read += r;
        }
        if (!readRaw(stream, &spot.count, 4))
            return false;
        read += 4;
    }
    const bool headerOk = readRaw(stream, &d.timestamp, 4) && readRaw(stream, &d.frameNumber, 1) &&
                          readRaw(stream, &d.motorFieldNumber, 1) && readRaw(stream, &d.remFieldNumber, 1) &&
                          readRaw(stream, &d.lineNumber, 2) && readRaw(stream, &d.receivedSpotCount, 2) &&
                          readRaw(stream, d.status, 3) && readRaw(stream, &d.dustState, 1) &&
                          readRaw(stream, &d.dustRatioX10, 2) && readRaw(stream, &d.output, 1) &&
                          readRaw(stream, &d.input, 1) && readRaw(stream, &d.dirtState, 1) &&
                          readRaw(stream, &d.dirtRatioX10, 2);
    if (!headerOk)
        return false;
    read += 22;
    if (!readRaw(stream, d.totalDetectionArea.data(), 4 * r) || !readRaw(stream, &d.isLineDataReady, 1))
        return false;
    read += 4 * r + 1;
    if (read != m_byteSize)
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
