// The recorder manager's nodes and actions, the frames it hands on, and the recorders' starts and stops
// as the user sees them.
#include "BoolProperty.h"
#include "CsvDataRecorder.h"
#include "DRALAuxiliaryData.h"
#include "DRALMeasurementData.h"
#include "DataRecorderSource.h"
#include "FileProperty.h"
#include "FolderProperty.h"
#include "IntegerProperty.h"
#include "PropertyItem.h"
#include "RecorderManager.h"
#include "T3dDataRecorder.h"
#include "TestSupport.h"

#include <QAction>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class Source : public DataRecorderSource
{
public:
    int connectionCount() const override { return 2; }
    bool isRecordingAllowed() const override { return allowed; }
    void send(uint index, const QSharedPointer<SensorData> &data)
    {
        emit sourceDataReady(index, data, QVector3D(1, 2, 3), QVector3D(0, 0, 90));
    }
    bool allowed = true;
};

QSharedPointer<SensorData> line()
{
    auto l = QSharedPointer<DRALMeasurementData>::create(VEXA3D_SPEC_T{});
    l->data()->receivedSpotCount = 2;
    l->data()->spots[0].count = 1;
    l->data()->spots[1].count = 1;
    return l;
}

QSharedPointer<SensorData> packet()
{
    VEXA3D_AUXILIARY_DATA_T p;
    p.sampleCount = 1;
    return QSharedPointer<DRALAuxiliaryData>::create(p, VEXA3D_SPEC_T{});
}

// What a log file writer would be handed: the records in order, and whether it was closed.
struct Written
{
    QString fileName;
    bool compression = false;
    QVector<FileRecord::file_record_t> records;
    bool closed = false;
};

class CollectingSink : public RecordSink
{
public:
    explicit CollectingSink(std::shared_ptr<Written> out) : m_out(std::move(out)) {}
    Result open() override { return Result::Done; }
    Result write(const FileRecord::file_record_t &record) override
    {
        m_out->records.append(record);
        return record.data->dataType() ? Result::Done : Result::Skipped;
    }
    Result flush() override { return Result::Done; }
    Result close() override
    {
        m_out->closed = true;
        return Result::Done;
    }
    QString errorString() const override { return QString(); }

private:
    std::shared_ptr<Written> m_out;
};

class CollectingLogRecorder : public T3dDataRecorder
{
public:
    std::shared_ptr<Written> written = std::make_shared<Written>();

protected:
    std::unique_ptr<RecordSink> createSink(const QString &fileName, bool compression) const override
    {
        written->fileName = fileName;
        written->compression = compression;
        return std::make_unique<CollectingSink>(written);
    }
};

CsvDataRecorder *csv(RecorderManager &manager, int i)
{
    return qobject_cast<CsvDataRecorder *>(manager.recorders().at(i));
}

} // namespace

