#pragma once

#include "RenderableItem.h"
#include "ScanManager.h"
#include "SpotPick.h"

#include <QMutex>
#include <QPointer>
#include <QVector3D>
#include <QVector>

#include <memory>

class CloudHandOff;
class FileCommunicationDevice;
class FileProperty;
class FusionProperty;
class IntegerProperty;
class OrientationFusion;
class PointCloud;
class PointCloudProperty;
class PropertyItem;
class QState;
class QStateMachine;
class SensorRecordFactory;
class StringProperty;

// The log player connection: opens a ".vbl" or ".t3d" log in the playback engine, offers the transport
// actions in step with its state, and routes every played frame to the point cloud and the auxiliary
// readout of the connection that recorded it. Everything runs on the GUI thread; the engine's frames
// arrive queued.
class FileScanManager : public ScanManager
{
    Q_OBJECT

public:
    // Takes ownership of factory, which turns the records read from a log into the records handed on.
    explicit FileScanManager(SensorRecordFactory *factory, QObject *parent = nullptr);
    ~FileScanManager() override;

    PropertyItem *rootProperty() const override { return m_rootProperty; }
    RenderableItem *viewObject() const override { return m_viewObject; }
    LayerItem *sensorViewItem(int index) const override;
    void applyToSensorViewItems(const QVariant &value) override;
    QIcon icon() const override;
    QString typeName() const override;
    bool isConnected() const override { return false; }
    QAction *connectAction() const override { return m_connectAction; }
    QAction *disconnectAction() const override { return m_disconnectAction; }
    QString deviceName() const override;
    QString propertyKey() const override;
    int sensorCount() const override { return m_channels.size(); }
    void retranslate() override;
    void stop() override;
    QVector3D cloudRotation() const override;
    QVector3D cloudPosition() const override;

    FileCommunicationDevice *device() const { return m_device; }
    FileProperty *fileNameProperty() const { return m_fileNameProperty; }
    IntegerProperty *recordCountProperty() const { return m_recordCountProperty; }
    IntegerProperty *currentRecordProperty() const { return m_currentRecordProperty; }
    QAction *startAction() const { return m_startAction; }
    QAction *pauseAction() const { return m_pauseAction; }
    QAction *stopAction() const { return m_stopAction; }
    QAction *detailAction() const { return m_detailAction; }

    // Per recorded connection, null for an index outside the open log's connections.
    PointCloud *pointCloud(int index) const;
    PointCloudProperty *pointCloudProperty(int index) const;
    PropertyItem *auxiliaryProperty(int index) const;
    OrientationFusion *fusion(int index) const;
    FusionProperty *fusionProperty(int index) const;
    // Lines that reached the point clouds, for measurements and tests.
    quint64 linesDrawn() const;

public slots:
    void connectRequested() override;
    void disconnectRequested() override;
    void startPlaying() override;
    void pausePlaying() override;
    void stopPlaying() override;
    void setPosition(int pos) override;
    void setDeviceName(QString value) override;
    void setEmphasisedSpot(int vField, int hField, int line, int spot) override;
    void setEmphasisType(int type) override;
    void setMouseRay(Ray ray) override;
    // Draws a line of the newest frame again (a paused log with a new emphasised spot); the first line
    // of a redraw starts the frame afresh. The line is not handed on a second time.
    void redrawMeasurementData(QSharedPointer<DRALMeasurementData> data, bool isFirst);

private slots:
    void deviceConnected();
    void deviceDisconnected();
    void applySensorData(int index, QSharedPointer<SensorData> data, QVector3D position, QVector3D rotation);
    void deviceInitialized(VEXA3D_SENSOR_INFO_T info);
    void deviceInitializationFailed();

private:
    struct Channel;

    void createProperties();
    void createActions();
    void createStateMachine();
    void createChannels(int count);
    void removeChannels();
    void applyLine(int index, const QSharedPointer<DRALMeasurementData> &data, bool handOn,
                   bool forceNewFrame);
    void applyAuxiliary(int index, const QSharedPointer<DRALAuxiliaryData> &data);
    void emitPlayerState(bool player, bool start, bool pause, bool stop);

    std::unique_ptr<SensorRecordFactory> m_factory;
    FileCommunicationDevice *m_device = nullptr;
    bool m_open = false;

    PropertyItem *m_rootProperty = nullptr;
    PropertyItem *m_deviceGroup = nullptr;
    FileProperty *m_fileNameProperty = nullptr;
    IntegerProperty *m_recordCountProperty = nullptr;
    IntegerProperty *m_currentRecordProperty = nullptr;

    QAction *m_connectAction = nullptr;
    QAction *m_disconnectAction = nullptr;
    QAction *m_startAction = nullptr;
    QAction *m_pauseAction = nullptr;
    QAction *m_stopAction = nullptr;
    QAction *m_detailAction = nullptr;
    QStateMachine *m_stateMachine = nullptr;

    // The connection manager's group item adopts it and may delete it first.
    QPointer<RenderableItem> m_viewObject;
    QVector<Channel *> m_channels;
    VEXA3D_SENSOR_INFO_T m_info;
    QVariant m_legendTitle;

    // The emphasised spot, shared with whoever sets it.
    mutable QMutex m_spotMutex;
    int m_emphasisMotorField = -1;
    int m_emphasisRemField = -1;
    int m_emphasisLine = -1;
    int m_emphasisSpot = -1;
    int m_emphasisType = -1;
    Ray m_ray;
    bool m_rayRequested = false;
    const float m_pickTolerance = 0.1f;
};
