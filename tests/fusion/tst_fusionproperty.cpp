// A connection's fusion fed with real auxiliary records, and its "Fusion" switch in the property tree.
#include "AuxiliaryDataFusion.h"
#include "DRALAuxiliaryData.h"
#include "FloatProperty.h"
#include "FusionProperty.h"
#include "MadgwickFilter.h"
#include "OrientationFusion.h"
#include "TestSupport.h"

#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

namespace {
// Ten gyro and acceleration samples 10 ms apart ending at `last`; raw 655 is 655 * 500 / 32767 deg/s.
QSharedPointer<DRALAuxiliaryData> record(quint32 last, quint32 kinds = DRALAuxiliaryData::Gyro |
                                                                       DRALAuxiliaryData::Acceleration)
{
    VEXA3D_AUXILIARY_DATA_T packet;
    packet.kinds = kinds;
    packet.sampleCount = 10;
    packet.timestamp = last - 90;
    for (int i = 0; i < 10; ++i) {
        VEXA3D_AUX_SAMPLE_T &s = packet.samples[i];
        s.timestamp = int32_t(last - 90 + 10 * quint32(i));
        s.gyroX = 655;
        s.gyroY = -1310;
        s.gyroZ = 0;
        s.accelX = 819;
        s.accelY = 0;
        s.accelZ = 8191;
    }
    return QSharedPointer<DRALAuxiliaryData>::create(packet, VEXA3D_SPEC_T{});
}

QVector3D expectedAlignment()
{
    // The alignment runs the filter on the frame's means (single-precision sums of the ten samples).
    const double g = 500.0 / 32767.0, a = 4.0 / 32767.0;
    const double raw[6] = {655 * g, -1310 * g, 0, 819 * a, 0, 8191 * a};
    float mean[6];
    for (int k = 0; k < 6; ++k) {
        float sum = 0;
        for (int i = 0; i < 10; ++i)
            sum += float(raw[k]);
        mean[k] = sum / 10.0f;
    }
    MadgwickFilter f(0.1);
    f.setSampleFrequency(100);
    for (int i = 0; i < 2999; ++i)
        f.updateIMU(mean[0], mean[1], mean[2], mean[3], mean[4], mean[5]);
    return QVector3D(float(f.angleA()), float(f.angleB()), float(f.angleC()));
}
} // namespace

class TestFusionProperty : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void switchRunsTheFusion()
    {
        OrientationFusion fusion;
        fusion.fusion()->setAlignmentPause(0);
        FusionProperty property(&fusion);
        QSignalSpy angles(&fusion, &OrientationFusion::anglesChanged);
        QSignalSpy enabled(&fusion, &OrientationFusion::enabledChanged);
        QCOMPARE(property.key(), QStringLiteral("fusion"));
        QCOMPARE(property.children().size(), 3);
        for (PropertyItem *angle : property.children()) {
            QVERIFY(angle->hidden());
            QVERIFY(angle->readOnly());
            QVERIFY(!angle->settable());
        }

        fusion.addAuxiliaryData(record(1000));
        QTest::qWait(50);
        QCOMPARE(angles.count(), 0);

        property.setBoolValue(true);
        QCOMPARE(enabled.count(), 1);
        QVERIFY(fusion.isEnabled());
        QVERIFY(!property.rollProperty()->hidden());
        fusion.addAuxiliaryData(record(2000));
        QVERIFY(angles.wait(10000));
        QCOMPARE(angles.count(), 1);
        const QVector3D aligned = angles.at(0).at(0).value<QVector3D>();
        QCOMPARE(aligned, expectedAlignment());
        QCOMPARE(property.rollProperty()->floatValue(), aligned.x());
        QCOMPARE(property.pitchProperty()->floatValue(), aligned.y());
        QCOMPARE(property.yawProperty()->floatValue(), aligned.z());

        // The first frame after the alignment takes its stamp, each further one is a step.
        fusion.addAuxiliaryData(record(2100));
        fusion.addAuxiliaryData(record(2200));
        fusion.addAuxiliaryData(record(2300, DRALAuxiliaryData::Temperature));
        fusion.addAuxiliaryData({});
        QCOMPARE(angles.count(), 2);
        QCOMPARE(property.yawProperty()->floatValue(), fusion.angles().z());

        fusion.setEnabled(false);
        QVERIFY(!property.boolValue());
        QVERIFY(property.rollProperty()->hidden());
        fusion.addAuxiliaryData(record(2400));
        QCOMPARE(angles.count(), 2);
        QCOMPARE(enabled.count(), 2);
    }

    void angleNames_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("japanese");
        QTest::newRow("roll") << 0 << "roll"
                              << "X (Roll) [deg]"
                              << "X (ロール) [度]";
        QTest::newRow("pitch") << 1 << "pitch"
                               << "Y (Pitch) [deg]"
                               << "Y (ピッチ) [度]";
        QTest::newRow("yaw") << 2 << "yaw"
                             << "Z (Yaw) [deg]"
                             << "Z (ヨー) [度]";
    }
    void angleNames()
    {
        QFETCH(int, index);
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(QString, japanese);
        FusionProperty property(nullptr);
        QCOMPARE(property.name(), QStringLiteral("Fusion"));
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/translations/ja")));
        QCoreApplication::installTranslator(&translator);
        property.retranslate();
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(property.name(), QStringLiteral("フュージョン"));
        QCOMPARE(property.children().at(index)->name(), japanese);
        property.retranslate();
        QCOMPARE(property.children().at(index)->key(), key);
        QCOMPARE(property.children().at(index)->name(), name);
    }
};

QTEST_MAIN(TestFusionProperty)
#include "tst_fusionproperty.moc"
