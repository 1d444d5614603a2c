#include "CloudHandOff.h"
#include "PointCloud.h"
#include "TestSupport.h"

#include <QtTest>

#include <thread>

namespace {

CloudHandOff::Line withPoints(CloudHandOff::Line line, int points, int emphasised)
{
    for (int i = 0; i < points; ++i) {
        line.points.append(QVector3D(float(i), 0, 0));
        line.colors.append(QVector3D(1, 1, 1));
    }
    for (int i = 0; i < emphasised; ++i) {
        line.emphasisPoints.append(QVector3D(float(i), 1, 0));
        line.emphasisColors.append(QVector3D(1, 0, 0));
    }
    return line;
}

} // namespace

// Lines computed on another thread reach the clouds on the GUI thread whole and in order; a clear on the
// GUI thread drops the lines stamped before it, for the cloud it cleared only.
class tst_CloudHandOff : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }
    void linesArriveInOrder()
    {
        PointCloud cloud;
        PointCloud emphasis;
        CloudHandOff handOff(&cloud, &emphasis);
        std::thread producer([&handOff] {
            for (int i = 0; i < 50; ++i) {
                CloudHandOff::Line line = handOff.stamped(0, false);
                line.points = {QVector3D(float(i), 0, 0)};
                line.colors = {QVector3D(1, 1, 1)};
                handOff.post(std::move(line));
            }
        });
        producer.join();
        QCOMPARE(handOff.pending(), 50);
        QCOMPARE(handOff.maxPending(), 50);
        QTRY_COMPARE(handOff.linesDrawn(), quint64(50));
        QCOMPARE(handOff.pending(), 0);
        QCOMPARE(cloud.count(), 50);
        for (int i = 0; i < 50; ++i)
            QCOMPARE(cloud.positions().at(i).x(), float(i));
    }

    void clearOutdatesLinesOnTheirWay_data()
    {
        QTest::addColumn<QString>("clear");
        QTest::addColumn<int>("cloudPoints");
        QTest::addColumn<int>("emphasisPoints");
        QTest::addColumn<quint64>("drawn");

        QTest::newRow("no clear") << QString() << 3 << 2 << quint64(1);
        QTest::newRow("cloud") << QStringLiteral("cloud") << 0 << 2 << quint64(0);
        QTest::newRow("emphasis") << QStringLiteral("emphasis") << 3 << 0 << quint64(1);
        QTest::newRow("all") << QStringLiteral("all") << 0 << 0 << quint64(0);
    }

    void clearOutdatesLinesOnTheirWay()
    {
        QFETCH(QString, clear);
        QFETCH(int, cloudPoints);
        QFETCH(int, emphasisPoints);
        QFETCH(quint64, drawn);

        PointCloud cloud;
        PointCloud emphasis;
        CloudHandOff handOff(&cloud, &emphasis);
        const CloudHandOff::Line stale = withPoints(handOff.stamped(0, false), 3, 2);
        if (clear == QLatin1String("cloud"))
            handOff.clearCloud();
        else if (clear == QLatin1String("emphasis"))
            handOff.clearEmphasis();
        else if (clear == QLatin1String("all"))
            handOff.clearAll();
        handOff.post(stale);
        // A line stamped after the clear arrives whatever was cleared.
        handOff.post(withPoints(handOff.stamped(0, false), 1, 1));
        QTRY_COMPARE(handOff.pending(), 0);
        QCOMPARE(cloud.count(), cloudPoints + 1);
        QCOMPARE(emphasis.count(), emphasisPoints + 1);
        QCOMPARE(handOff.linesDrawn(), drawn + 1);
    }

    void newFrameTagsTheCloudAndEmptiesTheEmphasis()
    {
        PointCloud cloud;
        PointCloud emphasis;
        CloudHandOff handOff(&cloud, &emphasis);
        handOff.post(withPoints(handOff.stamped(4, true), 2, 2));
        handOff.post(withPoints(handOff.stamped(4, false), 2, 0));
        handOff.post(withPoints(handOff.stamped(5, true), 1, 0));
        QTRY_COMPARE(handOff.linesDrawn(), quint64(3));
        QCOMPARE(cloud.frameTag(), 5);
        // The new frame overwrites the old one from the start: one point so far, four still drawn.
        QCOMPARE(cloud.count(), 1);
        QCOMPARE(cloud.drawCount(), 4);
        QCOMPARE(emphasis.count(), 0);
    }
};

QTEST_MAIN(tst_CloudHandOff)
#include "tst_cloudhandoff.moc"
