#include "AxisDataSelector.h"

#include "ComboBoxProperty.h"

#include <QIcon>

namespace {

class AxisFunction : public SelectorFunction
{
public:
    AxisFunction(int axis, const QMatrix4x4 &pose) : m_axis(axis), m_pose(pose) {}

    float value(const VEXA3D_SPOT_T &spot, int echoIndex, int, int, int) const override
    {
        if (m_axis < 0 || m_axis > 2 || echoIndex < 0 || size_t(echoIndex) >= spot.points.size())
            return 0.0f;
        const VEXA3D_POINT_T &p = spot.points[size_t(echoIndex)];
        // map() divides by w when the bottom row is not (0, 0, 0, 1).
        const QVector3D posed = m_pose.map(QVector3D(float(p.x), float(p.y), float(p.z)));
        return posed[m_axis];
    }

private:
    int m_axis;
    QMatrix4x4 m_pose;
};

// Placeholder published before the constructor has the settings.
class ZeroFunction : public SelectorFunction
{
public:
    float value(const VEXA3D_SPOT_T &, int, int, int, int) const override { return 0.0f; }
};

} // namespace

AxisDataSelector::AxisDataSelector(QObject *parent)
    : DataSelector(parent), m_function(std::make_shared<const ZeroFunction>())
{
    m_property = new ComboBoxProperty(this);
    m_property->setKey(QStringLiteral("axis"));
    m_property->addOption(tr("X Axis"), X_Axis, QIcon(QStringLiteral(":/DataSelector/x")));
    m_property->addOption(tr("Y Axis"), Y_Axis, QIcon(QStringLiteral(":/DataSelector/y")));
    m_property->addOption(tr("Z Axis"), Z_Axis, QIcon(QStringLiteral(":/DataSelector/z")));
    m_property->setDefaultOptionValue(Z_Axis);
    m_property->setOptionValue(Z_Axis);
    connect(m_property, &PropertyItem::valueChanged, this,
            [this] { setAxis(AxisType(m_property->optionValue())); });
    retranslate();
    publish();
}

PropertyItem *AxisDataSelector::property() const
{
    return m_property;
}

QString AxisDataSelector::valueText(float value) const
{
    return QStringLiteral("%1m").arg(double(value), 0, 'g');
}

void AxisDataSelector::retranslate()
{
    m_property->setName(tr("Axis"));
    m_property->updateOptionLabel(tr("X Axis"), X_Axis);
    m_property->updateOptionLabel(tr("Y Axis"), Y_Axis);
    m_property->updateOptionLabel(tr("Z Axis"), Z_Axis);
    m_property->retranslate();
}

void AxisDataSelector::setAxis(AxisType axis)
{
    if (axis == m_axis)
        return;
    m_axis = axis;
    if (m_property->optionValue() != int(axis) && axis >= X_Axis && axis <= Z_Axis)
        m_property->setOptionValue(axis);
    publish();
    emit axisChanged(axis);
    emit changed();
}

void AxisDataSelector::setRotationMatrix(const QMatrix4x4 &rotMat)
{
    if (rotMat == m_rotation)
        return;
    m_rotation = rotMat;
    publish();
    emit changed();
}

void AxisDataSelector::setTranslationMatrix(const QMatrix4x4 &transMat)
{
    if (transMat == m_translation)
        return;
    m_translation = transMat;
    publish();
    emit changed();
}

void AxisDataSelector::publish()
{
    m_function.store(std::make_shared<const AxisFunction>(int(m_axis), m_translation * m_rotation));
}
