#include "T3DFile.h"

#include "DRALAuxiliaryData.h"
#include "DRALMeasurementData.h"
#include "VblFormat.h"

#include <QIODevice>
#include <QtDebug>

#include <cstring>

namespace T3DFile {

VEXA3D_SENSOR_INFO_T sensorInfo()
{
    VEXA3D_SENSOR_INFO_T info;
    info.spec = VEXA3D_SPEC_T();
    info.spec.regionCount = 0;
    qstrcpy(info.vendor, "Tavi");
    qstrcpy(info.product, "QTR-");
    qstrcpy(info.serial, "T000");
    qstrcpy(info.firmware, "1.0.");
    qstrcpy(info.protocol, "2.1");
    return info;
}

namespace {
bool payload(QIODevice &device, qint64 stored, bool compressed, qint64 needed, const char *what,
             QByteArray &out)
{
    // A short payload fails: reading on would fill the record from whatever follows it.
    if (compressed ? !Vbl::readPayload(&device, stored, true, needed, out)
                   : (stored < needed || !Vbl::readPayload(&device, needed, false, needed, out)) ||
                         out.size() != needed) {
        qDebug() << "Not enough data to read" << what;
        return false;
    }
    return out.size() == needed;
}

template <typename T> T load(const char *&p)
{
    T v;
    std::memcpy(&v, p, sizeof(T));
    p += sizeof(T);
    return v;
}
} // namespace

bool readScanData(QIODevice &device, QSharedPointer<SensorData> &out, const T3D_SCAN_HEADER &header,
                  bool compressed)
{
    const VEXA3D_SPEC_T spec = sensorInfo().spec;
    QByteArray bytes;
    if (header.type == MeasurementType) {
        if (!payload(device, header.length, compressed, MeasurementBytes, "VEXA3D_MEASUREMENT_DATA_T", bytes))
            return false;
        auto line = QSharedPointer<VEXA3D_MEASUREMENT_DATA_T>::create(spec);
        const char *p = bytes.constData();
        for (VEXA3D_SPOT_T &spot : line->spots) {
            std::memcpy(static_cast<void *>(spot.echoes.data()), p, 128);
            std::memcpy(static_cast<void *>(spot.points.data()), p + 128, 128);
            p += 256;
            spot.count = load<quint32>(p);
            p += 4;
        }
        line->timestamp = load<quint32>(p);
        line->frameNumber = load<quint8>(p);
        line->motorFieldNumber = load<quint8>(p);
        line->remFieldNumber = load<quint8>(p);
        p += 1;
        line->lineNumber = load<quint16>(p);
        line->receivedSpotCount = load<quint16>(p);
        std::memcpy(line->status, p, 3);
        // The three bytes after the status land in it as well.
        std::memcpy(line->status, p + 3, 3);
        out = QSharedPointer<DRALMeasurementData>::create(line, spec);
        return true;
    }
    if (header.type == AuxiliaryType) {
        if (!payload(device, header.length, compressed, AuxiliaryBytes, "VEXA3D_AUXILIARY_DATA_T", bytes))
            return false;
        VEXA3D_AUXILIARY_DATA_T packet;
        std::memcpy(static_cast<void *>(&packet), bytes.constData(), size_t(AuxiliaryBytes));
        out = QSharedPointer<DRALAuxiliaryData>::create(packet, spec);
        return true;
    }
    return false;
}

} // namespace T3DFile
