#include "FloatProperty.h"

#include <QDoubleSpinBox>
#include <limits>

FloatProperty::FloatProperty(QObject *parent)
    : PropertyItem(parent), m_minValue(-std::numeric_limits<float>::max()),
      m_maxValue(std::numeric_limits<float>::max())
{
    setReadOnly(false);
    setDefaultValue(0.0);
    PropertyItem::setValue(QVariant(0.0f));
    connect(this, &PropertyItem::valueChanged, this,
            [this](const QVariant &v) { emit floatValueChanged(v.toFloat()); });
}

float FloatProperty::floatValue() const
{
    bool ok = false;
    const float f = value().toFloat(&ok);
    return ok ? f : 0.0f;
}

QString FloatProperty::valueText() const
{
    return QString::number(double(value().toFloat()), 'f', 3);
}

void FloatProperty::setValue(const QVariant &value)
{
    float f = value.toFloat();
    f = qMin(f, m_maxValue);
    f = qMax(f, m_minValue);
    PropertyItem::setValue(QVariant(f));
}

void FloatProperty::setKeyValue(const QVariant &keyValue)
{
    if (settable())
        setValue(keyValue);
}

void FloatProperty::setMinValue(float value)
{
    if (m_minValue == value)
        return;
    m_minValue = value;
    emit minValueChanged(value);
}

void FloatProperty::setMaxValue(float value)
{
    if (m_maxValue == value)
        return;
    m_maxValue = value;
    emit maxValueChanged(value);
}

void FloatProperty::setFloatValue(float value)
{
    if (floatValue() == value && this->value().userType() == QMetaType::Float)
        return;
    // floatValueChanged follows from valueChanged, once, with the clamped value.
    setValue(QVariant(value));
}

QWidget *FloatProperty::createEditor(QWidget *parent, const QStyleOptionViewItem &option)
{
    Q_UNUSED(option);
    auto *spin = new QDoubleSpinBox(parent);
    spin->setFrame(false);
    spin->setRange(m_minValue, m_maxValue);
    spin->setDecimals(3);
    spin->setValue(floatValue());
    connect(spin, &QDoubleSpinBox::editingFinished, this,
            [this, spin] { setFloatValue(float(spin->value())); });
    return spin;
}

QVariant FloatProperty::keyValue() const
{
    return QVariant(floatValue());
}
