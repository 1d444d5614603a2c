#pragma once

#include "FileRecord.h"
#include "RecorderWorker.h"
#include "Vexa3dTypes.h"

class PropertyItem;

// A recorder: a thread that writes the frames it is given, shown as a node of the property tree.
class DataRecorder : public RecorderWorker
{
    Q_OBJECT
public:
    explicit DataRecorder(QObject *parent = nullptr);
    ~DataRecorder() override;

    virtual QString displayName() const = 0;
    virtual QString typeKey() const = 0;
    virtual PropertyItem *rootProperty() const = 0;

    const VEXA3D_SENSOR_INFO_T &currentSensorInfo() const { return sensorInfo; }

public slots:
    virtual void retranslate() = 0;
    virtual void addRecord(FileRecord::file_record_t record);
    virtual void startRecording() = 0;
    virtual void stopRecording();
    virtual void setSensorInfo(VEXA3D_SENSOR_INFO_T info);

signals:
    void recordingStarted();
    void recordingStopped();

protected:
    // Empty texts and the default scan geometry until a sensor reports.
    VEXA3D_SENSOR_INFO_T sensorInfo{};
};
