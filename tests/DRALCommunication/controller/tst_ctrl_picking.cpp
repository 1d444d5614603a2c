#include "ControllerTestSupport.h"
#include "TestSupport.h"
#include "ViewProbes.h"

#include "Camera.h"
#include "CameraProperty.h"
#include "Canvas.h"
#include "PointCloud.h"
#include "PointCloudProperty.h"
#include "SceneComposer.h"

#include <QtTest>

using namespace ControllerTest;

namespace {

// A line of the still scene that has echoes, and one echo of it near the middle of the line.
struct KnownEcho
{
    int motorField = -1, remField = -1, line = -1, spot = -1, echoes = 0;
    QVector3D point;
};

KnownEcho pickEcho(const DRALMeasurementData &record)
{
    const VEXA3D_MEASUREMENT_DATA_T &line = *record.data();
    const int spots = qMin<int>(line.receivedSpotCount, int(line.spots.size()));
    for (int s = spots / 2; s < spots; ++s) {
        const VEXA3D_SPOT_T &spot = line.spots[size_t(s)];
        const VEXA3D_POINT_T &p = spot.points[0];
        if (spot.count > 0 && spot.echoes[0].range > 0.0)
            return {line.motorFieldNumber, line.remFieldNumber,
                    line.lineNumber,       s,
                    int(spot.count),       QVector3D(float(p.x), float(p.y), float(p.z))};
    }
    return {};
}

struct StreamingRig : Rig
{
    StreamingRig() : Rig(stillScene()) {}

    // Streams until a line with echoes arrives and returns one of its echoes.
    KnownEcho start()
    {
        KnownEcho known;
        QObject guard;
        QObject::connect(&relay, &StreamRelay::dralMeasurementDataReady, &guard,
                         [&](int, QSharedPointer<DRALMeasurementData> data) {
                             if (known.spot < 0 && data->data()->lineNumber > 10)
                                 known = pickEcho(*data);
                         });
        if (!startSimulator() || !connectAndInitialize())
            return known;
        const bool found = QTest::qWaitFor([&] { return known.spot >= 0; }, 5000);
        return found ? known : KnownEcho();
    }
};

} // namespace

class tst_ControllerPicking : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void mouseRay_data()
    {
        QTest::addColumn<QVector3D>("cloudPosition");
        QTest::addColumn<QVector3D>("rayOffset");
        QTest::addColumn<bool>("hit");

        QTest::newRow("through the echo") << QVector3D() << QVector3D() << true;
        QTest::newRow("within tolerance") << QVector3D() << QVector3D(0.05f, 0.0f, 0.0f) << true;
        QTest::newRow("moved cloud, world ray") << QVector3D(10, -4, 2) << QVector3D() << true;
        QTest::newRow("far from every echo") << QVector3D() << QVector3D(500, 500, 500) << false;
    }

    void mouseRay()
    {
        // A ray through a known echo names its fields, line and spot once a whole frame was searched.
        QFETCH(QVector3D, cloudPosition);
        QFETCH(QVector3D, rayOffset);
        QFETCH(bool, hit);

        StreamingRig rig;
        rig.manager->pointCloud()->setPos(cloudPosition);
        const KnownEcho known = rig.start();
        QVERIFY(known.spot >= 0);

        // Slanted, so that no other echo of the same spot lies on the ray.
        const QVector3D direction = QVector3D(0.3f, 0.2f, -1.0f).normalized();
        const QVector3D through = known.point + cloudPosition + rayOffset;
        QSignalSpy spots(&rig.relay, &StreamRelay::setRaySpot);
        rig.manager->setMouseRay(Ray{through - 5.0f * direction, direction});
        if (!hit) {
            QTest::qWait(400); // several frames
            QCOMPARE(spots.count(), 0);
            return;
        }
        QVERIFY(spots.wait(5000));
        QCOMPARE(spots.count(), 1);
        const QList<QVariant> args = spots.at(0);
        QCOMPARE(args.at(0).toInt(), known.motorField);
        QCOMPARE(args.at(1).toInt(), known.remField);
        QCOMPARE(args.at(2).toInt(), known.line);
        QCOMPARE(args.at(3).toInt(), known.spot);

        // One request, one answer.
        QTest::qWait(200);
        QCOMPARE(spots.count(), 1);
        rig.manager->disconnectRequested();
    }

    void emphasisOverlay()
    {
        // The data table's line is drawn in the emphasis colours, in the cloud and in the overlay, and shows
        // in the 3D view over the streamed room.
        StreamingRig rig;
        const KnownEcho known = rig.start();
        QVERIFY(known.spot >= 0);
        int lineEchoes = -1;
        QObject::connect(&rig.relay, &StreamRelay::dralMeasurementDataReady, this,
                         [&](int, QSharedPointer<DRALMeasurementData> data) {
                             const VEXA3D_MEASUREMENT_DATA_T &line = *data->data();
                             if (line.lineNumber == known.line && line.motorFieldNumber == known.motorField &&
                                 line.remFieldNumber == known.remField)
                                 lineEchoes = validEchoes(line);
                         });
        rig.manager->setEmphasisedSpot(known.motorField, known.remField, known.line, known.spot);
        rig.manager->setEmphasisType(1);

        PointCloud *overlay = rig.manager->emphasisCloud();
        QTRY_VERIFY(lineEchoes > 0 && overlay->count() == lineEchoes);
        const QVector3D spotColor = rig.manager->pointCloudProperty()->emphasisColor(1, 1);
        const QVector3D lineColor = rig.manager->pointCloudProperty()->emphasisColor(1, 0);
        QVERIFY(spotColor != lineColor);
        const QVector<QVector3D> colors = overlay->colors().mid(0, overlay->count());
        QCOMPARE(colors.count(spotColor), known.echoes);
        QCOMPARE(colors.count(lineColor), lineEchoes - known.echoes);
        QVERIFY(overlay->positions().mid(0, overlay->count()).contains(known.point));

#ifndef TAVIRO_SANITIZED_GL // the software GL window does not come up in the AddressSanitizer build
        Canvas canvas;
        canvas.resize(800, 600);
        SceneComposer composer;
        composer.addItem(rig.manager->viewObject());
        composer.addLayer(rig.manager->sensorViewItem(0));
        composer.setCanvas(&canvas);
        composer.cameraProperty()->camera()->setDistance(25.0f);
        rig.manager->pointCloud()->setPointSize(3);
        QTRY_VERIFY(rig.manager->pointCloud()->drawCount() > 1000);
        canvas.show();
        QVERIFY(QTest::qWaitForWindowExposed(&canvas));
        QTest::qWait(200);
        const QImage image = canvas.snapshot().convertToFormat(QImage::Format_RGB32);
        image.save(QStringLiteral("/tmp/ctrl_streamed_view.png"));
        const QVector3D spot = spotColor * 255.0f;
        QVERIFY(TestSupport::hasColor(image, image.rect(),
                                      QColor(int(spot.x()), int(spot.y()), int(spot.z())), 11));
#endif

        // Emphasis off empties the overlay, and it stays empty.
        rig.manager->setEmphasisType(0);
        QCOMPARE(overlay->drawCount(), 0);
        QTest::qWait(200);
        QCOMPARE(overlay->drawCount(), 0);
        rig.manager->disconnectRequested();
    }
};

QTEST_MAIN(tst_ControllerPicking)
#include "tst_ctrl_picking.moc"
