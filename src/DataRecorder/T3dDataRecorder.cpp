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
    m_file = new FileProperty(m_root);
    m_file->setMode(QIODevice::WriteOnly);
    m_file->setSuffix(QStringLiteral(".vbl"));
    m_file->addAction(m_startAction);
    m_file->addAction(m_stopAction);
    m_root->addChild(m_file);

    m_root->addChild(m_count);

    m_compression = new BoolProperty(m_root);
    m_compression->setDefaultValue(true);
    m_compression->setBoolValue(true);
    m_root->addChild(m_compression);

    wireControls();
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
    m_compression->setName(tr("Use Compression"));
    m_compression->setKey(QStringLiteral("use_compression"));
    m_compression->retranslate();
    retranslateControls();
}

void T3dDataRecorder::startRecording()
{
    if (refuseStartWhileRunning())
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

void T3dDataRecorder::lockSettings(bool locked)
{
    m_file->setReadOnly(locked);
    m_compression->setReadOnly(locked);
    m_file->setSettable(!locked);
    m_compression->setSettable(!locked);
}
