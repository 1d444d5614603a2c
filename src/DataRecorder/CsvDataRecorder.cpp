#include "CsvDataRecorder.h"

#include "CsvRecordSink.h"
#include "FolderProperty.h"
#include "IntegerProperty.h"
#include "PropertyItem.h"

#include <QAction>
#include <QDateTime>

CsvDataRecorder::CsvDataRecorder(QObject *parent) : DataRecorder(parent)
{
    m_root->setSettable(false);

    m_folder = new FolderProperty(m_root);
    m_folder->addAction(m_startAction);
    m_folder->addAction(m_stopAction);
    m_root->addChild(m_folder);

    m_count->setSettable(false);
    m_root->addChild(m_count);

    wireControls();
    retranslate();
}

CsvDataRecorder::~CsvDataRecorder()
{
    stopWorker();
}

QString CsvDataRecorder::displayName() const
{
    return tr("CSV Recorder");
}

QString CsvDataRecorder::typeKey() const
{
    return QStringLiteral("csv_recorder");
}

void CsvDataRecorder::retranslate()
{
    m_root->setName(displayName());
    m_root->setKey(typeKey());
    m_root->retranslate();
    m_folder->setName(tr("Folder Name"));
    m_folder->setKey(QStringLiteral("folder_name"));
    m_folder->retranslate();
    retranslateControls();
}

void CsvDataRecorder::startRecording()
{
    if (refuseStartWhileRunning())
        return;
    m_count->setIntValue(0);
    m_directory = m_folder->value().toString();
    // Before a folder is chosen the node shows its placeholder (in the current language), which names
    // no folder.
    const bool chosen = m_directory != FolderProperty().value().toString();
    const QString error = CsvRecordSink::checkFolder(chosen ? m_directory : QString());
    if (!error.isEmpty()) {
        emit errorFound(error);
        return;
    }
    const QString start = CsvRecordSink::startTimeText(QDateTime::currentDateTime());
    (void)startWorker(std::make_unique<CsvRecordSink>(m_directory, start, sensorInfo, m_deviceMaker));
}

void CsvDataRecorder::setDirectory(const QString &directory)
{
    if (m_directory == directory)
        return;
    m_directory = directory;
    emit directoryChanged(directory);
}

void CsvDataRecorder::lockSettings(bool locked)
{
    m_folder->setReadOnly(locked);
    m_folder->setSettable(!locked);
}
