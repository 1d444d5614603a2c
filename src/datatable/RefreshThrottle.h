#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

// Runs a job at most once per screen refresh: a request right after a quiet spell runs it at once, the
// requests of a burst run it once more when the refresh interval is over. GUI thread.
class RefreshThrottle : public QObject
{
    Q_OBJECT

public:
    RefreshThrottle(std::function<void()> job, QObject *parent = nullptr);

    void request();
    // Runs a pending job now.
    void flush();
    bool isPending() const { return m_timer.isActive(); }
    int interval() const { return m_interval; }

    // The primary screen's refresh interval in milliseconds (16 without a screen).
    static int screenInterval();

private:
    void run();

    std::function<void()> m_job;
    QTimer m_timer;
    QElapsedTimer m_sinceRun;
    int m_interval;
};
