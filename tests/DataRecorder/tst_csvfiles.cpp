// CSV rows of lines and packets, the file set (naming, routing by connection, rotation, failing disks) and
// the recorder thread that writes them: what was queued before a stop is written, a failing output ends
// the recording with a message, and records that arrive while it is stopped are dropped.
#include "CrossThreadSpy.h"
#include "CsvFileSet.h"
#include "CsvRecordSink.h"
#include "CsvRowWriter.h"
#include "DRALAuxiliaryData.h"
#include "DRALMeasurementData.h"
#include "LogTestSupport.h"
#include "RecorderWorker.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

namespace {

VEXA3D_SENSOR_INFO_T sensorInfo(const char *product = "VX-100", int swdr = 0)
{
    VEXA3D_SENSOR_INFO_T info;
    std::strncpy(info.product, product, sizeof info.product - 1);
    info.spec.swdr = uint8_t(swdr);
    return info;
}

// A line of the default geometry with `spots` received spots of `echoes` echoes each.
QSharedPointer<DRALMeasurementData> makeLine(int spots, int echoes)
{
    auto line = QSharedPointer<DRALMeasurementData>::create(VEXA3D_SPEC_T{});
    VEXA3D_MEASUREMENT_DATA_T &d = *line->data();
    d.timestamp = 4000000000u;
    d.frameNumber = 5;
    d.motorFieldNumber = 6;
    d.remFieldNumber = 7;
    d.lineNumber = 8;
    d.receivedSpotCount = uint16_t(spots);
    for (int s = 0; s < spots; ++s) {
        d.spots[s].count = uint32_t(echoes);
        for (int e = 0; e < echoes; ++e) {
            d.spots[s].echoes[e] = {1.5e-05 + s, 0.1 * e, -0.2, 99u, 0u};
            d.spots[s].points[e] = {1.0, -0.0, 123456789.0, 99u, 0u};
        }
    }
    return line;
}

QSharedPointer<DRALAuxiliaryData> makePacket(int samples)
{
    VEXA3D_AUXILIARY_DATA_T p;
    p.timestamp = 1000;
    p.kinds = 7; // no temperature: its raw value stays 0
    p.sampleCount = uint32_t(samples);
    for (int i = 0; i < samples; ++i)
        p.samples[i] = {1000 + i, i, 32767, -32767, i, 16384, -1, 100, -123, 0, 0};
    return QSharedPointer<DRALAuxiliaryData>::create(p, VEXA3D_SPEC_T{});
}

QList<QByteArray> rowsOf(const CsvBuffer &buffer)
{
    QList<QByteArray> rows = QByteArray(buffer.data(), int(buffer.size())).split('\n');
    rows.removeLast(); // after the last "\r\n"
    return rows;
}

// Records share one line, as every recorder shares the frames of a connection.
FileRecord::file_record_t lineRecord(quint32 index = 0)
{
    static const QSharedPointer<SensorData> line = makeLine(1, 1);
    FileRecord::file_record_t record;
    record.index = index;
    record.data = line;
    return record;
}

int rowsIn(const QString &name)
{
    return LogTest::readAll(name).count("\r\n") - 1;
}

std::unique_ptr<RecordSink> sinkIn(const QString &folder, CsvFileSet::DeviceMaker maker = {})
{
    return std::make_unique<CsvRecordSink>(folder, QStringLiteral("t"), VEXA3D_SENSOR_INFO_T{},
                                           std::move(maker));
}

} // namespace

class tst_CsvFiles : public QObject
{
    Q_OBJECT
private slots:
    void measurementRows_data()
    {
        QTest::addColumn<int>("spots");
        QTest::addColumn<int>("echoes");
        QTest::newRow("74 spots of 4 echoes") << 74 << 4;
        QTest::newRow("10 spots received of 74") << 10 << 4;
        QTest::newRow("one echo per spot") << 74 << 1;
        QTest::newRow("nothing received") << 0 << 4;
    }

    void measurementRows()
    {
        QFETCH(int, spots);
        QFETCH(int, echoes);
        CsvBuffer out;
        const int rows =
            CsvRowWriter(sensorInfo()).appendMeasurementRows(out, *makeLine(spots, echoes)->data());
        const QList<QByteArray> lines = rowsOf(out);
        QCOMPARE(rows, spots * echoes);
        QCOMPARE(lines.size(), spots * echoes);
        for (int i = 0; i < lines.size(); ++i) {
            const QList<QByteArray> f = lines[i].split(',');
            QCOMPARE(f.size(), 14);
            QCOMPARE(f[5].toInt(), i / echoes); // spots in order, echoes in order within each
            QCOMPARE(f[6].toInt(), i % echoes);
            QVERIFY(lines[i].endsWith('\r'));
        }
    }

