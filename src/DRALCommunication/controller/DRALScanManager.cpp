#include "DRALScanManager.h"

#include "AbstractColorModel.h"
#include "AuxiliaryReadout.h"
#include "CloudHandOff.h"
#include "ColorLegendLayer.h"
#include "ColorModel.h"
#include "ComboBoxProperty.h"
#include "ConnectionStateMachine.h"
#include "DRALCommunicationDevice.h"
#include "DeviceInformation.h"
#include "EthernetConnectionCheck.h"
#include "FusionProperty.h"
#include "IntegerProperty.h"
#include "OrientationFusion.h"
#include "PointCloud.h"
#include "PointCloudProperty.h"
#include "PropertyItem.h"
#include "SensorAddress.h"
#include "StringProperty.h"

#include <QAction>
#include <QMessageBox>
#include <QTimer>

#include <cmath>
#include <cstring>

namespace {

// The record marks the emphasised spot and the rest of its line with these colours.
const QVector3D SpotMarker(-2.0f, -2.0f, -2.0f);
const QVector3D LineMarker(-1.0f, -1.0f, -1.0f);

// Status-bar messages fade after ten seconds; a connection check may retry for twenty.
constexpr int ConnectingReminderMs = 5000;

} // namespace

DRALScanManager::DRALScanManager(QObject *parent) : ScanManager(parent)
{
    Taviro::registerRecordMetaTypes();
    qRegisterMetaType<Ray>("Ray");

    m_device = new DRALCommunicationDevice(this);
    m_connectionCheck = new EthernetConnectionCheck(m_device, this);

    m_viewObject = new RenderableItem(this);
    m_pointCloud = new PointCloud(m_viewObject);
    m_emphasisCloud = new PointCloud(m_viewObject);
    m_viewObject->addChild(m_pointCloud);
    m_viewObject->addChild(m_emphasisCloud);
    // The overlay marks the data table's line over the cloud: larger points, drawn after the cloud,
    // always in the cloud's pose.
    m_emphasisCloud->setPointSize(6);
    m_emphasisCloud->setZOrder(m_pointCloud->ZOrder() + 1);
    m_emphasisCloud->setCoordinateVisible(false);
    m_handOff = new CloudHandOff(m_pointCloud, m_emphasisCloud, this);
    connect(m_pointCloud, &RenderableItem::changeTranslationMatrix, this, [this] {
        m_emphasisCloud->setPos(m_pointCloud->pos());
        publishPose();
    });
    connect(m_pointCloud, &RenderableItem::changeRotationMatrix, this, [this] {
        m_emphasisCloud->setRotation(m_pointCloud->rotation());
        publishPose();
    });
    publishPose();

    m_connectingReminder = new QTimer(this);
    m_connectingReminder->setInterval(ConnectingReminderMs);
    connect(m_connectingReminder, &QTimer::timeout, this, &DRALScanManager::remindConnecting);

    createProperties();
    createActions();
    m_stateMachine = new ConnectionStateMachine(this);

    using D = DRALCommunicationDevice;
    connect(m_device, &D::deviceOpened, this, &DRALScanManager::deviceConnected);
    connect(m_device, &D::deviceClosed, this, &DRALScanManager::deviceDisconnected);
    connect(m_device, &D::deviceInitialized, this, &DRALScanManager::deviceInitialized);
    connect(m_device, &D::initializationError, this, &DRALScanManager::deviceInitializationFailed);
    connect(m_device, &D::measurementDataReady, this, &DRALScanManager::applyMeasurementData,
            Qt::DirectConnection);
    connect(m_device, &D::auxiliaryDataReady, this, &DRALScanManager::applyAuxiliaryData);
    connect(m_device, &D::errorDetected, this, &ScanManager::errorDetected);
    connect(m_device, &D::measurementStarted, this,
            [this](MeasurmentModes mode) { emit measurementStarted(int(mode)); });
    connect(m_device, &D::measurementStopped, this, &ScanManager::measurementStopped);
    connect(m_device, &D::connectionLost, this, &DRALScanManager::deviceConnectionLost);
    connect(m_connectionCheck, &EthernetConnectionCheck::connectionFailed, this,
            &DRALScanManager::deviceConnectFailed);

    connect(m_horizontalProperty, &IntegerProperty::valueChanged, this,
            [this](const QVariant &value) { setHorizontalInterlace(value.toInt()); });
    connect(m_verticalProperty, &IntegerProperty::valueChanged, this,
            [this](const QVariant &value) { setVerticalInterlace(value.toInt()); });
    connect(m_measurementTypeProperty, &PropertyItem::valueChanged, this, &DRALScanManager::updateModes);
    connect(m_auxiliaryTypeProperty, &PropertyItem::valueChanged, this, &DRALScanManager::updateModes);
    connect(m_nameProperty, &PropertyItem::valueChanged, this,
            [this](const QVariant &value) { emit deviceNameChanged(value.toString()); });
    connect(m_pointCloudProperty, &PointCloudProperty::changeEmphasisedType, this,
            [this](uchar type) { setEmphasisType(int(type)); });

    retranslate();
}

