#pragma once

#include "DataFilter.h"
#include "Published.h"

#include <QMatrix4x4>

class FloatProperty;

// Removes echoes whose value lies outside the window [Min, Max].
class FloatMinMaxFilter : public DataFilter
{
    Q_OBJECT
public:
    // The settings apply() works with, frozen.
    struct Window
    {
        bool enabled = false;
        float min = 0.0f;
        float max = 0.0f;
        QMatrix4x4 pose; // T·R; only the axis filters look at it
    };

    explicit FloatMinMaxFilter(QObject *parent = nullptr);

    void apply(VEXA3D_MEASUREMENT_DATA_T &data) override;
    bool isEnabled() const override { return m_window.load()->enabled; }
    void retranslate() override;
    void setTranslationMatrix(const QMatrix4x4 &transMat) override;
    void setRotationMatrix(const QMatrix4x4 &rotMat) override;

    // The tested value of one echo under the current settings.
    virtual float value(const VEXA3D_SPOT_T &spot, int echoIndex) const;

    // Limits of both properties; Min and its default become lo, Max and its default hi.
    void setRange(float lo, float hi);

    FloatProperty *minProperty() const { return m_min; }
    FloatProperty *maxProperty() const { return m_max; }
    std::shared_ptr<const Window> window() const { return m_window.load(); }
    // Filters with the given settings, enabled or not.
    void applyWindow(VEXA3D_MEASUREMENT_DATA_T &data, const Window &window) const;

protected:
    // Shown after "Min" and "Max"; empty for none.
    virtual QString unit() const { return QString(); }
    virtual float valueOf(const Window &window, const VEXA3D_SPOT_T &spot, size_t echoIndex) const = 0;
    // Subclass constructors call it once their name and range are set.
    void publish();

private:
    FloatProperty *m_min = nullptr;
    FloatProperty *m_max = nullptr;
    QMatrix4x4 m_translation;
    QMatrix4x4 m_rotation;
    Published<Window> m_window;
};
