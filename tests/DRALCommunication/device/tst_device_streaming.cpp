#include "CrossThreadSpy.h"
#include "DRALCommunicationDevice.h"
#include "SimulatorSupport.h"
#include "TestSupport.h"
#include "Vexa3dDecode.h"

#include <QtTest>

#include <memory>
#include <set>
#include <tuple>

using namespace SimulatorSupport;

namespace {

// A simulator, a device connected to it and initialised, and the device's signals on this thread.
struct Rig
{
    explicit Rig(const Vexa3dSim::Config &config = Vexa3dSim::Config()) : sim(config) {}

    bool setUp()
    {
        if (!sim.start() || !device->connectDevice("127.0.0.1", sim.port()))
            return false;
        CrossThreadSpy initialized(device.get(), &DRALCommunicationDevice::deviceInitialized);
        device->initialize();
        return QTest::qWaitFor([&] { return initialized.count() == 1; }, 5000);
    }

    // Stops the simulator's stream (commands are still answered) so every line it sent can arrive;
    // returns the lines sent once the count stood still for a while.
    uint64_t pauseStream()
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

    Vexa3dSim::SensorSimulator sim;
    std::unique_ptr<DRALCommunicationDevice> device = std::make_unique<DRALCommunicationDevice>();
    CrossThreadSpy started{device.get(), &DRALCommunicationDevice::measurementStarted};
    CrossThreadSpy stopped{device.get(), &DRALCommunicationDevice::measurementStopped};
    CrossThreadSpy lines{device.get(), &DRALCommunicationDevice::measurementDataReady};
};

} // namespace