DRALScanManager::~DRALScanManager()
{
    // No thread may call into this object while its members go away; none waits for the sensor.
    m_device->abortWaits();
    m_connectionCheck->stop();
    m_device->abortMeasurement();
}

void DRALScanManager::createProperties()
{
    m_rootProperty = new PropertyItem(this);
    m_rootProperty->setKey(QStringLiteral("connection"));

    m_deviceGroup = new PropertyItem(this);
    m_deviceGroup->setKey(QStringLiteral("device"));
    m_nameProperty = new StringProperty(this);
    m_nameProperty->setKey(QStringLiteral("name"));
    m_nameProperty->setString(QStringLiteral("192.168.0.10"));
    m_nameProperty->setDefaultValue(QStringLiteral("192.168.0.10"));
    m_portProperty = new IntegerProperty(this);
    m_portProperty->setKey(QStringLiteral("port"));
    m_portProperty->setMinValue(1024);
    m_portProperty->setMaxValue(49151);
    m_portProperty->setIntValue(10940);
    m_portProperty->setDefaultValue(10940);
    m_deviceGroup->addChild(m_nameProperty);
    m_deviceGroup->addChild(m_portProperty);

    m_interlaceGroup = new PropertyItem(this);
    m_interlaceGroup->setKey(QStringLiteral("interlace"));
    m_horizontalProperty = new IntegerProperty(this);
    m_horizontalProperty->setMinValue(1);
    m_horizontalProperty->setMaxValue(10);
    m_horizontalProperty->setIntValue(1);
    m_horizontalProperty->setDefaultValue(1);
    m_verticalProperty = new IntegerProperty(this);
    m_verticalProperty->setMinValue(1);
    m_verticalProperty->setMaxValue(10);
    m_verticalProperty->setIntValue(1);
    m_verticalProperty->setDefaultValue(1);
    m_verticalProperty->setDescription(QStringLiteral("QTR-S: [1,1]\nQTR-L: [1,10]"));
    m_interlaceGroup->addChild(m_horizontalProperty);
    m_interlaceGroup->addChild(m_verticalProperty);
    applyInterlaceNames();

    m_measurementTypeProperty = new ComboBoxProperty(this);
    m_measurementTypeProperty->setKey(QStringLiteral("measurment_type"));
    m_measurementTypeProperty->addOption(QStringLiteral("No Data"), StopMeasurementMode);
    m_measurementTypeProperty->addOption(QStringLiteral("Range Only"), DistanceOnlyMode);
    m_measurementTypeProperty->addOption(QStringLiteral("Range & Level"), DistanceIntensityMode);
    m_measurementTypeProperty->setOptionValue(m_measurementMode);
    m_measurementTypeProperty->setDefaultOptionValue(m_measurementMode);

    m_auxiliaryTypeProperty = new ComboBoxProperty(this);
    m_auxiliaryTypeProperty->setKey(QStringLiteral("auxiliary_type"));
    m_auxiliaryTypeProperty->addOption(QStringLiteral("No Data"), StopMeasurementMode);
    m_auxiliaryTypeProperty->addOption(QStringLiteral("Auxiliary"), AuxiliaryMode);
    m_auxiliaryTypeProperty->setOptionValue(m_auxiliaryMode);
    m_auxiliaryTypeProperty->setDefaultOptionValue(m_auxiliaryMode);

    m_auxiliaryProperty = new PropertyItem(this);
    m_auxiliaryProperty->setKey(QStringLiteral("auxiliary"));
    m_auxiliaryReadout = new AuxiliaryReadout(m_auxiliaryProperty, this);
    m_auxiliaryProperty->setReadOnly(true);
    m_fusion = new OrientationFusion(this);
    m_fusionProperty = new FusionProperty(m_fusion, this);
    m_auxiliaryProperty->addChild(m_fusionProperty);

    m_pointCloudProperty = new PointCloudProperty(0, this);
    m_pointCloudProperty->setPointCloud(m_pointCloud);
    connect(m_fusion, &OrientationFusion::enabledChanged, m_pointCloudProperty,
            &PointCloudProperty::setRotationReadOnly);
    connect(m_fusion, &OrientationFusion::anglesChanged, m_pointCloudProperty,
            &PointCloudProperty::applyRotation);

    m_rootProperty->addChild(m_deviceGroup);
    m_rootProperty->addChild(m_interlaceGroup);
    m_rootProperty->addChild(m_measurementTypeProperty);
    m_rootProperty->addChild(m_auxiliaryTypeProperty);
    m_rootProperty->addChild(m_auxiliaryProperty);
    m_rootProperty->addChild(m_pointCloudProperty);
}

