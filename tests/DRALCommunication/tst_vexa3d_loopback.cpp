#include "SensorSimulator.h"
#include "TestSupport.h"
#include "Vexa3dSensor.h"

#include <QElapsedTimer>
#include <QtTest>

#include <cmath>
#include <thread>

Q_DECLARE_METATYPE(Vexa3dSim::Malformation)

namespace {

struct Session
{
    Vexa3dSim::SensorSimulator simulator;
    Vexa3dSensor sensor;
    VEXA3D_MEASUREMENT_DATA_T line;
    VEXA3D_AUXILIARY_DATA_T auxiliary;
    int lines = 0;
    int auxiliaryPackets = 0;
    int mismatches = 0;

    explicit Session(const Vexa3dSim::Config &config) : simulator(config) {}

    bool start()
    {
        if (!simulator.start(0))
            return false;
        if (sensor.open("localhost", simulator.port()) != 0)
            return false;
        sensor.setTimeout(5000); // generous: sanitizer builds on a loaded machine
        return sensor.initialize(&line) == 1;
    }

    // Compares a complete line with what the simulator's generator computes for the same position.
    void compareLine(const Vexa3dSim::Generator &generator)
    {
        const Vexa3dSim::Line expected = generator.computeLine(
            {line.frameNumber, line.motorFieldNumber, line.remFieldNumber, line.lineNumber, line.timestamp},
            1, 1);
        for (size_t s = 0; s < line.spots.size(); ++s) {
            const VEXA3D_SPOT_T &spot = line.spots[s];
            const auto &echoes = expected.spots[s];
            if (spot.count != echoes.size()) {
                ++mismatches;
                continue;
            }
            const double theta = generator.horizontalAngle(expected, int(s));
            const double phi = generator.verticalAngle(1, 0, int(s));
            for (size_t e = 0; e < echoes.size(); ++e) {
                const VEXA3D_ECHO_T &echo = spot.echoes[e];
                const VEXA3D_POINT_T &point = spot.points[e];
                const double r = echoes[e].rangeMm / 1000.0;
                const bool same = echo.range == r && echo.level == echoes[e].level &&
                                  std::fabs(echo.firstAngle - phi) < 1e-9 &&
                                  std::fabs(echo.secondAngle - theta) < 1e-9 &&
                                  std::fabs(point.x - r * std::cos(phi) * std::cos(theta)) < 1e-9 &&
                                  std::fabs(point.y - r * std::cos(phi) * std::sin(theta)) < 1e-9 &&
                                  std::fabs(point.z - r * std::sin(phi)) < 1e-9;
                mismatches += same ? 0 : 1;
            }
        }
    }

    // The streaming loop: look at the waiting packet's type, then call its reader.
    void stream(int wantedLines, int wantedAuxiliary, const Vexa3dSim::Generator *generator,
                int timeoutMs = 30000)
    {
        QElapsedTimer timer;
        timer.start();
        while ((lines < wantedLines || auxiliaryPackets < wantedAuxiliary) && timer.elapsed() < timeoutMs) {
            Vexa3dPacketHeader header;
            if (sensor.findPacket(&header) != 1) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            const std::string type(header.type);
            if (type == "_ro" || type == "_ri" || type == "_ra") {
                if (sensor.receiveMeasurement(&line) == 1 && line.isLineDataReady) {
                    ++lines;
                    if (generator)
                        compareLine(*generator);
                }
            } else if (type == "_ax") {
                if (sensor.receiveAuxiliary(&auxiliary) == 1)
                    ++auxiliaryPackets;
            } else if (sensor.readReply(nullptr, nullptr, nullptr) < Vexa3dOk) {
                return; // the connection broke; the caller's counts show it
            }
        }
    }
};

} // namespace

