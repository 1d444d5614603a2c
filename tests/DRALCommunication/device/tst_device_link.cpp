// The live device when the sensor misbehaves: a lost or silent connection, a sensor that prepares for
// a long time, lines whose first packet is lost.

#include "DeviceTestSupport.h"
#include "TestSupport.h"
#include "Vexa3dDecode.h"

#include <QElapsedTimer>
#include <QtTest>

#include <map>
#include <memory>
#include <tuple>

using namespace DeviceTest;

namespace {

// Waits on this thread, relaying signals, until the simulator's stream stood still; the lines sent.
uint64_t pauseStream(Vexa3dSim::SensorSimulator &sim)
{
    sim.setRate(1e-9);
    uint64_t sent = sim.linesSent();
    for (;;) {
        QTest::qWait(150);
        const uint64_t now = sim.linesSent();
        if (now == sent)
            return sent;
        sent = now;
    }
}

} // namespace

class TestDeviceLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }
    void connectionLoss_data();
    void connectionLoss();
    void endsQuicklyWhilePreparing_data();
    void endsQuicklyWhilePreparing();
    void callsDuringInitializationDoNotWait();
    void linesWithLostFirstPackets();
};

void TestDeviceLink::connectionLoss_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("expectedCode");
    QTest::newRow("peer closes") << "drop" << int(Vexa3dConnectionLost);
    QTest::newRow("peer closes after 40 lines") << "drop after lines" << int(Vexa3dConnectionLost);
    QTest::newRow("sensor goes silent") << "stall" << int(Vexa3dTimeout);
}

void TestDeviceLink::connectionLoss()
{
    // The streaming device reports a broken link at once, closes it, and can open it again.
    QFETCH(QString, fault);
    QFETCH(int, expectedCode);
    Vexa3dSim::Config config;
    if (fault == "drop after lines")
        config.faults.dropAfterLines = 40;
    Vexa3dSim::SensorSimulator sim(config);
    QVERIFY(sim.start());
    DRALCommunicationDevice device;
    device.setDataTimeout(300);
    DeviceRelay relay(&device);
    QSignalSpy initialized(&relay, &DeviceRelay::deviceInitialized);
    QSignalSpy lost(&relay, &DeviceRelay::connectionLost);
    QSignalSpy stopped(&relay, &DeviceRelay::measurementStopped);
    QSignalSpy closed(&relay, &DeviceRelay::deviceClosed);
    QVERIFY(device.connectDevice("127.0.0.1", sim.port()));
    device.initialize();
    QVERIFY(initialized.wait(5000));
    device.startMeasurement(DistanceIntensityMode);
    QVERIFY(sim.waitForLines(10, 3000));

    if (fault == "drop")
        sim.dropConnection();
    else if (fault == "stall")
        sim.stall(5000);
    QVERIFY(lost.wait(1000));
    QCOMPARE(lost.count(), 1);
    QCOMPARE(lost.at(0).at(0).toInt(), expectedCode);
    QCOMPARE(device.errorCode(), expectedCode);
    QCOMPARE(stopped.count(), 1);
    QCOMPARE(closed.count(), 0);
    QVERIFY(!device.isConnected());
    QTRY_VERIFY(!device.isRunning());

    // The simulator serves the next client: the same device opens and initialises again.
    if (fault == "stall")
        QVERIFY(sim.waitForDisconnect(6000));
    QVERIFY(device.connectDevice("127.0.0.1", sim.port()));
    device.initialize();
    QVERIFY(initialized.wait(5000));
    QCOMPARE(sim.connectionCount(), 2);
}

void TestDeviceLink::endsQuicklyWhilePreparing_data()
{
    QTest::addColumn<bool>("destroy");
    QTest::newRow("disconnect") << false;
    QTest::newRow("destroy") << true;
}

void TestDeviceLink::endsQuicklyWhilePreparing()
{
    // A sensor that keeps reporting "099" holds no one: the wait gives up within a second.
    QFETCH(bool, destroy);
    Vexa3dSim::Config config;
    config.preparingMs = 600000;
    Vexa3dSim::SensorSimulator sim(config);
    QVERIFY(sim.start());
    auto device = std::make_unique<DRALCommunicationDevice>();
    DeviceRelay relay(device.get());
    QSignalSpy failed(&relay, &DeviceRelay::initializationError);
    QSignalSpy closed(&relay, &DeviceRelay::deviceClosed);
    QVERIFY(device->connectDevice("127.0.0.1", sim.port()));
    device->initialize();
    QVERIFY(sim.waitForCommand("GET:stat", 3000));
    QTest::qWait(100);

    QElapsedTimer timer;
    timer.start();
    if (destroy)
        device.reset();
    else
        QVERIFY(device->disconnectDevice());
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(sim.waitForDisconnect(3000));
    QTest::qWait(50);
    QCOMPARE(failed.count(), 0);
    QCOMPARE(closed.count(), destroy ? 0 : 1);
}

