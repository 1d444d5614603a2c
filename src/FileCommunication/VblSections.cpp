#include "VblSections.h"

#include <QIODevice>
#include <QThread>
#include <QtDebug>

#include <algorithm>
#include <cstring>
#include <zlib.h>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TAVIRO_ADLER_SSSE3 1
// Adler-32 sixteen bytes a step: the byte sums by psadbw, the position-weighted sums by pmaddubsw.
__attribute__((target("ssse3"))) uLong adler32Ssse3(uLong adler, const uchar *buf, size_t len)
{
    constexpr uint32_t Base = 65521;
    constexpr size_t Block = 32;
    // Blocks per reduction, so that no 32-bit lane can overflow (zlib's NMAX in blocks).
    constexpr size_t MaxBlocks = 5552 / Block;
    uint32_t s1 = uint32_t(adler & 0xffff);
    uint32_t s2 = uint32_t(adler >> 16);
    size_t blocks = len / Block;
    len -= blocks * Block;
    const __m128i tap1 = _mm_setr_epi8(32, 31, 30, 29, 28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18, 17);
    const __m128i tap2 = _mm_setr_epi8(16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1);
    const __m128i zero = _mm_setzero_si128();
    const __m128i ones = _mm_set1_epi16(1);
    while (blocks) {
        size_t n = std::min(blocks, MaxBlocks);
        blocks -= n;
        // s1 as it was before the run adds 32 * s1 per block to s2.
        __m128i vPrev = _mm_set_epi32(0, 0, 0, int(s1 * uint32_t(n)));
        __m128i vS2 = _mm_set_epi32(0, 0, 0, int(s2));
        __m128i vS1 = _mm_setzero_si128();
        do {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(buf));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(buf + 16));
            vPrev = _mm_add_epi32(vPrev, vS1);
            vS1 = _mm_add_epi32(vS1, _mm_sad_epu8(a, zero));
            vS2 = _mm_add_epi32(vS2, _mm_madd_epi16(_mm_maddubs_epi16(a, tap1), ones));
            vS1 = _mm_add_epi32(vS1, _mm_sad_epu8(b, zero));
            vS2 = _mm_add_epi32(vS2, _mm_madd_epi16(_mm_maddubs_epi16(b, tap2), ones));
            buf += Block;
        } while (--n);
        vS2 = _mm_add_epi32(vS2, _mm_slli_epi32(vPrev, 5));
        const auto sum = [](__m128i v) {
            v = _mm_add_epi32(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 3, 0, 1)));
            v = _mm_add_epi32(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2)));
            return uint32_t(_mm_cvtsi128_si32(v));
        };
        s1 = (s1 + sum(vS1)) % Base;
        s2 = sum(vS2) % Base;
    }
    while (len--) {
        s1 += *buf++;
        s2 += s1;
    }
    return uLong((s2 % Base) << 16 | (s1 % Base));
}
#endif

uLong blockAdler32(const uchar *buf, size_t len)
{
#ifdef TAVIRO_ADLER_SSSE3
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (ssse3)
        return adler32Ssse3(1, buf, len);
#endif
    return ::adler32_z(1, buf, len);
}

} // namespace

// A level 5 deflate state reset between blocks. Its output is compress2's (and qCompress's) byte for
// byte: the same raw deflate stream between the zlib head and the Adler-32 trailer, which are written
// here so that the checksum can be taken sixteen bytes at a time.
struct BlockDeflater
{
    z_stream stream{};
    bool ready = false;

