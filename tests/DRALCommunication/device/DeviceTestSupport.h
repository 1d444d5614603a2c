#pragma once

#include "DRALCommunicationDevice.h"
#include "EthernetConnectionCheck.h"
#include "SensorSimulator.h"

#include <QObject>
#include <QStringList>

#include <algorithm>
#include <string>
#include <vector>

// Mirrors the device's signals on the test's thread. QSignalSpy connects directly, so spying on a
// signal that another thread emits would race with the test's own reads of the spy.
class DeviceRelay : public QObject
{
    Q_OBJECT
public:
    explicit DeviceRelay(DRALCommunicationDevice *device, QObject *parent = nullptr) : QObject(parent)
    {
        using D = DRALCommunicationDevice;
        const auto q = Qt::QueuedConnection;
        connect(device, &D::errorCodeChanged, this, &DeviceRelay::errorCodeChanged, q);
        connect(device, &D::deviceInitialized, this, &DeviceRelay::deviceInitialized, q);
        connect(device, &D::deviceOpened, this, &DeviceRelay::deviceOpened, q);
        connect(device, &D::deviceClosed, this, &DeviceRelay::deviceClosed, q);
        connect(device, &D::initializationError, this, &DeviceRelay::initializationError, q);
        connect(device, &D::measurementStarted, this, &DeviceRelay::measurementStarted, q);
        connect(device, &D::measurementDataReady, this, &DeviceRelay::measurementDataReady, q);
        connect(device, &D::measurementStopped, this, &DeviceRelay::measurementStopped, q);
        connect(device, &D::auxiliaryDataReady, this, &DeviceRelay::auxiliaryDataReady, q);
        connect(device, &D::errorDetected, this, &DeviceRelay::errorDetected, q);
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
};

class CheckRelay : public QObject
{
    Q_OBJECT
public:
    explicit CheckRelay(EthernetConnectionCheck *check, QObject *parent = nullptr) : QObject(parent)
    {
        using C = EthernetConnectionCheck;
        connect(check, &C::connected, this, &CheckRelay::connected, Qt::QueuedConnection);
        connect(check, &C::connectionFailed, this, &CheckRelay::connectionFailed, Qt::QueuedConnection);
        connect(check, &C::progress, this, &CheckRelay::progress, Qt::QueuedConnection);
    }

signals:
    void connected();
    void connectionFailed();
    void progress(int value);
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
