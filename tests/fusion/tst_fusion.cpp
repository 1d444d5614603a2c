// The orientation filter against numbers from madgwick_reference.py and against known rotations, and the
// fusion's alignment and frame steps.
#include "AuxiliaryDataFusion.h"
#include "MadgwickFilter.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>

using Quat = QVector<double>;
using Vec = QVector<double>;
Q_DECLARE_METATYPE(Quat)

namespace {
enum Scenario
{
    ImuOneStep,
    ImuFiftySteps,
    ZeroAcceleration,
    ZeroGradient,
    MargStep,
    MargZeroField
};

void run(MadgwickFilter &f, int scenario)
{
    switch (scenario) {
    case ImuOneStep:
        f.setSampleFrequency(100);
        f.updateIMU(10, -20, 30, 0.1, 0.2, 0.97);
        break;
    case ImuFiftySteps:
        f.setSampleFrequency(100);
        for (int i = 0; i < 50; ++i)
            f.updateIMU(10, -20, 30, 0.1, 0.2, 0.97);
        break;
    case ZeroAcceleration:
        f.setSampleFrequency(100);
        f.updateIMU(90, 0, 0, 0, 0, 0);
        break;
    case ZeroGradient:
        f.setSampleFrequency(100);
        f.updateIMU(0, 0, 0, 0, 0, 1);
        break;
    case MargStep:
    case MargZeroField:
        f.setSampleFrequency(50);
        f.updateIMU(10, -20, 30, 0.1, 0.2, 0.97);
        if (scenario == MargStep)
            f.update(5, 15, -25, 0.3, -0.1, 0.9, 0.3, 0.1, -0.5);
        else
            f.update(5, 15, -25, 0.3, -0.1, 0.9, 0, 0, 0);
        break;
    }
}

void compareQuaternion(const MadgwickFilter &f, const Quat &q, double tolerance = 2e-7)
{
    const double got[4] = {f.q0(), f.q1(), f.q2(), f.q3()};
    for (int i = 0; i < 4; ++i) {
        if (std::fabs(got[i] - q[i]) > tolerance)
            QFAIL(
                qPrintable(QStringLiteral("q%1 is %2, expected %3").arg(i).arg(got[i], 0, 'g', 9).arg(q[i])));
    }
}

void compareAngles(const QVector3D &got, const Vec &expected, double tolerance = 1e-4)
{
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(double(got[i]) - expected[i]) > tolerance)
            QFAIL(qPrintable(QStringLiteral("angle %1 is %2, expected %3")
                                 .arg(i)
                                 .arg(double(got[i]), 0, 'g', 9)
                                 .arg(expected[i])));
    }
}

QVector3D anglesOf(const MadgwickFilter &f)
{
    return QVector3D(float(f.angleA()), float(f.angleB()), float(f.angleC()));
}

// Six samples of each kind, 10 ms apart, ending at `stamp`; the same values as GYROS and ACCELS of the
// reference script.
QVector<QVector4D> gyroFrame(float stamp, int count = 6)
{
    QVector<QVector4D> list;
    for (int i = 0; i < count; ++i)
        list.append(QVector4D(0.5f + 0.125f * i, -0.25f, 0.125f * i, stamp - 10.0f * (count - 1 - i)));
    return list;
}

QVector<QVector4D> accelFrame(float stamp, int count = 6)
{
    QVector<QVector4D> list;
    for (int i = 0; i < count; ++i)
        list.append(QVector4D(0.0625f * i, 0.03125f, 1.0f - 0.015625f * i, stamp - 10.0f * (count - 1 - i)));
    return list;
}

const Quat alignedQ = {0.990302742, 0.0256902669, -0.0783297122, 0.111825623};
} // namespace

class TestFusion : public QObject
{
    Q_OBJECT

private slots:
    void filterSteps_data()
    {
        QTest::addColumn<int>("scenario");
        QTest::addColumn<Quat>("q");
        QTest::addColumn<Vec>("angles");
        QTest::newRow("imu one step")
            << int(ImuOneStep) << Quat{0.999992609, 0.00176707865, -0.00219252612, 0.00261797407}
            << Vec{0.549820181, -89.4984425, 0.299555862};
        QTest::newRow("imu fifty steps")
            << int(ImuFiftySteps) << Quat{0.984910727, 0.0861602649, -0.0822325051, 0.125558928}
            << Vec{21.3586611, -67.273402, 13.7208246};
        // No gravity reference: the gyroscope alone turns the estimate, 0.9 degrees about x.
        QTest::newRow("zero acceleration")
            << int(ZeroAcceleration) << Quat{0.999969184, 0.00785373803, 0, 0} << Vec{0, -89.1000185, 0};
        // Level and at rest: the gradient is zero and must not turn into NaN.
        QTest::newRow("zero gradient") << int(ZeroGradient) << Quat{1, 0, 0, 0} << Vec{0, -90, 0};
        QTest::newRow("marg step") << int(MargStep)
                                   << Quat{0.99998939, 0.00320458435, -0.00327904662, 0.000444395875}
                                   << Vec{0.425223026, -89.5832167, 0.0497204366};
        QTest::newRow("marg zero field")
            << int(MargZeroField) << Quat{0.999986053, 0.00373780215, -0.00362985441, 0.000895340054}
            << Vec{0.516429197, -89.4710105, 0.101044981};
    }
    void filterSteps()
    {
        QFETCH(int, scenario);
        QFETCH(Quat, q);
        QFETCH(Vec, angles);
        MadgwickFilter f(0.1);
        run(f, scenario);
        compareQuaternion(f, q);
        compareAngles(anglesOf(f), angles);
    }

