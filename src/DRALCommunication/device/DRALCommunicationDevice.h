#pragma once

#include "MeasurmentModes.h"
#include "MetaTypes.h"
#include "Vexa3dTypes.h"

#include <QByteArray>
#include <QSharedPointer>
#include <QString>
#include <QThread>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class Vexa3dSensor;

// One live sensor as a Qt object. The device is itself the streaming thread; initialisation runs as
// a one-shot job on a thread of its own. The sensor is used by one thread at a time. Calls made while
// the initialisation runs never wait for it: interlace and mode changes are refused (the controller
// applies them once the sensor is ready), while connect, disconnect and destruction make it give up at
// once. Every wait on the sensor looks at the abort flag at least every 10 ms.
//
// The streaming thread notices a lost connection (the peer closed or reset it, or no data packet came
// for dataTimeout() while data kinds are started): it closes the connection and emits connectionLost().
class DRALCommunicationDevice : public QThread
{
    Q_OBJECT
    Q_PROPERTY(int errorCode READ errorCode WRITE setErrorCode NOTIFY errorCodeChanged)

public:
    explicit DRALCommunicationDevice(QObject *parent = nullptr);
    ~DRALCommunicationDevice() override;

    bool connectDevice(const QByteArray &address, int port);
    bool disconnectDevice();
    // Starts the initialisation on its own thread and returns at once.
    void initialize();
    bool isInitializing() const { return m_initializing.load(); }
    void startMeasurement(int mode);
    void stopMeasurement();
    // Stops streaming waiting only briefly for the sensor to confirm the stop commands: for closing,
    // when a silent sensor must not hold anyone up.
    void abortMeasurement();
    // Makes whatever waits on the sensor now, on any thread, give up (an open, an initialisation, a
    // command); for a disconnect that must not wait for a silent sensor. Never blocks.
    void abortWaits() { m_abort.store(true); }

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
    // How long streaming may go without a data packet before the connection counts as lost.
    static constexpr int DefaultDataTimeoutMs = 3000;
    void setDataTimeout(int milliseconds) { m_dataTimeoutMs.store(qMax(1, milliseconds)); }
    int dataTimeout() const { return m_dataTimeoutMs.load(); }
    // The interlace counts in force on the sensor as last read or set (0 before initialisation).
    int currentHorizontalInterlace() const { return m_currentHorizontal.load(); }
    int currentVerticalInterlace() const { return m_currentVertical.load(); }
    // Measurement packets the decoder dropped since the connection opened.
    quint64 discardedPackets() const { return m_discardedPackets.load(); }

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
    // The connection broke while streaming (error code as in errorCode()); it is closed already.
    void connectionLost(int errorCode);

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
    // Joins a finished or running initialisation; abort makes a running one give up at once.
    void joinInitialization(bool abort);
    int closeLocked();
    bool setInterlace(int value, bool vertical);
    int interlace(bool vertical);
    bool protocolIsVersion1() const;
    void noteSensorState();
    // Streaming thread, with the sensor held: closes the broken connection.
    void loseConnection();

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

    // Counted at the very end of each streaming run and read after joining it, so that everything the
    // thread did is ordered before what the joining thread does next (QThread::wait alone does not make
    // that visible to ThreadSanitizer).
    std::atomic<unsigned> m_runsFinished{0};

    std::thread m_initialization;
    std::atomic<bool> m_initializing{false};
    // Ends the waits of the sensor: set to abandon an initialisation, or to stop streaming without
    // waiting for the sensor's replies before the connection closes.
    std::atomic<bool> m_abort{false};
    std::atomic<int> m_dataTimeoutMs{DefaultDataTimeoutMs};
    std::atomic<int> m_currentHorizontal{0};
    std::atomic<int> m_currentVertical{0};
    std::atomic<quint64> m_discardedPackets{0};
};
