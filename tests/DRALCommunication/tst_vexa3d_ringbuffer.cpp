#include "TestSupport.h"
#include "Vexa3dRingBuffer.h"

#include <QtTest>

#include <numeric>
#include <vector>

class tst_Vexa3dRingBuffer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::isolateSettings(); }

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

QTEST_GUILESS_MAIN(tst_Vexa3dRingBuffer)
#include "tst_vexa3d_ringbuffer.moc"
