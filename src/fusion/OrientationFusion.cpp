#include "OrientationFusion.h"

#include "AuxiliaryDataFusion.h"
#include "DRALAuxiliaryData.h"

OrientationFusion::OrientationFusion(QObject *parent)
    : QObject(parent), m_fusion(new AuxiliaryDataFusion(this))
{
    // The aligned pose is shown at once, not only with the next frame; an alignment that ends after the
    // switch went off must not turn the cloud.
    connect(m_fusion, &AuxiliaryDataFusion::initialized, this, [this] {
        if (m_fusion->isEnabled())
            publish();
    });
}

bool OrientationFusion::isEnabled() const
{
    return m_fusion->isEnabled();
}

void OrientationFusion::setEnabled(bool enabled)
{
    if (enabled == m_fusion->isEnabled())
        return;
    m_fusion->apply(enabled);
    emit enabledChanged(enabled);
}

void OrientationFusion::addAuxiliaryData(QSharedPointer<DRALAuxiliaryData> data)
{
    if (!data || !m_fusion->isEnabled())
        return;
    if (m_fusion->update(data->gyroscopes(), data->accelerations()))
        publish();
}

void OrientationFusion::publish()
{
    m_angles = m_fusion->angles();
    emit anglesChanged(m_angles);
}
