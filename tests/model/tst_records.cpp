// The live records keep their byte layouts, round-trip through streams, and turn echoes into points,
// colours and scaled samples.
#include "AbstractColorModel.h"
#include "AbstractDataFilter.h"
#include "DRALAuxiliaryData.h"
#include "DRALMeasurementData.h"
#include "MetaTypes.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QDataStream>
#include <QtTest>

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
    d.frameNumber = 7;
    d.motorFieldNumber = 3;
    d.remFieldNumber = 2;
    d.lineNumber = 11;
    d.status[0] = '0';
    d.status[1] = '0';
    d.status[2] = '1';
    d.dirtRatioX10 = 77;
    for (size_t r = 0; r < d.totalDetectionArea.size(); ++r)
        d.totalDetectionArea[r] = uint32_t(1000 + r);
    d.isLineDataReady = 1;
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

    void byteSize_data()
    {
        QTest::addColumn<int>("spots");
        QTest::addColumn<int>("echoes");
        QTest::addColumn<int>("regions");
        QTest::addColumn<int>("expected");
        QTest::newRow("default spec") << 74 << 4 << 2 << 19863;
        QTest::newRow("one spot one echo no region") << 1 << 1 << 0 << 64 + 4 + 23;
        QTest::newRow("wide line") << 300 << 3 << 4 << 300 * 3 * 4 + 64 * 300 * 3 + 4 * 304 + 23;
        // Geometries from outside whose record would exceed 64 MiB are refused, not sized.
        QTest::newRow("largest geometry") << 65535 << 255 << 255 << -1;
        QTest::newRow("just beyond the limit") << 11749 << 64 << 0 << -1;
    }
    void byteSize()
    {
        QFETCH(int, spots);
        QFETCH(int, echoes);
        QFETCH(int, regions);
        QFETCH(int, expected);
        DRALMeasurementData record(specOf(spots, echoes, regions));
        QCOMPARE(record.byteSize(), expected);
        QCOMPARE(record.dataType(), 17);

        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        QCOMPARE(record.writeTo(out), expected > 0);
        QCOMPARE(bytes.size(), qMax(0, expected));
        if (expected < 0) {
            QVERIFY(record.data()->spots.empty());
            QDataStream in(QByteArray(1024, '\0'));
            QVERIFY(!record.readFrom(in));
        }
    }

    void measurementRoundTrip_data()
    {
        QTest::addColumn<int>("truncateBy");
        QTest::addColumn<bool>("ok");
        QTest::newRow("whole record") << 0 << true;
        QTest::newRow("last byte missing") << 1 << false;
        QTest::newRow("header cut") << 30 << false;
        QTest::newRow("empty stream") << 19863 << false;
    }
    void measurementRoundTrip()
    {
        QFETCH(int, truncateBy);
        QFETCH(bool, ok);
        const VEXA3D_SPEC_T spec;
        DRALMeasurementData original(spec);
        fillLine(*original.data(), 3);
        QByteArray bytes;
        {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            QVERIFY(original.writeTo(out));
        }
        bytes.chop(truncateBy);
        DRALMeasurementData copy(spec);
        QDataStream in(bytes);
        QCOMPARE(copy.readFrom(in), ok);
        if (!ok) {
            QCOMPARE(copy.data()->timestamp, 0u); // a failed read leaves the record untouched
            return;
        }
        const VEXA3D_MEASUREMENT_DATA_T &a = *original.data();
        const VEXA3D_MEASUREMENT_DATA_T &b = *copy.data();
        QCOMPARE(b.timestamp, a.timestamp);
        QCOMPARE(b.lineNumber, a.lineNumber);
        QCOMPARE(b.dirtRatioX10, a.dirtRatioX10);
        QCOMPARE(QByteArray(b.status, 3), QByteArray("001"));
        QCOMPARE(b.totalDetectionArea, a.totalDetectionArea);
        QCOMPARE(b.spots[73].echoes[2].range, a.spots[73].echoes[2].range);
        QCOMPARE(b.spots[5].regionFlags[1], a.spots[5].regionFlags[1]);
        QCOMPARE(copy.points(), original.points());
    }

    void pointsSkipEmptyEchoesAndMissingSpots_data()
    {
        QTest::addColumn<int>("received");
        QTest::addColumn<int>("zeroEcho");
        QTest::addColumn<int>("expected");
        QTest::newRow("complete line, 2 echoes") << 74 << -1 << 148;
        QTest::newRow("half a line") << 37 << -1 << 74;
        QTest::newRow("second echo empty everywhere") << 74 << 1 << 74;
        QTest::newRow("nothing received") << 0 << -1 << 0;
    }
    void pointsSkipEmptyEchoesAndMissingSpots()
    {
        QFETCH(int, received);
        QFETCH(int, zeroEcho);
        QFETCH(int, expected);
        DRALMeasurementData record{VEXA3D_SPEC_T{}};
        fillLine(*record.data(), 2);
        record.data()->receivedSpotCount = uint16_t(received);
        if (zeroEcho >= 0)
            for (VEXA3D_SPOT_T &spot : record.data()->spots)
                spot.echoes[size_t(zeroEcho)].range = -1.0;
        LevelColorModel model;
        const auto points = record.points();
        QCOMPARE(points.size(), expected);
        QCOMPARE(record.colors(&model).size(), expected);
        if (expected > 0)
            QCOMPARE(points.first(), QVector3D(0, 0, 0.5f));
    }

    void allRangesZeroGiveNothing()
    {
        DRALMeasurementData record{VEXA3D_SPEC_T{}};
        record.data()->receivedSpotCount = 74;
        for (VEXA3D_SPOT_T &spot : record.data()->spots)
            spot.count = 4;
        LevelColorModel model;
        QVERIFY(record.points().isEmpty());
        QVERIFY(record.colors(&model).isEmpty());
    }

    void countsBeyondTheRecordAreClamped()
    {
        DRALMeasurementData record{specOf(4, 2, 1)};
        fillLine(*record.data(), 2);
        record.data()->receivedSpotCount = 60000;
        record.data()->spots[0].count = 1000;
        QCOMPARE(record.points().size(), 8);
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

    void filtersRunInPlaceAndSkipNull()
    {
        DRALMeasurementData record{VEXA3D_SPEC_T{}};
        fillLine(*record.data(), 2);
        DropSecondEcho drop;
        record.applyFilters({nullptr, &drop, nullptr});
        QCOMPARE(record.points().size(), 74);
        DRALMeasurementData copy = record; // copies share the line
        QCOMPARE(copy.data().data(), record.data().data());
    }

    void moveLeavesAFreshRecord()
    {
        DRALMeasurementData source{VEXA3D_SPEC_T{}};
        fillLine(*source.data(), 1);
        auto *line = source.data().data();
        DRALMeasurementData target(std::move(source));
        QCOMPARE(target.data().data(), line);
        QVERIFY(source.data());
        QCOMPARE(source.data()->timestamp, 0u);
        QCOMPARE(int(source.data()->spots.size()), 74);
    }

    void auxiliaryScaling_data()
    {
        QTest::addColumn<quint32>("kinds");
        QTest::addColumn<bool>("gyro");
        QTest::addColumn<bool>("accel");
        QTest::addColumn<bool>("mag");
        QTest::addColumn<bool>("temp");
        QTest::newRow("temperature only") << 8u << false << false << false << true;
        QTest::newRow("gyro and acceleration") << 3u << true << true << false << false;
        QTest::newRow("everything") << 15u << true << true << true << true;
        QTest::newRow("nothing") << 0u << false << false << false << false;
    }
    void auxiliaryScaling()
    {
        QFETCH(quint32, kinds);
        QFETCH(bool, gyro);
        QFETCH(bool, accel);
        QFETCH(bool, mag);
        QFETCH(bool, temp);
        VEXA3D_AUXILIARY_DATA_T packet;
        packet.kinds = kinds;
        packet.sampleCount = 2;
        packet.samples[0] = {10, 32767, 0, -32767, 16384, 0, 0, 100, 0, 0, 0};
        packet.samples[1] = {20, 0, 0, 0, 0, 0, 32767, 0, 0, -20, 3339};
        VEXA3D_SPEC_T spec;
        DRALAuxiliaryData aux(packet, spec);
        QCOMPARE(aux.gyroscopes().size(), gyro ? 2 : 0);
        QCOMPARE(aux.accelerations().size(), accel ? 2 : 0);
        QCOMPARE(aux.magneticFields().size(), mag ? 2 : 0);
        QCOMPARE(aux.temperatures().size(), temp ? 2 : 0);
        if (gyro) {
            QCOMPARE(aux.gyroscopes()[0], QVector4D(500, 0, -500, 10));
            QVERIFY(qAbs(aux.accelerations()[1].z() - 4.0f) < 1e-5f);
            QVERIFY(qAbs(aux.accelerations()[0].x() - 2.0f) < 1e-3f);
        }
        if (mag)
            QVERIFY(qFuzzyCompare(aux.magneticFields()[0].x(), 100 * 0.15f));
        if (temp) {
            QCOMPARE(aux.temperatures()[0], QVector4D(21.0f, 0, 0, 10));
            QVERIFY(qAbs(aux.temperatures()[1].x() - float(3339 / 333.87 + 21.0)) < 1e-4f);
        }
        QCOMPARE(aux.hasKinds(kinds), true);
        QCOMPARE(aux.hasKinds(kinds | 16u), false);
    }

    void auxiliaryRoundTrip()
    {
        VEXA3D_AUXILIARY_DATA_T packet;
        packet.timestamp = 99;
        packet.kinds = 9;
        packet.sampleCount = 300; // more than the array: lists stop at 255
        packet.samples[254].temperature = 1;
        DRALAuxiliaryData aux(packet, VEXA3D_SPEC_T{});
        QByteArray bytes;
        {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            QVERIFY(aux.writeTo(out));
        }
        QCOMPARE(bytes.size(), 11236);
        DRALAuxiliaryData back;
        QDataStream in(bytes);
        QVERIFY(back.readFrom(in));
        QCOMPARE(back.timestamp(), qint64(99));
        QCOMPARE(back.temperatures().size(), 255);

        bytes.chop(1);
        DRALAuxiliaryData shortRead;
        QDataStream in2(bytes);
        QVERIFY(!shortRead.readFrom(in2));
    }

    void metaTypesAreRegisteredByName()
    {
        Taviro::registerRecordMetaTypes();
        for (const char *name :
             {"QSharedPointer<SensorData>", "QSharedPointer<MeasurementData>",
              "QSharedPointer<AuxiliaryData>", "QSharedPointer<DRALMeasurementData>",
              "QSharedPointer<DRALAuxiliaryData>", "VEXA3D_SENSOR_INFO_T", "VEXA3D_MEASUREMENT_DATA_T"})
            QVERIFY2(QMetaType::type(name) != QMetaType::UnknownType, name);
    }
};

QTEST_GUILESS_MAIN(tst_Records)
#include "tst_records.moc"
