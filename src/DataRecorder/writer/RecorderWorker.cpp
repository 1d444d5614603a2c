#include "RecorderWorker.h"

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

void RecorderWorker::stopWorker()
{
    refuseRecords();
    if (isRunning()) {
        requestInterruption();
        wait();
    }
}

void RecorderWorker::refuseRecords()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_accepting = false;
}

void RecorderWorker::enqueue(const FileRecord::file_record_t &record)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_accepting)
        m_queue.push_back(record);
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
    for (FileRecord::file_record_t &record : batch) {
        const RecordSink::Result result = sink.write(record);
        // Let go of the frame while its memory is still in this core's cache; when this queue held
        // the last reference, freeing it later, after the whole batch, costs far more.
        record.data.reset();
        if (result == RecordSink::Result::Failed) {
            ok = false;
            break;
        }
        if (result == RecordSink::Result::Done)
            ++written;
    }
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
    std::lock_guard<std::mutex> lock(m_mutex);
    m_accepting = false;
    m_queue.clear();
}
