#include "LogTestSupport.h"
#include "T3DFileDevice.h"
#include "T3dTestWriter.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace LogTest;

// Legacy ".t3d" files made by the test writer and read by the device.
class TestT3dFormat : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void heads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("opens");
        QTest::newRow("head only") << T3dTest::head(false) << true;
        QTest::newRow("short head") << T3dTest::head(false).left(12) << false;
        QTest::newRow("wrong magic") << QByteArray("TAVIRX").append(T3dTest::head(false).mid(6)) << false;
    }
    void heads()
    {
        // Only a whole head with the right magic opens, and it gives the fixed legacy geometry.
        QFETCH(QByteArray, bytes);
        QFETCH(bool, opens);
        const QString file = path("head.t3d");
        QVERIFY(writeAll(file, bytes));
        T3DFileDevice device;
        QCOMPARE(device.openFile(file), opens);
        QCOMPARE(device.isOpen(), opens);
        if (!opens)
            return;
        QVERIFY(device.indexNow());
        QCOMPARE(device.recordCount(), 0);
        QCOMPARE(device.connectionCount(), -1);
        QCOMPARE(int(device.sensorInfo().spec.spotCount), 74);
        QCOMPARE(QByteArray(device.sensorInfo().product), QByteArray("QTR-"));
    }
    void records_data()
    {
        QTest::addColumn<bool>("compressed");
        QTest::addColumn<int>("payloadCut"); // bytes taken off the measurement payload
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("firstRead");
        QTest::newRow("plain") << false << 0 << QByteArray() << 2 << 1;
        QTest::newRow("compressed") << true << 0 << QByteArray() << 2 << 1;
        QTest::newRow("payload of 52 bytes") << false << 19555 - 52 << QByteArray() << 2 << -2;
        QTest::newRow("payload one short") << false << 1 << QByteArray() << 2 << -2;
        QTest::newRow("compressed one short") << true << 1 << QByteArray() << 2 << -2;
        QTest::newRow("letter in the date") << false << 0 << QByteArray("2024-01-31 10:0a:00.000") << 0 << -1;
    }
    void records()
    {
        // Records read back as written; short payloads fail the read and a bad date stops the index.
        QFETCH(bool, compressed);
        QFETCH(int, payloadCut);
        QFETCH(QByteArray, date);
        QFETCH(int, records);
        QFETCH(int, firstRead);
        const VEXA3D_SPEC_T spec = T3DFile::sensorInfo().spec;
        const QSharedPointer<VEXA3D_MEASUREMENT_DATA_T> data = line(spec, 1234, 5)->data();
        data->status[0] = 'S';
        QByteArray file = T3dTest::head(compressed);
        T3dTest::appendRecord(file, 1, 17, T3dTest::measurementPayload(*data).chopped(payloadCut), compressed,
                              date.isEmpty() ? timeText(1234) : QString(date));
        T3dTest::appendRecord(file, 2, 18, T3dTest::auxiliaryPayload(*aux(1300)->data()), compressed,
                              timeText(1300));
        const QString name = path("records.t3d");
        QVERIFY(writeAll(name, file));

        T3DFileDevice device;
        QVERIFY(device.openFile(name));
        QCOMPARE(device.indexNow(), date.isEmpty());
        QCOMPARE(device.recordCount(), records);
        QSharedPointer<SensorData> frame;
        QVector3D position, rotation;
        QCOMPARE(device.readRecord(frame, position, rotation, true), firstRead);
        if (firstRead < 0)
            return;
        QCOMPARE(device.connectionCount(), 3);
        QCOMPARE(position, QVector3D(1.5f, 0, 0));
        QCOMPARE(rotation, QVector3D(0, 0, 45.0f));
        QCOMPARE(device.currentLogTime(), timeText(1234));
        const auto read = frame.dynamicCast<DRALMeasurementData>();
        QVERIFY(read);
        const VEXA3D_MEASUREMENT_DATA_T &a = *read->data();
        QCOMPARE(a.timestamp, 1234u);
        QCOMPARE(a.lineNumber, data->lineNumber);
        QCOMPARE(a.receivedSpotCount, quint16(74));
        QCOMPARE(a.status[0], 'S');
        QCOMPARE(a.spots[73].count, data->spots[73].count);
        QCOMPARE(a.spots[73].echoes[3].range, data->spots[73].echoes[3].range);
        QCOMPARE(a.spots[73].points[3].level, data->spots[73].points[3].level);
        QCOMPARE(read->points(), DRALMeasurementData(data, spec).points());
        QCOMPARE(device.readRecord(frame, position, rotation, true), 2);
        QCOMPARE(frame.dynamicCast<DRALAuxiliaryData>()->data()->samples[1].gyroX, -100);
        QCOMPARE(device.currentTimestamp(), 1300);
    }

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestT3dFormat)
#include "tst_t3dformat.moc"
