// The log files: ".vbl" as the writer makes them and as the device reads them back, crafted damage, the
// legacy ".t3d" files, and the parameter texts of the ".vbl" sections.
#include "CrossThreadSpy.h"
#include "FileDevice.h"
#include "LogTestSupport.h"
#include "ParamDefinitions.h"
#include "T3DFileDevice.h"
#include "T3dTestWriter.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace LogTest;

class tst_LogFormats : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    // The writer lays out the head, the section table and self-locating blocks, and the device reads every
    // record back as written.
    void writtenAndReadBack_data()
    {
        QTest::addColumn<bool>("compressed");
        QTest::addColumn<int>("regions");
        QTest::newRow("plain, two regions") << false << 2;
        QTest::newRow("plain, no regions") << false << 0;
        QTest::newRow("compressed") << true << 2;
    }
    void writtenAndReadBack()
    {
        QFETCH(bool, compressed);
        QFETCH(int, regions);
        const QString file = path("written.vbl");
        const VEXA3D_SENSOR_INFO_T info = sensorInfo(regions);
        QVERIFY(writeVbl(file, compressed, {100, -150, 200}, {0, 0, 1}, info));
        const QByteArray bytes = readAll(file);
        QCOMPARE(bytes.mid(0, 8), QByteArray("\x01\x01\x00\x02\x00\x00", 6) + char(compressed) + '\0');
        QCOMPARE(bytes.mid(8, 15), QByteArray("Taviro3DViewer\0", 15));
        QCOMPARE(get<quint32>(bytes, 40), 6u);
        const char *names[] = {"version", "param", "sppdef", "sepdef", "slpdef", "scan"};
        quint32 expected = 120;
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(QByteArray(bytes.constData() + 48 + 12 * i), QByteArray(names[i]));
            QCOMPARE(get<quint32>(bytes, 48 + 12 * i + 8), expected);
            if (i < 5)
                expected += 4 + get<quint32>(bytes, expected);
        }
        QVERIFY(bytes.mid(124, get<quint32>(bytes, 120)).startsWith("product=QTR-3D:serial=SN0042:"));
        // The blocks follow the sections; each header holds its own offset.
        QCOMPARE(get<qint64>(bytes, expected), qint64(expected));
        const quint32 length = get<quint32>(bytes, expected + 12);
        const qint64 next = qint64(expected) + 64 + length;
        QCOMPARE(get<qint64>(bytes, next), next);
        // 74 spots of 4 echoes with a flag per region, then 9 + regions line fields.
        const int plain = 24 + 74 * (4 + 4 * (56 + 4 * regions)) + 4 * (9 + regions);
        if (compressed)
            QCOMPARE(qFromBigEndian<quint32>(bytes.constData() + expected + 64), quint32(plain));
        else
            QCOMPARE(length, quint32(plain));

        FileDevice device;
        QVERIFY(device.openFile(file));
        QVERIFY(device.indexNow());
        QCOMPARE(device.recordCount(), 3);
        QCOMPARE(device.connectionCount(), 2);
        QCOMPARE(QByteArray(device.sensorInfo().serial), QByteArray("SN0042"));
        const VEXA3D_SENSOR_INFO_T readInfo = device.sensorInfo();
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&readInfo.spec), 20),
                 QByteArray(reinterpret_cast<const char *>(&info.spec), 20));
        QCOMPARE(device.lastRecordInfo().dateTime, timeText(200));

        QSharedPointer<SensorData> frame;
        QVector3D position, rotation;
        QCOMPARE(device.readRecord(frame, position, rotation, true), 0);
        QCOMPARE(position, QVector3D(1, 2, 3));
        QCOMPARE(rotation, QVector3D(0, 0, 90));
        const auto read = frame.dynamicCast<DRALMeasurementData>();
        QVERIFY(read);
        const VEXA3D_MEASUREMENT_DATA_T &a = *read->data();
        // The echo level is not stored; it comes back from the point's.
        QCOMPARE(lineDifference(a, *line(info.spec, 100, 0)->data()), QString());
        QCOMPARE(a.dustRatioX10, quint16(512));
        QCOMPARE(a.motorFieldNumber, quint8(3));
        QCOMPARE(device.currentTimestamp(), 100);

        QCOMPARE(device.readRecord(frame, position, rotation, true), 0);
        const auto aux = frame.dynamicCast<DRALAuxiliaryData>();
        QVERIFY(aux);
        QCOMPARE(aux->data()->sampleCount, 3u);
        QCOMPARE(aux->data()->samples[2].gyroX, -200);
        QCOMPARE(device.readRecord(frame, position, rotation, true), 1);
        QCOMPARE(device.readRecord(frame, position, rotation, true), -1);
        QVERIFY(device.atEnd());
    }
    void tableVariants_data()
    {
        QTest::addColumn<QByteArray>("patch"); // name written over table entry 1 ("param")
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("opens");
        QTest::newRow("unknown section ignored") << QByteArray("extra\0\0\0", 8) << 1 << true;
        QTest::newRow("no scan entry") << QByteArray("nscan\0\0\0", 8) << 5 << false;
        QTest::newRow("entry count past the file") << QByteArray("\xff\xff\xff\x0f", 4) << -1 << false;
        QTest::newRow("text length past the file") << QByteArray("\x00\x00\x00\x7f", 4) << -2 << true;
        QTest::newRow("impossible geometry")
            << QByteArray(":spotCount,1=65535:echoCount,1=255") << -3 << false;
    }
    void tableVariants()
    {
        // Unknown sections are skipped; a table without scans, past the file or with an impossible geometry
        // is refused.
        QFETCH(QByteArray, patch);
        QFETCH(int, entry);
        QFETCH(bool, opens);
        const QString file = path("table.vbl");
        QVERIFY(writeVbl(file, false, {}));
        QByteArray bytes = readAll(file);
        if (entry >= 0) {
            bytes.replace(48 + 12 * entry, 8, patch);
        } else if (entry == -1) {
            bytes.replace(40, 4, patch);
        } else if (entry == -2) {
            bytes.replace(120, 4, patch);
        } else {
            // A param section whose last entries name a line of 65535 x 255 echoes.
            const quint32 at = get<quint32>(bytes, 48 + 12 + 8);
            const quint32 length = get<quint32>(bytes, at);
            bytes.replace(int(at + 4 + length) - patch.size(), patch.size(), patch);
        }
        QVERIFY(writeAll(file, bytes));
        FileDevice device;
        QCOMPARE(device.openFile(file), opens);
        if (opens) {
            QVERIFY(device.indexNow());
            QCOMPARE(device.recordCount(), 0);
            QCOMPARE(device.connectionCount(), -1);
        }
    }
    void damagedBlocks_data()
    {
        QTest::addColumn<bool>("compressed");
        QTest::addColumn<int>("at"); // offset inside the first block (header 0..63, payload 64..)
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("result"); // of the first readRecord
        QTest::newRow("unknown kind") << false << 40 << QByteArray("\x07") << -2;
        QTest::newRow("spot count of one more") << false << 64 + 8 << QByteArray("\x4b") << -2;
        QTest::newRow("inflated size of 1 GiB") << true << 64 << QByteArray("\x40\x00\x00\x00") << -2;
        QTest::newRow("inflated size one short") << true << 64 + 3 << QByteArray(1, '\0') << -2;
        QTest::newRow("negative connection") << false << 8 << QByteArray("\xfe\xff\xff\xff") << -2;
        QTest::newRow("aux with 256 samples") << false << -1 << QByteArray() << -2;
        QTest::newRow("aux announcing one more") << false << -2 << QByteArray() << -2;
    }
    void damagedBlocks()
    {
        // A damaged block fails its read, or stops the walk when its header shows it, and never crashes.
        QFETCH(bool, compressed);
        QFETCH(int, at);
        QFETCH(QByteArray, bytes);
        QFETCH(int, result);
        const QString file = path("damaged.vbl");
        const bool auxFirst = at < 0;
        QVERIFY(writeVbl(file, compressed, {auxFirst ? -100 : 100}));
        QByteArray content = readAll(file);
        const qint64 block = get<quint32>(content, 48 + 12 * 5 + 8);
        if (at == -1) {
            // M = 256 with a payload length to match: the record holds only 255.
            const QByteArray payload = QByteArray(16 + 48 * 256, 0);
            content.truncate(int(block + 64));
            content.append(payload);
            put<quint32>(content, block + 12, quint32(payload.size()));
            put<quint16>(content, block + 64 + 10, 256);
        } else if (at == -2) {
            put<quint16>(content, block + 64 + 10, 4);
        } else {
            content.replace(int(block + at), bytes.size(), bytes);
        }
        QVERIFY(writeAll(file, content));
        FileDevice device;
        QVERIFY(device.openFile(file));
        // Header damage the walk can see stops it; payload damage only fails the read.
        (void)device.indexNow();
        if (device.recordCount() == 0) {
            QCOMPARE(result, -2);
            QVERIFY(device.logIndex().isCorrupted());
            return;
        }
        QSharedPointer<SensorData> frame;
        QVector3D position, rotation;
        QCOMPARE(device.readRecord(frame, position, rotation, true), result);
    }
    void indexWalkStops_data()
    {
        QTest::addColumn<int>("cut");     // bytes removed from the end
        QTest::addColumn<int>("patchAt"); // offset into the third block's header, -1 for none
        QTest::addColumn<QByteArray>("patch");
        QTest::addColumn<int>("status");
        QTest::newRow("whole") << 0 << -1 << QByteArray() << int(LogIndex::Complete);
        QTest::newRow("letter in the date") << 0 << 41 + 5 << QByteArray("x") << int(LogIndex::BadDate);
        QTest::newRow("last payload cut") << 10 << -1 << QByteArray() << int(LogIndex::Truncated);
        QTest::newRow("last header cut") << -20 << -1 << QByteArray() << int(LogIndex::Truncated);
        QTest::newRow("offset past the file")
            << 0 << 0 << QByteArray("\x00\x00\x00\x00\x00\x01\x00\x00", 8) << int(LogIndex::BadHeader);
        QTest::newRow("connection 100000")
            << 0 << 8 << QByteArray("\xa0\x86\x01\x00", 4) << int(LogIndex::BadHeader);
    }
    void indexWalkStops()
    {
        // The index walk stops at the first damage with its reason, and what came before still plays.
        QFETCH(int, cut);
        QFETCH(int, patchAt);
        QFETCH(QByteArray, patch);
        QFETCH(int, status);
        const int records = status == int(LogIndex::Complete) ? 3 : 2;
        const QString file = path("walk.vbl");
        QVERIFY(writeVbl(file, true, {100, 200, 300}));
        QByteArray bytes = readAll(file);
        FileDevice probe;
        QVERIFY(probe.openFile(file));
        QVERIFY(probe.indexNow());
        const qint64 third = probe.lastRecordInfo().fileOffset;
        if (patchAt >= 0)
            bytes.replace(int(third + patchAt), patch.size(), patch);
        if (cut > 0)
            bytes.chop(cut);
        if (cut < 0)
            bytes.truncate(int(third - cut));
        QVERIFY(writeAll(file, bytes));
        FileDevice device;
        QVERIFY(device.openFile(file));
        QCOMPARE(device.indexNow(), status == int(LogIndex::Complete));
        QCOMPARE(device.recordCount(), records);
        QCOMPARE(int(device.logIndex().status), status);
        // What was indexed before the damage plays.
        QSharedPointer<SensorData> frame;
        QVector3D position, rotation;
        QVERIFY(device.seekRecord(records - 1));
        QCOMPARE(device.readRecord(frame, position, rotation, true), 0);
        QCOMPARE(frame->timestamp(), 100 * records);
        if (status == int(LogIndex::Complete))
            return;
        // Indexed in the background, the damage warns once and the records before it stay.
        FileDevice background;
        LogFileDevice *base = &background;
        CrossThreadSpy warnings(base, &LogFileDevice::corruptionFound);
        CrossThreadSpy done(base, &LogFileDevice::initialized);
        QVERIFY(background.openFile(file));
        background.initialize();
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 5000);
        QCOMPARE(warnings.count(), 1);
        QCOMPARE(warnings.at(0).at(1).toString(), FileDevice::corruptionMessage());
        QCOMPARE(background.recordCount(), records);
    }
    void records_data()
    {
        QTest::addColumn<bool>("compressed");
        QTest::addColumn<int>("payloadCut"); // bytes taken off the measurement payload
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<int>("firstRead");    // -9: the file does not open
        QTest::addColumn<QByteArray>("whole"); // the file instead of a head and two records
        const QByteArray none;
        QTest::newRow("plain") << false << 0 << none << 1 << none;
        QTest::newRow("compressed") << true << 0 << none << 1 << none;
        QTest::newRow("payload of 52 bytes") << false << 19555 - 52 << none << -2 << none;
        QTest::newRow("payload one short") << false << 1 << none << -2 << none;
        QTest::newRow("compressed one short") << true << 1 << none << -2 << none;
        QTest::newRow("letter in the date")
            << false << 0 << QByteArray("2024-01-31 10:0a:00.000") << -1 << none;
        QTest::newRow("head only") << false << 0 << none << -1 << T3dTest::head(false);
        QTest::newRow("short head") << false << 0 << none << -9 << T3dTest::head(false).left(12);
        QTest::newRow("wrong magic") << false << 0 << none << -9
                                     << QByteArray("TAVIRX").append(T3dTest::head(false).mid(6));
    }
    void records()
    {
        // Records read back as written; short payloads fail the read and a bad date stops the index. Only a
        // whole head with the right magic opens, and it gives the fixed legacy geometry.
        QFETCH(bool, compressed);
        QFETCH(int, payloadCut);
        QFETCH(QByteArray, date);
        QFETCH(int, firstRead);
        QFETCH(QByteArray, whole);
        const VEXA3D_SPEC_T spec = T3DFile::sensorInfo().spec;
        const QSharedPointer<VEXA3D_MEASUREMENT_DATA_T> data = line(spec, 1234, 5)->data();
        data->status[0] = 'S';
        QByteArray file = whole.isNull() ? T3dTest::head(compressed) : whole;
        if (whole.isNull()) {
            T3dTest::appendRecord(file, 1, 17, T3dTest::measurementPayload(*data).chopped(payloadCut),
                                  compressed, date.isEmpty() ? timeText(1234) : QString(date));
            T3dTest::appendRecord(file, 2, 18, T3dTest::auxiliaryPayload(*aux(1300)->data()), compressed,
                                  timeText(1300));
        }
        const QString name = path("records.t3d");
        QVERIFY(writeAll(name, file));

        T3DFileDevice device;
        QCOMPARE(device.openFile(name), firstRead != -9);
        if (firstRead == -9)
            return;
        QCOMPARE(device.indexNow(), date.isEmpty());
        QCOMPARE(device.recordCount(), whole.isNull() && date.isEmpty() ? 2 : 0);
        QCOMPARE(int(device.sensorInfo().spec.spotCount), 74);
        QCOMPARE(QByteArray(device.sensorInfo().product), QByteArray("QTR-"));
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
        QCOMPARE(lineDifference(*read->data(), *data), QString());
        QCOMPARE(read->data()->status[0], 'S');
        QCOMPARE(device.readRecord(frame, position, rotation, true), 2);
        QCOMPARE(frame.dynamicCast<DRALAuxiliaryData>()->data()->samples[1].gyroX, -100);
        QCOMPARE(device.currentTimestamp(), 1300);
    }

    void parameterTexts_data()
    {
        QTest::addColumn<char>("kind"); // 'p' sensor parameter, 's' scan field, 'v' version
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("type"); // -1: refused
        QTest::addColumn<QString>("written");
        QTest::newRow("uint") << 'p' << "spotCount,1=70" << 1 << "spotCount,1=70";
        QTest::newRow("type 9") << 'p' << "a,9=1" << -1 << "";
        QTest::newRow("type letter") << 'p' << "a,x=1" << -1 << "";
        QTest::newRow("no equals") << 'p' << "a,1" << -1 << "";
        QTest::newRow("two equals") << 'p' << "a,1=2=3" << -1 << "";
        QTest::newRow("name only") << 'p' << "a" << -1 << "";
        QTest::newRow("first digit counts") << 'p' << "a,12=5" << 1 << "a,1=5";
        QTest::newRow("arabic-indic digit") << 'p' << QString("a,") + QChar(0x0661) + "=5" << 1 << "a,1=5";
        QTest::newRow("bool number") << 'p' << "b,0=7" << 0 << "b,0=1";
        QTest::newRow("bool word") << 'p' << "b,0=yes" << 0 << "b,0=0";
        QTest::newRow("uint wraps") << 'p' << "u,1=-1" << 1 << "u,1=4294967295";
        QTest::newRow("int") << 'p' << "i,2=-12" << 2 << "i,2=-12";
        QTest::newRow("float large") << 'p' << "f,3=123456789.0" << 3 << "f,3=1.23457e+08";
        QTest::newRow("int list") << 'p' << "l,4=1; 2;;x;3" << 4 << "l,4=1;2;3";
        QTest::newRow("empty int list") << 'p' << "l,4=" << 4 << "l,4=";
        QTest::newRow("float list") << 'p' << "l,5=0.5;y;2" << 5 << "l,5=0.5;2";
        // Scan fields take the number types only.
        QTest::newRow("field uint") << 's' << "isDetected_0,1" << 1 << "isDetected_0,1";
        QTest::newRow("field int") << 's' << "x,2" << 2 << "x,2";
        QTest::newRow("field float") << 's' << "x,3" << 3 << "x,3";
        QTest::newRow("field bool refused") << 's' << "isDetected_0,0" << -1 << "";
        QTest::newRow("field list refused") << 's' << "x,4" << -1 << "";
        QTest::newRow("field without type") << 's' << "x" << -1 << "";
        QTest::newRow("field type letter") << 's' << "x,y" << -1 << "";
        // A version reads back unless its value holds an "=".
        QTest::newRow("version") << 'v' << "serial=S123" << 0 << "serial=S123";
        QTest::newRow("version empty value") << 'v' << "firmware=" << 0 << "firmware=";
        QTest::newRow("version equals in value") << 'v' << "protocol=a=b" << -1 << "";
    }
    void parameterTexts()
    {
        // The section texts parse into typed entries and write back normalised; malformed ones are refused.
        QFETCH(char, kind);
        QFETCH(QString, text);
        QFETCH(int, type);
        QFETCH(QString, written);
        int parsedType = -1;
        QString back;
        if (kind == 'p') {
            if (const auto d = parseSensorParamDefinition(text)) {
                parsedType = int(d->type());
                back = d->toString();
            }
        } else if (kind == 's') {
            if (const auto d = parseScanParamDefinition(text)) {
                parsedType = int(d->type());
                back = d->toString();
            }
        } else if (const auto d = parseVersionDefinition(text)) {
            parsedType = 0;
            back = d->toString();
        }
        QCOMPARE(parsedType, type);
        QCOMPARE(back, written);
    }
    void fieldSetsFollowRegionCount()
    {
        // The point and line field sets grow by one field per detection region.
        VEXA3D_SENSOR_INFO_T info;
        info.spec.regionCount = 0;
        QCOMPARE(pointFieldsFromInfo(info).size(), 0);
        QCOMPARE(lineFieldsFromInfo(info).size(), 9);
        info.spec.regionCount = 3;
        const ScanParamList points = pointFieldsFromInfo(info);
        QCOMPARE(points.size(), 3);
        QCOMPARE(points.at(2)->toString(), QString("isDetected_2,1"));
        const ScanParamList lines = lineFieldsFromInfo(info);
        QCOMPARE(lines.size(), 12);
        QCOMPARE(lines.at(8)->name(), QString("isLineDataReady"));
        QCOMPARE(lines.at(11)->name(), QString("totalDetectionArea_2"));
        QCOMPARE(echoFieldsFromInfo(info).at(0)->toString(), QString("echoCount,1"));
    }
    void readBackIntoInfo_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("spotCount");
        QTest::addColumn<int>("gyroScale");
        QTest::addColumn<int>("motorInterlace");
        QTest::newRow("empty set: defaults of four") << QStringList{} << 74 << 1 << 1;
        QTest::newRow("gyro of type 2 keeps value") << QStringList{"gyroScale,2=9"} << 74 << 500 << 1;
        QTest::newRow("later wins, truncated")
            << QStringList{"spotCount,1=10", "spotCount,1=65537"} << 1 << 1 << 1;
        QTest::newRow("case-sensitive")
            << QStringList{"SpotCount,1=10", "motorInterlaceCount,1=20"} << 74 << 1 << 20;
    }
    void readBackIntoInfo()
    {
        // Parameters fill the scan geometry by exact name, the later entry winning; unknown ones keep
        // defaults.
        QFETCH(QStringList, entries);
        QFETCH(int, spotCount);
        QFETCH(int, gyroScale);
        QFETCH(int, motorInterlace);
        ParamList params;
        for (const QString &entry : entries)
            params << parseSensorParamDefinition(entry);
        VEXA3D_SENSOR_INFO_T info;
        sensorInfoFromParams(params, info);
        QCOMPARE(int(info.spec.spotCount), spotCount);
        QCOMPARE(int(info.spec.gyroScale), gyroScale);
        QCOMPARE(int(info.spec.motorInterlaceCount), motorInterlace);

        // A version longer than its field leaves it alone (the full set's round trip is the file's above).
        qstrcpy(info.serial, "SN-1");
        VersionInfoList versions = versionsFromInfo(info);
        versions << QSharedPointer<VersionDefinition>::create("product", QString(64, 'p'));
        VEXA3D_SENSOR_INFO_T copy;
        sensorInfoFromVersions(versions, copy);
        QCOMPARE(QByteArray(copy.serial), QByteArray("SN-1"));
        QCOMPARE(QByteArray(copy.product), QByteArray());
    }

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_LogFormats)
#include "tst_logformats.moc"
