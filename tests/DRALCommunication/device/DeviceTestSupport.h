#pragma once

#include "DRALCommunicationDevice.h"
#include "EthernetConnectionCheck.h"
#include "SensorSimulator.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// Mirrors signals of other threads on the test's thread, where QSignalSpy can watch them. The calls
// cross through a mutex and a timer on this thread rather than Qt's event queue: the system's Qt is
// not built for ThreadSanitizer, so a hand-over through its queue looks like a race.
class RelayBase : public QObject
{
public:
    explicit RelayBase(QObject *parent = nullptr) : QObject(parent)
    {
        connect(&m_timer, &QTimer::timeout, this, &RelayBase::drain);
        m_timer.start(2);
    }

    void drain()
    {
        std::vector<std::function<void()>> calls;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            calls.swap(m_calls);
        }
        for (const auto &call : calls)
            call();
    }

protected:
    void post(std::function<void()> call)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.push_back(std::move(call));
    }

private:
    std::mutex m_mutex;
    std::vector<std::function<void()>> m_calls;
    QTimer m_timer;
};

class DeviceRelay : public RelayBase
{
    Q_OBJECT
public:
    explicit DeviceRelay(DRALCommunicationDevice *device, QObject *parent = nullptr)
        : RelayBase(parent), m_device(device)
    {
        using D = DRALCommunicationDevice;
        const auto d = Qt::DirectConnection;
        connect(
            device, &D::errorCodeChanged, this, [this](int c) { post([=] { emit errorCodeChanged(c); }); },
            d);
        connect(
            device, &D::deviceInitialized, this,
            [this](VEXA3D_SENSOR_INFO_T i) { post([=] { emit deviceInitialized(i); }); }, d);
        connect(
            device, &D::deviceOpened, this,
            [this](QByteArray a, int p) { post([=] { emit deviceOpened(a, p); }); }, d);
        connect(
            device, &D::deviceClosed, this, [this] { post([=] { emit deviceClosed(); }); }, d);
        connect(
            device, &D::initializationError, this, [this] { post([=] { emit initializationError(); }); }, d);
        connect(
            device, &D::measurementStarted, this,
            [this](MeasurmentModes m) { post([=] { emit measurementStarted(m); }); }, d);
        connect(
            device, &D::measurementDataReady, this,
            [this](QSharedPointer<DRALMeasurementData> r) { post([=] { emit measurementDataReady(r); }); },
            d);
        connect(
            device, &D::measurementStopped, this, [this] { post([=] { emit measurementStopped(); }); }, d);
        connect(
            device, &D::auxiliaryDataReady, this,
            [this](QSharedPointer<DRALAuxiliaryData> r) { post([=] { emit auxiliaryDataReady(r); }); }, d);
        connect(
            device, &D::errorDetected, this,
            [this](int c, QString m) { post([=] { emit errorDetected(c, m); }); }, d);
        connect(
            device, &D::connectionLost, this, [this](int c) { post([=] { emit connectionLost(c); }); }, d);
    }
    // Joins the device's streaming thread before its connections and queued calls go away.
    ~DeviceRelay() override
    {
        if (m_device) {
            m_device->stopMeasurement();
            disconnect(m_device, nullptr, this, nullptr);
        }
    }

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
    void connectionLost(int errorCode);

private:
    QPointer<DRALCommunicationDevice> m_device;
};

class CheckRelay : public RelayBase
{
    Q_OBJECT
public:
    explicit CheckRelay(EthernetConnectionCheck *check, QObject *parent = nullptr)
        : RelayBase(parent), m_check(check)
    {
        using C = EthernetConnectionCheck;
        const auto d = Qt::DirectConnection;
        connect(
            check, &C::connected, this, [this] { post([=] { emit connected(); }); }, d);
        connect(
            check, &C::connectionFailed, this, [this] { post([=] { emit connectionFailed(); }); }, d);
        connect(
            check, &C::progress, this, [this](int v) { post([=] { emit progress(v); }); }, d);
    }
    ~CheckRelay() override
    {
        if (m_check) {
            m_check->stop();
            disconnect(m_check, nullptr, this, nullptr);
        }
    }

signals:
    void connected();
    void connectionFailed();
    void progress(int value);

private:
    QPointer<EthernetConnectionCheck> m_check;
};

namespace DeviceTest {

inline int countOf(const std::vector<std::string> &log, const std::string &command)
{
    return int(std::count(log.begin(), log.end(), command));
}

// The commands of the log that start, stop or set something, in order.
inline QStringList controlCommands(const std::vector<std::string> &log)
{
    QStringList out;
    for (const std::string &c : log)
        if (c.rfind("DAT:", 0) == 0 || c.rfind("SET:", 0) == 0 || c == "RST")
            out << QString::fromStdString(c);
    return out;
}

// A loopback port on which nothing listens (the simulator's, after it stopped).
inline int closedPort()
{
    Vexa3dSim::SensorSimulator sim;
    if (!sim.start())
        return 1;
    const int port = sim.port();
    sim.stop();
    return port;
}

} // namespace DeviceTest
