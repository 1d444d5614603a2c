#pragma once

#include "RecorderFactory.h"
#include "Vexa3dTypes.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSharedPointer>
#include <QVector3D>
#include <mutex>

class DataRecorder;
class DataRecorderSource;
class PropertyItem;
class QAction;
class SensorData;

// Owns the recorders, shows them under one "Recorders" node and feeds them the frames of the source.
class RecorderManager : public QObject
{
    Q_OBJECT
public:
    // One recorder of every kind this build can record.
    explicit RecorderManager(QObject *parent = nullptr);
    // One recorder of each of the given kinds; "Add Recorder" adds one of each again.
    RecorderManager(const QList<RecorderFactory::RecorderType> &types, QObject *parent);
    ~RecorderManager() override;

    void setSource(DataRecorderSource *source);
    DataRecorderSource *source() const { return m_source.data(); }
    void stopAllRecorders();

    PropertyItem *rootProperty() const { return m_root; }
    QList<DataRecorder *> recorders() const;
    QAction *addAction() const { return m_addAction; }
    QAction *removeAction() const { return m_removeAction; }
    QAction *startAction() const { return m_startAction; }
    QAction *stopAction() const { return m_stopAction; }

public slots:
    void retranslate();

signals:
    void informationBroadCast(QString message);
    void warningBroadCast(QString message);
    void errorBroadCast(QString message);
    void languageChanged();
    void setSensorInfo(VEXA3D_SENSOR_INFO_T info);

private slots:
    void addRecorder(RecorderFactory::RecorderType type);
    void removeRecorder();
    void managerStarted();
    void managerStopped();

private:
    void registerRecorderType(RecorderFactory::RecorderType type);
    // Runs on the thread that emits the frame (a device's streaming thread for a live connection).
    void dispatch(uint index, const QSharedPointer<SensorData> &data, QVector3D position, QVector3D rotation);

    PropertyItem *m_root = nullptr;
    QList<DataRecorder *> m_recorders; // guarded by m_recordersMutex
    mutable std::mutex
        m_recordersMutex; // read on the source's thread too; a standard mutex for the race checker
    QAction *m_addAction = nullptr;
    QAction *m_removeAction = nullptr;
    QAction *m_startAction = nullptr;
    QAction *m_stopAction = nullptr;
    QPointer<DataRecorderSource> m_source;
    RecorderFactory m_factory;
};
