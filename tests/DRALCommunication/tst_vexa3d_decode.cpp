#include "TestSupport.h"
#include "tst_vexa3d_builder.h"

#include <QtTest>

#include <cmath>

using namespace Vexa3dTest;

namespace {

constexpr double Pi = 3.141592653589793;

// The decoders called directly on the bytes of one packet, with a geometry of their own.
struct Decoder
{
    Vexa3dGeometry geometry;
    VEXA3D_MEASUREMENT_DATA_T line;

    explicit Decoder(const VEXA3D_SPEC_T &spec = VEXA3D_SPEC_T{})
    {
        if (!geometry.reset(spec) || !line.allocate(spec))
            qFatal("geometry refused");
        geometry.setAllVerticalLoaded(); // flat tables stand in for the fetched ones
    }
    static bool header(const std::string &bytes, Vexa3dPacketHeader &h)
    {
        return bytes.size() >= size_t(VEXA3D_FRAME_HEADER_LENGTH) &&
               vexa3dReadFrameHeader(reinterpret_cast<const uint8_t *>(bytes.data()), uint32_t(bytes.size()),
                                     h);
    }
    bool measurement(const std::string &bytes)
    {
        Vexa3dPacketHeader h;
        return header(bytes, h) &&
               vexa3dDecodeMeasurement(reinterpret_cast<const uint8_t *>(bytes.data()), h, geometry, line);
    }
    static bool auxiliary(const std::string &bytes, VEXA3D_AUXILIARY_DATA_T &out)
    {
        Vexa3dPacketHeader h;
        return header(bytes, h) &&
               vexa3dDecodeAuxiliary(reinterpret_cast<const uint8_t *>(bytes.data()), h, out);
    }
};

// A sensor over a memory connection, for what the sensor object adds: consuming packets, leaving other
// kinds in place, checking the record.
struct Rig
{
    Vexa3dMemoryConnection *memory = new Vexa3dMemoryConnection;
    std::unique_ptr<Vexa3dSensor> sensor{new Vexa3dSensor(std::unique_ptr<Vexa3dConnection>(memory))};
    VEXA3D_MEASUREMENT_DATA_T line;

    Rig()
    {
        if (sensor->initializeOffline(VEXA3D_SPEC_T{}, &line) != Vexa3dOk)
            qFatal("geometry refused");
    }
    int measurement() { return sensor->receiveMeasurement(&line); }
    void feed(const std::string &bytes) { memory->feed(bytes); }
    uint32_t left() const
    {
        return sensor->connection()->ringBuffer().used() + uint32_t(memory->pendingBytes());
    }
};

std::vector<std::vector<Echo>> spotsWith(int count, int echoes, uint16_t range = 1000)
{
    return std::vector<std::vector<Echo>>(size_t(count), std::vector<Echo>(size_t(echoes), Echo{range, 77}));
}

} // namespace

