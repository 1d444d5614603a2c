#pragma once

#include "SensorRecordFactory.h"

class QObject;
class ScanManager;

// Kinds of connection, as the add menu offers them.
enum ConnectionKind
{
    LiveSensorConnection = 1,
    LogPlayerConnection = 2
};

// Builds the record a log player hands on from a record read from a log.
class ConnectionRecordFactory : public SensorRecordFactory
{
public:
    QSharedPointer<SensorData> createRecord(const QSharedPointer<SensorData> &record) const override;
};

// Creates the scan manager of a connection kind.
class ConnectionFactory
{
public:
    // A log player for its kind, a live sensor for every other kind.
    ScanManager *createManager(int kind, QObject *parent) const;
};
