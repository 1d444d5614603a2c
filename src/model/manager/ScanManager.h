#pragma once

#include "DRALAuxiliaryData.h"
#include "DRALMeasurementData.h"
#include "MetaTypes.h"
#include "Ray.h"
#include "SensorData.h"

#include <QIcon>
#include <QObject>
#include <QSharedPointer>
#include <QVariant>
#include <QVector3D>

class PropertyItem;
class RenderableItem;
class LayerItem;
class QAction;

// One connection: owns a data source, its property subtree, its actions and its view objects, and
// re-emits the source's data as records.
class ScanManager : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~ScanManager() override = default;

    virtual PropertyItem *rootProperty() const = 0;
    virtual RenderableItem *viewObject() const = 0;
    virtual LayerItem *sensorViewItem(int index) const = 0;
    // Hands value to every sensor view item that exists (the colour legends take it as their title).
    virtual void applyToSensorViewItems(const QVariant &value) = 0;
    virtual QIcon icon() const = 0;
    virtual QString typeName() const = 0;
    virtual bool isConnected() const = 0;
    virtual QAction *connectAction() const = 0;
    virtual QAction *disconnectAction() const = 0;
    virtual QString deviceName() const = 0;
    virtual QString propertyKey() const = 0;
    virtual int sensorCount() const = 0;
    virtual void retranslate() = 0;
    virtual void stop() = 0;
    // Rotation angles (degrees) and position of the main point cloud; the base reads viewObject().
    virtual QVector3D cloudRotation() const;
    virtual QVector3D cloudPosition() const;
    virtual void updateEmphasis() {}

public slots:
    virtual void connectRequested() = 0;
    virtual void disconnectRequested() = 0;
    virtual void setDeviceName(QString value) = 0;
    // The port the connection opens; sources without one ignore it.
    virtual void setDevicePort(int port) { Q_UNUSED(port); }
    virtual void startPlaying() {}
    virtual void pausePlaying() {}
    virtual void stopPlaying() {}
    virtual void setPosition(int pos) { Q_UNUSED(pos); }
    virtual void setEmphasisedSpot(int vField, int hField, int line, int spot)
    {
        Q_UNUSED(vField);
        Q_UNUSED(hField);
        Q_UNUSED(line);
        Q_UNUSED(spot);
    }
    virtual void setEmphasisType(int type) { Q_UNUSED(type); }
    virtual void setMouseRay(Ray ray) { Q_UNUSED(ray); }

signals:
    void connecting();
    void connected();
    void disconnected();
    void connectionFailed();
    void initializing();
    void initialized(VEXA3D_SENSOR_INFO_T info);
    void fileInitialized(VEXA3D_SENSOR_INFO_T info);
    void initializationFailed();
    void fileConnected();
    void fileDisconnected();
    void fileStarted();
    void filePaused();
    void fileStopped();
    void logLoopChanged(int state);
    void playSpeedChanged(float speed);
    void redrawMeasurementData(QSharedPointer<DRALMeasurementData> data, bool isFirst);
    void mouseClickedInPaused();
    void measurementDataReady(QSharedPointer<MeasurementData> data);
    void dralMeasurementDataReady(int index, QSharedPointer<DRALMeasurementData> data);
    void auxiliaryDataReady(QSharedPointer<AuxiliaryData> data);
    void measurementStarted(int mode);
    void measurementStopped();
    void errorDetected(int code, QString message);
    void deviceNameChanged(QString name);
    void filePlayerTriggered();
    void startEnabledChanged(bool enabled);
    void pauseEnabledChanged(bool enabled);
    void stopEnabledChanged(bool enabled);
    void playerEnabledChanged(bool enabled);
    void fileRecordCountReady(int recordCount);
    void logtimeSettingsReady(QString start, QString end);
    void readingUpdate(int pos, qlonglong time, QString logTime);
    void setRaySpot(int vField, int hField, int line, int spot);
    void informationBroadCast(QString message);
    void warningBroadCast(QString message);
    void errorBroadCast(QString message);
};
