#include "CrossThreadSpy.h"
#include "FileCommunicationDevice.h"
#include "FileDevice.h"
#include "LogTestSupport.h"
#include "T3DFileDevice.h"
#include "T3dTestWriter.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <mutex>

using namespace LogTest;

// The playback engine over real files: suffix lookup, pacing, and the transport controls.
class tst_Playback : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(writeAll(path("legacy.t3d"), T3dTest::head(false)));
    }
    void suffixes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("opens");
        QTest::newRow("vbl") << "trace.vbl" << true;
        QTest::newRow("t3d") << "legacy.t3d" << true;
        QTest::newRow("upper-case suffix") << "trace.VBL" << false;
        QTest::newRow("no suffix") << "trace" << false;
    }
    void suffixes()
    {
        // The device is chosen by the exact lower-case suffix; a file no device takes is closed again.
        QFETCH(QString, name);
        QFETCH(bool, opens);
        QVERIFY(writeVbl(path("trace.vbl"), false, {100}));
        QFile::copy(path("trace.vbl"), path("trace.VBL"));
        QFile::copy(path("trace.vbl"), path("trace"));
        FileCommunicationDevice engine;
        engine.registerDevice(QSharedPointer<FileDevice>::create());
        engine.registerDevice(QSharedPointer<T3DFileDevice>::create());
        CrossThreadSpy opened(&engine, &FileCommunicationDevice::deviceOpened);
        CrossThreadSpy closed(&engine, &FileCommunicationDevice::deviceClosed);
        QCOMPARE(engine.open(path(name)), opens);
        QCOMPARE(opened.count(), opens ? 1 : 0);
        QCOMPARE(closed.count(), opens ? 0 : 1);
    }
    void pacing_data()
    {
        QTest::addColumn<float>("speed");
        QTest::addColumn<QVector<int>>("times");
        QTest::addColumn<QVector<int>>("connections");
        // Expected ms between emissions. A line may come late on a busy machine but never early; a wrong
        // pacing puts a line early, or late by more than that slack (gaps stay under the one-second cap).
        QTest::addColumn<QVector<int>>("gaps");
        QTest::newRow("speed 2") << 2.0f << QVector<int>{100, 1100} << QVector<int>{0, 0}
                                 << QVector<int>{500};
        QTest::newRow("speed 0.5") << 0.5f << QVector<int>{100, 200} << QVector<int>{0, 0}
                                   << QVector<int>{200};
        QTest::newRow("5 s gap") << 1.0f << QVector<int>{100, 5100} << QVector<int>{0, 0}
                                 << QVector<int>{1000};
        QTest::newRow("alternating connections") << 1.0f << QVector<int>{100, 1000, 1900, 2800}
                                                 << QVector<int>{1, 2, 1, 2} << QVector<int>{0, 0, 0};
        QTest::newRow("same connection twice")
            << 1.0f << QVector<int>{100, 250} << QVector<int>{1, 1} << QVector<int>{150};
        // Stamps past 2^32 - 1 wrap to small ones: 4294967246 then 53 is 102 ms later.
        QTest::newRow("clock wrap") << 1.0f << QVector<int>{0, 53} << QVector<int>{0, 0} << QVector<int>{102};
        QTest::newRow("auxiliary not delayed")
            << 1.0f << QVector<int>{100, -1000, 1000} << QVector<int>{0, 0, 0} << QVector<int>{0, 900};
        // The receiver holds the second line 30 ms: the lines after it keep their schedule instead of
        // all leaving at once.
        QVector<int> steady, zeros, tens;
        for (int i = 0; i < 20; ++i) {
            steady << 100 + 10 * i;
            zeros << 0;
        }
        tens.fill(10, 19);
        QTest::newRow("a late line") << 1.0f << steady << zeros << tens;
    }
    void pacing()
    {
        // Lines leave at their recorded spacing over the speed, gaps cut to a second, auxiliary packets at
        // once.
        QFETCH(float, speed);
        QFETCH(QVector<int>, times);
        QFETCH(QVector<int>, connections);
        QFETCH(QVector<int>, gaps);
        const QString file = path("pacing.vbl");
        QVector<qint64> stamps(times.begin(), times.end());
        if (QByteArray(QTest::currentDataTag()) == "clock wrap")
            stamps[0] = 4294967246LL; // 102 ms before the 32-bit clock reaches 53
        QVERIFY(writeVblStamps(file, false, stamps, connections));
        FileCommunicationDevice engine;
        openIndexed(engine, file);
        engine.setPlaySpeed(speed);
        // Taken on the playback thread at emission.
        std::mutex mutex;
        QVector<qint64> emittedNs;
        QElapsedTimer clock;
        clock.start();
        connect(
            &engine, &FileCommunicationDevice::sensorDataReady, this,
            [&] {
                std::lock_guard<std::mutex> lock(mutex);
                emittedNs << clock.nsecsElapsed();
                if (emittedNs.size() == 2 && QByteArray(QTest::currentDataTag()) == "a late line")
                    QThread::msleep(30);
            },
            Qt::DirectConnection);
        CrossThreadSpy end(&engine, &FileCommunicationDevice::reachedEnd);
        const qint64 playNs = clock.nsecsElapsed();
        engine.play();
        QTRY_COMPARE_WITH_TIMEOUT(end.count(), 1, 10000);
        engine.wait();
        std::lock_guard<std::mutex> lock(mutex);
        QCOMPARE(emittedNs.size(), times.size());
        // Counted from play(), so that a first line slowed by its own reading does not shorten the next gap.
        double due = 0;
        for (int i = 0; i < gaps.size(); ++i) {
            due += gaps.at(i);
            const double atMs = double(emittedNs.at(i + 1) - playNs) / 1e6;
            QVERIFY2(
                atMs >= due - 2 && atMs <= due + 400,
                qPrintable(
                    QStringLiteral("line %1: %2 ms after play, due at %3").arg(i + 1).arg(atMs).arg(due)));
        }
    }
    void pauseContinuesStopRestarts()
    {
        // Pause resumes at the next record; stop and play start again from the first.
        const QString file = path("controls.vbl");
        QVector<int> times;
        for (int i = 1; i <= 8; ++i)
            times << 40 * i;
        QVERIFY(writeVbl(file, true, times));
        FileCommunicationDevice engine;
        openIndexed(engine, file);
        CrossThreadSpy frames(&engine, &FileCommunicationDevice::sensorDataReady);
        CrossThreadSpy paused(&engine, &FileCommunicationDevice::paused);
        engine.play();
        QTRY_VERIFY_WITH_TIMEOUT(frames.count() >= 3, 5000);
        engine.pause();
        QCOMPARE(paused.count(), 1);
        const int before = frames.count();
        engine.play();
        QTRY_VERIFY_WITH_TIMEOUT(frames.count() >= before + 2, 5000);
        // No record repeated or skipped across the pause.
        QCOMPARE(stamps(frames).mid(0, before + 2), times.mid(0, before + 2));
        engine.stop();
        const int restart = frames.count();
        engine.play();
        QTRY_VERIFY_WITH_TIMEOUT(frames.count() > restart, 5000);
        QCOMPARE(stamps(frames).at(restart), times.first());
        engine.stop();
    }
    void endAndLoop_data()
    {
        QTest::addColumn<bool>("loop");
        QTest::newRow("once, then from the start") << false;
        QTest::newRow("looping") << true;
    }
    void endAndLoop()
    {
        // At the end playback stops and the next play starts over, unless it loops.
        QFETCH(bool, loop);
        const QString file = path("loop.vbl");
        QVERIFY(writeVbl(file, false, {10, 20, 30}));
        FileCommunicationDevice engine;
        openIndexed(engine, file);
        engine.setLoop(loop);
        CrossThreadSpy frames(&engine, &FileCommunicationDevice::sensorDataReady);
        CrossThreadSpy end(&engine, &FileCommunicationDevice::reachedEnd);
        engine.play();
        if (loop) {
            QTRY_VERIFY_WITH_TIMEOUT(frames.count() >= 7, 5000);
            engine.stop();
            QCOMPARE(stamps(frames).mid(0, 7), (QVector<int>{10, 20, 30, 10, 20, 30, 10}));
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(end.count(), 1, 5000);
        QVERIFY(engine.wait(5000));
        engine.play();
        QTRY_COMPARE_WITH_TIMEOUT(end.count(), 2, 5000);
        QCOMPARE(stamps(frames), (QVector<int>{10, 20, 30, 10, 20, 30}));
    }
    void setPosition()
    {
        // Seeking shows the record there at once and playing goes on from the start; past the end nothing is
        // read.
        const QString file = path("position.vbl");
        QVERIFY(writeVbl(file, false, {10, 20, 30, 40}));
        FileCommunicationDevice engine;
        openIndexed(engine, file);
        CrossThreadSpy frames(&engine, &FileCommunicationDevice::sensorDataReady);
        CrossThreadSpy positions(&engine, &FileCommunicationDevice::currentPositionChanged);
        CrossThreadSpy end(&engine, &FileCommunicationDevice::reachedEnd);
        engine.setPosition(2);
        QCOMPARE(stamps(frames), QVector<int>{30});
        QCOMPARE(positions.last().at(0).toLongLong(), 2);
        engine.setPosition(3);
        engine.play();
        QTRY_COMPARE_WITH_TIMEOUT(end.count(), 1, 5000);
        QCOMPARE(stamps(frames), (QVector<int>{30, 40, 10, 20, 30, 40}));
        engine.setPosition(4);
        QCOMPARE(frames.count(), 6);
    }

private:
    // An engine with both devices registered, the file opened and indexed.
    void openIndexed(FileCommunicationDevice &engine, const QString &file)
    {
        engine.registerDevice(QSharedPointer<FileDevice>::create());
        engine.registerDevice(QSharedPointer<T3DFileDevice>::create());
        CrossThreadSpy ready(&engine, &FileCommunicationDevice::deviceInitialized);
        QVERIFY(engine.open(file));
        engine.initialize();
        QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 1, 5000);
    }
    static QVector<int> stamps(const CrossThreadSpy &spy)
    {
        QVector<int> list;
        for (const QVariantList &args : spy.calls())
            list << int(args.at(1).value<QSharedPointer<SensorData>>()->timestamp());
        return list;
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_Playback)
#include "tst_playback.moc"
