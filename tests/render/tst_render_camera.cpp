#include "Camera.h"
#include "TestSupport.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>

namespace {
bool fuzzyVec(const QVector3D &a, const QVector3D &b, float eps = 1e-4f)
{
    return (a - b).length() <= eps;
}

void send(Camera &camera, QEvent::Type type, QPointF pos, Qt::MouseButton button,
          Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, pos, type == QEvent::MouseMove ? Qt::NoButton : button, buttons, mods);
    switch (type) {
    case QEvent::MouseButtonPress:
        camera.mousePressEvent(&event);
        break;
    case QEvent::MouseMove:
        camera.mouseMoveEvent(&event);
        break;
    default:
        camera.mouseReleaseEvent(&event);
        break;
    }
}
} // namespace

class TestRenderCamera : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void eyePosition_data();
    void eyePosition();
    void upVector_data();
    void upVector();
    void presets_data();
    void presets();
    void orthographicExtents_data();
    void orthographicExtents();
    void viewportAspect();
    void rayThroughCentre_data();
    void rayThroughCentre();
    void wheel_data();
    void wheel();
    void zoomSteps();
    void clickEmitsRayOnce_data();
    void clickEmitsRayOnce();
    void leftDrag_data();
    void leftDrag();
    void shiftDragFloor();
    void controlDragKeepsEye();
    void rightDragPansOnlyFreeView();
    void releaseOutsideEndsDrag();
};

void TestRenderCamera::initTestCase()
{
    TestSupport::isolateSettings();
}

void TestRenderCamera::eyePosition_data()
{
    QTest::addColumn<float>("distance");
    QTest::addColumn<float>("effective");
    QTest::newRow("normal") << 5.0f << 5.0f;
    QTest::newRow("just above floor") << 0.02f << 0.02f;
    QTest::newRow("below floor") << 0.001f << 0.01f;
    QTest::newRow("zero") << 0.0f << 0.01f;
    QTest::newRow("negative") << -3.0f << 0.01f;
}

void TestRenderCamera::eyePosition()
{
    // The eye never comes closer than 0.01 to the focal point, while the stored distance keeps its value.
    Camera camera;
    camera.setFocalPoint(QVector3D(1, 2, 3));
    camera.setYaw(30);
    camera.setPitch(20);
    QFETCH(float, distance);
    QFETCH(float, effective);
    camera.setDistance(distance);
    QCOMPARE(camera.distance(), distance);
    const float y = qDegreesToRadians(30.0f), p = qDegreesToRadians(20.0f);
    const QVector3D expected =
        QVector3D(1, 2, 3) +
        effective * QVector3D(std::cos(y) * std::cos(p), std::sin(y) * std::cos(p), std::sin(p));
    QVERIFY(fuzzyVec(camera.eyePosition(), expected, 1e-5f));
    QVERIFY(!std::isnan(camera.viewMatrix()(0, 0)));
}

void TestRenderCamera::upVector_data()
{
    QTest::addColumn<float>("pitch");
    QTest::addColumn<float>("yaw");
    QTest::addColumn<QVector3D>("up");
    QTest::newRow("top view") << 90.0f << 0.0f << QVector3D(-1, 0, 0);
    QTest::newRow("bottom view") << -90.0f << 0.0f << QVector3D(1, 0, 0);
    QTest::newRow("top view yaw 90") << 90.0f << 90.0f << QVector3D(0, -1, 0);
    QTest::newRow("tilted") << 45.0f << 0.0f << QVector3D(0, 0, 1);
    QTest::newRow("level") << 0.0f << -90.0f << QVector3D(0, 0, 1);
}

void TestRenderCamera::upVector()
{
    // At pitch +/-90 the up vector turns horizontal, so looking straight down still has a valid view matrix.
    Camera camera;
    QFETCH(float, pitch);
    QFETCH(float, yaw);
    QFETCH(QVector3D, up);
    camera.setYaw(yaw);
    camera.setPitch(pitch);
    QVERIFY(fuzzyVec(camera.upVector().normalized(), up));
    // The view matrix is regular: the camera's up maps onto the screen's +Y.
    const QVector3D screenUp = camera.viewMatrix().mapVector(up);
    QVERIFY(fuzzyVec(screenUp.normalized(), QVector3D(0, 1, 0)) || std::fabs(pitch) < 90.0f);
}