void DRALScanManager::createActions()
{
    m_connectAction = new QAction(QIcon(QStringLiteral(":/DRALCommunication/connect")), QString(), this);
    m_disconnectAction =
        new QAction(QIcon(QStringLiteral(":/DRALCommunication/disconnect")), QString(), this);
    m_informationAction = new QAction(QIcon(QStringLiteral(":/DRALCommunication/info")), QString(), this);
    m_rebootAction = new QAction(QIcon(QStringLiteral(":/DRALCommunication/reboot")), QString(), this);
    connect(m_connectAction, &QAction::triggered, this, &DRALScanManager::connectRequested);
    connect(m_disconnectAction, &QAction::triggered, this, &DRALScanManager::disconnectRequested);
    connect(m_informationAction, &QAction::triggered, this, &DRALScanManager::showDeviceInformation);
    connect(m_rebootAction, &QAction::triggered, this, &DRALScanManager::rebootDevice);
    // The connection's node offers them too, in its context menu.
    for (QAction *action : {m_connectAction, m_disconnectAction, m_informationAction, m_rebootAction})
        m_rootProperty->addAction(action);
}

PropertyItem *DRALScanManager::rootProperty() const
{
    return m_rootProperty;
}

RenderableItem *DRALScanManager::viewObject() const
{
    return m_viewObject;
}

LayerItem *DRALScanManager::sensorViewItem(int index) const
{
    Q_UNUSED(index); // one sensor
    return m_pointCloudProperty->legend();
}

void DRALScanManager::applyToSensorViewItems(const QVariant &value)
{
    if (ColorLegendLayer *legend = m_pointCloudProperty->legend())
        legend->setTitle(value.toString());
}

QIcon DRALScanManager::icon() const
{
    return QIcon(QStringLiteral(":/DRALCommunication/3d"));
}

QString DRALScanManager::typeName() const
{
    return tr("3D LiDAR");
}

bool DRALScanManager::isConnected() const
{
    return m_device->isConnected();
}

QString DRALScanManager::deviceName() const
{
    return m_nameProperty->value().toString();
}

QString DRALScanManager::propertyKey() const
{
    return m_rootProperty->key();
}

QVector3D DRALScanManager::cloudRotation() const
{
    std::lock_guard<std::mutex> lock(m_poseMutex);
    return m_cloudRotation;
}

QVector3D DRALScanManager::cloudPosition() const
{
    std::lock_guard<std::mutex> lock(m_poseMutex);
    return m_cloudPosition;
}

