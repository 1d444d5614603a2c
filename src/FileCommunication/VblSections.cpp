#include "VblSections.h"

#include <QIODevice>
#include <QThread>
#include <QtDebug>

#include <cstring>
#include <zlib.h>

// A level 5 deflate state reset between blocks; its output is compress2's (and qCompress's) byte for byte.
struct BlockDeflater
{
    z_stream stream{};
    bool ready = false;

    BlockDeflater() { ready = deflateInit(&stream, 5) == Z_OK; }
    ~BlockDeflater()
    {
        if (ready)
            deflateEnd(&stream);
    }
    BlockDeflater(const BlockDeflater &) = delete;
    BlockDeflater &operator=(const BlockDeflater &) = delete;

    // Deflates in into out (room bytes); the bytes written, or -1.
    qint64 deflateAll(const char *in, qint64 size, uchar *out, qint64 room)
    {
        if (!ready || deflateReset(&stream) != Z_OK)
            return -1;
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in));
        stream.avail_in = uInt(size);
        stream.next_out = out;
        stream.avail_out = uInt(room);
        if (deflate(&stream, Z_FINISH) != Z_STREAM_END)
            return -1;
        return qint64(stream.total_out);
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
    QSharedPointer<SensorData> payload = m_writeConverter ? m_writeConverter(m_frame) : m_frame;
    if (!payload ||
        (payload->dataType() != Vbl::MeasurementPayload && payload->dataType() != Vbl::AuxiliaryPayload))
        return false;
    m_header.kind = quint8(payload->dataType());
    QByteArray &bytes = m_payload;
    bool ok = false;
    if (auto *line = dynamic_cast<Vbl::ScanPointData *>(payload.data())) {
        line->setSharedContext(m_context.data());
        ok = line->serialize(bytes) && bytes.size() == line->byteSize();
    } else if (auto *aux = dynamic_cast<Vbl::ImuAuxiliaryData *>(payload.data())) {
        ok = aux->serialize(bytes) && bytes.size() == aux->byteSize();
    }
    if (!ok)
        return false;
    // The block goes out in one write from a buffer kept between blocks: the header, then the payload,
    // compressed in place in qCompress's layout (the inflated size big-endian, then the zlib stream).
    qint64 length = bytes.size();
    if (m_compressed) {
        uLongf packed = compressBound(uLong(bytes.size()));
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
            const qint64 deflated =
                m_deflater->deflateAll(bytes.constData(), bytes.size(), size + 4, qint64(packed));
            if (deflated < 0)
                return false;
            packed = uLongf(deflated);
        }
        length = 4 + qint64(packed);
    } else {
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
