#include "ColorLegendLayer.h"
#include "ColorModel.h"
#include "ColorScheme.h"
#include "ComboBoxModel.h"
#include "ComboBoxProperty.h"
#include "DRALMeasurementData.h"
#include "TestSupport.h"
#include "ViewProbes.h"
#include "Viewport.h"

#include "../DataSelector/LineBuilder.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

class tst_Legend : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }
    void layout_data()
    {
        QTest::addColumn<QList<int>>("edges");
        QTest::addColumn<bool>("inset");
        QTest::addColumn<bool>("wideLabels");
        const int top = Qt::TopEdge, left = Qt::LeftEdge, bottom = Qt::BottomEdge, right = Qt::RightEdge;
        QTest::newRow("two at the top") << QList<int>{top, top} << false << false;
        QTest::newRow("live, log and its second cloud beside the inset")
            << QList<int>{top, bottom, right} << true << false;
        QTest::newRow("two at the bottom, two at the right, inset")
            << QList<int>{bottom, bottom, right, right} << true << false;
        QTest::newRow("every edge, wide labels") << QList<int>{top, left, bottom, right} << true << true;
    }
    void layout()
    {
        // Legends of several clouds overlap neither each other nor the top view inset, stay on the canvas,
        // and every label fits its box inside its legend.
        QFETCH(QList<int>, edges);
        QFETCH(bool, inset);
        QFETCH(bool, wideLabels);
        const QRect canvas(0, 0, 900, 700);
        const QRectF insetRect(0.75, 0.75, 0.25, 0.25);
        const QFontMetrics metrics{QFont()};
        LayerItem group;
        group.setKeepClear(inset ? QList<QRectF>{insetRect} : QList<QRectF>{});
        for (int edge : edges) {
            auto *model = new ColorModel(&group);
            model->setDataSelectorType(wideLabels ? DataSelectorFactory::Intensity
                                                  : DataSelectorFactory::Axis);
            model->scheme()->setMaxValue(wideLabels ? 60000 : 10);
            auto *legend = new ColorLegendLayer(&group);
            legend->setColorModel(model);
            legend->setPosition(Qt::Edge(edge));
            group.addLayer(legend);
        }
        const QVector<QRect> areas = group.childAreas(canvas, metrics);
        QList<QRect> taken{inset ? Viewport::pixelRectFor(insetRect, canvas.size()) : QRect()};
        for (int i = 0; i < areas.size(); ++i) {
            const auto &legend = *static_cast<ColorLegendLayer *>(group.layers().at(i));
            const auto g = ColorLegendLayer::geometry(areas.at(i), legend.position(), metrics,
                                                      legend.minText(), legend.maxText());
            QVERIFY(canvas.contains(g.legend));
            for (const QRect &other : qAsConst(taken))
                QVERIFY2(!g.legend.intersects(other), qPrintable(QString::number(i)));
            taken.append(g.legend);
            QVERIFY(g.legend.contains(g.minLabel) && g.legend.contains(g.maxLabel) && !g.bar.isEmpty());
            QVERIFY(g.minLabel.width() >= metrics.horizontalAdvance(legend.minText()));
            QVERIFY(g.maxLabel.width() >= metrics.horizontalAdvance(legend.maxText()));
        }
    }
    void repaints()
    {
        // Choosing "Right" in the legend property moves the legend; it and a change of the colour model ask
        // for a repaint; a deleted model is forgotten and nothing is painted without one.
        ColorLegendLayer layer;
        QSignalSpy moved(&layer, &ColorLegendLayer::positionChanged);
        QSignalSpy changed(&layer, &LayerItem::changed);
        layer.property()->setString(QStringLiteral("Right"));
        layer.property()->setOptionValue(Qt::RightEdge);
        QCOMPARE(layer.position(), Qt::RightEdge);
        QCOMPARE(moved.count(), 1);
        auto *model = new ColorModel;
        layer.setColorModel(model);
        layer.setColorModel(model);
        model->setColorSchemeType(ColorSchemeFactory::ColorSchemeType(1));
        QCOMPARE(changed.count(), 3);
        delete model;
        QVERIFY(!layer.colorModel());
        QImage image(400, 200, QImage::Format_ARGB32);
        image.fill(Qt::darkGray);
        const QImage before = image;
        QPainter painter(&image);
        layer.paint(&painter, image.rect());
        painter.end();
        QCOMPARE(image, before);
    }
    void paintsBar_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<int>("source");
        QTest::addColumn<QList<int>>("lineLevels");
        QTest::addColumn<bool>("missing");
        QTest::addColumn<QRect>("legend"); // and its bar, for labels that fit; empty: not compared
        QTest::addColumn<QRect>("bar");
        QTest::addColumn<bool>("outdated");
        const int axis = DataSelectorFactory::Axis, intensity = DataSelectorFactory::Intensity;
        const QRect any;
        // Labels that fit make a legend 30 pixels thick, three fifths long and centred along its edge.
        QTest::newRow("top") << int(Qt::TopEdge) << axis << QList<int>{} << false
                             << QRect(QPoint(200, 5), QPoint(799, 34))
                             << QRect(QPoint(254, 7), QPoint(752, 30)) << false;
        QTest::newRow("bottom") << int(Qt::BottomEdge) << axis << QList<int>{} << false
                                << QRect(QPoint(200, 464), QPoint(799, 493))
                                << QRect(QPoint(254, 466), QPoint(752, 489)) << false;
        QTest::newRow("left") << int(Qt::LeftEdge) << axis << QList<int>{} << false
                              << QRect(QPoint(5, 100), QPoint(34, 399))
                              << QRect(QPoint(7, 128), QPoint(32, 372)) << false;
        QTest::newRow("right") << int(Qt::RightEdge) << axis << QList<int>{} << false
                               << QRect(QPoint(964, 100), QPoint(993, 399))
                               << QRect(QPoint(966, 128), QPoint(991, 372)) << false;
        QTest::newRow("intensity of range-only lines")
            << int(Qt::TopEdge) << intensity << QList<int>{0, 0} << true << any << any << true;
        QTest::newRow("range-only, then levels")
            << int(Qt::LeftEdge) << intensity << QList<int>{0, -1, 800} << false << any << any << true;
        QTest::newRow("levels, then range-only")
            << int(Qt::TopEdge) << intensity << QList<int>{800, -1, 0} << true << any << any << true;
        QTest::newRow("no new lines keep the hint")
            << int(Qt::TopEdge) << intensity << QList<int>{0, -1, -1} << true << any << any << false;
        QTest::newRow("range of range-only lines") << int(Qt::TopEdge) << int(DataSelectorFactory::Range)
                                                   << QList<int>{0} << false << any << any << false;
    }
    void paintsBar()
    {
        // The bar runs from the min colour at the left or top to the max colour at the right or bottom,
        // framed in black, with the limits at its ends. Colouring by levels the lines do not carry shows a
        // hint instead; -1 stands for a repaint between lines.
        QFETCH(int, edge);
        QFETCH(int, source);
        QFETCH(QList<int>, lineLevels);
        QFETCH(bool, missing);
        QFETCH(QRect, legend);
        QFETCH(QRect, bar);
        QFETCH(bool, outdated);
        ColorModel model;
        model.setDataSelectorType(DataSelectorFactory::DataSelectorType(source));
        ColorLegendLayer layer;
        layer.setColorModel(&model);
        layer.setTitle(QStringLiteral("Sensor 1"));
        layer.setPosition(Qt::Edge(edge));
        QImage image(1000, 500, QImage::Format_RGB32);
        QPainter painter(&image);
        for (int level : lineLevels) {
            if (level < 0) {
                layer.paint(&painter, image.rect());
                continue;
            }
            const VEXA3D_MEASUREMENT_DATA_T line =
                makeLine({{EchoSpec{2.0, uint32_t(level)}}, {EchoSpec{3.0, 0}}});
            DRALMeasurementData record(QSharedPointer<VEXA3D_MEASUREMENT_DATA_T>::create(line),
                                       smallSpec(2, 4));
            QCOMPARE(record.colors(&model).size(), 2);
        }
        // A canvas reuses the last picture unless the legend says the data changed what it shows.
        QCOMPARE(layer.pictureOutdated(), outdated);
        image.fill(QColor(108, 108, 132));
        layer.paint(&painter, image.rect());
        painter.end();
        QVERIFY(!layer.pictureOutdated());

        const auto g = ColorLegendLayer::geometry(image.rect(), Qt::Edge(edge), QFontMetrics(QFont()),
                                                  layer.minText(), layer.maxText());
        const QRect &b = g.bar;
        if (!legend.isNull()) {
            const auto fit =
                ColorLegendLayer::geometry(image.rect(), Qt::Edge(edge), QFontMetrics(QFont()), "", "");
            QCOMPARE(fit.legend, legend);
            QCOMPARE(fit.bar, bar);
        }
        const bool horizontal = edge == Qt::TopEdge || edge == Qt::BottomEdge;
        const QVector3D minColor = model.scheme()->color(model.scheme()->minValue());
        const QVector3D maxColor = model.scheme()->color(model.scheme()->maxValue());
        const QPoint first =
            horizontal ? QPoint(b.left() + 3, b.bottom() - 3) : QPoint(b.left() + 3, b.top() + 3);
        const QPoint last =
            horizontal ? QPoint(b.right() - 3, b.bottom() - 3) : QPoint(b.right() - 3, b.bottom() - 3);
        auto near = [](const QColor &c, const QVector3D &v) {
            return qAbs(c.redF() - v.x()) < 0.08 && qAbs(c.greenF() - v.y()) < 0.08 &&
                   qAbs(c.blueF() - v.z()) < 0.08;
        };
        QCOMPARE(near(image.pixelColor(first), minColor), !missing);
        QCOMPARE(near(image.pixelColor(last), maxColor), !missing);
        if (missing)
            return;
        QCOMPARE(image.pixelColor(b.topLeft()), QColor(Qt::black));
        QCOMPARE(image.pixelColor(b.left(), b.center().y()), QColor(Qt::black));
        // The min and max labels sit at the ends in the text colour.
        const QRect &r = g.legend;
        const QRect minEnd = horizontal ? QRect(r.left(), r.top(), b.left() - r.left(), r.height())
                                        : QRect(r.left(), r.top(), r.width(), b.top() - r.top());
        const QRect label(QPoint(minEnd.left() + 3, r.top() + 4),
                          QPoint(minEnd.right() - 3, minEnd.bottom()));
        QVERIFY(TestSupport::hasColor(image, label, Qt::white, 0));
    }
};

QTEST_MAIN(tst_Legend)
#include "tst_render_legend.moc"
