#include "TestSupport.h"
#include "tst_vexa3d_builder.h"

#include <QtTest>

#include <cmath>

using namespace Vexa3dTest;

class tst_Vexa3dProtocol : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    // The frame parser: bytes before the mark are dropped, a packet arriving in pieces is found once it
    // is whole, a frame header that contradicts itself is skipped instead of stalling the parser, a
    // longer header part is skipped as a whole, and a payload beyond the 16384-byte buffer is consumed
    // and dropped.
    void framing_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<int>("chunk");
        QTest::addColumn<QByteArrayList>("payloads"); // in order; "dropped" for a dropped packet
        auto bytes = [](const std::string &s) { return QByteArray(s.data(), int(s.size())); };
        const QByteArray good = bytes(frame("GET", "GET:good\n"));
        const int max = VEXA3D_MAX_REPLY_PAYLOAD;
        const QByteArrayList goodOnly{"GET:good\n"};
        QTest::newRow("clean") << good << 100000 << goodOnly;
        QTest::newRow("garbage before the mark")
            << QByteArray("\x01xyzDRA\x00\xff", 9) + good << 100000 << goodOnly;
        QTest::newRow("false start of a mark") << "DDRDRAD" + good << 100000 << goodOnly;
        QTest::newRow("byte by byte") << "zz" + good << 1 << goodOnly;
        QTest::newRow("headerLength below 24")
            << bytes(frame("GET", "GET:bad\n", "000", 10, 40)) + good << 100000 << goodOnly;
        QTest::newRow("totalLength below headerLength")
            << bytes(frame("GET", "GET:bad\n", "000", 24, 20)) + good << 100000 << goodOnly;
        QTest::newRow("totalLength zero")
            << bytes(frame("GET", "GET:bad\n", "000", 24, 0)) + good << 100000 << goodOnly;
        QTest::newRow("header part of 30 bytes") << bytes(frame("GET", "GET:bad\n", "000", 30)) + good
                                                 << 100000 << QByteArrayList{"GET:bad\n", "GET:good\n"};
        QTest::newRow("payload beyond the buffer")
            << bytes(frame("GET", std::string(size_t(max) + 1, 'x'))) + good << 100000
            << QByteArrayList{"dropped", "GET:good\n"};
        QTest::newRow("payload of exactly the buffer") << bytes(frame("GET", std::string(size_t(max), 'y')))
                                                       << 100000 << QByteArrayList{QByteArray(max, 'y')};
    }
    void framing()
    {
        QFETCH(QByteArray, stream);
        QFETCH(int, chunk);
        QFETCH(QByteArrayList, payloads);
        SimulatedSensor fake; // only its memory connection is used here
        Vexa3dMemoryConnection *memory = nullptr;
        auto sensor = fake.makeSensor(&memory);
        memory->setChunkSize(uint32_t(chunk));
        memory->feed(stream.constData(), size_t(stream.size()));
        std::vector<char> payload(VEXA3D_MAX_REPLY_PAYLOAD + 1);
        Vexa3dPacketHeader header;
        QByteArrayList got;
        for (int polls = 0; polls < 1000 && got.size() < payloads.size(); ++polls) {
            int length = -1;
            const int result = sensor->readReply(&header, payload.data(), &length);
            if (result == Vexa3dSensor::PacketDropped) {
                QCOMPARE(length, 0);
                got << "dropped";
            } else if (result == 1) {
                QCOMPARE(QByteArray(header.type) + QByteArray(header.status), QByteArray("GET000"));
                QCOMPARE(payload[size_t(length)], '\0');
                got << QByteArray(payload.data(), length);
            }
        }
        QCOMPARE(got, payloads);
        QCOMPARE(sensor->readReply(&header, payload.data(), nullptr), 0);
        QCOMPARE(sensor->connection()->ringBuffer().used(), 0u);
    }

    // The command transaction: what ends it with success, failure or a time-out; a dropped reply keeps it
    // waiting. Commands shorter than three characters are refused without sending.
    void commandTransaction_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("replyBytes");
        QTest::addColumn<int>("expected");
        const std::string cmd = "GET:_itl\n";
        auto bytes = [](const std::string &s) { return QByteArray(s.data(), int(s.size())); };
        QTest::newRow("echo") << bytes(cmd) << bytes(reply(cmd, "0,01")) << 1;
        QTest::newRow("payload does not echo the command")
            << bytes(cmd) << bytes(frame("GET", "GET:_itv\n0,01")) << -2;
        QTest::newRow("error packet ERR") << bytes(cmd) << bytes(frame("ERR", "bad command", "001")) << -1;
        QTest::newRow("error packet _er") << bytes(cmd) << bytes(frame("_er", "", "002")) << -1;
        QTest::newRow("stray data packet first")
            << bytes(cmd)
            << bytes(frame("_ro", std::string(40, '\0')) + frame("SET", "GET:_itl\n") + reply(cmd, "0,01"))
            << 1;
        QTest::newRow("no reply") << bytes(cmd) << QByteArray() << -2;
        QTest::newRow("oversized reply first")
            << bytes(cmd)
            << bytes(frame("GET", cmd + std::string(VEXA3D_MAX_REPLY_PAYLOAD, '7')) + reply(cmd, "0,01"))
            << 1;
        QTest::newRow("two characters") << QByteArray("GE") << bytes(reply(cmd)) << -1;
        QTest::newRow("no command") << QByteArray() << bytes(reply(cmd)) << -1;
    }
    void commandTransaction()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, replyBytes);
        QFETCH(int, expected);
        SimulatedSensor fake; // only its memory connection is used here
        Vexa3dMemoryConnection *memory = nullptr;
        auto sensor = fake.makeSensor(&memory);
        const std::string bytes(replyBytes.constData(), size_t(replyBytes.size()));
        memory->setResponder(
            [bytes](const std::string &, Vexa3dMemoryConnection &conn) { conn.feed(bytes); });
        sensor->setTimeout(150);
        QCOMPARE(sensor->command(command.isEmpty() ? nullptr : command.constData()), expected);
        QCOMPARE(QByteArray::fromStdString(memory->written()), command.size() < 3 ? QByteArray() : command);
    }

    // open stops the three data kinds; a failed stop closes again, a failed open reports -15.
    void openSequence_data()
    {
        QTest::addColumn<int>("openResult");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<int>("expected");
        QTest::newRow("all stopped") << 0 << QString() << 0;
        QTest::newRow("connection fails") << -2 << QString() << -15;
        QTest::newRow("level stop refused") << 0 << "DAT:ri=0" << -5;
    }
    void openSequence()
    {
        QFETCH(int, openResult);
        QFETCH(QString, refused);
        QFETCH(int, expected);
        SimulatedSensor fake;
        if (!refused.isEmpty())
            fake.config.faults.refusedCommands = {refused.toStdString()};
        Vexa3dMemoryConnection *memory = nullptr;
        auto sensor = fake.makeSensor(&memory);
        memory->setOpenResult(openResult);
        sensor->setTimeout(200);
        QCOMPARE(sensor->open("127.0.0.1", 10940), expected);
        QCOMPARE(sensor->isConnected(), expected == 0);
        if (expected == 0) {
            QCOMPARE(fake.commands, (std::vector<std::string>{"DAT:ro=0", "DAT:ri=0", "DAT:ax=0"}));
            QCOMPARE(sensor->lastError(), -2);
        } else {
            QCOMPARE(sensor->lastError(), expected);
            QVERIFY(!memory->isOpen());
        }
    }

    // Only protocol 2.3 and later 2.x ask for the geometry; older and newer majors get the defaults. Up
    // to 256 spots use the plain table commands; 300 spots fetch two chunks of every table.
    void initialization_data()
    {
        QTest::addColumn<QString>("protocol");
        QTest::addColumn<bool>("queried");
        QTest::addColumn<int>("spots");
        QTest::addColumn<int>("vertical");
        QTest::addColumn<QStringList>("tables");
        const QStringList plain{"GET:tblh", "GET:tv00"};
        QTest::newRow("2.2") << "2.2" << false << 74 << 1 << plain;
        QTest::newRow("3.0") << "3.0" << false << 74 << 1 << plain;
        QTest::newRow("1.9") << "1.9" << false << 74 << 1 << plain;
        QTest::newRow("garbled") << "two.three" << false << 74 << 1 << plain;
        QTest::newRow("2.10, 40 spots") << "2.10" << true << 40 << 1 << plain;
        QTest::newRow("2.3, 256 spots") << "2.3" << true << 256 << 1 << plain;
        QTest::newRow("2.3, 300 spots")
            << "2.3" << true << 300 << 1
            << QStringList{"GET:tblh[00]", "GET:tblh[01]", "GET:tv00[00]", "GET:tv00[01]"};
        QTest::newRow("2.3, vertical 3")
            << "2.3" << true << 74 << 3 << QStringList{"GET:tblh", "GET:tv00", "GET:tv01", "GET:tv02"};
    }
    void initialization()
    {
        QFETCH(QString, protocol);
        QFETCH(bool, queried);
        QFETCH(int, spots);
        QFETCH(int, vertical);
        QFETCH(QStringList, tables);
        SimulatedSensor fake;
        Vexa3dSim::Geometry &geometry = fake.config.geometry;
        fake.config.identity.protocol = protocol.toStdString();
        geometry.spotCount = uint16_t(spots);
        geometry.echoCount = 3;
        geometry.remInterlaceCount = 4;
        geometry.lastLineNumber = 9;
        geometry.swdr = 1;
        geometry.verticalInterlace = uint8_t(vertical);
        auto sensor = fake.makeSensor();
        VEXA3D_MEASUREMENT_DATA_T line;
        QCOMPARE(sensor->initialize(&line), 1);
        QCOMPARE(fake.count("GET:spec."), queried ? 10 : 0);
        QCOMPARE(fake.count("GET:swdr"), queried ? 1 : 0);
        VEXA3D_SENSOR_INFO_T info;
        QCOMPARE(sensor->sensorInfo(&info), 1);
        QCOMPARE(QByteArray(info.protocol), protocol.toLatin1());
        QCOMPARE(QByteArray(info.firmware), QByteArray::fromStdString(fake.config.identity.firmware));
        const QList<int> got{info.spec.spotCount, info.spec.echoCount, info.spec.remInterlaceCount,
                             info.spec.lineCount, info.spec.swdr};
        QCOMPARE(got, queried ? QList<int>({spots, 3, 4, 10, 1}) : QList<int>({74, 4, 10, 36, 0}));
        QCOMPARE(int(line.spots.size()), got[0]);
        QCOMPARE(int(line.spots[0].echoes.size()), got[1]);

        QStringList seen;
        for (const std::string &c : fake.commands)
            if (c.rfind("GET:tblh", 0) == 0 || c.rfind("GET:tv", 0) == 0)
                seen << QString::fromStdString(c);
        QCOMPARE(seen, tables);
        const Vexa3dSim::Generator generator(fake.config);
        for (int s : {0, spots / 2, spots - 1}) {
            QCOMPARE(sensor->horizontalTableValue(s), generator.horizontalValue(s) / 65535.0);
            for (int field = 0; field < vertical; ++field)
                QCOMPARE(sensor->verticalAngle(vertical, field, s),
                         generator.verticalValue(vertical, field, s) * 2.0 * 3.141592653589793 / 65535.0);
        }
    }

    // Table replies: values every five characters, any case; short replies change nothing, extra values
    // beyond the spots are ignored.
    void tableParsing_data()
    {
        QTest::addColumn<QByteArray>("values");
        QTest::addColumn<QList<double>>("expected");
        QTest::newRow("upper case") << QByteArray("FFFF,0000,8000") << QList<double>{65535, 0, 32768};
        QTest::newRow("lower case") << QByteArray("ffff 00a0") << QList<double>{65535, 160, -1};
        QTest::newRow("non-hex adds nothing") << QByteArray("0x1G") << QList<double>{16, -1, -1};
        QTest::newRow("last group incomplete") << QByteArray("0001,002") << QList<double>{1, -1, -1};
        QTest::newRow("too short for one group") << QByteArray("123") << QList<double>{-1, -1, -1};
        QTest::newRow("more values than spots")
            << QByteArray("0001,0002,0003,0004") << QList<double>{1, 2, 3};
    }
    void tableParsing()
    {
        QFETCH(QByteArray, values);
        QFETCH(QList<double>, expected);
        SimulatedSensor fake;
        fake.config.geometry.spotCount = 3;
        fake.overrides["GET:tblh"] = reply("GET:tblh\n", values.toStdString());
        auto sensor = fake.makeSensor();
        QCOMPARE(sensor->initialize(nullptr), 1);
        for (int s = 0; s < 3; ++s) {
            const double want = expected[s] < 0 ? 0.0 : expected[s] / 65535.0;
            QCOMPARE(sensor->horizontalTableValue(s), want);
        }
    }

    // Geometry a sensor cannot have, or an interlace count outside its tables, fails initialisation.
    void impossibleGeometryRefused_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("no vertical fields") << "GET:spec.remInterlaceCount" << QByteArray("0");
        QTest::newRow("65535 spots") << "GET:spec.spotCount" << QByteArray("65535");
        QTest::newRow("unparsable") << "GET:spec.echoCount" << QByteArray("many");
        QTest::newRow("vertical count 0") << "GET:_itv" << QByteArray("0,0");
        QTest::newRow("vertical count above the fields") << "GET:_itv" << QByteArray("0,11");
    }
    void impossibleGeometryRefused()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, value);
        SimulatedSensor fake;
        const std::string c = command.toStdString();
        fake.overrides[c] = reply(c + "\n", value.toStdString() + (c == "GET:_itv" ? "" : "\n"));
        auto sensor = fake.makeSensor();
        QCOMPARE(sensor->initialize(nullptr), -1);
        QVERIFY(!sensor->isInitialized());
    }

    // "_ro=099" keeps polling until ready; a bad range or auxiliary code ends with -1. Each poll takes
    // 100 ms of the simulated sensor's clock.
    void waitReady_data()
    {
        QTest::addColumn<int>("preparingMs");
        QTest::addColumn<QString>("codes");        // range and auxiliary after preparing
        QTest::addColumn<QByteArray>("rawStatus"); // replaces the simulator's reply when not empty
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("polls");
        QTest::newRow("ready at once") << 0 << "000 000" << QByteArray() << 1 << 1;
        QTest::newRow("preparing twice") << 250 << "000 000" << QByteArray() << 1 << 3;
        QTest::newRow("range error after preparing") << 150 << "001 000" << QByteArray() << -1 << 2;
        QTest::newRow("auxiliary error") << 0 << "000 500" << QByteArray() << -1 << 1;
        QTest::newRow("level error before range")
            << 0 << "000 000" << QByteArray("_ri=003\n_ax=000\n") << -1 << 1;
        QTest::newRow("error after ready keeps ready")
            << 0 << "000 000" << QByteArray("_ro=000\n_ro=007\n_ri=000\n_ax=000\n") << 1 << 1;
    }
    void waitReady()
    {
        QFETCH(int, preparingMs);
        QFETCH(QString, codes);
        QFETCH(QByteArray, rawStatus);
        QFETCH(int, expected);
        QFETCH(int, polls);
        SimulatedSensor fake;
        fake.config.preparingMs = preparingMs;
        fake.config.statRangeCode = codes.left(3).toStdString();
        fake.config.statAuxCode = codes.mid(4).toStdString();
        if (!rawStatus.isEmpty())
            fake.overrides["GET:stat"] = reply("GET:stat\n", rawStatus.toStdString());
        auto sensor = fake.makeSensor();
        QCOMPARE(sensor->waitReady(), expected);
        QCOMPARE(fake.count("GET:stat"), polls);
    }

    // Interlace setters check their range before sending; the vertical one loads its tables once. A
    // vertical count whose tables cannot be fetched is taken back: the count in force stays.
    void interlaceSetters()
    {
        SimulatedSensor fake;
        fake.config.faults.refusedCommands = {"GET:tv02"};
        auto sensor = fake.makeSensor();
        QCOMPARE(sensor->setVerticalInterlace(2), -3); // not initialised
        QCOMPARE(sensor->initialize(nullptr), 1);
        fake.commands.clear();
        QCOMPARE(sensor->setVerticalInterlace(0), -1);
        QCOMPARE(sensor->setVerticalInterlace(11), -1);
        QCOMPARE(sensor->setHorizontalInterlace(0), -1);
        QCOMPARE(sensor->setHorizontalInterlace(21), -1);
        QVERIFY(fake.commands.empty());

        QCOMPARE(sensor->setHorizontalInterlace(20), 1);
        QCOMPARE(sensor->setVerticalInterlace(2), 1);
        QCOMPARE(fake.commands,
                 (std::vector<std::string>{"SET:_itl=0,20", "SET:_itv=0,02", "GET:tv00", "GET:tv01"}));
        const Vexa3dSim::Generator generator(fake.config);
        QCOMPARE(sensor->verticalAngle(2, 1, 5),
                 generator.verticalValue(2, 1, 5) * 2.0 * 3.141592653589793 / 65535.0);
        fake.commands.clear();
        QCOMPARE(sensor->setVerticalInterlace(2), 1);
        QCOMPARE(fake.commands, (std::vector<std::string>{"SET:_itv=0,02"}));
        uint8_t value = 0;
        QCOMPARE(sensor->verticalInterlace(&value), 1);
        QCOMPARE(int(value), 2);
        QCOMPARE(sensor->horizontalInterlace(&value), 1);
        QCOMPARE(int(value), 20);

        fake.commands.clear();
        QCOMPARE(sensor->setVerticalInterlace(3), -1);
        QCOMPARE(fake.commands, (std::vector<std::string>{"SET:_itv=0,03", "GET:tv00", "GET:tv01", "GET:tv02",
                                                          "SET:_itv=0,02"}));
        QCOMPARE(sensor->currentVerticalInterlace(), 2);
        QCOMPARE(fake.processor->verticalInterlace(), 2);
    }

    // Data commands, reboot and the version texts.
    void otherCommands()
    {
        SimulatedSensor fake;
        fake.overrides["VER"] =
            frame("VER", "vend:" + std::string(100, 'v') + "\nxxxx:skip\nprod:P\n\nprot:2.2\n");
        Vexa3dMemoryConnection *memory = nullptr;
        auto sensor = fake.makeSensor(&memory);
        VEXA3D_SENSOR_INFO_T info;
        QCOMPARE(sensor->sensorInfo(&info), -3);
        QCOMPARE(sensor->initialize(nullptr), 1);
        QCOMPARE(sensor->sensorInfo(&info), 1);
        QCOMPARE(QByteArray(info.vendor), QByteArray(63, 'v'));
        QCOMPARE(QByteArray(info.product), QByteArray("P"));
        QCOMPARE(QByteArray(info.serial), QByteArray());
        fake.commands.clear();
        QCOMPARE(sensor->startData(Vexa3dSensor::RangeAndLevel, true), 1);
        QCOMPARE(sensor->startData(Vexa3dSensor::ExtendedRange, true), 1);
        QCOMPARE(sensor->stopData(Vexa3dSensor::Auxiliary, false), 1);
        QCOMPARE(sensor->startData(0, true), -1);
        QCOMPARE(sensor->startData(5, false), -1);
        QCOMPARE(sensor->reboot(), 1);
        QCOMPARE(fake.commands, (std::vector<std::string>{"DAT:ri=1", "DAT:ra=1", "DAT:ax=0", "RST"}));
        QCOMPARE(sensor->close(), 0);
        QVERIFY(!sensor->isInitialized());
    }
};

QTEST_GUILESS_MAIN(tst_Vexa3dProtocol)
#include "tst_vexa3d_protocol.moc"
