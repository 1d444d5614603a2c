// The live device when the sensor misbehaves: a lost or silent connection, a sensor that prepares for
// a long time.

#include "CrossThreadSpy.h"
#include "DRALCommunicationDevice.h"
#include "SimulatorSupport.h"
#include "TestSupport.h"
#include "Vexa3dDecode.h"

#include <QtTest>

#include <memory>

using namespace SimulatorSupport;

class tst_DeviceLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }
    void connectionLoss_data();
    void connectionLoss();
    void endsWhilePreparing_data();
    void endsWhilePreparing();
    void callsDuringInitializationDoNotWait();
};

void tst_DeviceLink::connectionLoss_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("expectedCode");
    QTest::newRow("peer closes") << "drop" << int(Vexa3dConnectionLost);
    QTest::newRow("peer closes after 40 lines") << "drop after lines" << int(Vexa3dConnectionLost);
    QTest::newRow("sensor goes silent") << "stall" << int(Vexa3dTimeout);
}

void tst_DeviceLink::connectionLoss()
{
    // The streaming device reports a broken link once, closes it, and can open it again.
    QFETCH(QString, fault);
    QFETCH(int, expectedCode);
    Vexa3dSim::Config config;
    if (fault == "drop after lines")
        config.faults.dropAfterLines = 40;
    Vexa3dSim::SensorSimulator sim(config);
    QVERIFY(sim.start());
    DRALCommunicationDevice device;
    device.setDataTimeout(300);
    CrossThreadSpy initialized(&device, &DRALCommunicationDevice::deviceInitialized);
    CrossThreadSpy lost(&device, &DRALCommunicationDevice::connectionLost);
    CrossThreadSpy stopped(&device, &DRALCommunicationDevice::measurementStopped);
    CrossThreadSpy closed(&device, &DRALCommunicationDevice::deviceClosed);
    QVERIFY(device.connectDevice("127.0.0.1", sim.port()));
    device.initialize();
    QTRY_COMPARE_WITH_TIMEOUT(initialized.count(), 1, 5000);
    device.startMeasurement(DistanceIntensityMode);
    QVERIFY(sim.waitForLines(10, 3000));

    if (fault == "drop")
        sim.dropConnection();
    else if (fault == "stall")
        sim.stall(5000);
    QTRY_COMPARE(lost.count(), 1);
    QCOMPARE(lost.at(0).at(0).toInt(), expectedCode);
    QCOMPARE(device.errorCode(), expectedCode);
    QTRY_COMPARE(stopped.count(), 1);
    QVERIFY(!device.isConnected());
    QTRY_VERIFY(!device.isRunning());
    QCOMPARE(lost.count(), 1);
    QCOMPARE(closed.count(), 0);

    // The simulator serves the next client: the same device opens and initialises again.
    if (fault == "stall")
        QVERIFY(sim.waitForDisconnect(6000));
    QVERIFY(device.connectDevice("127.0.0.1", sim.port()));
    device.initialize();
    QTRY_COMPARE_WITH_TIMEOUT(initialized.count(), 2, 5000);
    QCOMPARE(sim.connectionCount(), 2);
}

void tst_DeviceLink::endsWhilePreparing_data()
{
    QTest::addColumn<bool>("destroy");
    QTest::newRow("disconnect") << false;
    QTest::newRow("destroy") << true;
}

void tst_DeviceLink::endsWhilePreparing()
{
    // A sensor that keeps reporting "099" holds no one: the readiness wait (ten attempts of a minute by
    // default) ends with the connection, without emitting a failure.
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

void tst_DeviceLink::callsDuringInitializationDoNotWait()
{
    // Interlace, mode and reboot calls while the sensor prepares are refused or kept, never sent.
    Vexa3dSim::Config config;
    config.preparingMs = 600000;
    Vexa3dSim::SensorSimulator sim(config);
    QVERIFY(sim.start());
    DRALCommunicationDevice device;
    QVERIFY(device.connectDevice("127.0.0.1", sim.port()));
    device.initialize();
    QVERIFY(sim.waitForCommand("GET:stat", 3000));
    sim.clearCommandLog();

    QVERIFY(device.isInitializing());
    QVERIFY(!device.setHorizontalInterlace(2));
    QVERIFY(!device.setVerticalInterlace(2));
    QCOMPARE(device.horizontalInterlace(), 0);
    device.startMeasurement(DistanceIntensityMode);
    QVERIFY(!device.restart());
    QVERIFY(device.isInitializing());
    QCOMPARE(device.mode(), int(DistanceIntensityMode));
    QVERIFY(!device.isRunning());
    QVERIFY(controlCommands(sim.commandLog()).isEmpty());
    QVERIFY(device.disconnectDevice());
}

QTEST_GUILESS_MAIN(tst_DeviceLink)
#include "tst_device_link.moc"
