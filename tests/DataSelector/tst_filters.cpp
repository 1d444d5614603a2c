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

class TestFilters : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    // Every filter has its name, key, unit, limits, initial window and initial state.
    void factoryFilters_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("minName");
        QTest::addColumn<double>("lo");
        QTest::addColumn<double>("hi");
        QTest::newRow("range") << 0 << "Range Filter"
                               << "range_filter"
                               << "Min [m]" << 0.0 << 100.0;
        QTest::newRow("level") << 1 << "Level Filter"
                               << "level_filter"
                               << "Min" << 0.0 << 60000.0;
        QTest::newRow("echo") << 2 << "Echo Filter"
                              << "echo_filter"
                              << "Min" << 0.0 << 3.0;
        QTest::newRow("axes") << 3 << "Axes Filter"
                              << "axes_filter" << QString() << 0.0 << 0.0;
        QTest::newRow("hangle") << 4 << "HAngle Filter"
                                << "hangle_filter"
                                << "Min [deg]" << -180.0 << 180.0;
        QTest::newRow("vangle") << 5 << "VAngle Filter"
                                << "vangle_filter"
                                << "Min [deg]" << -180.0 << 180.0;
    }
    void factoryFilters()
    {
        QFETCH(int, type);
        QFETCH(QString, name);
        QFETCH(QString, key);
        QFETCH(QString, minName);
        QFETCH(double, lo);
        QFETCH(double, hi);
        std::unique_ptr<DataFilter> filter(DataFilterFactory::create(type));
        QVERIFY(filter);
        QCOMPARE(filter->name(), name);
        QCOMPARE(filter->key(), key);
        QCOMPARE(filter->property()->name(), name);
        QCOMPARE(filter->property()->key(), key);
        QCOMPARE(filter->isEnabled(), false);
        QCOMPARE(filter->group()->boolValue(), false);
        if (auto *f = qobject_cast<FloatMinMaxFilter *>(filter.get())) {
            QCOMPARE(f->minProperty()->name(), minName);
            QCOMPARE(f->minProperty()->key(), QStringLiteral("min"));
            QCOMPARE(f->maxProperty()->key(), QStringLiteral("max"));
            QCOMPARE(double(f->minProperty()->minValue()), lo);
            QCOMPARE(double(f->maxProperty()->maxValue()), hi);
            QCOMPARE(double(f->minProperty()->floatValue()), lo);
            QCOMPARE(double(f->maxProperty()->floatValue()), hi);
            QCOMPARE(f->maxProperty()->defaultValue().toDouble(), hi);
        } else if (auto *i = qobject_cast<IntegerMinMaxFilter *>(filter.get())) {
            QCOMPARE(i->minProperty()->name(), minName);
            QCOMPARE(double(i->minProperty()->intValue()), lo);
            QCOMPARE(double(i->maxProperty()->intValue()), hi);
            QCOMPARE(double(i->maxProperty()->maxValue()), hi);
        } else {
            auto *axes = qobject_cast<AxesFilter *>(filter.get());
            QVERIFY(axes);
            const QVector<PropertyItem *> children = axes->property()->children();
            QCOMPARE(children.size(), 3);
            const QStringList keys{"x_axis_filter", "y_axis_filter", "z_axis_filter"};
            const QStringList names{"X Axis Filter", "Y Axis Filter", "Z Axis Filter"};
            for (int k = 0; k < 3; ++k) {
                auto *sub = static_cast<BoolProperty *>(children.at(k));
                QCOMPARE(sub->key(), keys.at(k));
                QCOMPARE(sub->name(), names.at(k));
                QCOMPARE(sub->boolValue(), true);
            }
            QCOMPARE(axes->heightFilter()->minProperty()->name(), QStringLiteral("Min [m]"));
            QCOMPARE(axes->heightFilter()->minProperty()->floatValue(), -100.0f);
            QCOMPARE(axes->heightFilter()->maxProperty()->floatValue(), 100.0f);
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

    // The axes group at -100..100 keeps everything near the origin; unchecking Z leaves X and Y in force.
    void axesGroup()
    {
        AxesFilter axes;
        axes.setEnabled(true);
        const std::vector<QVector3D> points{{1, 2, 3}, {-50, 60, -70}, {99, -99, 99}};
        VEXA3D_MEASUREMENT_DATA_T line = pointsLine(points);
        axes.apply(line);
        QVERIFY(keptRanges(line) == (Ranges{1, 1, 1}));

        axes.heightFilter()->maxProperty()->setFloatValue(0.0f);
        axes.widthFilter()->maxProperty()->setFloatValue(0.0f);
        line = pointsLine(points);
        axes.apply(line);
        QVERIFY2(keptRanges(line) == (Ranges{0, 0, 0}), qPrintable(show(keptRanges(line))));

        // Z off: only Y (max 0) still bites; X is wide open.
        axes.heightFilter()->setEnabled(false);
        QVERIFY(axes.isEnabled());
        line = pointsLine(points);
        axes.apply(line);
        QVERIFY2(keptRanges(line) == (Ranges{0, 0, 1}), qPrintable(show(keptRanges(line))));

        // The group off: nothing runs.
        axes.setEnabled(false);
        line = pointsLine(points);
        axes.apply(line);
        QVERIFY(keptRanges(line) == (Ranges{1, 1, 1}));
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

    // After a language change, retranslate renews the names of the filter groups and their settings.
    void retranslates()
    {
        AxesFilter axes;
        HAngleFilter hangle;
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/translations/ja")));
        QCoreApplication::installTranslator(&translator);
        axes.retranslate();
        hangle.retranslate();
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(axes.property()->name(), QStringLiteral("軸フィルター"));
        QCOMPARE(axes.heightFilter()->property()->name(), QStringLiteral("Z軸フィルター"));
        QCOMPARE(hangle.minProperty()->name(), QStringLiteral("最小 [度]"));
        QCOMPARE(hangle.property()->key(), QStringLiteral("hangle_filter"));
        hangle.retranslate();
        QCOMPARE(hangle.minProperty()->name(), QStringLiteral("Min [deg]"));
    }

    // A filter tells about every edit, so views and the composer can follow.
    void editsAreSignalled()
    {
        RangeFilter filter;
        QSignalSpy spy(&filter, &DataFilter::changed);
        filter.maxProperty()->setFloatValue(50.0f);
        QVERIFY(spy.count() >= 1);
        const int before = spy.count();
        filter.setEnabled(true);
        QVERIFY(spy.count() > before);
        QCOMPARE(filter.window()->max, 50.0f);
        QVERIFY(filter.window()->enabled);
    }
};

QTEST_MAIN(TestFilters)
#include "tst_filters.moc"
