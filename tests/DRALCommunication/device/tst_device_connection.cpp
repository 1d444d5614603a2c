#include "CrossThreadSpy.h"
#include "DRALCommunicationDevice.h"
#include "EthernetConnectionCheck.h"
#include "SimulatorSupport.h"
#include "TestSupport.h"

#include <QtTest>

using namespace SimulatorSupport;

class tst_DeviceConnection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void connectAndDisconnect()
    {
        // Opening reports the address and port; closing reports deviceClosed and clears the flag.
        Vexa3dSim::SensorSimulator sim;
        QVERIFY(sim.start());
        DRALCommunicationDevice device;
        CrossThreadSpy opened(&device, &DRALCommunicationDevice::deviceOpened);
        CrossThreadSpy closed(&device, &DRALCommunicationDevice::deviceClosed);

        QCOMPARE(device.address(), QByteArray("192.168.0.10"));
        QCOMPARE(device.port(), 10940);
        QVERIFY(device.connectDevice("127.0.0.1", sim.port()));
        QVERIFY(device.isConnected());
        QCOMPARE(device.address(), QByteArray("127.0.0.1"));
        QCOMPARE(device.port(), int(sim.port()));
        QTRY_COMPARE(opened.count(), 1);
        QCOMPARE(opened.at(0).at(0).toByteArray(), QByteArray("127.0.0.1"));
        QCOMPARE(opened.at(0).at(1).toInt(), int(sim.port()));
        QVERIFY(sim.waitForClient(2000));

        QVERIFY(device.disconnectDevice());
        QVERIFY(!device.isConnected());
        QTRY_COMPARE(closed.count(), 1);
        QTRY_VERIFY(!sim.isClientConnected());
        QCOMPARE(device.errorCode(), 0);
    }

    void failedConnectStoresErrorOnce()
    {
        // A refused connection stores -15; errorCodeChanged fires only when the value changes.
        DRALCommunicationDevice device;
        CrossThreadSpy changed(&device, &DRALCommunicationDevice::errorCodeChanged);
        CrossThreadSpy opened(&device, &DRALCommunicationDevice::deviceOpened);
        const int port = closedPort();

        QVERIFY(!device.connectDevice("127.0.0.1", port));
        QVERIFY(!device.connectDevice("127.0.0.1", port));
        QVERIFY(!device.isConnected());
        QCOMPARE(device.errorCode(), -15);
        QTRY_COMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), -15);
        QTest::qWait(50);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(opened.count(), 0);

        device.setErrorCode(0);
        QTRY_COMPARE(changed.count(), 2);
        QCOMPARE(device.property("errorCode").toInt(), 0);
    }

    void checkProgress_data()
    {
        QTest::addColumn<bool>("listening");
        QTest::addColumn<int>("attempts");
        QTest::addColumn<QList<int>>("expectedProgress");

        QTest::newRow("nothing listens, 4 attempts") << false << 4 << QList<int>{25, 50, 75, 100, 100};
        QTest::newRow("nothing listens, 3 attempts") << false << 3 << QList<int>{33, 66, 100, 100};
        QTest::newRow("no attempts") << false << 0 << QList<int>{100};
        QTest::newRow("sensor answers at once") << true << 20 << QList<int>{5, 100};
    }

    void checkProgress()
    {
        // The check reports attempt i of n as i*100/n, then 100 and connected() or connectionFailed().
        QFETCH(bool, listening);
        QFETCH(int, attempts);
        QFETCH(QList<int>, expectedProgress);

        Vexa3dSim::SensorSimulator sim;
        int port = closedPort();
        if (listening) {
            QVERIFY(sim.start());
            port = sim.port();
        }
        DRALCommunicationDevice device;
        EthernetConnectionCheck check(&device);
        check.setAddress("127.0.0.1");
        check.setPort(port);
        check.setAttempts(attempts);
        check.setRetryPause(20);
        CrossThreadSpy progress(&check, &EthernetConnectionCheck::progress);
        CrossThreadSpy connected(&check, &EthernetConnectionCheck::connected);
        CrossThreadSpy failed(&check, &EthernetConnectionCheck::connectionFailed);

        check.start();
        QTRY_COMPARE(connected.count() + failed.count(), 1);
        QVERIFY(check.wait(5000));
        QCOMPARE(connected.count(), listening ? 1 : 0);
        QCOMPARE(device.isConnected(), listening);
        QList<int> values;
        for (const QVariantList &args : progress.calls())
            values << args.at(0).toInt();
        QCOMPARE(values, expectedProgress);
    }

    void checkStopsPromptly()
    {
        // stop() ends the retry pause at once with progress 100 and connectionFailed().
        DRALCommunicationDevice device;
        EthernetConnectionCheck check(&device);
        check.setAddress("127.0.0.1");
        check.setPort(closedPort());
        check.setRetryPause(60000); // only a stop can end this pause within the test
        CrossThreadSpy progress(&check, &EthernetConnectionCheck::progress);
        CrossThreadSpy failed(&check, &EthernetConnectionCheck::connectionFailed);

        check.start();
        QTRY_COMPARE(progress.count(), 1);
        QCOMPARE(progress.at(0).at(0).toInt(), 5);
        check.stop();
        QVERIFY(check.isFinished());
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(progress.count(), 2);
        QCOMPARE(progress.at(1).at(0).toInt(), 100);

        // A new start clears the stop flag and tries again.
        check.start();
        QTRY_COMPARE(progress.count(), 3);
        check.stop();
        QTRY_COMPARE(failed.count(), 2);
    }
};

QTEST_GUILESS_MAIN(tst_DeviceConnection)
#include "tst_device_connection.moc"
