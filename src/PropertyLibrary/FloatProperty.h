#pragma once

#include "PropertyItem.h"

// A float kept within [minValue, maxValue], shown with 3 decimals.
class FloatProperty : public PropertyItem
{
    Q_OBJECT
    Q_PROPERTY(float minValue READ minValue WRITE setMinValue NOTIFY minValueChanged)
    Q_PROPERTY(float maxValue READ maxValue WRITE setMaxValue NOTIFY maxValueChanged)

public:
    explicit FloatProperty(QObject *parent = nullptr);

    float floatValue() const;
    float minValue() const { return m_minValue; }
    float maxValue() const { return m_maxValue; }

    QString valueText() const override;
    QVariant keyValue() const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option) override;

public slots:
    void setValue(const QVariant &value) override;
    void setKeyValue(const QVariant &keyValue) override;
    void setMinValue(float value);
    void setMaxValue(float value);
    void setFloatValue(float value);

signals:
    void minValueChanged(float value);
    void maxValueChanged(float value);
    void floatValueChanged(float value);

private:
    float m_minValue;
    float m_maxValue;
};
