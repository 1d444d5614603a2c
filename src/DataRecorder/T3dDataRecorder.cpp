#include "T3dDataRecorder.h"

#include "BoolProperty.h"
#include "FileProperty.h"
#include "IntegerProperty.h"
#include "PropertyItem.h"
#include "VblRecordSink.h"

#include <QAction>
#include <QFileInfo>

T3dDataRecorder::T3dDataRecorder(QObject *parent) : DataRecorder(parent)
{
    m_startAction = new QAction(QIcon(QStringLiteral(":/DataRecorder/start")), QString(), this);
    m_stopAction = new QAction(QIcon(QStringLiteral(":/DataRecorder/stop")), QString(), this);

    m_root = new PropertyItem(this);
    m_root->setIcon(QIcon(QStringLiteral(":/DataRecorder/recorder")));
    m_root->addAction(m_startAction);
    m_root->addAction(m_stopAction);

    m_file = new FileProperty(m_root);
    m_file->setMode(QIODevice::WriteOnly);
    m_file->setSuffix(QStringLiteral(".vbl"));
    m_file->addAction(m_startAction);
    m_file->addAction(m_stopAction);
    m_root->addChild(m_file);

    m_count = new IntegerProperty(m_root);
    m_count->setReadOnly(true);
    m_count->setIntValue(0);
    m_root->addChild(m_count);

    m_compression = new BoolProperty(m_root);
    m_compression->setDefaultValue(true);
    m_compression->setBoolValue(true);
    m_root->addChild(m_compression);

    connect(m_startAction, &QAction::triggered, this, &T3dDataRecorder::startRecording);
    connect(m_stopAction, &QAction::triggered, this, &T3dDataRecorder::stopRecording);
    connect(this, &DataRecorder::recordingStarted, this, [this] { setRecordingState(true); });
    connect(this, &DataRecorder::recordingStopped, this, [this] { setRecordingState(false); });
    connect(this, &RecorderWorker::recordWritten, m_count,
            [this] { m_count->setIntValue(m_count->intValue() + 1); });

    setRecordingState(false);
    retranslate();
}

T3dDataRecorder::~T3dDataRecorder()
{
    stopWorker();
}

QString T3dDataRecorder::displayName() const
{
    return tr("VBL Recorder");
}

QString T3dDataRecorder::typeKey() const
{
    return QStringLiteral("vbl_recorder");
}

PropertyItem *T3dDataRecorder::rootProperty() const
{
    return m_root;
}

void T3dDataRecorder::retranslate()
{
    m_root->setName(tr("Recorder"));
    m_root->setKey(QStringLiteral("recorder"));
    m_root->retranslate();
    m_file->setName(tr("File Name"));
    m_file->setKey(QStringLiteral("file_name"));
    m_file->setFileFilter(tr("Taviro3D File"));
    m_file->setSuffix(QStringLiteral(".vbl"));
    m_file->retranslate();
    m_count->setName(tr("Record Count"));
    m_count->setKey(QStringLiteral("record_count"));
    m_count->retranslate();
    m_compression->setName(tr("Use Compression"));
    m_compression->setKey(QStringLiteral("use_compression"));
    m_compression->retranslate();
    m_startAction->setText(tr("Start"));
    m_startAction->setToolTip(tr("Start"));
    m_stopAction->setText(tr("Stop"));
    m_stopAction->setToolTip(tr("Stop"));
}

void T3dDataRecorder::startRecording()
{
    if (isRunning())
        return;
    m_count->setIntValue(0);
    setFilename(m_file->value().toString());
    // The placeholder shown before a file is chosen has no suffix either.
    if (QFileInfo(m_filename).suffix().toLower() != QLatin1String("vbl")) {
        emit errorFound(tr("File is incorrect"));
        return;
    }
    (void)startWorker(createSink(m_filename, m_compression->boolValue()));
}

std::unique_ptr<RecordSink> T3dDataRecorder::createSink(const QString &fileName, bool compression) const
{
    return std::make_unique<VblRecordSink>(fileName, compression, sensorInfo);
}

void T3dDataRecorder::setFilename(const QString &filename)
{
    if (m_filename == filename)
        return;
    m_filename = filename;
    emit filenameChanged(filename);
}

void T3dDataRecorder::setRecordingState(bool recording)
{
    m_startAction->setEnabled(!recording);
    m_stopAction->setEnabled(recording);
    m_file->setReadOnly(recording);
    m_compression->setReadOnly(recording);
    m_file->setSettable(!recording);
    m_compression->setSettable(!recording);
}
