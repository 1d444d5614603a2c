#include "TestSupport.h"
#include "Vexa3dTcpClient.h"

#include <QElapsedTimer>
#include <QtTest>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

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

    // "localhost" means 127.0.0.1; bytes flow both ways and an idle receive returns 0.
    void localhostRoundTrip()
    {
        Listener listener;
        Vexa3dTcpClient client;
        QCOMPARE(client.open("localhost", listener.port), 0);
        QVERIFY(listener.pending(2000));
        const int peer = listener.accept();
        QVERIFY(peer >= 0);

        QCOMPARE(client.receive(), 0);
        QCOMPARE(client.write("VER\n", 4), 4);
        char buf[8] = {};
        QCOMPARE(int(::recv(peer, buf, sizeof buf, 0)), 4);
        QCOMPARE(QByteArray(buf, 4), QByteArray("VER\n"));

        const char data[] = "DRAL0123456789";
        QCOMPARE(int(::send(peer, data, 14, 0)), 14);
        int got = 0;
        for (int i = 0; i < 200 && got < 14; ++i) {
            const int n = client.receive();
            QVERIFY(n >= 0);
            got += n;
            if (got < 14)
                QTest::qWait(5);
        }
        QCOMPARE(got, 14);
        QCOMPARE(client.ringBuffer().used(), 14u);
        ::close(peer);
        QCOMPARE(client.close(), 0);
        QCOMPARE(client.close(), -1);
    }

    // Only numeric IPv4 text (or "localhost") is accepted; anything else fails before any traffic.
    void nonNumericHostsFail_data()
    {
        QTest::addColumn<QByteArray>("host");
        QTest::newRow("host name") << QByteArray("sensor.local");
        QTest::newRow("localhost with domain") << QByteArray("localhost.localdomain");
        QTest::newRow("IPv6 loopback") << QByteArray("::1");
        QTest::newRow("five groups") << QByteArray("127.0.0.1.5");
        QTest::newRow("empty") << QByteArray("");
    }
    void nonNumericHostsFail()
    {
        QFETCH(QByteArray, host);
        Listener listener;
        Vexa3dTcpClient client;
        QCOMPARE(client.open(host.constData(), listener.port), -1);
        QVERIFY(!listener.pending(50));
        QVERIFY(client.write("x", 1) < 0); // never connected
    }

    // A refused connect makes the socket writable at once; it must still fail, not succeed.
    void refusedConnectFails()
    {
        uint16_t port;
        {
            Listener closed;
            port = closed.port;
        }
        Vexa3dTcpClient client;
        QCOMPARE(client.open("127.0.0.1", port), -1);
        QVERIFY(!client.isOpen());
        QCOMPARE(client.receive(), -1);
    }

    // A connect that never completes (the listener's queue is full) gives up with -2 after about 2 s.
    void connectTimesOut()
    {
        Listener listener(0);
        std::vector<int> fillers;
        for (int i = 0; i < 4; ++i)
            fillers.push_back(connectNonBlocking(listener.port));
        QTest::qWait(100);
        Vexa3dTcpClient client;
        QElapsedTimer timer;
        timer.start();
        const int result = client.open("127.0.0.1", listener.port);
        const qint64 elapsed = timer.elapsed();
        for (int fd : fillers)
            ::close(fd);
        QCOMPARE(result, -2);
        QVERIFY2(elapsed >= 1900 && elapsed < 10000, qPrintable(QString::number(elapsed)));
        QVERIFY(!client.isOpen());
    }

    // close() of a client that was never opened reports -1.
    void closeNeverOpened()
    {
        Vexa3dTcpClient client;
        QCOMPARE(client.close(), -1);
        QCOMPARE(client.write("VER\n", 4), -1);
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
};

QTEST_GUILESS_MAIN(tst_Vexa3dTransport)
#include "tst_vexa3d_transport.moc"