void TestRenderCamera::presets_data()
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

void TestRenderCamera::presets()
{
    // Every preset looks at the origin from 10 m with its own angles and projection.
    Camera camera;
    camera.setFocalPoint(QVector3D(4, 5, 6));
    camera.setDistance(3);
    QFETCH(int, preset);
    QFETCH(float, pitch);
    QFETCH(float, yaw);
    QFETCH(bool, perspective);
    camera.setViewPreset(preset);
    QCOMPARE(camera.focalPoint(), QVector3D());
    QCOMPARE(camera.distance(), 10.0f);
    QCOMPARE(camera.pitch(), pitch);
    QCOMPARE(camera.yaw(), yaw);
    QCOMPARE(camera.isPerspective(), perspective);
    QCOMPARE(camera.viewPreset(), preset);
}

void TestRenderCamera::orthographicExtents_data()
{
    QTest::addColumn<QRect>("viewport");
    QTest::addColumn<float>("halfWidth");
    QTest::addColumn<float>("halfHeight");
    QTest::newRow("wide") << QRect(0, 0, 400, 200) << 10.0f << 5.0f;
    QTest::newRow("tall") << QRect(0, 0, 200, 400) << 5.0f << 10.0f;
    QTest::newRow("square") << QRect(10, 10, 300, 300) << 5.0f << 5.0f;
}

void TestRenderCamera::orthographicExtents()
{
    // The orthographic box is half the distance high on its short side and spans -5000..5000 in depth.
    Camera camera;
    QFETCH(QRect, viewport);
    QFETCH(float, halfWidth);
    QFETCH(float, halfHeight);
    camera.setViewport(viewport);
    camera.setViewPreset(1);
    const QMatrix4x4 p = camera.projectionMatrix();
    QVERIFY(fuzzyVec(p.map(QVector3D(halfWidth, halfHeight, 0)), QVector3D(1, 1, 0)));
    QVERIFY(fuzzyVec(p.map(QVector3D(-halfWidth, -halfHeight, 5000)), QVector3D(-1, -1, -1)));
    QVERIFY(fuzzyVec(p.map(QVector3D(0, 0, -5000)), QVector3D(0, 0, 1)));
}

void TestRenderCamera::viewportAspect()
{
    // The aspect follows the viewport rectangle (inclusive pixels) and is announced only when it changes.
    Camera camera;
    QSignalSpy spy(&camera, &Camera::aspectRatioChanged);
    camera.setViewport(QRect(QPoint(0, 0), QPoint(399, 199)));
    QCOMPARE(camera.aspectRatio(), 2.0f);
    QCOMPARE(spy.count(), 1);
    camera.setViewport(QRect(QPoint(10, 10), QPoint(409, 209)));
    QCOMPARE(spy.count(), 1);
    camera.setAspectRatio(2.0f);
    QCOMPARE(spy.count(), 1);
    camera.setAspectRatio(1.5f);
    QCOMPARE(spy.count(), 2);
}

void TestRenderCamera::rayThroughCentre_data()
{
    QTest::addColumn<int>("preset");
    QTest::newRow("perspective") << 0;
    QTest::newRow("side") << 1;
    QTest::newRow("front") << 2;
    QTest::newRow("top") << 3;
}

void TestRenderCamera::rayThroughCentre()
{
    // The ray through the centre pixel runs from the eye through the focal point, for both projections.
    Camera camera;
    camera.setViewport(QRect(50, 20, 200, 100));
    QFETCH(int, preset);
    camera.setViewPreset(preset);
    camera.setFocalPoint(QVector3D(1, -2, 0.5f));
    const Ray ray = camera.rayAt(150, 70);
    const QVector3D view = (camera.focalPoint() - camera.eyePosition()).normalized();
    QVERIFY(fuzzyVec(ray.direction, view));
    QVERIFY(qFuzzyCompare(ray.direction.length(), 1.0f));
    QVERIFY(fuzzyVec(ray.origin, camera.eyePosition(), 1e-3f));

    // Off centre, the ray still passes through the point the camera shows there.
    const Ray corner = camera.rayAt(50, 20);
    const QMatrix4x4 pv = camera.projectionMatrix() * camera.viewMatrix();
    const QVector3D onRay = corner.origin + corner.direction * 5.0f;
    const QVector3D ndc = pv.map(onRay);
    QVERIFY(std::fabs(ndc.x() + 1.0f) < 1e-3f);
    QVERIFY(std::fabs(ndc.y() - 1.0f) < 1e-3f);
}