void DRALScanManager::publishPose()
{
    std::lock_guard<std::mutex> lock(m_poseMutex);
    m_cloudPosition = m_pointCloud->pos();
    m_cloudRotation = m_pointCloud->rotation();
}

void DRALScanManager::retranslate()
{
    m_deviceGroup->setName(tr("Device"));
    m_nameProperty->setName(tr("Name"));
    m_portProperty->setName(tr("Port"));
    m_interlaceGroup->setName(tr("Interlace"));
    applyInterlaceNames();

    m_measurementTypeProperty->setName(tr("Measurment Type"));
    m_measurementTypeProperty->updateOptionLabel(tr("No Data"), StopMeasurementMode);
    m_measurementTypeProperty->updateOptionLabel(tr("Range Only"), DistanceOnlyMode);
    m_measurementTypeProperty->updateOptionLabel(tr("Range & Level"), DistanceIntensityMode);
    m_auxiliaryTypeProperty->setName(tr("Auxiliary Type"));
    m_auxiliaryTypeProperty->updateOptionLabel(tr("No Data"), StopMeasurementMode);
    m_auxiliaryTypeProperty->updateOptionLabel(tr("Auxiliary"), AuxiliaryMode);

    m_auxiliaryProperty->setName(tr("Auxiliary"));
    m_auxiliaryReadout->retranslate();

    m_connectAction->setText(tr("Connect"));
    m_disconnectAction->setText(tr("Disconnect"));
    m_informationAction->setText(tr("Device Information"));
    m_rebootAction->setText(tr("Reboot"));

    for (PropertyItem *item :
         {m_rootProperty, m_deviceGroup, static_cast<PropertyItem *>(m_nameProperty),
          static_cast<PropertyItem *>(m_portProperty), m_interlaceGroup,
          static_cast<PropertyItem *>(m_horizontalProperty), static_cast<PropertyItem *>(m_verticalProperty),
          static_cast<PropertyItem *>(m_measurementTypeProperty),
          static_cast<PropertyItem *>(m_auxiliaryTypeProperty), m_auxiliaryProperty})
        item->retranslate();
    m_fusionProperty->retranslate();
    m_pointCloudProperty->retranslate();
}

void DRALScanManager::applyInterlaceNames()
{
    // Only one sensor family calls its fields horizontal and vertical.
    if (std::strncmp(m_info.product, "KRX", 3) == 0) {
        m_horizontalProperty->setName(tr("Horizontal"));
        m_horizontalProperty->setKey(QStringLiteral("horizontal"));
        m_verticalProperty->setName(tr("Vertical"));
        m_verticalProperty->setKey(QStringLiteral("vertical"));
    } else {
        m_horizontalProperty->setName(tr("Motor"));
        m_horizontalProperty->setKey(QStringLiteral("motor"));
        m_verticalProperty->setName(tr("Rem"));
        m_verticalProperty->setKey(QStringLiteral("rem"));
    }
}

void DRALScanManager::stop()
{
    // Called when the application closes: nothing under way may keep it waiting for the sensor.
    m_device->abortWaits();
    m_connectionCheck->stop();
    m_device->abortMeasurement();
}

QString DRALScanManager::addressText() const
{
    return QString::fromLatin1(m_device->address());
}

