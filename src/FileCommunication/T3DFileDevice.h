#pragma once

#include "LogFileDevice.h"
#include "T3DFile.h"

// The legacy ".t3d" log: a 13-byte head, then records with 104-byte headers.
class T3DFileDevice : public LogFileDevice
{
    Q_OBJECT
public:
    explicit T3DFileDevice(QObject *parent = nullptr);
    ~T3DFileDevice() override;

    QString fileSuffix() const override { return QStringLiteral("t3d"); }
    bool openFile(const QString &fileName) override;
    VEXA3D_SENSOR_INFO_T sensorInfo() const override { return T3DFile::sensorInfo(); }

protected:
    LogIndex walkFrom(QIODevice &device) const override;
    bool readAt(qint64 offset, QSharedPointer<SensorData> &frame, FileRecordInfo &header) override;
    qint64 headerSize() const override { return qint64(sizeof(T3D_SCAN_HEADER)); }

private:
    T3D_FILE_HEAD m_head;
};