    void zeroFieldIsTheImuStep()
    {
        MadgwickFilter marg(0.1), imu(0.1);
        for (MadgwickFilter *f : {&marg, &imu})
            f->setSampleFrequency(200);
        for (int i = 0; i < 20; ++i) {
            marg.update(3, -7, 11, 0.2, -0.3, 0.9, 0, 0, 0);
            imu.updateIMU(3, -7, 11, 0.2, -0.3, 0.9);
        }
        QCOMPARE(marg.q0(), imu.q0());
        QCOMPARE(marg.q1(), imu.q1());
        QCOMPARE(marg.q2(), imu.q2());
        QCOMPARE(marg.q3(), imu.q3());
    }

    // At rest the filter settles on the rotation that explains the measured references; the expected
    // quaternions follow from the rotation alone, not from the update equations.
    void convergesOnKnownRotation_data()
    {
        QTest::addColumn<Vec>("accel");
        QTest::addColumn<Vec>("field");
        QTest::addColumn<Quat>("q");
        const double tilt = 30.0 * M_PI / 180.0;
        QTest::newRow("tilted 30 degrees about x") << Vec{0, std::sin(tilt), std::cos(tilt)} << Vec{0, 0, 0}
                                                   << Quat{std::cos(tilt / 2), std::sin(tilt / 2), 0, 0};
        const double heading = 40.0 * M_PI / 180.0;
        QTest::newRow("turned 40 degrees about z")
            << Vec{0, 0, 1} << Vec{0.6 * std::cos(heading), -0.6 * std::sin(heading), -0.8}
            << Quat{std::cos(heading / 2), 0, 0, std::sin(heading / 2)};
    }
    void convergesOnKnownRotation()
    {
        QFETCH(Vec, accel);
        QFETCH(Vec, field);
        QFETCH(Quat, q);
        MadgwickFilter f(0.1);
        f.setSampleFrequency(100);
        for (int i = 0; i < 3000; ++i)
            f.update(0, 0, 0, accel[0], accel[1], accel[2], field[0], field[1], field[2]);
        compareQuaternion(f, q, 2e-3);
    }

    void angles_data()
    {
        QTest::addColumn<Quat>("q");
        QTest::addColumn<Vec>("angles");
        // Identity: r lies just below -1.570796, so the first branch gives (0, -90, 0) by hand.
        QTest::newRow("identity") << Quat{1, 0, 0, 0} << Vec{0, -90, 0};
        QTest::newRow("90 about x") << Quat{0.7071068, 0.7071068, 0, 0} << Vec{0, 2.64221682e-05, 0};
        QTest::newRow("45 about z") << Quat{0.9238795, 0, 0, 0.3826834}
                                    << Vec{45.0000036, -44.9999964, 45.0000036};
        QTest::newRow("-45 about z") << Quat{0.9238795, 0, 0, -0.3826834}
                                     << Vec{-45.0000036, -44.9999964, -45.0000036};
        QTest::newRow("120 about (1,1,1)") << Quat{0.5, 0.5, 0.5, 0.5} << Vec{-1.87239683e-05, 0, 90.0000187};
    }
    void angles()
    {
        QFETCH(Quat, q);
        QFETCH(Vec, angles);
        MadgwickFilter f;
        f.setQuaternion(float(q[0]), float(q[1]), float(q[2]), float(q[3]));
        compareAngles(anglesOf(f), angles);
    }

