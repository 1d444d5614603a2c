#include "VblRecordSink.h"

VblRecordSink::VblRecordSink(const QString &fileName, bool compression, const VEXA3D_SENSOR_INFO_T &info,
                             VblWriter::FileMaker maker)
    : m_fileName(fileName), m_compression(compression)
{
    m_writer.setSensorInfo(info);
    m_writer.setFileMaker(std::move(maker));
}

RecordSink::Result VblRecordSink::open()
{
    if (m_writer.open(m_fileName, m_compression))
        return Result::Done;
    m_error = tr("The file %1 could not be written: %2").arg(m_fileName, m_writer.errorString());
    return Result::Failed;
}

RecordSink::Result VblRecordSink::write(const FileRecord::file_record_t &record)
{
    switch (
        m_writer.appendFrame(int(record.index), record.data, record.position, record.rotation, record.time)) {
    case VblWriter::Result::Written:
        ++m_blocks;
        return Result::Done;
    case VblWriter::Result::Skipped:
        return Result::Skipped;
    case VblWriter::Result::Failed:
        break;
    }
    m_error = tr("The file %1 could not be written: %2").arg(m_fileName, m_writer.errorString());
    return Result::Failed;
}

RecordSink::Result VblRecordSink::flush()
{
    // Every block went to the file unbuffered.
    return Result::Done;
}

RecordSink::Result VblRecordSink::close()
{
    if (m_writer.finish())
        return Result::Done;
    if (m_error.isEmpty())
        m_error = tr("The file %1 could not be written: %2").arg(m_fileName, m_writer.errorString());
    return Result::Failed;
}

QString VblRecordSink::errorString() const
{
    return m_error;
}
