#include "FileCommunicationDevice.h"

#include "DRALMeasurementData.h"
#include "LogFileDevice.h"
#include "MetaTypes.h"

#include <QElapsedTimer>

#include <cmath>
#include <cstring>

namespace {
// Sleep until this close to the target, then poll: sleeps overshoot by tens of microseconds.
constexpr qint64 WakeEarlyNs = 200 * 1000;
constexpr qint64 MaxSleepNs = 20 * 1000 * 1000; // so that a stop is seen quickly
// Further behind than this, the schedule starts again from now instead of emitting a burst to catch up.
constexpr qint64 MaxLagNs = 250 * 1000 * 1000;
} // namespace

FileCommunicationDevice::FileCommunicationDevice(QObject *parent) : QThread(parent)
{
    Taviro::registerRecordMetaTypes();
}

FileCommunicationDevice::~FileCommunicationDevice()
{
    stopThread();
}

void FileCommunicationDevice::registerDevice(const QSharedPointer<IFileDevice> &device)
{
    if (!device)
        return;
    m_registry.insert(device->fileSuffix(), device);
    auto *object = dynamic_cast<LogFileDevice *>(device.data());
    if (!object)
        return;
    connect(object, &LogFileDevice::initialized, this, [this, object] {
        if (m_device.data() == object)
            emit deviceInitialized(object->sensorInfo());
    });
    connect(object, &LogFileDevice::corruptionFound, this,
            [this, object](const QString &title, const QString &text) {
                if (m_device.data() == object)
                    emit corruptionFound(title, text);
            });
}

bool FileCommunicationDevice::open(const QString &fileName)
{
    stopThread();
    if (m_device)
        m_device->closeFile();
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QSharedPointer<IFileDevice> device = dot < 0 ? nullptr : m_registry.value(fileName.mid(dot + 1));
    if (!device || !device->openFile(fileName)) {
        emit deviceClosed();
        return false;
    }
    m_device = device;
    m_fileName = fileName;
    m_pause = false;
    m_atEnd = true;
    emitPosition();
    emit deviceOpened(fileName);
    return true;
}

void FileCommunicationDevice::close()
{
    stopThread();
    if (m_device)
        m_device->closeFile();
    emit deviceClosed();
}

void FileCommunicationDevice::initialize()
{
    if (!m_device) {
        emit initializationError();
        return;
    }
    m_device->initialize();
}

int FileCommunicationDevice::recordCount() const
{
    return m_device ? m_device->recordCount() : 0;
}

int FileCommunicationDevice::connectionCount() const
{
    return m_device ? m_device->connectionCount() : -1;
}

FileRecordInfo FileCommunicationDevice::firstRecordInfo() const
{
    return m_device ? m_device->firstRecordInfo() : FileRecordInfo();
}

FileRecordInfo FileCommunicationDevice::lastRecordInfo() const
{
    return m_device ? m_device->lastRecordInfo() : FileRecordInfo();
}

void FileCommunicationDevice::play()
{
    if (!m_device || isRunning())
        return;
    if (!m_pause && m_atEnd)
        (void)m_device->seekRecord(0);
    m_pause = false;
    m_atEnd = false;
    start();
}

void FileCommunicationDevice::pause()
{
    if (!isRunning())
        return;
    m_pause = true;
    stopThread();
    emitPosition();
}

void FileCommunicationDevice::stop()
{
    m_atEnd = true;
    if (isRunning())
        stopThread();
    else
        m_pause = false;
    emit stopped();
}

void FileCommunicationDevice::setPosition(int position)
{
    stopThread();
    if (!m_device || !m_device->seekRecord(position))
        return;
    m_atEnd = position == m_device->recordCount() - 1;
    QSharedPointer<SensorData> frame;
    QVector3D where, rotation;
    const int connection = m_device->readRecord(frame, where, rotation, false);
    if (connection >= 0 && frame)
        emit sensorDataReady(connection, frame, where, rotation);
    emitPosition();
}

