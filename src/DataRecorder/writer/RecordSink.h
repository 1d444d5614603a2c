#pragma once

#include "FileRecord.h"

#include <QString>

// Where a recorder's worker writes its records (CSV files, a log file). Used only on the worker thread.
class RecordSink
{
public:
    enum class Result
    {
        Done,    // the record is in the output (or the step succeeded)
        Skipped, // nothing to write for this record (a frame of another kind)
        Failed   // the output cannot take more; errorString() says why
    };

    virtual ~RecordSink() = default;

    [[nodiscard]] virtual Result open() = 0;
    [[nodiscard]] virtual Result write(const FileRecord::file_record_t &record) = 0;
    // After each batch, so that what was written is on disk while the recorder waits.
    [[nodiscard]] virtual Result flush() = 0;
    [[nodiscard]] virtual Result close() = 0;
    virtual QString errorString() const = 0;
};
