// The connection manager numbers its connections, places their nodes, and forwards their signals with
// the connection's index.
#include "ConnectionManager.h"
#include "ConnectionToolBar.h"
#include "DRALScanManager.h"
#include "IntegerProperty.h"
#include "PointCloud.h"
#include "PropertyItem.h"
#include "ScanManager.h"
#include "SensorSimulator.h"
#include "SimulatorSupport.h"
#include "TestSupport.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QToolBar>
#include <QtTest>

// Mirrors the manager's streaming-thread signals on the test's thread.
class Relay : public QObject
{
    Q_OBJECT
signals:
    void sourceDataReady(uint index, QSharedPointer<SensorData> data, QVector3D position, QVector3D rotation);
    void dralMeasurementDataReady(uint managerIndex, int dataIndex, QSharedPointer<DRALMeasurementData> data);
};

class tst_ConnectionManager : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void connectionsAreNumberedAndNamed()
    {
        ConnectionManager manager;
        QCOMPARE(manager.connectionCount(), 2);
        QCOMPARE(manager.scanManager(0)->typeName(), QStringLiteral("3D LiDAR"));
        QCOMPARE(manager.scanManager(1)->typeName(), QStringLiteral("Log Player"));
        QCOMPARE(manager.connectionId(1), 2);
        QCOMPARE(manager.rootProperty()->children().at(1)->key(), QStringLiteral("connection_2"));
        QVERIFY(!manager.addMenu()->isEnabled());
        QVERIFY(manager.removeAction()->isEnabled());
        QCOMPARE(manager.addMenu()->actions().size(), 2);

        QSignalSpy names(&manager, &ConnectionManager::connectionNamesChanged);
        manager.removeAction()->trigger();
        QCOMPARE(manager.connectionCount(), 1);
        QCOMPARE(manager.rootProperty()->children().size(), 1);
        QVERIFY(manager.addMenu()->isEnabled());
        QVERIFY(!manager.removeAction()->isEnabled());
        manager.removeAction()->trigger(); // the last connection always stays
        QCOMPARE(manager.connectionCount(), 1);

        manager.addMenu()->actions().first()->trigger(); // the sensor kind
        QCOMPARE(manager.connectionCount(), 2);
        QCOMPARE(manager.scanManager(1)->typeName(), QStringLiteral("3D LiDAR"));
        QCOMPARE(manager.connectionId(1), 2);
        QCOMPARE(names.count(), 2);
        QCOMPARE(names.last().at(0).toStringList(), (QStringList{"connection_1", "connection_2"}));

        // Messages are passed on with the number of the connection they come from.
        QSignalSpy warnings(&manager, &ConnectionManager::warningBroadCast);
        for (int i : {1, 0})
            emit manager.scanManager(i)->warningBroadCast(QStringLiteral("Failed to connect to 10.0.0.9"));
        QCOMPARE(warnings.count(), 2);
        QCOMPARE(warnings.at(0).at(0).toString(),
                 QStringLiteral("Connection 2: Failed to connect to 10.0.0.9"));
        QCOMPARE(warnings.at(1).at(0).toString(),
                 QStringLiteral("Connection 1: Failed to connect to 10.0.0.9"));
    }

    void linesReachTheRecordersWithTheirPose()
    {
        Vexa3dSim::SensorSimulator sim;
        QVERIFY(SimulatorSupport::startInPortRange(sim));
        ConnectionManager manager;
        // A second live sensor in place of the log player.
        manager.removeAction()->trigger();
        manager.addConnection(LiveSensorConnection);
        ScanManager *second = manager.scanManager(1);
        auto *cloud = qobject_cast<PointCloud *>(second->viewObject()->children().value(0));
        QVERIFY(cloud);
        cloud->setPos(QVector3D(1, 2, 3));

        // Both are emitted on the device's streaming thread; the spies read here, so they get them queued
        // through a relay that lives on this thread.
        Relay relay;
        connect(&manager, &ConnectionManager::sourceDataReady, &relay, &Relay::sourceDataReady,
                Qt::QueuedConnection);
        connect(&manager, &ConnectionManager::dralMeasurementDataReady, &relay,
                &Relay::dralMeasurementDataReady, Qt::QueuedConnection);
        QSignalSpy frames(&relay, &Relay::sourceDataReady);
        QSignalSpy lines(&relay, &Relay::dralMeasurementDataReady);
        second->setDeviceName(QStringLiteral("127.0.0.1"));
        second->setDevicePort(sim.port());
        second->connectRequested();
        QTRY_VERIFY_WITH_TIMEOUT(frames.count() > 3, 20000);
        QTRY_VERIFY(lines.count() > 3);
        const QList<QVariant> first = frames.first();
        QCOMPARE(first.at(0).toUInt(), 1u);
        QVERIFY(first.at(1).value<QSharedPointer<SensorData>>());
        QCOMPARE(first.at(2).value<QVector3D>(), QVector3D(1, 2, 3));
        QCOMPARE(first.at(3).value<QVector3D>(), second->cloudRotation());
        QCOMPARE(lines.first().at(0).toUInt(), 1u);
        manager.stopAll();
        second->disconnectRequested();
        QTRY_VERIFY_WITH_TIMEOUT(!second->isConnected(), 10000);
    }

    void liveConnectionToolBar()
    {
        // The device actions sit beside Connect and Disconnect and on the connection's node, enabled
        // while connected; Enter in the address field connects to "ADDRESS:PORT"; a locked field looks it.
        Vexa3dSim::SensorSimulator sim;
        QVERIFY(SimulatorSupport::startInPortRange(sim));
        ConnectionManager manager;
        auto *live = qobject_cast<DRALScanManager *>(manager.scanManager(0));
        QVERIFY(live);
        QToolBar bar;
        auto *field = new QLineEdit(&bar);
        field->setMaxLength(15);
        bar.addWidget(field);
        bar.addAction(live->connectAction());
        bar.addAction(live->disconnectAction());
        manager.equipToolBar(0, &bar, field);
        manager.equipToolBar(1, &bar, field); // the log player has none of these
        const QList<QAction *> actions{live->connectAction(), live->disconnectAction(),
                                       live->informationAction(), live->rebootAction()};
        QCOMPARE(bar.actions().mid(1), actions);
        QCOMPARE(live->rootProperty()->actions(), actions);
        const QColor editable = field->palette().color(QPalette::Base);

        QSignalSpy connected(live, &ScanManager::connected);
        QTest::keyClicks(field, QStringLiteral("127.0.0.1:%1").arg(sim.port()));
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(connected.wait(5000));
        QCOMPARE(live->portProperty()->intValue(), sim.port());
        for (bool connectedNow : {true, false}) {
            QTRY_COMPARE(live->informationAction()->isEnabled(), connectedNow);
            QCOMPARE(live->rebootAction()->isEnabled(), connectedNow);
            QCOMPARE(field->isReadOnly(), connectedNow);
            QCOMPARE(ConnectionToolBar::looksReadOnly(field), connectedNow);
            QCOMPARE(field->palette().color(QPalette::Base) == editable, !connectedNow);
            live->disconnectRequested();
        }
    }
};

QTEST_MAIN(tst_ConnectionManager)
#include "tst_connectionmanager.moc"
