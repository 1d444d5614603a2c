#include "Axis.h"
#include "BoolProperty.h"
#include "Camera.h"
#include "CameraProperty.h"
#include "Canvas.h"
#include "ColorModel.h"
#include "ColorProperty.h"
#include "ColorScheme.h"
#include "ComboBoxProperty.h"
#include "Cube.h"
#include "FloatProperty.h"
#include "GridPlaneXY.h"
#include "IntegerProperty.h"
#include "LayerItem.h"
#include "PointCloud.h"
#include "PointCloudProperty.h"
#include "PropertiesDockWidget.h"
#include "Scene.h"
#include "SceneComposer.h"
#include "TestSupport.h"
#include "Vector3DProperty.h"
#include "ViewProbes.h"
#include "Viewport.h"

#include <QPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using TestSupport::near;

namespace {
QStringList viewportNames(Canvas &canvas)
{
    QStringList names;
    for (Viewport *viewport : canvas.scene()->viewports())
        names.append(viewport->name());
    return names;
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Sends a mouse event through the canvas, as the window system would.
void sendMouse(Canvas &canvas, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(pos), type == QEvent::MouseMove ? Qt::NoButton : button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&canvas, &event);
}

// The node under root at a path of keys joined by "/".
PropertyItem *nodeAt(PropertyItem *root, const QString &path)
{
    PropertyItem *node = root;
    for (const QString &key : path.split(QLatin1Char('/'))) {
        PropertyItem *next = nullptr;
        for (PropertyItem *child : node->children()) {
            if (child->key() == key)
                next = child;
        }
        if (!next)
            return nullptr;
        node = next;
    }
    return node;
}

// Every key of a properties file with its value as text.
QMap<QString, QString> entriesOf(const QString &file)
{
    QSettings settings(file, QSettings::IniFormat);
    QMap<QString, QString> entries;
    for (const QString &key : settings.allKeys())
        entries.insert(key, settings.value(key).toString());
    return entries;
}

// What the window puts in the properties dock for the view: the canvas group and two point clouds.
struct ViewTree
{
    Canvas canvas;
    SceneComposer composer;
    PointCloud clouds[2];
    PointCloudProperty first{1};
    PointCloudProperty second{2};
    PropertiesDockWidget dock;
    ViewTree()
    {
        canvas.scene()->setSize(QSize(800, 600));
        composer.setCanvas(&canvas);
        first.setPointCloud(&clouds[0]);
        second.setPointCloud(&clouds[1]);
        dock.addProperty(composer.property());
        dock.addProperty(&first);
        dock.addProperty(&second);
    }
    PropertyItem *node(const QString &path) { return nodeAt(dock.root(), path); }
};
} // namespace

