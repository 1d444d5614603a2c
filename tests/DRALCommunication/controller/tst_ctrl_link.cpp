// The live controller when the link breaks: the warning, the reconnection with the connect request's
// retries, giving up, Disconnect while the sensor prepares, and interlace counts the sensor refuses.

#include "ControllerTestSupport.h"
#include "TestSupport.h"

#include "DRALCommunicationDevice.h"
#include "EthernetConnectionCheck.h"

#include <QAction>
#include <QElapsedTimer>
#include <QtTest>

using namespace ControllerTest;

class TestControllerLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }
    void lostConnectionReconnects_data();
    void lostConnectionReconnects();
    void reconnectionEnds_data();
    void reconnectionEnds();
    void disconnectWhilePreparing();
    void refusedInterlaceReverted();
};

void TestControllerLink::lostConnectionReconnects_data()
{
    QTest::addColumn<bool>("stall");
    QTest::newRow("peer closes") << false;
    QTest::newRow("sensor goes silent") << true;
}

void TestControllerLink::lostConnectionReconnects()
{
    // The user is told at once, and the controller connects and initialises again on its own.
    QFETCH(bool, stall);
    Rig rig;
    QVERIFY(rig.startSimulator());
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

void TestControllerLink::reconnectionEnds_data()
{
    QTest::addColumn<bool>("userDisconnects");
    QTest::addColumn<bool>("silent");
    QTest::newRow("attempts run out") << false << false;
    QTest::newRow("user disconnects") << true << false;
    // The attempt opens the socket but the silent sensor answers nothing: Disconnect does not wait.
    QTest::newRow("user disconnects from a silent sensor") << true << true;
}

void TestControllerLink::reconnectionEnds()
{
    // With the sensor gone the controller ends disconnected, with its settings and Connect usable.
    QFETCH(bool, userDisconnects);
    QFETCH(bool, silent);
    Rig rig;
    QVERIFY(rig.startSimulator());
    rig.manager->device()->setDataTimeout(300);
    rig.manager->connectionCheck()->setRetryPause(100);
    QVERIFY(rig.connectAndInitialize());
    rig.manager->connectionCheck()->setAttempts(userDisconnects ? 1000 : 3);
    QVERIFY(rig.sim.waitForLines(5, 3000));
    QSignalSpy warnings(rig.manager.get(), &ScanManager::warningBroadCast);
    QSignalSpy errors(rig.manager.get(), &ScanManager::errorBroadCast);
    QSignalSpy disconnected(rig.manager.get(), &ScanManager::disconnected);

    if (silent)
        rig.sim.stall(20000);
    else
        rig.sim.stop();
    QVERIFY(warnings.wait(1000));
    QTRY_VERIFY(rig.manager->disconnectAction()->isEnabled());
    QVERIFY(!rig.manager->connectAction()->isEnabled());
    QVERIFY(rig.manager->nameProperty()->readOnly());
    if (userDisconnects) {
        QTest::qWait(300);
        QElapsedTimer timer;
        timer.start();
        rig.manager->disconnectAction()->trigger();
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    }
    QTRY_COMPARE(disconnected.count(), 1);
    QTRY_VERIFY(rig.manager->connectAction()->isEnabled());
    QVERIFY(!rig.manager->disconnectAction()->isEnabled());
    QVERIFY(!rig.manager->nameProperty()->readOnly());
    QVERIFY(rig.manager->portProperty()->settable());
    QVERIFY(!rig.manager->connectionCheck()->isRunning());
    QTRY_COMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Failed to connect to 127.0.0.1"));
    rig.sim.stop();
}

void TestControllerLink::disconnectWhilePreparing()
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

void TestControllerLink::refusedInterlaceReverted()
{
    // The property shows the count in force, not the one the sensor refused, and the user is told why.
    Vexa3dSim::Config config;
    config.faults.refusedCommands = {"SET:_itv=0,03"};
    Rig rig(config);
    QVERIFY(rig.startSimulator());
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

QTEST_MAIN(TestControllerLink)
#include "tst_ctrl_link.moc"
