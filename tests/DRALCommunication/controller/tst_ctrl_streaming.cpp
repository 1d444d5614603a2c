#include "ControllerTestSupport.h"
#include "TestSupport.h"

#include "DRALCommunicationDevice.h"
#include "PointCloud.h"

#include <QAction>
#include <QtTest>

#include <cstring>

using namespace ControllerTest;

namespace {

struct StateRow
{
    bool connect, disconnect, information, reboot, locked;
};

void checkState(DRALScanManager &m, const StateRow &row)
{
    // The machine follows the device's signals from the event loop.
    QTRY_COMPARE(m.connectAction()->isEnabled(), row.connect);
    QTRY_COMPARE(m.disconnectAction()->isEnabled(), row.disconnect);
    QTRY_COMPARE(m.informationAction()->isEnabled(), row.information);
    QTRY_COMPARE(m.rebootAction()->isEnabled(), row.reboot);
    QTRY_COMPARE(m.nameProperty()->readOnly(), row.locked);
    QCOMPARE(m.nameProperty()->settable(), !row.locked);
    QCOMPARE(m.portProperty()->readOnly(), row.locked);
    QCOMPARE(m.portProperty()->settable(), !row.locked);
}

} // namespace

Q_DECLARE_METATYPE(StateRow)

class tst_ControllerStreaming : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void states_data()
    {
        QTest::addColumn<int>("stage");
        QTest::addColumn<StateRow>("state"); // Connect, Disconnect, Information, Reboot; address locked

        QTest::newRow("disconnected") << 0 << StateRow{true, false, false, false, false};
        // Disconnect is offered while the sensor is being initialised, which may take a minute.
        QTest::newRow("connected, initialising") << 1 << StateRow{false, true, true, true, true};
        QTest::newRow("initialised") << 2 << StateRow{false, true, true, true, true};
        QTest::newRow("disconnected again") << 3 << StateRow{true, false, false, false, false};
        // Retrying a dead port: Disconnect gives up.
        QTest::newRow("connecting") << 4 << StateRow{false, true, false, false, true};
    }

    void states()
    {
        // Each connection state enables its actions and locks or frees address and port.
        QFETCH(int, stage);
        QFETCH(StateRow, state);

        Vexa3dSim::Config config;
        if (stage == 1)
            config.faults.silentCommands = {"VER"}; // the initialisation waits for a reply
        Rig rig(config);
        QVERIFY(rig.startSimulator());
        if (stage == 1) {
            QSignalSpy connected(rig.manager.get(), &ScanManager::connected);
            QSignalSpy initializing(rig.manager.get(), &ScanManager::initializing);
            rig.manager->connectRequested();
            QVERIFY(connected.wait(5000));
            QCOMPARE(initializing.count(), 1);
        } else if (stage == 2 || stage == 3) {
            QVERIFY(rig.connectAndInitialize());
        }
        if (stage == 3)
            QVERIFY(rig.disconnect());
        SimulatorSupport::DeadPort dead;
        if (stage == 4) {
            QVERIFY(dead.port() > 0);
            rig.manager->setDevicePort(dead.port());
            rig.manager->connectRequested();
        }

        checkState(*rig.manager, state);
        QCOMPARE(rig.manager->isConnected(), stage == 1 || stage == 2);
        rig.manager->disconnectRequested();
    }

    void initialisationStartsChosenKinds_data()
    {
        QTest::addColumn<int>("measurementType");
        QTest::addColumn<int>("auxiliaryType");
        QTest::addColumn<QStringList>("started");

        QTest::newRow("no data, no auxiliary") << 0 << 0 << QStringList{};
        QTest::newRow("range only") << 1 << 0 << QStringList{"DAT:ro=1"};
        QTest::newRow("range and level, auxiliary") << 2 << 4 << QStringList{"DAT:ri=1", "DAT:ax=1"};
        QTest::newRow("auxiliary only") << 0 << 4 << QStringList{"DAT:ax=1"};
    }

    void initialisationStartsChosenKinds()
    {
        // The initialised sensor streams exactly the chosen kinds; "No Data" twice starts none.
        QFETCH(int, measurementType);
        QFETCH(int, auxiliaryType);
        QFETCH(QStringList, started);

        Rig rig;
        rig.manager->measurementTypeProperty()->setOptionValue(measurementType);
        rig.manager->auxiliaryTypeProperty()->setOptionValue(auxiliaryType);
        QSignalSpy measurementStarted(rig.manager.get(), &ScanManager::measurementStarted);
        QVERIFY(rig.connectAndInitialize());
        if (started.isEmpty()) {
            QTest::qWait(300);
            QCOMPARE(measurementStarted.count(), 0);
            QVERIFY(!rig.manager->device()->isRunning());
        } else {
            QTRY_COMPARE(measurementStarted.count(), 1);
            QCOMPARE(measurementStarted.at(0).at(0).toInt(), measurementType | auxiliaryType);
        }
        QCOMPARE(startCommands(rig.sim.commandLog()), started);
        QVERIFY(rig.disconnect());
    }

    void cloudHoldsFrameEchoes()
    {
        // Once a frame is complete the cloud holds exactly its valid echoes, at their positions.
        const Vexa3dSim::Config config = stillScene();
        Rig rig(config);

        // The relay's calls and the controller's cloud calls reach this thread in line order, so when the
        // first line of a frame arrives here the cloud still holds the whole previous frame.
        QList<QSharedPointer<DRALMeasurementData>> frame;
        QList<QSharedPointer<DRALMeasurementData>> completeFrame;
        int cloudCountAtBoundary = -1;
        QVector<QVector3D> cloudPositions;
        int lastFrame = -1;
        bool sawStart = false;
        const int linesPerFrame = config.geometry.lineCount();
        connect(&rig.relay, &StreamRelay::dralMeasurementDataReady, this,
                [&](int index, QSharedPointer<DRALMeasurementData> data) {
                    QCOMPARE(index, 0);
                    const VEXA3D_MEASUREMENT_DATA_T &line = *data->data();
                    if (int(line.frameNumber) != lastFrame) {
                        if (sawStart && frame.size() == linesPerFrame && completeFrame.isEmpty()) {
                            completeFrame = frame;
                            cloudCountAtBoundary = rig.manager->pointCloud()->count();
                            cloudPositions =
                                rig.manager->pointCloud()->positions().mid(0, cloudCountAtBoundary);
                        }
                        lastFrame = line.frameNumber;
                        frame.clear();
                        sawStart = line.lineNumber == config.geometry.firstLineNumber;
                    }
                    frame.append(data);
                });

        QVERIFY(rig.connectAndInitialize());
        QTRY_VERIFY_WITH_TIMEOUT(!completeFrame.isEmpty(), 10000);

        // Every valid echo of the frame's lines is a point; that the lines hold the simulator's scene is
        // checked over loopback.
        int expected = 0;
        QVector<QVector3D> expectedPositions;
        for (const QSharedPointer<DRALMeasurementData> &record : completeFrame) {
            expected += validEchoes(*record->data());
            QCOMPARE(validEchoes(*record->data()), record->points().size());
            expectedPositions += record->points();
        }
        QVERIFY(expected > 1000);
        QCOMPARE(cloudCountAtBoundary, expected);
        QCOMPARE(cloudPositions.size(), expectedPositions.size());
        for (int i : {0, 1, expected / 2, expected - 1})
            QCOMPARE(cloudPositions.at(i), expectedPositions.at(i));
        QCOMPARE(rig.manager->pointCloud()->colors().size(), rig.manager->pointCloud()->positions().size());

        QVERIFY(rig.disconnect());
    }

    void disconnectClearsBothClouds()
    {
        // Disconnecting empties the cloud and the emphasis overlay, and no line in flight refills them.
        Rig rig(stillScene());
        QSharedPointer<DRALMeasurementData> seen;
        connect(&rig.relay, &StreamRelay::dralMeasurementDataReady, this,
                [&](int, QSharedPointer<DRALMeasurementData> data) {
                    if (!seen && validEchoes(*data->data()) > 0)
                        seen = data;
                });
        QVERIFY(rig.connectAndInitialize());
        QTRY_VERIFY(seen);
        const VEXA3D_MEASUREMENT_DATA_T &line = *seen->data();
        rig.manager->setEmphasisedSpot(line.motorFieldNumber, line.remFieldNumber, line.lineNumber, 0);
        rig.manager->setEmphasisType(1);
        QTRY_VERIFY(rig.manager->emphasisCloud()->drawCount() > 0);
        QTRY_VERIFY(rig.manager->pointCloud()->drawCount() > 0);

        QVERIFY(rig.disconnect());
        QCOMPARE(rig.manager->pointCloud()->drawCount(), 0);
        QCOMPARE(rig.manager->emphasisCloud()->drawCount(), 0);
        QTest::qWait(200);
        QCOMPARE(rig.manager->pointCloud()->drawCount(), 0);
        QCOMPARE(rig.manager->emphasisCloud()->drawCount(), 0);
        QCOMPARE(rig.manager->pendingCloudCalls(), 0);
    }

    void interlaceFromSensor_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("protocol");
        QTest::addColumn<int>("motorCount");
        QTest::addColumn<int>("remCount");
        QTest::addColumn<QStringList>("names"); // the keys are the names in lower case
        QTest::addColumn<bool>("verticalEnabled");

        const QStringList usual{"Motor", "Rem"};
        QTest::newRow("usual family") << "QTR-L"
                                      << "2.3" << 20 << 10 << usual << true;
        QTest::newRow("other product") << "VX3D-SIM"
                                       << "2.3" << 8 << 4 << usual << true;
        QTest::newRow("horizontal family")
            << "KRX-100"
            << "2.3" << 20 << 10 << QStringList{"Horizontal", "Vertical"} << true;
        QTest::newRow("first protocol") << "QTR-S"
                                        << "1.0" << 20 << 10 << usual << false;
    }

    void interlaceFromSensor()
    {
        // The sensor's identity names the interlace fields, bounds them (the hint shows the range), and a
        // first-protocol sensor has no vertical interlace.
        QFETCH(QString, product);
        QFETCH(QString, protocol);
        QFETCH(int, motorCount);
        QFETCH(int, remCount);
        QFETCH(QStringList, names);
        QFETCH(bool, verticalEnabled);

        Vexa3dSim::Config config;
        config.identity.product = product.toStdString();
        config.identity.protocol = protocol.toStdString();
        if (!protocol.startsWith(QLatin1String("1."))) {
            config.geometry.motorInterlaceCount = uint8_t(motorCount);
            config.geometry.remInterlaceCount = uint8_t(remCount);
        }
        Rig rig(config);
        rig.manager->verticalProperty()->setIntValue(3);
        QVERIFY(rig.connectAndInitialize());

        IntegerProperty *horizontal = rig.manager->horizontalProperty();
        IntegerProperty *vertical = rig.manager->verticalProperty();
        QCOMPARE(QStringList({horizontal->name(), vertical->name()}), names);
        QCOMPARE(QStringList({horizontal->key(), vertical->key()}),
                 QStringList({names.at(0).toLower(), names.at(1).toLower()}));
        QCOMPARE(QStringList({horizontal->description(), vertical->description()}),
                 QStringList({QStringLiteral("1-%1").arg(motorCount), QStringLiteral("1-%1").arg(remCount)}));
        QCOMPARE(horizontal->maxValue(), motorCount);
        QCOMPARE(vertical->maxValue(), remCount);
        QCOMPARE(vertical->enabled(), verticalEnabled);
        QCOMPARE(vertical->intValue(), verticalEnabled ? 3 : 1);
        if (verticalEnabled)
            QVERIFY(rig.sim.waitForCommand("SET:_itv=0,03", 2000));
        else
            for (const std::string &command : rig.sim.commandLog())
                QVERIFY2(command.rfind("SET:_itv", 0) != 0, command.c_str());

        // Disconnecting frees the vertical field again; the names stay those of the last sensor.
        QVERIFY(rig.disconnect());
        QVERIFY(vertical->enabled());
        QCOMPARE(horizontal->name(), names.at(0));
    }

    void informationAndMessages()
    {
        // The box shows the connection's name as it is (placeholders included), the address and port used,
        // and the sensor's identity, empty before the first initialisation; the user hears of the
        // connection, the readiness and the disconnection, by address.
        Rig rig;
        rig.manager->rootProperty()->setName(QStringLiteral("%3 and %12"));
        QSignalSpy information(rig.manager.get(), &ScanManager::informationBroadCast);
        const auto box = [](const QStringList &values) { // address, port, then the sensor's identity
            const char *names[] = {"Device Name: \t",   "Device Port: \t",      "Product Name: \t",
                                   "Serial Number: \t", "Firmware Version: \t", "Protocol Version: \t"};
            QString text = QStringLiteral("Connection Name: \t%3 and %12\n");
            for (int i = 0; i < 6; ++i)
                text += names[i] + values.value(i) + '\n' + (i == 1 ? QString(42, '-') + '\n' : QString());
            return text;
        };
        QCOMPARE(rig.manager->deviceInformationText(), box({"192.168.0.10", "10940"}));
        QVERIFY(rig.connectAndInitialize());
        const Vexa3dSim::Identity id = rig.sim.config().identity;
        const QStringList identity{QString::fromStdString(id.product), QString::fromStdString(id.serial),
                                   QString::fromStdString(id.firmware), QString::fromStdString(id.protocol)};
        QCOMPARE(rig.manager->deviceInformationText(),
                 box(QStringList{"127.0.0.1", QString::number(rig.sim.port())} + identity));
        QVERIFY(rig.disconnect());
        QStringList texts;
        for (const QList<QVariant> &args : information)
            texts << args.at(0).toString();
        QCOMPARE(texts,
                 QStringList({QStringLiteral("Connecting to 127.0.0.1:%1 ...").arg(rig.sim.port()),
                              "Connected to 127.0.0.1", "127.0.0.1 is ready", "Diconnected from 127.0.0.1"}));
    }

    void modeChangeWhileStreaming()
    {
        // A new choice while streaming restarts the stream with the new kinds.
        Rig rig;
        QSignalSpy started(rig.manager.get(), &ScanManager::measurementStarted);
        QVERIFY(rig.connectAndInitialize());
        QTRY_COMPARE(started.count(), 1);
        rig.sim.clearCommandLog();
        rig.manager->measurementTypeProperty()->setOptionValue(DistanceIntensityMode);
        QTRY_COMPARE(started.count(), 2);
        QCOMPARE(started.at(1).at(0).toInt(), int(DistanceIntensityMode));
        QCOMPARE(dataCommands(rig.sim.commandLog()), QStringList({"DAT:ro=0", "DAT:ri=1"}));

        // Both choices at "No Data" stop the stream and start nothing.
        rig.sim.clearCommandLog();
        rig.manager->measurementTypeProperty()->setOptionValue(StopMeasurementMode);
        QTRY_VERIFY(!rig.manager->device()->isRunning());
        QCOMPARE(dataCommands(rig.sim.commandLog()), QStringList({"DAT:ri=0"}));
        QVERIFY(rig.disconnect());
    }

    void auxiliaryReadout()
    {
        // Auxiliary packets fill the readout, named with units, and are passed on; disconnecting empties it.
        Rig rig;
        rig.manager->measurementTypeProperty()->setOptionValue(StopMeasurementMode);
        rig.manager->auxiliaryTypeProperty()->setOptionValue(AuxiliaryMode);
        QSignalSpy auxiliary(rig.manager.get(), &ScanManager::auxiliaryDataReady);
        QVERIFY(rig.connectAndInitialize());
        QTRY_VERIFY(auxiliary.count() >= 2);
        const QStringList gyro =
            rig.manager->auxiliaryProperty()->children().at(0)->value().toString().split(", ");
        QCOMPARE(gyro.size(), 3);
        QVERIFY(!rig.manager->auxiliaryProperty()->children().at(2)->value().toString().isEmpty());
        QVERIFY(rig.disconnect());
        QStringList names;
        for (PropertyItem *readout : rig.manager->auxiliaryProperty()->children().mid(0, 3)) {
            QCOMPARE(readout->value().toString(), QString());
            names << readout->name();
        }
        QCOMPARE(names, QStringList({"Gyroscope [deg/s]", "Accelerometer [G]", "Temperature [°C]"}));
    }
};

QTEST_MAIN(tst_ControllerStreaming)
#include "tst_ctrl_streaming.moc"
