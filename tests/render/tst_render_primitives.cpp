#include "Arrow.h"
#include "Axis.h"
#include "Cone.h"
#include "Coordinate.h"
#include "Cube.h"
#include "Cylinder.h"
#include "GridPlaneXY.h"
#include "SelectionManager.h"
#include "TestSupport.h"
#include "ViewProbes.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

using TestSupport::near;

namespace {

Ray downAt(float x, float y)
{
    return Ray{QVector3D(x, y, 10), QVector3D(0, 0, -1)};
}
} // namespace

class tst_Primitives : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }
    void gridLines_data()
    {
        QTest::addColumn<QVector<float>>("grid");
        QTest::addColumn<int>("vertices");
        QTest::addColumn<QVector<QVector3D>>("mustHave");
        QTest::newRow("unit spacing") << QVector<float>{-2, 2, -2, 2, 0, 1} << 16
                                      << QVector<QVector3D>{{-2, -2, 0}, {2, -2, 0}, {-1, -2, 0}, {-1, 2, 0}};
        QTest::newRow("zero lines skipped")
            << QVector<float>{-3, 3, -3, 3, 0, 3} << 8 << QVector<QVector3D>{{-3, -3, 0}, {3, 3, 0}};
        QTest::newRow("yMax below yMin") << QVector<float>{-2, 2, 2, -2, 0.5f, 1} << 8
                                         << QVector<QVector3D>{{-2, 2, 0.5f}, {-2, -2, 0.5f}};
        QTest::newRow("composer grid") << QVector<float>{-100, 100, -100, 100, 0, 1} << 800
                                       << QVector<QVector3D>{{-100, 100, 0}, {100, 100, 0}};
        QTest::newRow("no spacing") << QVector<float>{-2, 2, -2, 2, 0, 0} << 0 << QVector<QVector3D>{};
    }
    void gridLines()
    {
        // The grid has a line at every spacing step except through the origin, where the axes are.
        QFETCH(QVector<float>, grid);
        QFETCH(int, vertices);
        QFETCH(QVector<QVector3D>, mustHave);
        GridPlaneXY plane(nullptr, grid[0], grid[1], grid[2], grid[3], grid[4], grid[5]);
        const QVector<QVector3D> positions = plane.positions();
        QCOMPARE(positions.size(), vertices);
        for (const QVector3D &v : mustHave)
            QVERIFY2(positions.contains(v),
                     qPrintable(QStringLiteral("missing %1 %2").arg(v.x()).arg(v.y())));
        for (int i = 0; i + 1 < positions.size(); i += 2) {
            const bool alongX = positions[i].y() == positions[i + 1].y();
            QVERIFY(alongX ? positions[i].y() != 0.0f : positions[i].x() != 0.0f);
        }
    }
    void solids_data()
    {
        QTest::addColumn<bool>("cone");
        QTest::addColumn<int>("segments");
        QTest::addColumn<int>("vertices");
        QTest::newRow("cylinder 20") << false << 20 << 240;
        QTest::newRow("cylinder 3") << false << 3 << 36;
        QTest::newRow("cone 20") << true << 20 << 120;
        QTest::newRow("cone 7") << true << 7 << 42;
    }
    void solids()
    {
        // Cylinder and cone stand on the XZ plane, reach up to their height and stay within their radius.
        QFETCH(bool, cone);
        QFETCH(int, segments);
        QFETCH(int, vertices);
        std::unique_ptr<SolidOfRevolution> solid;
        if (cone)
            solid = std::make_unique<Cone>();
        else
            solid = std::make_unique<Cylinder>();
        solid->setRadius(2.0f);
        solid->setHeight(3.0f);
        solid->setSegments(segments);
        QCOMPARE(solid->positions().size(), vertices);
        float top = 0.0f;
        for (const QVector3D &v : solid->positions()) {
            QVERIFY(v.y() >= 0.0f && v.y() <= 3.0f);
            QVERIFY(QVector2D(v.x(), v.z()).length() <= 2.0f + 1e-5f);
            top = std::max(top, v.y());
        }
        QCOMPARE(top, 3.0f);
        QCOMPARE(solid->boundingRadius(), 2.0f);
    }
    void coordinateArrows()
    {
        // The marker's arrows point along +X (red), +Y (green) and +Z (blue), 1.0 long at size 1.
        Coordinate coordinate;
        coordinate.setPos(QVector3D(5, 0, 0));
        const struct
        {
            Arrow *arrow;
            QVector3D tip;
            QColor color;
        } cases[] = {{coordinate.xArrow(), {6, 0, 0}, Qt::red},
                     {coordinate.yArrow(), {5, 1, 0}, Qt::green},
                     {coordinate.zArrow(), {5, 0, 1}, Qt::blue}};
        for (const auto &c : cases) {
            const QVector3D apex(0, c.arrow->headLength(), 0);
            QVERIFY(near(c.arrow->head()->modelMatrix().map(apex), c.tip, 1e-5f));
            QCOMPARE(c.arrow->color(), c.color);
        }
    }
    void pickNearest_data()
    {
        QTest::addColumn<QVector3D>("nearPos");
        QTest::addColumn<QString>("nearState");
        QTest::addColumn<float>("nearHit");
        QTest::addColumn<QVector3D>("farPos");
        QTest::addColumn<int>("picked");
        // The ray comes down the Z axis from z = 10; both cubes have a bounding radius of 1.
        const QString pickable = QStringLiteral("selectable");
        QTest::newRow("central near beats grazed far")
            << QVector3D(0, 0, 5) << pickable << 4.0f << QVector3D(0.95f, 0, 0) << 0;
        QTest::newRow("grazed near beats central far")
            << QVector3D(0.95f, 0, 5) << pickable << 4.68775f << QVector3D(0, 0, 0) << 0;
        QTest::newRow("half off centre")
            << QVector3D(0.6f, 0, 0) << pickable << 9.2f << QVector3D(3, 0, 0) << 0;
        QTest::newRow("behind the eye is skipped")
            << QVector3D(0, 0, 12) << pickable << -1.0f << QVector3D(0, 0, 0) << 1;
        QTest::newRow("eye inside the near one")
            << QVector3D(0, 0, 9.5f) << pickable << 0.0f << QVector3D(0, 0, 0) << 0;
        QTest::newRow("unselectable near is skipped")
            << QVector3D(0, 0, 5) << "unselectable" << -1.0f << QVector3D(0, 0, 0) << 1;
        QTest::newRow("hidden near is skipped")
            << QVector3D(0, 0, 5) << "hidden" << -1.0f << QVector3D(0, 0, 0) << 1;
        QTest::newRow("both missed") << QVector3D(3, 0, 5) << pickable << -1.0f << QVector3D(3, 0, 0) << -1;
    }
    void pickNearest()
    {
        // The hit value is the distance along the ray to the bounding sphere, -1 for an item that cannot be
        // picked or is missed; the pick is the first item the ray meets in front of its origin.
        QFETCH(QVector3D, nearPos);
        QFETCH(QString, nearState);
        QFETCH(float, nearHit);
        QFETCH(QVector3D, farPos);
        QFETCH(int, picked);
        Cube nearCube, farCube;
        nearCube.setSize(2.0f);
        farCube.setSize(2.0f);
        nearCube.setPos(nearPos);
        farCube.setPos(farPos);
        nearCube.setSelectable(nearState != QLatin1String("unselectable"));
        nearCube.setVisible(nearState != QLatin1String("hidden"));
        farCube.setSelectable(true);
        const float hit = nearCube.hitTest(downAt(0, 0));
        QVERIFY2(qAbs(hit - nearHit) < 1e-4f, qPrintable(QString::number(hit)));
        SelectionManager manager;
        const QList<RenderableItem *> items{&nearCube, &farCube};
        RenderableItem *expected = picked == 0 ? &nearCube : picked == 1 ? &farCube : nullptr;
        QCOMPARE(manager.pick(items, downAt(0, 0)), expected);
    }
    void pressReleaseRule_data()
    {
        QTest::addColumn<float>("pressAt");
        QTest::addColumn<float>("releaseAt");
        QTest::addColumn<int>("selected");
        QTest::newRow("same cube") << 0.0f << 0.0f << 0;
        QTest::newRow("cube then empty") << 0.0f << 5.0f << -1;
        QTest::newRow("cube then other cube") << 0.0f << 3.0f << -1;
        QTest::newRow("empty then cube") << 5.0f << 3.0f << -1;
        QTest::newRow("other cube") << 3.0f << 3.0f << 1;
    }
    void pressReleaseRule()
    {
        // A click selects the item under it only when press and release hit the same item, and deselects all
        // others.
        Cube first, second;
        second.setPos(QVector3D(3, 0, 0));
        QList<RenderableItem *> items{&first, &second};
        for (RenderableItem *item : items)
            item->setSelectable(true);
        second.setSelected(true);
        QFETCH(float, pressAt);
        QFETCH(float, releaseAt);
        QFETCH(int, selected);
        SelectionManager manager;
        manager.mousePress(items, downAt(pressAt, 0));
        QVERIFY(manager.isPressed());
        manager.mouseRelease(items, downAt(releaseAt, 0));
        QVERIFY(!manager.isPressed());
        QVERIFY(!manager.pressedItem());
        QCOMPARE(first.isSelected(), selected == 0);
        QCOMPARE(second.isSelected(), selected == 1);
        QCOMPARE(first.color(), QColor(selected == 0 ? Qt::yellow : Qt::red));
        QCOMPARE(second.color(), QColor(selected == 1 ? Qt::yellow : Qt::red));
    }
};

QTEST_MAIN(tst_Primitives)
#include "tst_render_primitives.moc"