    BlockDeflater()
    {
        ready = deflateInit2(&stream, 5, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    }
    ~BlockDeflater()
    {
        if (ready)
            deflateEnd(&stream);
    }
    BlockDeflater(const BlockDeflater &) = delete;
    BlockDeflater &operator=(const BlockDeflater &) = delete;

    // Worst case of deflateAll's output.
    static qint64 bound(qint64 size) { return qint64(compressBound(uLong(size))); }

    // The zlib stream of in into out (room bytes); the bytes written, or -1.
    qint64 deflateAll(const char *in, qint64 size, uchar *out, qint64 room)
    {
        if (!ready || room < 6 || deflateReset(&stream) != Z_OK)
            return -1;
        // The head compress2 writes at level 5: 32 KiB window, "default" level flags.
        out[0] = 0x78;
        out[1] = 0x5e;
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in));
        stream.avail_in = uInt(size);
        stream.next_out = out + 2;
        stream.avail_out = uInt(room - 6);
        if (deflate(&stream, Z_FINISH) != Z_STREAM_END)
            return -1;
        uchar *tail = out + 2 + stream.total_out;
        const uLong adler = blockAdler32(reinterpret_cast<const uchar *>(in), size_t(size));
        tail[0] = uchar(adler >> 24);
        tail[1] = uchar(adler >> 16);
        tail[2] = uchar(adler >> 8);
        tail[3] = uchar(adler);
        return 2 + qint64(stream.total_out) + 4;
    }
};

void ScanBlockSectionRW::clearSection()
{
    m_header = Vbl::SCAN_BLOCK_T();
    m_frame.reset();
}

bool ScanBlockSectionRW::writeSection(QDataStream &stream)
{
    if (!m_frame || !stream.device())
        return false;
    m_header.offset = stream.device()->pos();
    Vbl::PayloadKind kind = Vbl::MeasurementPayload;
    if (Vbl::serializeFrame(*m_frame, m_context.data(), m_payload, kind) != Vbl::PayloadWrite::Done)
        return false;
    m_header.kind = quint8(kind);
    const QByteArray &bytes = m_payload;
    // The block goes out in one write from a buffer kept between blocks: the header, then the payload,
    // compressed in place in qCompress's layout (the inflated size big-endian, then the zlib stream).
    qint64 length = bytes.size();
    if (m_compressed) {
        qint64 packed = BlockDeflater::bound(bytes.size());
        if (m_block.size() < 64 + 4 + packed)
            m_block.resize(int(64 + 4 + packed));
        uchar *size = reinterpret_cast<uchar *>(m_block.data()) + 64;
        const quint32 n = quint32(bytes.size());
        size[0] = uchar(n >> 24);
        size[1] = uchar(n >> 16);
        size[2] = uchar(n >> 8);
        size[3] = uchar(n);
        if (bytes.isEmpty()) {
            packed = 0;
        } else {
            if (!m_deflater)
                m_deflater = std::make_shared<BlockDeflater>();
            packed = m_deflater->deflateAll(bytes.constData(), bytes.size(), size + 4, packed);
            if (packed < 0)
                return false;
        }
        length = 4 + packed;
    } else {
        if (m_block.size() < 64 + length)
            m_block.resize(int(64 + length));
        std::memcpy(m_block.data() + 64, bytes.constData(), size_t(length));
    }
    m_header.length = quint32(length);
    std::memcpy(m_block.data(), &m_header, 64);
    return stream.writeRawData(m_block.constData(), int(64 + length)) == int(64 + length);
}

bool ScanBlockSectionRW::readSection(QDataStream &stream)
{
    Vbl::SCAN_BLOCK_T header;
    if (stream.readRawData(reinterpret_cast<char *>(&header), 64) != 64)
        return false;
    if (qint64(header.length) > Vbl::bytesLeft(stream.device()))
        return false;
    QSharedPointer<SensorData> payload;
    if (header.kind == Vbl::MeasurementPayload) {
        auto line = QSharedPointer<Vbl::ScanPointData>::create();
        line->setCompressed(m_compressed);
        line->setStoredLength(header.length);
        line->setSharedContext(m_context.data());
        payload = line;
    } else if (header.kind == Vbl::AuxiliaryPayload) {
        auto aux = QSharedPointer<Vbl::ImuAuxiliaryData>::create();
        aux->setCompressed(m_compressed);
        aux->setStoredLength(header.length);
        payload = aux;
    } else {
        return false;
    }
    if (!payload->readFrom(stream))
        return false;
    if (m_readConverter) {
        payload = m_readConverter(payload);
        if (!payload)
            return false;
    }
    m_header = header;
    m_frame = payload;
    return true;
}