class tst_RecorderManager : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void startsWithOneRecorderPerKind()
    {
        RecorderManager manager;
        QCOMPARE(manager.rootProperty()->name(), QStringLiteral("Recorders"));
        QCOMPARE(manager.rootProperty()->key(), QStringLiteral("recorders"));
        QVERIFY(!manager.rootProperty()->settable());
        const QVector<PropertyItem *> nodes = manager.rootProperty()->children();
        QCOMPARE(nodes.size(), 2);
        QCOMPARE(nodes[0]->name(), QStringLiteral("VBL Recorder"));
        QCOMPARE(nodes[0]->key(), QStringLiteral("vbl_recorder"));
        QCOMPARE(nodes[1]->name(), QStringLiteral("CSV Recorder"));
        QCOMPARE(nodes[1]->key(), QStringLiteral("csv_recorder"));
        QStringList keys;
        for (const PropertyItem *node : nodes)
            for (const PropertyItem *setting : node->children())
                keys << setting->key();
        QCOMPARE(keys, QStringList(
                           {"file_name", "record_count", "use_compression", "folder_name", "record_count"}));
        QVERIFY(manager.removeAction()->isEnabled());
    }

    void addAndRemove_data()
    {
        QTest::addColumn<int>("kinds");
        QTest::addColumn<QList<int>>("afterEachStep"); // add, add, remove, remove, remove
        QTest::newRow("two kinds") << 2 << QList<int>{4, 6, 4, 2, 1};
        QTest::newRow("one kind") << 1 << QList<int>{2, 3, 2, 1, 1};
        QTest::newRow("log and CSV") << -2 << QList<int>{4, 6, 4, 2, 1};
    }

    void addAndRemove()
    {
        QFETCH(int, kinds);
        QFETCH(QList<int>, afterEachStep);
        QList<RecorderFactory::RecorderType> types;
        for (int i = 0; i < qAbs(kinds); ++i)
            types << (kinds < 0 && i == 0 ? RecorderFactory::VblRecorder : RecorderFactory::CsvRecorder);
        RecorderManager manager(types, nullptr);
        QCOMPARE(manager.recorders().size(), qAbs(kinds));
        for (int step = 0; step < afterEachStep.size(); ++step) {
            (step < 2 ? manager.addAction() : manager.removeAction())->trigger();
            QCOMPARE(manager.recorders().size(), afterEachStep[step]);
            QCOMPARE(manager.rootProperty()->children().size(), afterEachStep[step]);
            QCOMPARE(manager.removeAction()->isEnabled(), afterEachStep[step] > 1);
        }
    }

    // Frames reach every recorder; index 1 lands in the connection 2 files only.
    void framesReachEveryRecorder()
    {
        QTemporaryDir dirs[2];
        Source source;
        RecorderManager manager({RecorderFactory::CsvRecorder, RecorderFactory::CsvRecorder}, nullptr);
        manager.setSource(&source);
        QSignalSpy errors(&manager, &RecorderManager::errorBroadCast);
        for (int i = 0; i < 2; ++i) {
            csv(manager, i)->folderProperty()->setFoldername(dirs[i].path());
            QSignalSpy started(csv(manager, i), &DataRecorder::recordingStarted);
            csv(manager, i)->startAction()->trigger();
            QVERIFY(started.wait());
            QVERIFY(!csv(manager, i)->startAction()->isEnabled());
            QVERIFY(csv(manager, i)->folderProperty()->readOnly());
        }
        source.send(1, line());
        source.send(1, packet());
        source.send(1, QSharedPointer<SensorData>::create()); // neither kind: counted, not written
        QSignalSpy stopped0(csv(manager, 0), &DataRecorder::recordingStopped);
        QSignalSpy stopped1(csv(manager, 1), &DataRecorder::recordingStopped);
        manager.stopAction()->trigger();
        QTRY_COMPARE(stopped0.count() + stopped1.count(), 2);
        for (int i = 0; i < 2; ++i) {
            QTRY_COMPARE(csv(manager, i)->recordCountProperty()->intValue(), 3);
            QVERIFY(csv(manager, i)->startAction()->isEnabled());
            QVERIFY(!csv(manager, i)->folderProperty()->readOnly());
            const QStringList files = QDir(dirs[i].path()).entryList(QDir::Files, QDir::Name);
            QCOMPARE(files.size(), 2);
            QVERIFY2(files[0].endsWith("_connection2_1.csv") && files[1].endsWith("_connection2_aux_1.csv"),
                     qPrintable(files.join(' ')));
        }
        QCOMPARE(errors.count(), 0);
    }

    void recordingNotAllowed()
    {
        QTemporaryDir dir;
        Source source;
        source.allowed = false;
        RecorderManager manager({RecorderFactory::CsvRecorder}, nullptr);
        manager.setSource(&source);
        QSignalSpy errors(&manager, &RecorderManager::errorBroadCast);
        csv(manager, 0)->folderProperty()->setFoldername(dir.path());
        QSignalSpy stopped(csv(manager, 0), &DataRecorder::recordingStopped);
        csv(manager, 0)->startRecording();
        QVERIFY(stopped.wait());
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(),
                 QStringLiteral("Recording is not allowed in the current connection state"));
        QVERIFY(!csv(manager, 0)->isRunning());
        QVERIFY(csv(manager, 0)->startAction()->isEnabled());
    }

    void csvStartRefused_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("message");
        QTest::newRow("placeholder") << QString() << "No folder has been chosen for the CSV files";
        QTest::newRow("missing folder") << "missing"
                                        << "The folder %1 does not exist";
    }

    void csvStartRefused()
    {
        QFETCH(QString, folder);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(folder);
        RecorderManager manager({RecorderFactory::CsvRecorder}, nullptr);
        QSignalSpy errors(&manager, &RecorderManager::errorBroadCast);
        if (!folder.isEmpty())
            csv(manager, 0)->folderProperty()->setFoldername(path);
        manager.startAction()->trigger();
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), folder.isEmpty() ? message : message.arg(path));
        QVERIFY(!csv(manager, 0)->isRunning());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 0);
    }

    void logFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("errors");
        QTest::newRow("suffix in capitals") << "recording.VBL" << 0;
        QTest::newRow("other suffix") << "recording.csv" << 1;
        QTest::newRow("placeholder") << QString() << 1;
    }

    void logFileName()
    {
        QFETCH(QString, name);
        QFETCH(int, errors);
        QTemporaryDir dir;
        T3dDataRecorder recorder;
        QSignalSpy found(&recorder, &DataRecorder::errorFound);
        if (!name.isEmpty())
            recorder.fileProperty()->setFilename(dir.filePath(name));
        recorder.startAction()->trigger();
        recorder.stopRecording();
        QCOMPARE(found.count(), errors);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1 - errors);
        if (errors)
            QCOMPARE(found.at(0).at(0).toString(), QStringLiteral("File is incorrect"));
        QCOMPARE(recorder.filename(), recorder.fileProperty()->value().toString());
    }

    // The log recorder hands its writer every record queued before Stop, in order, then closes it.
    void logRecorderFeedsItsWriter()
    {
        CollectingLogRecorder recorder;
        recorder.fileProperty()->setFilename(QStringLiteral("run.vbl"));
        recorder.compressionProperty()->setBoolValue(false);
        QSignalSpy started(&recorder, &DataRecorder::recordingStarted);
        recorder.startRecording();
        QVERIFY(started.wait());
        QVERIFY(!recorder.startAction()->isEnabled());
        QVERIFY(recorder.fileProperty()->readOnly() && recorder.compressionProperty()->readOnly());
        const QSharedPointer<SensorData> frames[] = {line(), QSharedPointer<SensorData>::create(), packet()};
        for (quint32 i = 0; i < 3; ++i)
            recorder.addRecord({i, frames[i], QVector3D(1, 2, 3), QVector3D(0, 0, 90), QString::number(i)});
        QSignalSpy stopped(&recorder, &DataRecorder::recordingStopped);
        recorder.stopAction()->trigger();
        QVERIFY(stopped.wait());
        const Written &w = *recorder.written;
        QCOMPARE(w.fileName, QStringLiteral("run.vbl"));
        QVERIFY(!w.compression);
        QVERIFY(w.closed);
        QCOMPARE(w.records.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(w.records[i].index, quint32(i));
            QCOMPARE(w.records[i].data, frames[i]);
            QCOMPARE(w.records[i].position, QVector3D(1, 2, 3));
            QCOMPARE(w.records[i].rotation, QVector3D(0, 0, 90));
        }
        QCOMPARE(recorder.recordCountProperty()->intValue(), 2); // the frame of no kind is not a block
        QVERIFY(recorder.startAction()->isEnabled() && !recorder.fileProperty()->readOnly());
        recorder.addRecord({0, line(), {}, {}, {}}); // stopped: dropped
        QCOMPARE(w.records.size(), 3);
    }
};

QTEST_MAIN(tst_RecorderManager)
#include "tst_recordermanager.moc"
