// The converter dialog on real logs: what it tells the user, where the files go, and that its CSV bytes
// are the command line's.
#include "DataRecorderToCSV.h"
#include "LogTestSupport.h"
#include "T3dToCsvConverter.h"
#include "TestSupport.h"

#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
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
    void convertsLikeTheCommandLine_data()
    {
        QTest::addColumn<QVector<int>>("times");
        QTest::addColumn<QVector<int>>("connections");
        QTest::addColumn<int>("files");
        QTest::addColumn<QString>("message");
        QTest::newRow("two connections, lines and packets")
            << QVector<int>{100, -150, 200, 300, -350} << QVector<int>{0, 0, 1, 0, 1} << 4
            << "Conversion file created successfully.";
        QTest::newRow("no record") << QVector<int>{} << QVector<int>{} << 0
                                   << "Conversion file could not be created.";
    }

    void convertsLikeTheCommandLine()
    {
        QFETCH(QVector<int>, times);
        QFETCH(QVector<int>, connections);
        QFETCH(int, files);
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
        QCOMPARE(dialog.progressBar()->value(), files ? times.size() : 0);

        const QStringList made = QDir(dir.path()).entryList({"csv_*"}, QDir::Dirs);
        QCOMPARE(made.size(), files ? 1 : 0);
        if (!files)
            return;
        const QDir dialogFolder(dir.filePath(made[0]));
        const QStringList names = dialogFolder.entryList(QDir::Files, QDir::Name);
        QCOMPARE(names.size(), files);

        QProcess tool;
        tool.start(QStringLiteral(TAVIRO_LOG_TOOL), {"csv", log, "--out", dir.filePath("tool")});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(QDir(dir.filePath("tool")).entryList(QDir::Files, QDir::Name), names);
        for (const QString &name : names) {
            const QByteArray bytes = readAll(dialogFolder.filePath(name));
            QVERIFY(bytes.count("\r\n") > 1);
            QCOMPARE(readAll(dir.filePath("tool/" + name)), bytes);
        }
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
