// The log recorder's writing: the file it makes byte for byte, a failing disk or a file that cannot be made
// reported with the name and the reason, and a failed block leaving a file that still reads up to its last
// whole block.
#include "CrossThreadSpy.h"
#include "FileDevice.h"
#include "LogTestSupport.h"
#include "RecorderWorker.h"
#include "VblRecordSink.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>

using namespace LogTest;

namespace {

FileRecord::file_record_t record(const VEXA3D_SENSOR_INFO_T &info, int i, quint32 connection)
{
    FileRecord::file_record_t r;
    r.index = connection;
    r.data = i % 5 == 4 ? QSharedPointer<SensorData>(aux(quint32(i))) : line(info.spec, quint32(1000 + i), i);
    r.position = QVector3D(float(i), 2, 3);
    r.rotation = QVector3D(0, 0, 90);
    r.time = timeText(i);
    return r;
}

struct Recorded
{
    int written = 0;
    QStringList errors;
};

Recorded record(std::unique_ptr<RecordSink> sink, const QVector<FileRecord::file_record_t> &records)
{
    RecorderWorker worker;
    CrossThreadSpy written(&worker, &RecorderWorker::recordWritten);
    CrossThreadSpy errors(&worker, &RecorderWorker::errorFound);
    if (!worker.startWorker(std::move(sink)))
        return {};
    for (const FileRecord::file_record_t &r : records)
        worker.enqueue(r);
    worker.stopWorker();
    QCoreApplication::processEvents();
    Recorded out;
    out.written = written.count();
    for (const QVariantList &call : errors.calls())
        out.errors << call.at(0).toString();
    return out;
}

// A line that notes the thread it ends on.
struct TrackedLine : DRALMeasurementData
{
    TrackedLine(std::atomic<QThread *> &end, const VEXA3D_SPEC_T &spec)
        : DRALMeasurementData(line(spec, 1)->data(), spec), m_end(end)
    {
    }
    ~TrackedLine() override { m_end = QThread::currentThread(); }
    std::atomic<QThread *> &m_end;
};

// The file as qCompress and the payload objects' own serializers make it.
QByteArray referenceFile(const VEXA3D_SENSOR_INFO_T &info, bool compressed,
                         const QVector<FileRecord::file_record_t> &records)
{
    VblWriter sections;
    sections.setSensorInfo(info);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QDataStream stream(&buffer);
    if (!writeVblHead(stream, compressed, info.product, sections.textSections()))
        return {};
    Vbl::VblSectionContext context(sensorParamsFromInfo(info), pointFieldsFromInfo(info),
                                   echoFieldsFromInfo(info), lineFieldsFromInfo(info));
    for (const FileRecord::file_record_t &r : records) {
        const QSharedPointer<SensorData> payload = Vbl::toPayload(r.data);
        QByteArray bytes;
        if (auto *l = dynamic_cast<Vbl::ScanPointData *>(payload.data())) {
            l->setSharedContext(&context);
            if (!l->serialize(bytes))
                return {};
        } else if (auto *a = dynamic_cast<Vbl::ImuAuxiliaryData *>(payload.data())) {
            if (!a->serialize(bytes))
                return {};
        }
        if (compressed)
            bytes = qCompress(bytes, 5);
        Vbl::SCAN_BLOCK_T header;
        header.offset = buffer.pos();
        header.index = qint32(r.index);
        header.length = quint32(bytes.size());
        for (int i = 0; i < 3; ++i) {
            header.position[i] = r.position[i];
            header.rotation[i] = r.rotation[i];
        }
        header.kind = quint8(payload->dataType());
        std::memcpy(header.dateTime, r.time.toLatin1().constData(), 23);
        buffer.write(reinterpret_cast<const char *>(&header), 64);
        buffer.write(bytes);
    }
    return buffer.data();
}

} // namespace

