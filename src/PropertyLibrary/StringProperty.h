#pragma once

#include "PropertyItem.h"

#include <string>

// A line of text; saved empty when it must not be restored from a file.
class StringProperty : public PropertyItem
{
    Q_OBJECT

public:
    explicit StringProperty(QObject *parent = nullptr);

    QVariant keyValue() const override;

public slots:
    virtual void setString(const QString &text);
    void setStdString(const std::string &text);
    void setKeyValue(const QVariant &keyValue) override;
};
