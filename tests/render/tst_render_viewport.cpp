#include "Camera.h"
#include "Canvas.h"
#include "Cube.h"
#include "LayerItem.h"
#include "Scene.h"
#include "SelectionManager.h"
#include "TestSupport.h"
#include "Viewport.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
void click(Scene &scene, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent press(QEvent::MouseButtonPress, pos, button, button, Qt::NoModifier);
    scene.mousePressEvent(&press);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, button, Qt::NoButton, Qt::NoModifier);
    scene.mouseReleaseEvent(&release);
}
} // namespace

class tst_Viewport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }
    void rectangles_data()
    {
        QTest::addColumn<QSize>("scene");
        QTest::addColumn<QRectF>("relative");
        QTest::addColumn<QRect>("pixel");
        QTest::addColumn<QRect>("gl");
        QTest::newRow("whole") << QSize(1000, 500) << QRectF(0, 0, 1, 1)
                               << QRect(QPoint(0, 0), QPoint(999, 499)) << QRect(0, 0, 1000, 500);
        QTest::newRow("top view inset")
            << QSize(1000, 500) << QRectF(0.75, 0.75, 0.25, 0.25) << QRect(QPoint(750, 375), QPoint(999, 499))
            << QRect(750, 0, 250, 125);
        QTest::newRow("top left quarter") << QSize(1000, 500) << QRectF(0, 0, 0.5, 0.5)
                                          << QRect(QPoint(0, 0), QPoint(499, 249)) << QRect(0, 250, 500, 250);
        // Pixel edges round, the GL rectangle truncates.
        QTest::newRow("odd size") << QSize(333, 101) << QRectF(0.5, 0.5, 0.5, 0.5)
                                  << QRect(QPoint(167, 51), QPoint(333, 101)) << QRect(166, 0, 166, 50);
        QTest::newRow("empty scene") << QSize(0, 0) << QRectF(0, 0, 1, 1)
                                     << QRect(QPoint(0, 0), QPoint(-1, -1)) << QRect(0, 0, 0, 0);
    }
    void rectangles()
    {
        // The pixel rectangle rounds from the top-left; the GL rectangle has its origin at the bottom and
        // truncates. The scene's size reaches its viewports; the same size again announces nothing.
        QFETCH(QSize, scene);
        QFETCH(QRectF, relative);
        QFETCH(QRect, pixel);
        QFETCH(QRect, gl);
        Scene owner;
        owner.setSize(QSize(7, 7));
        auto *viewport = new Viewport(&owner);
        viewport->setRelativeRect(relative);
        owner.addViewport(viewport);
        owner.setSize(scene);
        QSignalSpy spy(&owner, &RenderableItem::changed);
        owner.setSize(scene);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(viewport->pixelRect(), pixel);
        QCOMPARE(viewport->glRect(), gl);
        QCOMPARE(viewport->camera()->viewport(), pixel);
        QCOMPARE(Viewport::pixelRectFor(relative, scene), pixel);
    }
    void topmostViewportGetsMouse_data()
    {
        QTest::addColumn<int>("insetZ");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("toInset");
        QTest::newRow("inset above, inside inset") << 2 << QPoint(700, 350) << true;
        QTest::newRow("inset above, outside inset") << 2 << QPoint(100, 100) << false;
        QTest::newRow("inset below, inside inset") << 0 << QPoint(700, 350) << false;
    }
    void topmostViewportGetsMouse()
    {
        // Where viewports overlap, the one with the higher ZOrder receives the mouse.
        Scene scene;
        scene.setSize(QSize(800, 400));
        auto *inset = new Viewport(&scene);
        inset->setRelativeRect(QRectF(0.75, 0.75, 0.25, 0.25));
        auto *main = new Viewport(&scene);
        QFETCH(int, insetZ);
        QFETCH(QPoint, pos);
        QFETCH(bool, toInset);
        inset->setZOrder(insetZ);
        scene.addViewport(inset);
        scene.addViewport(main);
        QCOMPARE(scene.viewportAt(pos), toInset ? inset : main);

        QSignalSpy insetRays(inset->camera(), &Camera::setMouseRay);
        QSignalSpy mainRays(main->camera(), &Camera::setMouseRay);
        click(scene, pos);
        QCOMPARE(insetRays.count(), toInset ? 1 : 0);
        QCOMPARE(mainRays.count(), toInset ? 0 : 1);
        QVERIFY(!scene.viewportAt(QPoint(900, 10)));
    }
    void pressSelectsOnlyTarget()
    {
        // A press deselects every viewport and selects the one it lands in; outside all of them none stays
        // selected. A click on a selectable cube selects it; a click beside it deselects it again.
        Scene scene;
        scene.setSize(QSize(400, 200));
        auto *left = new Viewport(&scene);
        left->setRelativeRect(QRectF(0, 0, 0.5, 1));
        left->camera()->setViewPreset(3);
        Cube cube;
        cube.setSelectable(true);
        left->addItem(&cube);
        auto *right = new Viewport(&scene);
        right->setRelativeRect(QRectF(0.5, 0, 0.5, 1));
        scene.addViewport(left);
        scene.addViewport(right);
        click(scene, QPoint(100, 100));
        QVERIFY(cube.isSelected());
        QCOMPARE(cube.color(), QColor(Qt::yellow));
        click(scene, QPoint(10, 10));
        QVERIFY(!cube.isSelected());
        QVERIFY(left->isSelected());
        QVERIFY(!right->isSelected());
        click(scene, QPoint(300, 10));
        QVERIFY(!left->isSelected());
        QVERIFY(right->isSelected());
        left->setRelativeRect(QRectF(0, 0, 0.25, 1));
        right->setRelativeRect(QRectF(0.75, 0, 0.25, 1));
        click(scene, QPoint(150, 10));
        QVERIFY(!left->isSelected());
        QVERIFY(!right->isSelected());
    }
    void canvasForgetsWhatIsGone()
    {
        // Viewports are made, found and taken by name; a layer is added once and removed wholly; a deleted
        // item or layer leaves no dangling entry.
        Canvas canvas;
        Viewport *main = canvas.createViewport(QStringLiteral("Main"), QRectF(0, 0, 1, 1));
        Viewport *top = canvas.createViewport(QStringLiteral("Top"), QRectF(0.75, 0.75, 0.25, 0.25));
        QCOMPARE(canvas.takeViewport(QStringLiteral("Top")), top);
        QVERIFY(!canvas.hasViewport(QStringLiteral("Top")));
        QVERIFY(!canvas.takeViewport(QStringLiteral("Top")));
        delete top;
        auto *cube = new Cube;
        main->addItem(cube);
        delete cube;
        QVERIFY(main->items().isEmpty());
        canvas.clearViewPorts();
        QVERIFY(canvas.scene()->viewports().isEmpty());
        LayerItem layer;
        canvas.addLayer(&layer);
        canvas.addLayer(&layer);
        canvas.addLayer(nullptr);
        QCOMPARE(canvas.layers().size(), 1);
        canvas.removeLayer(&layer);
        QVERIFY(canvas.layers().isEmpty());
        auto *deleted = new LayerItem;
        canvas.addLayer(deleted);
        delete deleted;
        QVERIFY(canvas.layers().isEmpty());
    }
};

QTEST_MAIN(tst_Viewport)
#include "tst_render_viewport.moc"
