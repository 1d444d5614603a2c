#pragma once

#include "DataSelector.h"
#include "Published.h"

#include <QMatrix4x4>

class ComboBoxProperty;

// One coordinate of the echo's point after the point cloud's pose.
class AxisDataSelector : public DataSelector
{
    Q_OBJECT
    Q_PROPERTY(AxisType axis READ axis WRITE setAxis NOTIFY axisChanged)
public:
    enum AxisType
    {
        X_Axis = 0,
        Y_Axis = 1,
        Z_Axis = 2
    };
    Q_ENUM(AxisType)

    explicit AxisDataSelector(QObject *parent = nullptr);

    static QString displayName() { return tr("Axis"); }
    QString name() const override { return displayName(); }
    QString key() const override { return QStringLiteral("axis"); }
    PropertyItem *property() const override;
    QString valueText(float value) const override;
    float lowerLimit() const override { return -100.0f; }
    float upperLimit() const override { return 100.0f; }
    float defaultMin() const override { return -5.0f; }
    float defaultMax() const override { return 10.0f; }
    void retranslate() override;
    std::shared_ptr<const SelectorFunction> function() const override { return m_function.load(); }

    AxisType axis() const { return m_axis; }
    QMatrix4x4 rotationMatrix() const { return m_rotation; }
    QMatrix4x4 translationMatrix() const { return m_translation; }

public slots:
    void setAxis(AxisDataSelector::AxisType axis);
    void setRotationMatrix(const QMatrix4x4 &rotMat);
    void setTranslationMatrix(const QMatrix4x4 &transMat);

signals:
    void axisChanged(AxisDataSelector::AxisType axis);

private:
    void publish();

    AxisType m_axis = Z_Axis;
    QMatrix4x4 m_rotation;
    QMatrix4x4 m_translation;
    ComboBoxProperty *m_property = nullptr;
    Published<SelectorFunction> m_function;
};