void TestRenderCamera::wheel_data()
{
    QTest::addColumn<int>("delta");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<float>("factor");
    QTest::newRow("under one notch") << 119 << QPoint(10, 10) << 1.0f;
    QTest::newRow("under one notch back") << -119 << QPoint(10, 10) << 1.0f;
    QTest::newRow("one notch") << 120 << QPoint(10, 10) << 0.97f;
    QTest::newRow("two notches") << 240 << QPoint(10, 10) << 0.94f;
    QTest::newRow("one notch back") << -120 << QPoint(10, 10) << 1.03f;
    QTest::newRow("outside") << 120 << QPoint(500, 10) << 1.0f;
}

void TestRenderCamera::wheel()
{
    // Each whole notch zooms by 3 %; partial notches and positions outside the viewport change nothing.
    Camera camera;
    camera.setViewport(QRect(0, 0, 100, 100));
    camera.setDistance(10);
    QFETCH(int, delta);
    QFETCH(QPoint, pos);
    QFETCH(float, factor);
    const QPointF at(pos);
    QWheelEvent event(at, at, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    camera.wheelEvent(&event);
    QVERIFY(qFuzzyCompare(camera.distance(), 10.0f * factor));
}

void TestRenderCamera::zoomSteps()
{
    // Zooming in and out scales the distance by 0.82 and 1.18.
    Camera camera;
    camera.setDistance(10);
    camera.zoomIn();
    QVERIFY(qFuzzyCompare(camera.distance(), 8.2f));
    camera.zoomOut();
    QVERIFY(qFuzzyCompare(camera.distance(), 8.2f * 1.18f));
}

void TestRenderCamera::clickEmitsRayOnce_data()
{
    QTest::addColumn<bool>("move");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("rays");
    QTest::newRow("left click") << false << int(Qt::LeftButton) << 1;
    QTest::newRow("left drag") << true << int(Qt::LeftButton) << 0;
    QTest::newRow("right click") << false << int(Qt::RightButton) << 0;
}

void TestRenderCamera::clickEmitsRayOnce()
{
    // A left click without motion emits the ray under the cursor once; any motion in between suppresses it.
    Camera camera;
    camera.setViewport(QRect(0, 0, 200, 100));
    QSignalSpy spy(&camera, &Camera::setMouseRay);
    QFETCH(bool, move);
    QFETCH(int, button);
    QFETCH(int, rays);
    const auto b = Qt::MouseButton(button);
    send(camera, QEvent::MouseButtonPress, QPointF(100.2, 49.7), b);
    if (move)
        send(camera, QEvent::MouseMove, QPointF(100.2, 49.7), b);
    send(camera, QEvent::MouseButtonRelease, QPointF(100.2, 49.7), b);
    QCOMPARE(spy.count(), rays);
    QVERIFY(!camera.isDragging());
    if (rays) {
        const Ray ray = spy.at(0).at(0).value<Ray>();
        QVERIFY(fuzzyVec(ray.direction, camera.rayAt(100, 50).direction));
        // A second release without a press emits nothing.
        send(camera, QEvent::MouseButtonRelease, QPointF(100, 50), b);
        QCOMPARE(spy.count(), 1);
    }
}

void TestRenderCamera::leftDrag_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<QVector3D>("focal");
    QTest::addColumn<float>("yaw");
    QTest::addColumn<float>("pitch");
    // Drag by (+10, +4) pixels at distance 10: 0.05 m per pixel in the flat views.
    QTest::newRow("free orbit") << 0 << QVector3D(0, 0, 0) << -182.0f << 30.8f;
    QTest::newRow("side pan") << 1 << QVector3D(0, -0.5f, 0.2f) << 0.0f << 0.0f;
    QTest::newRow("front pan") << 2 << QVector3D(-0.5f, 0, 0.2f) << -90.0f << 0.0f;
    QTest::newRow("top pan") << 3 << QVector3D(-0.5f, 0.2f, 0) << 0.0f << 90.0f;
}

