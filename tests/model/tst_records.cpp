// The live records keep their byte layouts, round-trip through streams, and turn echoes into points,
// colours and scaled samples.
#include "AbstractColorModel.h"
#include "AbstractDataFilter.h"
#include "DRALAuxiliaryData.h"
#include "DRALMeasurementData.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QDataStream>
#include <QtTest>

#include <cstring>

namespace {
VEXA3D_SPEC_T specOf(int spots, int echoes, int regions)
{
    VEXA3D_SPEC_T spec;
    spec.spotCount = quint16(spots);
    spec.echoCount = quint8(echoes);
    spec.regionCount = quint8(regions);
    return spec;
}

// Fills every spot with `echoes` echoes whose range encodes spot and echo, and marks the line complete.
void fillLine(VEXA3D_MEASUREMENT_DATA_T &d, int echoes)
{
    for (size_t s = 0; s < d.spots.size(); ++s) {
        VEXA3D_SPOT_T &spot = d.spots[s];
        spot.count = uint32_t(echoes);
        for (int e = 0; e < echoes; ++e) {
            spot.echoes[size_t(e)].range = 1.0 + double(s) + e / 10.0;
            spot.echoes[size_t(e)].level = uint32_t(100 * e + s);
            spot.points[size_t(e)].x = double(s);
            spot.points[size_t(e)].y = double(e);
            spot.points[size_t(e)].z = 0.5;
            for (uint8_t &flag : spot.regionFlags[size_t(e)])
                flag = uint8_t(e + 1);
        }
    }
    d.receivedSpotCount = uint16_t(d.spots.size());
    d.timestamp = 123456;
    d.motorFieldNumber = 3;
    d.remFieldNumber = 2;
    d.lineNumber = 11;
    d.isLineDataReady = 1;
}

// Gives every byte-sized or larger field of the line its own value.
void fillDistinct(VEXA3D_MEASUREMENT_DATA_T &d)
{
    uint32_t next = 1;
    for (VEXA3D_SPOT_T &spot : d.spots) {
        for (size_t e = 0; e < spot.echoes.size(); ++e) {
            spot.echoes[e] = {0.001 * next, 0.002 * next, 0.003 * next, next + 1, next + 2};
            spot.points[e] = {0.004 * next, 0.005 * next, 0.006 * next, next + 3, next + 4};
            for (uint8_t &flag : spot.regionFlags[e])
                flag = uint8_t(next++);
            next += 5;
        }
        spot.count = next++;
    }
    d.timestamp = next;
    d.frameNumber = 201;
    d.motorFieldNumber = 202;
    d.remFieldNumber = 203;
    d.lineNumber = 20400;
    d.receivedSpotCount = 20500;
    d.status[0] = 'a';
    d.status[1] = 'b';
    d.status[2] = 'c';
    d.dustState = 206;
    d.dustRatioX10 = 20700;
    d.output = 208;
    d.input = 209;
    d.dirtState = 210;
    d.dirtRatioX10 = 21100;
    for (size_t r = 0; r < d.totalDetectionArea.size(); ++r)
        d.totalDetectionArea[r] = uint32_t(300000 + r);
    d.isLineDataReady = 212;
}

bool sameLine(const VEXA3D_MEASUREMENT_DATA_T &a, const VEXA3D_MEASUREMENT_DATA_T &b)
{
    if (a.spots.size() != b.spots.size())
        return false;
    for (size_t s = 0; s < a.spots.size(); ++s) {
        const VEXA3D_SPOT_T &x = a.spots[s];
        const VEXA3D_SPOT_T &y = b.spots[s];
        if (x.count != y.count || x.regionFlags != y.regionFlags || x.echoes.size() != y.echoes.size() ||
            std::memcmp(x.echoes.data(), y.echoes.data(), x.echoes.size() * sizeof(VEXA3D_ECHO_T)) != 0 ||
            std::memcmp(x.points.data(), y.points.data(), x.points.size() * sizeof(VEXA3D_POINT_T)) != 0)
            return false;
    }
    return a.timestamp == b.timestamp && a.frameNumber == b.frameNumber &&
           a.motorFieldNumber == b.motorFieldNumber && a.remFieldNumber == b.remFieldNumber &&
           a.lineNumber == b.lineNumber && a.receivedSpotCount == b.receivedSpotCount &&
           std::memcmp(a.status, b.status, 3) == 0 && a.dustState == b.dustState &&
           a.dustRatioX10 == b.dustRatioX10 && a.output == b.output && a.input == b.input &&
           a.dirtState == b.dirtState && a.dirtRatioX10 == b.dirtRatioX10 &&
           a.totalDetectionArea == b.totalDetectionArea && a.isLineDataReady == b.isLineDataReady;
}

QByteArray written(const DRALMeasurementData &record)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    return record.writeTo(out) ? bytes : QByteArray("write failed");
}

