#pragma once

#include "CsvFileSet.h"
#include "RecordSink.h"

#include <QCoreApplication>

// Writes records into the CSV files of one recording.
class CsvRecordSink : public RecordSink
{
    Q_DECLARE_TR_FUNCTIONS(CsvRecordSink)
public:
    // The files are named after the folder and the start time, "<folder>/<start>_connection1_1.csv".
    CsvRecordSink(const QString &folder, const QString &startTime, const VEXA3D_SENSOR_INFO_T &info,
                  CsvFileSet::DeviceMaker maker = {});

    // Empty when CSV files can be created in the folder, otherwise the reason.
    static QString checkFolder(const QString &folder);
    // The start time text used in the file names.
    static QString startTimeText(const QDateTime &time);

    [[nodiscard]] Result open() override;
    [[nodiscard]] Result write(const FileRecord::file_record_t &record) override;
    [[nodiscard]] Result flush() override;
    [[nodiscard]] Result close() override;
    QString errorString() const override;

    const CsvFileSet &files() const { return m_files; }

private:
    QString m_folder;
    CsvFileSet m_files;
    QString m_error;
};