void TestRenderCamera::leftDrag()
{
    // A plain left drag orbits the free view and pans the three flat views.
    Camera camera;
    camera.setViewport(QRect(0, 0, 200, 100));
    QFETCH(int, preset);
    QFETCH(QVector3D, focal);
    QFETCH(float, yaw);
    QFETCH(float, pitch);
    camera.setViewPreset(preset);
    send(camera, QEvent::MouseButtonPress, QPointF(50, 50), Qt::LeftButton);
    send(camera, QEvent::MouseMove, QPointF(60, 54), Qt::LeftButton);
    QVERIFY(fuzzyVec(camera.focalPoint(), focal));
    QVERIFY(qAbs(camera.yaw() - yaw) < 1e-4f);
    QVERIFY(qAbs(camera.pitch() - pitch) < 1e-4f);
}

void TestRenderCamera::shiftDragFloor()
{
    // Shift-drag zooms exponentially but never below 0.01.
    Camera camera;
    camera.setViewport(QRect(0, 0, 200, 100));
    camera.setDistance(0.05f);
    send(camera, QEvent::MouseButtonPress, QPointF(50, 500), Qt::LeftButton, Qt::ShiftModifier);
    send(camera, QEvent::MouseMove, QPointF(50, 0), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(camera.distance(), 0.01f);
    send(camera, QEvent::MouseMove, QPointF(50, 100), Qt::LeftButton, Qt::ShiftModifier);
    QVERIFY(qFuzzyCompare(camera.distance(), 0.01f * std::exp(1.0f)));
}

void TestRenderCamera::controlDragKeepsEye()
{
    // Control-drag looks around: the eye stays where it is and the focal point moves.
    Camera camera;
    camera.setViewport(QRect(0, 0, 200, 100));
    camera.setDistance(4);
    const QVector3D eye = camera.eyePosition();
    send(camera, QEvent::MouseButtonPress, QPointF(50, 50), Qt::LeftButton, Qt::ControlModifier);
    send(camera, QEvent::MouseMove, QPointF(80, 40), Qt::LeftButton, Qt::ControlModifier);
    QVERIFY(fuzzyVec(camera.eyePosition(), eye, 1e-4f));
    QVERIFY(qAbs(camera.yaw() - (-93.0f)) < 1e-4f);
    QVERIFY(qAbs(camera.pitch() - 34.0f) < 1e-4f);
    // Clamped at the pole the eye still stays put.
    send(camera, QEvent::MouseMove, QPointF(80, 4000), Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(camera.pitch(), 90.0f);
    QVERIFY(fuzzyVec(camera.eyePosition(), eye, 1e-3f));
}

void TestRenderCamera::rightDragPansOnlyFreeView()
{
    // Right-drag pans the focal point in the free view and does nothing in the flat views.
    Camera camera;
    camera.setViewport(QRect(0, 0, 200, 100));
    camera.setViewPreset(0);
    send(camera, QEvent::MouseButtonPress, QPointF(50, 50), Qt::RightButton);
    send(camera, QEvent::MouseMove, QPointF(40, 50), Qt::RightButton);
    // yaw -180: c = -1, s = 0, k = 0.01; last x - x = 10 gives focal.y -= 0.1.
    QVERIFY(fuzzyVec(camera.focalPoint(), QVector3D(0, -0.1f, 0)));

    camera.setViewPreset(2);
    send(camera, QEvent::MouseButtonPress, QPointF(50, 50), Qt::RightButton);
    send(camera, QEvent::MouseMove, QPointF(40, 30), Qt::RightButton);
    QCOMPARE(camera.focalPoint(), QVector3D());
}

void TestRenderCamera::releaseOutsideEndsDrag()
{
    // A drag whose release went elsewhere ends at the next move without the button; the view stays put.
    Camera camera;
    camera.setViewport(QRect(0, 0, 200, 100));
    send(camera, QEvent::MouseButtonPress, QPointF(50, 50), Qt::LeftButton);
    QMouseEvent hover(QEvent::MouseMove, QPointF(70, 50), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    camera.mouseMoveEvent(&hover);
    QVERIFY(!camera.isDragging());
    QCOMPARE(camera.yaw(), -90.0f);
}

QTEST_MAIN(TestRenderCamera)
#include "tst_render_camera.moc"
