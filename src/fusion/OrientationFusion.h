#pragma once

#include <QObject>
#include <QSharedPointer>
#include <QVector3D>

class AuxiliaryDataFusion;
class DRALAuxiliaryData;

// The fusion of one connection: fed with its auxiliary records while switched on, it reports the fused
// orientation as the X (roll), Y (pitch) and Z (yaw) rotation of the point cloud, in degrees. GUI thread.
class OrientationFusion : public QObject
{
    Q_OBJECT

public:
    explicit OrientationFusion(QObject *parent = nullptr);

    bool isEnabled() const;
    // The last angles reported.
    QVector3D angles() const { return m_angles; }
    AuxiliaryDataFusion *fusion() const { return m_fusion; }

public slots:
    // Switching on starts a fresh alignment on the next frame with enough samples.
    void setEnabled(bool enabled);
    void addAuxiliaryData(QSharedPointer<DRALAuxiliaryData> data);

signals:
    void enabledChanged(bool enabled);
    void anglesChanged(QVector3D rollPitchYaw);

private:
    void publish();

    AuxiliaryDataFusion *m_fusion = nullptr;
    QVector3D m_angles;
};
