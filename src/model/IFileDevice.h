#pragma once

#include "SensorData.h"
#include "Vexa3dTypes.h"

#include <QSharedPointer>
#include <QString>
#include <QVector3D>

// Header data of one record of a log file.
struct FileRecordInfo
{
    qint64 fileOffset = 0;
    int connectionIndex = 0;
    quint8 payloadKind = 0;
    quint32 payloadLength = 0;
    QVector3D position;
    QVector3D rotation;
    QString dateTime;
};

// A log file format: open, index in the background, read the record at an index.
class IFileDevice
{
public:
    virtual ~IFileDevice() = default;

    virtual QString fileSuffix() const = 0;
    virtual bool openFile(const QString &fileName) = 0;
    virtual void closeFile() = 0;
    virtual void initialize() = 0;
    virtual int recordCount() const = 0;
    virtual bool seekRecord(int index) = 0;
    // The connection index on success, -1 at the end, -2 on a read error.
    virtual int readRecord(QSharedPointer<SensorData> &record, QVector3D &position, QVector3D &rotation,
                           bool advance) = 0;
    virtual int connectionCount() const = 0;
    virtual qint64 currentIndex() const = 0;
    virtual qint64 currentTimestamp() const = 0;
    virtual QString currentLogTime() const = 0;
    virtual FileRecordInfo firstRecordInfo() const = 0;
    virtual FileRecordInfo lastRecordInfo() const = 0;
    virtual bool atEnd() const = 0;
    virtual VEXA3D_SENSOR_INFO_T sensorInfo() const = 0;
};
