// A log written with the project's own writer, played through connection 2 of the connection manager:
// every line reaches the point cloud of its recorded connection, in order, and the auxiliary readout. And
// the Log Player dock: play speeds, duration read-outs, and which moves of the position it reports.
#include "../LogTestSupport.h"
#include "ConnectionManager.h"
#include "FilePlayDockWidget.h"
#include "FileProperty.h"
#include "FileScanManager.h"
#include "FloatProperty.h"
#include "FusionProperty.h"
#include "IntegerProperty.h"
#include "OrientationFusion.h"
#include "PointCloud.h"
#include "PointCloudProperty.h"
#include "PropertyItem.h"
#include "StringProperty.h"
#include "TestSupport.h"
#include "Vector3DProperty.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

namespace {
constexpr int Lines = 6;
constexpr quint8 Frame = 7;

using Timed = QVector<QPair<int, QSharedPointer<SensorData>>>; // ms, frame

bool writeLog(const QString &fileName, bool compressed, const Timed &frames)
{
    VblWriter writer;
    writer.setSensorInfo(LogTest::sensorInfo(1));
    if (!writer.open(fileName, compressed))
        return false;
    for (const auto &frame : frames)
        if (!writer.writeFrame(0, frame.second, QVector3D(), QVector3D(), LogTest::timeText(frame.first)))
            return false;
    writer.close();
    return true;
}

// Two frames of three lines each (Frame, then Frame + 1), an auxiliary packet after the third line.
Timed twoFrames(QVector<QSharedPointer<DRALMeasurementData>> &lines)
{
    Timed frames;
    for (int i = 0; i < Lines; ++i) {
        lines << LogTest::line(LogTest::sensorInfo(1).spec, quint32(10 * i), i + 1);
        lines.last()->data()->frameNumber = quint8(Frame + i / 3);
        frames << qMakePair(10 * i, QSharedPointer<SensorData>(lines.last()));
        if (i == 2)
            frames << qMakePair(25, QSharedPointer<SensorData>(LogTest::aux(25)));
    }
    return frames;
}

// A sensor at rest, tilted: gravity partly along x. A line and a packet every 100 ms.
Timed tilted()
{
    Timed frames;
    for (int i = 0; i < 20; ++i) {
        const quint32 t = quint32(100 * i);
        VEXA3D_AUXILIARY_DATA_T packet;
        packet.timestamp = t;
        packet.kinds = DRALAuxiliaryData::Gyro | DRALAuxiliaryData::Acceleration;
        packet.sampleCount = 8;
        for (int k = 0; k < 8; ++k) {
            packet.samples[k].timestamp = int(t) + 10 * k;
            packet.samples[k].accelX = 4096; // half of 1 g
            packet.samples[k].accelZ = 7094;
        }
        const VEXA3D_SPEC_T spec = LogTest::sensorInfo(1).spec;
        frames << qMakePair(int(t), QSharedPointer<SensorData>(LogTest::line(spec, t, i + 1)))
               << qMakePair(int(t), QSharedPointer<SensorData>(
                                        QSharedPointer<DRALAuxiliaryData>::create(packet, spec)));
    }
    return frames;
}
} // namespace

