#include "DataRecorder.h"

#include "IntegerProperty.h"
#include "MetaTypes.h"
#include "PropertyItem.h"

#include <QAction>

DataRecorder::DataRecorder(QObject *parent) : RecorderWorker(parent)
{
    Taviro::registerRecordMetaTypes();
    qRegisterMetaType<FileRecord::file_record_t>("FileRecord::file_record_t");
    // The thread's signals arrive queued in this object's thread.
    connect(this, &QThread::started, this, &DataRecorder::recordingStarted);
    connect(this, &QThread::finished, this, &DataRecorder::recordingStopped);

    m_startAction = new QAction(QIcon(QStringLiteral(":/DataRecorder/start")), QString(), this);
    m_stopAction = new QAction(QIcon(QStringLiteral(":/DataRecorder/stop")), QString(), this);
    m_root = new PropertyItem(this);
    m_root->setIcon(QIcon(QStringLiteral(":/DataRecorder/recorder")));
    m_root->addAction(m_startAction);
    m_root->addAction(m_stopAction);
    m_count = new IntegerProperty(m_root);
    m_count->setReadOnly(true);
    m_count->setIntValue(0);
}

void DataRecorder::wireControls()
{
    const auto setRecording = [this](bool recording) {
        m_startAction->setEnabled(!recording);
        m_stopAction->setEnabled(recording);
        lockSettings(recording);
    };
    connect(m_startAction, &QAction::triggered, this, &DataRecorder::startRecording);
    connect(m_stopAction, &QAction::triggered, this, &DataRecorder::stopRecording);
    connect(this, &DataRecorder::recordingStarted, this, [setRecording] { setRecording(true); });
    connect(this, &DataRecorder::recordingStopped, this, [setRecording] { setRecording(false); });
    connect(this, &RecorderWorker::recordWritten, m_count,
            [this] { m_count->setIntValue(m_count->intValue() + 1); });
    setRecording(false);
}

void DataRecorder::retranslateControls()
{
    m_count->setName(tr("Record Count"));
    m_count->setKey(QStringLiteral("record_count"));
    m_count->retranslate();
    m_startAction->setText(tr("Start"));
    m_startAction->setToolTip(tr("Start"));
    m_stopAction->setText(tr("Stop"));
    m_stopAction->setToolTip(tr("Stop"));
}

DataRecorder::~DataRecorder() = default;

void DataRecorder::addRecord(FileRecord::file_record_t record)
{
    enqueue(record);
}

void DataRecorder::stopRecording()
{
    // The thread writes what was queued before the stop, closes the file and finishes (recordingStopped);
    // the window goes on meanwhile, however long the queue.
    if (isRunning())
        m_stopAction->setEnabled(false);
    finishWorker();
}

bool DataRecorder::refuseStartWhileRunning()
{
    if (!isRunning())
        return false;
    if (!isAccepting())
        emit errorFound(tr("The last recording is still being written; start again once it has finished"));
    return true;
}

void DataRecorder::setSensorInfo(VEXA3D_SENSOR_INFO_T info)
{
    sensorInfo = info;
}
