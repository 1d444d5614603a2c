#include "BoolProperty.h"

BoolProperty::BoolProperty(QObject *parent) : PropertyItem(parent)
{
    setBoolValue(false);
    setReadOnly(false);
    setDefaultValue(false);
    connect(this, &PropertyItem::valueChanged, this,
            [this](const QVariant &v) { emit boolValueChanged(v.toBool()); });
}

void BoolProperty::setBoolValue(bool b)
{
    if (value().isValid() && value().userType() == QMetaType::Bool && value().toBool() == b)
        return;
    // boolValueChanged follows from valueChanged, once.
    setValue(QVariant(b));
}

void BoolProperty::setKeyValue(const QVariant &keyValue)
{
    if (settable())
        setBoolValue(keyValue.toBool());
}

QVariant BoolProperty::keyValue() const
{
    return QVariant(boolValue());
}
