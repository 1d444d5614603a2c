#pragma once

#include "T3DFile.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <cstring>

// Legacy files are no longer written by the program; tests and fuzz seeds make them with this.
namespace T3dTest {

inline QByteArray measurementPayload(const VEXA3D_MEASUREMENT_DATA_T &line)
{
    std::vector<char> bytes(size_t(T3DFile::MeasurementBytes), 0);
    char *p = bytes.data();
    for (size_t s = 0; s < 74 && s < line.spots.size(); ++s) {
        const VEXA3D_SPOT_T &spot = line.spots[s];
        std::memcpy(p, spot.echoes.data(), std::min<size_t>(spot.echoes.size(), 4) * 32);
        std::memcpy(p + 128, spot.points.data(), std::min<size_t>(spot.points.size(), 4) * 32);
        std::memcpy(p + 256, &spot.count, 4);
        p += 264;
    }
    char tail[19] = {};
    std::memcpy(tail, &line.timestamp, 4);
    tail[4] = char(line.frameNumber);
    tail[5] = char(line.motorFieldNumber);
    tail[6] = char(line.remFieldNumber);
    std::memcpy(tail + 8, &line.lineNumber, 2);
    std::memcpy(tail + 10, &line.receivedSpotCount, 2);
    std::memcpy(tail + 15, line.status, 3);
    std::memcpy(bytes.data() + 74 * 264, tail, 19);
    return QByteArray(bytes.data(), int(bytes.size()));
}

inline QByteArray auxiliaryPayload(const VEXA3D_AUXILIARY_DATA_T &packet)
{
    return QByteArray(reinterpret_cast<const char *>(&packet), int(sizeof packet));
}

inline QByteArray head(bool compressed)
{
    T3D_FILE_HEAD h;
    h.compression = compressed ? 1 : 0;
    return QByteArray(reinterpret_cast<const char *>(&h), int(sizeof h));
}

// Appends one record at the end of file (which holds the bytes written so far).
inline void appendRecord(QByteArray &file, int connection, int type, const QByteArray &payload,
                         bool compressed, const QString &time)
{
    const QByteArray stored = compressed ? qCompress(payload, 5) : payload;
    T3D_SCAN_HEADER h;
    h.offset = file.size();
    h.index = connection;
    h.type = quint8(type);
    h.length = quint32(stored.size());
    h.position[0] = 1.5;
    h.rotation[2] = 45.0;
    std::memcpy(h.dateTime, time.toLatin1().leftJustified(23, '0', true).constData(), 23);
    file.append(reinterpret_cast<const char *>(&h), int(sizeof h));
    file.append(stored);
}

} // namespace T3dTest
