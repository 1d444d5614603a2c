#include "Axis.h"
#include "Camera.h"
#include "Canvas.h"
#include "ColorLegendLayer.h"
#include "ColorModel.h"
#include "Cube.h"
#include "GridPlaneXY.h"
#include "PointCloud.h"
#include "Scene.h"
#include "TestSupport.h"
#include "ViewProbes.h"
#include "Viewport.h"

#include <QElapsedTimer>
#include <QImage>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <QtTest>

namespace {
// True when some pixel within radius of (x, y) has the colour, channel by channel within tolerance.
bool hasColorNear(const QImage &image, int x, int y, const QColor &color, int radius = 1, int tolerance = 12)
{
    const int side = 2 * radius + 1;
    return TestSupport::hasColor(image, QRect(x - radius, y - radius, side, side), color, tolerance);
}
} // namespace

class tst_Pixels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }
    void topViewScene_data()
    {
        QTest::addColumn<int>("renderable");
        QTest::addColumn<int>("profile");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::newRow("default context")
            << int(QSurfaceFormat::DefaultRenderableType) << int(QSurfaceFormat::NoProfile) << 2 << 0;
        QTest::newRow("core profile")
            << int(QSurfaceFormat::OpenGL) << int(QSurfaceFormat::CoreProfile) << 3 << 3;
        QTest::newRow("compatibility profile")
            << int(QSurfaceFormat::OpenGL) << int(QSurfaceFormat::CompatibilityProfile) << 3 << 0;
    }
    void topViewScene()
    {
        // A top view shows the axes, the grid and every cloud point in its own colour where the camera maps
        // it, in a core profile as in the others.
        QFETCH(int, renderable);
        QFETCH(int, profile);
        QFETCH(int, major);
        QFETCH(int, minor);
        QSurfaceFormat format = QSurfaceFormat::defaultFormat();
        format.setRenderableType(QSurfaceFormat::RenderableType(renderable));
        format.setProfile(QSurfaceFormat::OpenGLContextProfile(profile));
        format.setVersion(major, minor);
        Canvas canvas;
        canvas.setFormat(format);
        Viewport *viewport = canvas.createViewport(QString(), QRectF(0, 0, 1, 1));
        viewport->camera()->setViewPreset(3);
        Axis axis(nullptr, -100, -100, -100, 100, 100, 100, 2.0f);
        GridPlaneXY grid(nullptr, -4, 4, -4, 4, 0, 1);
        PointCloud cloud;
        cloud.setCoordinateVisible(false);
        cloud.setPointSize(8);
        cloud.addPoints({QVector3D(-2.5f, 2.5f, 0.1f), QVector3D(2.5f, -2.5f, 0.1f)},
                        {QVector3D(1, 0, 1), QVector3D(0, 1, 1)});
        viewport->addItem(&axis);
        viewport->addItem(&grid);
        viewport->addItem(&cloud);
        ColorModel model;
        ColorLegendLayer legend;
        legend.setColorModel(&model);
        legend.setInitialLegendPos(Qt::BottomEdge);
        canvas.addLayer(&legend);

        const QImage image = renderCanvas(canvas, QStringLiteral("render_topview.png"));
        QVERIFY(!image.isNull());
        QVERIFY(canvas.context());
        if (profile == QSurfaceFormat::CoreProfile)
            QCOMPARE(canvas.context()->format().profile(), QSurfaceFormat::CoreProfile);
        QCOMPARE(canvas.context()->functions()->glGetError(), GLenum(GL_NO_ERROR));
        // The top view looks down with +X towards the bottom and +Y to the right, 20 pixels per metre.
        QVERIFY(hasColorNear(image, 150, 50, QColor(255, 0, 255), 2));
        QVERIFY(hasColorNear(image, 50, 150, QColor(0, 255, 255), 2));
        QVERIFY(hasColorNear(image, 100, 140, QColor(255, 0, 0)));
        QVERIFY(hasColorNear(image, 170, 100, QColor(0, 255, 0)));
        QVERIFY(hasColorNear(image, 120, 160, QColor(190, 190, 190)));
        QVERIFY(hasColorNear(image, 110, 110, QColor(108, 108, 132), 0));
        // The frame is inset by one pixel; an empty name draws no label.
        QCOMPARE(image.pixelColor(1, 50), QColor(Qt::black));
        // The legend lies over the picture along the bottom edge, its bar framed in black.
        const QRect bar = ColorLegendLayer::barRect(
            ColorLegendLayer::legendRect(image.rect(), Qt::BottomEdge), Qt::BottomEdge);
        QCOMPARE(image.pixelColor(bar.topLeft()), QColor(Qt::black));
        QVERIFY(!hasColorNear(image, bar.left() + 4, bar.center().y(), QColor(108, 108, 132), 0, 20));
        QCOMPARE(image.pixelColor(5, 5), QColor(108, 108, 132));
    }
    void repaintsArePaced_data()
    {
        QTest::addColumn<int>("frameRate");
        QTest::newRow("10 per second") << 10;
        QTest::newRow("25 per second") << 25;
    }
    void repaintsArePaced()
    {
        // A stream of changes is drawn at most frameRate times a second, and every point still reaches the
        // cloud.
        QFETCH(int, frameRate);
        Canvas canvas;
        canvas.setFrameRate(frameRate);
        Viewport *viewport = canvas.createViewport(QString(), QRectF(0, 0, 1, 1));
        viewport->camera()->setViewPreset(3);
        PointCloud cloud;
        viewport->addItem(&cloud);
        QVERIFY(!renderCanvas(canvas, QStringLiteral("render_paced.png")).isNull());
        QElapsedTimer clock;
        clock.start();
        QVector<qint64> frames;
        connect(&canvas, &Canvas::frameSwapped, this, [&] { frames.append(clock.elapsed()); });
        int lines = 0;
        QTimer stream;
        connect(&stream, &QTimer::timeout, this, [&] {
            cloud.addPoints({QVector3D(float(lines % 5), 0, 0)}, {QVector3D(1, 1, 1)});
            ++lines;
        });
        stream.start(1);
        QTest::qWait(700);
        stream.stop();
        QTRY_VERIFY(!canvas.isRepaintPending());
        QTest::qWait(50);
        QCOMPARE(cloud.count(), lines);
        QVERIFY2(frames.size() >= 3, qPrintable(QString::number(frames.size())));
        // Frames start at least an interval apart; their ends jitter with the drawing time, so the average.
        const double gap = double(frames.last() - frames.first()) / double(frames.size() - 1);
        QVERIFY2(gap >= 1000.0 / frameRate - 3.0, qPrintable(QStringLiteral("frames %1 ms apart").arg(gap)));
    }
    void progressiveFrames()
    {
        // The points of the previous frame stay drawn beyond the new frame's points; clearing removes them
        // all. A second, empty cloud shows its marker: a red arrow along +X and a green one along +Y from
        // its position.
        Canvas canvas;
        Viewport *viewport = canvas.createViewport(QString(), QRectF(0, 0, 1, 1));
        viewport->camera()->setViewPreset(3);
        PointCloud cloud, marked;
        cloud.setCoordinateVisible(false);
        cloud.setPointSize(6);
        marked.setPos(QVector3D(1, 1, 0));
        viewport->addItem(&cloud);
        viewport->addItem(&marked);
        const QVector<QVector3D> red{{1, 0, 0}, {1, 0, 0}};
        cloud.addPoints({QVector3D(-2, -2, 0), QVector3D(2, 2, 0)}, red);
        QImage image = renderCanvas(canvas, QStringLiteral("render_frame1.png"));
        QVERIFY(hasColorNear(image, 60, 60, Qt::red));
        QVERIFY(hasColorNear(image, 140, 140, Qt::red));
        // The marked cloud's origin is at pixel (120, 120); +X runs down, +Y to the right, 20 pixels a metre.
        QVERIFY(hasColorNear(image, 120, 132, Qt::red));
        QVERIFY(hasColorNear(image, 132, 120, Qt::green));
        QVERIFY(hasColorNear(image, 120, 120, Qt::blue, 2));
        QVERIFY(!hasColorNear(image, 120, 108, Qt::red));

        cloud.resetPoints();
        cloud.addPoints({QVector3D(-2, 2, 0)}, {QVector3D(0, 0, 1)});
        image = renderCanvas(canvas, QStringLiteral("render_frame2.png"));
        QVERIFY(hasColorNear(image, 140, 60, Qt::blue));
        QVERIFY(!hasColorNear(image, 60, 60, Qt::red));
        QVERIFY(hasColorNear(image, 140, 140, Qt::red));

        cloud.clearPoints();
        image = renderCanvas(canvas, QStringLiteral("render_cleared.png"));
        QVERIFY(!hasColorNear(image, 140, 60, Qt::blue, 4));
        QVERIFY(!hasColorNear(image, 140, 140, Qt::red, 4));
    }
    void freeView()
    {
        // The default perspective view shows the ground grid and the axes, with a solid cube hiding what is
        // behind it.
        Canvas canvas;
        Viewport *viewport = canvas.createViewport(QStringLiteral("Main"), QRectF(0, 0, 1, 1));
        viewport->camera()->setViewPreset(0);
        Axis axis(nullptr, -100, -100, -100, 100, 100, 100, 2.0f);
        GridPlaneXY grid(nullptr, -100, 100, -100, 100, 0, 1);
        Cube cube;
        cube.setSize(2);
        cube.setPos(QVector3D(0, 0, 1));
        viewport->addItem(&axis);
        viewport->addItem(&grid);
        viewport->addItem(&cube);
        const QImage image = renderCanvas(canvas, QStringLiteral("render_free.png"));
        // The cube sits in the middle of the picture and covers the axes' crossing.
        QCOMPARE(image.pixelColor(100, 100), QColor(Qt::red));
        int gridPixels = 0;
        for (int x = 0; x < image.width(); ++x)
            gridPixels += hasColorNear(image, x, 150, QColor(190, 190, 190), 0) ? 1 : 0;
        QVERIFY(gridPixels >= 5);
        QVERIFY(hasColorNear(image, 100, 10, Qt::blue, 1));
        QVERIFY(hasColorNear(image, 100, 180, Qt::red, 1));
    }
    void overlappingViewports()
    {
        // The viewport with the lower ZOrder is drawn first, so the inset covers the main view, frame and
        // label included.
        Canvas canvas;
        // Added first but drawn last: its ZOrder is higher.
        Viewport *inset = canvas.createViewport(QStringLiteral("Top"), QRectF(0.5, 0.5, 0.5, 0.5));
        inset->setZOrder(2);
        Viewport *main = canvas.createViewport(QStringLiteral("Main"), QRectF(0, 0, 1, 1));
        main->camera()->setViewPreset(3);
        main->camera()->setDistance(1);
        Cube cube;
        cube.setSize(50);
        main->addItem(&cube);
        const QImage image = renderCanvas(canvas, QStringLiteral("render_viewports.png"));
        QCOMPARE(image.pixelColor(60, 60), QColor(Qt::red));
        QCOMPARE(image.pixelColor(160, 180), QColor(108, 108, 132));
        QCOMPARE(image.pixelColor(101, 150), QColor(Qt::black));
        // Name labels: white boxes with black text in each viewport's top-left corner.
        QCOMPARE(image.pixelColor(3, 3), QColor(Qt::white));
        QCOMPARE(image.pixelColor(103, 103), QColor(Qt::white));
    }
    void layersFollowTheirChanges_data()
    {
        QTest::addColumn<bool>("moveToTop");
        QTest::newRow("moved to the top") << true;
        QTest::newRow("colour model taken away") << false;
    }
    void layersFollowTheirChanges()
    {
        // A layer is drawn from what it painted last only until it changes.
        QFETCH(bool, moveToTop);
        Canvas canvas;
        canvas.createViewport(QString(), QRectF(0, 0, 1, 1));
        ColorModel model;
        ColorLegendLayer legend;
        legend.setColorModel(&model);
        legend.setInitialLegendPos(Qt::BottomEdge);
        canvas.addLayer(&legend);
        const QRect rect(0, 0, 200, 200);
        const QPoint bottom =
            ColorLegendLayer::barRect(ColorLegendLayer::legendRect(rect, Qt::BottomEdge), Qt::BottomEdge)
                .topLeft();
        const QPoint top =
            ColorLegendLayer::barRect(ColorLegendLayer::legendRect(rect, Qt::TopEdge), Qt::TopEdge).topLeft();
        QCOMPARE(renderCanvas(canvas, QStringLiteral("render_layer1.png")).pixelColor(bottom),
                 QColor(Qt::black));
        if (moveToTop)
            legend.setPosition(Qt::TopEdge);
        else
            legend.setColorModel(nullptr);
        const QImage image = renderCanvas(canvas, QStringLiteral("render_layer2.png"));
        QCOMPARE(image.pixelColor(bottom), QColor(108, 108, 132));
        QCOMPARE(image.pixelColor(top), moveToTop ? QColor(Qt::black) : QColor(108, 108, 132));
    }
    void windowInputReachesTheScene_data()
    {
        QTest::addColumn<bool>("wheel");
        QTest::newRow("wheel zooms") << true;
        QTest::newRow("press selects the viewport") << false;
    }
    void windowInputReachesTheScene()
    {
        QFETCH(bool, wheel);
        Canvas canvas;
        Viewport *viewport = canvas.createViewport(QString(), QRectF(0, 0, 1, 1));
        QVERIFY(!renderCanvas(canvas, QStringLiteral("render_input.png")).isNull());
        const float distance = viewport->camera()->distance();
        const QPoint at(100, 100);
        if (wheel) {
            QWheelEvent event(at, canvas.drawingWindow()->mapToGlobal(at), QPoint(), QPoint(0, 240),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(canvas.drawingWindow(), &event);
            QVERIFY(viewport->camera()->distance() < distance);
        } else {
            QTest::mousePress(canvas.drawingWindow(), Qt::LeftButton, Qt::NoModifier, at);
            QVERIFY(viewport->isSelected());
        }
    }

private:
    QImage renderCanvas(Canvas &canvas, const QString &file);
};

QImage tst_Pixels::renderCanvas(Canvas &canvas, const QString &file)
{
    canvas.resize(200, 200);
    canvas.show();
    if (!QTest::qWaitForWindowExposed(&canvas))
        return QImage();
    QImage image = canvas.snapshot().convertToFormat(QImage::Format_RGB32);
    image.save(QStringLiteral("/tmp/") + file);
    return image;
}

QTEST_MAIN(tst_Pixels)
#include "tst_render_pixels.moc"
