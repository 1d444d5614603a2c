#include "Progress.h"

#include "LogCommands.h"

#include <QTextStream>

namespace LogTool {

ProgressLine::ProgressLine()
{
    m_timer.start();
}

ProgressLine::~ProgressLine()
{
    clear();
}

void ProgressLine::show(const QString &text, bool force)
{
    const qint64 now = m_timer.elapsed();
    if (!force && m_last >= 0 && now - m_last < 250)
        return;
    m_last = now;
    err() << '\r' << text.leftJustified(m_width) << Qt::flush;
    m_width = text.size();
}

void ProgressLine::clear()
{
    if (m_width > 0)
        err() << '\r' << QString(m_width, QLatin1Char(' ')) << '\r' << Qt::flush;
    m_width = 0;
}

} // namespace LogTool
