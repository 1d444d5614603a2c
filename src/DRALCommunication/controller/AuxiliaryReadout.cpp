#include "AuxiliaryReadout.h"

#include "DRALAuxiliaryData.h"
#include "PropertyItem.h"
#include "StringProperty.h"

namespace {

QString vectorText(const QVector4D &v)
{
    return QStringLiteral("%1, %2, %3").arg(v.x(), 0, 'f', 3).arg(v.y(), 0, 'f', 3).arg(v.z(), 0, 'f', 3);
}

} // namespace

AuxiliaryReadout::AuxiliaryReadout(PropertyItem *group, QObject *parent) : QObject(parent)
{
    m_gyroscope = new StringProperty(this);
    m_gyroscope->setKey(QStringLiteral("gyroscope"));
    m_accelerometer = new StringProperty(this);
    m_accelerometer->setKey(QStringLiteral("accelerometer"));
    m_temperature = new StringProperty(this);
    m_temperature->setKey(QStringLiteral("temperature"));
    for (StringProperty *readout : {m_gyroscope, m_accelerometer, m_temperature}) {
        readout->setReadOnly(true);
        // Live values only: a properties file must not bring back old readings.
        readout->setSettable(false);
        group->addChild(readout);
    }
    retranslate();
}

void AuxiliaryReadout::show(const DRALAuxiliaryData &data)
{
    const QVector<QVector4D> gyroscopes = data.gyroscopes();
    if (!gyroscopes.isEmpty())
        m_gyroscope->setString(vectorText(gyroscopes.last()));
    const QVector<QVector4D> accelerations = data.accelerations();
    if (!accelerations.isEmpty())
        m_accelerometer->setString(vectorText(accelerations.last()));
    const QVector<QVector4D> temperatures = data.temperatures();
    if (!temperatures.isEmpty())
        m_temperature->setString(QString::number(temperatures.last().x(), 'f', 2));
}

void AuxiliaryReadout::clear()
{
    for (StringProperty *readout : {m_gyroscope, m_accelerometer, m_temperature})
        readout->setString(QString());
}

void AuxiliaryReadout::retranslate()
{
    // The sensor scales its samples to degrees per second, standard gravity and degrees Celsius.
    m_gyroscope->setName(tr("Gyroscope") + QLatin1Char(' ') + tr("[deg/s]"));
    m_accelerometer->setName(tr("Accelerometer") + QLatin1Char(' ') + tr("[G]"));
    m_temperature->setName(tr("Temperature") + QLatin1Char(' ') + tr("[°C]"));
    for (StringProperty *readout : {m_gyroscope, m_accelerometer, m_temperature})
        readout->retranslate();
}
