// The colour schemes and models that colour the points, and the filters that drop echoes outside their
// windows.
#include "AxisDataSelector.h"
#include "BoolProperty.h"
#include "ColorModel.h"
#include "ColorScheme.h"
#include "ColorSchemeFactory.h"
#include "ComboBoxProperty.h"
#include "DataFilter.h"
#include "DataFilterFactory.h"
#include "DataSelectorFactory.h"
#include "FloatProperty.h"
#include "GradientColorScheme.h"
#include "IntegerProperty.h"
#include "InvertibleColorScheme.h"
#include "LineBuilder.h"
#include "PointFilters.h"
#include "PropertyItemModel.h"
#include "PropertyItemTree.h"
#include "TestSupport.h"
#include "ViewProbes.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QVector4D>
#include <QtTest>

#include <memory>

using Ranges = std::vector<double>;
Q_DECLARE_METATYPE(Ranges)

using TestSupport::near;

namespace {
QVector3D hueColor(int hue)
{
    const QColor c = QColor::fromHsv(hue, 255, 255);
    return QVector3D(float(c.redF()), float(c.greenF()), float(c.blueF()));
}

VEXA3D_SPOT_T spotAt(double x, double y, double z)
{
    VEXA3D_MEASUREMENT_DATA_T line = makeLine({{EchoSpec{1.0, 100, x, y, z}}});
    return line.spots[0];
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

class tst_DataSelector : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    // The window's ends map to the scheme's end colours, swapped when inverted; values outside the window
    // take the colour of the nearer end.
    void schemeColours_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<float>("value");
        QTest::addColumn<QVector3D>("expected");
        const int hue = ColorSchemeFactory::Hue, gray = ColorSchemeFactory::Gray;
        const int gradient = ColorSchemeFactory::Gradient;
        // Window -5..10.
        QTest::newRow("hue min") << hue << false << -5.0f << hueColor(0);
        QTest::newRow("hue min, inverted") << hue << true << -5.0f << hueColor(255);
        QTest::newRow("hue max") << hue << false << 10.0f << hueColor(255);
        QTest::newRow("hue middle") << hue << false << 2.5f << hueColor(128);
        QTest::newRow("hue below") << hue << false << -50.0f << hueColor(0);
        QTest::newRow("hue above") << hue << false << 1e6f << hueColor(255);
        QTest::newRow("gray below") << gray << false << -6.0f << QVector3D(0, 0, 0);
        QTest::newRow("gray above") << gray << false << 11.0f << QVector3D(1, 1, 1);
        QTest::newRow("gradient below") << gradient << false << -1e6f << QVector3D(1, 1, 0);
        QTest::newRow("gradient above") << gradient << false << 20.0f << QVector3D(1, 0, 0);
    }
    void schemeColours()
    {
        QFETCH(int, type);
        QFETCH(bool, inverted);
        QFETCH(float, value);
        QFETCH(QVector3D, expected);
        std::unique_ptr<ColorScheme> scheme(ColorSchemeFactory::create(type));
        QVERIFY(scheme);
        scheme->setInvertedRange(inverted);
        QVERIFY(near(scheme->color(value), expected));
    }

