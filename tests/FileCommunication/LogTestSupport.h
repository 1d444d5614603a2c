#pragma once

#include "DRALAuxiliaryData.h"
#include "DRALMeasurementData.h"
#include "VblWriter.h"

#include <QFile>
#include <QString>

#include <cstring>

// Records and files for the log tests, written by the project's own writer.
namespace LogTest {

inline VEXA3D_SENSOR_INFO_T sensorInfo(int regions = 2, const char *product = "QTR-3D")
{
    VEXA3D_SENSOR_INFO_T info;
    info.spec.regionCount = quint8(regions);
    qstrcpy(info.product, product);
    qstrcpy(info.serial, "SN0042");
    qstrcpy(info.firmware, "1.2.3");
    qstrcpy(info.protocol, "2.3");
    return info;
}

// A complete line whose values follow from seed, so two lines compare by their seed.
inline QSharedPointer<DRALMeasurementData> line(const VEXA3D_SPEC_T &spec, quint32 timestamp, int seed = 1)
{
    auto data = QSharedPointer<VEXA3D_MEASUREMENT_DATA_T>::create(spec);
    data->timestamp = timestamp;
    data->frameNumber = quint8(seed);
    data->lineNumber = quint16(seed % 36);
    data->motorFieldNumber = 3;
    data->dustRatioX10 = 512;
    data->isLineDataReady = 1;
    data->receivedSpotCount = spec.spotCount;
    for (size_t r = 0; r < data->totalDetectionArea.size(); ++r)
        data->totalDetectionArea[r] = quint32(100 + r);
    for (size_t s = 0; s < data->spots.size(); ++s) {
        VEXA3D_SPOT_T &spot = data->spots[s];
        spot.count = quint32(s % (spec.echoCount + 1));
        for (size_t e = 0; e < spot.echoes.size(); ++e) {
            spot.echoes[e].range = 1.0 + double(s) + seed;
            spot.echoes[e].firstAngle = 0.01 * double(e);
            spot.points[e].x = double(s);
            spot.points[e].z = double(e) + seed;
            spot.points[e].level = quint32(1000 + s);
            spot.echoes[e].level = spot.points[e].level;
            for (size_t r = 0; r < spot.regionFlags[e].size(); ++r)
                spot.regionFlags[e][r] = quint8((s + r) & 1);
        }
    }
    return QSharedPointer<DRALMeasurementData>::create(data, spec);
}

inline QSharedPointer<DRALAuxiliaryData> aux(quint32 timestamp, int samples = 3)
{
    VEXA3D_AUXILIARY_DATA_T packet;
    packet.timestamp = timestamp;
    packet.kinds = 15;
    packet.sampleCount = quint32(samples);
    for (int i = 0; i < samples; ++i) {
        packet.samples[i].timestamp = int(timestamp) + i;
        packet.samples[i].gyroX = -100 * i;
        packet.samples[i].temperature = 333;
    }
    return QSharedPointer<DRALAuxiliaryData>::create(packet, VEXA3D_SPEC_T{});
}

inline QString timeText(int ms)
{
    return QStringLiteral("2024-01-31 10:%1:%2.%3")
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

// Frames of connection `connections[i]` at `times[i]` ms; a negative time writes an auxiliary packet.
inline bool writeVblStamps(const QString &fileName, bool compressed, const QVector<qint64> &times,
                           const QVector<int> &connections = {},
                           const VEXA3D_SENSOR_INFO_T &info = sensorInfo())
{
    VblWriter writer;
    writer.setSensorInfo(info);
    if (!writer.open(fileName, compressed))
        return false;
    for (int i = 0; i < times.size(); ++i) {
        const int connection = i < connections.size() ? connections.at(i) : 0;
        const qint64 t = times.at(i);
        const QSharedPointer<SensorData> frame =
            t >= 0 ? QSharedPointer<SensorData>(line(info.spec, quint32(t), i)) : aux(quint32(-t));
        if (!writer.writeFrame(connection, frame, QVector3D(1, 2, 3), QVector3D(0, 0, 90),
                               timeText(int(std::abs(t) % 86400000))))
            return false;
    }
    writer.close();
    return true;
}

inline bool writeVbl(const QString &fileName, bool compressed, const QVector<int> &times,
                     const QVector<int> &connections = {}, const VEXA3D_SENSOR_INFO_T &info = sensorInfo())
{
    return writeVblStamps(fileName, compressed, QVector<qint64>(times.begin(), times.end()), connections,
                          info);
}

inline QByteArray readAll(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeAll(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The first field where two lines differ over what a log keeps (received spots, their echoes), or "".
inline QString lineDifference(const VEXA3D_MEASUREMENT_DATA_T &a, const VEXA3D_MEASUREMENT_DATA_T &b)
{
    if (a.timestamp != b.timestamp || a.frameNumber != b.frameNumber || a.lineNumber != b.lineNumber ||
        a.receivedSpotCount != b.receivedSpotCount || a.totalDetectionArea != b.totalDetectionArea)
        return QStringLiteral("line %1: head").arg(b.timestamp);
    for (quint32 s = 0; s < b.receivedSpotCount; ++s) {
        const VEXA3D_SPOT_T &x = a.spots[s], &y = b.spots[s];
        if (x.count != y.count || x.regionFlags != y.regionFlags)
            return QStringLiteral("line %1: spot %2").arg(b.timestamp).arg(s);
        for (quint32 e = 0; e < y.count; ++e)
            if (x.echoes[e].range != y.echoes[e].range || x.echoes[e].level != y.echoes[e].level ||
                x.points[e].level != y.points[e].level || x.points[e].z != y.points[e].z)
                return QStringLiteral("line %1: spot %2 echo %3").arg(b.timestamp).arg(s).arg(e);
    }
    return {};
}

// A file on a disk that fills up after `room` bytes: the write that does not fit lands partly, or not at all.
class FillingFile : public QFile
{
public:
    FillingFile(const QString &name, qint64 room, bool partly = true)
        : QFile(name), m_room(room), m_partly(partly)
    {
    }

protected:
    qint64 writeData(const char *data, qint64 len) override
    {
        if (len <= m_room) {
            m_room -= len;
            return QFile::writeData(data, len);
        }
        if (m_partly)
            (void)QFile::writeData(data, m_room);
        m_room = 0;
        setErrorString(QStringLiteral("No space left on device"));
        return -1;
    }

private:
    qint64 m_room;
    bool m_partly;
};

template <typename T> T get(const QByteArray &bytes, qint64 offset)
{
    T v{};
    std::memcpy(&v, bytes.constData() + offset, sizeof(T));
    return v;
}

template <typename T> void put(QByteArray &bytes, qint64 offset, T v)
{
    std::memcpy(bytes.data() + offset, &v, sizeof(T));
}

} // namespace LogTest
