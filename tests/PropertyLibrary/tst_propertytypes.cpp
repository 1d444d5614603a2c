#include "ColorProperty.h"
#include "FileProperty.h"
#include "FloatProperty.h"
#include "IntegerProperty.h"
#include "OverrunSpinBox.h"
#include "SerieProperty.h"
#include "TestSupport.h"
#include "Vector3DProperty.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSpinBox>
#include <QStyleOptionViewItem>
#include <QtTest>

class tst_PropertyTypes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void numberNodes_data()
    {
        QTest::addColumn<bool>("real");
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<QString>("text");
        QTest::newRow("int inside") << false << QVariant(7) << "7";
        QTest::newRow("int above") << false << QVariant(15) << "10";
        QTest::newRow("int below") << false << QVariant(-3) << "0";
        QTest::newRow("int text") << false << QVariant(QStringLiteral("4")) << "4";
        QTest::newRow("int not a number") << false << QVariant(QStringLiteral("x")) << "0";
        QTest::newRow("float 1.5") << true << QVariant(1.5) << "1.500";
        QTest::newRow("float zero") << true << QVariant(0) << "0.000";
        QTest::newRow("float text") << true << QVariant(QStringLiteral("2.25")) << "2.250";
        QTest::newRow("float clamped") << true << QVariant(1e9) << "100.000";
        QTest::newRow("float rounded") << true << QVariant(-1.23456) << "-1.235";
    }
    void numberNodes()
    {
        // Values outside [min, max] are clamped, not refused; a float shows 3 decimals; each saves its type.
        QFETCH(bool, real);
        QFETCH(QVariant, input);
        QFETCH(QString, text);
        IntegerProperty integer;
        integer.setMinValue(0);
        integer.setMaxValue(10);
        integer.setValue(5);
        FloatProperty floating;
        floating.setMaxValue(100);
        PropertyItem &node = real ? static_cast<PropertyItem &>(floating) : integer;
        node.setValue(input);
        QCOMPARE(node.valueText(), text);
        QCOMPARE(node.keyValue().userType(), int(real ? QMetaType::Float : QMetaType::Int));
    }
    void vectorText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVector3D>("vector");
        QTest::newRow("1;2;3") << "1;2;3" << QVector3D(1, 2, 3);
        QTest::newRow("spaced") << "1.5; -2; 0.25" << QVector3D(1.5f, -2, 0.25f);
        QTest::newRow("empty parts dropped") << ";1;;2;3;" << QVector3D(1, 2, 3);
        QTest::newRow("two parts ignored") << "1;2" << QVector3D(7, 8, 9);
        QTest::newRow("four parts ignored") << "1;2;3;4" << QVector3D(7, 8, 9);
    }
    void vectorText()
    {
        // A text with exactly three parts sets the vector and the children; other texts are ignored.
        QFETCH(QString, text);
        QFETCH(QVector3D, vector);
        Vector3DProperty node;
        node.setVector3DValue(QVector3D(7, 8, 9));
        node.setValue(text);
        QCOMPARE(node.vector3DValue(), vector);
        QCOMPARE(node.xProperty()->floatValue(), vector.x());
        QCOMPARE(node.yProperty()->floatValue(), vector.y());
        QCOMPARE(node.zProperty()->floatValue(), vector.z());
    }
    void colourTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("red triple") << "255; 0; 0" << QColor(255, 0, 0);
        QTest::newRow("clamped") << "300; -5; 10" << QColor(255, 0, 10);
        QTest::newRow("extra part") << "1;2;3;4" << QColor(1, 2, 3);
        QTest::newRow("name") << "red" << QColor(Qt::red);
        QTest::newRow("name, upper case") << "Red" << QColor(Qt::red);
        QTest::newRow("hash") << "#00ff00" << QColor(0, 255, 0);
        QTest::newRow("two parts") << "1; 2" << QColor();
        QTest::newRow("not a number") << "1; x; 3" << QColor();
        QTest::newRow("no colour name") << "blurple" << QColor();
        QTest::newRow("empty") << "" << QColor();
    }
    void colourTexts()
    {
        // Colour texts are triples, names or #-forms; anything else parses to no colour and changes nothing.
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        QCOMPARE(ColorProperty::parseColor(text), colour);
        ColorProperty node;
        node.setColorValue(QColor(1, 1, 1));
        node.setValue(text);
        QCOMPARE(node.colorValue(), colour.isValid() ? colour : QColor(1, 1, 1));
    }
    void fileProperty()
    {
        // The file node proposes a time-stamped name in the current folder and keeps a chosen path through a
        // language change.
        FileProperty node;
        node.setSuffix(".inf");
        node.setFileFilter("Ini file");
        QCOMPARE(node.dialogFilter(), QStringLiteral("Ini file (*.inf)"));
        const QDateTime noon(QDate(2024, 1, 31), QTime(12, 0));
        QCOMPARE(FileProperty::proposedSaveName(noon), QDir::currentPath() + "/2024_01_31_12_00_00_000");
        QSignalSpy spy(&node, &FileProperty::filenameChanged);
        node.setFilename("/tmp/a.vbl");
        QCOMPARE(spy.count(), 1);
        node.setSettable(false);
        node.retranslate();
        QCOMPARE(node.value().toString(), QStringLiteral("/tmp/a.vbl"));
    }
    void serieDropsOldest_data()
    {
        QTest::addColumn<QList<int>>("samples");
        QTest::addColumn<int>("maxCount");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("smallest");
        QTest::addColumn<int>("largest");
        QList<int> rising, spike;
        for (int i = 0; i < 60; ++i)
            rising << i;
        spike << 1000;
        for (int i = 0; i < 50; ++i)
            spike << i % 7;
        QTest::newRow("50 samples") << rising.mid(0, 50) << 50 << 0 << 50 << 0 << 49;
        QTest::newRow("51st drops the first") << rising.mid(0, 51) << 50 << 1 << 50 << 1 << 50;
        QTest::newRow("a spike leaves the graph") << spike << 50 << 0 << 50 << 0 << 6;
        QTest::newRow("a smaller limit trims") << rising << 5 << 55 << 5 << 55 << 59;
    }
    void serieDropsOldest()
    {
        // A serie holds at most maxCount samples, the oldest go first, and the scale follows what is held.
        QFETCH(QList<int>, samples);
        QFETCH(int, maxCount);
        QFETCH(int, first);
        QFETCH(int, count);
        QFETCH(int, smallest);
        QFETCH(int, largest);
        IntegerSerieProperty ints;
        FloatSerieProperty floats;
        for (int sample : samples) {
            ints.addValue(sample);
            floats.addValue(float(sample));
        }
        ints.setMaxCount(maxCount);
        floats.setMaxCount(maxCount);
        QCOMPARE(ints.samples().size(), count);
        QCOMPARE(ints.samples().first(), first);
        QCOMPARE(ints.smallest(), smallest);
        QCOMPARE(ints.largest(), largest);
        QCOMPARE(floats.samples().size(), count);
        QCOMPARE(floats.smallest(), float(smallest));
        QCOMPARE(floats.largest(), float(largest));
    }
    void seriePaint_data()
    {
        QTest::addColumn<QList<int>>("samples");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("none") << QList<int>() << false;
        QTest::newRow("all equal") << QList<int>{5, 5, 5} << false;
        QTest::newRow("rising") << QList<int>{1, 2, 3} << true;
    }
    void seriePaint()
    {
        // A serie draws a graph only when its samples span a range, and never lets text be drawn.
        QFETCH(QList<int>, samples);
        QFETCH(bool, drawn);
        IntegerSerieProperty node;
        for (int s : samples)
            node.addValue(s);
        QImage image(100, 20, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 100, 20);
        QVERIFY(node.paint(&painter, option));
        painter.end();
        bool anyRed = false;
        for (int y = 0; y < image.height() && !anyRed; ++y) {
            for (int x = 0; x < image.width() && !anyRed; ++x)
                anyRed = image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).green() < 100;
        }
        QCOMPARE(anyRed, drawn);
    }
    void overrunSpinBox_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("steps");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("carries");
        QTest::addColumn<int>("borrows");
        QTest::addColumn<int>("end");
        QTest::newRow("middle up") << 5 << 1 << true << 0 << 0 << 6;
        QTest::newRow("max up, carry on") << 9 << 1 << true << 1 << 0 << 9;
        QTest::newRow("max up, carry off") << 9 << 1 << false << 0 << 0 << 9;
        QTest::newRow("min down, borrow on") << 0 << -1 << true << 0 << 1 << 0;
        QTest::newRow("min down, borrow off") << 0 << -1 << false << 0 << 0 << 0;
    }
    void overrunSpinBox()
    {
        // Stepping past an end reports a carry or a borrow instead of moving, when enabled.
        QFETCH(int, start);
        QFETCH(int, steps);
        QFETCH(bool, enabled);
        QFETCH(int, carries);
        QFETCH(int, borrows);
        QFETCH(int, end);
        OverrunSpinBox box;
        box.setRange(0, 9);
        box.setValue(start);
        box.setCarryEnabled(enabled);
        box.setBorrowEnabled(enabled);
        QSignalSpy carry(&box, &OverrunSpinBox::carryValue);
        QSignalSpy borrow(&box, &OverrunSpinBox::borrowValue);
        box.stepBy(steps);
        QCOMPARE(carry.count(), carries);
        QCOMPARE(borrow.count(), borrows);
        QCOMPARE(box.value(), end);
    }
};

QTEST_MAIN(tst_PropertyTypes)
#include "tst_propertytypes.moc"