class tst_DeviceStreaming : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void modesStartAndStopKinds_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QStringList>("startCommands");
        QTest::addColumn<QStringList>("stopCommands");

        QTest::newRow("range and level") << 2 << "" << QStringList{"DAT:ri=1"} << QStringList{"DAT:ri=0"};
        QTest::newRow("every kind") << 7 << "" << QStringList{"DAT:ro=1", "DAT:ri=1", "DAT:ax=1"}
                                    << QStringList{"DAT:ro=0", "DAT:ri=0", "DAT:ax=0"};
        // The kind that did start is not left streaming.
        QTest::newRow("refused start")
            << 6 << "DAT:ax=1" << QStringList{"DAT:ri=1", "DAT:ax=1", "DAT:ri=0"} << QStringList();
    }

    void modesStartAndStopKinds()
    {
        // Each mode bit starts its data kind in bit order, delivers its records and stops it on exit. A
        // refused start stores its code and ends the thread without started or stopped signals.
        QFETCH(int, mode);
        QFETCH(QString, refused);
        QFETCH(QStringList, startCommands);
        QFETCH(QStringList, stopCommands);

        Rig rig;
        QVERIFY(rig.setUp());
        if (!refused.isEmpty()) {
            Vexa3dSim::Faults faults;
            faults.refusedCommands = {refused.toStdString()};
            rig.sim.setFaults(faults);
        }
        CrossThreadSpy auxiliary(rig.device.get(), &DRALCommunicationDevice::auxiliaryDataReady);
        rig.sim.clearCommandLog();

        rig.device->startMeasurement(mode);
        QCOMPARE(rig.device->mode(), mode);
        if (!refused.isEmpty()) {
            QTRY_VERIFY(!rig.device->isRunning());
            QTest::qWait(100);
            QCOMPARE(rig.started.count() + rig.stopped.count(), 0);
            QCOMPARE(controlCommands(rig.sim.commandLog()), startCommands);
            QCOMPARE(rig.device->errorCode(), -1);
            return;
        }
        QTRY_COMPARE(rig.started.count(), 1);
        QCOMPARE(int(qvariant_cast<MeasurmentModes>(rig.started.at(0).at(0))), mode);
        QCOMPARE(controlCommands(rig.sim.commandLog()), startCommands);
        if (mode & (DistanceOnlyMode | DistanceIntensityMode))
            QTRY_VERIFY(rig.lines.count() >= 3);
        if (mode & AuxiliaryMode)
            QTRY_VERIFY(auxiliary.count() >= 2);
        else
            QCOMPARE(auxiliary.count(), 0);

        rig.sim.clearCommandLog();
        rig.device->stopMeasurement();
        QVERIFY(!rig.device->isRunning());
        QCOMPARE(controlCommands(rig.sim.commandLog()), stopCommands);
        QTRY_COMPARE(rig.stopped.count(), 1);
        QCOMPARE(rig.device->errorCode(), 0);

        if (mode & AuxiliaryMode) {
            const auto record = qvariant_cast<QSharedPointer<DRALAuxiliaryData>>(auxiliary.at(0).at(0));
            QCOMPARE(record->dataType(), 18);
            QVERIFY(record->hasKinds(DRALAuxiliaryData::Gyro | DRALAuxiliaryData::Temperature));
            QCOMPARE(record->gyroscopes().size(), 10);
        }
    }

    void splitLinesEmittedOnceComplete_data()
    {
        QTest::addColumn<int>("packetsPerLine");
        QTest::addColumn<int>("garbageBytes");
        QTest::addColumn<int>("loseFirstEvery");

        QTest::newRow("one packet per line") << 1 << 0 << 0;
        QTest::newRow("three packets per line with garbage between") << 3 << 7 << 0;
        QTest::newRow("every third line without its first packet") << 2 << 0 << 3;
    }

    void splitLinesEmittedOnceComplete()
    {
        // Only complete lines are emitted, each once, and every line the sensor sent whole arrives; a line
        // that lost its first packet is dropped and counted.
        QFETCH(int, packetsPerLine);
        QFETCH(int, garbageBytes);
        QFETCH(int, loseFirstEvery);

        Vexa3dSim::Config config;
        config.packetsPerLine = packetsPerLine;
        config.faults.garbageBytes = garbageBytes;
        config.faults.loseFirstPacketEvery = loseFirstEvery;
        config.rate = 2.0;
        Rig rig(config);
        QVERIFY(rig.setUp());
        QCOMPARE(rig.sim.linesSent(), uint64_t(0));
        rig.device->startMeasurement(DistanceIntensityMode);
        QVERIFY(rig.sim.waitForLines(200, 5000));
        const int sent = int(rig.pauseStream());
        const int lost = loseFirstEvery ? sent / loseFirstEvery : 0;
        QTRY_COMPARE(rig.lines.count(), sent - lost);
        rig.device->stopMeasurement();
        QCOMPARE(rig.lines.count(), sent - lost);
        QCOMPARE(rig.device->discardedPackets(), quint64(lost));

        std::set<std::tuple<int, int, int, int, uint32_t>> seen;
        for (const QVariantList &args : rig.lines.calls()) {
            const auto record = qvariant_cast<QSharedPointer<DRALMeasurementData>>(args.at(0));
            QVERIFY(record);
            const auto line = record->data();
            QCOMPARE(int(line->isLineDataReady), 1);
            QCOMPARE(int(line->receivedSpotCount), 74);
            QCOMPARE(record->dataType(), 17);
            QVERIFY(!record->points().isEmpty());
            const auto key =
                std::make_tuple(int(line->frameNumber), int(line->motorFieldNumber),
                                int(line->remFieldNumber), int(line->lineNumber), line->timestamp);
            QVERIFY2(seen.insert(key).second, "a line was emitted twice");
        }
    }

    void errorPackets_data()
    {
        QTest::addColumn<QString>("packet"); // type and status
        QTest::addColumn<bool>("keepsStreaming");
        QTest::newRow("ERR 012 is a warning") << "ERR 012" << true;
        QTest::newRow("_er 001 is a warning") << "_er 001" << true;
        QTest::newRow("ERR 105 ends streaming") << "ERR 105" << false;
        QTest::newRow("_er 200 ends streaming") << "_er 200" << false;
    }

    void errorPackets()
    {
        // An error packet is reported with its status and text; only a status starting with 0 keeps
        // streaming.
        QFETCH(QString, packet);
        QFETCH(bool, keepsStreaming);
        const int expectedCode = packet.mid(4).toInt();

        Rig rig;
        QVERIFY(rig.setUp());
        CrossThreadSpy detected(rig.device.get(), &DRALCommunicationDevice::errorDetected);
        CrossThreadSpy changed(rig.device.get(), &DRALCommunicationDevice::errorCodeChanged);
        rig.device->startMeasurement(DistanceIntensityMode);
        QTRY_VERIFY(rig.lines.count() >= 2);
        rig.sim.clearCommandLog();

        rig.sim.injectErrorPacket(packet.left(3).toStdString(), packet.mid(4).toStdString(),
                                  "window dirty \xb5");
        QTRY_COMPARE(detected.count(), 1);
        QCOMPARE(detected.at(0).at(0).toInt(), expectedCode);
        QCOMPARE(detected.at(0).at(1).toString(), QString::fromLatin1("window dirty \xb5"));
        QCOMPARE(rig.device->errorCode(), expectedCode);
        QTRY_COMPARE(changed.count(), 1);

        if (keepsStreaming) {
            const int linesSoFar = rig.lines.count();
            QTRY_VERIFY(rig.lines.count() > linesSoFar + 5);
            QVERIFY(rig.device->isRunning());
            QCOMPARE(rig.stopped.count(), 0);
            QVERIFY(controlCommands(rig.sim.commandLog()).isEmpty());
        } else {
            QTRY_COMPARE(rig.stopped.count(), 1);
            QTRY_VERIFY(rig.device->isFinished());
            QCOMPARE(controlCommands(rig.sim.commandLog()), QStringList{"DAT:ri=0"});
        }
    }

    void interlaceSetters_data()
    {
        QTest::addColumn<QString>("protocol");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QStringList>("expectedCommands");

        QTest::newRow("horizontal") << "2.3" << false << QStringList{"DAT:ri=0", "SET:_itl=0,04", "DAT:ri=1"};
        QTest::newRow("vertical") << "2.3" << true << QStringList{"DAT:ri=0", "SET:_itv=0,04", "DAT:ri=1"};
        QTest::newRow("horizontal on protocol 1.0")
            << "1.0" << false << QStringList{"DAT:ri=0", "SET:_itl=0,04", "DAT:ri=1"};
        QTest::newRow("vertical on protocol 1.0 is ignored") << "1.0" << true << QStringList();
    }

    void interlaceSetters()
    {
        // A setter stops streaming, sends its command and starts streaming again.
        QFETCH(QString, protocol);
        QFETCH(bool, vertical);
        QFETCH(QStringList, expectedCommands);

        Vexa3dSim::Config config;
        config.identity.protocol = protocol.toStdString();
        Rig rig(config);
        QVERIFY(rig.setUp());
        rig.device->startMeasurement(DistanceIntensityMode);
        QTRY_COMPARE(rig.started.count(), 1);
        rig.sim.clearCommandLog();

        const bool applied =
            vertical ? rig.device->setVerticalInterlace(4) : rig.device->setHorizontalInterlace(4);
        QCOMPARE(applied, !expectedCommands.isEmpty());
        QTRY_COMPARE(controlCommands(rig.sim.commandLog()), expectedCommands);
        QVERIFY(rig.device->isRunning());
        if (applied) {
            QTRY_COMPARE(rig.started.count(), 2);
            QCOMPARE(rig.stopped.count(), 1);
            const int linesNow = rig.lines.count();
            QTRY_VERIFY(rig.lines.count() > linesNow + 3);
            QCOMPARE(vertical ? rig.device->verticalInterlace() : rig.device->horizontalInterlace(), 4);
        } else {
            QTest::qWait(50);
            QCOMPARE(rig.started.count(), 1);
            QCOMPARE(rig.stopped.count(), 0);
        }
        QCOMPARE(rig.device->errorCode(), 0);
    }

    void refusedSetterAndFailingGetter()
    {
        // A value the sensor library refuses stores its code; a getter whose query fails gives 0 and leaves
        // the stream running.
        Rig rig;
        QVERIFY(rig.setUp());
        QVERIFY(!rig.device->setHorizontalInterlace(0));
        QCOMPARE(rig.device->errorCode(), -1);
        rig.device->startMeasurement(DistanceIntensityMode);
        QCOMPARE(rig.device->horizontalInterlace(), 1);
        Vexa3dSim::Faults faults;
        faults.refusedCommands = {"GET:_itl"};
        rig.sim.setFaults(faults);
        QCOMPARE(rig.device->horizontalInterlace(), 0);
        QVERIFY(rig.device->isRunning());
    }

    void connectionLoss_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("expectedCode");
        QTest::newRow("peer closes") << "drop" << int(Vexa3dConnectionLost);
        QTest::newRow("peer closes after 40 lines") << "drop after lines" << int(Vexa3dConnectionLost);
        QTest::newRow("sensor goes silent") << "stall" << int(Vexa3dTimeout);
    }

    void connectionLoss()
    {
        // The streaming device reports a broken link once, closes it, and can open it again.
        QFETCH(QString, fault);
        QFETCH(int, expectedCode);
        Vexa3dSim::Config config;
        if (fault == "drop after lines")
            config.faults.dropAfterLines = 40;
        Rig rig(config);
        QVERIFY(rig.setUp());
        Vexa3dSim::SensorSimulator &sim = rig.sim;
        DRALCommunicationDevice &device = *rig.device;
        device.setDataTimeout(300);
        CrossThreadSpy initialized(&device, &DRALCommunicationDevice::deviceInitialized);
        CrossThreadSpy lost(&device, &DRALCommunicationDevice::connectionLost);
        CrossThreadSpy closed(&device, &DRALCommunicationDevice::deviceClosed);
        device.startMeasurement(DistanceIntensityMode);
        QVERIFY(sim.waitForLines(10, 3000));

        if (fault == "drop")
            sim.dropConnection();
        else if (fault == "stall")
            sim.stall(5000);
        QTRY_COMPARE(lost.count(), 1);
        QCOMPARE(lost.at(0).at(0).toInt(), expectedCode);
        QCOMPARE(device.errorCode(), expectedCode);
        QTRY_COMPARE(rig.stopped.count(), 1);
        QVERIFY(!device.isConnected());
        QTRY_VERIFY(!device.isRunning());
        QCOMPARE(lost.count(), 1);
        QCOMPARE(closed.count(), 0);

        // The simulator serves the next client: the same device opens and initialises again.
        if (fault == "stall")
            QVERIFY(sim.waitForDisconnect(6000));
        QVERIFY(device.connectDevice("127.0.0.1", sim.port()));
        device.initialize();
        QTRY_COMPARE_WITH_TIMEOUT(initialized.count(), 1, 5000);
        QCOMPARE(sim.connectionCount(), 2);
    }

    void destroyedWhileStreaming()
    {
        // The destructor stops the streaming thread, which sends the stops of the started kinds, before
        // releasing the sensor.
        Rig rig;
        QVERIFY(rig.setUp());
        rig.device->startMeasurement(DistanceIntensityMode | AuxiliaryMode);
        QTRY_VERIFY(rig.lines.count() >= 2);
        rig.sim.clearCommandLog();
        rig.device.reset();
        // Sent and briefly waited for: a silent sensor must not hold up the destruction.
        QTRY_COMPARE(controlCommands(rig.sim.commandLog()), QStringList({"DAT:ri=0", "DAT:ax=0"}));
        QTRY_VERIFY(!rig.sim.isClientConnected());
    }
};

QTEST_GUILESS_MAIN(tst_DeviceStreaming)
#include "tst_device_streaming.moc"
