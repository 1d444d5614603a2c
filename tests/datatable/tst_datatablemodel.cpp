// The table model: which echoes become rows, how the cells read, and how lines arriving at the sensor's
// full rate are folded into one refresh.
#include "DRALTableModel.h"
#include "TableLines.h"
#include "TestSupport.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

class TestDataTableModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void init()
    {
        model = new DRALTableModel(this);
        new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
        model->setSelection(3, 2, 11);
    }
    void cleanup() { delete model; }

    // One row per echo of each received spot within the display range, skipping echoes with neither
    // range nor level; lines of another line number are ignored.
    void rowsOfALine_data()
    {
        QTest::addColumn<int>("received");
        QTest::addColumn<int>("emptyEchoes");
        QTest::addColumn<int>("displayMin");
        QTest::addColumn<int>("displayMax");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("rows");
        QTest::newRow("whole line") << 10 << 0 << 0 << 1000 << 11 << 40;
        QTest::newRow("part of the line received") << 6 << 0 << 0 << 1000 << 11 << 24;
        QTest::newRow("empty echoes skipped") << 10 << 3 << 0 << 1000 << 11 << 37;
        QTest::newRow("display range 2-4") << 10 << 0 << 2 << 4 << 11 << 12;
        QTest::newRow("another line") << 10 << 0 << 0 << 1000 << 12 << 0;
    }
    void rowsOfALine()
    {
        QFETCH(int, received);
        QFETCH(int, emptyEchoes);
        QFETCH(int, displayMin);
        QFETCH(int, displayMax);
        QFETCH(int, line);
        QFETCH(int, rows);
        VEXA3D_MEASUREMENT_DATA_T data = tableLine(10, 4, 3, 2, line);
        data.receivedSpotCount = quint16(received);
        for (int s = 0; s < emptyEchoes; ++s)
            data.spots[size_t(s)].echoes[1] = VEXA3D_ECHO_T{};
        data.spots[9].echoes[2].range = 0.0; // a level without a range is still shown
        model->setDisplayRange(displayMin, displayMax);
        model->addMeasurementData(data);
        QCOMPARE(model->rowCount(), rows);
        if (rows > 0) {
            QCOMPARE(model->row(0).spotNumber, displayMin);
            QCOMPARE(model->row(rows - 1).spotNumber, qMin(received, displayMax + 1) - 1);
            QCOMPARE(model->row(rows - 1).echoNumber, 3);
        }
    }

    // Cells show 3 decimals, angles in degrees within (-180, 180].
    void cellTexts_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("range rounded") << int(DRALTableModel::RangeColmn) << 1.23456 << "1.235";
        // 4.712 - 2 pi = -1.5711853 rad = -90.0223 degrees.
        QTest::newRow("first angle above pi")
            << int(DRALTableModel::VerticalAngleColumn) << 4.712 << "-90.022";
        QTest::newRow("second angle") << int(DRALTableModel::HorizontalAngleColumn) << 0.5 << "28.648";
        QTest::newRow("pi stays") << int(DRALTableModel::HorizontalAngleColumn) << 3.141592653589793
                                  << "180.000";
        QTest::newRow("z") << int(DRALTableModel::ZColumn) << 0.0 << "-1.000";
        QTest::newRow("motor field") << int(DRALTableModel::MotorFieldNumberColumn) << 0.0 << "3";
    }
    void cellTexts()
    {
        QFETCH(int, column);
        QFETCH(double, value);
        QFETCH(QString, text);
        VEXA3D_MEASUREMENT_DATA_T data = tableLine(1, 1, 3, 2, 11);
        VEXA3D_ECHO_T &echo = data.spots[0].echoes[0];
        (column == DRALTableModel::RangeColmn            ? echo.range
         : column == DRALTableModel::VerticalAngleColumn ? echo.firstAngle
                                                         : echo.secondAngle) = value;
        model->addMeasurementData(data);
        QCOMPARE(model->index(0, column).data().toString(), text);
        QVERIFY(!model->index(0, column).data(Qt::ToolTipRole).isValid());
        QVERIFY(!model->index(1, column).data().isValid());
    }

    // Selecting a row repaints the old and the new one, and only the selected row is magenta.
    void selectedRowIsHighlighted()
    {
        model->addMeasurementData(tableLine(3, 2, 3, 2, 11));
        QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
        model->selectRow(4);
        model->selectRow(1);
        QCOMPARE(changed.count(), 3);
        QCOMPARE(model->index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(Qt::magenta).lighter(180));
        QVERIFY(!model->index(4, 0).data(Qt::BackgroundRole).isValid());
    }

    // A burst of 300 x 4 lines: the first is shown at once, the rest fold into one refresh with the newest.
    void fullRateLinesFoldIntoOneRefresh()
    {
        QSignalSpy resets(model, &QAbstractItemModel::modelReset);
        QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
        VEXA3D_MEASUREMENT_DATA_T data = tableLine(300, 4, 3, 2, 11);
        for (int frame = 0; frame < 200; ++frame) {
            data.frameNumber = quint8(frame);
            model->addMeasurementData(data);
        }
        QCOMPARE(resets.count(), 1);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(model->rowCount(), 1200);
        QCOMPARE(model->index(0, DRALTableModel::FrameNumberColumn).data().toInt(), 0);
        QTRY_COMPARE(changed.count(), 1);
        QCOMPARE(model->index(1199, DRALTableModel::FrameNumberColumn).data().toInt(), 199);
        QTest::qWait(100);
        QCOMPARE(resets.count(), 1);
        QCOMPARE(changed.count(), 1);
    }

private:
    DRALTableModel *model = nullptr;
};

QTEST_MAIN(TestDataTableModel)
#include "tst_datatablemodel.moc"
