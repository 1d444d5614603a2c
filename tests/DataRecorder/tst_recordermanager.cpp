// The recorder manager's add and remove, the frames it hands on, and the recorders' starts and refusals
// as the user sees them.
#include "CsvDataRecorder.h"
#include "DataRecorderSource.h"
#include "FileDevice.h"
#include "FileProperty.h"
#include "FolderProperty.h"
#include "IntegerProperty.h"
#include "LogTestSupport.h"
#include "PropertyItem.h"
#include "RecorderManager.h"
#include "T3dDataRecorder.h"
#include "TestSupport.h"
#include "VblRecordSink.h"

#include <QAction>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <future>

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

CsvDataRecorder *csv(RecorderManager &manager, int i)
{
    return qobject_cast<CsvDataRecorder *>(manager.recorders().at(i));
}

// A ".vbl" sink whose writes wait until the test opens the gate: a disk that cannot keep up.
class GatedSink : public VblRecordSink
{
public:
    GatedSink(const QString &file, const VEXA3D_SENSOR_INFO_T &info, std::shared_future<void> gate)
        : VblRecordSink(file, true, info), m_gate(std::move(gate))
    {
    }
    Result write(const FileRecord::file_record_t &record) override
    {
        m_gate.wait();
        return VblRecordSink::write(record);
    }

private:
    std::shared_future<void> m_gate;
};

// Lets the writes go; opening an open gate does nothing.
inline void openGate(std::promise<void> &gate)
{
    try {
        gate.set_value();
    } catch (const std::future_error &) {
    }
}

// A log recorder on a disk that takes nothing until the test opens the gate.
class HeldRecorder : public T3dDataRecorder
{
public:
    explicit HeldRecorder(std::shared_future<void> gate) : m_gate(std::move(gate)) {}

protected:
    std::unique_ptr<RecordSink> createSink(const QString &fileName, bool) const override
    {
        return std::make_unique<GatedSink>(fileName, currentSensorInfo(), m_gate);
    }

private:
    std::shared_future<void> m_gate;
};

} // namespace