    // The header names the field numbers by sensor family; the angle columns follow the scan directions.
    void text_data()
    {
        QTest::addColumn<QByteArray>("product");
        QTest::addColumn<int>("swdr");
        QTest::addColumn<QByteArray>("fields");
        QTest::addColumn<QByteArray>("row");
        QTest::newRow("KRX, first angle vertical")
            << QByteArray("KRX-20") << 0 << QByteArray("h_field,v_field")
            << QByteArray("4000000000,5,6,7,8,0,1,1.5e-05,99,-0.2,0.1,1,-0,1.23457e+08\r\n");
        QTest::newRow("others, scan directions swapped")
            << QByteArray("KR") << 1 << QByteArray("motor_field,rem_field")
            << QByteArray("4000000000,5,6,7,8,0,1,1.5e-05,99,0.1,-0.2,1,-0,1.23457e+08\r\n");
    }
    void text()
    {
        QFETCH(QByteArray, product);
        QFETCH(int, swdr);
        QFETCH(QByteArray, fields);
        QFETCH(QByteArray, row);
        CsvBuffer out;
        const CsvRowWriter writer(sensorInfo(product.constData(), swdr));
        writer.appendMeasurementHeader(out);
        (void)writer.appendMeasurementRows(out, *makeLine(1, 2)->data());
        const QList<QByteArray> rows = rowsOf(out);
        QCOMPARE(rows.at(0) + '\n',
                 "timestamp_ms,frame," + fields +
                     ",line,spot,echo,range_m,level,h_angle_rad,v_angle_rad,x_m,y_m,z_m\r\n");
        QCOMPARE(rows.at(2) + '\n', row);
    }

    void auxiliaryRow_data()
    {
        QTest::addColumn<int>("samples");
        QTest::addColumn<QByteArray>("text");
        const QByteArray header =
            "timestamp_ms,gyro_x,gyro_y,gyro_z,accel_x,accel_y,accel_z,compass_x,compass_y,"
            "compass_z,temperature\r\n";
        QTest::newRow("ten samples: first time, last values")
            << 10 << header + "1000,0.137333,500,-500,0.00109867,2.00006,-0.000122074,15,-18.45,0,21\r\n";
        QTest::newRow("no sample writes no row") << 0 << header;
    }

    void auxiliaryRow()
    {
        QFETCH(int, samples);
        QFETCH(QByteArray, text);
        CsvBuffer out;
        const CsvRowWriter writer(sensorInfo());
        writer.appendAuxiliaryHeader(out);
        QCOMPARE(writer.appendAuxiliaryRow(out, *makePacket(samples)->data()), samples ? 1 : 0);
        QCOMPARE(QByteArray(out.data(), int(out.size())), text);
    }

    void routing_data()
    {
        QTest::addColumn<QList<int>>("lineIndexes");
        QTest::addColumn<QList<int>>("packetIndexes");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("lines of connection 1 only")
            << QList<int>{0, 0, 0} << QList<int>{} << QStringList{"r_connection1_1.csv"};
        QTest::newRow("index 1 goes to connection 2")
            << QList<int>{1} << QList<int>{1}
            << QStringList{"r_connection2_1.csv", "r_connection2_aux_1.csv"};
        QTest::newRow("every other index too")
            << QList<int>{} << QList<int>{7} << QStringList{"r_connection2_aux_1.csv"};
        QTest::newRow("both connections")
            << QList<int>{0, 1} << QList<int>{0}
            << QStringList{"r_connection1_1.csv", "r_connection1_aux_1.csv", "r_connection2_1.csv"};
    }

