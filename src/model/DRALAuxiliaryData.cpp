#include "DRALAuxiliaryData.h"

#include <QDataStream>

#include <algorithm>

DRALAuxiliaryData::DRALAuxiliaryData() : m_packet(QSharedPointer<VEXA3D_AUXILIARY_DATA_T>::create()) {}

DRALAuxiliaryData::DRALAuxiliaryData(const VEXA3D_AUXILIARY_DATA_T &packet, const VEXA3D_SPEC_T &spec)
    : m_packet(QSharedPointer<VEXA3D_AUXILIARY_DATA_T>::create(packet)), m_accelScale(spec.accelScale),
      m_gyroScale(spec.gyroScale)
{
}

DRALAuxiliaryData::DRALAuxiliaryData(DRALAuxiliaryData &&other)
    : m_packet(std::move(other.m_packet)), m_accelScale(other.m_accelScale), m_gyroScale(other.m_gyroScale)
{
    other.m_packet = QSharedPointer<VEXA3D_AUXILIARY_DATA_T>::create();
}

bool DRALAuxiliaryData::readFrom(QDataStream &stream)
{
    auto fresh = QSharedPointer<VEXA3D_AUXILIARY_DATA_T>::create();
    const int size = int(sizeof(VEXA3D_AUXILIARY_DATA_T));
    if (stream.readRawData(reinterpret_cast<char *>(fresh.data()), size) != size)
        return false;
    m_packet = fresh;
    return true;
}

bool DRALAuxiliaryData::writeTo(QDataStream &stream) const
{
    const int size = int(sizeof(VEXA3D_AUXILIARY_DATA_T));
    return stream.writeRawData(reinterpret_cast<const char *>(m_packet.data()), size) == size;
}

int DRALAuxiliaryData::validSamples() const
{
    // The count may come from a file: never index past the sample array.
    return int(std::min<uint32_t>(m_packet->sampleCount, VEXA3D_MAX_AUX_SAMPLES));
}

QVector<QVector4D> DRALAuxiliaryData::gyroscopes() const
{
    QVector<QVector4D> list;
    if (!hasGyro())
        return list;
    const double scale = m_gyroScale / 32767.0;
    for (int i = 0; i < validSamples(); ++i) {
        const VEXA3D_AUX_SAMPLE_T &s = m_packet->samples[i];
        list.append(QVector4D(float(s.gyroX * scale), float(s.gyroY * scale), float(s.gyroZ * scale),
                              float(s.timestamp)));
    }
    return list;
}

QVector<QVector4D> DRALAuxiliaryData::accelerations() const
{
    QVector<QVector4D> list;
    if (!hasAcceleration())
        return list;
    const double scale = m_accelScale / 32767.0;
    for (int i = 0; i < validSamples(); ++i) {
        const VEXA3D_AUX_SAMPLE_T &s = m_packet->samples[i];
        list.append(QVector4D(float(s.accelX * scale), float(s.accelY * scale), float(s.accelZ * scale),
                              float(s.timestamp)));
    }
    return list;
}

QVector<QVector4D> DRALAuxiliaryData::magneticFields() const
{
    QVector<QVector4D> list;
    if (!hasMagneticField())
        return list;
    const float scale = 0.15f;
    for (int i = 0; i < validSamples(); ++i) {
        const VEXA3D_AUX_SAMPLE_T &s = m_packet->samples[i];
        list.append(QVector4D(s.magX * scale, s.magY * scale, s.magZ * scale, float(s.timestamp)));
    }
    return list;
}

QVector<QVector4D> DRALAuxiliaryData::temperatures() const
{
    QVector<QVector4D> list;
    if (!hasTemperature())
        return list;
    for (int i = 0; i < validSamples(); ++i) {
        const VEXA3D_AUX_SAMPLE_T &s = m_packet->samples[i];
        list.append(QVector4D(float(s.temperature / 333.87 + 21.0), 0.0f, 0.0f, float(s.timestamp)));
    }
    return list;
}
