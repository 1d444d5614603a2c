#include "ParamDefinitions.h"

#include <QtTest>

class TestParamDefinitions : public QObject
{
    Q_OBJECT
private slots:
    void sensorParameterTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("type"); // -1: refused
        QTest::addColumn<QString>("written");
        QTest::newRow("uint") << "spotCount,1=70" << 1 << "spotCount,1=70";
        QTest::newRow("type 9") << "a,9=1" << -1 << "";
        QTest::newRow("type letter") << "a,x=1" << -1 << "";
        QTest::newRow("no equals") << "a,1" << -1 << "";
        QTest::newRow("two equals") << "a,1=2=3" << -1 << "";
        QTest::newRow("name only") << "a" << -1 << "";
        QTest::newRow("three parts") << "a,b,c" << -1 << "";
        QTest::newRow("first digit counts") << "a,12=5" << 1 << "a,1=5";
        QTest::newRow("arabic-indic digit") << QString("a,") + QChar(0x0661) + "=5" << 1 << "a,1=5";
        QTest::newRow("bool number") << "b,0=7" << 0 << "b,0=1";
        QTest::newRow("bool word") << "b,0=yes" << 0 << "b,0=0";
        QTest::newRow("uint wraps") << "u,1=-1" << 1 << "u,1=4294967295";
        QTest::newRow("int") << "i,2=-12" << 2 << "i,2=-12";
        QTest::newRow("float small") << "f,3=0.1" << 3 << "f,3=0.1";
        QTest::newRow("float large") << "f,3=123456789.0" << 3 << "f,3=1.23457e+08";
        QTest::newRow("int list") << "l,4=1; 2;;x;3" << 4 << "l,4=1;2;3";
        QTest::newRow("empty int list") << "l,4=" << 4 << "l,4=";
        QTest::newRow("float list") << "l,5=0.5;y;2" << 5 << "l,5=0.5;2";
    }
    void sensorParameterTexts()
    {
        // "name,type=value" texts parse into typed parameters and write back normalised; malformed ones are
        // refused.
        QFETCH(QString, text);
        QFETCH(int, type);
        QFETCH(QString, written);
        const QSharedPointer<ISensorParamDefinition> definition = parseSensorParamDefinition(text);
        QCOMPARE(definition.isNull(), type < 0);
        if (type < 0)
            return;
        QCOMPARE(int(definition->type()), type);
        QCOMPARE(definition->toString(), written);
    }
    void scanFieldTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("type");
        QTest::newRow("uint") << "isDetected_0,1" << 1;
        QTest::newRow("int") << "x,2" << 2;
        QTest::newRow("float") << "x,3" << 3;
        QTest::newRow("bool refused") << "isDetected_0,0" << -1;
        QTest::newRow("list refused") << "x,4" << -1;
        QTest::newRow("no type") << "x" << -1;
        QTest::newRow("letter") << "x,y" << -1;
    }
    void scanFieldTexts()
    {
        // Scan fields take the number types only.
        QFETCH(QString, text);
        QFETCH(int, type);
        const QSharedPointer<IScanParamDefinition> definition = parseScanParamDefinition(text);
        QCOMPARE(definition.isNull(), type < 0);
        if (type < 0)
            return;
        QCOMPARE(int(definition->type()), type);
        QCOMPARE(definition->toString(), text);
        QCOMPARE(bool(dynamic_cast<IntScanParamDefinition *>(definition.data())), type == 2);
    }
    void versionTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("readsBack");
        QTest::newRow("serial") << "serial"
                                << "S123" << true;
        QTest::newRow("empty value") << "firmware"
                                     << "" << true;
        QTest::newRow("equals in value") << "protocol"
                                         << "a=b" << false;
    }
    void versionTexts()
    {
        // A version reads back unless its value holds an "=".
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(bool, readsBack);
        const QString text = VersionDefinition(name, value).toString();
        QCOMPARE(text, name + "=" + value);
        const QSharedPointer<VersionDefinition> back = parseVersionDefinition(text);
        QCOMPARE(!back.isNull(), readsBack);
        if (back)
            QCOMPARE(back->value(), value);
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

        // The full set round-trips, and versions longer than the field leave it alone.
        VEXA3D_SENSOR_INFO_T source;
        source.spec.spotCount = 300;
        source.spec.swdr = 1;
        qstrcpy(source.serial, "SN-1");
        VEXA3D_SENSOR_INFO_T copy;
        sensorInfoFromParams(sensorParamsFromInfo(source), copy);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(&copy.spec), 20),
                 QByteArray(reinterpret_cast<char *>(&source.spec), 20));
        VersionInfoList versions = versionsFromInfo(source);
        versions << QSharedPointer<VersionDefinition>::create("product", QString(64, 'p'));
        sensorInfoFromVersions(versions, copy);
        QCOMPARE(QByteArray(copy.serial), QByteArray("SN-1"));
        QCOMPARE(QByteArray(copy.product), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestParamDefinitions)
#include "tst_paramdefinitions.moc"
