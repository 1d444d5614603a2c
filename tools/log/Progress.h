#pragma once

#include <QElapsedTimer>
#include <QString>

namespace LogTool {

// A progress line on stderr, rewritten at most a few times a second and cleared at the end.
class ProgressLine
{
public:
    ProgressLine();
    ~ProgressLine();
    // Shows text when the last update is old enough (or always with force).
    void show(const QString &text, bool force = false);
    void clear();

private:
    QElapsedTimer m_timer;
    qint64 m_last = -1;
    int m_width = 0;
};

} // namespace LogTool
