// The data table: which echoes become rows and how the cells read, lines arriving at the sensor's full
// rate folded into one refresh, and the dock offscreen: labels of the last line, choosing the line and the
// emphasised spot, pause, copy, display range and redraw of a paused log.
#include "DRALTableModel.h"
#include "DRALTableView.h"
#include "DataTableDockWidget.h"
#include "MetaTypes.h"
#include "TestSupport.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

namespace {
// A complete line of `spots` x `echoes` echoes: range 1 + spot / 100 + echo, level 100 * echo + spot,
// angles 0.1 and 0.2 rad, point (spot, echo, -1).
QSharedPointer<DRALMeasurementData> tableRecord(int spots, int echoes, int motorField, int remField, int line,
                                                int frame = 1, quint32 timestamp = 5000)
{
    VEXA3D_SPEC_T spec;
    spec.spotCount = quint16(spots);
    spec.echoCount = quint8(echoes);
    auto data = QSharedPointer<VEXA3D_MEASUREMENT_DATA_T>::create(spec);
    for (int s = 0; s < spots; ++s) {
        data->spots[size_t(s)].count = quint32(echoes);
        for (int e = 0; e < echoes; ++e) {
            const quint32 level = quint32(100 * e + s);
            data->spots[size_t(s)].echoes[size_t(e)] = {1.0 + s / 100.0 + e, 0.1, 0.2, level, 0};
            data->spots[size_t(s)].points[size_t(e)] = {double(s), double(e), -1.0, level, 0};
        }
    }
    data->receivedSpotCount = quint16(spots);
    data->motorFieldNumber = quint8(motorField);
    data->remFieldNumber = quint8(remField);
    data->lineNumber = quint16(line);
    data->frameNumber = quint8(frame);
    data->timestamp = timestamp;
    return QSharedPointer<DRALMeasurementData>::create(data, spec);
}

VEXA3D_MEASUREMENT_DATA_T tableLine(int spots, int echoes, int motorField, int remField, int line)
{
    return *tableRecord(spots, echoes, motorField, remField, line)->data();
}

QString label(const DataTableDockWidget &dock, const char *name)
{
    return dock.findChild<QLabel *>(QLatin1String(name))->text();
}

QSpinBox *spin(const DataTableDockWidget &dock, const char *name)
{
    return dock.findChild<QSpinBox *>(QLatin1String(name));
}

VEXA3D_SENSOR_INFO_T sensorInfo(const char *product, int spots)
{
    VEXA3D_SENSOR_INFO_T info;
    info.spec.spotCount = quint16(spots);
    qstrncpy(info.product, product, sizeof(info.product));
    return info;
}
} // namespace

