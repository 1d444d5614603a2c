#include "StringProperty.h"

StringProperty::StringProperty(QObject *parent) : PropertyItem(parent)
{
    PropertyItem::setValue(QString(""));
    setReadOnly(false);
}

QVariant StringProperty::keyValue() const
{
    return settable() ? value().toString() : QString();
}

void StringProperty::setString(const QString &text)
{
    setValue(text);
}

void StringProperty::setStdString(const std::string &text)
{
    setString(QString::fromStdString(text));
}

void StringProperty::setKeyValue(const QVariant &keyValue)
{
    if (!settable())
        return;
    setString(keyValue.toString());
    emit keyValueChanged(keyValue);
}
