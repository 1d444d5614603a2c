#include "IntegerProperty.h"

#include <QSpinBox>
#include <limits>

IntegerProperty::IntegerProperty(QObject *parent)
    : PropertyItem(parent), m_minValue(std::numeric_limits<int>::min()),
      m_maxValue(std::numeric_limits<int>::max())
{
    setReadOnly(false);
    setDefaultValue(0);
    PropertyItem::setValue(QVariant(0));
    connect(this, &PropertyItem::valueChanged, this,
            [this](const QVariant &v) { emit intValueChanged(v.toInt()); });
}

void IntegerProperty::setValue(const QVariant &value)
{
    int n = value.toInt();
    n = qMin(n, m_maxValue);
    n = qMax(n, m_minValue);
    PropertyItem::setValue(QVariant(n));
}

void IntegerProperty::setKeyValue(const QVariant &keyValue)
{
    if (settable())
        setValue(keyValue);
}

void IntegerProperty::setMinValue(int value)
{
    if (m_minValue == value)
        return;
    m_minValue = value;
    emit minValueChanged(value);
}

void IntegerProperty::setMaxValue(int value)
{
    if (m_maxValue == value)
        return;
    m_maxValue = value;
    emit maxValueChanged(value);
}

void IntegerProperty::setIntValue(int value)
{
    if (intValue() != value || this->value().userType() != QMetaType::Int)
        setValue(QVariant(value));
}

QWidget *IntegerProperty::createEditor(QWidget *parent, const QStyleOptionViewItem &option)
{
    Q_UNUSED(option);
    auto *spin = new QSpinBox(parent);
    spin->setFrame(false);
    spin->setRange(m_minValue, m_maxValue);
    connect(spin, &QSpinBox::editingFinished, this, [this, spin] { setIntValue(spin->value()); });
    return spin;
}

QVariant IntegerProperty::keyValue() const
{
    return QVariant(intValue());
}
