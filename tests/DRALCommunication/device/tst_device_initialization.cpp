#include "CrossThreadSpy.h"
#include "DRALCommunicationDevice.h"
#include "SimulatorSupport.h"
#include "TestSupport.h"

#include <QtTest>

#include <cstring>
#include <memory>

using namespace SimulatorSupport;

class tst_DeviceInitialization : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void initializeAndRestart_data()
    {
        QTest::addColumn<QString>("protocol");
        QTest::addColumn<int>("spots");
        QTest::addColumn<bool>("reboots");
        QTest::newRow("protocol 2.3 reports its geometry and reboots") << "2.3" << 90 << true;
        QTest::newRow("protocol 1.0 has the default geometry, no reboot") << "1.0" << 74 << false;
    }

    void initializeAndRestart()
    {
        // A ready sensor yields deviceInitialized with its identity and geometry, also via sensorInfo().
        // restart() sends "RST" while streaming and ends disconnected; a 1.x sensor is left alone.
        QFETCH(QString, protocol);
        QFETCH(int, spots);
        QFETCH(bool, reboots);

        Vexa3dSim::Config config;
        config.identity.protocol = protocol.toStdString();
        config.geometry.spotCount = uint16_t(spots);
        config.preparingMs = 100; // a short "099" phase is waited out
        Vexa3dSim::SensorSimulator sim(config);
        QVERIFY(sim.start());
        DRALCommunicationDevice device;
        CrossThreadSpy initialized(&device, &DRALCommunicationDevice::deviceInitialized);
        CrossThreadSpy failed(&device, &DRALCommunicationDevice::initializationError);
        CrossThreadSpy closed(&device, &DRALCommunicationDevice::deviceClosed);
        CrossThreadSpy stopped(&device, &DRALCommunicationDevice::measurementStopped);

        QVERIFY(!device.restart()); // not initialised yet
        QVERIFY(device.connectDevice("127.0.0.1", sim.port()));
        device.initialize();
        QTRY_COMPARE(initialized.count(), 1);
        QCOMPARE(failed.count(), 0);
        const auto info = qvariant_cast<VEXA3D_SENSOR_INFO_T>(initialized.at(0).at(0));
        QCOMPARE(QByteArray(info.product), QByteArray("VX3D-SIM"));
        QCOMPARE(QByteArray(info.protocol), protocol.toLatin1());
        QCOMPARE(int(info.spec.spotCount), spots);
        const VEXA3D_SENSOR_INFO_T stored = device.sensorInfo();
        QCOMPARE(std::memcmp(&stored, &info, sizeof info), 0);
        QCOMPARE(device.errorCode(), 0);

        device.startMeasurement(DistanceIntensityMode);
        QVERIFY(sim.waitForLines(3, 3000));
        sim.clearCommandLog();
        QCOMPARE(device.restart(), reboots);
        if (reboots) {
            QCOMPARE(controlCommands(sim.commandLog()), QStringList({"DAT:ri=0", "RST"}));
            QVERIFY(!device.isConnected());
            QTRY_COMPARE(closed.count(), 1);
            QTRY_COMPARE(stopped.count(), 1);
            QVERIFY(!device.isRunning());
        } else {
            QVERIFY(controlCommands(sim.commandLog()).isEmpty());
            QVERIFY(device.isConnected());
            QVERIFY(device.isRunning());
            QCOMPARE(closed.count(), 0);
        }
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("refused");
        QTest::addColumn<int>("preparingMs");
        QTest::addColumn<QString>("rangeStat");
        QTest::addColumn<int>("expectedCode");
        QTest::addColumn<QString>("countedCommand");
        QTest::addColumn<int>("expectedCount");

        // Each stop attempt ends at the first refused "DAT:ro=0", ten attempts in all.
        QTest::newRow("stop commands refused") << QStringList{"DAT:"} << 0 << "000" << -1 << "DAT:ro=0" << 10;
        QTest::newRow("version refused") << QStringList{"VER"} << 0 << "000" << -1 << "VER" << 10;
        QTest::newRow("stays preparing past its budget")
            << QStringList() << 600000 << "000" << -2 << "VER" << 1;
        QTest::newRow("range status error") << QStringList() << 0 << "105" << -1 << "VER" << 1;
    }

    void failures()
    {
        // Every retry loop gives up after its ten attempts with the last code and initializationError().
        QFETCH(QStringList, refused);
        QFETCH(int, preparingMs);
        QFETCH(QString, rangeStat);
        QFETCH(int, expectedCode);
        QFETCH(QString, countedCommand);
        QFETCH(int, expectedCount);

        Vexa3dSim::Config config;
        config.preparingMs = preparingMs; // counted from the connection on
        config.statRangeCode = rangeStat.toStdString();
        Vexa3dSim::SensorSimulator sim(config);
        QVERIFY(sim.start());
        DRALCommunicationDevice device;
        device.setReadyTimeout(40);
        CrossThreadSpy initialized(&device, &DRALCommunicationDevice::deviceInitialized);
        CrossThreadSpy failed(&device, &DRALCommunicationDevice::initializationError);
        CrossThreadSpy changed(&device, &DRALCommunicationDevice::errorCodeChanged);
        QVERIFY(device.connectDevice("127.0.0.1", sim.port()));

        // Refusals apply after the connection opened (opening stops the data kinds as well).
        for (const QString &prefix : refused)
            config.faults.refusedCommands.push_back(prefix.toStdString());
        sim.setConfig(config);
        sim.clearCommandLog();

        device.initialize();
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(initialized.count(), 0);
        QCOMPARE(device.errorCode(), expectedCode);
        QTRY_COMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), expectedCode);
        QCOMPARE(countOf(sim.commandLog(), countedCommand.toStdString()), expectedCount);
        if (preparingMs > 0) // every readiness attempt polled at least once
            QVERIFY(countOf(sim.commandLog(), "GET:stat") >= 10);
    }

    void endsWhilePreparing_data()
    {
        QTest::addColumn<bool>("destroy");
        QTest::newRow("disconnect") << false;
        QTest::newRow("destroy") << true;
    }

    void endsWhilePreparing()
    {
        // A sensor that keeps reporting "099" holds no one: interlace, mode and reboot calls meanwhile are
        // refused or kept, never sent, and the readiness wait (ten attempts of a minute by default) ends
        // with the connection, without emitting a failure.
        QFETCH(bool, destroy);
        Vexa3dSim::Config config;
        config.preparingMs = 600000;
        Vexa3dSim::SensorSimulator sim(config);
        QVERIFY(sim.start());
        auto device = std::make_unique<DRALCommunicationDevice>();
        CrossThreadSpy failed(device.get(), &DRALCommunicationDevice::initializationError);
        CrossThreadSpy initialized(device.get(), &DRALCommunicationDevice::deviceInitialized);
        CrossThreadSpy closed(device.get(), &DRALCommunicationDevice::deviceClosed);
        QVERIFY(device->connectDevice("127.0.0.1", sim.port()));
        device->initialize();
        QVERIFY(sim.waitForCommand("GET:stat", 3000));
        sim.clearCommandLog();

        QVERIFY(!device->setHorizontalInterlace(2));
        QVERIFY(!device->setVerticalInterlace(2));
        QCOMPARE(device->horizontalInterlace(), 0);
        device->startMeasurement(DistanceIntensityMode);
        QVERIFY(!device->restart());
        QVERIFY(device->isInitializing());
        QCOMPARE(device->mode(), int(DistanceIntensityMode));
        QVERIFY(!device->isRunning());
        QVERIFY(controlCommands(sim.commandLog()).isEmpty());

        if (destroy)
            device.reset();
        else
            QVERIFY(device->disconnectDevice());
        QVERIFY(sim.waitForDisconnect(3000));
        QTest::qWait(50);
        QCOMPARE(failed.count(), 0);
        QCOMPARE(initialized.count(), 0);
        QCOMPARE(closed.count(), destroy ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(tst_DeviceInitialization)
#include "tst_device_initialization.moc"
