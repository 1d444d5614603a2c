#include "RecorderManager.h"

#include "DataRecorder.h"
#include "DataRecorderSource.h"
#include "MetaTypes.h"
#include "PropertyItem.h"

#include <QAction>
#include <QDateTime>
#include <memory>
#include <mutex>

RecorderManager::RecorderManager(QObject *parent) : RecorderManager(RecorderFactory::availableTypes(), parent)
{
}

RecorderManager::RecorderManager(const QList<RecorderFactory::RecorderType> &types, QObject *parent)
    : QObject(parent)
{
    Taviro::registerRecordMetaTypes();
    m_root = new PropertyItem(this);
    m_root->setIcon(QIcon(QStringLiteral(":/icons/recorder")));
    m_root->setSettable(false);
    m_addAction = new QAction(QIcon(QStringLiteral(":/icons/add-connection")), QString(), this);
    m_removeAction = new QAction(QIcon(QStringLiteral(":/icons/remove-connection")), QString(), this);
    m_removeAction->setEnabled(false);
    m_startAction = new QAction(QIcon(QStringLiteral(":/icons/start")), QString(), this);
    m_stopAction = new QAction(QIcon(QStringLiteral(":/icons/stop")), QString(), this);
    for (RecorderFactory::RecorderType type : types)
        registerRecorderType(type);
    retranslate();
}

RecorderManager::~RecorderManager()
{
    setSource(nullptr);
    stopAllRecorders();
}

void RecorderManager::registerRecorderType(RecorderFactory::RecorderType type)
{
    // A kind this build cannot make is not offered.
    std::unique_ptr<DataRecorder> probe(m_factory.createRecorder(type, nullptr));
    if (!probe)
        return;
    probe.reset();
    // Once per kind: one "Add Recorder" adds a recorder of every kind, one "Remove Recorder" removes
    // once per kind.
    connect(m_addAction, &QAction::triggered, this, [this, type] { addRecorder(type); });
    connect(m_removeAction, &QAction::triggered, this, &RecorderManager::removeRecorder);
    addRecorder(type);
}

QList<DataRecorder *> RecorderManager::recorders() const
{
    std::lock_guard<std::mutex> lock(m_recordersMutex);
    return m_recorders;
}

void RecorderManager::addRecorder(RecorderFactory::RecorderType type)
{
    DataRecorder *r = m_factory.createRecorder(type, this);
    if (!r)
        return;
    {
        std::lock_guard<std::mutex> lock(m_recordersMutex);
        m_recorders.append(r);
    }
    if (PropertyItem *node = r->rootProperty()) {
        node->setName(r->displayName());
        node->setKey(r->typeKey());
        m_root->addChild(node);
    }
    m_removeAction->setEnabled(m_recorders.size() > 1);

    connect(m_startAction, &QAction::triggered, r, &DataRecorder::startRecording);
    connect(m_stopAction, &QAction::triggered, r, &DataRecorder::stopRecording);
    connect(r, &DataRecorder::recordingStarted, this, &RecorderManager::managerStarted);
    connect(r, &DataRecorder::recordingStopped, this, &RecorderManager::managerStopped);
    // Worker failures arrive queued from the recorder's thread.
    connect(r, &RecorderWorker::errorFound, this, &RecorderManager::errorBroadCast);
    connect(this, &RecorderManager::languageChanged, r, [r] {
        r->retranslate();
        if (PropertyItem *node = r->rootProperty()) {
            node->setName(r->displayName());
            node->setKey(r->typeKey());
        }
    });
    connect(this, &RecorderManager::setSensorInfo, r, &DataRecorder::setSensorInfo);
}

void RecorderManager::removeRecorder()
{
    DataRecorder *r = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_recordersMutex);
        if (m_recorders.size() < 2)
            return;
        r = m_recorders.takeLast();
    }
    disconnect(r, nullptr, this, nullptr);
    if (PropertyItem *node = r->rootProperty())
        m_root->removeChild(node);
    delete r; // stops its worker after the queued records are written
    m_removeAction->setEnabled(m_recorders.size() > 1);
}

void RecorderManager::setSource(DataRecorderSource *source)
{
    if (m_source == source)
        return;
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source)
        connect(m_source, &DataRecorderSource::sourceDataReady, this, &RecorderManager::dispatch,
                Qt::DirectConnection);
}

void RecorderManager::dispatch(uint index, const QSharedPointer<SensorData> &data, QVector3D position,
                               QVector3D rotation)
{
    FileRecord::file_record_t record;
    record.index = index;
    record.data = data;
    record.position = position;
    record.rotation = rotation;
    record.time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    // Held while queueing so that a recorder cannot be removed in the middle.
    std::lock_guard<std::mutex> lock(m_recordersMutex);
    for (DataRecorder *r : qAsConst(m_recorders))
        r->addRecord(record);
}

void RecorderManager::managerStarted()
{
    auto *r = qobject_cast<DataRecorder *>(sender());
    if (!r)
        return;
    if (m_source && !m_source->isRecordingAllowed()) {
        r->stopRecording();
        emit errorBroadCast(tr("Recording is not allowed in the current connection state"));
    }
}

void RecorderManager::managerStopped()
{
    (void)qobject_cast<DataRecorder *>(sender());
}

void RecorderManager::stopAllRecorders()
{
    for (DataRecorder *r : recorders())
        r->stopRecording();
}

void RecorderManager::retranslate()
{
    m_addAction->setText(tr("Add Recorder"));
    m_removeAction->setText(tr("Remove Recorder"));
    m_startAction->setText(tr("Start"));
    m_stopAction->setText(tr("Stop"));
    m_root->setName(tr("Recorders"));
    m_root->setKey(QStringLiteral("recorders"));
    emit languageChanged();
}
