// The live controller's connection attempts: the address text, the attempts to a dead port or after the
// link broke, giving up, Disconnect while the sensor prepares, and interlace counts the sensor refuses.

#include "ControllerTestSupport.h"
#include "TestSupport.h"

#include "DRALCommunicationDevice.h"
#include "EthernetConnectionCheck.h"

#include <QAction>
#include <QElapsedTimer>
#include <QtTest>

using namespace ControllerTest;

class tst_ControllerLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }
    void lostConnectionReconnects_data()
    {
        QTest::addColumn<bool>("stall");
        QTest::newRow("peer closes") << false;
        QTest::newRow("sensor goes silent") << true;
    }

    void lostConnectionReconnects()
    {
        // The user is told at once, and the controller connects and initialises again on its own.
        QFETCH(bool, stall);
        Rig rig;
        rig.manager->device()->setDataTimeout(300);
        rig.manager->connectionCheck()->setRetryPause(100);
        QVERIFY(rig.connectAndInitialize());
        QVERIFY(rig.sim.waitForLines(5, 3000));
        QSignalSpy warnings(rig.manager.get(), &ScanManager::warningBroadCast);
        QSignalSpy initialized(rig.manager.get(), &ScanManager::initialized);

        if (stall)
            rig.sim.stall(1500);
        else
            rig.sim.dropConnection();
        QVERIFY(warnings.wait(1000));
        QCOMPARE(warnings.count(), 1);
        QCOMPARE(warnings.at(0).at(0).toString(), QStringLiteral("Connection to 127.0.0.1 lost"));
        QVERIFY(initialized.wait(10000));
        QCOMPARE(rig.sim.connectionCount(), 2);
        QTRY_VERIFY(rig.manager->disconnectAction()->isEnabled());
        QVERIFY(!rig.manager->connectAction()->isEnabled());
        const int before = int(rig.sim.linesSent());
        QVERIFY(rig.sim.waitForLines(uint64_t(before + 5), 3000));
        QVERIFY(rig.disconnect());
    }

    void addressText_data()
    {
        // "%1" stands for the simulator's port; no error: it connects.
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        const QString notAnAddress =
            QStringLiteral(" is not a sensor address (a numeric IPv4 address or localhost)");
        QTest::newRow("address") << "127.0.0.1" << QString();
        QTest::newRow("address and port") << " 127.0.0.1:%1 " << QString();
        QTest::newRow("empty") << ""
                               << "No sensor address to connect to";
        QTest::newRow("port only") << ":%1"
                                   << "No sensor address to connect to";
        QTest::newRow("three parts") << "127.0.1"
                                     << "127.0.1" + notAnAddress;
        QTest::newRow("part above 255") << "127.0.0.256:%1"
                                        << "127.0.0.256:%1" + notAnAddress;
        QTest::newRow("port out of range") << "127.0.0.1:80"
                                           << "Invalid port in 127.0.0.1:80 (allowed: 1024 to 49151)";
        QTest::newRow("port not a number") << "127.0.0.1:x"
                                           << "Invalid port in 127.0.0.1:x (allowed: 1024 to 49151)";
    }

    void addressText()
    {
        // The address setting takes "ADDRESS" or "ADDRESS:PORT"; anything else is refused before any attempt.
        QFETCH(QString, text);
        QFETCH(QString, error);
        Rig rig;
        QVERIFY(rig.startSimulator());
        const QString port = QString::number(rig.sim.port());
        if (text.contains(QStringLiteral("%1")))
            rig.manager->setDevicePort(10940); // the text has to bring the port
        rig.manager->setDeviceName(text.replace(QStringLiteral("%1"), port));
        QSignalSpy errors(rig.manager.get(), &ScanManager::errorBroadCast);
        QSignalSpy connecting(rig.manager.get(), &ScanManager::connecting);
        QSignalSpy connected(rig.manager.get(), &ScanManager::connected);
        rig.manager->connectRequested();
        if (error.isEmpty()) {
            QVERIFY(connected.wait(5000));
            QCOMPARE(rig.manager->deviceName(), QStringLiteral("127.0.0.1"));
            QCOMPARE(rig.manager->portProperty()->intValue(), rig.sim.port());
            QVERIFY(rig.disconnect());
        } else {
            QCOMPARE(errors.count(), 1);
            QCOMPARE(errors.at(0).at(0).toString(), error.replace(QStringLiteral("%1"), port));
            QCOMPARE(connecting.count(), 0);
            QVERIFY(!rig.manager->connectionCheck()->isRunning());
            QTest::qWait(100);
            QVERIFY(rig.manager->connectAction()->isEnabled());
        }
        QCOMPARE(rig.sim.connectionCount(), error.isEmpty() ? 1 : 0);
    }

    void attemptsEnd_data()
    {
        QTest::addColumn<bool>("lost"); // the link broke after initialisation; otherwise a first connect
        QTest::addColumn<bool>("userDisconnects");
        QTest::addColumn<bool>("silent");
        QTest::newRow("dead port, attempts run out") << false << false << false;
        QTest::newRow("dead port, user gives up") << false << true << false;
        QTest::newRow("lost, attempts run out") << true << false << false;
        QTest::newRow("lost, user disconnects") << true << true << false;
        // The attempt opens the socket but the silent sensor answers nothing: Disconnect does not wait.
        QTest::newRow("lost, user disconnects from a silent sensor") << true << true << true;
    }

    void attemptsEnd()
    {
        // While the attempts run the user is told where to, Connect waits and Disconnect gives up; at the
        // end the controller is disconnected with its settings and Connect usable, and the error names the
        // address and port tried.
        QFETCH(bool, lost);
        QFETCH(bool, userDisconnects);
        QFETCH(bool, silent);
        Rig rig;
        QVERIFY(rig.startSimulator());
        SimulatorSupport::DeadPort dead;
        if (!lost)
            rig.manager->setDevicePort(dead.port());
        const QString target = QStringLiteral("127.0.0.1:%1").arg(lost ? rig.sim.port() : dead.port());
        rig.manager->device()->setDataTimeout(300);
        rig.manager->connectionCheck()->setRetryPause(100);
        if (lost) {
            QVERIFY(rig.connectAndInitialize());
            QVERIFY(rig.sim.waitForLines(5, 3000));
        }
        rig.manager->connectionCheck()->setAttempts(userDisconnects ? 1000 : 3);
        QSignalSpy information(rig.manager.get(), &ScanManager::informationBroadCast);
        QSignalSpy warnings(rig.manager.get(), &ScanManager::warningBroadCast);
        QSignalSpy errors(rig.manager.get(), &ScanManager::errorBroadCast);
        QSignalSpy failed(rig.manager.get(), &ScanManager::connectionFailed);
        QSignalSpy disconnected(rig.manager.get(), &ScanManager::disconnected);

        if (silent)
            rig.sim.stall(20000);
        else if (lost)
            rig.sim.stop();
        if (lost)
            QVERIFY(warnings.wait(1000));
        else
            rig.manager->connectRequested();
        QTRY_VERIFY(rig.manager->disconnectAction()->isEnabled());
        QCOMPARE(information.at(0).at(0).toString(), QStringLiteral("Connecting to %1 ...").arg(target));
        QVERIFY(!rig.manager->connectAction()->isEnabled());
        QVERIFY(rig.manager->nameProperty()->readOnly());
        if (userDisconnects) {
            QTest::qWait(300);
            QElapsedTimer timer;
            timer.start();
            rig.manager->disconnectAction()->trigger();
            QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        }
        QTRY_COMPARE(failed.count(), 1);
        // Disconnect closes the device whether or not it was open.
        QCOMPARE(disconnected.count(), lost || userDisconnects ? 1 : 0);
        QTRY_VERIFY(rig.manager->connectAction()->isEnabled());
        QVERIFY(!rig.manager->disconnectAction()->isEnabled());
        QVERIFY(!rig.manager->nameProperty()->readOnly());
        QVERIFY(rig.manager->portProperty()->settable());
        QVERIFY(!rig.manager->connectionCheck()->isRunning());
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Failed to connect to %1").arg(target));
        rig.sim.stop();
    }

    void disconnectWhilePreparing()
    {
        // Disconnect is offered while the sensor prepares, and ends the initialisation within a second.
        Vexa3dSim::Config config;
        config.preparingMs = 600000;
        Rig rig(config);
        QVERIFY(rig.startSimulator());
        QSignalSpy failed(rig.manager.get(), &ScanManager::initializationFailed);
        rig.manager->connectRequested();
        QTRY_VERIFY_WITH_TIMEOUT(rig.sim.waitForCommand("GET:stat", 10), 5000);
        QTRY_VERIFY(rig.manager->disconnectAction()->isEnabled());

        QElapsedTimer timer;
        timer.start();
        rig.manager->disconnectAction()->trigger();
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QTRY_VERIFY(rig.manager->connectAction()->isEnabled());
        QVERIFY(!rig.manager->isConnected());
        QCOMPARE(failed.count(), 0);
    }

    void refusedInterlaceReverted()
    {
        // The property shows the count in force, not the one the sensor refused, and the user is told why.
        Vexa3dSim::Config config;
        config.faults.refusedCommands = {"SET:_itv=0,03"};
        Rig rig(config);
        QVERIFY(rig.connectAndInitialize());
        QSignalSpy warnings(rig.manager.get(), &ScanManager::warningBroadCast);
        rig.manager->verticalProperty()->setIntValue(3);
        QCOMPARE(rig.manager->verticalProperty()->intValue(), 1);
        QCOMPARE(warnings.count(), 1);
        QCOMPARE(warnings.at(0).at(0).toString(),
                 QStringLiteral("127.0.0.1 refused interlace 3 (error -1); 1 stays in force"));
        rig.manager->verticalProperty()->setIntValue(2);
        QCOMPARE(rig.manager->verticalProperty()->intValue(), 2);
        QCOMPARE(rig.manager->device()->currentVerticalInterlace(), 2);
        QCOMPARE(warnings.count(), 1);
        QVERIFY(rig.disconnect());
    }
};

QTEST_MAIN(tst_ControllerLink)
#include "tst_ctrl_link.moc"
