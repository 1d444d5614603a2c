// The Log Player dock: play speeds, duration read-outs, and which moves of the position it reports.
#include "FilePlayDockWidget.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

class tst_PlayDock : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void speedChoiceEmitsItsSpeed_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<float>("speed");
        QTest::newRow("x1/8") << "x1/8" << 0.125f;
        QTest::newRow("x1/4") << "x1/4" << 0.25f;
        QTest::newRow("x1/2") << "x1/2" << 0.5f;
    }
    void speedChoiceEmitsItsSpeed()
    {
        QFETCH(QString, item);
        QFETCH(float, speed);
        FilePlayDockWidget dock;
        QCOMPARE(dock.speedBox()->currentText(), QStringLiteral("x1"));
        QSignalSpy speeds(&dock, &FilePlayDockWidget::playSpeedChanged);
        dock.speedBox()->setCurrentText(item);
        QCOMPARE(speeds.count(), 1);
        QCOMPARE(speeds.first().at(0).toFloat(), speed);
    }

    void totalDurationOfALog_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("total");
        QTest::newRow("ninety seconds") << "2024-01-31 10:00:00.000"
                                        << "2024-01-31 10:01:30.250"
                                        << " 0:1:30.250";
        QTest::newRow("twenty-six hours") << "2024-01-31 10:00:00.000"
                                          << "2024-02-01 12:00:00.000"
                                          << "1 2:0:0.0";
        QTest::newRow("milliseconds without leading zeros") << "2024-01-31 10:00:00.000"
                                                            << "2024-01-31 10:00:12.005"
                                                            << " 0:0:12.5";
        QTest::newRow("no end") << "2024-01-31 10:00:00.000"
                                << ""
                                << "--";
        QTest::newRow("not a date") << "2024-01-31 10:00:00.000"
                                    << "yesterday"
                                    << "--";
    }
    void totalDurationOfALog()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, total);
        FilePlayDockWidget dock;
        dock.setLogtimeSettings(start, end);
        QCOMPARE(dock.totalLabel()->text(), total);
    }

    void onlyUserMovesReportThePosition_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("reports");
        QTest::newRow("slider moved") << 0 << 1;
        QTest::newRow("spin box stepped") << 1 << 1;
        QTest::newRow("playback update") << 2 << 0;
    }
    void onlyUserMovesReportThePosition()
    {
        QFETCH(int, how);
        QFETCH(int, reports);
        FilePlayDockWidget dock;
        dock.setProgressEnabled(true);
        dock.setProgressMaximum(100);
        QSignalSpy moves(&dock, &FilePlayDockWidget::progressChanged);
        if (how == 0)
            dock.slider()->setValue(40);
        else if (how == 1)
            dock.spinBox()->setValue(40);
        else
            dock.updateReadingProcess(40, 1, QStringLiteral("2024-01-31 10:00:00.000"));
        QCOMPARE(moves.count(), reports);
        QCOMPARE(dock.slider()->value(), 40);
        QCOMPARE(dock.spinBox()->value(), 40);
    }

    // The read-outs follow the played record until the progress is disabled.
    void readoutsFollowThePlayedRecord()
    {
        FilePlayDockWidget dock;
        dock.setProgressEnabled(true);
        dock.setProgressMaximum(100);
        dock.setLogtimeSettings(QStringLiteral("2024-01-31 10:00:00.000"),
                                QStringLiteral("2024-01-31 10:01:30.250"));
        dock.updateReadingProcess(40, 4711, QStringLiteral("2024-01-31 10:00:12.500"));
        QCOMPARE(dock.elapsedLabel()->text(), QStringLiteral(" 0:0:12.500"));
        QCOMPARE(dock.timestampLabel()->text(), QStringLiteral("4711"));
        QCOMPARE(dock.logTimeLabel()->text(), QStringLiteral("2024-01-31 10:00:12.500"));
        dock.setProgressEnabled(false);
        for (QLabel *label :
             {dock.timestampLabel(), dock.logTimeLabel(), dock.elapsedLabel(), dock.totalLabel()})
            QCOMPARE(label->text(), QStringLiteral("--"));
        QCOMPARE(dock.slider()->maximum(), 0);
        QCOMPARE(dock.spinBox()->maximum(), 0);
        QCOMPARE(dock.totalMilliseconds(), 0);
        QVERIFY(!dock.slider()->isEnabled());
    }

    // The language change reaches every text of the dock.
    void japanese()
    {
        FilePlayDockWidget dock;
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/translations/ja")));
        QCoreApplication::installTranslator(&translator);
        QTRY_COMPARE(dock.windowTitle(), QStringLiteral("ログプレーヤー"));
        QCOMPARE(dock.loopBox()->text(), QStringLiteral("ループ再生"));
        QCOMPARE(dock.pauseButton()->toolTip(), QStringLiteral("一時停止"));
        QCoreApplication::removeTranslator(&translator);
        QTRY_COMPARE(dock.windowTitle(), QStringLiteral("Log Player"));
    }
};

QTEST_MAIN(tst_PlayDock)
#include "tst_playdock.moc"
