#include "SensorSimulator.h"
#include "TestSupport.h"
#include "Vexa3dSensor.h"

#include <QtTest>

using namespace Vexa3dSim;

Q_DECLARE_METATYPE(Vexa3dSim::DataKind)

namespace {

uint16_t u16(const std::vector<uint8_t> &b, size_t at)
{
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
std::string text(const std::vector<uint8_t> &b, size_t at, size_t n)
{
    return std::string(reinterpret_cast<const char *>(b.data()) + at, n);
}

// A raw connection framed by the sensor library: what a client sees on the wire, packet by packet.
struct WireClient
{
    Vexa3dSensor sensor;
    Vexa3dPacketHeader header;
    std::vector<uint8_t> payload;

    bool open(uint16_t port) { return sensor.connection()->open("127.0.0.1", port) == 0; }
    bool send(const std::string &s)
    {
        return sensor.connection()->write(s.data(), int(s.size())) == int(s.size());
    }
    // The next packet into header and payload: Vexa3dOk, Vexa3dNone after the time-out, or the loss.
    int next(int timeoutMs = 2000)
    {
        std::vector<char> buffer(VEXA3D_MAX_REPLY_PAYLOAD + 1);
        int length = 0;
        int result = Vexa3dNone;
        // The outcome is in result: a time-out leaves it at Vexa3dNone.
        (void)QTest::qWaitFor(
            [&] { return (result = sensor.readReply(&header, buffer.data(), &length)) != Vexa3dNone; },
            timeoutMs);
        payload.assign(buffer.begin(), buffer.begin() + (result == Vexa3dOk ? length : 0));
        return result;
    }
    std::string type() const { return header.type; }
};

} // namespace

class tst_SensorSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    void measurementPacketLayout_data()
    {
        QTest::addColumn<DataKind>("kind");
        QTest::addColumn<int>("spots");
        QTest::addColumn<int>("packetsPerLine");
        QTest::addColumn<QString>("protocol");
        QTest::addColumn<int>("headerLength");
        QTest::newRow("_ro one packet") << DataKind::Range << 74 << 1 << "2.3" << 24;
        QTest::newRow("_ri split in two") << DataKind::RangeLevel << 74 << 2 << "2.3" << 24;
        QTest::newRow("_ra with regions") << DataKind::ExtendedRange << 74 << 1 << "2.3" << 36;
        QTest::newRow("protocol 1.0: short header") << DataKind::RangeLevel << 74 << 1 << "1.0" << 20;
        QTest::newRow("1000 spots in three") << DataKind::RangeLevel << 1000 << 3 << "2.3" << 24;
        QTest::newRow("odd spot count") << DataKind::Range << 75 << 2 << "2.2" << 24;
    }

    void measurementPacketLayout()
    {
        // Frame, measurement header, aligned index block and echo data add up to totalLength, and the
        // packets of a line cover every spot once, in order.
        QFETCH(DataKind, kind);
        QFETCH(int, spots);
        QFETCH(int, packetsPerLine);
        QFETCH(QString, protocol);
        QFETCH(int, headerLength);
        Config config;
        config.geometry.spotCount = static_cast<uint16_t>(spots);
        config.packetsPerLine = packetsPerLine;
        config.identity.protocol = protocol.toStdString();
        Generator gen(config);
        const Line line = gen.computeLine(gen.position(40, 1, 1), 1, 1);
        const auto packets = gen.measurementPacketList(kind, line);
        QCOMPARE(int(packets.size()), packetsPerLine);
        int nextSpot = 0;
        for (const auto &p : packets) {
            QCOMPARE(text(p, 0, 4), std::string("DRAL"));
            QCOMPARE(text(p, 4, 3), std::string(packetType(kind)));
            QCOMPARE(text(p, 8, 3), std::string("000"));
            QCOMPARE(int(u16(p, 12)), 24);
            QCOMPARE(size_t(u16(p, 14)), p.size());
            QCOMPARE(int(u16(p, 24)), headerLength);
            QCOMPARE(int(u16(p, 24 + 16)), int(line.lineNumber));
            QCOMPARE(int(u16(p, 24 + 18)), nextSpot);
            const size_t index = 24 + headerLength;
            const int inPacket = u16(p, index + 2);
            const size_t data = index + 4 + 2 * (inPacket + 1) + (inPacket % 2 == 0 ? 2 : 0);
            QCOMPARE(data % 4, size_t(0));
            const int entries = u16(p, index + 4 + 2 * inPacket);
            QCOMPARE(data + entries * (kind == DataKind::Range ? 2u : 4u), p.size());
            for (int i = 0; i < inPacket; ++i)
                QVERIFY(u16(p, index + 6 + 2 * i) - u16(p, index + 4 + 2 * i) <= 4);
            nextSpot += inPacket;
        }
        QCOMPARE(nextSpot, spots);
    }

