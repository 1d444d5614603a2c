#include "FusionProperty.h"

#include "FloatProperty.h"
#include "OrientationFusion.h"

FusionProperty::FusionProperty(OrientationFusion *fusion, QObject *parent) : BoolProperty(parent)
{
    setKey(QStringLiteral("fusion"));
    const QString keys[3] = {QStringLiteral("roll"), QStringLiteral("pitch"), QStringLiteral("yaw")};
    FloatProperty **angles[3] = {&m_roll, &m_pitch, &m_yaw};
    for (int i = 0; i < 3; ++i) {
        auto *angle = new FloatProperty(this);
        angle->setKey(keys[i]);
        angle->setReadOnly(true);
        // Live values: a properties file must not bring back an old orientation.
        angle->setSettable(false);
        angle->setHidden(true);
        addChild(angle);
        *angles[i] = angle;
    }
    if (fusion) {
        setBoolValue(fusion->isEnabled());
        connect(this, &BoolProperty::boolValueChanged, fusion, &OrientationFusion::setEnabled);
        connect(fusion, &OrientationFusion::enabledChanged, this, &BoolProperty::setBoolValue);
        connect(fusion, &OrientationFusion::anglesChanged, this, &FusionProperty::setAngles);
    }
    connect(this, &BoolProperty::boolValueChanged, this, &FusionProperty::showAngles);
    showAngles(boolValue());
    retranslate();
}

void FusionProperty::setAngles(QVector3D rollPitchYaw)
{
    m_roll->setFloatValue(rollPitchYaw.x());
    m_pitch->setFloatValue(rollPitchYaw.y());
    m_yaw->setFloatValue(rollPitchYaw.z());
}

void FusionProperty::showAngles(bool shown)
{
    for (FloatProperty *angle : {m_roll, m_pitch, m_yaw})
        angle->setHidden(!shown);
}

void FusionProperty::retranslate()
{
    setName(tr("Fusion"));
    const QString angle = QStringLiteral("%1 %2");
    const QString deg = tr("[deg]");
    m_roll->setName(angle.arg(tr("X (Roll)"), deg));
    m_pitch->setName(angle.arg(tr("Y (Pitch)"), deg));
    m_yaw->setName(angle.arg(tr("Z (Yaw)"), deg));
    for (FloatProperty *a : {m_roll, m_pitch, m_yaw})
        a->retranslate();
    BoolProperty::retranslate();
}
