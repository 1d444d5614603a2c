#pragma once

#include "BoolProperty.h"

#include <QVector3D>

class FloatProperty;
class OrientationFusion;

// The "Fusion" switch of a connection's auxiliary readout. While on, it runs the connection's fusion and
// shows the three fused angles below it (read-only, not saved); while off they are hidden.
class FusionProperty : public BoolProperty
{
    Q_OBJECT

public:
    explicit FusionProperty(OrientationFusion *fusion, QObject *parent = nullptr);

    FloatProperty *rollProperty() const { return m_roll; }
    FloatProperty *pitchProperty() const { return m_pitch; }
    FloatProperty *yawProperty() const { return m_yaw; }

    void retranslate() override;

public slots:
    void setAngles(QVector3D rollPitchYaw);

private:
    void showAngles(bool shown);

    FloatProperty *m_roll = nullptr;
    FloatProperty *m_pitch = nullptr;
    FloatProperty *m_yaw = nullptr;
};
