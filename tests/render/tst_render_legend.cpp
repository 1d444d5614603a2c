#include "ColorLegendLayer.h"
#include "ColorModel.h"
#include "ColorScheme.h"
#include "ComboBoxModel.h"
#include "ComboBoxProperty.h"
#include "TestSupport.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

class tst_Legend : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }
    void rectangles_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<QRect>("legend");
        QTest::addColumn<QRect>("bar");
        QTest::newRow("top") << int(Qt::TopEdge) << QRect(QPoint(200, 5), QPoint(799, 34))
                             << QRect(QPoint(254, 7), QPoint(752, 30));
        QTest::newRow("bottom") << int(Qt::BottomEdge) << QRect(QPoint(200, 464), QPoint(799, 493))
                                << QRect(QPoint(254, 466), QPoint(752, 489));
        QTest::newRow("right") << int(Qt::RightEdge) << QRect(QPoint(964, 100), QPoint(993, 399))
                               << QRect(QPoint(966, 128), QPoint(991, 372));
        QTest::newRow("left") << int(Qt::LeftEdge) << QRect(QPoint(5, 100), QPoint(34, 399))
                              << QRect(QPoint(7, 128), QPoint(32, 372));
    }
    void rectangles()
    {
        // On a 1000 x 500 canvas the legend is 30 pixels thick, three fifths long and centred along its edge.
        QFETCH(int, edge);
        QFETCH(QRect, legend);
        QFETCH(QRect, bar);
        const QRect canvas(0, 0, 1000, 500);
        QCOMPARE(ColorLegendLayer::legendRect(canvas, Qt::Edge(edge)), legend);
        QCOMPARE(ColorLegendLayer::barRect(legend, Qt::Edge(edge)), bar);
    }
    void propertyMovesLegend()
    {
        // Choosing "Right" in the legend property moves the legend and asks for a repaint.
        ColorLegendLayer layer;
        QSignalSpy moved(&layer, &ColorLegendLayer::positionChanged);
        QSignalSpy changed(&layer, &LayerItem::changed);
        layer.property()->setString(QStringLiteral("Right"));
        QCOMPARE(layer.position(), Qt::RightEdge);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(changed.count(), 1);
        layer.property()->setOptionValue(Qt::RightEdge);
        QCOMPARE(moved.count(), 1);
    }
    void colorModelSignals()
    {
        // A change of the colour model repaints the legend; a replaced or deleted model no longer does.
        ColorLegendLayer layer;
        QSignalSpy changed(&layer, &LayerItem::changed);
        auto *model = new ColorModel;
        layer.setColorModel(model);
        QCOMPARE(changed.count(), 1);
        layer.setColorModel(model);
        QCOMPARE(changed.count(), 1);
        model->setColorSchemeType(ColorSchemeFactory::ColorSchemeType(1));
        QCOMPARE(changed.count(), 2);
        delete model;
        QVERIFY(!layer.colorModel());
    }
    void paintsNothingWithoutModel()
    {
        // Without a colour model the legend paints nothing.
        ColorLegendLayer layer;
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
        QTest::newRow("top") << int(Qt::TopEdge);
        QTest::newRow("bottom") << int(Qt::BottomEdge);
        QTest::newRow("left") << int(Qt::LeftEdge);
        QTest::newRow("right") << int(Qt::RightEdge);
    }
    void paintsBar()
    {
        // The bar runs from the min colour at the left or top to the max colour at the right or bottom,
        // framed in black.
        ColorModel model;
        ColorLegendLayer layer;
        layer.setColorModel(&model);
        layer.setTitle(QStringLiteral("Sensor 1"));
        QFETCH(int, edge);
        layer.setPosition(Qt::Edge(edge));
        QImage image(1000, 500, QImage::Format_RGB32);
        image.fill(QColor(108, 108, 132));
        QPainter painter(&image);
        layer.paint(&painter, image.rect());
        painter.end();

        const QRect b = ColorLegendLayer::barRect(ColorLegendLayer::legendRect(image.rect(), Qt::Edge(edge)),
                                                  Qt::Edge(edge));
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
        QVERIFY2(near(image.pixelColor(first), minColor), qPrintable(image.pixelColor(first).name()));
        QVERIFY2(near(image.pixelColor(last), maxColor), qPrintable(image.pixelColor(last).name()));
        QCOMPARE(image.pixelColor(b.topLeft()), QColor(Qt::black));
        QCOMPARE(image.pixelColor(b.left(), b.center().y()), QColor(Qt::black));
        // The min and max labels sit at the ends in the text colour.
        const QRect r = ColorLegendLayer::legendRect(image.rect(), Qt::Edge(edge));
        const QRect minEnd = horizontal ? QRect(r.left(), r.top(), b.left() - r.left(), r.height())
                                        : QRect(r.left(), r.top(), r.width(), b.top() - r.top());
        bool white = false;
        for (int y = minEnd.top(); y <= minEnd.bottom() && !white; ++y)
            for (int x = minEnd.left() + 3; x <= minEnd.right() - 3 && !white; ++x)
                white = y > r.top() + 3 && image.pixelColor(x, y) == QColor(Qt::white);
        QVERIFY(white);
    }
};

QTEST_MAIN(tst_Legend)
#include "tst_render_legend.moc"
