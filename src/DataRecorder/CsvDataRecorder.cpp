#include "CsvDataRecorder.h"

#include "CsvRecordSink.h"
#include "FolderProperty.h"
#include "IntegerProperty.h"
#include "PropertyItem.h"

#include <QAction>
#include <QDateTime>

CsvDataRecorder::CsvDataRecorder(QObject *parent) : DataRecorder(parent)
{
    m_startAction = new QAction(QIcon(QStringLiteral(":/DataRecorder/start")), QString(), this);
    m_stopAction = new QAction(QIcon(QStringLiteral(":/DataRecorder/stop")), QString(), this);

    m_root = new PropertyItem(this);
    m_root->setIcon(QIcon(QStringLiteral(":/DataRecorder/recorder")));
    m_root->setSettable(false);
    m_root->addAction(m_startAction);
    m_root->addAction(m_stopAction);

    m_folder = new FolderProperty(m_root);
    m_folder->addAction(m_startAction);
    m_folder->addAction(m_stopAction);
    m_root->addChild(m_folder);

    m_count = new IntegerProperty(m_root);
    m_count->setReadOnly(true);
    m_count->setSettable(false);
    m_count->setIntValue(0);
    m_root->addChild(m_count);

    connect(m_startAction, &QAction::triggered, this, &CsvDataRecorder::startRecording);
    connect(m_stopAction, &QAction::triggered, this, &CsvDataRecorder::stopRecording);
    connect(this, &DataRecorder::recordingStarted, this, [this] { setRecordingState(true); });
    connect(this, &DataRecorder::recordingStopped, this, [this] { setRecordingState(false); });
    connect(this, &RecorderWorker::recordWritten, m_count,
            [this] { m_count->setIntValue(m_count->intValue() + 1); });

    setRecordingState(false);
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

PropertyItem *CsvDataRecorder::rootProperty() const
{
    return m_root;
}

void CsvDataRecorder::retranslate()
{
    m_root->setName(displayName());
    m_root->setKey(typeKey());
    m_root->retranslate();
    m_folder->setName(tr("Folder Name"));
    m_folder->setKey(QStringLiteral("folder_name"));
    m_folder->retranslate();
    m_count->setName(tr("Record Count"));
    m_count->setKey(QStringLiteral("record_count"));
    m_count->retranslate();
    m_startAction->setText(tr("Start"));
    m_startAction->setToolTip(tr("Start"));
    m_stopAction->setText(tr("Stop"));
    m_stopAction->setToolTip(tr("Stop"));
}

void CsvDataRecorder::startRecording()
{
    if (isRunning())
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

void CsvDataRecorder::setRecordingState(bool recording)
{
    m_startAction->setEnabled(!recording);
    m_stopAction->setEnabled(recording);
    m_folder->setReadOnly(recording);
    m_folder->setSettable(!recording);
}