class LevelColorModel : public AbstractColorModel
{
public:
    QVector3D color(const VEXA3D_SPOT_T &spot, int echoIndex, int, int, int) const override
    {
        return QVector3D(float(spot.echoes[size_t(echoIndex)].level), 0, 0);
    }
};

class DropSecondEcho : public AbstractDataFilter
{
public:
    void apply(VEXA3D_MEASUREMENT_DATA_T &data) override
    {
        for (VEXA3D_SPOT_T &spot : data.spots)
            if (spot.count > 1)
                spot.echoes[1].range = 0.0;
    }
    QString name() const override { return QStringLiteral("drop"); }
    QString key() const override { return QStringLiteral("drop"); }
    PropertyItem *property() const override { return nullptr; }
    bool isEnabled() const override { return true; }
};
} // namespace

class tst_Records : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void binaryForm_data()
    {
        QTest::addColumn<int>("spots");
        QTest::addColumn<int>("echoes");
        QTest::addColumn<int>("regions");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("truncateBy");
        QTest::newRow("default geometry") << 74 << 4 << 2 << 19863 << 0;
        QTest::newRow("one spot, one echo, no region") << 1 << 1 << 0 << 64 + 4 + 23 << 0;
        QTest::newRow("wide line") << 300 << 3 << 4 << 300 * 3 * 4 + 64 * 300 * 3 + 4 * 304 + 23 << 0;
        QTest::newRow("last byte missing") << 74 << 4 << 2 << 19863 << 1;
        QTest::newRow("header cut") << 74 << 4 << 2 << 19863 << 30;
        QTest::newRow("empty stream") << 74 << 4 << 2 << 19863 << 19863;
    }
    // read(write(x)) == x for a line whose every field differs, and write(read(bytes)) == bytes; a short
    // stream fails and leaves the record as it was.
    void binaryForm()
    {
        QFETCH(int, spots);
        QFETCH(int, echoes);
        QFETCH(int, regions);
        QFETCH(int, size);
        QFETCH(int, truncateBy);
        const VEXA3D_SPEC_T spec = specOf(spots, echoes, regions);
        DRALMeasurementData original(spec);
        fillDistinct(*original.data());
        QCOMPARE(original.byteSize(), size);
        const QByteArray bytes = written(original);
        QCOMPARE(bytes.size(), size);

        DRALMeasurementData copy(spec);
        QDataStream in(bytes.left(size - truncateBy));
        QCOMPARE(copy.readFrom(in), truncateBy == 0);
        if (truncateBy != 0) {
            QCOMPARE(copy.data()->timestamp, 0u);
            return;
        }
        QVERIFY(sameLine(*copy.data(), *original.data()));

        QByteArray pattern(size, Qt::Uninitialized);
        for (int i = 0; i < size; ++i)
            pattern[i] = char((i * 131 + 7) % 251);
        DRALMeasurementData fromPattern(spec);
        QDataStream patternIn(pattern);
        QVERIFY(fromPattern.readFrom(patternIn));
        QCOMPARE(written(fromPattern), pattern);
    }

    // Geometries from outside whose record would exceed 64 MiB are refused, not sized: such a record has no
    // spots, writes nothing and reads nothing.
    void oversizedGeometryRefused_data()
    {
        QTest::addColumn<int>("spots");
        QTest::addColumn<int>("echoes");
        QTest::addColumn<int>("regions");
        QTest::addColumn<bool>("sized");
        QTest::newRow("largest geometry") << 65535 << 255 << 255 << false;
        QTest::newRow("just beyond the limit") << 11749 << 64 << 0 << false;
        QTest::newRow("just within the limit") << 11748 << 64 << 0 << true;
    }
    void oversizedGeometryRefused()
    {
        QFETCH(int, spots);
        QFETCH(int, echoes);
        QFETCH(int, regions);
        QFETCH(bool, sized);
        DRALMeasurementData record(specOf(spots, echoes, regions));
        QCOMPARE(int(record.data()->spots.size()), sized ? spots : 0);
        if (sized)
            return;
        QCOMPARE(record.byteSize(), -1);
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        QVERIFY(!record.writeTo(out));
        QCOMPARE(bytes.size(), 0);
        QDataStream in(QByteArray(1024, '\0'));
        QVERIFY(!record.readFrom(in));
    }

    // The layout itself: a spot's echoes, points, flags and count, then the header fields in file order.
    void binaryLayout()
    {
        DRALMeasurementData record(specOf(1, 1, 1));
        VEXA3D_MEASUREMENT_DATA_T &d = *record.data();
        d.spots[0].echoes[0].range = 2.5;
        d.spots[0].points[0].x = -1.0;
        d.spots[0].regionFlags[0][0] = 0xEE;
        d.spots[0].count = 0xDDCCBBAA;
        d.timestamp = 0x04030201;
        d.frameNumber = 0x05;
        d.motorFieldNumber = 0x06;
        d.remFieldNumber = 0x07;
        d.lineNumber = 0x0908;
        d.receivedSpotCount = 0x0B0A;
        d.status[0] = 0x0C;
        d.status[1] = 0x0D;
        d.status[2] = 0x0E;
        d.dustState = 0x0F;
        d.dustRatioX10 = 0x1110;
        d.output = 0x12;
        d.input = 0x13;
        d.dirtState = 0x14;
        d.dirtRatioX10 = 0x1615;
        d.totalDetectionArea[0] = 0x1A191817;
        d.isLineDataReady = 0x1B;
        const QByteArray bytes = written(record);
        QCOMPARE(bytes.size(), 96);
        double range = 0;
        double x = 0;
        std::memcpy(&range, bytes.constData(), 8);
        std::memcpy(&x, bytes.constData() + 32, 8);
        QCOMPARE(range, 2.5);
        QCOMPARE(x, -1.0);
        QCOMPARE(bytes.mid(64, 5).toHex(), QByteArray("eeaabbccdd"));
        QCOMPARE(bytes.mid(69).toHex(), QByteArray("0102030405060708090a0b0c0d0e0f101112131415161718191a1b"));
    }

    void pointsSkipEmptyEchoesAndMissingSpots_data()
    {
        QTest::addColumn<int>("received");
        QTest::addColumn<int>("emptyFrom"); // echoes from this index on have no range
        QTest::addColumn<int>("countOfSpot0");
        QTest::addColumn<int>("expected");
        QTest::newRow("complete line, 2 echoes") << 74 << 2 << 2 << 148;
        QTest::newRow("half a line") << 37 << 2 << 2 << 74;
        QTest::newRow("second echo empty everywhere") << 74 << 1 << 2 << 74;
        QTest::newRow("nothing received") << 0 << 2 << 2 << 0;
        QTest::newRow("counts beyond the record are clamped") << 60000 << 2 << 1000 << 148;
        QTest::newRow("every range zero") << 74 << 0 << 2 << 0;
    }
    void pointsSkipEmptyEchoesAndMissingSpots()
    {
        QFETCH(int, received);
        QFETCH(int, emptyFrom);
        QFETCH(int, countOfSpot0);
        QFETCH(int, expected);
        DRALMeasurementData record(specOf(74, 2, 2));
        fillLine(*record.data(), 2);
        record.data()->receivedSpotCount = uint16_t(received);
        record.data()->spots[0].count = uint32_t(countOfSpot0);
        for (VEXA3D_SPOT_T &spot : record.data()->spots)
            for (int e = emptyFrom; e < 2; ++e)
                spot.echoes[size_t(e)].range = 0.0;
        LevelColorModel model;
        const auto points = record.points();
        QCOMPARE(points.size(), expected);
        QCOMPARE(record.colors(&model).size(), expected);
        if (expected > 0)
            QCOMPARE(points.first(), QVector3D(0, 0, 0.5f));
    }

    void emphasisMarkers_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("line");
        // red channel of the colour: the marker, or the level the model returns
        QTest::addColumn<float>("spot2");
        QTest::addColumn<float>("spot3");
        QTest::newRow("emphasised line") << 1 << 11 << -2.0f << -1.0f;
        QTest::newRow("other line") << 1 << 12 << 202.0f << 203.0f;
        QTest::newRow("mode without bit 0") << 2 << 11 << 202.0f << 203.0f;
        QTest::newRow("no emphasis") << -1 << 11 << 202.0f << 203.0f;
    }
    void emphasisMarkers()
    {
        QFETCH(int, mode);
        QFETCH(int, line);
        QFETCH(float, spot2);
        QFETCH(float, spot3);
        DRALMeasurementData record{VEXA3D_SPEC_T{}};
        fillLine(*record.data(), 3);
        record.setEmphasisType(mode);
        record.setEmphasisedSpot(3, 2, line, 2);
        LevelColorModel model;
        const auto colors = record.colors(&model);
        // three echoes per spot: echo 2 of spot 2 sits at index 2 * 3 + 2
        QCOMPARE(colors.at(2 * 3 + 2).x(), spot2);
        QCOMPARE(colors.at(3 * 3 + 2).x(), spot3);
        if (spot2 < 0)
            QCOMPARE(colors.at(2 * 3 + 2), QVector3D(spot2, spot2, spot2));
    }

    // Filters change the shared line in place and null entries are skipped; copies share the line, a
    // moved-from record holds a fresh one.
    void filtersCopiesAndMoves()
    {
        DRALMeasurementData record{VEXA3D_SPEC_T{}};
        fillLine(*record.data(), 2);
        DropSecondEcho drop;
        record.applyFilters({nullptr, &drop, nullptr});
        QCOMPARE(record.points().size(), 74);
        DRALMeasurementData copy = record;
        auto *line = record.data().data();
        QCOMPARE(copy.data().data(), line);
        DRALMeasurementData target(std::move(record));
        QCOMPARE(target.data().data(), line);
        QCOMPARE(record.data()->timestamp, 0u);
        QCOMPARE(int(record.data()->spots.size()), 74);
    }

    // Samples are scaled per kind; the packet round-trips whole, and a short stream fails.
    void auxiliaryScaling_data()
    {
        QTest::addColumn<quint32>("kinds");
        QTest::addColumn<quint32>("samples");
        QTest::addColumn<QList<int>>("sizes"); // gyroscopes, accelerations, magnetic fields, temperatures
        QTest::newRow("temperature only") << 8u << 2u << QList<int>{0, 0, 0, 2};
        QTest::newRow("gyro and acceleration") << 3u << 2u << QList<int>{2, 2, 0, 0};
        QTest::newRow("everything") << 15u << 2u << QList<int>{2, 2, 2, 2};
        QTest::newRow("nothing") << 0u << 2u << QList<int>{0, 0, 0, 0};
        QTest::newRow("more samples than the array") << 15u << 300u << QList<int>{255, 255, 255, 255};
    }
    void auxiliaryScaling()
    {
        QFETCH(quint32, kinds);
        QFETCH(quint32, samples);
        QFETCH(QList<int>, sizes);
        VEXA3D_AUXILIARY_DATA_T packet;
        packet.timestamp = 99;
        packet.kinds = kinds;
        packet.sampleCount = samples;
        packet.samples[0] = {10, 32767, 0, -32767, 16384, 0, 0, 100, 0, 0, 0};
        packet.samples[1] = {20, 0, 0, 0, 0, 0, 32767, 0, 0, -20, 3339};
        DRALAuxiliaryData aux(packet, VEXA3D_SPEC_T{});
        QCOMPARE(QList<int>({aux.gyroscopes().size(), aux.accelerations().size(), aux.magneticFields().size(),
                             aux.temperatures().size()}),
                 sizes);
        if (sizes[0]) {
            QCOMPARE(aux.gyroscopes()[0], QVector4D(500, 0, -500, 10));
            QVERIFY(qAbs(aux.accelerations()[1].z() - 4.0f) < 1e-5f);
            QVERIFY(qAbs(aux.accelerations()[0].x() - 2.0f) < 1e-3f);
        }
        if (sizes[2])
            QVERIFY(qFuzzyCompare(aux.magneticFields()[0].x(), 100 * 0.15f));
        if (sizes[3]) {
            QCOMPARE(aux.temperatures()[0], QVector4D(21.0f, 0, 0, 10));
            QVERIFY(qAbs(aux.temperatures()[1].x() - float(3339 / 333.87 + 21.0)) < 1e-4f);
        }
        QCOMPARE(aux.hasKinds(kinds), true);
        QCOMPARE(aux.hasKinds(kinds | 16u), false);

        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        QVERIFY(aux.writeTo(out));
        QCOMPARE(bytes.size(), 11236);
        DRALAuxiliaryData back;
        QDataStream in(bytes);
        QVERIFY(back.readFrom(in));
        QCOMPARE(back.timestamp(), qint64(99));
        QCOMPARE(back.temperatures(), aux.temperatures());
        DRALAuxiliaryData shortRead;
        QDataStream shortIn(bytes.left(bytes.size() - 1));
        QVERIFY(!shortRead.readFrom(shortIn));
    }
};

QTEST_GUILESS_MAIN(tst_Records)
#include "tst_records.moc"
