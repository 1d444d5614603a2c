#pragma once

#include "SensorData.h"
#include "Vexa3dTypes.h"

#include <QSharedPointer>

// A live measurement line: wraps the sensor library's line record, which copies share.
class DRALMeasurementData : public MeasurementData
{
public:
    static constexpr int Type = 17;

    explicit DRALMeasurementData(const VEXA3D_SPEC_T &spec = VEXA3D_SPEC_T{});
    DRALMeasurementData(QSharedPointer<VEXA3D_MEASUREMENT_DATA_T> data, const VEXA3D_SPEC_T &spec);
    DRALMeasurementData(const DRALMeasurementData &other) = default;
    // The source keeps a fresh zeroed record of the same geometry, so it stays usable.
    DRALMeasurementData(DRALMeasurementData &&other);
    DRALMeasurementData &operator=(const DRALMeasurementData &other) = default;

    bool readFrom(QDataStream &stream) override;
    bool writeTo(QDataStream &stream) const override;
    int byteSize() const override { return m_byteSize; }
    int dataType() const override { return Type; }
    qint64 timestamp() const override;

    QVector<QVector3D> points() const override;
    QVector<QVector3D> colors(const AbstractColorModel *colorModel) const override;
    void applyFilter(AbstractDataFilter *filter) override;
    void applyFilters(const QList<AbstractDataFilter *> &filters) override;

    void setEmphasisedSpot(int motorField, int remField, int line, int spot);
    void setEmphasisType(int type);
    int emphasisType() const { return m_emphasisMode; }

    QSharedPointer<VEXA3D_MEASUREMENT_DATA_T> data() const { return m_data; }
    const VEXA3D_SPEC_T &spec() const { return m_spec; }

    // Bytes of one serialised record, or -1 for a geometry whose record would exceed
    // VEXA3D_MAX_RECORD_BYTES (the record is then left empty and reads and writes fail).
    static int byteSizeFor(const VEXA3D_SPEC_T &spec);

private:
    QSharedPointer<VEXA3D_MEASUREMENT_DATA_T> m_data;
    VEXA3D_SPEC_T m_spec;
    int m_byteSize = 0;
    quint8 m_echoCount = 0;
    int m_emphasisMode = -1;
    int m_emphasisMotorField = -1;
    int m_emphasisRemField = -1;
    int m_emphasisLine = -1;
    int m_emphasisSpot = -1;
};
