#include "Camera.h"
#include "TestSupport.h"
#include "ViewProbes.h"
#include "Viewport.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>

using TestSupport::near;

// A press at (50, 50) of a 200 x 100 viewport and one move, and the view it leaves.
struct Gesture
{
    int preset, button, modifiers;
    float startDistance;
    QPointF to;
    bool focalStays; // the look-around and zooming towards the cursor move it
    float yaw, pitch, distance;
};
Q_DECLARE_METATYPE(Gesture)

namespace {

bool finite(const QMatrix4x4 &m)
{
    for (int i = 0; i < 16; ++i) {
        if (!std::isfinite(m.constData()[i]))
            return false;
    }
    return true;
}

void send(Camera &camera, QEvent::Type type, QPointF pos, Qt::MouseButton button,
          Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, pos, type == QEvent::MouseMove ? Qt::NoButton : button, buttons, mods);
    if (type == QEvent::MouseButtonPress)
        camera.mousePressEvent(&event);
    else if (type == QEvent::MouseMove)
        camera.mouseMoveEvent(&event);
    else
        camera.mouseReleaseEvent(&event);
}

void turnWheel(Camera &camera, int delta, QPointF at)
{
    QWheelEvent event(at, at, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    camera.wheelEvent(&event);
}
} // namespace

