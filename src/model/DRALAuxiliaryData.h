#pragma once

#include "SensorData.h"
#include "Vexa3dTypes.h"

#include <QSharedPointer>
#include <QVector4D>

// A live auxiliary packet: gyroscope, acceleration, magnetic field and temperature samples.
class DRALAuxiliaryData : public AuxiliaryData
{
public:
    static constexpr int Type = 18;
    enum Kind : quint32
    {
        Gyro = 1,
        Acceleration = 2,
        MagneticField = 4,
        Temperature = 8
    };

    DRALAuxiliaryData();
    DRALAuxiliaryData(const VEXA3D_AUXILIARY_DATA_T &packet, const VEXA3D_SPEC_T &spec);
    DRALAuxiliaryData(const DRALAuxiliaryData &other) = default;
    DRALAuxiliaryData(DRALAuxiliaryData &&other);
    DRALAuxiliaryData &operator=(const DRALAuxiliaryData &other) = default;

    bool readFrom(QDataStream &stream) override;
    bool writeTo(QDataStream &stream) const override;
    int byteSize() const override { return int(sizeof(VEXA3D_AUXILIARY_DATA_T)); }
    int dataType() const override { return Type; }
    qint64 timestamp() const override { return m_packet->timestamp; }

    bool hasGyro() const { return hasKinds(Gyro); }
    bool hasAcceleration() const { return hasKinds(Acceleration); }
    bool hasMagneticField() const { return hasKinds(MagneticField); }
    bool hasTemperature() const { return hasKinds(Temperature); }
    bool hasKinds(quint32 mask) const { return (m_packet->kinds & mask) == mask; }

    // One entry per sample, the sample's time stamp in w; empty when the kind is absent.
    QVector<QVector4D> gyroscopes() const;
    QVector<QVector4D> accelerations() const;
    QVector<QVector4D> magneticFields() const;
    QVector<QVector4D> temperatures() const;

    QSharedPointer<VEXA3D_AUXILIARY_DATA_T> data() const { return m_packet; }
    double accelScale() const { return m_accelScale; }
    double gyroScale() const { return m_gyroScale; }

private:
    int validSamples() const;

    QSharedPointer<VEXA3D_AUXILIARY_DATA_T> m_packet;
    double m_accelScale = 4.0;
    double m_gyroScale = 500.0;
};