void DRALScanManager::connectRequested()
{
    // An attempt is already under way; its thread reads address and port.
    if (m_connectionCheck->isRunning())
        return;
    // Refused before any attempt: twenty seconds of retries to an address that cannot work help no one.
    // The name may carry the port, "ADDRESS:PORT", as on the command line.
    const QString text = m_nameProperty->value().toString();
    QString address;
    int port = m_portProperty->intValue();
    switch (SensorAddress::parse(text, address, port)) {
    case SensorAddress::ParseResult::Ok:
        break;
    case SensorAddress::ParseResult::Empty:
        emit errorBroadCast(tr("No sensor address to connect to"));
        return;
    case SensorAddress::ParseResult::BadAddress:
        emit errorBroadCast(tr("%1 is not a sensor address (a numeric IPv4 address or localhost)").arg(text));
        return;
    case SensorAddress::ParseResult::BadPort:
        emit errorBroadCast(tr("Invalid port in %1 (allowed: %2 to %3)")
                                .arg(text)
                                .arg(SensorAddress::MinPort)
                                .arg(SensorAddress::MaxPort));
        return;
    }
    // "ADDRESS:PORT" leaves the two settings as they would have been set one by one.
    m_nameProperty->setString(address);
    m_portProperty->setIntValue(port);
    m_auxiliaryReadout->clear();
    // The state machine starts from the event loop and would miss an attempt begun before that.
    if (!m_stateMachine->isRunning()) {
        QMetaObject::invokeMethod(this, &DRALScanManager::connectRequested, Qt::QueuedConnection);
        return;
    }
    startConnectionCheck(address.toLatin1(), port);
}

void DRALScanManager::startConnectionCheck(const QByteArray &address, int port)
{
    emit connecting();
    m_connectionCheck->setAddress(address);
    m_connectionCheck->setPort(port);
    m_connectionCheck->start();
    remindConnecting();
    m_connectingReminder->start();
}

void DRALScanManager::remindConnecting()
{
    const QString address = QString::fromLatin1(m_connectionCheck->address());
    emit informationBroadCast(tr("Connecting to %1:%2 ...").arg(address).arg(m_connectionCheck->port()));
}

void DRALScanManager::disconnectRequested()
{
    // The attempts stop first, or one of them could reopen the connection just closed.
    m_reconnecting = false;
    // A connection attempt or an initialisation under way gives up at once.
    m_device->abortWaits();
    m_connectionCheck->stop();
    m_device->abortMeasurement();
    m_device->disconnectDevice();
}

void DRALScanManager::setDeviceName(QString value)
{
    m_nameProperty->setString(value);
}

void DRALScanManager::setDevicePort(int port)
{
    m_portProperty->setValue(port);
}

void DRALScanManager::deviceConnected()
{
    m_connectingReminder->stop();
    emit informationBroadCast(tr("Connected to %1").arg(addressText()));
    emit connected();
    m_reconnecting = false;
    m_initialized = false;
    m_lastFrame.store(-1);
    m_device->initialize();
    emit initializing();
}

void DRALScanManager::deviceDisconnected()
{
    m_initialized = false;
    emit informationBroadCast(tr("Diconnected from %1").arg(addressText()));
    m_auxiliaryReadout->clear();
    m_verticalProperty->setEnabled(true);
    m_handOff->clearAll();
    emit disconnected();
}

void DRALScanManager::deviceConnectFailed()
{
    m_connectingReminder->stop();
    // The address and port of the attempts, which may differ from the last connection's.
    const QString address = QString::fromLatin1(m_connectionCheck->address());
    emit errorBroadCast(tr("Failed to connect to %1")
                            .arg(address + QLatin1Char(':') + QString::number(m_connectionCheck->port())));
    emit connectionFailed();
    if (m_reconnecting) {
        // The lost connection stays lost: back to disconnected, as if the user had closed it.
        m_reconnecting = false;
        m_verticalProperty->setEnabled(true);
        m_handOff->clearAll();
        emit disconnected();
    }
}

void DRALScanManager::deviceConnectionLost(int errorCode)
{
    Q_UNUSED(errorCode); // kept in the device's error code
    m_initialized = false;
    m_lastFrame.store(-1);
    emit warningBroadCast(tr("Connection to %1 lost").arg(addressText()));
    m_auxiliaryReadout->clear();
    // The same attempts as a connect request, to the address and port that were in use.
    if (m_connectionCheck->isRunning())
        return;
    m_reconnecting = true;
    startConnectionCheck(m_device->address(), m_device->port());
}

