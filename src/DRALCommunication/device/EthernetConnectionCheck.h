#pragma once

#include <QByteArray>
#include <QThread>

#include <atomic>

class DRALCommunicationDevice;

// Keeps trying to open the device's connection: a number of attempts a pause apart, with progress
// in percent, until it connects, runs out of attempts or is stopped.
class EthernetConnectionCheck : public QThread
{
    Q_OBJECT

public:
    static constexpr int DefaultAttempts = 20;
    static constexpr int DefaultRetryPauseMs = 1000;

    explicit EthernetConnectionCheck(DRALCommunicationDevice *device, QObject *parent = nullptr);
    ~EthernetConnectionCheck() override;

    // Read by the thread: change them only while it is not running.
    void setAddress(const QByteArray &address) { m_address = address; }
    QByteArray address() const { return m_address; }
    void setPort(int port) { m_port = port; }
    int port() const { return m_port; }
    void setAttempts(int attempts) { m_attempts = attempts; }
    int attempts() const { return m_attempts; }
    void setRetryPause(int milliseconds) { m_retryPauseMs = milliseconds; }
    int retryPause() const { return m_retryPauseMs; }

    // Clears the stop flag and starts the thread unless it runs.
    void start();
    // Sets the stop flag and waits for the thread.
    void stop();
    bool isStopRequested() const { return m_stop.load(); }

signals:
    void connected();
    void connectionFailed();
    void progress(int value);

protected:
    void run() override;

private:
    void fail();

    DRALCommunicationDevice *m_device;
    QByteArray m_address = "192.168.0.10";
    int m_port = 10940;
    int m_attempts = DefaultAttempts;
    int m_retryPauseMs = DefaultRetryPauseMs;
    std::atomic<bool> m_stop{false};
    // Released at the end of run and acquired after joining, so the join is visible to ThreadSanitizer.
    std::atomic<unsigned> m_runsFinished{0};
};
