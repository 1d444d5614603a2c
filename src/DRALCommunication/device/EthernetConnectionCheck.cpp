#include "EthernetConnectionCheck.h"

#include "DRALCommunicationDevice.h"

#include <QElapsedTimer>

namespace {
constexpr int StopPollMs = 10;
}

EthernetConnectionCheck::EthernetConnectionCheck(DRALCommunicationDevice *device, QObject *parent)
    : QThread(parent), m_device(device)
{
}

EthernetConnectionCheck::~EthernetConnectionCheck()
{
    stop();
}

void EthernetConnectionCheck::start()
{
    if (isRunning())
        return;
    m_stop.store(false);
    QThread::start();
}

void EthernetConnectionCheck::stop()
{
    m_stop.store(true);
    if (QThread::currentThread() != this) {
        wait();
        m_runsFinished.load(std::memory_order_acquire);
    }
}

void EthernetConnectionCheck::fail()
{
    emit progress(100);
    emit connectionFailed();
}

void EthernetConnectionCheck::run()
{
    struct FinishMark
    {
        std::atomic<unsigned> &counter;
        ~FinishMark() { counter.fetch_add(1, std::memory_order_release); }
    } finished{m_runsFinished};
    if (m_attempts < 1 || m_stop.load() || !m_device) {
        fail();
        return;
    }
    for (int attempt = 1;; ++attempt) {
        emit progress(int(qint64(attempt) * 100 / m_attempts));
        if (m_stop.load()) {
            fail();
            return;
        }
        if (m_device->connectDevice(m_address, m_port)) {
            emit progress(100);
            emit connected();
            return;
        }
        QElapsedTimer pause;
        pause.start();
        while (pause.elapsed() < m_retryPauseMs) {
            if (m_stop.load()) {
                fail();
                return;
            }
            QThread::msleep(StopPollMs);
        }
        if (attempt >= m_attempts || m_stop.load()) {
            fail();
            return;
        }
    }
}
