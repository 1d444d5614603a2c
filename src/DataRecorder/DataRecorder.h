#pragma once

#include "FileRecord.h"
#include "RecorderWorker.h"
#include "Vexa3dTypes.h"

class IntegerProperty;
class PropertyItem;
class QAction;

// A recorder: a thread that writes the frames it is given, shown as a node of the property tree.
class DataRecorder : public RecorderWorker
{
    Q_OBJECT
public:
    explicit DataRecorder(QObject *parent = nullptr);
    ~DataRecorder() override;

    virtual QString displayName() const = 0;
    virtual QString typeKey() const = 0;
    // The recorder's node; its kind adds its settings and, where it wants it, the record count.
    virtual PropertyItem *rootProperty() const { return m_root; }
    IntegerProperty *recordCountProperty() const { return m_count; }
    QAction *startAction() const { return m_startAction; }
    QAction *stopAction() const { return m_stopAction; }

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
    // Start and Stop on the node, the count of written records, and the settings locked while recording.
    // Called at the end of a kind's constructor, once its settings exist.
    void wireControls();
    // The texts every recorder's controls share.
    void retranslateControls();
    // True while the thread runs; says so when it is still writing what was queued before a Stop.
    bool refuseStartWhileRunning();
    // Settings of the kind that must not change while a file is written.
    virtual void lockSettings(bool locked) { Q_UNUSED(locked); }

    PropertyItem *m_root = nullptr;
    IntegerProperty *m_count = nullptr;
    QAction *m_startAction = nullptr;
    QAction *m_stopAction = nullptr;

    // Empty texts and the default scan geometry until a sensor reports.
    VEXA3D_SENSOR_INFO_T sensorInfo{};
};