class tst_Camera : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }
    void eyeAndUp_data()
    {
        QTest::addColumn<float>("distance");
        QTest::addColumn<float>("effective");
        QTest::addColumn<float>("pitch");
        QTest::addColumn<float>("yaw");
        QTest::addColumn<QVector3D>("up");
        QTest::newRow("tilted") << 5.0f << 5.0f << 20.0f << 30.0f << QVector3D(0, 0, 1);
        QTest::newRow("just above floor") << 0.02f << 0.02f << 0.0f << -90.0f << QVector3D(0, 0, 1);
        QTest::newRow("below floor") << 0.001f << 0.01f << 20.0f << 30.0f << QVector3D(0, 0, 1);
        QTest::newRow("top view") << 10.0f << 10.0f << 90.0f << 0.0f << QVector3D(-1, 0, 0);
        QTest::newRow("bottom view") << 10.0f << 10.0f << -90.0f << 0.0f << QVector3D(1, 0, 0);
        QTest::newRow("top view yaw 90") << 10.0f << 10.0f << 90.0f << 90.0f << QVector3D(0, -1, 0);
    }
    void eyeAndUp()
    {
        // The eye never comes closer than 0.01 to the focal point, while the stored distance keeps its value;
        // at pitch +/-90 the up vector turns horizontal and the view matrix stays regular.
        QFETCH(float, distance);
        QFETCH(float, effective);
        QFETCH(float, pitch);
        QFETCH(float, yaw);
        QFETCH(QVector3D, up);
        Camera camera;
        camera.setFocalPoint(QVector3D(1, 2, 3));
        camera.setYaw(yaw);
        camera.setPitch(pitch);
        camera.setDistance(distance);
        QCOMPARE(camera.distance(), distance);
        const float y = qDegreesToRadians(yaw), p = qDegreesToRadians(pitch);
        const QVector3D eye =
            QVector3D(1, 2, 3) +
            effective * QVector3D(std::cos(y) * std::cos(p), std::sin(y) * std::cos(p), std::sin(p));
        QVERIFY(near(camera.eyePosition(), eye, 1e-5f));
        QVERIFY(near(camera.upVector().normalized(), up));
        QVERIFY(finite(camera.viewMatrix()));
        QVERIFY(camera.viewMatrix().mapVector(up).y() > 0.0f);
    }
    void presets_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<float>("pitch");
        QTest::addColumn<float>("yaw");
        QTest::addColumn<bool>("perspective");
        QTest::newRow("free") << 0 << 30.0f << -180.0f << true;
        QTest::newRow("side") << 1 << 0.0f << 0.0f << false;
        QTest::newRow("front") << 2 << 0.0f << -90.0f << false;
        QTest::newRow("top") << 3 << 90.0f << 0.0f << false;
    }
    void presets()
    {
        // A preset resets the focal point and distance and sets its own angles and projection. The ray
        // through the centre pixel then runs from the eye through the focal point; off centre it still passes
        // through the point the camera shows there.
        QFETCH(int, preset);
        QFETCH(float, pitch);
        QFETCH(float, yaw);
        QFETCH(bool, perspective);
        Camera camera;
        camera.setViewport(QRect(50, 20, 200, 100));
        camera.setFocalPoint(QVector3D(4, 5, 6));
        camera.setDistance(3);
        camera.setViewPreset(preset);
        QCOMPARE(camera.focalPoint(), QVector3D());
        QCOMPARE(camera.distance(), 10.0f);
        QCOMPARE(camera.pitch(), pitch);
        QCOMPARE(camera.yaw(), yaw);
        QCOMPARE(camera.isPerspective(), perspective);
        camera.setFocalPoint(QVector3D(1, -2, 0.5f));
        const Ray ray = camera.rayAt(150, 70);
        QVERIFY(near(ray.direction, (camera.focalPoint() - camera.eyePosition()).normalized()));
        QVERIFY(near(ray.origin, camera.eyePosition(), 1e-3f));
        const Ray corner = camera.rayAt(50, 20);
        const QVector3D ndc =
            (camera.projectionMatrix() * camera.viewMatrix()).map(corner.origin + corner.direction * 5.0f);
        QVERIFY(near(QVector3D(ndc.x(), ndc.y(), 0), QVector3D(-1, 1, 0), 1e-3f));
    }
    void orthographicExtents_data()
    {
        QTest::addColumn<QRect>("viewport");
        QTest::addColumn<float>("halfWidth");
        QTest::addColumn<float>("halfHeight");
        QTest::newRow("wide") << QRect(0, 0, 400, 200) << 10.0f << 5.0f;
        QTest::newRow("tall") << QRect(0, 0, 200, 400) << 5.0f << 10.0f;
        QTest::newRow("square") << QRect(10, 10, 300, 300) << 5.0f << 5.0f;
    }
    void orthographicExtents()
    {
        // The orthographic box is half the distance high on its short side and spans -5000..5000 in depth;
        // the aspect follows the viewport and is announced only when it changes.
        QFETCH(QRect, viewport);
        QFETCH(float, halfWidth);
        QFETCH(float, halfHeight);
        Camera camera;
        QSignalSpy spy(&camera, &Camera::aspectRatioChanged);
        camera.setViewport(viewport);
        camera.setViewport(viewport.translated(10, 10));
        camera.setAspectRatio(camera.aspectRatio());
        // The camera starts square.
        QCOMPARE(spy.count(), viewport.width() == viewport.height() ? 0 : 1);
        camera.setViewPreset(1);
        const QMatrix4x4 p = camera.projectionMatrix();
        QVERIFY(near(p.map(QVector3D(halfWidth, halfHeight, 0)), QVector3D(1, 1, 0)));
        QVERIFY(near(p.map(QVector3D(-halfWidth, -halfHeight, 5000)), QVector3D(-1, -1, -1)));
        QVERIFY(near(p.map(QVector3D(0, 0, -5000)), QVector3D(0, 0, 1)));
    }
    void noHeightStaysFinite_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<QSize>("scene");
        QTest::addColumn<QRectF>("relative");
        QTest::newRow("perspective, no height") << 0 << QSize(640, 0) << QRectF(0, 0, 1, 1);
        QTest::newRow("top view, no height") << 3 << QSize(640, 0) << QRectF(0, 0, 1, 1);
        QTest::newRow("top view, no width") << 3 << QSize(0, 480) << QRectF(0, 0, 1, 1);
        QTest::newRow("inset of a tiny scene") << 3 << QSize(640, 1) << QRectF(0.75, 0.75, 0.25, 0.25);
        QTest::newRow("empty scene") << 1 << QSize(0, 0) << QRectF(0, 0, 1, 1);
    }
    void noHeightStaysFinite()
    {
        // A window or viewport of zero height keeps the last aspect ratio: matrices and rays stay finite.
        QFETCH(int, preset);
        QFETCH(QSize, scene);
        QFETCH(QRectF, relative);
        Viewport viewport;
        viewport.camera()->setViewPreset(preset);
        viewport.setSceneSize(QSize(640, 480));
        viewport.setRelativeRect(relative);
        viewport.setSceneSize(scene);
        Camera *camera = viewport.camera();
        QVERIFY(std::isfinite(camera->aspectRatio()) && camera->aspectRatio() > 0.0f);
        QVERIFY(finite(camera->projectionMatrix()));
        QVERIFY(finite(camera->viewMatrix()));
        const Ray ray = camera->rayAt(0, 0);
        QVERIFY(std::isfinite(ray.origin.length()) && qFuzzyCompare(ray.direction.length(), 1.0f));
    }
    void wheel_data()
    {
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<float>("distance");
        const QPoint in(10, 10);
        QTest::newRow("under one notch") << QList<int>{119} << in << 10.0f;
        QTest::newRow("one notch") << QList<int>{120} << in << 9.7f;
        QTest::newRow("one notch back") << QList<int>{-120} << in << 10.3f;
        QTest::newRow("thirds add up to a notch") << QList<int>{40, 40, 40} << in << 9.7f;
        QTest::newRow("turning back drops the rest") << QList<int>{100, -100, 100} << in << 10.0f;
        QTest::newRow("forty notches at once stay positive") << QList<int>{4800} << in << 2.957f;
        QTest::newRow("a long spin stops at the minimum") << QList<int>{120000} << in << Camera::minDistance;
        QTest::newRow("outside") << QList<int>{120} << QPoint(500, 10) << 10.0f;
    }
    void wheel()
    {
        // 3 % per whole notch, compounded; fractions of a notch count once they add up to one.
        QFETCH(QList<int>, deltas);
        QFETCH(QPoint, pos);
        QFETCH(float, distance);
        Camera camera;
        camera.setViewport(QRect(0, 0, 100, 100));
        camera.setDistance(10);
        for (int delta : deltas)
            turnWheel(camera, delta, pos);
        QVERIFY2(qAbs(camera.distance() - distance) < 1e-3f, qPrintable(QString::number(camera.distance())));
    }
    void clickEmitsRayOnce_data()
    {
        QTest::addColumn<bool>("move");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("rays");
        QTest::newRow("left click") << false << int(Qt::LeftButton) << 1;
        QTest::newRow("left drag") << true << int(Qt::LeftButton) << 0;
        QTest::newRow("right click") << false << int(Qt::RightButton) << 0;
    }
    void clickEmitsRayOnce()
    {
        // A left click without motion emits the ray under the cursor once; any motion in between suppresses
        // it.
        QFETCH(bool, move);
        QFETCH(int, button);
        QFETCH(int, rays);
        Camera camera;
        camera.setViewport(QRect(0, 0, 200, 100));
        QSignalSpy spy(&camera, &Camera::setMouseRay);
        const auto b = Qt::MouseButton(button);
        send(camera, QEvent::MouseButtonPress, QPointF(100.2, 49.7), b);
        if (move)
            send(camera, QEvent::MouseMove, QPointF(100.2, 49.7), b);
        send(camera, QEvent::MouseButtonRelease, QPointF(100.2, 49.7), b);
        send(camera, QEvent::MouseButtonRelease, QPointF(100, 50), b);
        QCOMPARE(spy.count(), rays);
        QVERIFY(!camera.isDragging());
        if (rays)
            QVERIFY(near(spy.at(0).at(0).value<Ray>().direction, camera.rayAt(100, 50).direction));
    }
    void drags_data()
    {
        QTest::addColumn<Gesture>("gesture");
        const int left = Qt::LeftButton, right = Qt::RightButton, none = Qt::NoModifier;
        const int shift = Qt::ShiftModifier, control = Qt::ControlModifier;
        QTest::newRow("free orbit") << Gesture{0, left, none, 10.0f, {60, 54}, true, 178.0f, 30.8f, 10.0f};
        QTest::newRow("right pan, flat view")
            << Gesture{2, right, none, 10.0f, {40, 30}, true, -90.0f, 0.0f, 10.0f};
        QTest::newRow("shift zoom floor")
            << Gesture{0, left, shift, 0.05f, {50, -450}, true, -180.0f, 30.0f, 0.01f};
        // Many turns stay inside what the view properties can hold, so a saved view is the one seen.
        // The look-around keeps the eye where it is, also when the pitch is clamped at the pole.
        QTest::newRow("look-around") << Gesture{0, left, control, 4.0f, {80, 40}, false, 177.0f, 29.0f, 4.0f};
        QTest::newRow("orbit of many turns")
            << Gesture{0, left, none, 10.0f, {1050, 1050}, true, -20.0f, 90.0f, 10.0f};
        QTest::newRow("look-around of many turns")
            << Gesture{0, left, control, 10.0f, {3050, 1050}, false, -120.0f, 90.0f, 10.0f};
        QTest::newRow("shift zoom out to the limit")
            << Gesture{0, left, shift, 10.0f, {50, 2050}, false, -180.0f, 30.0f, Camera::maxDistance};
    }
    void drags()
    {
        // Left drags orbit the free view, right drags pan only there, shift-drags zoom within the limits;
        // yaw stays in [-180, 180].
        QFETCH(Gesture, gesture);
        const auto [preset, button, modifiers, startDistance, to, focalStays, yaw, pitch, distance] = gesture;
        Camera camera;
        camera.setViewport(QRect(0, 0, 200, 100));
        camera.setViewPreset(preset);
        camera.setDistance(startDistance);
        const QVector3D eye = camera.eyePosition();
        send(camera, QEvent::MouseButtonPress, QPointF(50, 50), Qt::MouseButton(button),
             Qt::KeyboardModifiers(modifiers));
        send(camera, QEvent::MouseMove, to, Qt::MouseButton(button), Qt::KeyboardModifiers(modifiers));
        if (focalStays)
            QVERIFY(near(camera.focalPoint(), QVector3D()));
        if (modifiers == Qt::ControlModifier)
            QVERIFY(near(camera.eyePosition(), eye, 1e-3f));
        QVERIFY2(qAbs(camera.yaw() - yaw) < 1e-3f, qPrintable(QString::number(camera.yaw())));
        QVERIFY2(qAbs(camera.pitch() - pitch) < 1e-4f, qPrintable(QString::number(camera.pitch())));
        QVERIFY(qFuzzyCompare(camera.distance(), distance));
    }
    void panFollowsMouse_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<float>("yaw");
        QTest::addColumn<QPointF>("to");
        // Presses at (100, 50) of a 200 x 100 viewport; yaw NaN keeps the preset's.
        const float keep = qQNaN();
        QTest::newRow("main, right and down") << 0 << keep << QPointF(130, 70);
        QTest::newRow("main, left and up") << 0 << keep << QPointF(80, 35);
        QTest::newRow("side") << 1 << keep << QPointF(130, 70);
        QTest::newRow("front") << 2 << keep << QPointF(70, 20);
        QTest::newRow("top, right and down") << 3 << keep << QPointF(130, 70);
        QTest::newRow("top, turned") << 3 << 40.0f << QPointF(130, 70);
    }
    void panFollowsMouse()
    {
        // A pan (right drag in the main view, left drag in the flat ones) moves a world point's picture the
        // way the mouse went; a parallel projection keeps it exactly under the cursor.
        QFETCH(int, preset);
        QFETCH(float, yaw);
        QFETCH(QPointF, to);
        Camera camera;
        camera.setViewport(QRect(0, 0, 200, 100));
        camera.setViewPreset(preset);
        if (!qIsNaN(yaw))
            camera.setYaw(yaw);
        const QVector3D point(1.0f, 2.0f, 0.5f);
        auto screen = [&] {
            const QVector3D ndc = (camera.projectionMatrix() * camera.viewMatrix()).map(point);
            return QPointF((ndc.x() + 1.0f) * 100.0f, (1.0f - ndc.y()) * 50.0f);
        };
        const QPointF before = screen();
        const auto button = preset == 0 ? Qt::RightButton : Qt::LeftButton;
        send(camera, QEvent::MouseButtonPress, QPointF(100, 50), button);
        send(camera, QEvent::MouseMove, to, button);
        const QPointF moved = screen() - before;
        const QPointF mouse = to - QPointF(100, 50);
        QVERIFY2(moved.x() * mouse.x() > 0.0 && moved.y() * mouse.y() > 0.0,
                 qPrintable(QStringLiteral("%1, %2").arg(moved.x()).arg(moved.y())));
        if (preset != 0)
            QVERIFY((moved - mouse).manhattanLength() < 0.01);
    }
    void dragEndsWithoutButton()
    {
        // A drag whose release went elsewhere ends at the next move without the button; the view stays put.
        Camera camera;
        camera.setViewport(QRect(0, 0, 200, 100));
        send(camera, QEvent::MouseButtonPress, QPointF(50, 50), Qt::LeftButton, Qt::ControlModifier);
        send(camera, QEvent::MouseMove, QPointF(80, 4000), Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(camera.pitch(), 90.0f);
        QMouseEvent hover(QEvent::MouseMove, QPointF(90, 50), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        camera.mouseMoveEvent(&hover);
        QVERIFY(!camera.isDragging());
        QCOMPARE(camera.pitch(), 90.0f);
    }
};

QTEST_MAIN(tst_Camera)
#include "tst_render_camera.moc"