    void malformations_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("totalDelta"); // totalLength minus the real size; 1000 means "is 0"
        QTest::addColumn<int>("headerLength");
        QTest::addColumn<int>("firstSpotEchoes");
        QTest::addColumn<bool>("beyondLine");
        QTest::newRow("short") << int(Malformation::TotalLengthShort) << -8 << 24 << -1 << false;
        QTest::newRow("long") << int(Malformation::TotalLengthLong) << 8 << 24 << -1 << false;
        QTest::newRow("zero") << int(Malformation::TotalLengthZero) << 1000 << 24 << -1 << false;
        QTest::newRow("echo offsets") << int(Malformation::EchoOffsetsInvalid) << 0 << 24 << 5 << false;
        QTest::newRow("spots beyond line") << int(Malformation::SpotsBeyondLine) << 0 << 24 << -1 << true;
        QTest::newRow("header too long")
            << int(Malformation::MeasurementHeaderTooLong) << 0 << 0xFFFF << -1 << false;
    }

    void malformations()
    {
        // Each malformation breaks exactly the field it names and keeps the mark.
        QFETCH(int, kind);
        QFETCH(int, totalDelta);
        QFETCH(int, headerLength);
        QFETCH(int, firstSpotEchoes);
        QFETCH(bool, beyondLine);
        Generator gen;
        const Line line = gen.computeLine(gen.position(0, 1, 1), 1, 1);
        const std::vector<uint8_t> good = gen.makeMeasurementPackets(DataKind::RangeLevel, line);
        const std::vector<uint8_t> bad = gen.malform(good, static_cast<Malformation>(kind));
        QCOMPARE(bad.size(), good.size());
        QCOMPARE(text(bad, 0, 4), std::string("DRAL"));
        QCOMPARE(int(u16(bad, 14)), totalDelta == 1000 ? 0 : int(good.size()) + totalDelta);
        QCOMPARE(int(u16(bad, 24)), headerLength);
        const size_t index = 24 + 24;
        if (firstSpotEchoes >= 0)
            QCOMPARE(u16(bad, index + 6) - u16(bad, index + 4), firstSpotEchoes);
        QCOMPARE(u16(bad, 24 + 18) + u16(bad, index + 2) > 74, beyondLine);
    }

    void commandReplies_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("drops");
        QTest::addColumn<QString>("type");
        QTest::newRow("unknown geometry field") << "GET:spec.colour" << false << "ERR";
        QTest::newRow("interlace 0 refused") << "SET:_itv=0,00" << false << "ERR";
        QTest::newRow("interlace above count refused") << "SET:_itl=0,21" << false << "ERR";
        QTest::newRow("chunk beyond the table") << "GET:tblh[01]" << false << "ERR";
        QTest::newRow("vertical field beyond count") << "GET:tv01" << false << "ERR";
        QTest::newRow("unknown data kind") << "DAT:xx=1" << false << "ERR";
        QTest::newRow("reboot") << "RST" << true << "RST";
        QTest::newRow("unknown command") << "HELLO" << false << "ERR";
        QTest::newRow("too short") << "GE" << false << "ERR";
    }

    void commandReplies()
    {
        // What the sensor does not know or cannot do gets "ERR" echoing the command; "RST" is answered and
        // drops the connection.
        QFETCH(QString, command);
        QFETCH(bool, drops);
        QFETCH(QString, type);
        CommandProcessor processor;
        const CommandProcessor::Result r = processor.handle(command.toStdString(), 0);
        const std::vector<uint8_t> &p = r.reply;
        QVERIFY(p.size() >= 24);
        QCOMPARE(QString::fromStdString(text(p, 4, 3)), type);
        QCOMPARE(size_t(u16(p, 14)), p.size());
        QCOMPARE(QString::fromStdString(text(p, 24, p.size() - 24)), command);
        QCOMPARE(r.dropConnection, drops);
    }

    void interlaceFieldsOnTheWire()
    {
        // After "SET:_itv=0,02" every line names field 0 or 1 of 2, both fields come in turn, and the frame
        // counter moves on after both; two packets per line still cover the line.
        Config config;
        config.rate = 0;
        config.packetsPerLine = 2;
        SensorSimulator sim(config);
        QVERIFY(sim.start(0));
        WireClient client;
        QVERIFY(client.open(sim.port()));
        QVERIFY(client.send("SET:_itv=0,02\nDAT:ro=1\n"));
        QCOMPARE(client.next(), int(Vexa3dOk));
        QCOMPARE(text(client.payload, 0, client.payload.size()), std::string("SET:_itv=0,02"));
        int fieldsSeen = 0, frames = 0, lastFrame = -1, completeLines = 0;
        while (completeLines < 150 && client.next() == Vexa3dOk) {
            const std::vector<uint8_t> &p = client.payload;
            if (client.type() != "_ro")
                continue;
            QCOMPARE(int(p[21]), 2);
            fieldsSeen |= 1 << p[20];
            if (p[14] != lastFrame) {
                ++frames;
                lastFrame = p[14];
            }
            completeLines += u16(p, 18) + u16(p, 24 + 2) == 74;
        }
        QCOMPARE(completeLines, 150);
        QCOMPARE(fieldsSeen, 3);
        QVERIFY(frames >= 2);
    }

    void wire_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("commands");
        QTest::addColumn<QStringList>("packets"); // type, status and, but for data, payload
        QTest::addColumn<bool>("closes");
        const QString itl = "GET 000 GET:_itl\n0,01\n";
        const QString data = "_ri 000";
        QTest::newRow("refused with its status")
            << "" << QByteArray("GET:_itv\n") << QStringList{"ERR 042 GET:_itv"} << false;
        QTest::newRow("silent command")
            << "" << QByteArray("GET:swdr\nGET:_itl\n") << QStringList{itl} << false;
        QTest::newRow("injected error packet")
            << "inject" << QByteArray() << QStringList{"_er 012 dirty window"} << false;
        QTest::newRow("a stall holds back replies and injected packets")
            << "stall" << QByteArray("GET:_itl\n") << QStringList{"ERR 105 first", "ERR 106 second", itl}
            << false;
        QTest::newRow("reboot drops the connection")
            << "" << QByteArray("RST\n") << QStringList{"RST 000 RST"} << true;
        QTest::newRow("drop after 5 data packets")
            << "drop" << QByteArray("DAT:ri=1\n")
            << QStringList{"DAT 000 DAT:ri=1", data, data, data, data, data} << true;
    }

    void wire()
    {
        // The server's fault options as a client sees them on the wire.
        QFETCH(QString, fault);
        QFETCH(QByteArray, commands);
        QFETCH(QStringList, packets);
        QFETCH(bool, closes);
        Config config;
        config.rate = 0;
        config.faults.dropAfterDataPackets = fault == "drop" ? 5 : 0;
        config.faults.refusedCommands = {"GET:_itv"};
        config.faults.refuseStatus = "042";
        config.faults.silentCommands = {"GET:swdr"};
        SensorSimulator sim(config);
        QVERIFY(sim.start(0));
        WireClient client;
        QVERIFY(client.open(sim.port()));
        QVERIFY(sim.waitForClient(2000));
        if (fault == "stall")
            sim.stall(400);
        QVERIFY(client.send(commands.toStdString()));
        if (fault == "inject")
            sim.injectErrorPacket("_er", "012", "dirty window");
        if (fault == "stall") {
            sim.injectErrorPacket("ERR", "105", "first");
            sim.injectErrorPacket("ERR", "106", "second");
        }
        QStringList seen;
        int result = Vexa3dOk;
        while ((closes || seen.size() < packets.size()) && (result = client.next()) == Vexa3dOk) {
            const std::string type = client.type();
            const bool isData = type[0] == '_' && type != "_er";
            const std::string body(client.payload.begin(), client.payload.end());
            seen << QString::fromStdString(type + " " + client.header.status + (isData ? "" : " " + body));
        }
        QCOMPARE(seen, packets);
        QCOMPARE((closes ? result : client.next(100)) == Vexa3dConnectionLost, closes);
    }
};

QTEST_GUILESS_MAIN(tst_SensorSim)
#include "tst_sensor_sim.moc"
