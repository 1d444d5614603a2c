#include "TestSupport.h"
#include "Vexa3dRingBuffer.h"
#include "Vexa3dTcpClient.h"

#include <QtTest>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <numeric>
#include <vector>

namespace {

// A listening socket on 127.0.0.1 with a free port.
struct Listener
{
    int fd = -1;
    uint16_t port = 0;

    explicit Listener(int backlog = 8)
    {
        fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr *>(&sa), sizeof sa);
        ::listen(fd, backlog);
        socklen_t len = sizeof sa;
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&sa), &len);
        port = ntohs(sa.sin_port);
    }
    ~Listener()
    {
        if (fd >= 0)
            ::close(fd);
    }
    bool pending(int ms) const
    {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, ms) == 1;
    }
    int accept() const { return ::accept(fd, nullptr, nullptr); }
};

int connectNonBlocking(uint16_t port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    sa.sin_port = htons(port);
    ::connect(fd, reinterpret_cast<sockaddr *>(&sa), sizeof sa);
    return fd;
}

} // namespace

class tst_Vexa3dTransport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

    // Only numeric IPv4 text (or "localhost") is tried; a refused connect (the socket is writable at
    // once) fails, and a connect that never completes (the listener's queue is full) gives up with -2.
    // Neither can write.
    void openFails_data()
    {
        QTest::addColumn<QByteArray>("host");
        QTest::addColumn<QString>("listener");
        QTest::addColumn<int>("expected");
        QTest::newRow("host name") << QByteArray("sensor.local") << "listening" << -1;
        QTest::newRow("localhost with domain") << QByteArray("localhost.localdomain") << "listening" << -1;
        QTest::newRow("IPv6 loopback") << QByteArray("::1") << "listening" << -1;
        QTest::newRow("five groups") << QByteArray("127.0.0.1.5") << "listening" << -1;
        QTest::newRow("empty") << QByteArray("") << "listening" << -1;
        QTest::newRow("nothing listens") << QByteArray("127.0.0.1") << "closed" << -1;
        QTest::newRow("queue full") << QByteArray("127.0.0.1") << "full" << -2;
    }
    void openFails()
    {
        QFETCH(QByteArray, host);
        QFETCH(QString, listener);
        QFETCH(int, expected);
        auto server = std::make_unique<Listener>(listener == "full" ? 0 : 8);
        const uint16_t port = server->port;
        std::vector<int> fillers;
        if (listener == "closed")
            server.reset();
        for (int i = 0; listener == "full" && i < 4; ++i)
            fillers.push_back(connectNonBlocking(port));
        QTest::qWait(listener == "full" ? 100 : 0);
        Vexa3dTcpClient client;
        QCOMPARE(client.open(host.constData(), port), expected);
        for (int fd : fillers)
            ::close(fd);
        QVERIFY(client.write("x", 1) < 0);
        if (listener == "listening") {
            QVERIFY(!server->pending(50)); // no traffic at all
        } else {
            QVERIFY(!client.isOpen());
            QCOMPARE(client.receive(), -1);
            QCOMPARE(client.close(), -1);
        }
    }

    // Writing to a peer that went away fails with a negative result instead of killing the process.
    void writeAfterPeerClosed()
    {
        Listener listener;
        Vexa3dTcpClient client;
        QCOMPARE(client.open("127.0.0.1", listener.port), 0);
        QVERIFY(listener.pending(2000));
        ::close(listener.accept());
        QTest::qWait(50);
        std::vector<char> block(65536, 'x');
        int result = 0;
        for (int i = 0; i < 100 && result >= 0; ++i) {
            result = client.write(block.data(), int(block.size()));
            QTest::qWait(1);
        }
        QVERIFY(result < 0);
    }

    // The buffer holds at most size - 1 bytes; larger writes store nothing.
    void fullAndEmpty_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("expectFirst");
        QTest::addColumn<int>("expectSecond");
        QTest::newRow("exactly size - 1") << 1023 << 0 << 1023 << 0;
        QTest::newRow("exactly size") << 1024 << 0 << 0 << 0;
        QTest::newRow("one byte over the free space") << 1000 << 24 << 1000 << 0;
        QTest::newRow("fills the last free bytes") << 1000 << 23 << 1000 << 23;
    }
    void fullAndEmpty()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(int, expectFirst);
        QFETCH(int, expectSecond);
        Vexa3dRingBuffer ring(10);
        QCOMPARE(ring.size(), 1024u);
        QCOMPARE(ring.capacity(), 1023u);
        std::vector<uint8_t> bytes(2048, 7);
        QCOMPARE(int(ring.write(bytes.data(), uint32_t(first))), expectFirst);
        if (second)
            QCOMPARE(int(ring.write(bytes.data(), uint32_t(second))), expectSecond);
        QCOMPARE(int(ring.used()), expectFirst + expectSecond);
        ring.clear();
        QCOMPARE(ring.used(), 0u);
    }

    // Data that crosses the end of the storage comes back in order and the index wraps; reads are all
    // or nothing: asking for more than is held leaves the bytes in place.
    void wrapping()
    {
        Vexa3dRingBuffer ring(4); // 16 bytes
        std::vector<uint8_t> filler(12, 0);
        QCOMPARE(ring.write(filler.data(), 12), 12u);
        QCOMPARE(ring.read(filler.data(), 12), 12u);
        std::vector<uint8_t> in(10);
        std::iota(in.begin(), in.end(), 100);
        QCOMPARE(ring.write(in.data(), 10), 10u);
        QCOMPARE(ring.writeIndex(), 6u);
        std::vector<uint8_t> peeked(11), out(11);
        QCOMPARE(ring.read(out.data(), 11), 0u);
        QCOMPARE(ring.peek(out.data(), 11), 0u);
        QCOMPARE(ring.peek(peeked.data(), 10), 10u);
        QCOMPARE(ring.used(), 10u);
        QCOMPARE(ring.read(out.data(), 10), 10u);
        peeked.pop_back();
        out.pop_back();
        QCOMPARE(peeked, in);
        QCOMPARE(out, in);
        QCOMPARE(ring.readIndex(), 6u);
        QCOMPARE(ring.discard(1), 0u);
    }
};

QTEST_GUILESS_MAIN(tst_Vexa3dTransport)
#include "tst_vexa3d_transport.moc"
