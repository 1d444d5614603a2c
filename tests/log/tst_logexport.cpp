// taviro3d-log's export and recording commands run as a user would: CSV files of a log, point clouds
// parsed back, and live recordings from the simulator ended by time, by SIGTERM and by SIGKILL.
#include "FileDevice.h"
#include "LogTestSupport.h"
#include "SimulatorSupport.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace LogTest;

namespace {

struct Run
{
    int code = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TAVIRO_LOG_TOOL), arguments);
    Run r;
    if (!process.waitForFinished(60000))
        return r;
    r.out = process.readAllStandardOutput();
    r.err = process.readAllStandardError();
    r.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return r;
}

// Lines of one frame number each: frames[i] lines of frame number 10 + i, on the given connection.
bool writeFrames(const QString &fileName, const QVector<int> &frames, const QVector<int> &connections)
{
    const VEXA3D_SENSOR_INFO_T info = sensorInfo();
    VblWriter writer;
    writer.setSensorInfo(info);
    if (!writer.open(fileName, true))
        return false;
    int t = 0;
    for (int f = 0; f < frames.size(); ++f)
        for (int l = 0; l < frames[f]; ++l) {
            const auto frame = line(info.spec, quint32(++t), 10 + f);
            if (!writer.writeFrame(connections[f], frame, QVector3D(1, 2, 3), QVector3D(0, 0, 90),
                                   timeText(t)))
                return false;
        }
    writer.close();
    return true;
}

// Points of one line of the test data: every received echo has a range above 0.
qint64 pointsPerLine()
{
    const VEXA3D_SPEC_T spec = sensorInfo().spec;
    const auto l = line(spec, 0, 10)->data();
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

// Reads a binary PLY or PCD file of this export back.
Cloud parseCloud(const QString &fileName)
{
    Cloud c;
    const QByteArray bytes = readAll(fileName);
    const bool ply = bytes.startsWith("ply\n");
    const QByteArray end = ply ? "end_header\n" : "DATA binary\n";
    const int headerEnd = bytes.indexOf(end);
    if (headerEnd < 0)
        return c;
    const QByteArray head = bytes.left(headerEnd);
    const QRegularExpression count(ply ? QStringLiteral("element vertex (\\d+)\n")
                                       : QStringLiteral("\nPOINTS (\\d+)\n"));
    const QRegularExpressionMatch m = count.match(QString::fromLatin1(head));
    if (!m.hasMatch())
        return c;
    if (ply && !head.contains("format binary_little_endian 1.0\n"))
        return c;
    if (!ply && !(head.contains("\nVERSION 0.7\n") && head.contains("\nSIZE 4 4 4 4 4 1 2 2 4\n")))
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
    const QRegularExpression re(QRegularExpression::escape(key) + QStringLiteral(": (\\d+)"));
    const QRegularExpressionMatch m = re.match(QString::fromLatin1(out));
    return m.hasMatch() ? m.captured(1).toLongLong() : -1;
}

} // namespace

class tst_LogExport : public QObject
{
    Q_OBJECT
private slots:
    void usage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        for (const char *command : {"csv", "ply", "pcd", "record"}) {
            const QString c = QString::fromLatin1(command);
            QTest::addRow("%s --help", command) << QStringList{c, "--help"} << 0;
            QTest::addRow("%s without arguments", command) << QStringList{c} << 2;
            QTest::addRow("%s unknown option", command) << QStringList{c, "x", "--bogus"} << 2;
        }
        QTest::newRow("csv of a missing log") << QStringList{"csv", "/nonexistent/run.vbl"} << 1;
        QTest::newRow("ply of a missing log") << QStringList{"ply", "/nonexistent/run.vbl"} << 1;
        QTest::newRow("ply frames backwards") << QStringList{"ply", "x.vbl", "--frames", "5-2"} << 2;
        QTest::newRow("record without --out") << QStringList{"record", "127.0.0.1"} << 2;
        QTest::newRow("record into a .csv") << QStringList{"record", "127.0.0.1", "--out", "a.csv"} << 2;
        QTest::newRow("record extended range")
            << QStringList{"record", "127.0.0.1", "--out", "a.vbl", "--data", "ra"} << 2;
        QTest::newRow("record with no sensor")
            << QStringList{"record", QStringLiteral("127.0.0.1:%1").arg(SimulatorSupport::closedPort()),
                           "--out", QDir::temp().filePath("taviro3d-nosensor.vbl")}
            << 1;
    }

    void usage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        const Run r = run(arguments);
        QCOMPARE(r.code, code);
        if (code == 0)
            QVERIFY(r.out.startsWith("Usage: taviro3d-log " + arguments[0].toLatin1()));
    }

    // connections: per frame; expected: the files made, in name order.
    void csvFiles_data()
    {
        QTest::addColumn<QVector<int>>("times");
        QTest::addColumn<QVector<int>>("connections");
        QTest::addColumn<bool>("outFolder");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("connection 1 lines only")
            << QVector<int>{100, 200} << QVector<int>{0, 0} << false << QStringList{"run_connection1_1.csv"};
        QTest::newRow("index 1 goes to connection 2 only")
            << QVector<int>{100, 200, -300} << QVector<int>{0, 1, 1} << false
            << QStringList{"run_connection1_1.csv", "run_connection2_1.csv", "run_connection2_aux_1.csv"};
        QTest::newRow("straight into --out")
            << QVector<int>{100, -150} << QVector<int>{0, 0} << true
            << QStringList{"run_connection1_1.csv", "run_connection1_aux_1.csv"};
    }

    void csvFiles()
    {
        QFETCH(QVector<int>, times);
        QFETCH(QVector<int>, connections);
        QFETCH(bool, outFolder);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        const QString log = dir.filePath("run.vbl");
        QVERIFY(writeVbl(log, true, times, connections));
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
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), expected);
        QStringList printed;
        for (const QString &name : expected)
            printed << QDir(folder).absoluteFilePath(name);
        QCOMPARE(QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts), printed);
    }

    // frames: lines per frame; connections: per frame; expected: files and their points in lines.
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
        // Connection 1: frames of 3 and 2 lines; connection 2: one frame of 4 lines.
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
            if (ending == "term")
                process.terminate();
            else
                process.kill();
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
};

QTEST_MAIN(tst_LogExport)
#include "tst_logexport.moc"
