#pragma once

#include "ConnectionFactory.h"
#include "DRALAuxiliaryData.h"
#include "DRALMeasurementData.h"
#include "DataRecorderSource.h"
#include "Ray.h"
#include "Vexa3dTypes.h"

#include <QList>
#include <QStringList>

class LayerItem;
class PropertyItem;
class QAction;
class QLineEdit;
class QMenu;
class QToolBar;
class RenderableItem;
class ScanManager;

// The list of connections: creates, numbers and removes them, places their properties and view objects,
// and forwards all their signals with the connection's index.
class ConnectionManager : public DataRecorderSource
{
    Q_OBJECT
public:
    explicit ConnectionManager(QObject *parent = nullptr);
    ~ConnectionManager() override;

    void addConnection(int kind);
    int connectionCount() const override;
    bool isRecordingAllowed() const override;
    ScanManager *scanManager(int index) const;
    int connectionId(int index) const;
    QStringList connectionNames() const;
    void stopAll();
    // Gives the window's toolbar of a live connection its device actions and its address field the
    // field's behaviour (Enter connects, "ADDRESS:PORT", a locked look); other kinds are left alone.
    void equipToolBar(int index, QToolBar *toolBar, QLineEdit *addressField);
    void retranslate();

    PropertyItem *rootProperty() const { return m_root; }
    RenderableItem *groupItem() const { return m_groupItem; }
    LayerItem *overlayLayer() const { return m_overlayLayer; }
    QAction *removeAction() const { return m_removeAction; }
    QAction *connectAllAction() const { return m_connectAllAction; }
    QAction *disconnectAllAction() const { return m_disconnectAllAction; }
    QMenu *addMenu() const { return m_addMenu; }

signals:
    void connectionInitialized(uint indexm, VEXA3D_SENSOR_INFO_T info);
    void measurementDataReady(uint index, QSharedPointer<MeasurementData> data);
    void dralMeasurementDataReady(uint managerIndex, int dataIndex, QSharedPointer<DRALMeasurementData> data);
    void auxiliaryDataReady(uint index, QSharedPointer<AuxiliaryData> data);
    void filePlayerTriggered();
    void startEnabledChanged(bool enabled);
    void pauseEnabledChanged(bool enabled);
    void stopEnabledChanged(bool enabled);
    void playerEnabledChanged(bool enabled);
    void fileStarted();
    void filePaused();
    void fileStopped();
    void mouseClickedInPaused();
    void recordCountReady(int recordCount);
    void readingUpdate(int pos, qlonglong time, QString logTime);
    void logtimeSettingsReady(QString start, QString end);
    void startClicked();
    void pauseClicked();
    void stopClicked();
    void logPlayerPosChanged(int pos);
    void logLoopChanged(int state);
    void playSpeedChanged(float speed);
    void setEmphasisedSpot(int vField, int hField, int line, int spot);
    void setMouseRay(Ray ray);
    void setRaySpot(int vField, int hField, int line, int spot);
    void connectionNamesChanged(QStringList items);
    void informationBroadCast(QString message);
    void warningBroadCast(QString message);
    void errorBroadCast(QString message);

private slots:
    void removeScanManager();

private:
    void registerKind(int kind);
    void wireManager(ScanManager *manager, int index);

    PropertyItem *m_root = nullptr;
    RenderableItem *m_groupItem = nullptr;
    LayerItem *m_overlayLayer = nullptr;
    QList<ScanManager *> m_managers;
    QAction *m_removeAction = nullptr;
    QAction *m_connectAllAction = nullptr;
    QAction *m_disconnectAllAction = nullptr;
    QMenu *m_addMenu = nullptr;
    ConnectionFactory m_factory;
};