void FileCommunicationDevice::setPlaySpeed(float speed)
{
    // A speed of zero or less would divide the waits by nothing.
    if (speed > 0 && std::isfinite(speed))
        m_playSpeed = speed;
}

void FileCommunicationDevice::stopThread()
{
    if (!isRunning())
        return;
    requestInterruption();
    wait();
}

void FileCommunicationDevice::emitPosition()
{
    if (!m_device)
        return;
    const qint64 index = m_device->currentIndex();
    emit currentPositionChanged(index);
    emit readingUpdate(int(index), m_device->currentTimestamp(), m_device->currentLogTime());
}

void FileCommunicationDevice::waitUntil(const QElapsedTimer &timer, qint64 deadlineNs)
{
    for (;;) {
        const qint64 remaining = deadlineNs - timer.nsecsElapsed();
        if (remaining <= 0 || isInterruptionRequested())
            return;
        if (remaining > WakeEarlyNs)
            QThread::usleep(quint64(std::min(remaining - WakeEarlyNs, MaxSleepNs) / 1000));
        else
            QThread::yieldCurrentThread();
    }
}

void FileCommunicationDevice::run()
{
    const QSharedPointer<IFileDevice> device = m_device;
    if (!device)
        return;
    emit playStarted();
    const VEXA3D_SENSOR_INFO_T info = device->sensorInfo();
    const QString product =
        QString::fromLatin1(info.product, int(strnlen(info.product, sizeof info.product)));
    // Time stamps in milliseconds become microseconds, except for sensors that count microseconds.
    const qint64 factor = product.section(QLatin1Char('-'), 0, 0) == QLatin1String("QXA") ? 1 : 1000;
    QElapsedTimer timer;
    timer.start();
    // Frames are due on one running schedule rather than each gap from the last emission, so a frame that
    // comes out late does not make every later gap count as already waited (playback would run unpaced).
    qint64 dueNs = 0;
    qint64 r0 = 0;
    qint64 r = 0;
    int previous = 0;
    while (!isInterruptionRequested()) {
        if (device->atEnd())
            break;
        QSharedPointer<SensorData> frame;
        QVector3D position, rotation;
        const int connection = device->readRecord(frame, position, rotation, true);
        if (!frame || connection < 0) {
            break;
        }

        // Pace before emitting, so the gap before a frame is the time since the one before it.
        const qint64 stamp = frame->timestamp();
        qint64 d = 0;
        if (r0 <= 0) {
            r0 = r = stamp;
            dueNs = timer.nsecsElapsed();
        } else if (frame->dataType() == DRALMeasurementData::Type) {
            if (connection == 0) {
                d = stamp - r0;
                r0 = stamp;
            } else if (connection == previous) {
                d = stamp - r;
                r = stamp;
            } else {
                r = stamp;
            }
        }
        if (d < 0)
            d += 4294967295LL; // the sensor's 32-bit clock wrapped
        if (d > 0) {
            const double speed = double(m_playSpeed);
            const qint64 paced = qint64(double(d * factor) * 1000.0 / speed);
            // At most one second of the log's time between two frames.
            const qint64 cap = (qint64(std::floor(1000.0 / speed)) + 1) * 1000 * 1000;
            dueNs += std::min(paced, cap);
            const qint64 now = timer.nsecsElapsed();
            if (now < dueNs)
                waitUntil(timer, dueNs);
            else if (now - dueNs > MaxLagNs)
                dueNs = now; // far behind (a slow disk, a busy machine): go on from here, do not rush
        }
        previous = connection;

        emit sensorDataReady(connection, frame, position, rotation);
        emitPosition();
        if (device->atEnd() && m_loop) {
            (void)device->seekRecord(0);
            r0 = 0;
        }
    }
    if (m_pause) {
        emit paused();
    } else {
        emit stopped();
        emit reachedEnd();
        m_atEnd = true;
    }
}
