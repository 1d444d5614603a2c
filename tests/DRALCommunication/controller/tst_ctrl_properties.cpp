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

namespace {

PropertyItem *findByKey(PropertyItem *root, const QString &key)
{
    if (!root)
        return nullptr;
    if (root->key() == key)
        return root;
    for (PropertyItem *child : root->children())
        if (PropertyItem *found = findByKey(child, key))
            return found;
    return nullptr;
}

} // namespace

class TestControllerProperties : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void propertyTable_data();
    void propertyTable();
    void choices_data();
    void choices();
    void disconnectedState();
    void rebootWhileDisconnected();
    void measurementTypeWhileDisconnected();
    void informationTextBeforeInitialisation();
    void viewObjects();
    void templateValuesAreNotSubstitutedAgain();
    void retranslateToJapanese();
};

void TestControllerProperties::initTestCase()
{
    TestSupport::isolateSettings();
}

void TestControllerProperties::propertyTable_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("parentKey");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("minValue");
    QTest::addColumn<int>("maxValue");
    QTest::addColumn<QString>("hint");

    const QVariant none;
    QTest::newRow("device group") << "device"
                                  << "connection"
                                  << "Device" << none << 0 << 0 << "";
    QTest::newRow("name") << "name"
                          << "device"
                          << "Name" << QVariant("192.168.0.10") << 0 << 0 << "";
    QTest::newRow("port") << "port"
                          << "device"
                          << "Port" << QVariant(10940) << 1024 << 49151 << "";
    QTest::newRow("interlace group") << "interlace"
                                     << "connection"
                                     << "Interlace" << none << 0 << 0 << "";
    // Before any initialisation the stored product is empty, so the fields take the usual names.
    QTest::newRow("horizontal as motor") << "motor"
                                         << "interlace"
                                         << "Motor" << QVariant(1) << 1 << 10 << "";
    QTest::newRow("vertical as rem") << "rem"
                                     << "interlace"
                                     << "Rem" << QVariant(1) << 1 << 10 << "QTR-S: [1,1]\nQTR-L: [1,10]";
    QTest::newRow("measurement type") << "measurment_type"
                                      << "connection"
                                      << "Measurment Type" << QVariant("Range Only") << 0 << 0 << "";
    QTest::newRow("auxiliary type") << "auxiliary_type"
                                    << "connection"
                                    << "Auxiliary Type" << QVariant("No Data") << 0 << 0 << "";
    QTest::newRow("auxiliary readout") << "auxiliary"
                                       << "connection"
                                       << "Auxiliary" << none << 0 << 0 << "";
    QTest::newRow("gyroscope") << "gyroscope"
                               << "auxiliary"
                               << "Gyroscope" << QVariant("") << 0 << 0 << "";
    QTest::newRow("accelerometer") << "accelerometer"
                                   << "auxiliary"
                                   << "Accelerometer" << QVariant("") << 0 << 0 << "";
    QTest::newRow("temperature") << "temperature"
                                 << "auxiliary"
                                 << "Temperature" << QVariant("") << 0 << 0 << "";
}

void TestControllerProperties::propertyTable()
{
    // Every connection setting has its name, key, place, default, range and hint.
    QFETCH(QString, key);
    QFETCH(QString, parentKey);
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    QFETCH(int, minValue);
    QFETCH(int, maxValue);
    QFETCH(QString, hint);

    DRALScanManager manager;
    PropertyItem *item = findByKey(manager.rootProperty(), key);
    QVERIFY(item);
    QVERIFY(item->parentItem());
    QCOMPARE(item->parentItem()->key(), parentKey);
    QCOMPARE(item->name(), name);
    if (value.isValid())
        QCOMPARE(item->value().toString(), value.toString());
    if (auto *integer = qobject_cast<IntegerProperty *>(item)) {
        QCOMPARE(integer->minValue(), minValue);
        QCOMPARE(integer->maxValue(), maxValue);
    }
    QCOMPARE(item->description(), hint);
}

void TestControllerProperties::choices_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<int>>("values");

    QTest::newRow("measurement type")
        << "measurment_type" << QStringList{"No Data", "Range Only", "Range & Level"} << QList<int>{0, 1, 2};
    QTest::newRow("auxiliary type") << "auxiliary_type" << QStringList{"No Data", "Auxiliary"}
                                    << QList<int>{0, 4};
}

void TestControllerProperties::choices()
{
    // The two choices offer their labels with the mode bits they stand for.
    QFETCH(QString, key);
    QFETCH(QStringList, labels);
    QFETCH(QList<int>, values);

    DRALScanManager manager;
    auto *choice = qobject_cast<ComboBoxProperty *>(findByKey(manager.rootProperty(), key));
    QVERIFY(choice);
    for (int i = 0; i < labels.size(); ++i) {
        choice->setOptionValue(values.at(i));
        QCOMPARE(choice->value().toString(), labels.at(i));
        QCOMPARE(choice->optionValue(), values.at(i));
    }
}

