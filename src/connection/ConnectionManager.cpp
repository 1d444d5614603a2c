#include "ConnectionManager.h"

#include "ConnectionToolBar.h"
#include "DRALScanManager.h"
#include "LayerItem.h"
#include "PropertyItem.h"
#include "RenderableItem.h"
#include "ScanManager.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

ConnectionManager::ConnectionManager(QObject *parent) : DataRecorderSource(parent)
{
    Taviro::registerRecordMetaTypes();
    m_root = new PropertyItem(this);
    m_root->setName(tr("Connections"));
    m_root->setKey(QStringLiteral("connections"));
    m_root->setIcon(QIcon(QStringLiteral(":/icons/connections")));
    m_root->setSettable(false);
    m_groupItem = new RenderableItem(this);
    m_overlayLayer = new LayerItem(this);
    m_removeAction = new QAction(QIcon(QStringLiteral(":/icons/remove-connection")), QString(), this);
    m_connectAllAction = new QAction(QIcon(QStringLiteral(":/icons/connect")), QString(), this);
    m_disconnectAllAction = new QAction(QIcon(QStringLiteral(":/icons/disconnect")), QString(), this);
    // A menu has no QObject parent of its own kind here; the manager deletes it.
    m_addMenu = new QMenu;
    m_addMenu->setIcon(QIcon(QStringLiteral(":/icons/add-connection")));

    registerKind(LiveSensorConnection);
    registerKind(LogPlayerConnection);
    connect(m_removeAction, &QAction::triggered, this, &ConnectionManager::removeScanManager);

    addConnection(LiveSensorConnection);
    addConnection(LogPlayerConnection);
    retranslate();
}

ConnectionManager::~ConnectionManager()
{
    delete m_addMenu;
}

void ConnectionManager::registerKind(int kind)
{
    ScanManager *probe = m_factory.createManager(kind, nullptr);
    if (!probe)
        return;
    auto *action = new QAction(probe->icon(), probe->typeName(), this);
    action->setData(kind);
    connect(action, &QAction::triggered, this, [this, kind] { addConnection(kind); });
    m_addMenu->addAction(action);
    // Deleted at once rather than later: a deferred delete leaks when no event loop runs afterwards.
    delete probe;
}

void ConnectionManager::addConnection(int kind)
{
    const int index = m_managers.size();
    ScanManager *manager = m_factory.createManager(kind, this);
    if (manager) {
        m_managers.append(manager);
        const int number = m_managers.size();
        if (PropertyItem *root = manager->rootProperty()) {
            root->setId(number);
            root->setName(tr("Connection %1").arg(number));
            root->setKey(QStringLiteral("connection_%1").arg(number));
            root->setIcon(QIcon(QStringLiteral(":/icons/connection")));
            m_root->addChild(root);
        }
        if (RenderableItem *view = manager->viewObject())
            m_groupItem->addChild(view);
        if (LayerItem *layer = manager->sensorViewItem(0))
            m_overlayLayer->addLayer(layer);
        m_removeAction->setEnabled(m_managers.size() > 1);
        emit connectionNamesChanged(connectionNames());
        wireManager(manager, index);
    }
    if (m_managers.size() > 1)
        m_addMenu->setEnabled(false);
}

void ConnectionManager::wireManager(ScanManager *m, int index)
{
    const uint idx = uint(index);
    connect(m, &ScanManager::fileConnected, this, [this, m] {
        for (int i = 0; i < m->sensorCount(); ++i)
            if (LayerItem *layer = m->sensorViewItem(i))
                m_overlayLayer->addLayer(layer);
        if (PropertyItem *root = m->rootProperty())
            m->applyToSensorViewItems(root->name());
    });
    connect(m, &ScanManager::fileDisconnected, this, [this, m] {
        for (int i = 0; i < m->sensorCount(); ++i)
            if (LayerItem *layer = m->sensorViewItem(i))
                m_overlayLayer->removeLayer(layer);
    });
    connect(m, &ScanManager::initialized, this,
            [this, idx](VEXA3D_SENSOR_INFO_T info) { emit connectionInitialized(idx, info); });
    // Data signals run on the emitter's thread (the streaming thread for a live sensor).
    connect(
        m, &ScanManager::measurementDataReady, this,
        [this, idx, m](QSharedPointer<MeasurementData> data) {
            emit sourceDataReady(idx, data, m->cloudPosition(), m->cloudRotation());
            emit measurementDataReady(idx, data);
        },
        Qt::DirectConnection);
    connect(
        m, &ScanManager::dralMeasurementDataReady, this,
        [this, idx](int dataIndex, QSharedPointer<DRALMeasurementData> data) {
            emit dralMeasurementDataReady(idx, dataIndex, data);
        },
        Qt::DirectConnection);
    connect(
        m, &ScanManager::auxiliaryDataReady, this,
        [this, idx, m](QSharedPointer<AuxiliaryData> data) {
            emit sourceDataReady(idx, data, m->cloudPosition(), m->cloudRotation());
            emit auxiliaryDataReady(idx, data);
        },
        Qt::DirectConnection);
    const int number = index + 1;
    connect(m, &ScanManager::informationBroadCast, this, [this, number](const QString &message) {
        emit informationBroadCast(tr("Connection %1: %2").arg(number).arg(message));
    });
    connect(m, &ScanManager::warningBroadCast, this, [this, number](const QString &message) {
        emit warningBroadCast(tr("Connection %1: %2").arg(number).arg(message));
    });
    connect(m, &ScanManager::errorBroadCast, this, [this, number](const QString &message) {
        emit errorBroadCast(tr("Connection %1: %2").arg(number).arg(message));
    });

    connect(m_connectAllAction, &QAction::triggered, m, &ScanManager::connectRequested);
    connect(m_disconnectAllAction, &QAction::triggered, m, &ScanManager::disconnectRequested);

    connect(m, &ScanManager::filePlayerTriggered, this, &ConnectionManager::filePlayerTriggered);
    connect(m, &ScanManager::startEnabledChanged, this, &ConnectionManager::startEnabledChanged);
    connect(m, &ScanManager::pauseEnabledChanged, this, &ConnectionManager::pauseEnabledChanged);
    connect(m, &ScanManager::stopEnabledChanged, this, &ConnectionManager::stopEnabledChanged);
    connect(m, &ScanManager::playerEnabledChanged, this, &ConnectionManager::playerEnabledChanged);
    connect(m, &ScanManager::fileRecordCountReady, this, &ConnectionManager::recordCountReady);
    connect(m, &ScanManager::readingUpdate, this, &ConnectionManager::readingUpdate);
    connect(m, &ScanManager::logtimeSettingsReady, this, &ConnectionManager::logtimeSettingsReady);
    connect(m, &ScanManager::fileStarted, this, &ConnectionManager::fileStarted);
    connect(m, &ScanManager::filePaused, this, &ConnectionManager::filePaused);
    connect(m, &ScanManager::fileStopped, this, &ConnectionManager::fileStopped);
    connect(m, &ScanManager::mouseClickedInPaused, this, &ConnectionManager::mouseClickedInPaused);
    connect(m, &ScanManager::setRaySpot, this, &ConnectionManager::setRaySpot);

    connect(this, &ConnectionManager::startClicked, m, &ScanManager::startPlaying);
    connect(this, &ConnectionManager::pauseClicked, m, &ScanManager::pausePlaying);
    connect(this, &ConnectionManager::stopClicked, m, &ScanManager::stopPlaying);
    connect(this, &ConnectionManager::logPlayerPosChanged, m, &ScanManager::setPosition);
    connect(this, &ConnectionManager::logLoopChanged, m, &ScanManager::logLoopChanged);
    connect(this, &ConnectionManager::playSpeedChanged, m, &ScanManager::playSpeedChanged);
    connect(this, &ConnectionManager::setEmphasisedSpot, m, &ScanManager::setEmphasisedSpot);
    connect(this, &ConnectionManager::setMouseRay, m, &ScanManager::setMouseRay);
}

