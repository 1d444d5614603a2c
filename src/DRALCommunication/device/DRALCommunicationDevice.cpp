#include "DRALCommunicationDevice.h"

#include "MetaTypes.h"
#include "Vexa3dSensor.h"

#include <QDebug>
#include <QElapsedTimer>

#include <cstring>

namespace {

constexpr int InitializationAttempts = 10;
constexpr int RetrySleepMs = 10;
constexpr int PollSleepMs = 10;
constexpr uint32_t ReplyTimeoutMs = 2000;
constexpr uint32_t HurriedReplyTimeoutMs = 200;

struct ModeKind
{
    int bit;
    int kind;
};
// Mode bits in the order their data kinds are started and stopped.
constexpr ModeKind ModeKinds[] = {
    {DistanceOnlyMode, Vexa3dSensor::RangeOnly},
    {DistanceIntensityMode, Vexa3dSensor::RangeAndLevel},
    {AuxiliaryMode, Vexa3dSensor::Auxiliary},
};

// Bumps a counter when it goes out of scope, after everything else its thread did.
class FinishMark
{
public:
    explicit FinishMark(std::atomic<unsigned> &counter) : m_counter(counter) {}
    ~FinishMark() { m_counter.fetch_add(1, std::memory_order_release); }
    FinishMark(const FinishMark &) = delete;
    FinishMark &operator=(const FinishMark &) = delete;

private:
    std::atomic<unsigned> &m_counter;
};

// The device whose initialisation job runs on this thread, so that a receiver of the job's own
// signals never joins the thread it runs on.
thread_local const DRALCommunicationDevice *t_initializingDevice = nullptr;

bool isErrorPacket(const Vexa3dPacketHeader &header)
{
    return std::memcmp(header.type, "ERR", 3) == 0 || std::memcmp(header.type, "_er", 3) == 0;
}

int statusNumber(const Vexa3dPacketHeader &header)
{
    int code = 0;
    for (int i = 0; i < 3; ++i) {
        const char c = header.status[i];
        if (c < '0' || c > '9')
            break;
        code = code * 10 + (c - '0');
    }
    return code;
}

} // namespace

DRALCommunicationDevice::DRALCommunicationDevice(QObject *parent)
    : QThread(parent), m_sensor(new Vexa3dSensor(this)), m_line(new VEXA3D_MEASUREMENT_DATA_T),
      m_auxiliary(new VEXA3D_AUXILIARY_DATA_T), m_payload(VEXA3D_MAX_REPLY_PAYLOAD + 1, 0)
{
    Taviro::registerRecordMetaTypes();
    qRegisterMetaType<MeasurmentModes>("MeasurmentModes");
    qRegisterMetaType<VEXA3D_SENSOR_INFO_T>("VEXA3D_SENSOR_INFO_T");
    m_sensor->setAbortFlag(&m_abort);
}

DRALCommunicationDevice::~DRALCommunicationDevice()
{
    {
        std::lock_guard<std::mutex> control(m_controlMutex);
        m_abort.store(true);
        stopStreaming();
        joinInitialization(true);
    }
    std::lock_guard<std::mutex> sensor(m_sensorMutex);
    m_sensor.reset();
    m_line.reset();
}

void DRALCommunicationDevice::setErrorCode(int errorCode)
{
    if (m_errorCode.exchange(errorCode) != errorCode)
        emit errorCodeChanged(errorCode);
}

QByteArray DRALCommunicationDevice::address() const
{
    std::lock_guard<std::mutex> state(m_stateMutex);
    return m_address;
}

int DRALCommunicationDevice::port() const
{
    std::lock_guard<std::mutex> state(m_stateMutex);
    return m_port;
}

VEXA3D_SENSOR_INFO_T DRALCommunicationDevice::sensorInfo() const
{
    std::lock_guard<std::mutex> state(m_stateMutex);
    return m_info;
}

bool DRALCommunicationDevice::protocolIsVersion1() const
{
    std::lock_guard<std::mutex> state(m_stateMutex);
    return std::strncmp(m_info.protocol, "1.", 2) == 0;
}

void DRALCommunicationDevice::setReadyTimeout(int milliseconds)
{
    std::lock_guard<std::mutex> control(m_controlMutex);
    stopStreaming();
    joinInitialization(false);
    std::lock_guard<std::mutex> sensor(m_sensorMutex);
    m_sensor->setReadyTimeout(uint32_t(qMax(0, milliseconds)));
}

