#pragma once

#include "PropertyItem.h"

// An int kept within [minValue, maxValue]; out-of-range values are clamped.
class IntegerProperty : public PropertyItem
{
    Q_OBJECT
    Q_PROPERTY(int minValue READ minValue WRITE setMinValue NOTIFY minValueChanged)
    Q_PROPERTY(int maxValue READ maxValue WRITE setMaxValue NOTIFY maxValueChanged)

public:
    explicit IntegerProperty(QObject *parent = nullptr);

    int intValue() const { return value().toInt(); }
    int minValue() const { return m_minValue; }
    int maxValue() const { return m_maxValue; }

    QVariant keyValue() const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option) override;

public slots:
    void setValue(const QVariant &value) override;
    void setKeyValue(const QVariant &keyValue) override;
    void setMinValue(int value);
    void setMaxValue(int value);
    void setIntValue(int value);

signals:
    void minValueChanged(int value);
    void maxValueChanged(int value);
    void intValueChanged(int value);

private:
    int m_minValue;
    int m_maxValue;
};