void ConnectionManager::removeScanManager()
{
    if (m_managers.size() < 2)
        return;
    ScanManager *m = m_managers.takeLast();
    disconnect(m, nullptr, this, nullptr);
    disconnect(this, nullptr, m, nullptr);
    disconnect(m_connectAllAction, nullptr, m, nullptr);
    disconnect(m_disconnectAllAction, nullptr, m, nullptr);
    for (int i = 0; i < m->sensorCount(); ++i)
        if (LayerItem *layer = m->sensorViewItem(i))
            m_overlayLayer->removeLayer(layer);
    if (RenderableItem *view = m->viewObject()) {
        m_groupItem->removeChild(view);
        view->setParent(m); // removal orphans it; the manager owns its view objects
    }
    if (PropertyItem *root = m->rootProperty())
        m_root->removeChild(root);
    m->stop();
    delete m;
    m_addMenu->setEnabled(true);
    m_removeAction->setEnabled(m_managers.size() > 1);
    emit connectionNamesChanged(connectionNames());
}

int ConnectionManager::connectionCount() const
{
    return m_managers.size();
}

bool ConnectionManager::isRecordingAllowed() const
{
    for (const ScanManager *m : m_managers)
        if (m->sensorCount() > 1)
            return false;
    return true;
}

ScanManager *ConnectionManager::scanManager(int index) const
{
    return index >= 0 && index < m_managers.size() ? m_managers.at(index) : nullptr;
}

int ConnectionManager::connectionId(int index) const
{
    const ScanManager *m = scanManager(index);
    const PropertyItem *root = m ? m->rootProperty() : nullptr;
    if (!root || root->id() < 0)
        return -1;
    return root->id();
}

QStringList ConnectionManager::connectionNames() const
{
    QStringList names;
    for (const ScanManager *m : m_managers)
        names << m->propertyKey();
    return names;
}

void ConnectionManager::stopAll()
{
    for (ScanManager *m : qAsConst(m_managers))
        m->stop();
}

void ConnectionManager::equipToolBar(int index, QToolBar *toolBar, QLineEdit *addressField)
{
    if (auto *live = qobject_cast<DRALScanManager *>(scanManager(index)); live && toolBar && addressField)
        new ConnectionToolBar(live, toolBar, addressField);
}

void ConnectionManager::retranslate()
{
    m_root->setName(tr("Connections"));
    m_root->setKey(QStringLiteral("connections"));
    m_root->retranslate();
    m_addMenu->setTitle(tr("Add Connection"));
    m_addMenu->setToolTip(tr("Add Connection"));
    m_removeAction->setText(tr("Remove Connection"));
    m_removeAction->setToolTip(tr("Remove Connection"));
    m_connectAllAction->setText(tr("Connect All"));
    m_connectAllAction->setToolTip(tr("Connect All"));
    m_disconnectAllAction->setText(tr("Disconnect All"));
    m_disconnectAllAction->setToolTip(tr("Disconnect All"));
    for (ScanManager *m : qAsConst(m_managers)) {
        m->retranslate();
        PropertyItem *root = m->rootProperty();
        if (root && root->id() >= 0) {
            root->setName(tr("Connection %1").arg(root->id()));
            root->setKey(QStringLiteral("connection_%1").arg(root->id()));
            root->setSettable(false);
            root->retranslate();
            m->applyToSensorViewItems(root->name());
        }
    }
}
