#pragma once

#include "SensorData.h"

#include <QObject>
#include <QSharedPointer>
#include <QVector3D>

// Where recorders get their frames from: one frame of a connection with the sensor's pose in the scene.
class DataRecorderSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~DataRecorderSource() override = default;

    virtual int connectionCount() const = 0;
    virtual bool isRecordingAllowed() const = 0;

signals:
    void sourceDataReady(uint index, QSharedPointer<SensorData> data, QVector3D position, QVector3D rotation);
};
