#include "DRALCommunicationDevice.h"

#include "MetaTypes.h"
#include "Vexa3dSensor.h"

#include <QtConcurrent>

#include <cstring>

namespace {

constexpr int InitializationAttempts = 10;
constexpr int RetrySleepMs = 10;
constexpr int PollSleepMs = 10;
constexpr uint32_t ReplyTimeoutMs = 2000;

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
}

DRALCommunicationDevice::~DRALCommunicationDevice()
{
    {
        std::lock_guard<std::mutex> control(m_controlMutex);
        stopStreaming();
        waitForInitialization(true);
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
    waitForInitialization();
    std::lock_guard<std::mutex> sensor(m_sensorMutex);
    m_sensor->setReadyTimeout(uint32_t(qMax(0, milliseconds)));
}

bool DRALCommunicationDevice::connectDevice(const QByteArray &address, int port)
{
    int result = 0;
    {
        std::lock_guard<std::mutex> control(m_controlMutex);
        stopStreaming();
        waitForInitialization(true);
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
        stopStreaming();
        waitForInitialization(true);
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
    waitForInitialization();
    m_abortInitialization.store(false);
    m_initialization = QtConcurrent::run([this] { runInitialization(); });
}

void DRALCommunicationDevice::runInitialization()
{
    const FinishMark finished(m_initializationsFinished);
    m_initializationThread.store(QThread::currentThread());
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
        const auto aborted = [this] { return m_abortInitialization.load(); };

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
    }
    m_initializationThread.store(nullptr);

    // Signals go out after the sensor is free, so receivers may call back into the device.
    if (outcome == Ready) {
        emit deviceInitialized(info);
    } else if (outcome == Failed) {
        setErrorCode(result);
        emit initializationError();
    }
}

void DRALCommunicationDevice::waitForInitialization(bool abort)
{
    // A receiver of the job's own signals runs on the job's thread and must not wait for itself.
    if (m_initializationThread.load() == QThread::currentThread())
        return;
    if (abort)
        m_abortInitialization.store(true);
    m_initialization.waitForFinished();
    m_initializationsFinished.load(std::memory_order_acquire);
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
    stopStreaming();
    waitForInitialization();
    m_mode.store(mode);
    if (mode != StopMeasurementMode)
        startStreaming();
}

void DRALCommunicationDevice::stopMeasurement()
{
    std::lock_guard<std::mutex> control(m_controlMutex);
    stopStreaming();
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
        waitForInitialization();
        if (!m_initialized.load() || (vertical && protocolIsVersion1()))
            return false;
        const bool wasStreaming = stopStreaming();
        {
            std::lock_guard<std::mutex> sensor(m_sensorMutex);
            result =
                vertical ? m_sensor->setVerticalInterlace(value) : m_sensor->setHorizontalInterlace(value);
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
    waitForInitialization();
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
        waitForInitialization();
        if (!m_initialized.load() || protocolIsVersion1())
            return false;
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

    while (!isInterruptionRequested()) {
        Vexa3dPacketHeader header;
        if (m_sensor->findPacket(&header) != Vexa3dOk) {
            QThread::msleep(PollSleepMs);
            continue;
        }
        // A data packet the decoder drops as malformed is consumed there; falling through to readReply
        // would then swallow whatever packet completed meanwhile.
        const QByteArray type(header.type, 3);
        if (type == "_ro" || type == "_ri" || type == "_ra") {
            // The line record is reused for every packet; only a complete line is copied out.
            const int result = m_sensor->receiveMeasurement(m_line.get());
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

    for (const ModeKind &mk : ModeKinds) {
        if (!(mode & mk.bit))
            continue;
        const int result = m_sensor->stopData(mk.kind, true);
        if (result != Vexa3dOk)
            setErrorCode(result);
    }
    m_sensor->clearBuffer();
    sensor.unlock();
    emit measurementStopped();
}
