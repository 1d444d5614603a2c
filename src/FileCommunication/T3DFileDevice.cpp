#include "T3DFileDevice.h"

#include <QThread>
#include <QtDebug>

#include <cstring>

namespace {
FileRecordInfo recordInfo(const T3D_SCAN_HEADER &header)
{
    FileRecordInfo info;
    info.fileOffset = header.offset;
    info.connectionIndex = header.index;
    info.payloadKind = header.type;
    info.payloadLength = header.length;
    info.position =
        QVector3D(float(header.position[0]), float(header.position[1]), float(header.position[2]));
    info.rotation =
        QVector3D(float(header.rotation[0]), float(header.rotation[1]), float(header.rotation[2]));
    info.dateTime = QString::fromLatin1(header.dateTime, 23);
    return info;
}
} // namespace

T3DFileDevice::T3DFileDevice(QObject *parent) : LogFileDevice(parent)
{
    m_info = T3DFile::sensorInfo();
}

T3DFileDevice::~T3DFileDevice()
{
    stopIndexing();
}

bool T3DFileDevice::openFile(const QString &fileName)
{
    if (!openForReading(fileName))
        return false;
    if (m_file.read(reinterpret_cast<char *>(&m_head), 13) != 13 ||
        std::memcmp(m_head.magic, "TAVIRO", 6) != 0) {
        closeFile();
        return false;
    }
    m_compressed = m_head.compression != 0;
    return true;
}

LogIndex T3DFileDevice::walkFrom(QIODevice &device) const
{
    LogIndex index;
    const qint64 size = device.size();
    qint64 pos = sizeof(T3D_FILE_HEAD);
    T3D_SCAN_HEADER header;
    QThread *thread = QThread::currentThread();
    HeaderWindow window(device);
    for (int n = 0;; ++n) {
        if ((n & 1023) == 0 && thread->isInterruptionRequested()) {
            index.status = LogIndex::Interrupted;
            return index;
        }
        const qint64 got = window.read(pos, reinterpret_cast<char *>(&header), qint64(sizeof header));
        if (got <= 0)
            break;
        LogIndex::Status status = LogIndex::Complete;
        if (got < qint64(sizeof header) || qint64(header.length) > size - pos - qint64(sizeof header)) {
            status = LogIndex::Truncated;
        } else if (!Vbl::isValidLogTime(header.dateTime)) {
            qDebug() << "log date format error:" << QByteArray(header.dateTime, 23);
            status = LogIndex::BadDate;
        } else if ((header.type != T3DFile::MeasurementType && header.type != T3DFile::AuxiliaryType) ||
                   header.index < 0 || header.index > Vbl::MaxConnectionIndex || header.offset < 0 ||
                   header.offset > size - qint64(sizeof header)) {
            status = LogIndex::BadHeader;
        }
        if (status != LogIndex::Complete) {
            index.status = status;
            index.errorOffset = pos;
            return index;
        }
        index.append(recordInfo(header), header.type == T3DFile::MeasurementType);
        pos += qint64(sizeof header) + qint64(header.length);
    }
    return index;
}

bool T3DFileDevice::readAt(qint64 offset, QSharedPointer<SensorData> &frame, FileRecordInfo &header)
{
    T3D_SCAN_HEADER raw;
    if (!m_file.seek(offset) ||
        m_file.read(reinterpret_cast<char *>(&raw), qint64(sizeof raw)) != qint64(sizeof raw))
        return false;
    if (!T3DFile::readScanData(m_file, frame, raw, m_compressed))
        return false;
    header = recordInfo(raw);
    return true;
}
