#include "RefreshThrottle.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtMath>

RefreshThrottle::RefreshThrottle(std::function<void()> job, QObject *parent)
    : QObject(parent), m_job(std::move(job)), m_interval(screenInterval())
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &RefreshThrottle::run);
}

int RefreshThrottle::screenInterval()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const qreal rate = screen ? screen->refreshRate() : 0.0;
    if (!(rate >= 1.0))
        return 16;
    return qBound(4, qCeil(1000.0 / rate), 100);
}

void RefreshThrottle::request()
{
    if (m_timer.isActive())
        return;
    const qint64 since = m_sinceRun.isValid() ? m_sinceRun.elapsed() : qint64(m_interval);
    if (since >= m_interval)
        run();
    else
        m_timer.start(int(m_interval - since));
}

void RefreshThrottle::flush()
{
    if (m_timer.isActive())
        run();
}

void RefreshThrottle::run()
{
    m_timer.stop();
    m_job();
    // Counted from the end, so that a slow refresh still leaves the event loop one interval.
    m_sinceRun.start();
}