class tst_Vexa3dLoopback : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    // Over TCP against the simulator: identity, geometry, readiness, and lines that equal what the
    // simulator computed, for plain and chunked tables and for lines split over packets.
    void session_data()
    {
        QTest::addColumn<int>("spots");
        QTest::addColumn<int>("packetsPerLine");
        QTest::addColumn<int>("kind");
        QTest::newRow("74 spots, range and level") << 74 << 1 << int(Vexa3dSensor::RangeAndLevel);
        QTest::newRow("74 spots, range only, two packets") << 74 << 2 << int(Vexa3dSensor::RangeOnly);
        QTest::newRow("300 spots, extended") << 300 << 1 << int(Vexa3dSensor::ExtendedRange);
    }
    void session()
    {
        QFETCH(int, spots);
        QFETCH(int, packetsPerLine);
        QFETCH(int, kind);
        Vexa3dSim::Config config;
        config.geometry.spotCount = uint16_t(spots);
        config.packetsPerLine = packetsPerLine;
        config.rate = 1.0;
        Session session(config);
        QVERIFY(session.start());

        VEXA3D_SENSOR_INFO_T info;
        QCOMPARE(session.sensor.sensorInfo(&info), 1);
        QCOMPARE(QByteArray(info.vendor), QByteArray(config.identity.vendor.c_str()));
        QCOMPARE(QByteArray(info.protocol), QByteArray(config.identity.protocol.c_str()));
        QCOMPARE(int(info.spec.spotCount), spots);
        QCOMPARE(int(info.spec.lineCount), config.geometry.lineCount());
        QCOMPARE(session.sensor.waitReady(), 1);

        QCOMPARE(session.sensor.startData(kind, true), 1);
        QCOMPARE(session.sensor.startData(Vexa3dSensor::Auxiliary, true), 1);
        Vexa3dSim::Generator generator(config);
        session.stream(20, 2, kind == Vexa3dSensor::RangeOnly ? nullptr : &generator);
        QVERIFY(session.lines >= 20);
        QVERIFY(session.auxiliaryPackets >= 2);
        QCOMPARE(session.mismatches, 0);
        QCOMPARE(session.auxiliary.sampleCount, uint32_t(config.auxSamplesPerPacket));
        QCOMPARE(session.auxiliary.kinds, 15u);
        const VEXA3D_AUX_SAMPLE_T *samples = session.auxiliary.samples;
        QCOMPARE(samples[1].timestamp - samples[0].timestamp, int(config.auxSampleIntervalMs));
        QVERIFY(qAbs(samples[0].temperature / 333.87 + 21.0 - 35.0) < 1.0); // about 35 degrees Celsius

        QCOMPARE(session.sensor.stopData(kind, true), 1);
        QCOMPARE(session.sensor.close(), 0);
    }

    // Garbage, packets split mid-mark and malformed packets never stall the stream: good lines keep coming.
    void faultyStream_data()
    {
        QTest::addColumn<Vexa3dSim::Malformation>("malformation");
        QTest::addColumn<int>("garbage");
        QTest::addColumn<int>("splitAt");
        QTest::addColumn<int>("packetsPerLine");
        QTest::addColumn<int>("loseFirstEvery");
        using M = Vexa3dSim::Malformation;
        QTest::newRow("garbage and split marks") << M::None << 7 << 2 << 1 << 0;
        QTest::newRow("total length short") << M::TotalLengthShort << 0 << 0 << 1 << 0;
        QTest::newRow("total length long") << M::TotalLengthLong << 0 << 0 << 1 << 0;
        QTest::newRow("total length zero") << M::TotalLengthZero << 0 << 0 << 1 << 0;
        QTest::newRow("echo offsets invalid") << M::EchoOffsetsInvalid << 0 << 0 << 1 << 0;
        QTest::newRow("spots beyond the line") << M::SpotsBeyondLine << 0 << 0 << 1 << 0;
        QTest::newRow("measurement header too long") << M::MeasurementHeaderTooLong << 0 << 0 << 1 << 0;
        // Lines in two packets: no emitted line may hold a spot of an earlier one.
        QTest::newRow("first packets lost") << M::None << 0 << 0 << 2 << 3;
        QTest::newRow("halves of lines malformed") << M::MeasurementHeaderTooLong << 0 << 0 << 2 << 0;
    }
    void faultyStream()
    {
        QFETCH(Vexa3dSim::Malformation, malformation);
        QFETCH(int, garbage);
        QFETCH(int, splitAt);
        QFETCH(int, packetsPerLine);
        QFETCH(int, loseFirstEvery);
        Vexa3dSim::Config config;
        config.rate = 1.0;
        config.packetsPerLine = packetsPerLine;
        Session session(config);
        QVERIFY(session.start());
        Vexa3dSim::Faults faults;
        faults.garbageBytes = garbage;
        faults.splitAt = splitAt;
        faults.malformation = malformation;
        faults.malformEvery = malformation == Vexa3dSim::Malformation::None ? 0 : 3;
        faults.loseFirstPacketEvery = loseFirstEvery;
        session.simulator.setFaults(faults);
        QCOMPARE(session.sensor.startData(Vexa3dSensor::RangeAndLevel, true), 1);
        Vexa3dSim::Generator generator(config);
        session.stream(15, 0, &generator);
        QCOMPARE(session.lines, 15);
        if (malformation != Vexa3dSim::Malformation::EchoOffsetsInvalid)
            QCOMPARE(session.mismatches, 0);
    }
};

QTEST_GUILESS_MAIN(tst_Vexa3dLoopback)
#include "tst_vexa3d_loopback.moc"
