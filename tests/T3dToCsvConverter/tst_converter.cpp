// The converter dialog on real logs: what it tells the user and where the files go. The rows themselves
// are the CSV writer's and are checked there.
#include "LogTestSupport.h"
#include "T3dToCsvConverter.h"
#include "TestSupport.h"

#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace LogTest;

class tst_Converter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    // times: frames to write (negative: auxiliary; none: an empty log); files: CSV files expected.
    void converts_data()
    {
        QTest::addColumn<QVector<int>>("times");
        QTest::addColumn<QVector<int>>("connections");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("message");
        QTest::newRow("two connections, lines and packets")
            << QVector<int>{100, -150, 200, 300, -350} << QVector<int>{0, 0, 1, 0, 1}
            << QStringList{"run_connection1_1.csv", "run_connection1_aux_1.csv", "run_connection2_1.csv",
                           "run_connection2_aux_1.csv"}
            << "Conversion file created successfully.";
        QTest::newRow("no record") << QVector<int>{} << QVector<int>{} << QStringList{}
                                   << "Conversion file could not be created.";
    }

    void converts()
    {
        QFETCH(QVector<int>, times);
        QFETCH(QVector<int>, connections);
        QFETCH(QStringList, files);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString log = dir.filePath("run.vbl");
        QVERIFY(writeVbl(log, true, times, connections));

        T3dToCsvConverter dialog;
        dialog.show();
        QVERIFY(dialog.convertFile(log));
        QVERIFY(!dialog.browseButton()->isEnabled() && !dialog.closeButton()->isEnabled());
        QCOMPARE(dialog.fileEdit()->text(), log);
        QTRY_VERIFY_WITH_TIMEOUT(dialog.findChild<QMessageBox *>() != nullptr, 20000);
        QCOMPARE(dialog.findChild<QMessageBox *>()->text(), message);
        QVERIFY(dialog.browseButton()->isEnabled() && dialog.closeButton()->isEnabled());
        QCOMPARE(dialog.progressBar()->value(), files.isEmpty() ? 0 : times.size());
        const QStringList made = QDir(dir.path()).entryList({"csv_*"}, QDir::Dirs);
        QCOMPARE(made.size(), files.isEmpty() ? 0 : 1);
        if (files.isEmpty())
            return;
        const QDir folder(dir.filePath(made[0]));
        QCOMPARE(folder.entryList(QDir::Files, QDir::Name), files);
        // The header and one row for the packet of three samples.
        QCOMPARE(readAll(folder.filePath(files[1])).count("\r\n"), 2);
    }

    void refusesWhatItCannotRead_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("no device for the suffix") << "notes.txt" << QByteArray("text");
        QTest::newRow("not a log") << "broken.vbl" << QByteArray("text");
        QTest::newRow("missing") << "missing.vbl" << QByteArray();
    }

    void refusesWhatItCannotRead()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        if (!content.isEmpty())
            QVERIFY(writeAll(dir.filePath(name), content));
        T3dToCsvConverter dialog;
        QVERIFY(!dialog.convertFile(dir.filePath(name)));
        QVERIFY(dialog.browseButton()->isEnabled());
        QVERIFY(!dialog.isConverting());
    }
};

QTEST_MAIN(tst_Converter)
#include "tst_converter.moc"
