#include "FileScanManager.h"

#include "CloudHandOff.h"
#include "ColorLegendLayer.h"
#include "ColorModel.h"
#include "FileCommunicationDevice.h"
#include "FileDevice.h"
#include "FileProperty.h"
#include "FusionProperty.h"
#include "IntegerProperty.h"
#include "OrientationFusion.h"
#include "PointCloud.h"
#include "PointCloudProperty.h"
#include "PropertyItem.h"
#include "SensorRecordFactory.h"
#include "StringProperty.h"
#include "T3DFileDevice.h"

#include <QAbstractTransition>
#include <QAction>
#include <QMutexLocker>
#include <QState>
#include <QStateMachine>

#include <limits>

namespace {
// The record marks the emphasised spot and the rest of its line with these colours.
const QVector3D SpotMarker(-2.0f, -2.0f, -2.0f);
const QVector3D LineMarker(-1.0f, -1.0f, -1.0f);

QString vectorText(const QVector4D &v)
{
    return QStringLiteral("%1, %2, %3").arg(v.x(), 0, 'f', 3).arg(v.y(), 0, 'f', 3).arg(v.z(), 0, 'f', 3);
}
} // namespace

// One report of the playback engine, as the state machine sees it.
class EngineEvent : public QEvent
{
public:
    enum Kind
    {
        Opened,
        Initialized,
        InitializationFailed,
        Closed,
        PlayStarted,
        Paused,
        Stopped
    };
    static QEvent::Type eventType()
    {
        static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
        return type;
    }
    explicit EngineEvent(Kind kind) : QEvent(eventType()), m_kind(kind) {}
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

class EngineTransition : public QAbstractTransition
{
public:
    explicit EngineTransition(EngineEvent::Kind kind) : m_kind(kind) {}

protected:
    bool eventTest(QEvent *event) override
    {
        return event->type() == EngineEvent::eventType() &&
               static_cast<EngineEvent *>(event)->kind() == m_kind;
    }
    void onTransition(QEvent *) override {}

private:
    EngineEvent::Kind m_kind;
};

// What the player keeps per recorded connection of the open log.
struct FileScanManager::Channel
{
    // Children of the view object, which may go first.
    QPointer<PointCloud> cloud;
    QPointer<PointCloud> emphasisCloud;
    PointCloudProperty *cloudProperty = nullptr;
    CloudHandOff *handOff = nullptr;
    PropertyItem *auxiliary = nullptr;
    StringProperty *gyroscope = nullptr;
    StringProperty *accelerometer = nullptr;
    StringProperty *temperature = nullptr;
    OrientationFusion *fusion = nullptr;
    FusionProperty *fusionProperty = nullptr;
    // The pick over the current frame, the ray in the cloud's own frame.
    int lastFrame = -1; // of the last line drawn
    bool pickPending = false;
    SpotPick bestPick;
    Ray ray;
};

FileScanManager::FileScanManager(SensorRecordFactory *factory, QObject *parent)
    : ScanManager(parent), m_factory(factory)
{
    Taviro::registerRecordMetaTypes();
    qRegisterMetaType<Ray>("Ray");

    m_device = new FileCommunicationDevice(this);
    m_device->registerDevice(QSharedPointer<FileDevice>::create());
    m_device->registerDevice(QSharedPointer<T3DFileDevice>::create());
    m_viewObject = new RenderableItem(this);

    createProperties();
    createActions();
    createStateMachine();

    using D = FileCommunicationDevice;
    connect(m_device, &D::deviceOpened, this, &FileScanManager::deviceConnected);
    connect(m_device, &D::deviceClosed, this, &FileScanManager::deviceDisconnected);
    connect(m_device, &D::deviceInitialized, this, &FileScanManager::deviceInitialized);
    connect(m_device, &D::initializationError, this, &FileScanManager::deviceInitializationFailed);
    connect(m_device, &D::sensorDataReady, this, &FileScanManager::applySensorData, Qt::QueuedConnection);
    connect(m_device, &D::errorDetected, this, &ScanManager::errorDetected);
    connect(m_device, &D::readingUpdate, this, &ScanManager::readingUpdate);
    connect(m_device, &D::currentPositionChanged, this,
            [this](qlonglong pos) { m_currentRecordProperty->setIntValue(int(pos)); });
    connect(m_device, &D::corruptionFound, this,
            [this](const QString &, const QString &message) { emit warningBroadCast(message); });
    connect(m_device, &D::playStarted, this, &ScanManager::fileStarted);
    connect(m_device, &D::paused, this, &ScanManager::filePaused);
    connect(m_device, &D::stopped, this, &ScanManager::fileStopped);

    connect(this, &ScanManager::logLoopChanged, this, [this](int state) {
        if (state == 1 || state == 2)
            m_device->setLoop(true);
        else if (state == 0)
            m_device->setLoop(false);
    });
    connect(this, &ScanManager::playSpeedChanged, m_device, &FileCommunicationDevice::setPlaySpeed);

    retranslate();
}

FileScanManager::~FileScanManager()
{
    // The engine's thread reads through the file devices; it ends before anything goes away.
    m_device->stop();
    removeChannels();
}

void FileScanManager::createProperties()
{
    m_rootProperty = new PropertyItem(this);
    m_rootProperty->setKey(QStringLiteral("connection"));
    m_deviceGroup = new PropertyItem(this);
    m_deviceGroup->setKey(QStringLiteral("device"));
    m_fileNameProperty = new FileProperty(this);
    m_fileNameProperty->setKey(QStringLiteral("file_name"));
    m_fileNameProperty->setMode(QIODevice::ReadOnly);
    m_fileNameProperty->setSuffix(QStringLiteral(".t3d *.vbl"));
    m_recordCountProperty = new IntegerProperty(this);
    m_recordCountProperty->setKey(QStringLiteral("record_count"));
    m_currentRecordProperty = new IntegerProperty(this);
    m_currentRecordProperty->setKey(QStringLiteral("current_record"));
    for (IntegerProperty *counter : {m_recordCountProperty, m_currentRecordProperty}) {
        counter->setMinValue(0);
        counter->setMaxValue(std::numeric_limits<int>::max());
        counter->setReadOnly(true);
        // Counts of the log now open, not settings.
        counter->setSettable(false);
    }
    m_deviceGroup->addChild(m_fileNameProperty);
    m_deviceGroup->addChild(m_recordCountProperty);
    m_deviceGroup->addChild(m_currentRecordProperty);
    m_rootProperty->addChild(m_deviceGroup);
}

void FileScanManager::createActions()
{
    m_connectAction = new QAction(QIcon(QStringLiteral(":/icons/connect")), QString(), this);
    m_disconnectAction = new QAction(QIcon(QStringLiteral(":/icons/disconnect")), QString(), this);
    m_startAction = new QAction(QIcon(QStringLiteral(":/DataRecorder/start")), QString(), this);
    m_pauseAction = new QAction(QIcon(QStringLiteral(":/DataRecorder/pause")), QString(), this);
    m_stopAction = new QAction(QIcon(QStringLiteral(":/DataRecorder/stop")), QString(), this);
    m_detailAction = new QAction(QIcon(QStringLiteral(":/FileCommunication/detail")), QString(), this);
    connect(m_connectAction, &QAction::triggered, this, &FileScanManager::connectRequested);
    connect(m_disconnectAction, &QAction::triggered, this, &FileScanManager::disconnectRequested);
    connect(m_startAction, &QAction::triggered, this, &FileScanManager::startPlaying);
    connect(m_pauseAction, &QAction::triggered, this, &FileScanManager::pausePlaying);
    connect(m_stopAction, &QAction::triggered, this, &FileScanManager::stopPlaying);
    connect(m_detailAction, &QAction::triggered, this, &ScanManager::filePlayerTriggered);
    for (QAction *action :
         {m_connectAction, m_disconnectAction, m_startAction, m_pauseAction, m_stopAction, m_detailAction})
        m_rootProperty->addAction(action);
}

void FileScanManager::emitPlayerState(bool player, bool start, bool pause, bool stop)
{
    emit playerEnabledChanged(player);
    emit startEnabledChanged(start);
    emit pauseEnabledChanged(pause);
    emit stopEnabledChanged(stop);
}

void FileScanManager::createStateMachine()
{
    m_stateMachine = new QStateMachine(this);
    auto *disconnectedState = new QState(m_stateMachine);
    auto *openingState = new QState(m_stateMachine);
    auto *connectedState = new QState(m_stateMachine);
    auto *readyState = new QState(connectedState);
    auto *playingState = new QState(connectedState);
    auto *pausedState = new QState(connectedState);
    connectedState->setInitialState(readyState);

    struct Row
    {
        QState *state;
        bool fileLocked, connect, disconnect, start, pause, stop;
    };
    const Row rows[] = {{disconnectedState, false, true, false, false, false, false},
                        {openingState, true, false, false, false, false, false},
                        {readyState, true, false, true, true, false, false},
                        {playingState, true, false, true, false, true, true},
                        {pausedState, true, false, true, true, false, true}};
    const char *enabled = "enabled";
    for (const Row &row : rows) {
        row.state->assignProperty(m_fileNameProperty, "readOnly", row.fileLocked);
        row.state->assignProperty(m_fileNameProperty, "settable", !row.fileLocked);
        row.state->assignProperty(m_connectAction, enabled, row.connect);
        row.state->assignProperty(m_disconnectAction, enabled, row.disconnect);
        row.state->assignProperty(m_startAction, enabled, row.start);
        row.state->assignProperty(m_pauseAction, enabled, row.pause);
        row.state->assignProperty(m_stopAction, enabled, row.stop);
        const bool player = row.disconnect;
        connect(row.state, &QState::entered, this,
                [this, row, player] { emitPlayerState(player, row.start, row.pause, row.stop); });
    }

    // The engine's signals become events of the machine in the order they arrive here. A signal
    // transition would listen only once its state is active, and the engine's thread can report the end
    // of a short log before the machine has entered "playing".
    const auto on = [this](QState *from, EngineEvent::Kind kind, QState *to) {
        auto *transition = new EngineTransition(kind);
        transition->setTargetState(to);
        from->addTransition(transition);
    };
    on(disconnectedState, EngineEvent::Opened, openingState);
    on(openingState, EngineEvent::Initialized, connectedState);
    on(openingState, EngineEvent::InitializationFailed, disconnectedState);
    on(openingState, EngineEvent::Closed, disconnectedState);
    on(connectedState, EngineEvent::Closed, disconnectedState);
    on(readyState, EngineEvent::PlayStarted, playingState);
    on(playingState, EngineEvent::Paused, pausedState);
    on(playingState, EngineEvent::Stopped, readyState);
    on(pausedState, EngineEvent::Stopped, readyState);
    on(pausedState, EngineEvent::PlayStarted, playingState);
    using D = FileCommunicationDevice;
    const QList<QPair<void (D::*)(), EngineEvent::Kind>> relays{
        {&D::deviceClosed, EngineEvent::Closed},
        {&D::initializationError, EngineEvent::InitializationFailed},
        {&D::playStarted, EngineEvent::PlayStarted},
        {&D::paused, EngineEvent::Paused},
        {&D::stopped, EngineEvent::Stopped}};
    for (const auto &relay : relays) {
        const EngineEvent::Kind kind = relay.second;
        connect(m_device, relay.first, this,
                [this, kind] { m_stateMachine->postEvent(new EngineEvent(kind)); });
    }
    connect(m_device, &D::deviceOpened, this,
            [this] { m_stateMachine->postEvent(new EngineEvent(EngineEvent::Opened)); });
    connect(m_device, &D::deviceInitialized, this,
            [this] { m_stateMachine->postEvent(new EngineEvent(EngineEvent::Initialized)); });

    // The machine enters its first state from the event loop; until then the same values hold.
    m_connectAction->setEnabled(true);
    for (QAction *action : {m_disconnectAction, m_startAction, m_pauseAction, m_stopAction})
        action->setEnabled(false);

    m_stateMachine->setInitialState(disconnectedState);
    m_stateMachine->start();
}

LayerItem *FileScanManager::sensorViewItem(int index) const
{
    const PointCloudProperty *property = pointCloudProperty(index);
    return property ? property->legend() : nullptr;
}

void FileScanManager::applyToSensorViewItems(const QVariant &value)
{
    m_legendTitle = value;
    for (const Channel *channel : qAsConst(m_channels))
        if (ColorLegendLayer *legend = channel->cloudProperty->legend())
            legend->setTitle(value.toString());
}

QIcon FileScanManager::icon() const
{
    return QIcon(QStringLiteral(":/FileCommunication/icon"));
}

QString FileScanManager::typeName() const
{
    return tr("Log Player");
}

QString FileScanManager::deviceName() const
{
    return m_rootProperty->name();
}

QString FileScanManager::propertyKey() const
{
    return m_rootProperty->key();
}

QVector3D FileScanManager::cloudRotation() const
{
    return m_channels.isEmpty() ? QVector3D() : m_channels.first()->cloud->rotation();
}

QVector3D FileScanManager::cloudPosition() const
{
    return m_channels.isEmpty() ? QVector3D() : m_channels.first()->cloud->pos();
}

PointCloud *FileScanManager::pointCloud(int index) const
{
    return index >= 0 && index < m_channels.size() ? m_channels.at(index)->cloud : nullptr;
}

PointCloudProperty *FileScanManager::pointCloudProperty(int index) const
{
    return index >= 0 && index < m_channels.size() ? m_channels.at(index)->cloudProperty : nullptr;
}

PropertyItem *FileScanManager::auxiliaryProperty(int index) const
{
    return index >= 0 && index < m_channels.size() ? m_channels.at(index)->auxiliary : nullptr;
}

OrientationFusion *FileScanManager::fusion(int index) const
{
    return index >= 0 && index < m_channels.size() ? m_channels.at(index)->fusion : nullptr;
}

FusionProperty *FileScanManager::fusionProperty(int index) const
{
    return index >= 0 && index < m_channels.size() ? m_channels.at(index)->fusionProperty : nullptr;
}

quint64 FileScanManager::linesDrawn() const
{
    quint64 lines = 0;
    for (const Channel *channel : m_channels)
        lines += channel->handOff->linesDrawn();
    return lines;
}

void FileScanManager::retranslate()
{
    m_deviceGroup->setName(tr("Device"));
    m_fileNameProperty->setName(tr("File Name"));
    m_fileNameProperty->setFileFilter(tr("Taviro3D File"));
    m_recordCountProperty->setName(tr("Record Count"));
    m_currentRecordProperty->setName(tr("Current Record"));
    const QList<QPair<QAction *, QString>> actions{
        {m_connectAction, tr("Connect")}, {m_disconnectAction, tr("Disconnect")},
        {m_startAction, tr("Start")},     {m_pauseAction, tr("Pause")},
        {m_stopAction, tr("Stop")},       {m_detailAction, tr("Detail")}};
    for (const auto &action : actions) {
        action.first->setText(action.second);
        action.first->setToolTip(action.second);
    }
    for (PropertyItem *item : {m_rootProperty, m_deviceGroup, static_cast<PropertyItem *>(m_fileNameProperty),
                               static_cast<PropertyItem *>(m_recordCountProperty),
                               static_cast<PropertyItem *>(m_currentRecordProperty)})
        item->retranslate();
    for (int i = 0; i < m_channels.size(); ++i) {
        Channel *channel = m_channels.at(i);
        channel->auxiliary->setName(tr("Auxiliary %1").arg(i));
        channel->gyroscope->setName(tr("Gyroscope"));
        channel->accelerometer->setName(tr("Accelerometer"));
        channel->temperature->setName(tr("Temperature"));
        for (PropertyItem *item : {channel->auxiliary, static_cast<PropertyItem *>(channel->gyroscope),
                                   static_cast<PropertyItem *>(channel->accelerometer),
                                   static_cast<PropertyItem *>(channel->temperature)})
            item->retranslate();
        channel->fusionProperty->retranslate();
        channel->cloudProperty->retranslate();
    }
}

void FileScanManager::stop()
{
    m_device->stop();
}

void FileScanManager::connectRequested()
{
    // The state machine starts from the event loop; a file opened before would leave it behind.
    if (!m_stateMachine->isRunning()) {
        QMetaObject::invokeMethod(this, &FileScanManager::connectRequested, Qt::QueuedConnection);
        return;
    }
    const QString fileName = m_fileNameProperty->filename();
    if (!m_device->open(fileName))
        emit errorBroadCast(tr("Failed to connect to %1").arg(fileName));
}

void FileScanManager::disconnectRequested()
{
    m_device->close();
}

void FileScanManager::startPlaying()
{
    m_device->play();
}

void FileScanManager::pausePlaying()
{
    m_device->pause();
}

void FileScanManager::stopPlaying()
{
    m_device->stop();
}

void FileScanManager::setPosition(int pos)
{
    m_device->setPosition(pos);
}

void FileScanManager::setDeviceName(QString value)
{
    if (m_rootProperty->name() == value)
        return;
    m_rootProperty->setName(value);
    emit deviceNameChanged(value);
}

void FileScanManager::deviceConnected()
{
    m_open = true;
    emit informationBroadCast(tr("Connected to %1").arg(m_device->fileName()));
    emit connected();
    m_device->initialize();
}

void FileScanManager::deviceDisconnected()
{
    // The engine also reports a file that never opened as closed.
    if (!m_open)
        return;
    m_open = false;
    emit informationBroadCast(tr("Diconnected from %1").arg(m_device->fileName()));
    emit fileDisconnected();
    removeChannels();
    m_recordCountProperty->setIntValue(0);
    m_currentRecordProperty->setIntValue(0);
    emit disconnected();
}

void FileScanManager::deviceInitialized(VEXA3D_SENSOR_INFO_T info)
{
    m_info = info;
    emit informationBroadCast(tr("%1 is ready").arg(m_device->fileName()));
    const int records = m_device->recordCount();
    emit fileRecordCountReady(records);
    emit logtimeSettingsReady(m_device->firstRecordInfo().dateTime, m_device->lastRecordInfo().dateTime);
    m_recordCountProperty->setIntValue(records);
    m_currentRecordProperty->setIntValue(0);
    createChannels(m_device->connectionCount());
    emit fileConnected();
    emit fileInitialized(info);
    emit initialized(info);
}

void FileScanManager::deviceInitializationFailed()
{
    emit errorBroadCast(tr("Failed to initialize %1").arg(m_device->fileName()));
    emit initializationFailed();
    m_device->close();
}

void FileScanManager::createChannels(int count)
{
    removeChannels();
    for (int i = 0; i < count; ++i) {
        auto *channel = new Channel;
        channel->cloud = new PointCloud(m_viewObject);
        channel->emphasisCloud = new PointCloud(m_viewObject);
        m_viewObject->addChild(channel->cloud);
        m_viewObject->addChild(channel->emphasisCloud);
        channel->emphasisCloud->setPointSize(6);
        channel->emphasisCloud->setZOrder(channel->cloud->ZOrder() + 1);
        channel->emphasisCloud->setCoordinateVisible(false);
        channel->handOff = new CloudHandOff(channel->cloud, channel->emphasisCloud, this);
        PointCloud *cloud = channel->cloud;
        PointCloud *emphasis = channel->emphasisCloud;
        connect(cloud, &RenderableItem::changeTranslationMatrix, emphasis,
                [cloud, emphasis] { emphasis->setPos(cloud->pos()); });
        connect(cloud, &RenderableItem::changeRotationMatrix, emphasis,
                [cloud, emphasis] { emphasis->setRotation(cloud->rotation()); });

        channel->cloudProperty = new PointCloudProperty(i, this);
        channel->cloudProperty->setNumbered(true);
        channel->cloudProperty->setPointCloud(channel->cloud);
        connect(channel->cloudProperty, &PointCloudProperty::changeEmphasisedType, this,
                [this](uchar type) { setEmphasisType(int(type)); });
        if (ColorLegendLayer *legend = channel->cloudProperty->legend())
            legend->setTitle(m_legendTitle.isValid() ? m_legendTitle.toString() : m_rootProperty->name());

        channel->auxiliary = new PropertyItem(this);
        channel->auxiliary->setKey(QStringLiteral("auxiliary_%1").arg(i));
        channel->gyroscope = new StringProperty(this);
        channel->gyroscope->setKey(QStringLiteral("gyroscope"));
        channel->accelerometer = new StringProperty(this);
        channel->accelerometer->setKey(QStringLiteral("accelerometer"));
        channel->temperature = new StringProperty(this);
        channel->temperature->setKey(QStringLiteral("temperature"));
        for (StringProperty *readout : {channel->gyroscope, channel->accelerometer, channel->temperature}) {
            readout->setReadOnly(true);
            readout->setSettable(false);
            channel->auxiliary->addChild(readout);
        }
        channel->fusion = new OrientationFusion(this);
        channel->fusionProperty = new FusionProperty(channel->fusion, this);
        channel->auxiliary->addChild(channel->fusionProperty);
        connect(channel->fusion, &OrientationFusion::enabledChanged, channel->cloudProperty,
                &PointCloudProperty::setRotationReadOnly);
        connect(channel->fusion, &OrientationFusion::anglesChanged, channel->cloudProperty,
                &PointCloudProperty::applyRotation);

        m_rootProperty->addChild(channel->cloudProperty);
        m_rootProperty->addChild(channel->auxiliary);
        m_channels.append(channel);
    }
    retranslate();
}

void FileScanManager::removeChannels()
{
    for (Channel *channel : qAsConst(m_channels)) {
        m_rootProperty->removeChild(channel->cloudProperty);
        m_rootProperty->removeChild(channel->auxiliary);
        // The hand-off refers to the clouds: it goes first, with the lines still on their way.
        delete channel->handOff;
        if (m_viewObject) {
            m_viewObject->removeChild(channel->cloud);
            m_viewObject->removeChild(channel->emphasisCloud);
        }
        delete channel->fusionProperty;
        delete channel->fusion;
        delete channel->auxiliary;
        delete channel->cloudProperty;
        delete channel->cloud;
        delete channel->emphasisCloud;
        delete channel;
    }
    m_channels.clear();
}

void FileScanManager::applySensorData(int index, QSharedPointer<SensorData> data, QVector3D position,
                                      QVector3D rotation)
{
    Q_UNUSED(position);
    Q_UNUSED(rotation);
    const QSharedPointer<SensorData> record = m_factory ? m_factory->createRecord(data) : data;
    if (!record)
        return;
    if (auto line = record.dynamicCast<DRALMeasurementData>()) {
        // The filters change the record in place, so they run before any receiver can see it.
        if (line->data() && index >= 0 && index < m_channels.size())
            line->applyFilters(m_channels.at(index)->cloudProperty->enabledFilters());
        emit measurementDataReady(line);
        applyLine(index, line, true, false);
    } else if (auto auxiliary = record.dynamicCast<DRALAuxiliaryData>()) {
        applyAuxiliary(index, auxiliary);
    }
}

void FileScanManager::applyLine(int index, const QSharedPointer<DRALMeasurementData> &data, bool handOn,
                                bool forceNewFrame)
{
    if (!data || !data->data() || index < 0 || index >= m_channels.size())
        return;
    Channel *channel = m_channels.at(index);
    const VEXA3D_MEASUREMENT_DATA_T &line = *data->data();

    const bool newFrame = forceNewFrame || int(line.frameNumber) != channel->lastFrame;
    if (forceNewFrame)
        channel->handOff->clearAll();
    // The hand-off tags the cloud, and so starts its new frame, when the line gets there: lines of the
    // last frame still on their way land before it.
    CloudHandOff::Line call = channel->handOff->stamped(line.frameNumber, newFrame);
    if (newFrame) {
        channel->lastFrame = line.frameNumber;
        // A pick covers one whole frame: settle the last one, then start the one requested meanwhile.
        if (channel->pickPending && channel->bestPick.found()) {
            channel->pickPending = false;
            const SpotPick &pick = channel->bestPick;
            emit setRaySpot(pick.motorField, pick.remField, pick.line, pick.spot);
        }
        QMutexLocker lock(&m_spotMutex);
        if (m_rayRequested) {
            m_rayRequested = false;
            Ray ray = m_ray;
            bool invertible = false;
            const QMatrix4x4 toCloud = channel->cloud->modelMatrix().inverted(&invertible);
            if (invertible) {
                ray.origin = toCloud.map(ray.origin);
                ray.direction = toCloud.mapVector(ray.direction);
            }
            ray.direction.normalize();
            channel->ray = ray;
            channel->pickPending = true;
            channel->bestPick = SpotPick();
            channel->bestPick.distance = m_pickTolerance;
        }
    }

    if (handOn)
        emit dralMeasurementDataReady(index, data);

    // A private copy carries the emphasis: the emitted record must not change any more.
    DRALMeasurementData marked(*data);
    int emphasisType = -1;
    {
        QMutexLocker lock(&m_spotMutex);
        emphasisType = m_emphasisType;
        marked.setEmphasisType(emphasisType);
        if (emphasisType >= 0 && (emphasisType & 1))
            marked.setEmphasisedSpot(m_emphasisMotorField, m_emphasisRemField, m_emphasisLine,
                                     m_emphasisSpot);
    }

    if (channel->pickPending) {
        const SpotPick pick = nearestSpot(line, channel->ray, channel->bestPick.distance);
        if (pick.found())
            channel->bestPick = pick;
    }

    call.colors = marked.colors(channel->cloudProperty->colorModel());
    call.points = marked.points();
    if (emphasisType >= 0 && (emphasisType & 1)) {
        const QVector3D spotColor = channel->cloudProperty->emphasisColor(1, 1);
        const QVector3D lineColor = channel->cloudProperty->emphasisColor(1, 0);
        for (int i = 0; i < call.colors.size(); ++i) {
            QVector3D &c = call.colors[i];
            if (c == SpotMarker)
                c = spotColor;
            else if (c == LineMarker)
                c = lineColor;
            else
                continue;
            call.emphasisPoints.append(call.points.at(i));
            call.emphasisColors.append(c);
        }
    }
    channel->handOff->post(std::move(call));
}

void FileScanManager::applyAuxiliary(int index, const QSharedPointer<DRALAuxiliaryData> &data)
{
    if (index >= 0 && index < m_channels.size()) {
        Channel *channel = m_channels.at(index);
        const QVector<QVector4D> gyroscopes = data->gyroscopes();
        if (!gyroscopes.isEmpty())
            channel->gyroscope->setString(vectorText(gyroscopes.last()));
        const QVector<QVector4D> accelerations = data->accelerations();
        if (!accelerations.isEmpty())
            channel->accelerometer->setString(vectorText(accelerations.last()));
        const QVector<QVector4D> temperatures = data->temperatures();
        if (!temperatures.isEmpty())
            channel->temperature->setString(QString::number(temperatures.last().x(), 'f', 2));
        channel->fusion->addAuxiliaryData(data);
    }
    emit auxiliaryDataReady(data);
}

void FileScanManager::redrawMeasurementData(QSharedPointer<DRALMeasurementData> data, bool isFirst)
{
    if (!data || !data->data())
        return;
    // The line belongs to the connection whose cloud shows its frame.
    int index = 0;
    for (int i = 0; i < m_channels.size(); ++i)
        if (m_channels.at(i)->lastFrame == int(data->data()->frameNumber))
            index = i;
    applyLine(index, data, false, isFirst);
}

void FileScanManager::setEmphasisedSpot(int vField, int hField, int line, int spot)
{
    QMutexLocker lock(&m_spotMutex);
    m_emphasisMotorField = vField;
    m_emphasisRemField = hField;
    m_emphasisLine = line;
    m_emphasisSpot = spot;
}

void FileScanManager::setEmphasisType(int type)
{
    for (Channel *channel : qAsConst(m_channels))
        channel->handOff->clearEmphasis();
    QMutexLocker lock(&m_spotMutex);
    m_emphasisType = type;
}

void FileScanManager::setMouseRay(Ray ray)
{
    {
        QMutexLocker lock(&m_spotMutex);
        m_ray = ray;
        m_rayRequested = true;
    }
    if (!m_open || m_device->isRunning())
        return;
    // No frame follows while the log stands still: the receivers draw the shown frame again at once,
    // and the pick covers just that frame.
    emit mouseClickedInPaused();
    for (Channel *channel : qAsConst(m_channels)) {
        if (channel->pickPending && channel->bestPick.found()) {
            const SpotPick &pick = channel->bestPick;
            emit setRaySpot(pick.motorField, pick.remField, pick.line, pick.spot);
        }
        channel->pickPending = false;
    }
}