void TestDeviceLink::callsDuringInitializationDoNotWait()
{
    // Interlace, mode and reboot calls while the sensor prepares are refused or kept, never waited on.
    Vexa3dSim::Config config;
    config.preparingMs = 600000;
    Vexa3dSim::SensorSimulator sim(config);
    QVERIFY(sim.start());
    DRALCommunicationDevice device;
    QVERIFY(device.connectDevice("127.0.0.1", sim.port()));
    device.initialize();
    QVERIFY(sim.waitForCommand("GET:stat", 3000));
    sim.clearCommandLog();

    QElapsedTimer timer;
    timer.start();
    QVERIFY(device.isInitializing());
    QVERIFY(!device.setHorizontalInterlace(2));
    QVERIFY(!device.setVerticalInterlace(2));
    QCOMPARE(device.horizontalInterlace(), 0);
    device.startMeasurement(DistanceIntensityMode);
    QVERIFY(!device.restart());
    QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(device.mode(), int(DistanceIntensityMode));
    QVERIFY(!device.isRunning());
    QVERIFY(controlCommands(sim.commandLog()).isEmpty());
    QVERIFY(device.disconnectDevice());
}

void TestDeviceLink::linesWithLostFirstPackets()
{
    // Lines in two packets, every third without its first: those lines are dropped and counted, and
    // every line emitted equals the one the simulator computed, spot for spot.
    Vexa3dSim::Config config;
    config.packetsPerLine = 2;
    config.faults.loseFirstPacketEvery = 3;
    Vexa3dSim::SensorSimulator sim(config);
    QVERIFY(sim.start());
    DRALCommunicationDevice device;
    DeviceRelay relay(&device);
    QSignalSpy initialized(&relay, &DeviceRelay::deviceInitialized);
    QSignalSpy lines(&relay, &DeviceRelay::measurementDataReady);
    QVERIFY(device.connectDevice("127.0.0.1", sim.port()));
    device.initialize();
    QVERIFY(initialized.wait(5000));
    device.startMeasurement(DistanceIntensityMode);
    QVERIFY(sim.waitForLines(300, 5000));
    const uint64_t sent = pauseStream(sim);
    const uint64_t lostLines = sent / 3;
    QTRY_COMPARE(uint64_t(lines.count()), sent - lostLines);
    QCOMPARE(device.discardedPackets(), lostLines);

    // The stream of this one connection starts at sequence 0 with interlace 1 and 1.
    const Vexa3dSim::Generator generator(config);
    std::map<std::tuple<int, int>, Vexa3dSim::LinePosition> positions;
    for (uint64_t seq = 0; seq < sent; ++seq) {
        const Vexa3dSim::LinePosition p = generator.position(seq, 1, 1);
        positions[std::make_tuple(int(p.frameNumber), int(p.lineNumber))] = p;
    }
    int mismatches = 0;
    for (const QList<QVariant> &args : lines) {
        const auto record = args.at(0).value<QSharedPointer<DRALMeasurementData>>();
        const VEXA3D_MEASUREMENT_DATA_T &line = *record->data();
        const auto it = positions.find(std::make_tuple(int(line.frameNumber), int(line.lineNumber)));
        QVERIFY(it != positions.end());
        const Vexa3dSim::Line expected = generator.computeLine(it->second, 1, 1);
        for (size_t s = 0; s < line.spots.size(); ++s) {
            const VEXA3D_SPOT_T &spot = line.spots[s];
            bool same = spot.count == expected.spots[s].size();
            for (size_t e = 0; same && e < spot.count; ++e)
                same = spot.echoes[e].range == expected.spots[s][e].rangeMm / 1000.0;
            mismatches += same ? 0 : 1;
        }
    }
    QCOMPARE(mismatches, 0);
}

QTEST_GUILESS_MAIN(TestDeviceLink)
#include "tst_device_link.moc"