class tst_VblRecording : public QObject
{
    Q_OBJECT
private slots:
    // The recorder's file is block for block what qCompress and the payloads' own serializers make (the
    // log device reads such files back in its own tests); a frame of neither kind makes no block.
    void sameBytesAsReference()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("same.vbl");
        const VEXA3D_SENSOR_INFO_T info = sensorInfo(2);
        QVector<FileRecord::file_record_t> records;
        for (int i = 0; i < 40; ++i)
            records << record(info, i, quint32(i % 3));
        // A line cut short and a full auxiliary packet.
        records[7].data.staticCast<DRALMeasurementData>()->data()->receivedSpotCount = 9;
        records[9].data = aux(77, Vbl::MaxSamples);
        const QByteArray expected = referenceFile(info, true, records);
        QVERIFY(!expected.isEmpty());
        records.insert(20, {1, QSharedPointer<SensorData>::create(), {}, {}, {}});
        const Recorded done = record(std::make_unique<VblRecordSink>(file, true, info), records);
        QCOMPARE(done.errors, QStringList());
        QCOMPARE(done.written, 40);
        QVERIFY(readAll(file) == expected);
    }

    // A written frame ends on the thread that queues records while one does; else on the worker.
    void writtenFramesEndWhereTheyWereQueued_data()
    {
        QTest::addColumn<bool>("queueing");
        QTest::newRow("producer still queueing") << true;
        QTest::newRow("producer stopped") << false;
    }

    void writtenFramesEndWhereTheyWereQueued()
    {
        QFETCH(bool, queueing);
        QTemporaryDir dir;
        std::atomic<QThread *> end{nullptr};
        RecorderWorker worker;
        std::atomic<int> written{0};
        connect(&worker, &RecorderWorker::recordWritten, [&] { ++written; });
        QVERIFY(
            worker.startWorker(std::make_unique<VblRecordSink>(dir.filePath("t.vbl"), true, sensorInfo())));
        worker.enqueue({0, QSharedPointer<TrackedLine>::create(end, sensorInfo().spec), {}, {}, timeText(0)});
        QTRY_COMPARE(written.load(), 1);
        if (queueing)
            worker.enqueue(record(sensorInfo(), 2, 0));
        else
            worker.stopWorker();
        QVERIFY(end.load() != nullptr);
        QCOMPARE(end.load() == QThread::currentThread(), queueing);
        worker.stopWorker();
    }

    // room: bytes the disk takes (0: the folder is missing); blocks: whole blocks the file keeps.
    void writeFailureIsReported_data()
    {
        QTest::addColumn<qint64>("room");
        QTest::addColumn<int>("blocks");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder missing") << qint64(0) << -1 << "";
        QTest::newRow("full before the head") << qint64(10) << -1 << "No space left on device";
        QTest::newRow("full inside the third block") << qint64(-3) << 2 << "No space left on device";
    }

    void writeFailureIsReported()
    {
        QFETCH(qint64, room);
        QFETCH(int, blocks);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString file = dir.filePath(room ? "full.vbl" : "missing/run.vbl");
        const VEXA3D_SENSOR_INFO_T info = sensorInfo();
        QVector<FileRecord::file_record_t> records;
        for (int i = 0; i < 20; ++i)
            records << record(info, i * 5, 0); // lines only, all of one size
        if (room < 0) {
            // Find the size of the head and of one block from a good file.
            const QString probe = dir.filePath("probe.vbl");
            QCOMPARE(record(std::make_unique<VblRecordSink>(probe, false, info), records.mid(0, 1)).written,
                     1);
            FileDevice device;
            QVERIFY(device.openFile(probe));
            QVERIFY(device.indexNow());
            const qint64 head = device.logIndex().offsets.value(0);
            const qint64 block = QFileInfo(probe).size() - head;
            room = head + block * 2 + block / 2;
        }
        VblWriter::FileMaker maker;
        if (room)
            maker = [room](const QString &name) { return std::make_unique<FillingFile>(name, room, false); };
        const Recorded done = record(std::make_unique<VblRecordSink>(file, false, info, maker), records);
        QCOMPARE(done.errors.size(), 1);
        QVERIFY2(done.errors[0].startsWith(QStringLiteral("The file %1 could not be written: ").arg(file)) &&
                     done.errors[0].contains(reason),
                 qPrintable(done.errors[0]));
        QCOMPARE(done.written, qMax(blocks, 0));
        FileDevice device;
        QCOMPARE(device.openFile(file), blocks >= 0);
        if (blocks >= 0) {
            QVERIFY(device.indexNow()); // no damage: the failed block was cut off
            QCOMPARE(device.recordCount(), blocks);
        }
    }
};

QTEST_MAIN(tst_VblRecording)
#include "tst_vblrecording.moc"
