// The orientation filter against numbers from madgwick_reference.py and against known rotations, the
// fusion's alignment and frame steps, and a connection's fusion fed with real auxiliary records through
// its "Fusion" switch in the property tree.
#include "AuxiliaryDataFusion.h"
#include "DRALAuxiliaryData.h"
#include "FloatProperty.h"
#include "FusionProperty.h"
#include "MadgwickFilter.h"
#include "OrientationFusion.h"
#include "TestSupport.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <functional>

using Numbers = QVector<double>;
using Steps = std::function<void(MadgwickFilter &)>;
Q_DECLARE_METATYPE(Steps)

namespace {
void compareNear(const Numbers &got, const Numbers &want, double tolerance)
{
    for (int i = 0; i < want.size(); ++i) {
        if (!(std::fabs(got[i] - want[i]) <= tolerance))
            QFAIL(qPrintable(
                QStringLiteral("value %1 is %2, expected %3").arg(i).arg(got[i], 0, 'g', 9).arg(want[i])));
    }
}

Numbers quaternion(const MadgwickFilter &f)
{
    return {f.q0(), f.q1(), f.q2(), f.q3()};
}

// `count` samples of each kind 10 ms apart, ending at `stamp`: GYROS and ACCELS of the reference script.
QVector<QVector4D> frame(bool gyro, float stamp, int count = 6)
{
    QVector<QVector4D> list;
    for (int i = 0; i < count; ++i) {
        const float w = stamp - 10.0f * (count - 1 - i);
        list << (gyro ? QVector4D(0.5f + 0.125f * i, -0.25f, 0.125f * i, w)
                      : QVector4D(0.0625f * i, 0.03125f, 1.0f - 0.015625f * i, w));
    }
    return list;
}

bool feed(AuxiliaryDataFusion &fusion, float stamp, int count = 6)
{
    return fusion.update(frame(true, stamp, count), frame(false, stamp, count));
}

const Numbers alignedQ = {0.990302742, 0.0256902669, -0.0783297122, 0.111825623};

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

class TestFusion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    // Each update form matches the reference script's numbers.
    void filter_data()
    {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<Numbers>("q");
        QTest::addColumn<Numbers>("angles");
        auto imu = [](double hz, int n) {
            return [hz, n](MadgwickFilter &f) {
                f.setSampleFrequency(hz);
                for (int i = 0; i < n; ++i)
                    f.updateIMU(10, -20, 30, 0.1, 0.2, 0.97);
            };
        };
        QTest::newRow("imu one step")
            << Steps(imu(100, 1)) << Numbers{0.999992609, 0.00176707865, -0.00219252612, 0.00261797407}
            << Numbers{0.549820181, -89.4984425, 0.299555862};
        QTest::newRow("imu fifty steps")
            << Steps(imu(100, 50)) << Numbers{0.984910727, 0.0861602649, -0.0822325051, 0.125558928}
            << Numbers{21.3586611, -67.273402, 13.7208246};
        // No gravity reference: the gyroscope alone turns the estimate, 0.9 degrees about x.
        QTest::newRow("zero acceleration") << Steps([](MadgwickFilter &f) {
            f.setSampleFrequency(100);
            f.updateIMU(90, 0, 0, 0, 0, 0);
        }) << Numbers{0.999969184, 0.00785373803, 0, 0}
                                           << Numbers{0, -89.1000185, 0};
        // Level and at rest the gradient is zero; it must not turn the quaternion into NaN. The identity's
        // r lies just below -1.570796, so the first branch gives the angles (0, -90, 0).
        QTest::newRow("zero gradient") << Steps([](MadgwickFilter &f) { f.updateIMU(0, 0, 0, 0, 0, 1); })
                                       << Numbers{1, 0, 0, 0} << Numbers{0, -90, 0};
        QTest::newRow("marg step") << Steps([imu](MadgwickFilter &f) {
            imu(50, 1)(f);
            f.update(5, 15, -25, 0.3, -0.1, 0.9, 0.3, 0.1, -0.5);
        }) << Numbers{0.99998939, 0.00320458435, -0.00327904662, 0.000444395875}
                                   << Numbers{0.425223026, -89.5832167, 0.0497204366};
        QTest::newRow("marg zero field") << Steps([imu](MadgwickFilter &f) {
            imu(50, 1)(f);
            f.update(5, 15, -25, 0.3, -0.1, 0.9, 0, 0, 0);
        }) << Numbers{0.999986053, 0.00373780215, -0.00362985441, 0.000895340054}
                                         << Numbers{0.516429197, -89.4710105, 0.101044981};
        QTest::newRow("angles of 45 degrees about z")
            << Steps([](MadgwickFilter &f) { f.setQuaternion(0.9238795f, 0, 0, 0.3826834f); })
            << Numbers{0.9238795f, 0, 0, 0.3826834f} << Numbers{45.0000036, -44.9999964, 45.0000036};
    }
    void filter()
    {
        QFETCH(Steps, steps);
        QFETCH(Numbers, q);
        QFETCH(Numbers, angles);
        MadgwickFilter f(0.1);
        steps(f);
        compareNear(quaternion(f), q, 2e-7);
        compareNear({f.angleA(), f.angleB(), f.angleC()}, angles, 1e-4);
    }

