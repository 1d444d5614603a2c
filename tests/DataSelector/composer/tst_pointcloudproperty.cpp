#include "AxesFilter.h"
#include "AxisDataSelector.h"
#include "ColorLegendLayer.h"
#include "ColorModel.h"
#include "ColorScheme.h"
#include "ComboBoxProperty.h"
#include "Coordinate.h"
#include "DataFilter.h"
#include "DataFilterFactory.h"
#include "DataFilterProperty.h"
#include "EmphasisColorModel.h"
#include "FloatProperty.h"
#include "IntegerProperty.h"
#include "LineBuilder.h"
#include "PointCloud.h"
#include "PointCloudProperty.h"
#include "TestSupport.h"
#include "Vector3DProperty.h"
#include "ViewProbes.h"

#include <QSignalSpy>
#include <QtTest>

#include <cmath>

using TestSupport::near;

namespace {
QStringList keysOf(const QList<AbstractDataFilter *> &filters)
{
    QStringList keys;
    for (const AbstractDataFilter *filter : filters)
        keys << filter->key();
    return keys;
}

// Runs the enabled filters on a one-echo line and tells whether the echo survived.
bool survives(const PointCloudProperty &property, const QVector3D &point)
{
    VEXA3D_MEASUREMENT_DATA_T line = makeLine({{EchoSpec{1.0, 1000, point.x(), point.y(), point.z()}}});
    for (AbstractDataFilter *filter : property.enabledFilters())
        filter->apply(line);
    return line.spots[0].echoes[0].range > 0.0;
}
} // namespace

