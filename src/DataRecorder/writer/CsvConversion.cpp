#include "CsvConversion.h"

#include "CsvRecordSink.h"
#include "IFileDevice.h"

#include <QDir>
#include <QFileInfo>

CsvConversion::CsvConversion(IFileDevice &device, const QString &prefix, CsvFileSet::DeviceMaker maker)
    : m_device(device), m_files(prefix, device.sensorInfo(), std::move(maker))
{
}

QString CsvConversion::folderName(const QDateTime &start)
{
    return QStringLiteral("csv_") + CsvRecordSink::startTimeText(start);
}

QString CsvConversion::prefixFor(const QString &logFile, const QString &folder)
{
    return QDir(folder).absolutePath() + QLatin1Char('/') + QFileInfo(logFile).completeBaseName();
}

QString CsvConversion::makeFolderBeside(const QString &logFile, const QDateTime &start, QString *error)
{
    const QDir beside = QFileInfo(logFile).absoluteDir();
    const QString name = folderName(start);
    if (!beside.exists(name) && !beside.mkdir(name)) {
        if (error)
            *error = tr("The folder %1 could not be created").arg(beside.filePath(name));
        return QString();
    }
    return beside.filePath(name);
}

CsvConversion::Result CsvConversion::run(const Progress &progress)
{
    m_records = 0;
    m_error.clear();
    Result result = Result::Done;
    while (!m_device.atEnd()) {
        QSharedPointer<SensorData> frame;
        QVector3D position, rotation;
        const int index = m_device.readRecord(frame, position, rotation, true);
        if (index == -1 || (index >= 0 && !frame))
            break;
        if (index < -1) {
            m_error = tr("A record of the log could not be read");
            result = Result::Failed;
            break;
        }
        if (m_files.write(index, *frame) != CsvFileSet::Result::Ok) {
            m_error = m_files.errorString();
            result = Result::Failed;
            break;
        }
        ++m_records;
        if (progress && !progress(m_records)) {
            result = Result::Interrupted;
            break;
        }
    }
    if (m_files.close() != CsvFileSet::Result::Ok && result != Result::Failed) {
        m_error = m_files.errorString();
        result = Result::Failed;
    }
    return result;
}
