#include "Camera.h"
#include "CameraProperty.h"
#include "Canvas.h"
#include "ColorLegendLayer.h"
#include "ColorModel.h"
#include "ColorScheme.h"
#include "ComboBoxProperty.h"
#include "LineBuilder.h"
#include "PointCloud.h"
#include "PointCloudProperty.h"
#include "SceneComposer.h"
#include "TestSupport.h"
#include "Vector3DProperty.h"
#include "ViewProbes.h"
#include "Viewport.h"

#include <QtTest>

#include <cmath>

namespace {
// A small room: a ring of wall points at several heights around the sensor, coloured by the cloud's model.
void fillRoom(PointCloudProperty &property, PointCloud &cloud)
{
    std::vector<std::vector<EchoSpec>> spots;
    for (int level = 0; level < 6; ++level) {
        for (int i = 0; i < 72; ++i) {
            const double a = i * 5.0 * M_PI / 180.0;
            EchoSpec echo;
            echo.range = 3.0;
            echo.x = 3.0 * std::cos(a);
            echo.y = 3.0 * std::sin(a);
            echo.z = -1.0 + 0.5 * level;
            spots.push_back({echo});
        }
    }
    const VEXA3D_MEASUREMENT_DATA_T line = makeLine(spots, 1);
    QVector<QVector3D> points, colors;
    for (const VEXA3D_SPOT_T &spot : line.spots) {
        points << QVector3D(float(spot.points[0].x), float(spot.points[0].y), float(spot.points[0].z));
        colors << property.colorModel()->color(spot, 0, 0, 0, 0);
    }
    cloud.addPoints(points, colors);
}
} // namespace

class tst_ComposerView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    // The "Top View" layout draws the inset over the main view's bottom-right corner, both with the grid,
    // the axes and the coloured cloud; the legend runs along the top.
    void topViewScreenshot()
    {
        Canvas canvas;
        canvas.resize(800, 600);
        SceneComposer composer;
        PointCloud cloud;
        cloud.setPointSize(4);
        PointCloudProperty property(1);
        property.setPointCloud(&cloud);
        property.legend()->setTitle(QStringLiteral("Point Cloud 1"));
        property.positionProperty()->setVector3DValue(QVector3D(0, 0, 1));
        property.rotationProperty()->setVector3DValue(QVector3D(0, 0, 30));
        // A window over the room's height, so that every wall level gets its own hue.
        property.colorModel()->scheme()->setMinValue(0.0f);
        property.colorModel()->scheme()->setMaxValue(2.5f);
        composer.addItem(&cloud);
        composer.addLayer(property.legend());
        composer.setCanvas(&canvas);
        composer.viewportProperty()->setOptionValue(SceneComposer::TopView);
        composer.cameraProperty()->camera()->setDistance(14.0f);
        fillRoom(property, cloud);

        canvas.show();
        QVERIFY(QTest::qWaitForWindowExposed(&canvas));
        const QImage image = canvas.snapshot().convertToFormat(QImage::Format_RGB32);
        QVERIFY(!image.isNull());
        image.save(QStringLiteral("/tmp/composer_topview.png"));

        const Viewport *top = canvas.viewport(QStringLiteral("Top"));
        QVERIFY(top);
        // The inset's frame and "Top" label.
        QVERIFY(TestSupport::hasColor(image, QRect(600, 450, 200, 1), Qt::black, 30));
        QVERIFY(TestSupport::hasColor(image, QRect(602, 452, 20, 10), Qt::white, 10));
        // From above, the ring of wall points shows in the inset as saturated hue colours.
        bool saturated = false;
        for (int y = 460; y < 600 && !saturated; ++y) {
            for (int x = 610; x < 800 && !saturated; ++x) {
                const QColor c = image.pixelColor(x, y);
                saturated = c.hsvSaturation() > 200 && c.value() > 200;
            }
        }
        QVERIFY(saturated);
    }
};

QTEST_MAIN(tst_ComposerView)
#include "tst_composer_view.moc"
