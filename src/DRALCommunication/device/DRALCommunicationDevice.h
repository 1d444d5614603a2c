#pragma once

#include "MeasurmentModes.h"
#include "MetaTypes.h"
#include "Vexa3dTypes.h"

#include <QByteArray>
#include <QFuture>
#include <QSharedPointer>
#include <QString>
#include <QThread>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

class Vexa3dSensor;

// One live sensor as a Qt object. The device is itself the streaming thread; initialisation runs as
// a one-shot job on the global thread pool. The sensor is used by one thread at a time: every
// operation below first stops the streaming thread and waits for a running initialisation.
class DRALCommunicationDevice : public QThread
{
    Q_OBJECT
    Q_PROPERTY(int errorCode READ errorCode WRITE setErrorCode NOTIFY errorCodeChanged)

public:
    explicit DRALCommunicationDevice(QObject *parent = nullptr);
    ~DRALCommunicationDevice() override;

    bool connectDevice(const QByteArray &address, int port);
    bool disconnectDevice();
    // Starts the initialisation on the global thread pool and returns at once.
    void initialize();
    void startMeasurement(int mode);
    void stopMeasurement();

    bool setHorizontalInterlace(int value);
    bool setVerticalInterlace(int value);
    int horizontalInterlace();
    int verticalInterlace();

    int errorCode() const { return m_errorCode.load(); }
    bool isConnected() const { return m_connected.load(); }
    QByteArray address() const;
    int port() const;
    VEXA3D_SENSOR_INFO_T sensorInfo() const;
    int mode() const { return m_mode.load(); }

    // How long the sensor may report "preparing" before a readiness check fails (the sensor's own
    // default when never set). Tests shorten it.
    void setReadyTimeout(int milliseconds);

signals:
    void errorCodeChanged(int errorCode);
    void deviceInitialized(VEXA3D_SENSOR_INFO_T info);
    void deviceOpened(QByteArray device, int port);
    void deviceClosed();
    void initializationError();
    void measurementStarted(MeasurmentModes mode);
    void measurementDataReady(QSharedPointer<DRALMeasurementData> data);
    void measurementStopped();
    void auxiliaryDataReady(QSharedPointer<DRALAuxiliaryData> data);
    void errorDetected(int code, QString message);

public slots:
    void setErrorCode(int errorCode);
    bool restart();

protected:
    void run() override;

private:
    void runInitialization();
    // Interrupts and joins the streaming thread; true when it was running.
    bool stopStreaming();
    void startStreaming();
    // Waits for a running initialisation job; abort makes it give up at its next attempt.
    void waitForInitialization(bool abort = false);
    int closeLocked();
    bool setInterlace(int value, bool vertical);
    int interlace(bool vertical);
    bool protocolIsVersion1() const;

    // Serialises the operations of the calling threads (main thread, connection check).
    std::mutex m_controlMutex;
    // Held by whichever thread uses the sensor: the streaming thread for its whole run, the
    // initialisation job for its whole run, a caller for the duration of one command.
    std::mutex m_sensorMutex;
    // Guards the copies the calling threads read while the sensor is busy elsewhere.
    mutable std::mutex m_stateMutex;

    std::unique_ptr<Vexa3dSensor> m_sensor;
    std::unique_ptr<VEXA3D_MEASUREMENT_DATA_T> m_line;
    std::unique_ptr<VEXA3D_AUXILIARY_DATA_T> m_auxiliary;
    std::vector<char> m_payload;

    std::atomic<int> m_errorCode{0};
    std::atomic<int> m_mode{StopMeasurementMode};
    std::atomic<bool> m_connected{false};
    std::atomic<bool> m_initialized{false}; // the sensor read its information and tables
    VEXA3D_SENSOR_INFO_T m_info;
    QByteArray m_address = "192.168.0.10";
    int m_port = 10940;

    // Counted at the very end of each streaming run and initialisation job and read after joining
    // them, so that everything those threads did is ordered before what the joining thread does next
    // (QThread::wait and QFuture alone do not make that visible to ThreadSanitizer).
    std::atomic<unsigned> m_runsFinished{0};
    std::atomic<unsigned> m_initializationsFinished{0};

    QFuture<void> m_initialization;
    std::atomic<bool> m_abortInitialization{false};
    std::atomic<QThread *> m_initializationThread{nullptr};
};
