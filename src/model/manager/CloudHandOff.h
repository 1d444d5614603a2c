#pragma once

#include <QObject>
#include <QVector3D>
#include <QVector>

#include <atomic>
#include <deque>
#include <mutex>

class PointCloud;

// Hands the lines a controller computes on its streaming thread to its point cloud and emphasis cloud on
// the GUI thread: one queued call per line, each taking the oldest line from a locked queue, so lines
// reach the clouds in the order they were posted. Every cloud has a generation; a clear on the GUI thread
// starts a new one and outdates the lines already on their way.
class CloudHandOff : public QObject
{
    Q_OBJECT

public:
    // What the streaming thread computed for one line.
    struct Line
    {
        int frame = -1;
        bool newFrame = false; // the first line of a frame: tags the cloud, empties the emphasis cloud
        quint64 cloudGeneration = 0;
        quint64 emphasisGeneration = 0;
        QVector<QVector3D> points;
        QVector<QVector3D> colors;
        QVector<QVector3D> emphasisPoints;
        QVector<QVector3D> emphasisColors;
    };

    // The clouds stay owned by the caller and must outlive this object.
    CloudHandOff(PointCloud *cloud, PointCloud *emphasisCloud, QObject *parent = nullptr);

    // Any thread: a line stamped with the current generations, to fill and post.
    Line stamped(int frame, bool newFrame) const;
    // Any thread: queues the line for the GUI thread.
    void post(Line line);

    // GUI thread: empty the clouds and outdate the lines on their way to them.
    void clearAll();
    void clearCloud();
    void clearEmphasis();

    // Lines posted and not yet carried out, the most there ever were, and lines that reached the cloud.
    int pending() const { return m_pending.load(); }
    int maxPending() const { return m_maxPending.load(); }
    quint64 linesDrawn() const { return m_linesDrawn.load(); }

signals:
    // Internal: one line waits.
    void posted();

private:
    void runNext();

    PointCloud *m_cloud;
    PointCloud *m_emphasisCloud;
    std::atomic<quint64> m_cloudGeneration{0};
    std::atomic<quint64> m_emphasisGeneration{0};
    // The hand-over goes through this lock rather than through the event queue alone.
    std::mutex m_queueMutex;
    std::deque<Line> m_queue;
    std::atomic<int> m_pending{0};
    std::atomic<int> m_maxPending{0};
    std::atomic<quint64> m_linesDrawn{0};
};
