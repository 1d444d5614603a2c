#pragma once

#include "MadgwickFilter.h"

#include <QObject>
#include <QVector3D>
#include <QVector4D>
#include <QVector>

#include <atomic>
#include <memory>

template <typename T> class QFutureWatcher;

// Turns the gyroscope and acceleration samples of auxiliary frames into an orientation. The first frame
// with enough samples aligns the filter on their means in a pool worker (about 3 s); after that every
// frame advances it by one step on its newest samples. Lives in one thread; the worker aligns a filter
// of its own, which replaces this object's filter when it is done.
class AuxiliaryDataFusion : public QObject
{
    Q_OBJECT

public:
    static constexpr int AlignmentSteps = 2999;
    static constexpr double AlignmentFrequency = 100.0;
    // A frame needs more samples of each kind than this to start the alignment.
    static constexpr int MinimumAlignmentSamples = 5;
    // A 32-bit millisecond counter that wrapped.
    static constexpr qint64 StampWrap = 4294967295LL;
    // Longer gaps between frames (a restart, a reordered frame) are not integrated: one step over them
    // would spin the estimate at random.
    static constexpr qint64 MaximumStepMs = 1000;

    explicit AuxiliaryDataFusion(QObject *parent = nullptr);
    ~AuxiliaryDataFusion() override;

    // True when the filter was advanced by this frame.
    [[nodiscard]] bool update(const QVector<QVector4D> &gyros, const QVector<QVector4D> &accels);

    // Degrees: angleA, angleB, angleC of the filter.
    QVector3D angles() const;

    bool isEnabled() const { return m_enabled; }
    bool isInitialized() const { return m_initialized; }
    bool isInitializing() const { return m_initializing; }
    const MadgwickFilter &filter() const { return m_filter; }

    // The pause after each alignment step, 1000 us by default; tests align at once with 0.
    void setAlignmentPause(int microseconds) { m_alignmentPauseUs = microseconds; }

public slots:
    void apply(bool value);

signals:
    void initialized();

private:
    void startAlignment(const QVector<QVector4D> &gyros, const QVector<QVector4D> &accels);
    void abandonAlignment();
    void alignmentFinished();

    MadgwickFilter m_filter{0.1};
    bool m_initialized = false;
    bool m_initializing = false;
    bool m_enabled = false;
    bool m_hasStamp = false;
    qint64 m_lastStamp = -1;
    int m_alignmentPauseUs = 1000;
    QFutureWatcher<MadgwickFilter> *m_watcher = nullptr;
    std::shared_ptr<std::atomic<bool>> m_cancel;
};
