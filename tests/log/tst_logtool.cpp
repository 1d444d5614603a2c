#include "LogTestSupport.h"
#include "T3dTestWriter.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace LogTest;

// taviro3d-log as a script would run it.
class TestLogTool : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(writeVbl(path("mixed.vbl"), true, {1000, -1100, 91250}, {0, 0, 1}));
        QVERIFY(writeAll(path("cut.vbl"), readAll(path("mixed.vbl")).chopped(5)));
        QVERIFY(writeAll(path("notes.txt"), "not a log\n"));

        // Written by hand: a head, a table with the scan entry alone, one auxiliary block.
        QByteArray vbl(40, '\0');
        vbl[0] = vbl[1] = vbl[3] = 1;
        vbl.replace(24, 5, "HAND1");
        vbl.append(QByteArray("\x01\0\0\0\0\0\0\0", 8)).append(QByteArray("scan\0\0\0\0", 8));
        vbl.append(QByteArray("\x3c\0\0\0", 4)); // 60: the block follows the table
        Vbl::SCAN_BLOCK_T block;
        block.offset = 60;
        block.index = 4;
        block.length = 16;
        block.kind = 1;
        std::memcpy(block.dateTime, "2024-01-31 10:00:00.000", 23);
        vbl.append(reinterpret_cast<const char *>(&block), 64).append(QByteArray(16, '\0'));
        QVERIFY(writeAll(path("hand.vbl"), vbl));

        QByteArray t3d = T3dTest::head(false);
        T3dTest::appendRecord(t3d, 0, 17,
                              T3dTest::measurementPayload(VEXA3D_MEASUREMENT_DATA_T(VEXA3D_SPEC_T())), false,
                              timeText(0));
        QVERIFY(writeAll(path("old.t3d"), t3d));
    }
    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::newRow("help") << QStringList{"--help"} << 0;
        QTest::newRow("info help") << QStringList{"info", "--help"} << 0;
        QTest::newRow("nothing") << QStringList{} << 2;
        QTest::newRow("unknown command") << QStringList{"play"} << 2;
        QTest::newRow("info without files") << QStringList{"info"} << 2;
        QTest::newRow("unknown option") << QStringList{"info", "--fast", "mixed.vbl"} << 2;
        QTest::newRow("not a log") << QStringList{"info", "notes.txt"} << 1;
        QTest::newRow("missing file") << QStringList{"info", "absent.vbl"} << 1;
        QTest::newRow("one good, one bad") << QStringList{"info", "mixed.vbl", "notes.txt"} << 1;
        QTest::newRow("damaged but readable") << QStringList{"info", "cut.vbl"} << 0;
    }
    void exitCodes()
    {
        // 0 for work done, 1 for a file that cannot be read, 2 for a wrong command line.
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        for (QString &argument : arguments) {
            if (argument.contains(QLatin1Char('.')))
                argument = path(argument);
        }
        QByteArray output;
        QCOMPARE(run(arguments, &output), code);
        if (arguments == QStringList{"--help"})
            QVERIFY(output.contains("  info "));
    }
    void jsonInfo_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("product");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("connections");
        QTest::addColumn<qint64>("durationMs");
        QTest::addColumn<bool>("corrupted");
        QTest::newRow("written") << "mixed.vbl"
                                 << "vbl"
                                 << "QTR-3D" << 3 << 2 << 2 << qint64(90250) << false;
        QTest::newRow("cut short") << "cut.vbl"
                                   << "vbl"
                                   << "QTR-3D" << 2 << 1 << 1 << qint64(100) << true;
        QTest::newRow("by hand") << "hand.vbl"
                                 << "vbl"
                                 << "HAND1" << 1 << 0 << 5 << qint64(0) << false;
        QTest::newRow("legacy") << "old.t3d"
                                << "t3d"
                                << "QTR-" << 1 << 1 << 1 << qint64(0) << false;
    }
    void jsonInfo()
    {
        // One JSON line per file with the counts, the duration and where the damage starts.
        QFETCH(QString, file);
        QFETCH(QString, format);
        QFETCH(QString, product);
        QFETCH(int, records);
        QFETCH(int, lines);
        QFETCH(int, connections);
        QFETCH(qint64, durationMs);
        QFETCH(bool, corrupted);
        QByteArray output;
        QCOMPARE(run({"info", "--json", path(file)}, &output), 0);
        QCOMPARE(output.count('\n'), 1);
        const QJsonObject o = QJsonDocument::fromJson(output).object();
        QCOMPARE(o.value("format").toString(), format);
        QCOMPARE(o.value("product").toString(), product);
        QCOMPARE(o.value("records").toInt(), records);
        QCOMPARE(o.value("measurementLines").toInt(), lines);
        QCOMPARE(o.value("auxiliaryPackets").toInt(), records - lines);
        QCOMPARE(o.value("connections").toInt(), connections);
        QCOMPARE(qint64(o.value("durationMs").toDouble()), durationMs);
        QCOMPARE(o.value("corrupted").toBool(), corrupted);
        QCOMPARE(o.contains("corruptionOffset"), corrupted);
    }
    void textInfo()
    {
        // The text form gives each file's block of aligned fields.
        QByteArray output;
        QCOMPARE(run({"info", path("mixed.vbl"), path("old.t3d")}, &output), 0);
        QVERIFY(output.contains("  compression:   on\n"));
        QVERIFY(output.contains("  records:       3 (2 measurement lines, 1 auxiliary packets)\n"));
        QVERIFY(output.contains("  duration:      0:01:30.250\n"));
        QVERIFY(output.contains("  geometry:      74 spots, 4 echoes, 0 regions"));
        QCOMPARE(output.count("  index:         complete\n"), 2);
    }

private:
    int run(const QStringList &arguments, QByteArray *output = nullptr);
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

int TestLogTool::run(const QStringList &arguments, QByteArray *output)
{
    QProcess process;
    process.start(QStringLiteral(TAVIRO_LOG_TOOL), arguments);
    if (!process.waitForFinished(30000))
        return -1;
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QTEST_GUILESS_MAIN(TestLogTool)
#include "tst_logtool.moc"
