#include "RecorderWorker.h"

#include <iterator>
#include <mutex>

RecorderWorker::RecorderWorker(QObject *parent) : QThread(parent)
{
    m_queue.reserve(256);
}

RecorderWorker::~RecorderWorker()
{
    stopWorker();
}

bool RecorderWorker::startWorker(std::unique_ptr<RecordSink> sink)
{
    if (!sink || isRunning())
        return false;
    m_sink = std::move(sink);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.clear();
        m_accepting = true;
    }
    start(QThread::InheritPriority);
    return true;
}

void RecorderWorker::finishWorker()
{
    refuseRecords();
    if (isRunning())
        requestInterruption();
}

void RecorderWorker::stopWorker()
{
    finishWorker();
    if (isRunning())
        wait();
}

void RecorderWorker::refuseRecords()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_accepting = false;
}

void RecorderWorker::enqueue(const FileRecord::file_record_t &record)
{
    std::vector<QSharedPointer<SensorData>> spent;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_accepting)
            m_queue.push_back(record);
        if (!m_spent.empty())
            spent.swap(m_spent);
    }
    // The frames written since the last call end here, outside the lock.
}

void RecorderWorker::handBack(std::vector<QSharedPointer<SensorData>> &frames)
{
    // Beyond this the producers have stopped calling (a stream that ended while the queue drains).
    constexpr size_t MaxSpent = 256;
    std::vector<QSharedPointer<SensorData>> unclaimed;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_spent.size() + frames.size() > MaxSpent)
            unclaimed.swap(m_spent);
        m_spent.insert(m_spent.end(), std::make_move_iterator(frames.begin()),
                       std::make_move_iterator(frames.end()));
    }
    frames.clear();
}

void RecorderWorker::releaseSpent()
{
    std::vector<QSharedPointer<SensorData>> spent;
    std::lock_guard<std::mutex> lock(m_mutex);
    spent.swap(m_spent);
}

bool RecorderWorker::isAccepting() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_accepting;
}

bool RecorderWorker::writeBatch(RecordSink &sink, std::vector<FileRecord::file_record_t> &batch)
{
    int written = 0;
    bool ok = true;
    std::vector<QSharedPointer<SensorData>> done;
    done.reserve(16);
    for (FileRecord::file_record_t &record : batch) {
        const RecordSink::Result result = sink.write(record);
        done.push_back(std::move(record.data));
        if (done.size() == 16)
            handBack(done);
        if (result == RecordSink::Result::Failed) {
            ok = false;
            break;
        }
        if (result == RecordSink::Result::Done)
            ++written;
    }
    handBack(done);
    batch.clear();
    // Counted only once they are in the files; the records before a failure may well be.
    if (sink.flush() == RecordSink::Result::Failed)
        return false;
    for (int i = 0; i < written; ++i)
        emit recordWritten();
    return ok;
}

void RecorderWorker::run()
{
    std::unique_ptr<RecordSink> sink = std::move(m_sink);
    bool ok = sink && sink->open() != RecordSink::Result::Failed;
    std::vector<FileRecord::file_record_t> batch;
    batch.reserve(256);
    while (ok) {
        // Read before the swap: once a stop was requested nothing more is queued, so this swap takes
        // the last records and the loop ends on the next, empty one.
        const bool stopping = isInterruptionRequested();
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            batch.swap(m_queue);
        }
        if (batch.empty()) {
            if (stopping)
                break;
            msleep(10);
            continue;
        }
        ok = writeBatch(*sink, batch);
    }
    const bool closing = ok;
    if (closing)
        ok = sink->close() != RecordSink::Result::Failed;
    if (!ok) {
        refuseRecords();
        if (sink) {
            const QString error = sink->errorString();
            if (!closing)
                (void)sink->close(); // keeps what the other files hold
            emit errorFound(error);
        }
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_accepting = false;
        m_queue.clear();
    }
    releaseSpent();
}