    void sampleFrequency_data()
    {
        QTest::addColumn<double>("hz");
        QTest::addColumn<double>("period");
        QTest::newRow("100 Hz") << 100.0 << 0.01;
        QTest::newRow("zero keeps the period") << 0.0 << 0.001;
        QTest::newRow("negative keeps the period") << -5.0 << 0.001;
        QTest::newRow("infinite gives 0") << double(INFINITY) << 0.0;
    }
    void sampleFrequency()
    {
        QFETCH(double, hz);
        QFETCH(double, period);
        MadgwickFilter f;
        f.setSampleFrequency(hz);
        QCOMPARE(f.samplePeriod(), period);
    }

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
        QVERIFY(!fusion.update(gyroFrame(1000, samples), accelFrame(1000, samples)));
        QCOMPARE(fusion.isInitializing(), alignments == 1);
        if (alignments == 1)
            QVERIFY(initialized.wait(10000));
        else
            QTest::qWait(50);
        QCOMPARE(initialized.count(), alignments);
        QCOMPARE(fusion.isInitialized(), alignments == 1);
        if (alignments == 1) {
            // The means of the frame, 2999 steps at 100 Hz.
            compareQuaternion(fusion.filter(), alignedQ);
            compareAngles(fusion.angles(), Vec{20.4032929, -74.2991006, 12.7283031});
        }
    }

    // After the alignment the first frame only takes its time stamp; the second one is a step.
    void frameSteps_data()
    {
        QTest::addColumn<float>("first");
        QTest::addColumn<float>("second");
        QTest::addColumn<bool>("withAccel");
        QTest::addColumn<bool>("advanced");
        QTest::addColumn<Quat>("q");
        QTest::newRow("10 ms") << 1000.f << 1010.f << true << true
                               << Quat{0.99040705, 0.025022475, -0.0775046721, 0.11162807};
        // dt = 0: an infinite rate, a step of length 0 that only renormalises.
        QTest::newRow("same stamp") << 1000.f << 1000.f << true << true << alignedQ;
        // 0 - 4294967040 + 4294967295 = 255 ms.
        QTest::newRow("counter wrap") << 4294967040.f << 0.f << true << true
                                      << Quat{0.992604017, 0.00860056933, -0.0571985468, 0.106731459};
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
        QFETCH(Quat, q);
        AuxiliaryDataFusion fusion;
        fusion.setAlignmentPause(0);
        QSignalSpy initialized(&fusion, &AuxiliaryDataFusion::initialized);
        fusion.apply(true);
        QVERIFY(!fusion.update(gyroFrame(100), accelFrame(100)));
        QVERIFY(initialized.wait(10000));

        const QVector<QVector4D> accel{QVector4D(0.125f, 0.0f, 0.984375f, second)};
        QVERIFY(!fusion.update({QVector4D(5, 5, 5, first)}, accel));
        compareQuaternion(fusion.filter(), alignedQ);
        QCOMPARE(fusion.update({QVector4D(1, 2, -3, second)}, withAccel ? accel : QVector<QVector4D>()),
                 advanced);
        compareQuaternion(fusion.filter(), q);
    }

    void applyRestartsTheAlignment()
    {
        AuxiliaryDataFusion fusion;
        fusion.setAlignmentPause(0);
        QSignalSpy initialized(&fusion, &AuxiliaryDataFusion::initialized);
        fusion.apply(true);
        QVERIFY(!fusion.update(gyroFrame(100), accelFrame(100)));
        QVERIFY(initialized.wait(10000));
        QVERIFY(!fusion.update(gyroFrame(200), accelFrame(200)));
        QVERIFY(fusion.update(gyroFrame(210), accelFrame(210)));

        fusion.apply(true);
        QVERIFY(!fusion.isInitialized());
        QVERIFY(!fusion.update(gyroFrame(300), accelFrame(300)));
        QVERIFY(initialized.wait(10000));
        QCOMPARE(initialized.count(), 2);
        compareQuaternion(fusion.filter(), alignedQ);

        fusion.apply(false);
        QVERIFY(!fusion.update(gyroFrame(400), accelFrame(400)));
        QVERIFY(!fusion.update(gyroFrame(410), accelFrame(410)));
        compareQuaternion(fusion.filter(), alignedQ);
    }

    // Switching on again while a slow alignment runs drops its result; only the new one lands.
    void restartDuringAlignment()
    {
        AuxiliaryDataFusion fusion;
        QSignalSpy initialized(&fusion, &AuxiliaryDataFusion::initialized);
        fusion.apply(true);
        QVERIFY(!fusion.update(gyroFrame(100), accelFrame(100)));
        QVERIFY(fusion.isInitializing());
        fusion.apply(true);
        QVERIFY(!fusion.isInitializing());
        fusion.setAlignmentPause(0);
        QVERIFY(!fusion.update(gyroFrame(200), accelFrame(200)));
        QVERIFY(initialized.wait(10000));
        QTest::qWait(100);
        QCOMPARE(initialized.count(), 1);
        compareQuaternion(fusion.filter(), alignedQ);
    }
};

QTEST_GUILESS_MAIN(TestFusion)
#include "tst_fusion.moc"
