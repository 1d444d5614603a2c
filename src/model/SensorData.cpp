#include "SensorData.h"

bool SensorData::readFrom(QDataStream &)
{
    return false;
}

bool SensorData::writeTo(QDataStream &) const
{
    return false;
}

int SensorData::byteSize() const
{
    return 0;
}

int SensorData::dataType() const
{
    return 0;
}

qint64 SensorData::timestamp() const
{
    return 0;
}

QVector<QVector3D> MeasurementData::points() const
{
    return {};
}

QVector<QVector3D> MeasurementData::colors(const AbstractColorModel *) const
{
    return {};
}

void MeasurementData::applyFilter(AbstractDataFilter *) {}

void MeasurementData::applyFilters(const QList<AbstractDataFilter *> &) {}

void MeasurementData::setSharedContext(QObject *) {}
