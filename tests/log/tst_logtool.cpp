// taviro3d-log run as a script would: exit codes, the info of written, damaged and legacy files, CSV and
// point-cloud exports parsed back, and live recordings from the simulator ended by time, SIGTERM and SIGKILL.
#include "FileDevice.h"
#include "LogTestSupport.h"
#include "SimulatorSupport.h"
#include "T3dTestWriter.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace LogTest;

namespace {

struct Run
{
    int code = -1;
    QByteArray out;
};

Run run(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TAVIRO_LOG_TOOL), arguments);
    Run r;
    if (!process.waitForFinished(60000))
        return r;
    r.out = process.readAllStandardOutput();
    r.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return r;
}

// frames[i] lines of frame number 10 + i on connection connections[i].
bool writeFrames(const QString &fileName, const QVector<int> &frames, const QVector<int> &connections)
{
    const VEXA3D_SENSOR_INFO_T info = sensorInfo();
    VblWriter writer;
    writer.setSensorInfo(info);
    if (!writer.open(fileName, true))
        return false;
    int t = 1;
    for (int f = 0; f < frames.size(); ++f)
        for (int l = 0; l < frames[f]; ++l, ++t)
            if (!writer.writeFrame(connections[f], line(info.spec, quint32(t), 10 + f), QVector3D(1, 2, 3),
                                   QVector3D(0, 0, 90), timeText(t)))
                return false;
    writer.close();
    return true;
}

// Points of one line of the test data: every received echo has a range above 0.
qint64 pointsPerLine()
{
    const auto l = line(sensorInfo().spec, 0, 10)->data();
    qint64 n = 0;
    for (quint32 s = 0; s < l->receivedSpotCount; ++s)
        n += l->spots[s].count;
    return n;
}

struct Cloud
{
    qint64 declared = -1;
    qint64 stored = -1;
    float first[3] = {};
};

// Reads a binary PLY or PCD file of this export back: 29 bytes a point.
Cloud parseCloud(const QString &fileName)
{
    Cloud c;
    const QByteArray bytes = readAll(fileName);
    const bool ply = bytes.startsWith("ply\n");
    const QByteArray end = ply ? "end_header\n" : "DATA binary\n";
    const int headerEnd = bytes.indexOf(end);
    const QByteArray head = bytes.left(headerEnd);
    const QRegularExpressionMatch m =
        QRegularExpression(ply ? "element vertex (\\d+)\n" : "\nPOINTS (\\d+)\n")
            .match(QString::fromLatin1(head));
    if (headerEnd < 0 || !m.hasMatch() ||
        !(ply ? head.contains("format binary_little_endian 1.0\n")
              : head.contains("\nVERSION 0.7\n") && head.contains("\nSIZE 4 4 4 4 4 1 2 2 4\n")))
        return c;
    c.declared = m.captured(1).toLongLong();
    const qint64 body = bytes.size() - headerEnd - end.size();
    c.stored = body % 29 == 0 ? body / 29 : -1;
    if (c.stored > 0)
        std::memcpy(c.first, bytes.constData() + headerEnd + end.size(), 12);
    return c;
}

qint64 summaryValue(const QByteArray &out, const QString &key)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QRegularExpression::escape(key) + ": (\\d+)").match(QString::fromLatin1(out));
    return m.hasMatch() ? m.captured(1).toLongLong() : -1;
}

} // namespace

