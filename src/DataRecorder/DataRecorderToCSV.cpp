#include "DataRecorderToCSV.h"

#include "CsvConversion.h"

#include <QDateTime>
#include <QFileInfo>

DataRecorderToCSV::DataRecorderToCSV(QObject *parent) : DataRecorder(parent) {}

DataRecorderToCSV::~DataRecorderToCSV()
{
    stopRecording();
}

void DataRecorderToCSV::addDevice(const QSharedPointer<IFileDevice> &device)
{
    if (device)
        m_devices.insert(device->fileSuffix().toLower(), device);
}

bool DataRecorderToCSV::openFile(const QString &name)
{
    if (isRunning())
        return false;
    const QSharedPointer<IFileDevice> device = m_devices.value(QFileInfo(name).suffix().toLower());
    if (!device)
        return false;
    device->closeFile();
    if (!device->openFile(name)) {
        device->closeFile();
        return false;
    }
    m_device = device;
    m_fileName = name;
    device->initialize();
    return true;
}

int DataRecorderToCSV::recordCount() const
{
    return m_device ? m_device->recordCount() : 0;
}

void DataRecorderToCSV::startRecording()
{
    if (!m_device || isRunning())
        return;
    sensorInfo = m_device->sensorInfo();
    m_succeeded = false;
    m_converted = 0;
    m_outputs.clear();
    start(QThread::InheritPriority);
}

void DataRecorderToCSV::stopRecording()
{
    if (isRunning()) {
        requestInterruption();
        wait();
    }
}

void DataRecorderToCSV::initializedDevice()
{
    emit deviceOpened();
}

void DataRecorderToCSV::run()
{
    if (!m_device)
        return;
    const int total = m_device->recordCount();
    if (total <= 0 || m_fileName.isEmpty()) {
        emit errorFound(tr("The log %1 holds no record").arg(m_fileName));
        return;
    }
    QString error;
    const QString folder = CsvConversion::makeFolderBeside(m_fileName, QDateTime::currentDateTime(), &error);
    if (!folder.isEmpty()) {
        CsvConversion conversion(*m_device, CsvConversion::prefixFor(m_fileName, folder));
        const CsvConversion::Result result = conversion.run([this](qint64) {
            emit recordWritten();
            return !isInterruptionRequested();
        });
        m_converted = conversion.recordsWritten();
        m_outputs = conversion.fileNames();
        error = conversion.errorString();
        m_succeeded = result == CsvConversion::Result::Done && m_converted == total;
        if (result == CsvConversion::Result::Done && !m_succeeded)
            error = tr("Only %1 of %2 records could be read").arg(m_converted).arg(total);
    }
    m_device->closeFile();
    if (!m_succeeded && !error.isEmpty())
        emit errorFound(error);
}
