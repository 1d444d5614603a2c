#pragma once

#include "IFileDevice.h"
#include "MetaTypes.h"
#include "SensorData.h"
#include "Vexa3dTypes.h"

#include <QMap>
#include <QSharedPointer>
#include <QThread>
#include <QVector3D>

#include <atomic>

class QElapsedTimer;

// The playback engine: opens a log with the device registered for its suffix and, on its own thread,
// emits the records one after another, paced by their time stamps and the play speed.
class FileCommunicationDevice : public QThread
{
    Q_OBJECT
public:
    explicit FileCommunicationDevice(QObject *parent = nullptr);
    ~FileCommunicationDevice() override;

    void registerDevice(const QSharedPointer<IFileDevice> &device);
    // False (and deviceClosed) when no device handles the suffix or the file does not open.
    [[nodiscard]] bool open(const QString &fileName);
    void close();
    void initialize();
    int recordCount() const;
    int connectionCount() const;
    FileRecordInfo firstRecordInfo() const;
    FileRecordInfo lastRecordInfo() const;
    QString fileName() const { return m_fileName; }
    QSharedPointer<IFileDevice> currentDevice() const { return m_device; }

    void play();
    void pause();
    void stop();
    void setPosition(int position);
    void setLoop(bool loop) { m_loop = loop; }
    bool isLooping() const { return m_loop; }
    float playSpeed() const { return m_playSpeed; }

public slots:
    void setPlaySpeed(float speed);

signals:
    void errorCodeChanged(int errorCode);
    void deviceInitialized(VEXA3D_SENSOR_INFO_T info);
    void readingUpdate(int pos, qlonglong time, QString logTime);
    void deviceOpened(QString filename);
    void deviceClosed();
    void initializationError();
    void sensorDataReady(int index, QSharedPointer<SensorData> data, QVector3D position, QVector3D rotation);
    void errorDetected(int code, QString message);
    void playStarted();
    void paused();
    void reachedEnd();
    void stopped();
    void currentPositionChanged(qlonglong pos);
    void initialPosNotify(QVector3D position, QVector3D rotation);
    // The open log is damaged past some point; the GUI shows this as a warning box.
    void corruptionFound(QString title, QString message);

protected:
    void run() override;

private:
    void stopThread();
    void emitPosition();
    // Sleeps until the timer reaches deadlineNs, waking early and polling the last fraction of a millisecond.
    void waitUntil(const QElapsedTimer &timer, qint64 deadlineNs);

    QMap<QString, QSharedPointer<IFileDevice>> m_registry;
    QSharedPointer<IFileDevice> m_device;
    QString m_fileName;
    std::atomic<bool> m_pause{false};
    std::atomic<bool> m_atEnd{true};
    std::atomic<bool> m_loop{false};
    std::atomic<float> m_playSpeed{1.0f};
};
