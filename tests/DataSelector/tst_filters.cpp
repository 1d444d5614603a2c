#include "AxesFilter.h"
#include "BoolProperty.h"
#include "DataFilterFactory.h"
#include "FloatProperty.h"
#include "IntegerProperty.h"
#include "LineBuilder.h"
#include "PointFilters.h"
#include "TestSupport.h"

#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

#include <memory>

using Ranges = std::vector<double>;
Q_DECLARE_METATYPE(Ranges)

namespace {
// Echoes at the given positions, one spot each, with range = distance-ish values that stay positive.
VEXA3D_MEASUREMENT_DATA_T pointsLine(const std::vector<QVector3D> &points)
{
    std::vector<std::vector<EchoSpec>> spots;
    for (const QVector3D &p : points)
        spots.push_back({EchoSpec{1.0, 100, p.x(), p.y(), p.z()}});
    return makeLine(spots, 1);
}

Ranges keptRanges(const VEXA3D_MEASUREMENT_DATA_T &line)
{
    return ranges(line);
}

QString show(const Ranges &r)
{
    QStringList parts;
    for (double v : r)
        parts << QString::number(v);
    return parts.join(", ");
}
} // namespace

class tst_Filters : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    // Every filter starts off, with the widest window its limits allow (names and keys are in the golden
    // properties file).
    void factoryLimits_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<double>("lo");
        QTest::addColumn<double>("hi");
        QTest::newRow("range") << 0 << 0.0 << 100.0;
        QTest::newRow("level") << 1 << 0.0 << 60000.0;
        QTest::newRow("echo") << 2 << 0.0 << 3.0;
        QTest::newRow("axes height") << 3 << -100.0 << 100.0;
        QTest::newRow("hangle") << 4 << -180.0 << 180.0;
        QTest::newRow("vangle") << 5 << -180.0 << 180.0;
        QTest::newRow("unknown") << 6 << 0.0 << 0.0;
    }
    void factoryLimits()
    {
        QFETCH(int, type);
        QFETCH(double, lo);
        QFETCH(double, hi);
        std::unique_ptr<DataFilter> filter(DataFilterFactory::create(type));
        if (type > 5) {
            QVERIFY(!filter);
            return;
        }
        QVERIFY(!filter->isEnabled());
        FloatMinMaxFilter *f = qobject_cast<FloatMinMaxFilter *>(filter.get());
        if (auto *axes = qobject_cast<AxesFilter *>(filter.get()))
            f = axes->heightFilter();
        if (f) {
            QCOMPARE(QPointF(f->minProperty()->minValue(), f->maxProperty()->maxValue()), QPointF(lo, hi));
            QCOMPARE(QPointF(f->minProperty()->floatValue(), f->maxProperty()->floatValue()),
                     QPointF(lo, hi));
        } else {
            auto *i = qobject_cast<IntegerMinMaxFilter *>(filter.get());
            QCOMPARE(QPointF(i->minProperty()->minValue(), i->maxProperty()->maxValue()), QPointF(lo, hi));
            QCOMPARE(QPointF(i->minProperty()->intValue(), i->maxProperty()->intValue()), QPointF(lo, hi));
        }
    }

    // Filters remove exactly the echoes outside their window, by setting the range to 0.
    void windows_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<Ranges>("expected");
        // The line: one spot of four echoes, ranges 5, 100, 100.5, 150, levels 50, 100, 200, 60001,
        // vertical angles -90, 0, 45, 90 degrees, horizontal angles 0, 10, 20, -170 degrees.
        QTest::newRow("range 0..100 keeps up to 100 m") << 0 << 0.0 << 100.0 << Ranges{5, 100, 0, 0};
        QTest::newRow("range 10..100") << 0 << 10.0 << 100.0 << Ranges{0, 100, 0, 0};
        QTest::newRow("level min 100") << 1 << 100.0 << 60000.0 << Ranges{0, 100, 100.5, 0};
        QTest::newRow("echo 1..1 keeps the second echo") << 2 << 1.0 << 1.0 << Ranges{0, 100, 0, 0};
        QTest::newRow("echo 0..3 keeps all") << 2 << 0.0 << 3.0 << Ranges{5, 100, 100.5, 150};
        QTest::newRow("echo 2..3") << 2 << 2.0 << 3.0 << Ranges{0, 0, 100.5, 150};
        QTest::newRow("hangle 5..25") << 4 << 5.0 << 25.0 << Ranges{0, 100, 100.5, 0};
        QTest::newRow("vangle 0..90") << 5 << 0.0 << 90.0 << Ranges{0, 100, 100.5, 150};
    }
    void windows()
    {
        QFETCH(int, type);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(Ranges, expected);
        const double d = M_PI / 180.0;
        VEXA3D_MEASUREMENT_DATA_T line = makeLine({{
            EchoSpec{5.0, 50, 0, 0, 0, -90 * d, 0 * d},
            EchoSpec{100.0, 100, 0, 0, 0, 0 * d, 10 * d},
            EchoSpec{100.5, 200, 0, 0, 0, 45 * d, 20 * d},
            EchoSpec{150.0, 60001, 0, 0, 0, 90 * d, -170 * d},
        }});
        std::unique_ptr<DataFilter> filter(DataFilterFactory::create(type));
        filter->setEnabled(true);
        if (auto *f = qobject_cast<FloatMinMaxFilter *>(filter.get())) {
            f->maxProperty()->setFloatValue(float(max));
            f->minProperty()->setFloatValue(float(min));
        } else if (auto *i = qobject_cast<IntegerMinMaxFilter *>(filter.get())) {
            i->maxProperty()->setIntValue(int(max));
            i->minProperty()->setIntValue(int(min));
        }
        filter->apply(line);
        QVERIFY2(keptRanges(line) == expected, qPrintable(show(keptRanges(line))));
    }

    // Only received spots and valid echoes are looked at; the rest stay as they were.
    void onlyReceivedEchoes()
    {
        VEXA3D_MEASUREMENT_DATA_T line = makeLine({{EchoSpec{500}, EchoSpec{500}}, {EchoSpec{500}}});
        line.spots[0].count = 1;
        line.receivedSpotCount = 1;
        RangeFilter filter;
        filter.setEnabled(true);
        filter.apply(line);
        QVERIFY2(keptRanges(line) == (Ranges{0, 500, 0, 0, 500, 0, 0, 0}),
                 qPrintable(show(keptRanges(line))));
    }

    // An unchecked filter never runs, whatever its window.
    void uncheckedNeverRuns_data()
    {
        QTest::addColumn<int>("type");
        for (int t = 0; t < DataFilterFactory::count; ++t)
            QTest::newRow(qPrintable(DataFilterFactory::create(t, this)->key())) << t;
    }
    void uncheckedNeverRuns()
    {
        QFETCH(int, type);
        VEXA3D_MEASUREMENT_DATA_T line = makeLine({{EchoSpec{1e6, 4000000000u, 1e5, 1e5, 1e5, 9, 9}}});
        std::unique_ptr<DataFilter> filter(DataFilterFactory::create(type));
        if (auto *f = qobject_cast<FloatMinMaxFilter *>(filter.get()))
            f->maxProperty()->setFloatValue(f->minProperty()->floatValue());
        if (auto *i = qobject_cast<IntegerMinMaxFilter *>(filter.get()))
            i->minProperty()->setIntValue(1);
        QVERIFY(!filter->isEnabled());
        filter->apply(line);
        QCOMPARE(line.spots[0].echoes[0].range, 1e6);
        QVERIFY(DataFilterFactory::enabledFilters({filter.get()}).isEmpty());
        // Checked, the same line loses its echo.
        filter->setEnabled(true);
        filter->apply(line);
        QCOMPARE(line.spots[0].echoes[0].range, 0.0);
    }

    // Setting Max below Min pulls Min down; setting Min above Max pushes Max up.
    void windowStaysOrdered_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("moveMax");
        QTest::addColumn<double>("value");
        QTest::newRow("range max below min") << 0 << true << 3.0;
        QTest::newRow("range min above max") << 0 << false << 50.0;
        QTest::newRow("level max below min") << 1 << true << 100.0;
        QTest::newRow("echo min above max") << 2 << false << 2.0;
    }
    void windowStaysOrdered()
    {
        QFETCH(int, type);
        QFETCH(bool, moveMax);
        QFETCH(double, value);
        std::unique_ptr<DataFilter> filter(DataFilterFactory::create(type));
        if (auto *f = qobject_cast<FloatMinMaxFilter *>(filter.get())) {
            // Start from a window that the move crosses.
            f->minProperty()->setFloatValue(10.0f);
            f->maxProperty()->setFloatValue(20.0f);
            if (!moveMax)
                f->maxProperty()->setFloatValue(10.0f);
            (moveMax ? f->maxProperty() : f->minProperty())->setFloatValue(float(value));
            QCOMPARE(double(f->minProperty()->floatValue()), value);
            QCOMPARE(double(f->maxProperty()->floatValue()), value);
            QCOMPARE(double(f->window()->min), value);
            QCOMPARE(double(f->window()->max), value);
        } else {
            auto *i = qobject_cast<IntegerMinMaxFilter *>(filter.get());
            if (moveMax)
                i->minProperty()->setIntValue(int(value) + 50);
            else
                i->maxProperty()->setIntValue(int(value) - 1);
            (moveMax ? i->maxProperty() : i->minProperty())->setIntValue(int(value));
            const int expected = int(value);
            QCOMPARE(i->minProperty()->intValue(), expected);
            QCOMPARE(i->maxProperty()->intValue(), expected);
            QCOMPARE(i->window()->max, expected);
        }
    }

    // The pose moves the axis windows with the world: an echo at sensor z = 0 passes a Z window 1..2 only
    // while the cloud is raised by 1 to 2 m.
    void raisedCloud_data()
    {
        QTest::addColumn<float>("raise");
        QTest::addColumn<double>("range");
        QTest::newRow("not raised") << 0.0f << 0.0;
        QTest::newRow("raised 1.5 m") << 1.5f << 1.0;
        QTest::newRow("raised 1 m") << 1.0f << 1.0;
        QTest::newRow("raised 2.5 m") << 2.5f << 0.0;
    }
    void raisedCloud()
    {
        QFETCH(float, raise);
        QFETCH(double, range);
        std::unique_ptr<DataFilter> filter(DataFilterFactory::create(DataFilterFactory::Axes));
        auto *axes = qobject_cast<AxesFilter *>(filter.get());
        axes->setEnabled(true);
        axes->heightFilter()->maxProperty()->setFloatValue(2.0f);
        axes->heightFilter()->minProperty()->setFloatValue(1.0f);
        QMatrix4x4 pose;
        pose.translate(0, 0, raise);
        axes->setTranslationMatrix(pose);
        VEXA3D_MEASUREMENT_DATA_T line = pointsLine({{3, 4, 0}});
        axes->apply(line);
        QCOMPARE(line.spots[0].echoes[0].range, range);
    }

    // Rotation comes before translation: R turns the point, then T moves it.
    void poseOrder()
    {
        AxesFilter axes;
        QMatrix4x4 turn;
        turn.rotate(90, 0, 1, 0); // x -> -z
        QMatrix4x4 move;
        move.translate(5, 0, 0);
        axes.setRotationMatrix(turn);
        axes.setTranslationMatrix(move);
        const VEXA3D_MEASUREMENT_DATA_T line = pointsLine({{2, 0, 0}});
        QVERIFY(qAbs(axes.depthFilter()->value(line.spots[0], 0) - 5.0f) < 1e-5f);
        QVERIFY(qAbs(axes.heightFilter()->value(line.spots[0], 0) + 2.0f) < 1e-5f);
    }

    // The enabled filters come out in factory order: Range, Level, Echo, Axes, HAngle, VAngle.
    void runOrder()
    {
        QObject owner;
        const QList<DataFilter *> filters = DataFilterFactory::createAll(&owner);
        QCOMPARE(filters.size(), 6);
        QStringList keys;
        for (DataFilter *f : filters)
            keys << f->key();
        QCOMPARE(keys, QStringList({"range_filter", "level_filter", "echo_filter", "axes_filter",
                                    "hangle_filter", "vangle_filter"}));
        for (int i : {5, 0, 3, 2})
            filters.at(i)->setEnabled(true);
        const QList<AbstractDataFilter *> enabled = DataFilterFactory::enabledFilters(filters);
        QCOMPARE(enabled,
                 (QList<AbstractDataFilter *>{filters.at(0), filters.at(2), filters.at(3), filters.at(5)}));
        QVERIFY(!DataFilterFactory::create(6));
    }

    // A filter tells about every edit, so views and the composer can follow.
    void editsAreSignalled()
    {
        RangeFilter filter;
        QSignalSpy spy(&filter, &DataFilter::changed);
        filter.maxProperty()->setFloatValue(50.0f);
        QCOMPARE(spy.count(), 1);
        filter.setEnabled(true);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(filter.window()->max, 50.0f);
        QVERIFY(filter.window()->enabled);
    }
};

QTEST_MAIN(tst_Filters)
#include "tst_filters.moc"
