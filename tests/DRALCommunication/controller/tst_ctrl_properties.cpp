#include "ControllerTestSupport.h"
#include "TestSupport.h"

#include "ColorLegendLayer.h"
#include "DRALCommunicationDevice.h"
#include "PointCloud.h"
#include "PointCloudProperty.h"

#include <QAction>
#include <QTranslator>
#include <QtTest>

using namespace ControllerTest;

class tst_ControllerProperties : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void nothingReachesADisconnectedSensor()
    {
        // A new choice while disconnected is only stored and starts nothing; "Reboot" tells the user and
        // sends nothing.
        Rig rig;
        QVERIFY(rig.startSimulator());
        QSignalSpy started(rig.manager.get(), &ScanManager::measurementStarted);
        QSignalSpy errors(rig.manager.get(), &ScanManager::errorBroadCast);
        rig.manager->measurementTypeProperty()->setOptionValue(DistanceIntensityMode);
        rig.manager->auxiliaryTypeProperty()->setOptionValue(AuxiliaryMode);
        QCOMPARE(rig.manager->measurementMode(), int(DistanceIntensityMode));
        QCOMPARE(rig.manager->auxiliaryMode(), int(AuxiliaryMode));
        rig.manager->rebootAction()->setEnabled(true); // as if the user reached it anyway
        rig.manager->rebootAction()->trigger();
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Device not connected!"));
        QTest::qWait(100);
        QVERIFY(!rig.manager->device()->isRunning());
        QCOMPARE(rig.manager->device()->mode(), 0);
        QCOMPARE(started.count(), 0);
        QCOMPARE(rig.sim.connectionCount(), 0);
        QVERIFY(rig.sim.commandLog().empty());
    }

    void viewObjects()
    {
        // The view object groups the cloud and its emphasis overlay; the legend is the sensor view item.
        DRALScanManager manager;
        RenderableItem *group = manager.viewObject();
        QVERIFY(group->children().contains(manager.pointCloud()));
        QVERIFY(group->children().contains(manager.emphasisCloud()));
        auto *legend = qobject_cast<ColorLegendLayer *>(manager.sensorViewItem(0));
        QVERIFY(legend);
        manager.applyToSensorViewItems(QStringLiteral("Connection 1"));
        QCOMPARE(legend->title(), QStringLiteral("Connection 1"));
        QVERIFY(manager.rootProperty()->children().contains(manager.pointCloudProperty()));

        // The emphasis overlay follows the cloud's pose.
        manager.pointCloud()->setPos(QVector3D(1, 2, 3));
        manager.pointCloud()->setRotation(QVector3D(10, 20, 30));
        QCOMPARE(manager.emphasisCloud()->pos(), QVector3D(1, 2, 3));
        QCOMPARE(manager.emphasisCloud()->rotation(), QVector3D(10, 20, 30));
    }

    void retranslateToJapanese()
    {
        // A language change renames the settings, choices and actions; keys and chosen values stay.
        DRALScanManager manager;
        manager.measurementTypeProperty()->setOptionValue(DistanceIntensityMode);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/translations/ja")));
        QCoreApplication::installTranslator(&translator);
        manager.retranslate();
        QCoreApplication::removeTranslator(&translator);

        QCOMPARE(manager.portProperty()->name(), QStringLiteral("ポート"));
        QCOMPARE(manager.portProperty()->key(), QStringLiteral("port"));
        QCOMPARE(manager.horizontalProperty()->name(), QStringLiteral("モーター"));
        QCOMPARE(manager.measurementTypeProperty()->value().toString(), QStringLiteral("距離と強度"));
        QCOMPARE(manager.measurementMode(), int(DistanceIntensityMode));
        QCOMPARE(manager.connectAction()->text(), QStringLiteral("接続"));
        QCOMPARE(manager.typeName(), QStringLiteral("3D LiDAR"));

        manager.retranslate();
        QCOMPARE(manager.portProperty()->name(), QStringLiteral("Port"));
        QCOMPARE(manager.measurementTypeProperty()->value().toString(), QStringLiteral("Range & Level"));
    }
};

QTEST_MAIN(tst_ControllerProperties)
#include "tst_ctrl_properties.moc"
