// The recorder thread: what was queued before a stop is written, a failing output ends the recording
// with a message, and records that arrive while it is stopped are dropped.
#include "CrossThreadSpy.h"
#include "CsvRecordSink.h"
#include "DRALMeasurementData.h"
#include "RecorderWorker.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Records share one line, as every recorder shares the frames of a connection.
FileRecord::file_record_t lineRecord(quint32 index = 0)
{
    static const QSharedPointer<DRALMeasurementData> line = [] {
        auto l = QSharedPointer<DRALMeasurementData>::create(VEXA3D_SPEC_T{});
        l->data()->receivedSpotCount = 1;
        l->data()->spots[0].count = 1;
        return l;
    }();
    FileRecord::file_record_t record;
    record.index = index;
    record.data = line;
    return record;
}

int rowsIn(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll().count("\r\n") - 1 : -1;
}

std::unique_ptr<RecordSink> sinkIn(const QString &folder, CsvFileSet::DeviceMaker maker = {})
{
    return std::make_unique<CsvRecordSink>(folder, QStringLiteral("t"), VEXA3D_SENSOR_INFO_T{},
                                           std::move(maker));
}

class FullDisk : public QFile
{
public:
    using QFile::QFile;

protected:
    qint64 writeData(const char *, qint64) override
    {
        setErrorString(QStringLiteral("No space left on device"));
        return -1;
    }
};

} // namespace

class tst_RecorderWorker : public QObject
{
    Q_OBJECT
private slots:
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

    void failureEndsTheRecording_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<QString>("message");
        QTest::newRow("folder missing") << "missing" << false << "The folder %1 does not exist";
        QTest::newRow("disk full") << "" << true
                                   << "Cannot write the file %1/t_connection1_1.csv: No space left on device";
    }

    void failureEndsTheRecording()
    {
        QFETCH(QString, folder);
        QFETCH(bool, fullDisk);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(folder);
        CsvFileSet::DeviceMaker maker;
        if (fullDisk)
            maker = [](const QString &name) { return std::unique_ptr<QIODevice>(new FullDisk(name)); };
        RecorderWorker worker;
        CrossThreadSpy errors(&worker, &RecorderWorker::errorFound);
        CrossThreadSpy written(&worker, &RecorderWorker::recordWritten);
        QVERIFY(worker.startWorker(sinkIn(QDir::cleanPath(path), maker)));
        worker.enqueue(lineRecord());
        QVERIFY(worker.wait(5000));
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), message.arg(QDir::cleanPath(path)));
        QCOMPARE(written.count(), 0);
        QVERIFY(!worker.isAccepting());
    }
};

QTEST_GUILESS_MAIN(tst_RecorderWorker)
#include "tst_recorderworker.moc"