class tst_Vexa3dDecode : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    // Horizontal angle from start, end and the table; swdr swaps angles and the y/z roles.
    void angles_data()
    {
        QTest::addColumn<int>("swdr");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<double>("fraction");
        QTest::addColumn<double>("phi");
        QTest::newRow("quarter turn, level") << 0 << 0 << 16384 << 1.0 << 0.0;
        QTest::newRow("negative start") << 0 << -8192 << 8192 << 0.5 << 0.3;
        QTest::newRow("swapped") << 1 << -8192 << 8192 << 0.25 << -0.2;
        QTest::newRow("vertical angle past pi wraps") << 0 << 0 << 0 << 0.0 << 4.712;
    }
    void angles()
    {
        QFETCH(int, swdr);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(double, fraction);
        QFETCH(double, phi);
        VEXA3D_SPEC_T spec;
        spec.swdr = uint8_t(swdr);
        Decoder decoder(spec);
        std::vector<double> h(74, fraction), v(74, phi);
        QVERIFY(decoder.geometry.setHorizontal(h.data(), 74));
        QVERIFY(decoder.geometry.setVertical(1, 0, v.data(), 74));
        MeasurementPacket p;
        p.start = int16_t(start);
        p.end = int16_t(end);
        p.spots = spotsWith(74, 1, 2000);
        QVERIFY(decoder.measurement(p.bytes()));
        const double theta = 2 * Pi * (start + (end - start) * fraction) / 65535.0;
        const double phiSigned = phi > Pi ? phi - 2 * Pi : phi;
        const VEXA3D_ECHO_T &echo = decoder.line.spots[3].echoes[0];
        const VEXA3D_POINT_T &point = decoder.line.spots[3].points[0];
        QVERIFY(qAbs(echo.firstAngle - (swdr ? theta : phiSigned)) < 1e-12);
        QVERIFY(qAbs(echo.secondAngle - (swdr ? phiSigned : theta)) < 1e-12);
        QVERIFY(qAbs(point.x - 2.0 * std::cos(phi) * std::cos(theta)) < 1e-12);
        const double across = 2.0 * std::cos(phi) * std::sin(theta);
        const double up = 2.0 * std::sin(phi);
        QVERIFY(qAbs(point.y - (swdr ? up : across)) < 1e-12);
        QVERIFY(qAbs(point.z - (swdr ? across : up)) < 1e-12);
    }

    // Header lengths decide which vertical table is used and which fields exist.
    void measurementHeaderLength_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("remField");
        QTest::addColumn<int>("remCount");
        QTest::addColumn<int>("expectField");
        QTest::addColumn<double>("expectPhi");
        // Tables: count 1 field 0 -> 0.1; count 2 field 0 -> 0.2, field 1 -> 0.3.
        QTest::newRow("length 20: field 0 of count 1") << 20 << 1 << 2 << 0 << 0.1;
        QTest::newRow("length 24: field 1 of count 2") << 24 << 1 << 2 << 1 << 0.3;
        QTest::newRow("length 22") << 22 << 0 << 2 << 0 << 0.2;
        QTest::newRow("count 0 means 1") << 24 << 0 << 0 << 0 << 0.1;
        QTest::newRow("count beyond the sensor's fields means 1") << 24 << 0 << 11 << 0 << 0.1;
    }
    void measurementHeaderLength()
    {
        QFETCH(int, length);
        QFETCH(int, remField);
        QFETCH(int, remCount);
        QFETCH(int, expectField);
        QFETCH(double, expectPhi);
        Decoder decoder;
        std::vector<double> a(74, 0.1), b(74, 0.2), c(74, 0.3);
        QVERIFY(decoder.geometry.setVertical(1, 0, a.data(), 74));
        QVERIFY(decoder.geometry.setVertical(2, 0, b.data(), 74));
        QVERIFY(decoder.geometry.setVertical(2, 1, c.data(), 74));
        MeasurementPacket p;
        p.headerLength = uint16_t(length);
        p.remField = uint8_t(remField);
        p.remCount = uint8_t(remCount);
        p.spots = spotsWith(2, 1);
        QVERIFY(decoder.measurement(p.bytes()));
        QCOMPARE(int(decoder.line.remFieldNumber), expectField);
        QVERIFY(qAbs(decoder.line.spots[1].echoes[0].firstAngle - expectPhi) < 1e-12);
    }

    // Only the extended kind fills dust, dirt, input, output and the detection areas; "_ro" has no level.
    void packetKinds_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("extended");
        QTest::addColumn<uint32_t>("level");
        QTest::newRow("_ro") << "_ro" << false << 0u;
        QTest::newRow("_ri") << "_ri" << false << 77u;
        QTest::newRow("_ra") << "_ra" << true << 77u;
    }
    void packetKinds()
    {
        QFETCH(QString, type);
        QFETCH(bool, extended);
        QFETCH(uint32_t, level);
        Decoder decoder;
        decoder.line.dustState = 9; // stale values are overwritten
        MeasurementPacket p;
        p.type = type.toStdString();
        p.headerLength = 36;
        p.dust = 0xC123;
        p.dirt = 0x4005;
        p.output = 5;
        p.input = 6;
        p.areas = {111, 222};
        p.spots = spotsWith(74, 2);
        QVERIFY(decoder.measurement(p.bytes()));
        const VEXA3D_MEASUREMENT_DATA_T &line = decoder.line;
        QCOMPARE(line.spots[10].echoes[1].level, level);
        const QList<int> fields{line.dustState,    line.dustRatioX10, line.dirtState,
                                line.dirtRatioX10, line.output,       line.input};
        QCOMPARE(fields, extended ? QList<int>({3, 0x123, 1, 5, 5, 6}) : QList<int>({0, 0, 0, 0, 0, 0}));
        const std::vector<uint32_t> areas =
            extended ? std::vector<uint32_t>{111, 222} : std::vector<uint32_t>{0, 0};
        QCOMPARE(line.totalDetectionArea, areas);
    }

    // With isLsbResult the low bits of the level are the region flags.
    void regionFlags()
    {
        VEXA3D_SPEC_T spec;
        spec.isLsbResult = 1;
        Decoder decoder(spec);
        MeasurementPacket p;
        p.spots = {{Echo{1000, 0x0102}, Echo{1000, 0x0003}}};
        QVERIFY(decoder.measurement(p.bytes()));
        QCOMPARE(decoder.line.spots[0].regionFlags[0], (std::vector<uint8_t>{0, 1}));
        QCOMPARE(decoder.line.spots[0].regionFlags[1], (std::vector<uint8_t>{1, 1}));
    }

    // Impossible echo counts of one spot give that spot no echoes; the other spots are still decoded.
    void spotEchoCounts_data()
    {
        QTest::addColumn<QList<int>>("offsets");
        QTest::addColumn<QList<int>>("counts");
        QTest::newRow("offsets 5 and 5") << QList<int>{1, 5, 5, 6} << QList<int>{4, 0, 1};
        QTest::newRow("more echoes than echoCount") << QList<int>{0, 5, 6, 7} << QList<int>{0, 1, 1};
        QTest::newRow("negative count") << QList<int>{0, 4, 2, 6} << QList<int>{4, 0, 4};
    }
    void spotEchoCounts()
    {
        QFETCH(QList<int>, offsets);
        QFETCH(QList<int>, counts);
        Decoder decoder;
        for (VEXA3D_SPOT_T &spot : decoder.line.spots)
            spot.count = 9; // must be overwritten for every spot of the packet
        MeasurementPacket p;
        p.spots = spotsWith(3, 0);
        for (int o : offsets)
            p.offsets.push_back(uint16_t(o));
        p.extraEchoes = offsets.last();
        QVERIFY(decoder.measurement(p.bytes()));
        QList<int> decoded;
        for (int s = 0; s < 4; ++s)
            decoded << int(decoder.line.spots[size_t(s)].count);
        // The packet starts a line: no spot keeps what an earlier line left there.
        QCOMPARE(decoded, counts + QList<int>{0});
    }

    // A line is whole only when its packets follow one another: a second half whose first half was lost
    // or belongs to another line never completes it with spots of an earlier line.
    void lineStartLost_data()
    {
        QTest::addColumn<int>("firstLine"); // -1: the first half was lost
        QTest::addColumn<int>("firstFrame");
        QTest::addColumn<int>("secondFrame");
        QTest::addColumn<bool>("ready");
        QTest::newRow("both halves") << 5 << 1 << 1 << true;
        QTest::newRow("first half lost") << -1 << 1 << 1 << false;
        QTest::newRow("first half of another line") << 4 << 1 << 1 << false;
        QTest::newRow("first half of another frame") << 5 << 1 << 2 << false;
    }
    void lineStartLost()
    {
        QFETCH(int, firstLine);
        QFETCH(int, firstFrame);
        QFETCH(int, secondFrame);
        QFETCH(bool, ready);
        Rig rig;
        MeasurementPacket earlier;
        earlier.line = 3;
        earlier.spots = spotsWith(74, 2, 9000);
        rig.feed(earlier.bytes());
        QCOMPARE(rig.measurement(), 1);
        QCOMPARE(int(rig.line.isLineDataReady), 1);
        if (firstLine >= 0) {
            MeasurementPacket first;
            first.line = uint16_t(firstLine);
            first.frameNumber = uint8_t(firstFrame);
            first.spots = spotsWith(37, 1, 1000);
            rig.feed(first.bytes());
            QCOMPARE(rig.measurement(), 1);
            // A new line starts from no spots at all.
            QCOMPARE(rig.line.spots[40].count, 0u);
        }
        MeasurementPacket second;
        second.line = 5;
        second.frameNumber = uint8_t(secondFrame);
        second.spotOffset = 37;
        second.spots = spotsWith(37, 1, 3000);
        rig.feed(second.bytes());
        QCOMPARE(rig.measurement(), 1);
        QCOMPARE(bool(rig.line.isLineDataReady), ready);
        QCOMPARE(rig.sensor->discardedPackets(), uint64_t(ready ? 0 : 1));
        QCOMPARE(int(rig.line.receivedSpotCount), ready ? 74 : 0);
        QCOMPARE(rig.line.spots[0].count, ready ? 1u : 0u);
        QCOMPARE(rig.line.spots[73].echoes[0].range, ready ? 3.0 : 9.0);
    }

    // Without the angle tables of its field a line cannot be placed: it is dropped and counted.
    void unplaceableLines_data()
    {
        QTest::addColumn<int>("remField");
        QTest::addColumn<int>("remCount");
        QTest::addColumn<bool>("placed");
        QTest::newRow("field 0 of the loaded count") << 0 << 1 << true;
        QTest::newRow("field at the field count") << 1 << 1 << false;
        QTest::newRow("field beyond the sensor's fields") << 10 << 2 << false;
        QTest::newRow("count 0 taken as 1, field 1") << 1 << 0 << false;
        QTest::newRow("count whose tables were never fetched") << 0 << 2 << false;
    }
    void unplaceableLines()
    {
        QFETCH(int, remField);
        QFETCH(int, remCount);
        QFETCH(bool, placed);
        SimulatedSensor fake; // vertical count 1 in force: only its tables are loaded
        Vexa3dMemoryConnection *memory = nullptr;
        auto sensor = fake.makeSensor(&memory);
        VEXA3D_MEASUREMENT_DATA_T line;
        QCOMPARE(sensor->initialize(&line), 1);
        MeasurementPacket p;
        p.remField = uint8_t(remField);
        p.remCount = uint8_t(remCount);
        p.spots = spotsWith(74, 1);
        memory->feed(p.bytes());
        QCOMPARE(sensor->receiveMeasurement(&line), placed ? 1 : 0);
        QCOMPARE(bool(line.isLineDataReady), placed);
        QCOMPARE(sensor->discardedPackets(), uint64_t(placed ? 0 : 1));
        QCOMPARE(sensor->connection()->ringBuffer().used() + uint32_t(memory->pendingBytes()), 0u);
    }

    // Packets of another kind stay in place for the other decoder or readReply.
    void otherPacketsLeftInPlace()
    {
        Rig rig;
        AuxiliaryPacket aux;
        aux.sampleCount = 1;
        aux.values.assign(10, 1);
        rig.memory->feed(aux.bytes());
        rig.memory->feed(frame("ERR", "oops", "123"));
        QCOMPARE(rig.measurement(), Vexa3dNone);
        VEXA3D_AUXILIARY_DATA_T out;
        QCOMPARE(rig.sensor->receiveAuxiliary(&out), Vexa3dOk);
        QCOMPARE(rig.sensor->receiveAuxiliary(&out), Vexa3dNone);
        QCOMPARE(rig.measurement(), Vexa3dNone);
        Vexa3dPacketHeader header;
        std::vector<char> payload(VEXA3D_MAX_REPLY_PAYLOAD + 1);
        int length = 0;
        QCOMPARE(rig.sensor->readReply(&header, payload.data(), &length), Vexa3dOk);
        QCOMPARE(QByteArray(header.type), QByteArray("ERR"));
        QCOMPARE(QByteArray(header.status), QByteArray("123"));
        QCOMPARE(rig.left(), 0u);
    }

    // Without initialisation, or with a record of another geometry, nothing is consumed.
    void recordMismatch_data()
    {
        QTest::addColumn<int>("spots");
        QTest::addColumn<int>("echoes");
        QTest::addColumn<bool>("initialised");
        QTest::newRow("not initialised") << 74 << 4 << false;
        QTest::newRow("other spot count") << 75 << 4 << true;
        QTest::newRow("other echo count") << 74 << 3 << true;
        QTest::newRow("one spot resized") << -74 << 4 << true;
    }
    void recordMismatch()
    {
        QFETCH(int, spots);
        QFETCH(int, echoes);
        QFETCH(bool, initialised);
        auto *memory = new Vexa3dMemoryConnection;
        Vexa3dSensor sensor{std::unique_ptr<Vexa3dConnection>(memory)};
        if (initialised)
            QCOMPARE(sensor.initializeOffline(VEXA3D_SPEC_T{}, nullptr), Vexa3dOk);
        VEXA3D_SPEC_T other;
        other.spotCount = uint16_t(std::abs(spots));
        other.echoCount = uint8_t(echoes);
        VEXA3D_MEASUREMENT_DATA_T line(other);
        if (spots < 0)
            line.spots[40].points.resize(1); // negative row: a record damaged after allocation
        MeasurementPacket p;
        p.spots = spotsWith(1, 1);
        memory->feed(p.bytes());
        QCOMPARE(sensor.receiveMeasurement(&line), Vexa3dNotInitialized);
        QCOMPARE(sensor.receiveMeasurement(nullptr), Vexa3dNotInitialized);
        QCOMPARE(memory->pendingBytes() + sensor.connection()->ringBuffer().used(), p.bytes().size());
    }

    // A malformed measurement packet is refused and leaves the line as it was; through the sensor it is
    // consumed and the next good packet is decoded.
    void malformedMeasurement_data()
    {
        QTest::addColumn<QByteArray>("bad");
        auto bytes = [](const std::string &s) { return QByteArray(s.data(), int(s.size())); };
        MeasurementPacket base;
        base.line = 99;
        base.spots = spotsWith(4, 1);

        MeasurementPacket p = base;
        std::string raw = p.bytes();
        put(raw, 24, 0xFFFF, 2);
        QTest::newRow("header longer than the packet") << bytes(raw);
        raw = p.bytes();
        put(raw, 24, 10, 2);
        QTest::newRow("header shorter than 20") << bytes(raw);
        p = base;
        p.headerLength = 16400;
        QTest::newRow("header longer than its buffer") << bytes(p.bytes());
        p = base;
        p.spotOffset = 72;
        QTest::newRow("spots beyond the line") << bytes(p.bytes());
        p = base;
        p.spotOffset = 0xFFFF;
        QTest::newRow("spot offset 65535") << bytes(p.bytes());
        p = base;
        p.spotsInPacket = 60;
        QTest::newRow("index block beyond the packet") << bytes(p.bytes());
        p = base;
        p.offsets = {0, 1, 2, 3, 297};
        p.extraEchoes = 293;
        QTest::newRow("echo offsets beyond spotCount x echoCount") << bytes(p.bytes());
        p = base;
        p.offsets = {0, 1, 2, 3, 40};
        QTest::newRow("echo data shorter than the offsets") << bytes(p.bytes());
        raw = base.bytes();
        QTest::newRow("no index block") << bytes(frame("_ri", raw.substr(24, 24)));
        QTest::newRow("no header") << bytes(frame("_ro", std::string(1, '\x14')));
        QTest::newRow("not a measurement") << bytes(frame("_ax", raw.substr(24)));
    }
    void malformedMeasurement()
    {
        QFETCH(QByteArray, bad);
        const std::string badBytes(bad.constData(), size_t(bad.size()));
        Decoder decoder;
        QVERIFY(!decoder.measurement(badBytes));
        QCOMPARE(int(decoder.line.lineNumber), 0);
        QCOMPARE(int(decoder.line.receivedSpotCount), 0);

        Rig rig;
        MeasurementPacket good;
        good.line = 7;
        good.spots = spotsWith(74, 1);
        rig.memory->feed(badBytes);
        rig.memory->feed(good.bytes());
        const bool otherKind = QByteArray(bad.constData() + 4, 3) == "_ax";
        if (otherKind) // left for its own reader
            QVERIFY(rig.sensor->readReply(nullptr, nullptr, nullptr) == Vexa3dOk);
        QCOMPARE(rig.measurement(), Vexa3dOk);
        QCOMPARE(int(rig.line.lineNumber), 7);
        QCOMPARE(rig.left(), 0u);
    }

    // Auxiliary samples: values present by content bit, sample after sample; kinds from complete groups.
    void auxiliary_data()
    {
        QTest::addColumn<uint32_t>("bits");
        QTest::addColumn<int>("samples");
        QTest::addColumn<uint32_t>("kinds");
        QTest::newRow("gyro and temperature, two samples") << 0xE0400000u << 2 << 9u;
        QTest::newRow("everything, three samples") << 0xFFC00000u << 3 << 15u;
        QTest::newRow("incomplete gyro group") << 0xC0000000u << 1 << 0u;
        QTest::newRow("no samples") << 0xFFC00000u << 0 << 15u;
        QTest::newRow("255 samples of one value") << 0x00400000u << 255 << 8u;
    }
    void auxiliary()
    {
        QFETCH(uint32_t, bits);
        QFETCH(int, samples);
        QFETCH(uint32_t, kinds);
        AuxiliaryPacket p;
        p.bits = bits;
        p.sampleCount = uint8_t(samples);
        p.status = "012";
        int perSample = 0;
        for (int b = 31; b >= 22; --b)
            perSample += (bits >> b) & 1;
        for (int i = 0; i < samples * perSample; ++i)
            p.values.push_back(i % 2 ? -(i + 1) : i + 1);
        VEXA3D_AUXILIARY_DATA_T out;
        out.samples[254].gyroX = 5; // stale values are cleared
        QVERIFY(Decoder::auxiliary(p.bytes(), out));
        QCOMPARE(out.kinds, kinds);
        QCOMPARE(out.sampleCount, uint32_t(samples));
        QCOMPARE(out.timestamp, 5000u);
        QCOMPARE(QByteArray(out.status, 3), QByteArray("012"));
        int value = 0;
        for (int i = 0; i < samples; ++i) {
            const VEXA3D_AUX_SAMPLE_T &s = out.samples[i];
            QCOMPARE(s.timestamp, 5000 + 10 * i);
            const int32_t fields[10] = {s.gyroX,  s.gyroY, s.gyroZ, s.accelX, s.accelY,
                                        s.accelZ, s.magX,  s.magY,  s.magZ,   s.temperature};
            for (int k = 0; k < 10; ++k)
                QCOMPARE(fields[k], (bits & (1u << (31 - k))) ? p.values[size_t(value++)] : 0);
        }
        if (samples < 255)
            QCOMPARE(out.samples[254].gyroX, 0);
    }

    // A malformed auxiliary packet is refused and leaves the output as it was.
    void malformedAuxiliary_data()
    {
        QTest::addColumn<QByteArray>("bad");
        auto bytes = [](const std::string &s) { return QByteArray(s.data(), int(s.size())); };
        AuxiliaryPacket p;
        p.sampleCount = 3;
        p.values.assign(20, 1); // two samples' worth for three announced
        QTest::newRow("fewer values than samples") << bytes(p.bytes());
        p = AuxiliaryPacket{};
        p.bits = 0x00400000u;
        p.sampleCount = 255;
        p.values.assign(256, 1);
        QTest::newRow("data beyond 255 samples") << bytes(p.bytes());
        p = AuxiliaryPacket{};
        p.sampleCount = 1;
        p.values.assign(4200, 1);
        QTest::newRow("data beyond its buffer") << bytes(p.bytes());
        p = AuxiliaryPacket{};
        p.headerLength = 8;
        QTest::newRow("header shorter than 12") << bytes(p.bytes());
        std::string raw = AuxiliaryPacket{}.bytes();
        put(raw, 24, 200, 2);
        QTest::newRow("header longer than the packet") << bytes(raw);
        QTest::newRow("no header") << bytes(frame("_ax", "abc"));
        QTest::newRow("not an auxiliary packet") << bytes(frame("_ri", AuxiliaryPacket{}.bytes().substr(24)));
    }
    void malformedAuxiliary()
    {
        QFETCH(QByteArray, bad);
        VEXA3D_AUXILIARY_DATA_T out;
        out.timestamp = 42;
        QVERIFY(!Decoder::auxiliary(std::string(bad.constData(), size_t(bad.size())), out));
        QCOMPARE(out.timestamp, 42u);
    }
};

QTEST_GUILESS_MAIN(tst_Vexa3dDecode)
#include "tst_vexa3d_decode.moc"
