#pragma once

#include "PropertyItem.h"

// A check box in the value column.
class BoolProperty : public PropertyItem
{
    Q_OBJECT

public:
    explicit BoolProperty(QObject *parent = nullptr);

    bool boolValue() const { return value().toBool(); }
    QVariant keyValue() const override;

public slots:
    void setBoolValue(bool b);
    void setKeyValue(const QVariant &keyValue) override;

signals:
    void boolValueChanged(bool value);
};