void LogIndex::append(const FileRecordInfo &info, bool measurement)
{
    offsets << info.fileOffset;
    maxConnection = std::max(maxConnection, info.connectionIndex);
    (measurement ? measurementCount : auxiliaryCount) += 1;
    if (!hasFirst)
        first = info;
    hasFirst = true;
    last = info;
}

FileRecordInfo recordInfo(const Vbl::SCAN_BLOCK_T &header)
{
    FileRecordInfo info;
    info.fileOffset = header.offset;
    info.connectionIndex = header.index;
    info.payloadKind = header.kind;
    info.payloadLength = header.length;
    info.position = QVector3D(header.position[0], header.position[1], header.position[2]);
    info.rotation = QVector3D(header.rotation[0], header.rotation[1], header.rotation[2]);
    info.dateTime = QString::fromLatin1(header.dateTime, 23);
    return info;
}

QString statusText(LogIndex::Status status)
{
    switch (status) {
    case LogIndex::Complete:
        return QStringLiteral("complete");
    case LogIndex::BadDate:
        return QStringLiteral("malformed date");
    case LogIndex::Truncated:
        return QStringLiteral("truncated block");
    case LogIndex::BadHeader:
        return QStringLiteral("malformed block header");
    case LogIndex::Interrupted:
        return QStringLiteral("interrupted");
    }
    return {};
}

qint64 HeaderWindow::read(qint64 pos, char *out, qint64 size)
{
    constexpr qint64 Window = 64 * 1024;
    if (pos < m_start || pos + size > m_start + m_length) {
        // Read ahead only when the last step was short enough for the window to hold more headers.
        const qint64 stride = m_lastPos >= 0 ? pos - m_lastPos : Window;
        const qint64 ahead = stride > 0 && stride * 4 <= Window ? Window : size;
        if (m_window.size() < ahead)
            m_window.resize(int(ahead));
        m_start = pos;
        m_length = m_device.seek(pos) ? std::max<qint64>(0, m_device.read(m_window.data(), ahead)) : 0;
    }
    m_lastPos = pos;
    const qint64 n = std::min(size, m_start + m_length - pos);
    if (n <= 0)
        return 0;
    std::memcpy(out, m_window.constData() + (pos - m_start), size_t(n));
    return n;
}

bool ScanBlockCountR::readSection(QDataStream &stream)
{
    m_index = LogIndex();
    QIODevice *device = stream.device();
    if (!device)
        return false;
    const qint64 size = device->size();
    qint64 pos = device->pos();
    QThread *thread = QThread::currentThread();
    Vbl::SCAN_BLOCK_T header;
    HeaderWindow window(*device);
    for (int n = 0;; ++n) {
        if ((n & 1023) == 0 && thread->isInterruptionRequested()) {
            m_index.status = LogIndex::Interrupted;
            return false;
        }
        const qint64 got = window.read(pos, reinterpret_cast<char *>(&header), 64);
        if (got <= 0)
            break;
        LogIndex::Status status = LogIndex::Complete;
        if (got < 64 || qint64(header.length) > size - pos - 64) {
            status = LogIndex::Truncated;
        } else if (!Vbl::isValidLogTime(header.dateTime)) {
            qDebug() << "log date format error:" << QByteArray(header.dateTime, 23);
            status = LogIndex::BadDate;
        } else if (header.kind > Vbl::AuxiliaryPayload || header.index < 0 ||
                   header.index > Vbl::MaxConnectionIndex || header.offset < 0 || header.offset > size - 64) {
            status = LogIndex::BadHeader;
        }
        if (status != LogIndex::Complete) {
            m_index.status = status;
            m_index.errorOffset = pos;
            return false;
        }
        m_index.append(recordInfo(header), header.kind == Vbl::MeasurementPayload);
        pos += 64 + qint64(header.length);
    }
    return true;
}