class tst_PointCloudProperty : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    // Setting a cloud copies its state into the values and defaults, and is announced once; a cloud moved
    // from elsewhere then shows its new pose while the defaults stay.
    void setPointCloudCopiesState()
    {
        PointCloud cloud;
        cloud.setVisible(false);
        cloud.setCoordinateVisible(false);
        cloud.setPos(QVector3D(1, 2, 3));
        cloud.setRotation(QVector3D(10, 20, 30));
        cloud.setPointSize(5);
        PointCloudProperty property(1);
        QSignalSpy spy(&property, &PointCloudProperty::pointCloudChanged);
        property.setPointCloud(&cloud);
        property.setPointCloud(&cloud);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().value<PointCloud *>(), &cloud);
        QCOMPARE(property.boolValue(), false);
        QCOMPARE(property.defaultValue().toBool(), false);
        QCOMPARE(property.showCoordinateProperty()->boolValue(), false);
        QCOMPARE(property.position(), QVector3D(1, 2, 3));
        QCOMPARE(property.rotation(), QVector3D(10, 20, 30));
        QCOMPARE(property.sizeProperty()->intValue(), 5);
        // Copying the state did not move the cloud.
        QVERIFY(!cloud.isVisibleSelf());
        QCOMPARE(cloud.rotation(), QVector3D(10, 20, 30));
        // The pose the cloud already had reaches the axis colour selector at once.
        auto *selector = qobject_cast<AxisDataSelector *>(property.colorModel()->selector());
        QVERIFY(selector);
        QCOMPARE(selector->translationMatrix(), cloud.translationMatrix());
        QCOMPARE(selector->rotationMatrix(), cloud.rotationMatrix());
        cloud.setPos(QVector3D(4, 5, 6));
        cloud.setRotation(QVector3D(0, 0, 90));
        // Points arriving do not disturb the pose.
        cloud.addPoints({QVector3D(1, 1, 1)}, {QVector3D(1, 0, 0)});
        QCOMPARE(property.position(), QVector3D(4, 5, 6));
        QCOMPARE(property.rotation(), QVector3D(0, 0, 90));
        QCOMPARE(property.positionProperty()->xProperty()->defaultValue().toFloat(), 1.0f);
        QCOMPARE(property.translationMatrix(), cloud.translationMatrix());
        QCOMPARE(property.rotationMatrix(), cloud.rotationMatrix());

        property.setPointCloud(nullptr);
        QCOMPARE(spy.count(), 2);
        QVERIFY(!property.pointCloud());
        // A forgotten cloud no longer follows the properties.
        property.setBoolValue(true);
        QVERIFY(!cloud.isVisibleSelf());
    }

    // Unchecking the group hides the cloud with its marker; "Show Coordinate" hides only the marker.
    void visibility_data()
    {
        QTest::addColumn<bool>("group");
        QTest::addColumn<bool>("showCoordinate");
        QTest::addColumn<bool>("cloudVisible");
        QTest::addColumn<bool>("markerVisible");
        QTest::newRow("both checked") << true << true << true << true;
        QTest::newRow("group unchecked") << false << true << false << false;
        QTest::newRow("marker unchecked") << true << false << true << false;
        QTest::newRow("both unchecked") << false << false << false << false;
    }
    void visibility()
    {
        QFETCH(bool, group);
        QFETCH(bool, showCoordinate);
        QFETCH(bool, cloudVisible);
        QFETCH(bool, markerVisible);
        PointCloud cloud;
        PointCloudProperty property(1);
        property.setPointCloud(&cloud);
        property.setBoolValue(group);
        property.showCoordinateProperty()->setBoolValue(showCoordinate);
        QCOMPARE(cloud.isVisible(), cloudVisible);
        QCOMPARE(cloud.isCoordinateVisible(), markerVisible);
        QCOMPARE(cloud.coordinate()->isVisible(), markerVisible);
        property.setBoolValue(true);
        property.showCoordinateProperty()->setBoolValue(true);
        QVERIFY(cloud.isVisible());
        QVERIFY(cloud.isCoordinateVisible());
    }

    // Editing the pose and size moves and resizes the cloud; values outside the limits are clamped.
    void editsReachCloud_data()
    {
        QTest::addColumn<QVector3D>("position");
        QTest::addColumn<QVector3D>("rotation");
        QTest::addColumn<int>("size");
        QTest::addColumn<QVector3D>("cloudPosition");
        QTest::addColumn<QVector3D>("cloudRotation");
        QTest::addColumn<int>("cloudSize");
        QTest::newRow("plain") << QVector3D(1, -2, 0.5f) << QVector3D(5, 10, 15) << 7
                               << QVector3D(1, -2, 0.5f) << QVector3D(5, 10, 15) << 7;
        QTest::newRow("clamped") << QVector3D(150, 0, -150) << QVector3D(-400, 0, 400) << 30
                                 << QVector3D(100, 0, -100) << QVector3D(-360, 0, 360) << 20;
    }
    void editsReachCloud()
    {
        QFETCH(QVector3D, position);
        QFETCH(QVector3D, rotation);
        QFETCH(int, size);
        QFETCH(QVector3D, cloudPosition);
        QFETCH(QVector3D, cloudRotation);
        QFETCH(int, cloudSize);
        PointCloud cloud;
        PointCloudProperty property(1);
        property.setPointCloud(&cloud);
        property.positionProperty()->setVector3DValue(position);
        property.rotationProperty()->setVector3DValue(rotation);
        property.sizeProperty()->setIntValue(size);
        QCOMPARE(cloud.pos(), cloudPosition);
        QCOMPARE(cloud.rotation(), cloudRotation);
        QCOMPARE(cloud.pointSize(), cloudSize);
        QCOMPARE(property.position(), cloudPosition);
        QCOMPARE(property.rotation(), cloudRotation);
        QCOMPARE(property.translationMatrix(), cloud.translationMatrix());
        QCOMPARE(property.rotationMatrix(), cloud.rotationMatrix());
        // One component at a time, as the editor does.
        property.positionProperty()->yProperty()->setFloatValue(4.0f);
        QCOMPARE(cloud.pos().y(), 4.0f);
        property.rotationProperty()->zProperty()->setFloatValue(-45.0f);
        QCOMPARE(cloud.rotation().z(), -45.0f);
    }

    // The cloud's pose reaches the axis filters, whose windows stay fixed in the world, and the axis colours.
    void poseReachesAxisFilters_data()
    {
        QTest::addColumn<QVector3D>("point");
        QTest::addColumn<QVector3D>("position");
        QTest::addColumn<QVector3D>("rotation");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<float>("height"); // what the axis colour selector sees
        const QVector3D origin, onX(1, 0, 0), level;
        QTest::newRow("on the ground") << origin << QVector3D(0, 0, 0) << level << false << 0.0f;
        QTest::newRow("raised 1 m, on the window's edge")
            << origin << QVector3D(0, 0, 1) << level << true << 1.0f;
        QTest::newRow("raised 1.5 m") << origin << QVector3D(0, 0, 1.5f) << level << true << 1.5f;
        QTest::newRow("raised 2.5 m") << origin << QVector3D(0, 0, 2.5f) << level << false << 2.5f;
        QTest::newRow("roll keeps a point on X")
            << onX << QVector3D() << QVector3D(90, 0, 0) << false << 0.0f;
        QTest::newRow("yaw keeps it level") << onX << QVector3D() << QVector3D(0, 0, 90) << false << 0.0f;
        QTest::newRow("pitch -30") << onX << QVector3D() << QVector3D(0, -30, 0) << false << 0.5f;
        QTest::newRow("tilted up to 1, raised 0.5")
            << onX << QVector3D(0, 0, 0.5f) << QVector3D(0, -90, 0) << true << 1.5f;
        QTest::newRow("tilted down to -1, raised 0.5")
            << onX << QVector3D(0, 0, 0.5f) << QVector3D(0, 90, 0) << false << -0.5f;
    }
    void poseReachesAxisFilters()
    {
        QFETCH(QVector3D, point);
        QFETCH(QVector3D, position);
        QFETCH(QVector3D, rotation);
        QFETCH(bool, kept);
        QFETCH(float, height);
        PointCloud cloud;
        PointCloudProperty property(1);
        property.setPointCloud(&cloud);
        ColorModel *model = property.colorModel();
        QCOMPARE(model->selectorType(), DataSelectorFactory::Axis);
        const VEXA3D_MEASUREMENT_DATA_T line =
            makeLine({{EchoSpec{1.0, 1000, point.x(), point.y(), point.z()}}});
        const auto colourAndHeight = [&] {
            const VEXA3D_SPOT_T &spot = line.spots[0];
            QVERIFY(near(model->color(spot, 0, 0, 0, 0), model->scheme()->color(height)));
            QVERIFY(std::fabs(model->selector()->value(spot, 0, 0, 0, 0) - height) < 1e-5f);
        };
        auto *axes =
            qobject_cast<AxesFilter *>(property.filterProperty()->filters().at(DataFilterFactory::Axes));
        QVERIFY(axes);
        axes->group()->setBoolValue(true);
        axes->heightFilter()->maxProperty()->setFloatValue(2.0f);
        axes->heightFilter()->minProperty()->setFloatValue(1.0f);
        QCOMPARE(keysOf(property.enabledFilters()), QStringList({"axes_filter"}));

        property.positionProperty()->setVector3DValue(position);
        property.rotationProperty()->setVector3DValue(rotation);
        QCOMPARE(survives(property, point), kept);
        colourAndHeight();
        // Moved from elsewhere the same way, the filters follow too.
        property.positionProperty()->setVector3DValue(QVector3D());
        property.rotationProperty()->setVector3DValue(QVector3D());
        cloud.setPos(position);
        cloud.setRotation(rotation);
        QCOMPARE(survives(property, point), kept);
        colourAndHeight();
    }

    // enabledFilters lists the checked groups in factory order, whatever order they were checked in.
    void enabledFilters_data()
    {
        QTest::addColumn<QList<int>>("toggles");
        QTest::addColumn<QStringList>("enabled");
        QTest::newRow("none") << QList<int>{} << QStringList{};
        QTest::newRow("echo then range") << QList<int>{2, 0} << QStringList{"range_filter", "echo_filter"};
        QTest::newRow("vangle, axes, level")
            << QList<int>{5, 3, 1} << QStringList{"level_filter", "axes_filter", "vangle_filter"};
        QTest::newRow("level on and off again") << QList<int>{1, 4, 1} << QStringList{"hangle_filter"};
        QTest::newRow("all") << QList<int>{5, 4, 3, 2, 1, 0}
                             << QStringList{"range_filter", "level_filter",  "echo_filter",
                                            "axes_filter",  "hangle_filter", "vangle_filter"};
    }
    void enabledFilters()
    {
        QFETCH(QList<int>, toggles);
        QFETCH(QStringList, enabled);
        PointCloudProperty property(1);
        const QList<DataFilter *> filters = property.filterProperty()->filters();
        QCOMPARE(filters.size(), 6);
        for (int index : toggles) {
            BoolProperty *group = filters.at(index)->group();
            group->setBoolValue(!group->boolValue());
        }
        QCOMPARE(keysOf(property.enabledFilters()), enabled);
        QCOMPARE(keysOf(property.filterProperty()->enabledFilters()), enabled);
    }

    // The read-only slots flag the three components of one vector, announcing only real changes; the
    // "Datatable" check box's emphasis type is relayed as changeEmphasisedType.
    void readOnlyAndEmphasisRelays()
    {
        PointCloudProperty property(1);
        QSignalSpy emphasis(&property, &PointCloudProperty::changeEmphasisedType);
        QCOMPARE(property.emphasisColor(0, EmphasisColorModel::SpotColor), QVector3D());
        property.emphasisColorModel()->property()->setBoolValue(true);
        // Checked, the model gives the spot and line colours, and none for an unknown kind.
        QVERIFY(near(property.emphasisColor(1, EmphasisColorModel::SpotColor), QVector3D(1, 0, 0)));
        const float darkBlue = float(QColor(Qt::darkBlue).blueF());
        QVERIFY(near(property.emphasisColor(1, EmphasisColorModel::LineColor), QVector3D(0, 0, darkBlue)));
        QCOMPARE(property.emphasisColor(1, 2), QVector3D());
        property.emphasisColorModel()->property()->setBoolValue(false);
        QCOMPARE(emphasis.count(), 2);
        QCOMPARE(emphasis.at(0).first().value<uchar>(), uchar(1));
        QCOMPARE(emphasis.at(1).first().value<uchar>(), uchar(0));
        FloatProperty *positionX = property.positionProperty()->xProperty();
        FloatProperty *positionZ = property.positionProperty()->zProperty();
        FloatProperty *rotationY = property.rotationProperty()->yProperty();
        QSignalSpy spy(positionZ, &PropertyItem::readOnlyChanged);
        property.setPositionReadOnly(true);
        property.setPositionReadOnly(true);
        QCOMPARE(spy.count(), 1);
        QVERIFY(positionX->readOnly() && positionZ->readOnly());
        QVERIFY(!rotationY->readOnly());
        property.setRotationReadOnly(true);
        property.setPositionReadOnly(false);
        QCOMPARE(spy.count(), 2);
        QVERIFY(!positionX->readOnly() && rotationY->readOnly());
    }
};

QTEST_MAIN(tst_PointCloudProperty)
#include "tst_pointcloudproperty.moc"