class tst_RecorderManager : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void addAndRemove_data()
    {
        QTest::addColumn<QList<int>>("kinds");
        QTest::addColumn<QList<int>>("afterEachStep"); // add, add, remove, remove, remove
        QTest::newRow("log and CSV") << QList<int>{RecorderFactory::VblRecorder, RecorderFactory::CsvRecorder}
                                     << QList<int>{4, 6, 4, 2, 1};
        QTest::newRow("one kind") << QList<int>{RecorderFactory::CsvRecorder} << QList<int>{2, 3, 2, 1, 1};
    }
    void addAndRemove()
    {
        QFETCH(QList<int>, kinds);
        QFETCH(QList<int>, afterEachStep);
        QList<RecorderFactory::RecorderType> types;
        for (int kind : kinds)
            types << RecorderFactory::RecorderType(kind);
        RecorderManager manager(types, nullptr);
        QCOMPARE(manager.removeAction()->isEnabled(), kinds.size() > 1);
        for (int step = 0; step < afterEachStep.size(); ++step) {
            (step < 2 ? manager.addAction() : manager.removeAction())->trigger();
            QCOMPARE(manager.recorders().size(), afterEachStep[step]);
            QCOMPARE(manager.rootProperty()->children().size(), afterEachStep[step]);
            QCOMPARE(manager.removeAction()->isEnabled(), afterEachStep[step] > 1);
        }
    }

    // Frames reach every recorder; index 1 lands in the connection 2 files only. The settings are locked
    // while recording.
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
        source.send(1, LogTest::line(VEXA3D_SPEC_T{}, 10));
        source.send(1, LogTest::aux(20));
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

    // Stop returns while the file is still being written; a Start meanwhile is refused with a message, and
    // the recorder is back to stopped once every record queued before Stop is in the file.
    void stopLeavesTheWritingToTheThread()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("held.vbl");
        std::promise<void> gate;
        HeldRecorder recorder(gate.get_future().share());
        recorder.setSensorInfo(LogTest::sensorInfo());
        // A failing check must not leave the thread held (its owner's destructor waits for it).
        const auto release = qScopeGuard([&] { openGate(gate); });
        recorder.fileProperty()->setFilename(file);
        QSignalSpy started(&recorder, &DataRecorder::recordingStarted);
        QSignalSpy stopped(&recorder, &DataRecorder::recordingStopped);
        QSignalSpy errors(&recorder, &RecorderWorker::errorFound);
        recorder.startRecording();
        QVERIFY(started.wait());
        for (int i = 0; i < 5; ++i)
            recorder.addRecord(
                {0, LogTest::line(LogTest::sensorInfo().spec, quint32(i)), {}, {}, LogTest::timeText(i)});
        recorder.stopRecording();
        recorder.addRecord({0, LogTest::line(LogTest::sensorInfo().spec, 9), {}, {}, LogTest::timeText(9)});
        QVERIFY(recorder.isRunning());
        QVERIFY(!recorder.stopAction()->isEnabled() && !recorder.startAction()->isEnabled());
        recorder.startRecording();
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.at(0).at(0).toString(),
                 "The last recording is still being written; start again once it has finished");
        openGate(gate);
        QVERIFY(stopped.wait());
        QTRY_COMPARE(recorder.recordCountProperty()->intValue(), 5);
        QVERIFY(recorder.startAction()->isEnabled());
        FileDevice log;
        QVERIFY(log.openFile(file) && log.indexNow());
        QCOMPARE(log.recordCount(), 5);
    }

    // A start the connection state, the folder or the file name does not allow ends with one message and
    // no file; a log file name is taken whatever the case of its suffix.
    void startRefused_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name"); // "-": none chosen
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<QString>("message"); // empty: recording starts
        const int csv = RecorderFactory::CsvRecorder, log = RecorderFactory::VblRecorder;
        QTest::newRow("not allowed") << csv << "" << false
                                     << "Recording is not allowed in the current connection state";
        QTest::newRow("no folder chosen")
            << csv << "-" << true << "No folder has been chosen for the CSV files";
        QTest::newRow("missing folder") << csv << "missing" << true << "The folder %1 does not exist";
        QTest::newRow("no file chosen") << log << "-" << true << "File is incorrect";
        QTest::newRow("other suffix") << log << "recording.csv" << true << "File is incorrect";
        QTest::newRow("suffix in capitals") << log << "recording.VBL" << true << "";
    }
    void startRefused()
    {
        QFETCH(int, kind);
        QFETCH(bool, allowed);
        QFETCH(QString, name);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = QDir::cleanPath(dir.filePath(name));
        Source source;
        source.allowed = allowed;
        RecorderManager manager({RecorderFactory::RecorderType(kind)}, nullptr);
        manager.setSource(&source);
        DataRecorder *recorder = manager.recorders().at(0);
        QSignalSpy errors(&manager, &RecorderManager::errorBroadCast);
        if (name != "-" && kind == RecorderFactory::CsvRecorder)
            csv(manager, 0)->folderProperty()->setFoldername(path);
        else if (name != "-")
            qobject_cast<T3dDataRecorder *>(recorder)->fileProperty()->setFilename(path);
        manager.startAction()->trigger();
        if (message.isEmpty()) {
            QTRY_VERIFY(recorder->isRunning());
            manager.stopAction()->trigger();
        }
        QTRY_COMPARE(errors.count(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(errors.at(0).at(0).toString(), message.contains("%1") ? message.arg(path) : message);
        QTRY_VERIFY(!recorder->isRunning());
        QTRY_VERIFY(recorder->startAction()->isEnabled());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), message.isEmpty() ? 1 : 0);
    }
};

QTEST_MAIN(tst_RecorderManager)
#include "tst_recordermanager.moc"
