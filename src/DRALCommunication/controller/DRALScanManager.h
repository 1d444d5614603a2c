#pragma once

#include "MeasurmentModes.h"
#include "ScanManager.h"
#include "SpotPick.h"

#include <QVector3D>
#include <QVector>

#include <atomic>
#include <mutex>

class AuxiliaryReadout;
class CloudHandOff;
class ComboBoxProperty;
class DRALCommunicationDevice;
class EthernetConnectionCheck;
class FusionProperty;
class IntegerProperty;
class OrientationFusion;
class PointCloud;
class PointCloudProperty;
class PropertyItem;
class QStateMachine;
class QTimer;
class StringProperty;

// The connection of one live sensor: connection settings as properties, the connect / disconnect /
// information / reboot actions kept in step with the connection state, user messages, and the road of
// every measurement line from the device's streaming thread to the point cloud on the GUI thread.
//
// Threads: everything runs on the GUI thread except applyMeasurementData(), which the device calls on
// its streaming thread. That handler reads the filters and the colour model only through their
// immutable published settings, shares the emphasised spot and the mouse ray under a mutex, and hands
// its point-cloud work to the GUI thread as one queued call per line, so lines reach the clouds in the
// order they arrived.
class DRALScanManager : public ScanManager
{
    Q_OBJECT

public:
    explicit DRALScanManager(QObject *parent = nullptr);
    ~DRALScanManager() override;

    PropertyItem *rootProperty() const override;
    RenderableItem *viewObject() const override;
    LayerItem *sensorViewItem(int index) const override;
    void applyToSensorViewItems(const QVariant &value) override;
    QIcon icon() const override;
    QString typeName() const override;
    bool isConnected() const override;
    QAction *connectAction() const override { return m_connectAction; }
    QAction *disconnectAction() const override { return m_disconnectAction; }
    QString deviceName() const override;
    QString propertyKey() const override;
    int sensorCount() const override { return 1; }
    void retranslate() override;
    void stop() override;
    // Safe from any thread: the connection manager asks for the pose on the streaming thread.
    QVector3D cloudRotation() const override;
    QVector3D cloudPosition() const override;

    QAction *informationAction() const { return m_informationAction; }
    QAction *rebootAction() const { return m_rebootAction; }
    DRALCommunicationDevice *device() const { return m_device; }
    EthernetConnectionCheck *connectionCheck() const { return m_connectionCheck; }
    PointCloud *pointCloud() const { return m_pointCloud; }
    PointCloud *emphasisCloud() const { return m_emphasisCloud; }
    PointCloudProperty *pointCloudProperty() const { return m_pointCloudProperty; }

    StringProperty *nameProperty() const { return m_nameProperty; }
    IntegerProperty *portProperty() const { return m_portProperty; }
    IntegerProperty *horizontalProperty() const { return m_horizontalProperty; }
    IntegerProperty *verticalProperty() const { return m_verticalProperty; }
    ComboBoxProperty *measurementTypeProperty() const { return m_measurementTypeProperty; }
    ComboBoxProperty *auxiliaryTypeProperty() const { return m_auxiliaryTypeProperty; }
    PropertyItem *auxiliaryProperty() const { return m_auxiliaryProperty; }
    OrientationFusion *fusion() const { return m_fusion; }
    FusionProperty *fusionProperty() const { return m_fusionProperty; }

    int measurementMode() const { return m_measurementMode; }
    int auxiliaryMode() const { return m_auxiliaryMode; }
    VEXA3D_SENSOR_INFO_T sensorInfo() const { return m_info; }
    // The pick distance below which an echo counts as hit by the mouse ray (metres).
    float pickTolerance() const { return m_pickTolerance; }

    // The text of the "Device Information" box; showDeviceInformation() puts it in a message box.
    QString deviceInformationText() const;