class tst_Composer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    // Setting the canvas creates the main viewport with the axes, the grid and the registered items, adds
    // the registered layers once and takes over the canvas' background colour. A deleted canvas is forgotten
    // and zooming then does nothing; a "Top View" chosen meanwhile reaches the next canvas. Zooming scales
    // the main camera's distance by 0.82 or 1.18 and the "View" distance follows.
    void canvasTakesTheComposition()
    {
        SceneComposer composer;
        Cube first, second;
        LayerItem layer, lateLayer;
        composer.addItem(&first);
        composer.addItem(&second);
        composer.addItem(&first);
        composer.addLayer(&layer);
        composer.addLayer(&layer);
        {
            Canvas gone;
            composer.setCanvas(&gone);
        }
        QVERIFY(!composer.canvas());
        QVERIFY(!composer.cameraProperty()->camera());
        composer.zoomIn();
        composer.viewportProperty()->setOptionValue(1);
        Canvas canvas;
        canvas.setBackgroundColor(QColor(10, 20, 30));
        QVERIFY(canvas.layers().isEmpty());

        composer.setCanvas(&canvas);
        QCOMPARE(composer.canvas(), &canvas);
        QCOMPARE(viewportNames(canvas), QStringList({"Main", "Top"}));
        Viewport *main = canvas.viewport(QStringLiteral("Main"));
        QCOMPARE(main->camera()->viewPreset(), 0);
        QCOMPARE(main->items(), QList<RenderableItem *>({composer.axis(), composer.grid(), &first, &second}));
        QCOMPARE(composer.cameraProperty()->camera(), main->camera());
        QCOMPARE(canvas.layers(), QList<LayerItem *>({&layer}));
        composer.addLayer(&lateLayer);
        QCOMPARE(canvas.layers(), QList<LayerItem *>({&layer, &lateLayer}));
        QCOMPARE(composer.backgroundColorProperty()->colorValue(), QColor(10, 20, 30));
        QCOMPARE(composer.backgroundColorProperty()->defaultValue(),
                 composer.backgroundColorProperty()->value());
        // Editing the colour repaints the canvas in it.
        composer.backgroundColorProperty()->setColorValue(QColor(1, 2, 3));
        QCOMPARE(canvas.backgroundColor(), QColor(1, 2, 3));

        composer.zoomIn();
        QVERIFY(qFuzzyCompare(main->camera()->distance(), 10.0f * 0.82f));
        composer.zoomOut();
        QVERIFY(qFuzzyCompare(composer.cameraProperty()->distanceProperty()->floatValue(),
                              10.0f * 0.82f * 1.18f));
        composer.setCanvas(nullptr);
        QVERIFY(!composer.canvas());
    }

    // Layout sequences create the inset once and remove only it; other values change nothing.
    void layouts_data()
    {
        QTest::addColumn<QList<int>>("layouts");
        QTest::addColumn<QStringList>("viewports");
        QTest::newRow("no viewport") << QList<int>{0} << QStringList{"Main"};
        QTest::newRow("top view") << QList<int>{1} << QStringList{"Main", "Top"};
        QTest::newRow("top view twice") << QList<int>{1, 1} << QStringList{"Main", "Top"};
        QTest::newRow("top view, then none") << QList<int>{1, 0} << QStringList{"Main"};
        QTest::newRow("none, top, none, top") << QList<int>{0, 1, 0, 1} << QStringList{"Main", "Top"};
        QTest::newRow("unknown layout") << QList<int>{1, 2, -1} << QStringList{"Main", "Top"};
    }
    void layouts()
    {
        QFETCH(QList<int>, layouts);
        QFETCH(QStringList, viewports);
        Canvas canvas;
        canvas.scene()->setSize(QSize(800, 600));
        SceneComposer composer;
        LayerItem legends;
        composer.addLayer(&legends);
        composer.setCanvas(&canvas);
        Viewport *main = canvas.viewport(QStringLiteral("Main"));
        Cube cube;
        composer.addItem(&cube);
        // The main camera keeps what the user set whatever the layouts do.
        main->camera()->setFocalPoint(QVector3D(1, 2, 3));
        main->camera()->setDistance(7.5f);
        QPointer<Viewport> top;
        for (int layout : layouts) {
            composer.setViewportLayout(layout);
            if (!top)
                top = canvas.viewport(QStringLiteral("Top"));
            flushDeletes();
        }
        QCOMPARE(viewportNames(canvas), viewports);
        QCOMPARE(canvas.viewport(QStringLiteral("Main")), main);
        QCOMPARE(composer.cameraProperty()->camera(), main->camera());
        QCOMPARE(main->camera()->focalPoint(), QVector3D(1, 2, 3));
        QCOMPARE(composer.cameraProperty()->distanceProperty()->floatValue(), 7.5f);
        // An inset that is gone was deleted, not only taken from the canvas; the legends keep out of one.
        QCOMPARE(legends.keepClear(),
                 viewports.contains("Top") ? QList<QRectF>{QRectF(0.75, 0.75, 0.25, 0.25)} : QList<QRectF>{});
        if (!viewports.contains("Top")) {
            QVERIFY(top.isNull());
            return;
        }
        // The inset sits in the bottom-right quarter, looks from the top, is drawn over the main view and
        // holds the axes, the grid and every item registered so far, which the main view made before lacks.
        top = canvas.viewport(QStringLiteral("Top"));
        QCOMPARE(top->pixelRect(), QRect(600, 450, 200, 150));
        QCOMPARE(top->ZOrder(), 2);
        QCOMPARE(top->camera()->pitch(), 90.0f);
        QCOMPARE(top->items(), QList<RenderableItem *>({composer.axis(), composer.grid(), &cube}));
        QVERIFY(!main->items().contains(&cube));
    }

    // Editing a "View" property drives the camera; the distance accepts 0.001 while the eye keeps 0.01 away.
    void editsDriveCamera_data()
    {
        QTest::addColumn<int>("edited"); // distance, yaw, pitch
        QTest::addColumn<float>("value");
        QTest::addColumn<float>("expected");
        QTest::newRow("distance 0.001") << 0 << 0.001f << 0.001f;
        QTest::newRow("distance below the limit") << 0 << 0.0001f << 0.001f;
        QTest::newRow("distance above the limit") << 0 << 250.0f << 100.0f;
        QTest::newRow("yaw wraps") << 1 << 270.0f << -90.0f;
        QTest::newRow("pitch past the pole") << 2 << 120.0f << 90.0f;
    }
    void editsDriveCamera()
    {
        QFETCH(int, edited);
        QFETCH(float, value);
        QFETCH(float, expected);
        Camera camera;
        camera.setFocalPoint(QVector3D(1, 1, 0));
        CameraProperty property;
        property.setCamera(&camera);
        FloatProperty *const edits[] = {property.distanceProperty(), property.yawProperty(),
                                        property.pitchProperty()};
        edits[edited]->setFloatValue(value);
        // The property shows what the camera took.
        QCOMPARE(edits[edited]->floatValue(), expected);
        const float taken[] = {camera.distance(), camera.yaw(), camera.pitch()};
        QCOMPARE(taken[edited], expected);
        // The eye never comes closer than 0.01 to the focal point.
        const float eyeDistance = (camera.eyePosition() - camera.focalPoint()).length();
        QVERIFY(qAbs(eyeDistance - qMax(camera.distance(), 0.01f)) < 1e-5f);
    }

    // Pointing the property at a camera copies its state into values and defaults; later moves change only
    // the values, and the previous camera is forgotten.
    void setCameraCopiesState()
    {
        Camera first, second;
        second.setViewPreset(3);
        second.setFocalPoint(QVector3D(1, 2, 3));
        CameraProperty property;
        property.setCamera(&first);
        property.setCamera(&second);
        QCOMPARE(property.focalPointProperty()->vector3DValue(), QVector3D(1, 2, 3));
        QCOMPARE(property.pitchProperty()->floatValue(), 90.0f);
        QCOMPARE(property.distanceProperty()->defaultValue().toFloat(), 10.0f);
        QCOMPARE(property.focalPointProperty()->yProperty()->defaultValue().toFloat(), 2.0f);
        first.setDistance(50.0f);
        second.setDistance(20.0f);
        second.setFocalPoint(QVector3D(0, 0, 0));
        QCOMPARE(property.distanceProperty()->floatValue(), 20.0f);
        QCOMPARE(property.distanceProperty()->defaultValue().toFloat(), 10.0f);
        QCOMPARE(property.focalPointProperty()->yProperty()->defaultValue().toFloat(), 2.0f);
    }

    // Dragging and wheeling in the canvas update the "View" properties without driving the camera back; a
    // click in the main viewport reaches the composer's setMouseRay once, whichever layout created the main
    // viewport, a click in the inset does not.
    void mouse_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<float>("yaw");
        QTest::addColumn<float>("pitch");
        QTest::addColumn<int>("rays");
        QTest::newRow("small drag") << 0 << QPoint(100, 100) << QPoint(150, 120) << 170.0f << 34.0f << 0;
        // The camera wraps its yaw, so the property can show it.
        QTest::newRow("drag of more than a turn")
            << 0 << QPoint(100, 100) << QPoint(1100, 100) << -20.0f << 30.0f << 0;
        QTest::newRow("click, no viewport")
            << 0 << QPoint(200, 200) << QPoint(200, 200) << -180.0f << 30.0f << 1;
        QTest::newRow("click, top view, main")
            << 1 << QPoint(200, 200) << QPoint(200, 200) << -180.0f << 30.0f << 1;
        QTest::newRow("click, top view, inset")
            << 1 << QPoint(1000, 700) << QPoint(1000, 700) << -180.0f << 30.0f << 0;
    }
    void mouse()
    {
        QFETCH(int, layout);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(float, yaw);
        QFETCH(float, pitch);
        QFETCH(int, rays);
        Canvas canvas;
        canvas.scene()->setSize(QSize(1200, 800));
        SceneComposer composer;
        composer.viewportProperty()->setOptionValue(layout);
        composer.setCanvas(&canvas);
        Camera *camera = composer.cameraProperty()->camera();
        QSignalSpy moves(camera, &Camera::characteristicsChanged);
        QSignalSpy spy(&composer, &SceneComposer::setMouseRay);
        sendMouse(canvas, QEvent::MouseButtonPress, from);
        if (to != from)
            sendMouse(canvas, QEvent::MouseMove, to);
        sendMouse(canvas, QEvent::MouseButtonRelease, to);
        // One drag step, one camera update: nothing fed back into the camera.
        QCOMPARE(moves.count(), to != from ? 1 : 0);
        QCOMPARE(spy.count(), rays);
        if (rays) {
            const Ray ray = spy.first().first().value<Ray>();
            QVERIFY(near(ray.origin, camera->eyePosition()));
            QVERIFY(qFuzzyCompare(ray.direction.length(), 1.0f));
        }
        QVERIFY(qFuzzyCompare(camera->yaw(), yaw));
        QVERIFY(qFuzzyCompare(camera->pitch(), pitch));
        QVERIFY(qFuzzyCompare(composer.cameraProperty()->yawProperty()->floatValue(), yaw));
        QVERIFY(qFuzzyCompare(composer.cameraProperty()->pitchProperty()->floatValue(), pitch));
        // The defaults stay at the preset.
        QCOMPARE(composer.cameraProperty()->yawProperty()->defaultValue().toFloat(), -180.0f);

        const QPointF at(100, 100);
        QWheelEvent wheel(at, at, QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QCoreApplication::sendEvent(&canvas, &wheel);
        QVERIFY(qFuzzyCompare(composer.cameraProperty()->distanceProperty()->floatValue(),
                              10.0f * 0.97f * 0.97f));
        QCOMPARE(moves.count(), to != from ? 2 : 1);
    }

    // A saved tree comes back whole from one load, also where a loaded choice rebuilds the nodes after it
    // (colour scheme, data source), and the camera shows the view that was saved.
    void saveAndLoadOnce()
    {
        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("saved.inf"));
        const QString reloaded = dir.filePath(QStringLiteral("reloaded.inf"));
        {
            ViewTree tree;
            static_cast<ComboBoxProperty *>(tree.node("point_cloud_1/color/scheme"))->setOptionValue(2);
            static_cast<ComboBoxProperty *>(tree.node("point_cloud_1/color/source"))->setOptionValue(1);
            tree.node("point_cloud_1/color/gradient/min")->setValue(2.0f);
            tree.node("point_cloud_1/color/gradient/max")->setValue(50.0f);
            static_cast<ColorProperty *>(tree.node("point_cloud_1/color/gradient/max_color"))
                ->setColorValue(Qt::blue);
            static_cast<ColorProperty *>(tree.node("point_cloud_1/color/gradient/min_color"))
                ->setColorValue(Qt::green);
            static_cast<ComboBoxProperty *>(tree.node("point_cloud_2/color/scheme"))->setOptionValue(1);
            static_cast<ComboBoxProperty *>(tree.node("point_cloud_2/color/axis"))->setOptionValue(0);
            static_cast<BoolProperty *>(tree.node("point_cloud_2/color/gray/inverted"))->setBoolValue(false);
            tree.composer.frameRateProperty()->setIntValue(12);
            // Drags of more than a turn in all (-480 degrees) and a long zoom-out.
            for (int i = 0; i < 4; ++i) {
                sendMouse(tree.canvas, QEvent::MouseButtonPress, QPoint(100, 100));
                sendMouse(tree.canvas, QEvent::MouseMove, QPoint(700, 100));
                sendMouse(tree.canvas, QEvent::MouseButtonRelease, QPoint(700, 100));
            }
            for (int i = 0; i < 40; ++i)
                tree.composer.zoomOut();
            tree.dock.saveToFile(saved);
        }
        ViewTree fresh;
        fresh.dock.loadFromFile(saved);
        fresh.dock.saveToFile(reloaded);
        const QMap<QString, QString> before = entriesOf(saved);
        const QMap<QString, QString> after = entriesOf(reloaded);
        QCOMPARE(after.keys(), before.keys());
        for (const QString &key : before.keys())
            QVERIFY2(after.value(key) == before.value(key),
                     qPrintable(key + ": " + before.value(key) + " came back as " + after.value(key)));
        ColorScheme *scheme = fresh.first.colorModel()->scheme();
        QCOMPARE(scheme->metaObject()->className(), "GradientColorScheme");
        QCOMPARE(scheme->minValue(), 2.0f);
        QCOMPARE(scheme->maxValue(), 50.0f);
        QCOMPARE(fresh.second.colorModel()->scheme()->metaObject()->className(), "GrayColorScheme");
        Camera *loaded = fresh.composer.cameraProperty()->camera();
        QCOMPARE(loaded->yaw(), 60.0f);
        QCOMPARE(loaded->distance(), Camera::maxDistance);
        QCOMPARE(fresh.canvas.frameRate(), 12);
    }
};

QTEST_MAIN(tst_Composer)
#include "tst_composer.moc"