class tst_DataTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSupport::isolateSettings();
        Taviro::registerRecordMetaTypes();
    }

    void init()
    {
        model = new DRALTableModel(this);
        new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
        model->setSelection(3, 2, 11);
        dock = new DataTableDockWidget;
        dock->resize(900, 500);
        dock->show();
        QVERIFY(QTest::qWaitForWindowExposed(dock));
    }
    void cleanup()
    {
        delete model;
        delete dock;
    }

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

    // The newest line fills the labels; only the chosen line fills the table, and a paused dock shows
    // nothing.
    void lineChoiceAndLabels_data()
    {
        QTest::addColumn<bool>("paused");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("timestamp");
        QTest::newRow("chosen line") << false << 0 << 8 << "777";
        QTest::newRow("another line: labels only") << false << 5 << 0 << "777";
        QTest::newRow("paused") << true << 0 << 0 << "--";
    }
    void lineChoiceAndLabels()
    {
        QFETCH(bool, paused);
        QFETCH(int, line);
        QFETCH(int, rows);
        QFETCH(QString, timestamp);
        dock->pauseButton()->setChecked(paused);
        dock->addMeasurementData(0, 0, tableRecord(2, 4, 0, 0, line, 1, 777));
        dock->addMeasurementData(0, 0, {});
        QTRY_COMPARE(label(*dock, "timestampValue"), timestamp);
        QCOMPARE(label(*dock, "lineValue"), paused ? QStringLiteral("--") : QString::number(line));
        QCOMPARE(dock->tableView()->model()->rowCount(), rows);
    }

    // A picked spot sets the four choices and emphasises it once; choosing a line shows the kept line of
    // the newest frame, and a new frame forgets the old lines.
    void choosingLineAndSpot()
    {
        QSignalSpy emphasis(dock, &DataTableDockWidget::setEmphasisedSpot);
        dock->addMeasurementData(0, 0, tableRecord(3, 2, 3, 2, 11, 1));
        dock->addMeasurementData(0, 0, tableRecord(4, 1, 3, 2, 12, 1));
        dock->setRaySpot(3, 2, 11, 42);
        QCOMPARE(emphasis.count(), 1);
        QCOMPARE(emphasis.at(0), (QVariantList{3, 2, 11, 42}));
        QCOMPARE((QList<int>{dock->motorField(), dock->remField(), dock->line(), dock->spot()}),
                 (QList<int>{3, 2, 11, 42}));
        QCOMPARE(dock->tableView()->model()->rowCount(), 6);
        spin(*dock, "lineSpin")->setValue(12);
        QCOMPARE(emphasis.at(1), (QVariantList{3, 2, 12, 42}));
        QCOMPARE(dock->tableView()->model()->rowCount(), 4);
        dock->addMeasurementData(0, 0, tableRecord(5, 1, 3, 2, 13, 2));
        dock->updateTable(3, 2, 11);
        QCOMPARE(dock->tableView()->model()->rowCount(), 0);
        spin(*dock, "spotSpin")->setValue(7);
        spin(*dock, "lineSpin")->setValue(13);
        QCOMPARE(dock->tableView()->model()->rowCount(), 5);
        QCOMPARE(emphasis.count(), 5);
        QCOMPARE(emphasis.at(4), (QVariantList{3, 2, 13, 7}));
    }

    // The display range's minimum never passes its maximum, whichever spin box moves.
    void displayRangeSpinsStayOrdered_data()
    {
        QTest::addColumn<QString>("moved");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("rows");
        QTest::newRow("minimum above maximum") << "displayMinimumSpin" << 65 << 65 << 65 << 2;
        QTest::newRow("maximum below minimum") << "displayMaximumSpin" << 3 << 3 << 3 << 2;
        QTest::newRow("minimum inside") << "displayMinimumSpin" << 50 << 50 << 60 << 22;
    }
    void displayRangeSpinsStayOrdered()
    {
        QFETCH(QString, moved);
        QFETCH(int, value);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, rows);
        dock->setSensorInfo(sensorInfo("QTR-1", 74));
        spin(*dock, "displayMaximumSpin")->setValue(60);
        spin(*dock, "displayMinimumSpin")->setValue(5);
        dock->addMeasurementData(0, 0, tableRecord(74, 2, 0, 0, 0));
        spin(*dock, qPrintable(moved))->setValue(value);
        QCOMPARE(spin(*dock, "displayMinimumSpin")->value(), min);
        QCOMPARE(spin(*dock, "displayMaximumSpin")->value(), max);
        QCOMPARE(dock->tableView()->model()->rowCount(), rows);
    }

    // The sensor family decides the names of the two field numbers and the spin boxes' limits.
    void sensorFamilyNamesTheFields_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("caption");
        QTest::newRow("usual family") << "QTR-300"
                                      << "Motor-Field"
                                      << "Rem-Field:";
        QTest::newRow("KRX family") << "KRX-20"
                                    << "Horizontal-Field"
                                    << "Vertical-Field:";
    }
    void sensorFamilyNamesTheFields()
    {
        QFETCH(QString, product);
        QFETCH(QString, header);
        QFETCH(QString, caption);
        dock->setSensorInfo(sensorInfo(qPrintable(product), 300));
        QCOMPARE(dock->tableView()->model()->headerData(1, Qt::Horizontal).toString(), header);
        QCOMPARE(spin(*dock, "remFieldSpin")->maximum(), 9);
        QCOMPARE(spin(*dock, "spotSpin")->maximum(), 299);
        const QList<QLabel *> labels = dock->findChildren<QLabel *>();
        QCOMPARE(std::count_if(labels.begin(), labels.end(), [&](QLabel *l) { return l->text() == caption; }),
                 1);
    }

    // The selected cells copy as rows of tab-separated texts, by key and by button alike.
    void copyIsTabSeparated()
    {
        dock->addMeasurementData(0, 0, tableRecord(2, 1, 0, 0, 0));
        DRALTableView *view = dock->tableView();
        const QAbstractItemModel *shown = view->model();
        for (const QModelIndex &index :
             {shown->index(1, DRALTableModel::LevelColumn), shown->index(1, DRALTableModel::RangeColmn),
              shown->index(0, DRALTableModel::SpotNumberColumn)})
            view->selectionModel()->select(index, QItemSelectionModel::Select);
        QApplication::clipboard()->clear();
        view->setFocus();
        QTest::keySequence(view, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("0\n1.010\t1\n"));
        QApplication::clipboard()->clear();
        dock->findChild<QPushButton *>(QStringLiteral("copyButton"))->click();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("0\n1.010\t1\n"));
    }

    // Only a paused log redraws its kept lines when the choice changes, the first one flagged as first.
    void redrawOfAPausedLog()
    {
        QSignalSpy redraws(dock, &DataTableDockWidget::redrawMeasurementData);
        for (int line = 0; line < 3; ++line)
            dock->addMeasurementData(1, 0, tableRecord(2, 1, 0, 0, line, 4));
        spin(*dock, "spotSpin")->setValue(1);
        QCOMPARE(redraws.count(), 0);
        dock->logPaused();
        spin(*dock, "spotSpin")->setValue(0);
        QCOMPARE(redraws.count(), 3);
        QList<bool> firsts;
        for (const QVariantList &call : redraws)
            firsts << call.at(1).toBool();
        QCOMPARE(firsts, (QList<bool>{true, false, false}));
        dock->logStarted();
        spin(*dock, "spotSpin")->setValue(1);
        QCOMPARE(redraws.count(), 3);
        dock->clear();
        dock->redraw();
        QCOMPARE(redraws.count(), 3);
        QCOMPARE(label(*dock, "lineValue"), QStringLiteral("--"));
        QCOMPARE(dock->tableView()->model()->rowCount(), 0);
    }

private:
    DRALTableModel *model = nullptr;
    DataTableDockWidget *dock = nullptr;
};

QTEST_MAIN(tst_DataTable)
#include "tst_datatable.moc"