bool DRALCommunicationDevice::connectDevice(const QByteArray &address, int port)
{
    int result = 0;
    {
        std::lock_guard<std::mutex> control(m_controlMutex);
        m_abort.store(true);
        stopStreaming();
        joinInitialization(true);
        m_abort.store(false);
        {
            std::lock_guard<std::mutex> state(m_stateMutex);
            m_address = address;
            m_port = port;
        }
        std::lock_guard<std::mutex> sensor(m_sensorMutex);
        m_initialized.store(false);
        result = m_sensor->open(address.constData(), port);
        if (result == Vexa3dOpened)
            m_sensor->setTimeout(ReplyTimeoutMs);
        m_connected.store(result == Vexa3dOpened);
        m_discardedPackets.store(0);
        noteSensorState();
    }
    if (result != Vexa3dOpened) {
        setErrorCode(result);
        return false;
    }
    emit deviceOpened(address, port);
    return true;
}

bool DRALCommunicationDevice::disconnectDevice()
{
    int result = 0;
    {
        std::lock_guard<std::mutex> control(m_controlMutex);
        // The connection closes anyway: no wait for the sensor's replies to the stop commands.
        m_abort.store(true);
        stopStreaming();
        joinInitialization(true);
        m_abort.store(false);
        result = closeLocked();
    }
    if (result < Vexa3dClosed) {
        setErrorCode(result);
        return false;
    }
    emit deviceClosed();
    return true;
}

int DRALCommunicationDevice::closeLocked()
{
    std::lock_guard<std::mutex> sensor(m_sensorMutex);
    const int result = m_sensor->close();
    if (result >= 0) {
        m_initialized.store(false);
        m_connected.store(false);
    }
    return result;
}

void DRALCommunicationDevice::initialize()
{
    std::lock_guard<std::mutex> control(m_controlMutex);
    stopStreaming();
    joinInitialization(false);
    m_abort.store(false);
    m_initializing.store(true);
    // A thread of its own: a job queued on a shared pool could wait behind others, or run inline on
    // the calling (GUI) thread when the pool is full.
    m_initialization = std::thread([this] { runInitialization(); });
}

void DRALCommunicationDevice::runInitialization()
{
    t_initializingDevice = this;
    enum Outcome
    {
        Aborted,
        Failed,
        Ready
    } outcome = Failed;
    int result = 0;
    VEXA3D_SENSOR_INFO_T info;
    {
        std::lock_guard<std::mutex> sensor(m_sensorMutex);
        m_initialized.store(false);
        const auto aborted = [this] { return m_abort.load(); };

        bool stopped = false;
        for (int attempt = 0; attempt < InitializationAttempts && !aborted() && !stopped; ++attempt) {
            for (const ModeKind &mk : ModeKinds) {
                result = m_sensor->stopData(mk.kind, true);
                if (result != Vexa3dOk)
                    break;
            }
            stopped = result == Vexa3dOk;
            if (!stopped)
                QThread::msleep(RetrySleepMs);
        }
        if (stopped) {
            m_sensor->clearBuffer();
            for (int attempt = 0; attempt < InitializationAttempts && !aborted(); ++attempt) {
                result = m_sensor->initialize(m_line.get());
                if (result != Vexa3dOk) {
                    QThread::msleep(RetrySleepMs);
                    continue;
                }
                if (m_sensor->sensorInfo(&info) != Vexa3dOk) {
                    QThread::msleep(RetrySleepMs);
                    continue;
                }
                m_initialized.store(true);
                {
                    std::lock_guard<std::mutex> state(m_stateMutex);
                    m_info = info;
                }
                for (int ready = 0; ready < InitializationAttempts && !aborted(); ++ready) {
                    result = m_sensor->waitReady();
                    if (result == Vexa3dOk) {
                        outcome = Ready;
                        break;
                    }
                    QThread::msleep(RetrySleepMs);
                }
                break;
            }
        }
        if (aborted())
            outcome = Aborted;
        noteSensorState();
    }
    m_initializing.store(false);

    // Signals go out after the sensor is free, so receivers may call back into the device.
    if (outcome == Ready) {
        emit deviceInitialized(info);
    } else if (outcome == Failed) {
        setErrorCode(result);
        emit initializationError();
    }
}

void DRALCommunicationDevice::joinInitialization(bool abort)
{
    // A receiver of the job's own signals runs on the job's thread and must not wait for itself.
    if (t_initializingDevice == this)
        return;
    if (abort && m_initializing.load())
        m_abort.store(true);
    if (m_initialization.joinable())
        m_initialization.join();
}

