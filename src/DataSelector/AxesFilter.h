#pragma once

#include "FloatMinMaxFilter.h"

// A window on one world coordinate of the echo's point after the point cloud's pose. These filters look
// at positions, so the pose moves their windows with the world rather than with the sensor.
class AxisMinMaxFilter : public FloatMinMaxFilter
{
    Q_OBJECT
public:
    explicit AxisMinMaxFilter(int axis, QObject *parent = nullptr);

protected:
    QString unit() const override { return QStringLiteral("[m]"); }
    float valueOf(const Window &window, const VEXA3D_SPOT_T &spot, size_t echoIndex) const override;

private:
    int m_axis;
};

class DepthFilter : public AxisMinMaxFilter
{
    Q_OBJECT
public:
    explicit DepthFilter(QObject *parent = nullptr);
    QString name() const override { return tr("X Axis Filter"); }
    QString key() const override { return QStringLiteral("x_axis_filter"); }
};

class WidthFilter : public AxisMinMaxFilter
{
    Q_OBJECT
public:
    explicit WidthFilter(QObject *parent = nullptr);
    QString name() const override { return tr("Y Axis Filter"); }
    QString key() const override { return QStringLiteral("y_axis_filter"); }
};

class HeightFilter : public AxisMinMaxFilter
{
    Q_OBJECT
public:
    explicit HeightFilter(QObject *parent = nullptr);
    QString name() const override { return tr("Z Axis Filter"); }
    QString key() const override { return QStringLiteral("z_axis_filter"); }
};

// A group over the three axis filters; each runs when both it and the group are checked.
class AxesFilter : public DataFilter
{
    Q_OBJECT
public:
    explicit AxesFilter(QObject *parent = nullptr);

    void apply(VEXA3D_MEASUREMENT_DATA_T &data) override;
    bool isEnabled() const override { return m_state.load()->enabled; }
    QString name() const override { return tr("Axes Filter"); }
    QString key() const override { return QStringLiteral("axes_filter"); }
    void retranslate() override;
    void setTranslationMatrix(const QMatrix4x4 &transMat) override;
    void setRotationMatrix(const QMatrix4x4 &rotMat) override;

    DepthFilter *depthFilter() const { return m_depth; }
    WidthFilter *widthFilter() const { return m_width; }
    HeightFilter *heightFilter() const { return m_height; }

private:
    // The group's state and the three sub-filters' settings, taken together so that one line sees one
    // consistent set.
    struct State
    {
        bool enabled = false;
        std::shared_ptr<const FloatMinMaxFilter::Window> windows[3];
    };
    void publish();

    DepthFilter *m_depth = nullptr;
    WidthFilter *m_width = nullptr;
    HeightFilter *m_height = nullptr;
    Published<State> m_state;
};