class tst_LogTool : public QObject
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

    // 0 for work done, 1 for a file that cannot be read or a sensor that does not answer, 2 for a wrong
    // command line. Names with a dot are files of the test folder.
    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::newRow("help") << QStringList{"--help"} << 0;
        QTest::newRow("nothing") << QStringList{} << 2;
        QTest::newRow("unknown command") << QStringList{"play"} << 2;
        for (const char *command : {"info", "csv", "ply", "pcd", "record"}) {
            const QString c = QString::fromLatin1(command);
            QTest::addRow("%s --help", command) << QStringList{c, "--help"} << 0;
            QTest::addRow("%s without arguments", command) << QStringList{c} << 2;
            QTest::addRow("%s unknown option", command) << QStringList{c, "mixed.vbl", "--bogus"} << 2;
        }
        QTest::newRow("info of no log") << QStringList{"info", "notes.txt"} << 1;
        QTest::newRow("info of a missing file") << QStringList{"info", "absent.vbl"} << 1;
        QTest::newRow("one good, one bad") << QStringList{"info", "mixed.vbl", "notes.txt"} << 1;
        QTest::newRow("damaged but readable") << QStringList{"info", "cut.vbl"} << 0;
        QTest::newRow("csv of a missing log") << QStringList{"csv", "absent.vbl"} << 1;
        QTest::newRow("ply of a missing log") << QStringList{"ply", "absent.vbl"} << 1;
        QTest::newRow("ply frames backwards") << QStringList{"ply", "mixed.vbl", "--frames", "5-2"} << 2;
        QTest::newRow("record without --out") << QStringList{"record", "127.0.0.1"} << 2;
        QTest::newRow("record into a .csv") << QStringList{"record", "127.0.0.1", "--out", "a.csv"} << 2;
        QTest::newRow("record extended range")
            << QStringList{"record", "127.0.0.1", "--out", "a.vbl", "--data", "ra"} << 2;
        QTest::newRow("record with no sensor")
            << QStringList{"record", QStringLiteral("127.0.0.1:%1").arg(SimulatorSupport::closedPort()),
                           "--out", "nosensor.vbl"}
            << 1;
    }
    void exitCodes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        for (QString &argument : arguments)
            if (argument.endsWith(".vbl") || argument.endsWith(".txt") || argument.endsWith(".csv"))
                argument = path(argument);
        const Run r = run(arguments);
        QCOMPARE(r.code, code);
        if (code == 0 && arguments.size() == 1)
            QVERIFY(r.out.startsWith("Usage: taviro3d-log COMMAND") && r.out.contains("  info "));
        else if (code == 0 && arguments.last() == "--help")
            QVERIFY(r.out.startsWith("Usage: taviro3d-log " + arguments[0].toLatin1()));
    }

    // One JSON line per file with the counts, the duration and where the damage starts.
    void jsonInfo_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("formatAndProduct");
        QTest::addColumn<QVector<int>>("counts"); // records, lines, connections, duration in ms
        QTest::addColumn<bool>("corrupted");
        QTest::newRow("written") << "mixed.vbl" << QStringList{"vbl", "QTR-3D"}
                                 << QVector<int>{3, 2, 2, 90250} << false;
        QTest::newRow("cut short") << "cut.vbl" << QStringList{"vbl", "QTR-3D"} << QVector<int>{2, 1, 1, 100}
                                   << true;
        QTest::newRow("by hand") << "hand.vbl" << QStringList{"vbl", "HAND1"} << QVector<int>{1, 0, 5, 0}
                                 << false;
        QTest::newRow("legacy") << "old.t3d" << QStringList{"t3d", "QTR-"} << QVector<int>{1, 1, 1, 0}
                                << false;
    }
    void jsonInfo()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, formatAndProduct);
        QFETCH(QVector<int>, counts);
        QFETCH(bool, corrupted);
        const Run r = run({"info", "--json", path(file)});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.count('\n'), 1);
        const QJsonObject o = QJsonDocument::fromJson(r.out).object();
        QCOMPARE((QStringList{o.value("format").toString(), o.value("product").toString()}),
                 formatAndProduct);
        QCOMPARE((QVector<int>{o.value("records").toInt(), o.value("measurementLines").toInt(),
                               o.value("connections").toInt(), int(o.value("durationMs").toDouble())}),
                 counts);
        QCOMPARE(o.value("auxiliaryPackets").toInt(), counts[0] - counts[1]);
        QCOMPARE(o.value("corrupted").toBool(), corrupted);
        QCOMPARE(o.contains("corruptionOffset"), corrupted);
    }

    // The text form gives each file's block of aligned fields.
    void textInfo()
    {
        const Run r = run({"info", path("mixed.vbl"), path("old.t3d")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("  compression:   on\n"));
        QVERIFY(r.out.contains("  records:       3 (2 measurement lines, 1 auxiliary packets)\n"));
        QVERIFY(r.out.contains("  duration:      0:01:30.250\n"));
        QVERIFY(r.out.contains("  geometry:      74 spots, 4 echoes, 0 regions"));
        QCOMPARE(r.out.count("  index:         complete\n"), 2);
    }

    // Without --out the files go to a new folder named by the time next to the log; each made file is
    // printed. Which file a record lands in is the CSV writer's and is checked there.
    void csvFolder_data()
    {
        QTest::addColumn<bool>("outFolder");
        QTest::newRow("next to the log") << false;
        QTest::newRow("straight into --out") << true;
    }
    void csvFolder()
    {
        QFETCH(bool, outFolder);
        QTemporaryDir dir;
        const QString log = dir.filePath("run.vbl");
        QVERIFY(writeVbl(log, true, {100, -150, 200}, {0, 0, 1}));
        QStringList arguments{"csv", log};
        if (outFolder)
            arguments << "--out" << dir.filePath("out/csv");
        const Run r = run(arguments);
        QCOMPARE(r.code, 0);
        QString folder = dir.filePath("out/csv");
        if (!outFolder) {
            const QStringList made = QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
            QCOMPARE(made.size(), 1);
            QVERIFY2(QRegularExpression("^csv_\\d{4}(_\\d\\d){5}_\\d{3}$").match(made[0]).hasMatch(),
                     qPrintable(made[0]));
            folder = dir.filePath(made[0]);
        }
        const QStringList expected{"run_connection1_1.csv", "run_connection1_aux_1.csv",
                                   "run_connection2_1.csv"};
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), expected);
        QStringList printed;
        for (const QString &name : expected)
            printed << QDir(folder).absoluteFilePath(name);
        QCOMPARE(QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts), printed);
    }

    // Connection 1 holds frames of 3 and 2 lines, connection 2 one frame of 4 lines.
    void pointClouds_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QVector<int>>("linesInFile");
        for (const char *f : {"ply", "pcd"}) {
            const QString s = QString::fromLatin1(f);
            QTest::addRow("%s, one file per frame", f)
                << s << QStringList{}
                << QStringList{"run_connection1_frame1." + s, "run_connection1_frame2." + s,
                               "run_connection2_frame1." + s}
                << QVector<int>{3, 2, 4};
            QTest::addRow("%s, frame 2 only", f)
                << s << QStringList{"--frames", "2"} << QStringList{"run_connection1_frame2." + s}
                << QVector<int>{2};
            QTest::addRow("%s, merged", f)
                << s << QStringList{"--merge"} << QStringList{"run_all." + s} << QVector<int>{9};
        }
    }
    void pointClouds()
    {
        QFETCH(QString, format);
        QFETCH(QStringList, options);
        QFETCH(QStringList, files);
        QFETCH(QVector<int>, linesInFile);
        QTemporaryDir dir;
        const QString log = dir.filePath("run.vbl");
        QVERIFY(writeFrames(log, {3, 2, 4}, {0, 0, 1}));
        const Run r = run(QStringList{format, log, "--out", dir.filePath("points")} + options);
        QCOMPARE(r.code, 0);
        QCOMPARE(QDir(dir.filePath("points")).entryList(QDir::Files, QDir::Name), files);
        QCOMPARE(QString::fromUtf8(r.out).count('\n'), files.size());
        for (int i = 0; i < files.size(); ++i) {
            const Cloud c = parseCloud(dir.filePath("points/" + files[i]));
            QCOMPARE(c.declared, linesInFile[i] * pointsPerLine());
            QCOMPARE(c.stored, c.declared);
            // Spot 1's echo at (1, 0, z) turned 90 degrees about z and moved by (1, 2, 3).
            QCOMPARE(c.first[0], 1.0f);
            QCOMPARE(c.first[1], 3.0f);
        }
    }

    void recordFromSimulator_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::newRow("after --seconds") << "seconds";
        QTest::newRow("SIGTERM") << "term";
        QTest::newRow("SIGKILL") << "kill";
    }
    void recordFromSimulator()
    {
        QFETCH(QString, ending);
        Vexa3dSim::SensorSimulator sim;
        QVERIFY(SimulatorSupport::startInPortRange(sim));
        QTemporaryDir dir;
        const QString file = dir.filePath("live.vbl");
        QStringList arguments{"record", QStringLiteral("127.0.0.1:%1").arg(sim.port()), "--out", file,
                              "--aux"};
        if (ending == "seconds")
            arguments << "--seconds"
                      << "1.5";
        QProcess process;
        process.start(QStringLiteral(TAVIRO_LOG_TOOL), arguments);
        QVERIFY(process.waitForStarted());
        if (ending != "seconds") {
            // Some blocks on disk first.
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(file).size() > 200000, 20000);
            ending == "term" ? process.terminate() : process.kill();
        }
        QVERIFY(process.waitForFinished(30000));
        const QByteArray out = process.readAllStandardOutput();
        FileDevice device;
        QVERIFY(device.openFile(file));
        if (ending == "kill") {
            QCOMPARE(process.exitStatus(), QProcess::CrashExit);
            // Readable up to its last whole block.
            (void)device.indexNow();
            QVERIFY(!device.logIndex().isCorrupted() || device.logIndex().status == LogIndex::Truncated);
        } else {
            QCOMPARE(process.exitStatus(), QProcess::NormalExit);
            QCOMPARE(process.exitCode(), 0);
            QVERIFY(device.indexNow());
            const qint64 lines = summaryValue(out, "lines received");
            const qint64 aux = summaryValue(out, "auxiliary packets received");
            QVERIFY2(lines > 0 && aux > 0, out.constData());
            QVERIFY2(out.contains(QStringLiteral("blocks written: %1 of %1\n").arg(lines + aux).toLatin1()),
                     out.constData());
            QCOMPARE(qint64(device.recordCount()), lines + aux);
            QCOMPARE(qint64(device.logIndex().measurementCount), lines);
        }
        const int blocks = device.recordCount();
        QVERIFY(blocks > 0);
        int read = 0;
        QSharedPointer<SensorData> frame;
        QVector3D position, rotation;
        while (device.readRecord(frame, position, rotation, true) == 0)
            ++read;
        QCOMPARE(read, blocks);
    }

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

QTEST_MAIN(tst_LogTool)
#include "tst_logtool.moc"