void DRALCommunicationDevice::noteSensorState()
{
    m_currentHorizontal.store(m_sensor->currentHorizontalInterlace());
    m_currentVertical.store(m_sensor->currentVerticalInterlace());
    m_discardedPackets.store(m_sensor->discardedPackets());
}

bool DRALCommunicationDevice::stopStreaming()
{
    if (QThread::currentThread() == this)
        return false;
    const bool running = isRunning();
    requestInterruption();
    wait();
    m_runsFinished.load(std::memory_order_acquire);
    return running;
}

void DRALCommunicationDevice::startStreaming()
{
    start(QThread::TimeCriticalPriority);
}

void DRALCommunicationDevice::startMeasurement(int mode)
{
    std::lock_guard<std::mutex> control(m_controlMutex);
    m_mode.store(mode);
    // The sensor is not ready yet: the mode is kept for when it is.
    if (m_initializing.load())
        return;
    stopStreaming();
    joinInitialization(false);
    if (mode != StopMeasurementMode && m_connected.load())
        startStreaming();
}

void DRALCommunicationDevice::stopMeasurement()
{
    std::lock_guard<std::mutex> control(m_controlMutex);
    stopStreaming();
}

void DRALCommunicationDevice::abortMeasurement()
{
    std::lock_guard<std::mutex> control(m_controlMutex);
    // Nothing streams while the sensor is initialised, and the flag would end that too.
    if (m_initializing.load())
        return;
    m_abort.store(true);
    stopStreaming();
    m_abort.store(false);
}

bool DRALCommunicationDevice::setHorizontalInterlace(int value)
{
    return setInterlace(value, false);
}

bool DRALCommunicationDevice::setVerticalInterlace(int value)
{
    return setInterlace(value, true);
}

bool DRALCommunicationDevice::setInterlace(int value, bool vertical)
{
    int result = 0;
    {
        std::lock_guard<std::mutex> control(m_controlMutex);
        // Refused while the sensor is being initialised: the caller applies its value once it is ready.
        if (m_initializing.load() || !m_initialized.load() || (vertical && protocolIsVersion1()))
            return false;
        joinInitialization(false);
        const bool wasStreaming = stopStreaming();
        {
            std::lock_guard<std::mutex> sensor(m_sensorMutex);
            result =
                vertical ? m_sensor->setVerticalInterlace(value) : m_sensor->setHorizontalInterlace(value);
            noteSensorState();
        }
        if (wasStreaming && m_mode.load() != StopMeasurementMode)
            startStreaming();
    }
    if (result != Vexa3dOk)
        setErrorCode(result);
    return result == Vexa3dOk;
}

int DRALCommunicationDevice::horizontalInterlace()
{
    return interlace(false);
}

int DRALCommunicationDevice::verticalInterlace()
{
    return interlace(true);
}

int DRALCommunicationDevice::interlace(bool vertical)
{
    std::lock_guard<std::mutex> control(m_controlMutex);
    if (m_initializing.load())
        return 0;
    joinInitialization(false);
    const bool wasStreaming = stopStreaming();
    uint8_t value = 0;
    int result = 0;
    {
        std::lock_guard<std::mutex> sensor(m_sensorMutex);
        result = vertical ? m_sensor->verticalInterlace(&value) : m_sensor->horizontalInterlace(&value);
    }
    if (wasStreaming && m_mode.load() != StopMeasurementMode)
        startStreaming();
    return result == Vexa3dOk ? value : 0;
}

bool DRALCommunicationDevice::restart()
{
    int result = 0;
    {
        std::lock_guard<std::mutex> control(m_controlMutex);
        if (m_initializing.load() || !m_initialized.load() || protocolIsVersion1())
            return false;
        joinInitialization(false);
        stopStreaming();
        std::lock_guard<std::mutex> sensor(m_sensorMutex);
        result = m_sensor->reboot();
    }
    if (result != Vexa3dOk)
        setErrorCode(result);
    return disconnectDevice();
}