    // Setting Max below Min pulls Min down; setting Min above Max pushes Max up.
    void schemeWindowStaysOrdered()
    {
        GrayColorScheme scheme;
        scheme.maxProperty()->setFloatValue(-8.0f);
        QCOMPARE(scheme.maxValue(), -8.0f);
        QCOMPARE(scheme.minValue(), -8.0f);
        QCOMPARE(scheme.minProperty()->floatValue(), -8.0f);
        // The empty window still gives a defined colour but draws no legend.
        const QVector3D c = scheme.color(-8.0f);
        QVERIFY(std::isfinite(c.x()) && std::isfinite(c.y()) && std::isfinite(c.z()));
        QImage image(256, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QImage blank = image;
        QPainter painter(&image);
        scheme.drawLegend(&painter, image.rect(), 1);
        painter.end();
        QCOMPARE(image, blank);
        scheme.minProperty()->setFloatValue(4.0f);
        QCOMPARE(scheme.maxValue(), 4.0f);
        QCOMPARE(scheme.maxProperty()->floatValue(), 4.0f);
    }

    // Switching the scheme keeps the value window and colours with the new scheme; switching the source
    // resets the window to the new selector's defaults and limits, and back at the axis its own return.
    void switches_data()
    {
        QTest::addColumn<bool>("source"); // else the scheme
        QTest::addColumn<int>("type");
        QTest::addColumn<QVector4D>("window"); // lower limit, min, max, upper limit after the switch
        QTest::newRow("hue to gradient")
            << false << int(ColorSchemeFactory::Gradient) << QVector4D(-100, -2, 7.5f, 100);
        QTest::newRow("hue to gray") << false << int(ColorSchemeFactory::Gray)
                                     << QVector4D(-100, -2, 7.5f, 100);
        QTest::newRow("range") << true << int(DataSelectorFactory::Range) << QVector4D(0, 0, 10, 100);
        QTest::newRow("intensity") << true << int(DataSelectorFactory::Intensity)
                                   << QVector4D(0, 0, 6000, 60000);
        QTest::newRow("echo") << true << int(DataSelectorFactory::Echo) << QVector4D(0, 0, 3, 3);
        QTest::newRow("line") << true << int(DataSelectorFactory::Line) << QVector4D(0, 0, 35, 100);
    }
    void switches()
    {
        QFETCH(bool, source);
        QFETCH(int, type);
        QFETCH(QVector4D, window);
        ColorModel model;
        model.scheme()->setMinValue(-2.0f);
        model.scheme()->setMaxValue(7.5f);
        model.scheme()->setInvertedRange(false);
        QSignalSpy schemes(&model, &ColorModel::schemeChanged);
        QSignalSpy selectors(&model, &ColorModel::selectorChanged);
        (source ? model.sourceProperty() : model.schemeProperty())->setOptionValue(type);
        QCOMPARE(schemes.count(), source ? 0 : 1);
        QCOMPARE(selectors.count(), source ? 1 : 0);
        ColorScheme *scheme = model.scheme();
        QCOMPARE(QVector4D(scheme->minProperty()->minValue(), scheme->minValue(), scheme->maxValue(),
                           scheme->maxProperty()->maxValue()),
                 window);
        QCOMPARE(scheme->maxProperty()->floatValue(), window.z());
        // The gradient has no direction of its own.
        if (type != ColorSchemeFactory::Gradient || source)
            QCOMPARE(scheme->invertedRange(), false);
        // The scheme's group sits in the tree; the axis selector's own setting leaves it with the axis.
        QCOMPARE(model.property()->children().at(2), scheme->property());
        QCOMPARE(model.property()->children().size(), source ? 3 : 4);
        // The model colours with the new scheme and selector: height 7.5, or echo 3, is the window's end.
        if (!source || type == DataSelectorFactory::Echo)
            QVERIFY(near(model.color(spotAt(1, 2, 7.5), source ? 3 : 0, 0, 0, 0), scheme->color(window.z())));
        if (!source)
            return;
        model.setDataSelectorType(DataSelectorFactory::Axis);
        QCOMPARE(model.scheme()->minValue(), -5.0f);
        QCOMPARE(model.scheme()->maxValue(), 10.0f);
        QCOMPARE(model.property()->children().size(), 4);
        QCOMPARE(model.sourceProperty()->optionValue(), int(DataSelectorFactory::Axis));
    }

    // The axis selector sees the echo after the cloud's pose: raising the cloud changes the Z colours.
    void axisFollowsPose()
    {
        ColorModel model;
        model.scheme()->setInvertedRange(false);
        const VEXA3D_SPOT_T spot = spotAt(1, 2, -5);
        QVERIFY(near(model.color(spot, 0, 0, 0, 0), hueColor(0)));

        QSignalSpy changedSpy(&model, &ColorModel::changed);
        QMatrix4x4 raise;
        raise.translate(0, 0, 15);
        emit model.setTranslationMatrix(raise);
        QCOMPARE(changedSpy.count(), 1);
        QVERIFY(near(model.color(spot, 0, 0, 0, 0), hueColor(255)));

        // A rotation of 90 degrees about X turns y = 2 into z = 2 before the raise.
        QMatrix4x4 turn;
        turn.rotate(90, 1, 0, 0);
        emit model.setRotationMatrix(turn);
        auto *axis = qobject_cast<AxisDataSelector *>(model.selector());
        QVERIFY(axis);
        QVERIFY(qAbs(axis->value(spot, 0, 0, 0, 0) - 17.0f) < 1e-4f);

        // A selector chosen later starts from the pose already set.
        model.setDataSelectorType(DataSelectorFactory::Range);
        model.setDataSelectorType(DataSelectorFactory::Axis);
        axis = qobject_cast<AxisDataSelector *>(model.selector());
        QVERIFY(qAbs(axis->value(spot, 0, 0, 0, 0) - 17.0f) < 1e-4f);

        // The X axis choice in the tree switches the coordinate.
        static_cast<ComboBoxProperty *>(axis->property())->setOptionValue(AxisDataSelector::X_Axis);
        QCOMPARE(axis->axis(), AxisDataSelector::X_Axis);
        QVERIFY(qAbs(axis->value(spot, 0, 0, 0, 0) - 1.0f) < 1e-4f);
    }

    // A projective pose divides by w; an axis outside 0..2 gives 0.
    void axisSelectorEdges()
    {
        AxisDataSelector selector;
        QMatrix4x4 projective;
        projective(3, 3) = 2.0f; // w = 2 halves every coordinate
        selector.setRotationMatrix(projective);
        const VEXA3D_SPOT_T spot = spotAt(2, 4, 6);
        QCOMPARE(selector.value(spot, 0, 0, 0, 0), 3.0f);
        selector.setAxis(AxisDataSelector::AxisType(3)); // the only value past Z the type can hold
        QCOMPARE(selector.value(spot, 0, 0, 0, 0), 0.0f);
        QCOMPARE(selector.valueText(2.5f), QStringLiteral("2.5m"));
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
    void filterWindowStaysOrdered_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("moveMax");
        QTest::addColumn<double>("value");
        QTest::newRow("range max below min") << 0 << true << 3.0;
        QTest::newRow("range min above max") << 0 << false << 50.0;
        QTest::newRow("level max below min") << 1 << true << 100.0;
        QTest::newRow("echo min above max") << 2 << false << 2.0;
    }
    void filterWindowStaysOrdered()
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

QTEST_MAIN(tst_DataSelector)
#include "tst_dataselector.moc"