void TestControllerProperties::disconnectedState()
{
    // A new controller only offers Connect, and its address and port can be edited.
    DRALScanManager manager;
    QCoreApplication::processEvents(); // lets the state machine enter its first state
    QVERIFY(manager.connectAction()->isEnabled());
    QVERIFY(!manager.disconnectAction()->isEnabled());
    QVERIFY(!manager.informationAction()->isEnabled());
    QVERIFY(!manager.rebootAction()->isEnabled());
    QVERIFY(!manager.nameProperty()->readOnly());
    QVERIFY(manager.nameProperty()->settable());
    QVERIFY(!manager.portProperty()->readOnly());
    QVERIFY(manager.portProperty()->settable());
    QVERIFY(!manager.isConnected());
    QCOMPARE(manager.connectAction()->text(), QStringLiteral("Connect"));
    QCOMPARE(manager.disconnectAction()->text(), QStringLiteral("Disconnect"));
    QCOMPARE(manager.informationAction()->text(), QStringLiteral("Device Information"));
    QCOMPARE(manager.rebootAction()->text(), QStringLiteral("Reboot"));
    QCOMPARE(manager.typeName(), QStringLiteral("3D LiDAR"));
    QCOMPARE(manager.sensorCount(), 1);
    QCOMPARE(manager.deviceName(), QStringLiteral("192.168.0.10"));
}

void TestControllerProperties::rebootWhileDisconnected()
{
    // "Reboot" without a connection tells the user and sends nothing to the sensor.
    Rig rig;
    QVERIFY(rig.startSimulator());
    QSignalSpy errors(rig.manager.get(), &ScanManager::errorBroadCast);
    rig.manager->rebootAction()->setEnabled(true); // as if the user reached it anyway
    rig.manager->rebootAction()->trigger();
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Device not connected!"));
    QTest::qWait(100);
    QCOMPARE(rig.sim.connectionCount(), 0);
    QVERIFY(rig.sim.commandLog().empty());
}

void TestControllerProperties::measurementTypeWhileDisconnected()
{
    // A new choice while disconnected is only stored and starts nothing.
    Rig rig;
    QVERIFY(rig.startSimulator());
    QSignalSpy started(rig.manager.get(), &ScanManager::measurementStarted);
    rig.manager->measurementTypeProperty()->setOptionValue(DistanceIntensityMode);
    rig.manager->auxiliaryTypeProperty()->setOptionValue(AuxiliaryMode);
    QCOMPARE(rig.manager->measurementMode(), int(DistanceIntensityMode));
    QCOMPARE(rig.manager->auxiliaryMode(), int(AuxiliaryMode));
    QTest::qWait(100);
    QVERIFY(!rig.manager->device()->isRunning());
    QCOMPARE(rig.manager->device()->mode(), 0);
    QCOMPARE(started.count(), 0);
    QCOMPARE(rig.sim.connectionCount(), 0);
}

void TestControllerProperties::informationTextBeforeInitialisation()
{
    // Before the first initialisation the sensor's half of the box is empty.
    DRALScanManager manager;
    manager.rootProperty()->setName(QStringLiteral("Connection 1"));
    const QString expected = QStringLiteral("Connection Name: \tConnection 1\n"
                                            "Device Name: \t192.168.0.10\n"
                                            "Device Port: \t10940\n"
                                            "------------------------------------------\n"
                                            "Product Name: \t\n"
                                            "Serial Number: \t\n"
                                            "Firmware Version: \t\n"
                                            "Protocol Version: \t\n");
    QCOMPARE(manager.deviceInformationText(), expected);
}

void TestControllerProperties::viewObjects()
{
    // The view object groups the cloud and its emphasis overlay; the legend is the sensor view item.
    DRALScanManager manager;
    RenderableItem *group = manager.viewObject();
    QVERIFY(group);
    QVERIFY(group->children().contains(manager.pointCloud()));
    QVERIFY(group->children().contains(manager.emphasisCloud()));
    QCOMPARE(manager.pointCloudProperty()->pointCloud(), manager.pointCloud());
    auto *legend = qobject_cast<ColorLegendLayer *>(manager.sensorViewItem(0));
    QVERIFY(legend);
    manager.applyToSensorViewItems(QStringLiteral("Connection 1"));
    QCOMPARE(legend->title(), QStringLiteral("Connection 1"));
    QVERIFY(manager.rootProperty()->children().contains(manager.pointCloudProperty()));

    // The emphasis overlay follows the cloud's pose; the pose is what the controller reports.
    manager.pointCloud()->setPos(QVector3D(1, 2, 3));
    manager.pointCloud()->setRotation(QVector3D(10, 20, 30));
    QCOMPARE(manager.emphasisCloud()->pos(), QVector3D(1, 2, 3));
    QCOMPARE(manager.emphasisCloud()->rotation(), QVector3D(10, 20, 30));
    QCOMPARE(manager.cloudPosition(), QVector3D(1, 2, 3));
    QCOMPARE(manager.cloudRotation(), QVector3D(10, 20, 30));
}

void TestControllerProperties::templateValuesAreNotSubstitutedAgain()
{
    // A connection name that looks like a placeholder is shown as it is.
    DRALScanManager manager;
    manager.rootProperty()->setName(QStringLiteral("%3 and %12"));
    QVERIFY(manager.deviceInformationText().startsWith(QStringLiteral("Connection Name: \t%3 and %12\n")));
}

void TestControllerProperties::retranslateToJapanese()
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
    QCOMPARE(manager.measurementTypeProperty()->optionValue(), int(DistanceIntensityMode));
    QCOMPARE(manager.measurementMode(), int(DistanceIntensityMode));
    QCOMPARE(manager.connectAction()->text(), QStringLiteral("接続"));
    QCOMPARE(manager.typeName(), QStringLiteral("3D LiDAR"));

    manager.retranslate();
    QCOMPARE(manager.portProperty()->name(), QStringLiteral("Port"));
    QCOMPARE(manager.measurementTypeProperty()->value().toString(), QStringLiteral("Range & Level"));
}

QTEST_MAIN(TestControllerProperties)
#include "tst_ctrl_properties.moc"