void DRALCommunicationDevice::run()
{
    const FinishMark finished(m_runsFinished);
    std::unique_lock<std::mutex> sensor(m_sensorMutex);
    const int mode = m_mode.load();
    VEXA3D_SPEC_T spec;
    {
        std::lock_guard<std::mutex> state(m_stateMutex);
        spec = m_info.spec;
    }

    for (const ModeKind &mk : ModeKinds) {
        if (!(mode & mk.bit))
            continue;
        const int result = m_sensor->startData(mk.kind, true);
        // A sensor that closed the connection, or that no longer answers at all, is lost; one that
        // refuses the kind is not.
        if (result == Vexa3dConnectionLost || result == Vexa3dTimeout) {
            loseConnection();
            sensor.unlock();
            setErrorCode(result);
            emit connectionLost(result);
            return;
        }
        if (result != Vexa3dOk) {
            // Leave no kind streaming that this run started.
            for (const ModeKind &started : ModeKinds) {
                if (started.kind == mk.kind)
                    break;
                if ((mode & started.bit) && m_sensor->stopData(started.kind, true) != Vexa3dOk)
                    qDebug() << "could not stop data kind" << started.kind;
            }
            m_sensor->clearBuffer();
            sensor.unlock();
            setErrorCode(result);
            return;
        }
    }
    emit measurementStarted(MeasurmentModes(mode));

    // A sensor that keeps the socket open but sends nothing is as lost as one that closed it.
    QElapsedTimer sinceData;
    sinceData.start();
    int lost = 0;
    while (!isInterruptionRequested()) {
        Vexa3dPacketHeader header;
        const int found = m_sensor->findPacket(&header);
        if (found == Vexa3dConnectionLost) {
            lost = found;
            break;
        }
        if (found != Vexa3dOk) {
            if (sinceData.elapsed() > m_dataTimeoutMs.load()) {
                lost = Vexa3dTimeout;
                break;
            }
            QThread::msleep(PollSleepMs);
            continue;
        }
        // A data packet the decoder drops as malformed is consumed there; falling through to readReply
        // would then swallow whatever packet completed meanwhile.
        const QByteArray type(header.type, 3);
        if (type == "_ro" || type == "_ri" || type == "_ra") {
            sinceData.restart();
            // The line record is reused for every packet; only a complete line is copied out.
            const int result = m_sensor->receiveMeasurement(m_line.get());
            m_discardedPackets.store(m_sensor->discardedPackets());
            if (result == Vexa3dOk && m_line->isLineDataReady) {
                emit measurementDataReady(QSharedPointer<DRALMeasurementData>::create(
                    QSharedPointer<VEXA3D_MEASUREMENT_DATA_T>::create(*m_line), spec));
            } else if (result < Vexa3dNone) {
                // Never leave a packet the decoder refused in place; a broken connection shows at the
                // next findPacket().
                int length = 0;
                static_cast<void>(m_sensor->readReply(&header, m_payload.data(), &length));
            }
            continue;
        }
        if (type == "_ax") {
            sinceData.restart();
            if (m_sensor->receiveAuxiliary(m_auxiliary.get()) == Vexa3dOk)
                emit auxiliaryDataReady(QSharedPointer<DRALAuxiliaryData>::create(*m_auxiliary, spec));
            continue;
        }
        int length = 0;
        const int read = m_sensor->readReply(&header, m_payload.data(), &length);
        if ((read != Vexa3dOk && read != Vexa3dPacketDropped) || !isErrorPacket(header))
            continue;
        const int code = statusNumber(header);
        setErrorCode(code);
        emit errorDetected(code, QString::fromLatin1(m_payload.data(), length));
        // Warnings ("0xx") leave the stream running; anything else ends it.
        if (header.status[0] != '0')
            break;
    }

    if (lost != 0) {
        loseConnection();
        sensor.unlock();
        setErrorCode(lost);
        emit measurementStopped();
        emit connectionLost(lost);
        return;
    }
    // Closing or destruction waits only briefly for the stops: long enough for a sensor that answers
    // (reading its replies also drains the stream it may be blocked on), short for a silent one.
    const bool hurry = m_abort.load();
    const uint32_t replyTimeout = m_sensor->timeout();
    if (hurry) {
        m_sensor->setAbortFlag(nullptr);
        m_sensor->setTimeout(HurriedReplyTimeoutMs);
    }
    for (const ModeKind &mk : ModeKinds) {
        if (!(mode & mk.bit))
            continue;
        const int result = m_sensor->stopData(mk.kind, true);
        if (result != Vexa3dOk)
            setErrorCode(result);
    }
    if (hurry) {
        m_sensor->setTimeout(replyTimeout);
        m_sensor->setAbortFlag(&m_abort);
    }
    m_sensor->clearBuffer();
    sensor.unlock();
    emit measurementStopped();
}

void DRALCommunicationDevice::loseConnection()
{
    // Called with the sensor held by the streaming thread.
    static_cast<void>(m_sensor->close());
    m_initialized.store(false);
    m_connected.store(false);
}
