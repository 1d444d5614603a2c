#include "CsvRecordSink.h"

#include <QDateTime>
#include <QFileInfo>

CsvRecordSink::CsvRecordSink(const QString &folder, const QString &startTime,
                             const VEXA3D_SENSOR_INFO_T &info, CsvFileSet::DeviceMaker maker)
    : m_folder(folder), m_files(folder + QLatin1Char('/') + startTime, info, std::move(maker))
{
}

QString CsvRecordSink::checkFolder(const QString &folder)
{
    if (folder.isEmpty())
        return tr("No folder has been chosen for the CSV files");
    const QFileInfo info(folder);
    if (!info.isDir())
        return tr("The folder %1 does not exist").arg(folder);
    if (!info.isWritable())
        return tr("The folder %1 cannot be written").arg(folder);
    return QString();
}

QString CsvRecordSink::startTimeText(const QDateTime &time)
{
    return time.toString(QStringLiteral("yyyy_MM_dd_HH_mm_ss_zzz"));
}

RecordSink::Result CsvRecordSink::open()
{
    m_error = checkFolder(m_folder);
    return m_error.isEmpty() ? Result::Done : Result::Failed;
}

RecordSink::Result CsvRecordSink::write(const FileRecord::file_record_t &record)
{
    // Every record taken counts, a frame of another kind too.
    if (record.data && m_files.write(record.index, *record.data) != CsvFileSet::Result::Ok) {
        m_error = m_files.errorString();
        return Result::Failed;
    }
    return Result::Done;
}

RecordSink::Result CsvRecordSink::flush()
{
    if (m_files.flush() != CsvFileSet::Result::Ok) {
        m_error = m_files.errorString();
        return Result::Failed;
    }
    return Result::Done;
}

RecordSink::Result CsvRecordSink::close()
{
    if (m_files.close() != CsvFileSet::Result::Ok) {
        if (m_error.isEmpty())
            m_error = m_files.errorString();
        return Result::Failed;
    }
    return Result::Done;
}

QString CsvRecordSink::errorString() const
{
    return m_error;
}
