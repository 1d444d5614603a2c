#include "LogFileDevice.h"

#include <QThread>

LogFileDevice::LogFileDevice(QObject *parent) : QObject(parent) {}

QString LogFileDevice::corruptionTitle()
{
    return tr("Warning");
}

QString LogFileDevice::corruptionMessage()
{
    return tr("Part of the measurement data is corrupted.\nReplay the log up to the point of corruption.");
}

bool LogFileDevice::openForReading(const QString &fileName)
{
    if (m_file.isOpen())
        return false;
    m_file.setFileName(fileName);
    // Unbuffered: every read jumps to a block and takes it whole, so a read-ahead buffer only copies.
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    m_stream.setDevice(&m_file);
    m_stream.resetStatus();
    QMutexLocker lock(&m_mutex);
    m_index = LogIndex();
    m_current = 0;
    m_timestamp = -1;
    m_logTime.clear();
    return true;
}

void LogFileDevice::stopIndexing()
{
    if (!m_walker)
        return;
    disconnect(m_walker, nullptr, this, nullptr);
    m_walker->requestInterruption();
    m_walker->wait();
    delete m_walker;
    m_walker = nullptr;
}

void LogFileDevice::closeFile()
{
    stopIndexing();
    QMutexLocker lock(&m_mutex);
    if (m_file.isOpen())
        m_file.close();
    m_stream.setDevice(nullptr);
    m_index = LogIndex();
    m_current = 0;
    m_timestamp = -1;
    m_logTime.clear();
}

void LogFileDevice::initialize()
{
    stopIndexing();
    if (!m_file.isOpen()) {
        emit initialized();
        return;
    }
    const QString name = m_file.fileName();
    m_walker = QThread::create([this, name] {
        QFile file(name);
        // Unbuffered: the walk reads 64 bytes and jumps, so a read-ahead buffer only costs.
        if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            m_pending = walkFrom(file);
        else
            m_pending = LogIndex();
    });
    connect(m_walker, &QThread::finished, this, &LogFileDevice::onWalkFinished);
    m_walker->start();
}

void LogFileDevice::onWalkFinished()
{
    if (!m_walker || sender() != m_walker)
        return;
    m_walker->deleteLater();
    m_walker = nullptr;
    adoptIndex(std::exchange(m_pending, LogIndex()));
    if (logIndex().isCorrupted())
        emit corruptionFound(corruptionTitle(), corruptionMessage());
    emit initialized();
}

bool LogFileDevice::indexNow()
{
    stopIndexing();
    if (!m_file.isOpen())
        return false;
    QFile file(m_file.fileName());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    adoptIndex(walkFrom(file));
    return !logIndex().isCorrupted();
}

void LogFileDevice::adoptIndex(LogIndex index)
{
    QMutexLocker lock(&m_mutex);
    m_index = std::move(index);
}

LogIndex LogFileDevice::logIndex() const
{
    QMutexLocker lock(&m_mutex);
    return m_index;
}

int LogFileDevice::recordCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_index.offsets.size();
}

bool LogFileDevice::seekRecord(int index)
{
    QMutexLocker lock(&m_mutex);
    if (!m_file.isOpen() || index < 0 || index >= m_index.offsets.size())
        return false;
    m_current = index;
    return m_file.seek(m_index.offsets.at(index));
}

int LogFileDevice::readRecord(QSharedPointer<SensorData> &record, QVector3D &position, QVector3D &rotation,
                              bool advance)
{
    QMutexLocker lock(&m_mutex);
    if (!m_file.isOpen() || m_current >= m_index.offsets.size())
        return -1;
    const qint64 offset = m_index.offsets.at(int(m_current));
    // Offsets come from the file: one outside it fails this read, not the process.
    if (offset < 0 || offset > m_file.size() - headerSize())
        return -2;
    QSharedPointer<SensorData> frame;
    FileRecordInfo header;
    m_stream.resetStatus();
    if (!readAt(offset, frame, header) || !frame || header.connectionIndex < 0)
        return -2;
    record = frame;
    position = header.position;
    rotation = header.rotation;
    if (advance)
        ++m_current;
    m_timestamp = frame->timestamp();
    m_logTime = header.dateTime;
    return header.connectionIndex;
}

int LogFileDevice::connectionCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_index.maxConnection < 0 ? -1 : m_index.maxConnection + 1;
}

qint64 LogFileDevice::currentIndex() const
{
    QMutexLocker lock(&m_mutex);
    return m_current;
}

qint64 LogFileDevice::currentTimestamp() const
{
    QMutexLocker lock(&m_mutex);
    return m_timestamp;
}

QString LogFileDevice::currentLogTime() const
{
    QMutexLocker lock(&m_mutex);
    return m_logTime;
}

FileRecordInfo LogFileDevice::firstRecordInfo() const
{
    QMutexLocker lock(&m_mutex);
    return m_index.first;
}

FileRecordInfo LogFileDevice::lastRecordInfo() const
{
    QMutexLocker lock(&m_mutex);
    return m_index.last;
}

bool LogFileDevice::atEnd() const
{
    QMutexLocker lock(&m_mutex);
    return !m_file.isOpen() || m_current >= m_index.offsets.size();
}

VEXA3D_SENSOR_INFO_T LogFileDevice::sensorInfo() const
{
    QMutexLocker lock(&m_mutex);
    return m_info;
}

QString LogFileDevice::fileName() const
{
    return m_file.fileName();
}

bool LogFileDevice::isOpen() const
{
    return m_file.isOpen();
}
