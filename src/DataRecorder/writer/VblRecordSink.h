#pragma once

#include "RecordSink.h"
#include "VblWriter.h"

#include <QCoreApplication>

// Writes records as the blocks of one ".vbl" log file.
class VblRecordSink : public RecordSink
{
    Q_DECLARE_TR_FUNCTIONS(VblRecordSink)
public:
    VblRecordSink(const QString &fileName, bool compression, const VEXA3D_SENSOR_INFO_T &info,
                  VblWriter::FileMaker maker = {});

    [[nodiscard]] Result open() override;
    [[nodiscard]] Result write(const FileRecord::file_record_t &record) override;
    [[nodiscard]] Result flush() override;
    [[nodiscard]] Result close() override;
    QString errorString() const override;

    // Blocks and bytes written so far (read on the worker's thread, or after it ended).
    qint64 blocksWritten() const { return m_blocks; }
    qint64 bytesWritten() const { return m_writer.size(); }

private:
    QString m_fileName;
    bool m_compression;
    VblWriter m_writer;
    QString m_error;
    qint64 m_blocks = 0;
};