    // Point-cloud calls posted by the streaming thread and not yet carried out, and the most there
    // ever were; lines that reached the main cloud. For throughput measurements.
    int pendingCloudCalls() const;
    int maxPendingCloudCalls() const;
    quint64 linesDrawn() const;

public slots:
    void connectRequested() override;
    void disconnectRequested() override;
    void setDeviceName(QString value) override;
    void setDevicePort(int port) override;
    void deviceConnectFailed();
    // The device lost its connection: warn and try to open it again.
    void deviceConnectionLost(int errorCode);
    void setEmphasisedSpot(int motorField, int remField, int line, int spot) override;
    void setEmphasisType(int type) override;
    void setMouseRay(Ray ray) override;
    void updateEmphasis() override;
    void showDeviceInformation();

    // Wired to the device and the properties by the constructor.
    void deviceConnected();
    void deviceDisconnected();
    void setHorizontalInterlace(int value);
    void setVerticalInterlace(int value);
    // Runs on the device's streaming thread.
    void applyMeasurementData(QSharedPointer<DRALMeasurementData> data);
    void applyAuxiliaryData(QSharedPointer<DRALAuxiliaryData> data);
    void deviceInitialized(VEXA3D_SENSOR_INFO_T info);
    void deviceInitializationFailed();
    void rebootDevice();

private:
    void createProperties();
    void createActions();
    void applyInterlaceNames();
    void updateModes();
    // Sends an interlace count; a refused one is reported and the property returns to the count in force.
    void applyInterlace(bool vertical, int value);
    void startConnectionCheck(const QByteArray &address, int port);
    void remindConnecting();
    void publishPose();
    QString addressText() const;

    DRALCommunicationDevice *m_device = nullptr;
    EthernetConnectionCheck *m_connectionCheck = nullptr;

    PropertyItem *m_rootProperty = nullptr;
    PropertyItem *m_deviceGroup = nullptr;
    StringProperty *m_nameProperty = nullptr;
    IntegerProperty *m_portProperty = nullptr;
    PropertyItem *m_interlaceGroup = nullptr;
    IntegerProperty *m_horizontalProperty = nullptr;
    IntegerProperty *m_verticalProperty = nullptr;
    ComboBoxProperty *m_measurementTypeProperty = nullptr;
    ComboBoxProperty *m_auxiliaryTypeProperty = nullptr;
    PropertyItem *m_auxiliaryProperty = nullptr;
    AuxiliaryReadout *m_auxiliaryReadout = nullptr;
    OrientationFusion *m_fusion = nullptr;
    FusionProperty *m_fusionProperty = nullptr;

    QAction *m_connectAction = nullptr;
    QAction *m_disconnectAction = nullptr;
    QAction *m_informationAction = nullptr;
    QAction *m_rebootAction = nullptr;

    QStateMachine *m_stateMachine = nullptr;
    // Repeats the connecting message while the attempts last.
    QTimer *m_connectingReminder = nullptr;

    RenderableItem *m_viewObject = nullptr;
    PointCloud *m_pointCloud = nullptr;
    PointCloud *m_emphasisCloud = nullptr;
    PointCloudProperty *m_pointCloudProperty = nullptr;

    // GUI thread.
    int m_measurementMode = DistanceOnlyMode;
    int m_auxiliaryMode = 0;
    bool m_initialized = false;
    bool m_reconnecting = false; // the connection check runs for a lost connection
    VEXA3D_SENSOR_INFO_T m_info;

    // Written by the GUI thread while no line flows, read by the streaming thread.
    std::atomic<int> m_lastFrame{-1};

    // Shared between the GUI thread and the streaming thread. Standard mutexes, so that the race checker
    // sees them.
    mutable std::mutex m_spotMutex;
    int m_emphasisMotorField = -1;
    int m_emphasisRemField = -1;
    int m_emphasisLine = -1;
    int m_emphasisSpot = -1;
    Ray m_ray;
    bool m_rayRequested = false;
    std::atomic<int> m_emphasisType{-1};

    // Streaming thread only: the pick in progress over the current frame.
    bool m_pickPending = false;
    SpotPick m_bestPick;
    const float m_pickTolerance = 0.1f;

    // Computed lines on their way to the clouds.
    CloudHandOff *m_handOff = nullptr;

    // The main cloud's pose, copied on every change for readers on other threads.
    mutable std::mutex m_poseMutex;
    QVector3D m_cloudPosition;
    QVector3D m_cloudRotation;
};