void DRALScanManager::deviceInitialized(VEXA3D_SENSOR_INFO_T info)
{
    emit informationBroadCast(tr("%1 is ready").arg(addressText()));

    // Sensors of the first protocol generation have no vertical interlace.
    const bool firstProtocol = std::strncmp(info.protocol, "1.", 2) == 0;
    if (firstProtocol) {
        m_verticalProperty->setIntValue(1);
        m_verticalProperty->setEnabled(false);
    } else {
        m_verticalProperty->setEnabled(true);
    }

    applyInterlace(false, m_horizontalProperty->intValue());
    applyInterlace(true, m_verticalProperty->intValue());
    // Cleared before the stream starts, so that no line of the new stream is taken for an old one.
    m_handOff->clearCloud();
    m_lastFrame.store(-1);
    m_device->startMeasurement(m_measurementMode | m_auxiliaryMode);
    m_initialized = true;
    m_info = info;

    const int motorCount = qMax(1, int(info.spec.motorInterlaceCount));
    const int remCount = qMax(1, int(info.spec.remInterlaceCount));
    m_horizontalProperty->setMaxValue(motorCount);
    m_horizontalProperty->setDescription(QStringLiteral("1-%1").arg(motorCount));
    m_verticalProperty->setMaxValue(remCount);
    m_verticalProperty->setDescription(QStringLiteral("1-%1").arg(remCount));

    applyInterlaceNames();
    emit initialized(info);
}

void DRALScanManager::deviceInitializationFailed()
{
    disconnectRequested();
    emit errorBroadCast(tr("Failed to initialize %1").arg(addressText()));
    emit initializationFailed();
}

void DRALScanManager::updateModes()
{
    const int measurementMode = m_measurementTypeProperty->optionValue();
    const int auxiliaryMode = m_auxiliaryTypeProperty->optionValue();
    if (measurementMode == m_measurementMode && auxiliaryMode == m_auxiliaryMode)
        return;
    m_measurementMode = measurementMode;
    m_auxiliaryMode = auxiliaryMode;
    // Before initialisation the next initialisation starts the kinds.
    if (m_device->isConnected() && m_initialized)
        m_device->startMeasurement(m_measurementMode | m_auxiliaryMode);
}

void DRALScanManager::setHorizontalInterlace(int value)
{
    // Before the sensor is ready the value waits in the property: initialisation applies it.
    if (m_device && m_initialized && value != m_device->currentHorizontalInterlace())
        applyInterlace(false, value);
}

void DRALScanManager::setVerticalInterlace(int value)
{
    if (m_device && m_initialized && value != m_device->currentVerticalInterlace())
        applyInterlace(true, value);
}

void DRALScanManager::applyInterlace(bool vertical, int value)
{
    const bool applied =
        vertical ? m_device->setVerticalInterlace(value) : m_device->setHorizontalInterlace(value);
    const int inUse =
        vertical ? m_device->currentVerticalInterlace() : m_device->currentHorizontalInterlace();
    if (applied || inUse < 1 || inUse == value)
        return;
    // The property shows what the sensor does, not what it refused.
    emit warningBroadCast(tr("%1 refused interlace %2 (error %3); %4 stays in force")
                              .arg(addressText())
                              .arg(value)
                              .arg(m_device->errorCode())
                              .arg(inUse));
    IntegerProperty *property = vertical ? m_verticalProperty : m_horizontalProperty;
    property->setIntValue(inUse);
}

void DRALScanManager::rebootDevice()
{
    if (!m_device->isConnected()) {
        emit errorBroadCast(tr("Device not connected!"));
        return;
    }
    if (m_device->isInitializing()) {
        emit warningBroadCast(
            tr("%1 is still being initialized; reboot it when it is ready").arg(addressText()));
        return;
    }
    m_device->restart();
}

QString DRALScanManager::deviceInformationText() const
{
    return DeviceInformation::text(m_rootProperty->name(), addressText(), m_device->port(), m_info);
}

void DRALScanManager::showDeviceInformation()
{
    QMessageBox::information(nullptr, tr("Connection Information"), deviceInformationText());
}

void DRALScanManager::applyAuxiliaryData(QSharedPointer<DRALAuxiliaryData> data)
{
    if (!data)
        return;
    m_auxiliaryReadout->show(*data);
    m_fusion->addAuxiliaryData(data);
    emit auxiliaryDataReady(data);
}