    void routing()
    {
        QFETCH(QList<int>, lineIndexes);
        QFETCH(QList<int>, packetIndexes);
        QFETCH(QStringList, files);
        QTemporaryDir dir;
        {
            CsvFileSet set(dir.filePath("r"), sensorInfo());
            for (int index : lineIndexes)
                QCOMPARE(set.write(index, *makeLine(2, 1)), CsvFileSet::Result::Ok);
            for (int index : packetIndexes)
                QCOMPARE(set.write(index, *makePacket(3)), CsvFileSet::Result::Ok);
            QCOMPARE(set.close(), CsvFileSet::Result::Ok);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name), files);
    }

    void rotation_data()
    {
        QTest::addColumn<bool>("packets");
        QTest::addColumn<int>("perFile");
        QTest::newRow("lines: 200001 per file") << false << 200001;
        QTest::newRow("packets: 27601 per file") << true << 27601;
    }

    void rotation()
    {
        QFETCH(bool, packets);
        QFETCH(int, perFile);
        QTemporaryDir dir;
        const QSharedPointer<SensorData> frame =
            packets ? QSharedPointer<SensorData>(makePacket(1)) : QSharedPointer<SensorData>(makeLine(1, 1));
        CsvFileSet set(dir.filePath("r"), sensorInfo());
        for (int i = 0; i < perFile; ++i)
            QCOMPARE(set.write(0, *frame), CsvFileSet::Result::Ok);
        const QString part1 = CsvFileSet::fileName(dir.filePath("r"), 1, packets, 1);
        const QString part2 = CsvFileSet::fileName(dir.filePath("r"), 1, packets, 2);
        QVERIFY(!QFile::exists(part2));
        QCOMPARE(LogTest::readAll(part1).count("\r\n"), 1 + perFile); // closed: everything is on disk
        QCOMPARE(set.write(0, *frame), CsvFileSet::Result::Ok);
        QCOMPARE(set.close(), CsvFileSet::Result::Ok);
        const QByteArray second = LogTest::readAll(part2);
        QCOMPARE(second.count("\r\n"), 2);
        QVERIFY(second.startsWith("timestamp_ms,"));
        QCOMPARE(set.fileNames(), (QStringList{part1, part2}));
    }

    // room: bytes the disk takes, 0 for a missing folder; linesOnDisk -1: no file.
    void writeFailure_data()
    {
        QTest::addColumn<qint64>("room");
        QTest::addColumn<int>("linesOnDisk");
        QTest::addColumn<QString>("message");
        QTest::newRow("folder missing") << qint64(0) << -1 << "Cannot create the file %1: ";
        QTest::newRow("full before the header")
            << qint64(10) << 0 << "Cannot write the file %1: No space left on device";
        QTest::newRow("full in the middle of a row")
            << qint64(1000) << 5 << "Cannot write the file %1: No space left on device";
    }

    void writeFailure()
    {
        QFETCH(qint64, room);
        QFETCH(int, linesOnDisk);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString prefix = dir.filePath(room ? "r" : "missing/r");
        CsvFileSet set(prefix, sensorInfo(), [room](const QString &name) {
            return std::unique_ptr<QIODevice>(room ? new LogTest::FillingFile(name, room) : new QFile(name));
        });
        const QString name = CsvFileSet::fileName(prefix, 1, false, 1);
        CsvFileSet::Result result = set.write(0, *makeLine(4, 1));
        if (room) {
            QCOMPARE(result, CsvFileSet::Result::Ok);
            result = set.flush();
        }
        if (linesOnDisk > 0) {
            QCOMPARE(result, CsvFileSet::Result::Ok);
            QCOMPARE(set.write(0, *makeLine(74, 4)), CsvFileSet::Result::Ok);
            result = set.flush();
        }
        QCOMPARE(result, CsvFileSet::Result::Failed);
        QVERIFY2(set.errorString().startsWith(message.arg(name)), qPrintable(set.errorString()));
        // Cut back to the last whole row written.
        const QByteArray onDisk = LogTest::readAll(name);
        QCOMPARE(set.fileNames().size(), room ? 1 : 0);
        QCOMPARE(onDisk.count("\r\n"), qMax(0, linesOnDisk));
        QVERIFY(linesOnDisk <= 0 ? onDisk.isEmpty() : onDisk.endsWith("\r\n"));
    }

    void stopWritesWhatWasQueued_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("pauseMs");
        QTest::newRow("one record, stopped at once") << 1 << 0;
        QTest::newRow("5000 records, stopped at once") << 5000 << 0;
        QTest::newRow("5000 records after the worker idled") << 5000 << 50;
    }

    void stopWritesWhatWasQueued()
    {
        QFETCH(int, records);
        QFETCH(int, pauseMs);
        QTemporaryDir dir;
        RecorderWorker worker;
        CrossThreadSpy written(&worker, &RecorderWorker::recordWritten);
        CrossThreadSpy errors(&worker, &RecorderWorker::errorFound);
        QVERIFY(worker.startWorker(sinkIn(dir.path())));
        QThread::msleep(ulong(pauseMs));
        for (int i = 0; i < records; ++i)
            worker.enqueue(lineRecord());
        worker.stopWorker();
        QCOMPARE(rowsIn(dir.filePath("t_connection1_1.csv")), records);
        QCOMPARE(written.count(), records);
        QCOMPARE(errors.count(), 0);
    }

    void stoppedWorkerDropsRecords()
    {
        QTemporaryDir dir;
        RecorderWorker worker;
        worker.enqueue(lineRecord());
        QVERIFY(worker.startWorker(sinkIn(dir.path())));
        QVERIFY(!worker.startWorker(sinkIn(dir.path()))); // one recording at a time
        worker.enqueue(lineRecord(1));
        worker.stopWorker();
        worker.enqueue(lineRecord());
        QVERIFY(!worker.isAccepting());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"t_connection2_1.csv"});
        QCOMPARE(rowsIn(dir.filePath("t_connection2_1.csv")), 1);
    }

    // The recorder manager's tests see a missing folder refused at the start.
    void failureEndsTheRecording()
    {
        QTemporaryDir dir;
        RecorderWorker worker;
        CrossThreadSpy errors(&worker, &RecorderWorker::errorFound);
        CrossThreadSpy written(&worker, &RecorderWorker::recordWritten);
        QVERIFY(worker.startWorker(sinkIn(dir.path(), [](const QString &name) {
            return std::unique_ptr<QIODevice>(new LogTest::FillingFile(name, 0));
        })));
        worker.enqueue(lineRecord());
        QVERIFY(worker.wait(5000));
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(),
                 QStringLiteral("Cannot write the file %1/t_connection1_1.csv: No space left on device")
                     .arg(dir.path()));
        QCOMPARE(written.count(), 0);
        QVERIFY(!worker.isAccepting());
    }
};

QTEST_GUILESS_MAIN(tst_CsvFiles)
#include "tst_csvfiles.moc"
