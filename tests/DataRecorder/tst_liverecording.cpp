// The log recorder fed by the live device streaming from the simulator over loopback, as the viewer
// feeds it: the file read back through the log device holds every emitted line, equal line for line.
#include "BoolProperty.h"
#include "CrossThreadSpy.h"
#include "DRALCommunicationDevice.h"
#include "FileDevice.h"
#include "FileProperty.h"
#include "IntegerProperty.h"
#include "LogTestSupport.h"
#include "SimulatorSupport.h"
#include "T3dDataRecorder.h"
#include "TestSupport.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QtTest>

#include <mutex>

class tst_LiveRecording : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        TestSupport::isolateSettings();
        SimulatorSupport::freshPoolThreads();
    }

    void readsBackWhatTheDeviceEmitted_data()
    {
        QTest::addColumn<bool>("compression");
        QTest::addColumn<int>("mode");
        QTest::newRow("compressed, range and level with packets")
            << true << int(DistanceIntensityMode | AuxiliaryMode);
        QTest::newRow("plain, range only") << false << int(DistanceOnlyMode);
    }
    void readsBackWhatTheDeviceEmitted()
    {
        QFETCH(bool, compression);
        QFETCH(int, mode);
        Vexa3dSim::Config config;
        config.rate = 4;
        Vexa3dSim::SensorSimulator sim(config);
        QVERIFY(SimulatorSupport::startInPortRange(sim));
        DRALCommunicationDevice device;
        CrossThreadSpy initialized(&device, &DRALCommunicationDevice::deviceInitialized);
        QVERIFY(device.connectDevice("127.0.0.1", sim.port()));
        device.initialize();
        QTRY_COMPARE_WITH_TIMEOUT(initialized.count(), 1, 10000);

        QTemporaryDir dir;
        const QString file = dir.filePath("live.vbl");
        T3dDataRecorder recorder;
        recorder.setSensorInfo(device.sensorInfo());
        recorder.fileProperty()->setFilename(file);
        recorder.compressionProperty()->setBoolValue(compression);
        CrossThreadSpy errors(static_cast<RecorderWorker *>(&recorder), &RecorderWorker::errorFound);
        recorder.startRecording();
        QTRY_VERIFY(recorder.isRunning());

        std::mutex mutex;
        QVector<QSharedPointer<SensorData>> emitted;
        // On the streaming thread, as the recorder manager's dispatch runs.
        const auto take = [&](const QSharedPointer<SensorData> &frame) {
            recorder.addRecord({0, frame, QVector3D(1, 2, 3), QVector3D(0, 0, 45),
                                QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm:ss.zzz")});
            std::lock_guard<std::mutex> lock(mutex);
            emitted << frame;
        };
        connect(&device, &DRALCommunicationDevice::measurementDataReady, this, take, Qt::DirectConnection);
        connect(&device, &DRALCommunicationDevice::auxiliaryDataReady, this, take, Qt::DirectConnection);
        device.startMeasurement(mode);
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                std::lock_guard<std::mutex> lock(mutex);
                return emitted.size() >= 300;
            }(),
            20000);
        device.stopMeasurement(); // no frame is emitted after this returns
        QSignalSpy stopped(&recorder, &DataRecorder::recordingStopped);
        recorder.stopRecording(); // returns at once: the queue is written on the recorder's thread
        QVERIFY(stopped.wait(30000));
        QCOMPARE(errors.count(), 0);
        QTRY_COMPARE(recorder.recordCountProperty()->intValue(), emitted.size());
        (void)device.disconnectDevice();

        FileDevice log;
        QVERIFY(log.openFile(file));
        QVERIFY(log.indexNow());
        QCOMPARE(log.recordCount(), emitted.size());
        for (const QSharedPointer<SensorData> &want : qAsConst(emitted)) {
            QSharedPointer<SensorData> got;
            QVector3D position, rotation;
            QCOMPARE(log.readRecord(got, position, rotation, true), 0);
            QCOMPARE(rotation, QVector3D(0, 0, 45));
            QCOMPARE(got->dataType(), want->dataType());
            QCOMPARE(got->timestamp(), want->timestamp());
            if (const auto line = want.dynamicCast<DRALMeasurementData>())
                QCOMPARE(
                    LogTest::lineDifference(*got.staticCast<DRALMeasurementData>()->data(), *line->data()),
                    QString());
        }
        QVERIFY(log.atEnd());
    }
};

QTEST_MAIN(tst_LiveRecording)
#include "tst_liverecording.moc"
