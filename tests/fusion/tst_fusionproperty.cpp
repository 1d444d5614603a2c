// A connection's fusion fed with real auxiliary records, and its "Fusion" switch in the property tree.
#include "AuxiliaryDataFusion.h"
#include "DRALAuxiliaryData.h"
#include "FloatProperty.h"
#include "FusionProperty.h"
#include "OrientationFusion.h"
#include "TestSupport.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
const quint32 GyroAndAccel = DRALAuxiliaryData::Gyro | DRALAuxiliaryData::Acceleration;

// Ten equal samples 10 ms apart ending at `last`: raw gyro (655, -1310, 0), acceleration (819, 0, 8191).
QSharedPointer<DRALAuxiliaryData> record(quint32 last, quint32 kinds = GyroAndAccel)
{
    VEXA3D_AUXILIARY_DATA_T packet;
    packet.kinds = kinds;
    packet.sampleCount = 10;
    for (int i = 0; i < 10; ++i)
        packet.samples[i] = {int32_t(last - 90 + 10 * quint32(i)), 655, -1310, 0, 819, 0, 8191, 0, 0, 0, 0};
    return QSharedPointer<DRALAuxiliaryData>::create(packet, VEXA3D_SPEC_T{});
}

// The alignment on those samples, from madgwick_reference.py ("recordAligned").
const QVector3D expectedAlignment(-41.0948188f, -141.297047f, 117.616013f);
} // namespace

class TestFusionProperty : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    // The switch starts the alignment, the angles reach the three shown nodes, and switching off stops it.
    void switchRunsTheFusion()
    {
        OrientationFusion fusion;
        fusion.fusion()->setAlignmentPause(0);
        FusionProperty property(&fusion);
        QSignalSpy angles(&fusion, &OrientationFusion::anglesChanged);
        QSignalSpy enabled(&fusion, &OrientationFusion::enabledChanged);
        FloatProperty *shown[3] = {property.rollProperty(), property.pitchProperty(), property.yawProperty()};
        QVERIFY(property.rollProperty()->hidden());

        fusion.addAuxiliaryData(record(1000));
        property.setBoolValue(true);
        QCOMPARE(enabled.count(), 1);
        QVERIFY(!property.rollProperty()->hidden());
        fusion.addAuxiliaryData(record(2000));
        QVERIFY(angles.wait(10000));
        QCOMPARE(angles.count(), 1);
        const QVector3D aligned = angles.at(0).at(0).value<QVector3D>();
        QVERIFY2((aligned - expectedAlignment).length() < 1e-3f,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(aligned.x()).arg(aligned.y()).arg(aligned.z())));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(shown[i]->floatValue(), aligned[i]);

        // The first frame after the alignment takes its stamp, each further one is a step; frames without
        // gyro samples and empty pointers are passed over.
        for (const auto &data : {record(2100), record(2200), record(2300, DRALAuxiliaryData::Temperature),
                                 QSharedPointer<DRALAuxiliaryData>()})
            fusion.addAuxiliaryData(data);
        QCOMPARE(angles.count(), 2);
        QCOMPARE(property.yawProperty()->floatValue(), fusion.angles().z());

        fusion.setEnabled(false);
        QVERIFY(!property.boolValue() && property.rollProperty()->hidden());
        fusion.addAuxiliaryData(record(2400));
        QCOMPARE(angles.count(), 2);
        QCOMPARE(enabled.count(), 2);
    }

    // An alignment that ends after the switch went off reports no angles.
    void alignmentEndingAfterSwitchOff()
    {
        OrientationFusion fusion;
        QSignalSpy angles(&fusion, &OrientationFusion::anglesChanged);
        QSignalSpy initialized(fusion.fusion(), &AuxiliaryDataFusion::initialized);
        fusion.setEnabled(true);
        fusion.addAuxiliaryData(record(1000));
        QVERIFY(fusion.fusion()->isInitializing());
        fusion.setEnabled(false);
        QVERIFY(initialized.wait(20000));
        QCOMPARE(angles.count(), 0);
    }
};

QTEST_MAIN(TestFusionProperty)
#include "tst_fusionproperty.moc"
