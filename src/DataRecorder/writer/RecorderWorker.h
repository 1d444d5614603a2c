#pragma once

#include "FileRecord.h"
#include "RecordSink.h"

#include <QThread>
#include <mutex>

#include <memory>
#include <vector>

// A thread that writes the records producers queue. Producers (any thread) only append under the lock;
// the thread swaps the whole queue out, writes outside the lock and sleeps 10 ms when there is nothing.
// Written frames go back to the producers, which let go of them on their next enqueue: a frame is
// usually made on the thread that queues it, and freeing it there is much cheaper than on this one.
// Stopping writes everything queued before the stop, then closes the output. A failing output ends the
// recording and is reported through errorFound.
class RecorderWorker : public QThread
{
    Q_OBJECT
public:
    explicit RecorderWorker(QObject *parent = nullptr);
    ~RecorderWorker() override;

    // Starts a recording into the sink; false (and the sink is dropped) while one is running.
    bool startWorker(std::unique_ptr<RecordSink> sink);
    // Stops taking records and lets the thread write what is queued and close the output; returns at
    // once (finished follows). For the GUI thread: a long queue must not hold the window.
    void finishWorker();
    // As finishWorker, then joins the thread.
    void stopWorker();
    // Queues a record while a recording runs; drops it otherwise. Safe from any thread.
    void enqueue(const FileRecord::file_record_t &record);
    bool isAccepting() const;

signals:
    void recordWritten();
    void errorFound(const QString &error);

protected:
    void run() override;

private:
    bool writeBatch(RecordSink &sink, std::vector<FileRecord::file_record_t> &batch);
    void refuseRecords();
    // Moves written frames to m_spent; lets go of them here when the producers stopped taking them.
    void handBack(std::vector<QSharedPointer<SensorData>> &frames);
    void releaseSpent();

    // A standard mutex, so that the race checker sees it.
    mutable std::mutex m_mutex;
    std::vector<FileRecord::file_record_t> m_queue;  // guarded by m_mutex
    bool m_accepting = false;                        // guarded by m_mutex
    std::vector<QSharedPointer<SensorData>> m_spent; // guarded by m_mutex; written, for the producers
    std::unique_ptr<RecordSink> m_sink;              // handed to the thread at start
};
