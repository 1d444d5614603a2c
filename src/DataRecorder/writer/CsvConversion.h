#pragma once

#include "CsvFileSet.h"

#include <QCoreApplication>
#include <QDateTime>

#include <functional>

class IFileDevice;

// Turns an opened, indexed log into the CSV files of a conversion. Used by the converter dialog's
// worker and by the command line, so that both write the same bytes.
class CsvConversion
{
    Q_DECLARE_TR_FUNCTIONS(CsvConversion)
public:
    enum class Result
    {
        Done,
        Interrupted,
        Failed
    };
    // Called after each record with the count so far; returning false interrupts the conversion.
    using Progress = std::function<bool(qint64 records)>;

    // prefix: the files' base path, "<folder>/<log base name>".
    CsvConversion(IFileDevice &device, const QString &prefix, CsvFileSet::DeviceMaker maker = {});

    // "csv_<start time>", the folder made beside the log.
    static QString folderName(const QDateTime &start);
    // The base path of the files in folder for the log.
    static QString prefixFor(const QString &logFile, const QString &folder);
    // The folder "csv_<start time>" beside the log, made when missing; empty (and why in error) on failure.
    static QString makeFolderBeside(const QString &logFile, const QDateTime &start, QString *error);

    [[nodiscard]] Result run(const Progress &progress = {});

    qint64 recordsWritten() const { return m_records; }
    QString errorString() const { return m_error; }
    QStringList fileNames() const { return m_files.fileNames(); }

private:
    IFileDevice &m_device;
    CsvFileSet m_files;
    qint64 m_records = 0;
    QString m_error;
};
