#include "AxesFilter.h"
#include "BoolProperty.h"
#include "DataFilterFactory.h"
#include "FloatProperty.h"
#include "IntegerProperty.h"
#include "LineBuilder.h"
#include "PointFilters.h"
#include "TestSupport.h"

#include <QSignalSpy>
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

// Sets one end of a filter's window through its property, whichever number type it has.
void setBound(DataFilter *filter, bool max, double value)
{
    if (auto *f = qobject_cast<FloatMinMaxFilter *>(filter))
        (max ? f->maxProperty() : f->minProperty())->setFloatValue(float(value));
    else if (auto *i = qobject_cast<IntegerMinMaxFilter *>(filter))
        (max ? i->maxProperty() : i->minProperty())->setIntValue(int(value));
}

// The window apply() works with, and the one the properties show.
QVector<double> bounds(DataFilter *filter)
{
    if (auto *f = qobject_cast<FloatMinMaxFilter *>(filter))
        return {f->window()->min, f->window()->max, f->minProperty()->floatValue(),
                f->maxProperty()->floatValue()};
    auto *i = qobject_cast<IntegerMinMaxFilter *>(filter);
    return {double(i->window()->min), double(i->window()->max), double(i->minProperty()->intValue()),
            double(i->maxProperty()->intValue())};
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

    // Filters remove exactly the echoes outside their window, by setting the range to 0.
    void windows_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<Ranges>("expected");
        // The line: one spot of four echoes, ranges 5, 100, 100.5, 150, levels 50, 100, 200, 60001,
        // vertical angles -90, 0, 45, 90 degrees, horizontal angles 0, 10, 20, -170 degrees.
        QTest::newRow("range 10..100") << 0 << 10.0 << 100.0 << Ranges{0, 100, 0, 0};
        QTest::newRow("level min 100") << 1 << 100.0 << 60000.0 << Ranges{0, 100, 100.5, 0};
        QTest::newRow("echo 1..1 keeps the second echo") << 2 << 1.0 << 1.0 << Ranges{0, 100, 0, 0};
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
        setBound(filter.get(), true, max);
        setBound(filter.get(), false, min);
        filter->apply(line);
        QVERIFY2(ranges(line) == expected, qPrintable(show(ranges(line))));
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
        QVERIFY2(ranges(line) == (Ranges{0, 500, 0, 0, 500, 0, 0, 0}), qPrintable(show(ranges(line))));
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
        setBound(filter.get(), false, 1); // integer windows: from echo 1 and level 1
        QVERIFY(!filter->isEnabled());
        filter->apply(line);
        QCOMPARE(line.spots[0].echoes[0].range, 1e6);
        QVERIFY(DataFilterFactory::enabledFilters({filter.get()}).isEmpty());
        // Checked, the same line loses its echo.
        filter->setEnabled(true);
        filter->apply(line);
        QCOMPARE(line.spots[0].echoes[0].range, 0.0);
        // A type past the last one, as a damaged settings file may hold, makes no filter.
        QVERIFY(!DataFilterFactory::create(DataFilterFactory::count));
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
        // Start from a window of one value that the move crosses.
        const double start = moveMax ? value + 1 : value - 1;
        setBound(filter.get(), !moveMax, start);
        setBound(filter.get(), moveMax, start);
        QCOMPARE(bounds(filter.get()), QVector<double>(4, start));
        setBound(filter.get(), moveMax, value);
        QCOMPARE(bounds(filter.get()), QVector<double>(4, value));
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
