// The data table dock offscreen: labels of the last line, choosing the line and the emphasised spot,
// pause, copy, display range and redraw of a paused log.
#include "DRALTableView.h"
#include "DataTableDockWidget.h"
#include "MetaTypes.h"
#include "TableLines.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

namespace {
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

class TestDataTableDock : public QObject
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
        dock = new DataTableDockWidget;
        dock->resize(900, 500);
        dock->show();
        QVERIFY(QTest::qWaitForWindowExposed(dock));
    }
    void cleanup() { delete dock; }

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
        const QAbstractItemModel *model = view->model();
        for (const QModelIndex &index :
             {model->index(1, DRALTableModel::LevelColumn), model->index(1, DRALTableModel::RangeColmn),
              model->index(0, DRALTableModel::SpotNumberColumn)})
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
    DataTableDockWidget *dock = nullptr;
};

QTEST_MAIN(TestDataTableDock)
#include "tst_datatabledock.moc"
