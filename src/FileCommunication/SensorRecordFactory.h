#pragma once

#include "SensorData.h"

#include <QSharedPointer>

// Turns a record read from a log into the record type a player connection hands on.
class SensorRecordFactory
{
public:
    virtual ~SensorRecordFactory() = default;
    virtual QSharedPointer<SensorData> createRecord(const QSharedPointer<SensorData> &record) const = 0;
};
