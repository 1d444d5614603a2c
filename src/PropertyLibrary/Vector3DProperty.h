#pragma once

#include "PropertyItem.h"

#include <QVector3D>

class FloatProperty;

// Three float children (X, Y, Z); the node itself shows them as "x; y; z".
class Vector3DProperty : public PropertyItem
{
    Q_OBJECT
    Q_PROPERTY(float minValue READ minValue WRITE setMinValue NOTIFY minValueChanged)
    Q_PROPERTY(float maxValue READ maxValue WRITE setMaxValue NOTIFY maxValueChanged)

public:
    explicit Vector3DProperty(QObject *parent = nullptr);

    QVector3D vector3DValue() const { return m_vector; }
    float minValue() const { return m_minValue; }
    float maxValue() const { return m_maxValue; }
    FloatProperty *xProperty() const { return m_x; }
    FloatProperty *yProperty() const { return m_y; }
    FloatProperty *zProperty() const { return m_z; }

    void retranslate() override;

public slots:
    void setValue(const QVariant &value) override;
    void setMinValue(float value);
    void setMaxValue(float value);
    void setVector3DValue(const QVector3D &value);
    void setLabels(const QString &x, const QString &y, const QString &z);
    void setKeys(const QString &x, const QString &y, const QString &z);

signals:
    void minValueChanged(float value);
    void maxValueChanged(float value);
    void vector3DValueChanged(const QVector3D &value);

private:
    void refreshText();

    float m_minValue = -100.0f;
    float m_maxValue = 100.0f;
    QVector3D m_vector;
    FloatProperty *m_x = nullptr;
    FloatProperty *m_y = nullptr;
    FloatProperty *m_z = nullptr;
    bool m_settingVector = false;
    bool m_ownLabels = false;
};
