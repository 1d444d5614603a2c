#pragma once

#include "ComboBoxProperty.h"
#include "DRALScanManager.h"
#include "IntegerProperty.h"
#include "SimulatorSupport.h"
#include "StringProperty.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

// Mirrors the signals the controller emits on the device's streaming thread on the test's thread.
// QSignalSpy connects directly, so spying on them would race with the test's own reads of the spy.
class StreamRelay : public QObject
{
    Q_OBJECT
public:
    explicit StreamRelay(ScanManager *manager, QObject *parent = nullptr) : QObject(parent)
    {
        const auto q = Qt::QueuedConnection;
        connect(manager, &ScanManager::measurementDataReady, this, &StreamRelay::measurementDataReady, q);
        connect(manager, &ScanManager::dralMeasurementDataReady, this, &StreamRelay::dralMeasurementDataReady,
                q);
        connect(manager, &ScanManager::setRaySpot, this, &StreamRelay::setRaySpot, q);
    }

signals:
    void measurementDataReady(QSharedPointer<MeasurementData> data);
    void dralMeasurementDataReady(int index, QSharedPointer<DRALMeasurementData> data);
    void setRaySpot(int vField, int hField, int line, int spot);
};

namespace ControllerTest {

using namespace SimulatorSupport;

// The simulator on a loopback port inside the "Port" property's range, and a controller pointed at it.
struct Rig
{
    explicit Rig(const Vexa3dSim::Config &config = Vexa3dSim::Config()) : sim(config) {}

    bool startSimulator()
    {
        if (!startInPortRange(sim))
            return false;
        manager->setDeviceName(QStringLiteral("127.0.0.1"));
        manager->setDevicePort(sim.port());
        return manager->portProperty()->intValue() == sim.port();
    }

    // Connects, starting the simulator first when it is not running, and waits for the initialisation.
    bool connectAndInitialize(int timeoutMs = 10000)
    {
        if (!sim.isRunning() && !startSimulator())
            return false;
        QSignalSpy initialized(manager.get(), &ScanManager::initialized);
        manager->connectRequested();
        return initialized.wait(timeoutMs);
    }

    bool disconnect(int timeoutMs = 10000)
    {
        QSignalSpy disconnected(manager.get(), &ScanManager::disconnected);
        manager->disconnectRequested();
        return disconnected.count() == 1 || disconnected.wait(timeoutMs);
    }

    Vexa3dSim::SensorSimulator sim;
    std::unique_ptr<DRALScanManager> manager = std::make_unique<DRALScanManager>();
    StreamRelay relay{manager.get()};
};

// The room without its moving object, so that every frame shows the same echoes.
inline Vexa3dSim::Config stillScene()
{
    Vexa3dSim::Config config;
    config.movingObject = false;
    return config;
}

// The commands of the log that start or stop a data kind, in order.
inline QStringList dataCommands(const std::vector<std::string> &log)
{
    return commandsStartingWith(log, {"DAT:"});
}

inline QStringList startCommands(const std::vector<std::string> &log)
{
    return dataCommands(log).filter(QRegularExpression(QStringLiteral("=1$")));
}

// Echoes the record turns into points.
inline int validEchoes(const VEXA3D_MEASUREMENT_DATA_T &line)
{
    int n = 0;
    const int spots = qMin<int>(line.receivedSpotCount, int(line.spots.size()));
    for (int s = 0; s < spots; ++s) {
        const VEXA3D_SPOT_T &spot = line.spots[size_t(s)];
        const int echoes = qMin<int>(int(spot.count), int(spot.echoes.size()));
        for (int e = 0; e < echoes; ++e)
            if (spot.echoes[size_t(e)].range > 0.0)
                ++n;
    }
    return n;
}

} // namespace ControllerTest
