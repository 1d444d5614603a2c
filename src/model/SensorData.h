#pragma once

#include <QList>
#include <QVector3D>
#include <QVector>
#include <QtGlobal>

class QDataStream;
class QObject;
class AbstractColorModel;
class AbstractDataFilter;

// Root of every record a device delivers. Records travel as QSharedPointer and are not changed after
// they are emitted, except by filters on the receiving side.
class SensorData
{
public:
    virtual ~SensorData() = default;

    virtual bool readFrom(QDataStream &stream);
    virtual bool writeTo(QDataStream &stream) const;
    virtual int byteSize() const;
    virtual int dataType() const;
    virtual qint64 timestamp() const;
};

// One measurement line.
class MeasurementData : public SensorData
{
public:
    virtual QVector<QVector3D> points() const;
    virtual QVector<QVector3D> colors(const AbstractColorModel *colorModel) const;
    virtual void applyFilter(AbstractDataFilter *filter);
    virtual void applyFilters(const QList<AbstractDataFilter *> &filters);
    virtual void setSharedContext(QObject *context);
};

// One inertial packet.
class AuxiliaryData : public SensorData
{
};