    // At rest the filter settles on the rotation that explains the references; the expected quaternions
    // follow from the rotation alone, not from the update equations.
    void convergesOnKnownRotation_data()
    {
        QTest::addColumn<Numbers>("sensed"); // acceleration, then the magnetic field
        QTest::addColumn<Numbers>("q");
        const double tilt = 30.0 * M_PI / 180.0, heading = 40.0 * M_PI / 180.0;
        QTest::newRow("tilted 30 degrees about x") << Numbers{0, std::sin(tilt), std::cos(tilt), 0, 0, 0}
                                                   << Numbers{std::cos(tilt / 2), std::sin(tilt / 2), 0, 0};
        QTest::newRow("turned 40 degrees about z")
            << Numbers{0, 0, 1, 0.6 * std::cos(heading), -0.6 * std::sin(heading), -0.8}
            << Numbers{std::cos(heading / 2), 0, 0, std::sin(heading / 2)};
    }
    void convergesOnKnownRotation()
    {
        QFETCH(Numbers, sensed);
        QFETCH(Numbers, q);
        MadgwickFilter f(0.1);
        f.setSampleFrequency(100);
        for (int i = 0; i < 3000; ++i)
            f.update(0, 0, 0, sensed[0], sensed[1], sensed[2], sensed[3], sensed[4], sensed[5]);
        compareNear(quaternion(f), q, 2e-3);
    }

    // A frame of six samples starts the alignment on their means; fewer, or a disabled fusion, start nothing.
    void alignment_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("samples");
        QTest::addColumn<int>("alignments");
        QTest::newRow("six samples align") << true << 6 << 1;
        QTest::newRow("five samples wait") << true << 5 << 0;
        QTest::newRow("disabled does nothing") << false << 6 << 0;
    }
    void alignment()
    {
        QFETCH(bool, enabled);
        QFETCH(int, samples);
        QFETCH(int, alignments);
        AuxiliaryDataFusion fusion;
        fusion.setAlignmentPause(0);
        QSignalSpy initialized(&fusion, &AuxiliaryDataFusion::initialized);
        fusion.apply(enabled);
        QVERIFY(!feed(fusion, 1000, samples));
        QCOMPARE(fusion.isInitializing(), alignments == 1);
        QCOMPARE(alignments == 1 ? initialized.wait(10000) : initialized.wait(50), alignments == 1);
        QCOMPARE(initialized.count(), alignments);
        if (alignments == 1) {
            // The frame's means, 2999 steps at 100 Hz.
            compareNear(quaternion(fusion.filter()), alignedQ, 2e-7);
            const QVector3D a = fusion.angles();
            compareNear({a.x(), a.y(), a.z()}, {20.4032929, -74.2991006, 12.7283031}, 1e-4);
        }
    }

    // After the alignment the first frame only takes its time stamp; the second one is a step.
    void frameSteps_data()
    {
        QTest::addColumn<float>("first");
        QTest::addColumn<float>("second");
        QTest::addColumn<bool>("withAccel");
        QTest::addColumn<bool>("advanced");
        QTest::addColumn<Numbers>("q");
        QTest::newRow("10 ms") << 1000.f << 1010.f << true << true
                               << Numbers{0.99040705, 0.025022475, -0.0775046721, 0.11162807};
        // dt = 0: an infinite rate, a step of length 0 that only renormalises.
        QTest::newRow("same stamp") << 1000.f << 1000.f << true << true << alignedQ;
        // 0 - 4294967040 + 4294967295 = 255 ms.
        QTest::newRow("counter wrap") << 4294967040.f << 0.f << true << true
                                      << Numbers{0.992604017, 0.00860056933, -0.0571985468, 0.106731459};
        QTest::newRow("stamp going back is a gap") << 5000.f << 4000.f << true << false << alignedQ;
        QTest::newRow("gap over a second") << 1000.f << 2001.f << true << false << alignedQ;
        QTest::newRow("no acceleration") << 1000.f << 1010.f << false << false << alignedQ;
    }
    void frameSteps()
    {
        QFETCH(float, first);
        QFETCH(float, second);
        QFETCH(bool, withAccel);
        QFETCH(bool, advanced);
        QFETCH(Numbers, q);
        AuxiliaryDataFusion fusion;
        fusion.setAlignmentPause(0);
        QSignalSpy initialized(&fusion, &AuxiliaryDataFusion::initialized);
        fusion.apply(true);
        QVERIFY(!feed(fusion, 100));
        QVERIFY(initialized.wait(10000));

        const QVector<QVector4D> accel{QVector4D(0.125f, 0.0f, 0.984375f, second)};
        QVERIFY(!fusion.update({QVector4D(5, 5, 5, first)}, accel));
        QCOMPARE(fusion.update({QVector4D(1, 2, -3, second)}, withAccel ? accel : QVector<QVector4D>()),
                 advanced);
        compareNear(quaternion(fusion.filter()), q, 2e-7);
    }

    // apply(true) restarts the alignment, also while one runs (its result is dropped); apply(false) stops.
    void applyRestartsTheAlignment()
    {
        AuxiliaryDataFusion fusion;
        QSignalSpy initialized(&fusion, &AuxiliaryDataFusion::initialized);
        fusion.apply(true);
        QVERIFY(!feed(fusion, 100));
        QVERIFY(fusion.isInitializing());
        fusion.apply(true);
        fusion.setAlignmentPause(0);
        QVERIFY(!feed(fusion, 200));
        QVERIFY(initialized.wait(10000));
        QVERIFY(!feed(fusion, 300));
        QVERIFY(feed(fusion, 310));

        fusion.apply(true);
        QVERIFY(!fusion.isInitialized());
        QVERIFY(!feed(fusion, 400));
        QVERIFY(initialized.wait(10000));
        QTest::qWait(100);
        QCOMPARE(initialized.count(), 2);
        compareNear(quaternion(fusion.filter()), alignedQ, 2e-7);

        fusion.apply(false);
        QVERIFY(!feed(fusion, 500));
        QVERIFY(!feed(fusion, 510));
        compareNear(quaternion(fusion.filter()), alignedQ, 2e-7);
    }

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

QTEST_MAIN(TestFusion)
#include "tst_fusion.moc"
