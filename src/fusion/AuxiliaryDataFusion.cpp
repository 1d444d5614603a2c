#include "AuxiliaryDataFusion.h"

#include <QFutureWatcher>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

#include <cmath>
#include <limits>

namespace {
MadgwickFilter align(double beta, QVector<QVector4D> gyros, QVector<QVector4D> accels, int pauseUs,
                     std::shared_ptr<std::atomic<bool>> cancel)
{
    MadgwickFilter filter(beta);
    filter.reset();
    filter.setSampleFrequency(AuxiliaryDataFusion::AlignmentFrequency);

    float sum[6] = {0, 0, 0, 0, 0, 0};
    for (const QVector4D &g : gyros) {
        sum[0] += g.x();
        sum[1] += g.y();
        sum[2] += g.z();
    }
    for (const QVector4D &a : accels) {
        sum[3] += a.x();
        sum[4] += a.y();
        sum[5] += a.z();
    }
    const float gyroCount = float(gyros.size());
    const float accelCount = float(accels.size());
    const float mean[6] = {sum[0] / gyroCount,  sum[1] / gyroCount,  sum[2] / gyroCount,
                           sum[3] / accelCount, sum[4] / accelCount, sum[5] / accelCount};

    for (int step = 0; step < AuxiliaryDataFusion::AlignmentSteps; ++step) {
        if (cancel->load())
            break;
        filter.updateIMU(mean[0], mean[1], mean[2], mean[3], mean[4], mean[5]);
        if (pauseUs > 0)
            QThread::usleep(static_cast<unsigned long>(pauseUs));
    }
    return filter;
}
} // namespace

AuxiliaryDataFusion::AuxiliaryDataFusion(QObject *parent) : QObject(parent) {}

AuxiliaryDataFusion::~AuxiliaryDataFusion()
{
    // The worker owns its copies; it only has to stop early. The watcher goes with the children.
    if (m_cancel)
        m_cancel->store(true);
}

void AuxiliaryDataFusion::apply(bool value)
{
    if (value) {
        abandonAlignment();
        m_hasStamp = false;
        m_lastStamp = -1;
        m_initializing = false;
        m_initialized = false;
    }
    m_enabled = value;
}

QVector3D AuxiliaryDataFusion::angles() const
{
    return QVector3D(float(m_filter.angleA()), float(m_filter.angleB()), float(m_filter.angleC()));
}

bool AuxiliaryDataFusion::update(const QVector<QVector4D> &gyros, const QVector<QVector4D> &accels)
{
    if (!m_enabled)
        return false;
    if (!m_initialized) {
        if (!m_initializing && gyros.size() > MinimumAlignmentSamples &&
            accels.size() > MinimumAlignmentSamples)
            startAlignment(gyros, accels);
        return false;
    }
    if (gyros.isEmpty())
        return false;

    const QVector4D &gyro = gyros.last();
    const qint64 t = std::llround(double(gyro.w()));
    bool advanced = false;
    if (m_hasStamp && !accels.isEmpty()) {
        qint64 dt = t - m_lastStamp;
        if (t < m_lastStamp)
            dt += StampWrap;
        if (dt <= MaximumStepMs) {
            // Equal stamps give an infinite rate, i.e. a step of length 0 that only renormalises.
            m_filter.setSampleFrequency(dt > 0 ? 1.0 / (double(dt) / 1000.0)
                                               : std::numeric_limits<double>::infinity());
            const QVector4D &accel = accels.last();
            m_filter.updateIMU(gyro.x(), gyro.y(), gyro.z(), accel.x(), accel.y(), accel.z());
            advanced = true;
        }
    }
    m_lastStamp = t;
    m_hasStamp = true;
    return advanced;
}

void AuxiliaryDataFusion::startAlignment(const QVector<QVector4D> &gyros, const QVector<QVector4D> &accels)
{
    m_initializing = true;
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_watcher = new QFutureWatcher<MadgwickFilter>(this);
    connect(m_watcher, &QFutureWatcher<MadgwickFilter>::finished, this,
            &AuxiliaryDataFusion::alignmentFinished);
    m_watcher->setFuture(
        QtConcurrent::run(align, m_filter.beta(), gyros, accels, m_alignmentPauseUs, m_cancel));
}

void AuxiliaryDataFusion::abandonAlignment()
{
    if (m_cancel)
        m_cancel->store(true);
    m_cancel.reset();
    if (m_watcher) {
        m_watcher->disconnect(this);
        m_watcher->deleteLater();
        m_watcher = nullptr;
    }
}

void AuxiliaryDataFusion::alignmentFinished()
{
    const MadgwickFilter aligned = m_watcher->result();
    m_watcher->deleteLater();
    m_watcher = nullptr;
    m_cancel.reset();
    m_filter = aligned;
    m_initializing = false;
    m_initialized = true;
    emit initialized();
}