class tst_LogPlayer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void aPlayedLogReachesTheCloudLineForLine_data()
    {
        QTest::addColumn<bool>("compressed");
        QTest::newRow("plain") << false;
        QTest::newRow("compressed") << true;
    }
    void aPlayedLogReachesTheCloudLineForLine()
    {
        QFETCH(bool, compressed);
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("played.vbl"));
        QVector<QSharedPointer<DRALMeasurementData>> written;
        QVERIFY(writeLog(fileName, compressed, twoFrames(written)));

        ConnectionManager manager;
        auto *player = qobject_cast<FileScanManager *>(manager.scanManager(1));
        QVERIFY(player);
        QSignalSpy lines(&manager, &ConnectionManager::dralMeasurementDataReady);
        QSignalSpy packets(&manager, &ConnectionManager::auxiliaryDataReady);
        QSignalSpy ready(player, &ScanManager::fileInitialized);
        QSignalSpy stopped(player, &ScanManager::fileStopped);
        player->fileNameProperty()->setFilename(fileName);
        player->connectRequested();
        QTRY_COMPARE(ready.count(), 1);
        QTRY_VERIFY(player->startAction()->isEnabled());
        QVERIFY(!player->connectAction()->isEnabled());
        QCOMPARE(player->recordCountProperty()->intValue(), Lines + 1);
        QCOMPARE(player->sensorCount(), 1);

        QSignalSpy pauseEnabled(&manager, &ConnectionManager::pauseEnabledChanged);
        player->startPlaying();
        QTRY_COMPARE(stopped.count(), 1);
        QTRY_VERIFY(player->startAction()->isEnabled());
        // Enabled while playing, disabled again at the end.
        QCOMPARE(pauseEnabled.count(), 2);
        QCOMPARE(pauseEnabled.first().at(0).toBool(), true);
        QTRY_COMPARE(player->linesDrawn(), quint64(Lines));

        QCOMPARE(lines.count(), Lines);
        QVector<QVector3D> newestFrame;
        for (int i = 0; i < Lines; ++i) {
            QCOMPARE(lines.at(i).at(0).toUInt(), 1u);
            const auto played = lines.at(i).at(2).value<QSharedPointer<DRALMeasurementData>>();
            QCOMPARE(played->data()->timestamp, written.at(i)->data()->timestamp);
            if (i >= 3)
                newestFrame += written.at(i)->points();
        }
        // The second frame replaced the first in the cloud.
        const PointCloud *cloud = player->pointCloud(0);
        QCOMPARE(cloud->count(), newestFrame.size());
        QCOMPARE(cloud->positions().mid(0, cloud->count()), newestFrame);
        QCOMPARE(cloud->frameTag(), int(Frame) + 1);

        QCOMPARE(packets.count(), 1);
        const auto packet =
            packets.first().at(1).value<QSharedPointer<AuxiliaryData>>().dynamicCast<DRALAuxiliaryData>();
        QVERIFY(packet);
        // The readout shows the newest sample in degrees per second.
        const auto *gyroscope =
            qobject_cast<StringProperty *>(player->auxiliaryProperty(0)->children().at(0));
        QVERIFY(gyroscope);
        QCOMPARE(gyroscope->value().toString(), QStringLiteral("-3.052, 0.000, 0.000"));

        player->disconnectRequested();
        QTRY_COMPARE(player->sensorCount(), 0);
        QTRY_VERIFY(player->connectAction()->isEnabled());
    }

    void fusionLevelsThePlayedCloud()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("tilted.vbl"));
        QVERIFY(writeLog(fileName, false, tilted()));
        ConnectionManager manager;
        auto *player = qobject_cast<FileScanManager *>(manager.scanManager(1));
        QSignalSpy ready(player, &ScanManager::fileInitialized);
        player->fileNameProperty()->setFilename(fileName);
        player->connectRequested();
        QTRY_COMPARE(ready.count(), 1);
        PointCloudProperty *cloud = player->pointCloudProperty(0);
        QVERIFY(!cloud->rotationProperty()->xProperty()->readOnly());
        player->fusionProperty(0)->setBoolValue(true);
        QVERIFY(cloud->rotationProperty()->xProperty()->readOnly());

        emit player->logLoopChanged(2);
        player->startPlaying();
        // The alignment takes about three seconds of the filter's own steps.
        QTRY_VERIFY_WITH_TIMEOUT(!player->fusion(0)->angles().isNull(), 15000);
        QTRY_COMPARE(cloud->rotation(), player->fusion(0)->angles());
        QCOMPARE(player->pointCloud(0)->rotation(), cloud->rotation());
        player->stopPlaying();

        player->fusionProperty(0)->setBoolValue(false);
        QVERIFY(!cloud->rotationProperty()->xProperty()->readOnly());
    }

    // Which files the engine refuses is the playback test's; here the user is told and can try again.
    void aLogThatDoesNotOpenLeavesThePlayerDisconnected()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath("text.vbl");
        QVERIFY(LogTest::writeAll(fileName, "hello, this is not a log at all, just text."));
        ConnectionManager manager;
        ScanManager *player = manager.scanManager(1);
        QSignalSpy errors(&manager, &ConnectionManager::errorBroadCast);
        QSignalSpy opened(player, &ScanManager::connected);
        qobject_cast<FileScanManager *>(player)->fileNameProperty()->setFilename(fileName);
        player->connectRequested();
        QTRY_COMPARE(errors.count(), 1);
        QCOMPARE(errors.first().at(0).toString(),
                 QStringLiteral("Connection 2: Failed to connect to %1").arg(fileName));
        QCOMPARE(opened.count(), 0);
        QVERIFY(player->connectAction()->isEnabled());
    }

    void speedChoiceEmitsItsSpeed_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<float>("speed");
        QTest::newRow("x1/8") << "x1/8" << 0.125f;
        QTest::newRow("x1/4") << "x1/4" << 0.25f;
        QTest::newRow("x1/2") << "x1/2" << 0.5f;
    }
    void speedChoiceEmitsItsSpeed()
    {
        QFETCH(QString, item);
        QFETCH(float, speed);
        FilePlayDockWidget dock;
        QCOMPARE(dock.speedBox()->currentText(), QStringLiteral("x1"));
        QSignalSpy speeds(&dock, &FilePlayDockWidget::playSpeedChanged);
        dock.speedBox()->setCurrentText(item);
        QCOMPARE(speeds.count(), 1);
        QCOMPARE(speeds.first().at(0).toFloat(), speed);
    }

    // From 2024-01-31 10:00:00.000 to the end.
    void totalDurationOfALog_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("total");
        QTest::newRow("ninety seconds") << "2024-01-31 10:01:30.250" << QString(" 0:1:30.250");
        QTest::newRow("twenty-six hours") << "2024-02-01 12:00:00.000" << QString("1 2:0:0.0");
        QTest::newRow("milliseconds without leading zeros")
            << "2024-01-31 10:00:12.005" << QString(" 0:0:12.5");
        QTest::newRow("no end") << "" << QString("--");
        QTest::newRow("not a date") << "yesterday" << QString("--");
    }
    void totalDurationOfALog()
    {
        QFETCH(QString, end);
        QFETCH(QString, total);
        FilePlayDockWidget dock;
        dock.setLogtimeSettings(QStringLiteral("2024-01-31 10:00:00.000"), end);
        QCOMPARE(dock.totalLabel()->text(), total);
    }

    void onlyUserMovesReportThePosition_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("reports");
        QTest::newRow("slider moved") << 0 << 1;
        QTest::newRow("spin box stepped") << 1 << 1;
        QTest::newRow("playback update") << 2 << 0;
    }
    void onlyUserMovesReportThePosition()
    {
        // Only the user's moves report the position; the read-outs follow the played record until the
        // progress is disabled.
        QFETCH(int, how);
        QFETCH(int, reports);
        FilePlayDockWidget dock;
        dock.setProgressEnabled(true);
        dock.setProgressMaximum(100);
        dock.setLogtimeSettings(QStringLiteral("2024-01-31 10:00:00.000"),
                                QStringLiteral("2024-01-31 10:01:30.250"));
        QSignalSpy moves(&dock, &FilePlayDockWidget::progressChanged);
        if (how == 0)
            dock.slider()->setValue(40);
        else if (how == 1)
            dock.spinBox()->setValue(40);
        else
            dock.updateReadingProcess(40, 4711, QStringLiteral("2024-01-31 10:00:12.500"));
        QCOMPARE(moves.count(), reports);
        QCOMPARE(dock.slider()->value(), 40);
        QCOMPARE(dock.spinBox()->value(), 40);
        if (how == 2) {
            QCOMPARE(dock.elapsedLabel()->text(), QStringLiteral(" 0:0:12.500"));
            QCOMPARE(dock.timestampLabel()->text(), QStringLiteral("4711"));
            QCOMPARE(dock.logTimeLabel()->text(), QStringLiteral("2024-01-31 10:00:12.500"));
        }
        dock.setProgressEnabled(false);
        for (QLabel *label :
             {dock.timestampLabel(), dock.logTimeLabel(), dock.elapsedLabel(), dock.totalLabel()})
            QCOMPARE(label->text(), QStringLiteral("--"));
        QCOMPARE(dock.slider()->maximum(), 0);
        QCOMPARE(dock.spinBox()->maximum(), 0);
        QCOMPARE(dock.totalMilliseconds(), 0);
        QVERIFY(!dock.slider()->isEnabled());
    }

    // The language change reaches every text of the dock.
    void japanese()
    {
        FilePlayDockWidget dock;
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/translations/ja")));
        QCoreApplication::installTranslator(&translator);
        QTRY_COMPARE(dock.windowTitle(), QStringLiteral("ログプレーヤー"));
        QCOMPARE(dock.loopBox()->text(), QStringLiteral("ループ再生"));
        QCOMPARE(dock.pauseButton()->toolTip(), QStringLiteral("一時停止"));
        QCoreApplication::removeTranslator(&translator);
        QTRY_COMPARE(dock.windowTitle(), QStringLiteral("Log Player"));
    }
};

QTEST_MAIN(tst_LogPlayer)
#include "tst_logplayer.moc"