void DRALScanManager::setEmphasisedSpot(int motorField, int remField, int line, int spot)
{
    std::lock_guard<std::mutex> lock(m_spotMutex);
    m_emphasisMotorField = motorField;
    m_emphasisRemField = remField;
    m_emphasisLine = line;
    m_emphasisSpot = spot;
}

void DRALScanManager::setEmphasisType(int type)
{
    m_handOff->clearEmphasis();
    m_emphasisType.store(type);
}

void DRALScanManager::updateEmphasis()
{
    // The next lines carry the new colours; the overlay must not keep the old marks meanwhile.
    m_handOff->clearEmphasis();
}

void DRALScanManager::setMouseRay(Ray ray)
{
    // The echoes are in the cloud's own frame; bring the world ray there.
    bool invertible = false;
    const QMatrix4x4 toCloud = m_pointCloud->modelMatrix().inverted(&invertible);
    if (invertible) {
        ray.origin = toCloud.map(ray.origin);
        ray.direction = toCloud.mapVector(ray.direction);
    }
    ray.direction.normalize();
    std::lock_guard<std::mutex> lock(m_spotMutex);
    m_ray = ray;
    m_rayRequested = true;
}

int DRALScanManager::pendingCloudCalls() const
{
    return m_handOff->pending();
}

int DRALScanManager::maxPendingCloudCalls() const
{
    return m_handOff->maxPending();
}

quint64 DRALScanManager::linesDrawn() const
{
    return m_handOff->linesDrawn();
}

void DRALScanManager::applyMeasurementData(QSharedPointer<DRALMeasurementData> data)
{
    if (!data || !data->data())
        return;
    const VEXA3D_MEASUREMENT_DATA_T &line = *data->data();

    // The filters change the record in place, so they run before any receiver can see it.
    data->applyFilters(m_pointCloudProperty->enabledFilters());
    emit measurementDataReady(data);

    const bool newFrame = int(line.frameNumber) != m_lastFrame.load();
    CloudHandOff::Line call = m_handOff->stamped(line.frameNumber, newFrame);
    if (newFrame) {
        m_lastFrame.store(line.frameNumber);
        // A pick covers one whole frame: settle the last one, then start the one requested meanwhile.
        if (m_pickPending && m_bestPick.found()) {
            m_pickPending = false;
            emit setRaySpot(m_bestPick.motorField, m_bestPick.remField, m_bestPick.line, m_bestPick.spot);
        }
        std::lock_guard<std::mutex> lock(m_spotMutex);
        if (m_rayRequested) {
            m_rayRequested = false;
            m_pickPending = true;
            m_bestPick = SpotPick();
            m_bestPick.distance = m_pickTolerance;
        }
    }

    emit dralMeasurementDataReady(0, QSharedPointer<DRALMeasurementData>::create(*data));

    // A private copy carries the emphasis: the emitted records must not change any more.
    DRALMeasurementData marked(*data);
    const int emphasisType = m_emphasisType.load();
    marked.setEmphasisType(emphasisType);
    Ray ray;
    {
        std::lock_guard<std::mutex> lock(m_spotMutex);
        marked.setEmphasisedSpot(m_emphasisMotorField, m_emphasisRemField, m_emphasisLine, m_emphasisSpot);
        ray = m_ray;
    }

    if (m_pickPending) {
        const SpotPick pick = nearestSpot(line, ray, m_bestPick.distance);
        if (pick.found())
            m_bestPick = pick;
    }

    // The record colours the whole line with one frozen copy of the model's settings.
    call.colors = marked.colors(m_pointCloudProperty->colorModel());
    call.points = marked.points();

    // Replace the record's emphasis markers by the chosen colours; the marked echoes also go to the
    // overlay cloud.
    if (emphasisType >= 0 && (emphasisType & 1)) {
        const QVector3D spotColor = m_pointCloudProperty->emphasisColor(1, 1);
        const QVector3D lineColor = m_pointCloudProperty->emphasisColor(1, 0);
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

    m_handOff->post(std::move(call));
}
