#include "Coordinate.h"
#include "PointCloud.h"
#include "TestSupport.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
QVector<QVector3D> points(int n, float tag)
{
    QVector<QVector3D> v;
    for (int i = 0; i < n; ++i)
        v.append(QVector3D(tag, float(i), 0));
    return v;
}
} // namespace

class tst_PointCloud : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }
    void frames_data()
    {
        QTest::addColumn<QVector<int>>("first");
        QTest::addColumn<QString>("start"); // of the second frame
        QTest::addColumn<QVector<int>>("second");
        QTest::addColumn<int>("drawCount");
        QTest::addColumn<int>("length");
        QTest::newRow("fewer points keep the old tail")
            << QVector<int>{5} << "reset" << QVector<int>{3} << 5 << 5;
        QTest::newRow("more points grow") << QVector<int>{3} << "reset" << QVector<int>{2, 4} << 6 << 6;
        QTest::newRow("same size") << QVector<int>{2, 2} << "reset" << QVector<int>{4} << 4 << 4;
        QTest::newRow("empty frame") << QVector<int>{4} << "reset" << QVector<int>{} << 4 << 4;
        // Clearing draws nothing yet keeps the vectors, which a later smaller frame never shrinks.
        QTest::newRow("cleared") << QVector<int>{10} << "clear" << QVector<int>{} << 0 << 10;
        QTest::newRow("cleared, then a smaller frame")
            << QVector<int>{10} << "clear" << QVector<int>{3} << 3 << 10;
        QTest::newRow("a new frame tag") << QVector<int>{5} << "new tag" << QVector<int>{3} << 5 << 5;
        QTest::newRow("the same frame tag goes on")
            << QVector<int>{3} << "same tag" << QVector<int>{2} << 5 << 5;
    }
    void frames()
    {
        // A new frame, or a new frame tag, overwrites the previous one from the start; its tail stays drawn
        // until overwritten. A quietly set tag announces nothing.
        PointCloud cloud;
        QSignalSpy changed(&cloud, &RenderableItem::changed);
        QFETCH(QVector<int>, first);
        QFETCH(QString, start);
        QFETCH(QVector<int>, second);
        QFETCH(int, drawCount);
        QFETCH(int, length);
        for (int n : first)
            cloud.addPoints(points(n, 1), points(n, 1));
        cloud.setFrameTagQuietly(7);
        if (start == QLatin1String("reset"))
            cloud.resetPoints();
        else if (start == QLatin1String("clear"))
            cloud.clearPoints();
        else
            cloud.setFrameTag(start == QLatin1String("new tag") ? 8 : 7);
        const bool goesOn = start == QLatin1String("same tag");
        const int kept = goesOn ? first.constFirst() : 0;
        QCOMPARE(cloud.count(), kept);
        QCOMPARE(cloud.frameTag(), goesOn ? 7 : start == QLatin1String("new tag") ? 8 : -1);
        int written = kept;
        for (int n : second) {
            cloud.addPoints(points(n, 2), points(n, 2));
            written += n;
        }
        QCOMPARE(changed.count(), first.size() + (goesOn ? 0 : 1) + second.size());
        QCOMPARE(cloud.count(), written);
        QCOMPARE(cloud.drawCount(), drawCount);
        QCOMPARE(cloud.positions().size(), length);
        QCOMPARE(cloud.colors().size(), length);
        QVERIFY(cloud.isDirty());
        for (int i = 0; i < cloud.drawCount(); ++i)
            QCOMPARE(cloud.positions().at(i).x(), i >= kept && i < written ? 2.0f : 1.0f);
    }
    void coordinateMarker()
    {
        // Hiding the origin marker announces a change once; hiding it again announces nothing (that it
        // follows the cloud's visibility is checked with the point cloud's properties).
        PointCloud cloud;
        QSignalSpy changed(&cloud, &RenderableItem::changed);
        cloud.setCoordinateVisible(false);
        QCOMPARE(changed.count(), 1);
        cloud.setCoordinateVisible(false);
        QCOMPARE(changed.count(), 1);
    }
    void mismatchedBatch()
    {
        // A batch whose lists differ in length adds only the points that have a colour.
        PointCloud cloud;
        cloud.addPoints(points(4, 1), points(2, 1));
        QCOMPARE(cloud.count(), 2);
        QCOMPARE(cloud.positions().size(), cloud.colors().size());
    }
};

QTEST_MAIN(tst_PointCloud)
#include "tst_render_pointcloud.moc"
