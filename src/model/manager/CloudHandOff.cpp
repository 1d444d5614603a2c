#include "CloudHandOff.h"

#include "PointCloud.h"

CloudHandOff::CloudHandOff(PointCloud *cloud, PointCloud *emphasisCloud, QObject *parent)
    : QObject(parent), m_cloud(cloud), m_emphasisCloud(emphasisCloud)
{
    // Queued to this object: calls run in the order they were posted, so each takes the oldest line.
    connect(this, &CloudHandOff::posted, this, &CloudHandOff::runNext, Qt::QueuedConnection);
}

CloudHandOff::Line CloudHandOff::stamped(int frame, bool newFrame) const
{
    Line line;
    line.frame = frame;
    line.newFrame = newFrame;
    line.cloudGeneration = m_cloudGeneration.load();
    line.emphasisGeneration = m_emphasisGeneration.load();
    return line;
}

void CloudHandOff::post(Line line)
{
    int pending = 0;
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        m_queue.push_back(std::move(line));
        pending = int(m_queue.size());
        m_pending.store(pending);
    }
    int seen = m_maxPending.load();
    while (pending > seen && !m_maxPending.compare_exchange_weak(seen, pending)) {
    }
    emit posted();
}

void CloudHandOff::clearAll()
{
    clearCloud();
    clearEmphasis();
}

void CloudHandOff::clearCloud()
{
    m_cloudGeneration.fetch_add(1);
    m_cloud->clearPoints();
}

void CloudHandOff::clearEmphasis()
{
    m_emphasisGeneration.fetch_add(1);
    m_emphasisCloud->clearPoints();
}

void CloudHandOff::runNext()
{
    Line line;
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        if (m_queue.empty())
            return;
        line = std::move(m_queue.front());
        m_queue.pop_front();
        m_pending.store(int(m_queue.size()));
    }
    if (line.cloudGeneration == m_cloudGeneration.load()) {
        if (line.newFrame)
            m_cloud->setFrameTag(line.frame);
        if (!line.points.isEmpty())
            m_cloud->addPoints(line.points, line.colors);
        m_linesDrawn.fetch_add(1);
    }
    if (line.emphasisGeneration == m_emphasisGeneration.load()) {
        if (line.newFrame)
            m_emphasisCloud->resetPoints();
        if (!line.emphasisPoints.isEmpty())
            m_emphasisCloud->addPoints(line.emphasisPoints, line.emphasisColors);
    }
}
