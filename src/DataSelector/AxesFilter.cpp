#include "AxesFilter.h"

#include "BoolProperty.h"

AxisMinMaxFilter::AxisMinMaxFilter(int axis, QObject *parent) : FloatMinMaxFilter(parent), m_axis(axis)
{
    setEnabled(true);
    group()->setDefaultValue(true);
}

float AxisMinMaxFilter::valueOf(const Window &window, const VEXA3D_SPOT_T &spot, size_t echoIndex) const
{
    if (echoIndex >= spot.points.size())
        return 0.0f;
    const VEXA3D_POINT_T &p = spot.points[echoIndex];
    // map() divides by w when the bottom row is not (0, 0, 0, 1).
    return window.pose.map(QVector3D(float(p.x), float(p.y), float(p.z)))[m_axis];
}

DepthFilter::DepthFilter(QObject *parent) : AxisMinMaxFilter(0, parent)
{
    retranslate();
}

WidthFilter::WidthFilter(QObject *parent) : AxisMinMaxFilter(1, parent)
{
    retranslate();
}

HeightFilter::HeightFilter(QObject *parent) : AxisMinMaxFilter(2, parent)
{
    retranslate();
}

AxesFilter::AxesFilter(QObject *parent) : DataFilter(parent)
{
    m_depth = new DepthFilter(this);
    m_width = new WidthFilter(this);
    m_height = new HeightFilter(this);
    for (FloatMinMaxFilter *f :
         {static_cast<FloatMinMaxFilter *>(m_depth), static_cast<FloatMinMaxFilter *>(m_width),
          static_cast<FloatMinMaxFilter *>(m_height)}) {
        group()->addChild(f->property());
        connect(f, &DataFilter::changed, this, [this] {
            publish();
            emit changed();
        });
    }
    connect(group(), &BoolProperty::boolValueChanged, this, [this] {
        publish();
        emit changed();
    });
    retranslate();
    publish();
}

void AxesFilter::apply(VEXA3D_MEASUREMENT_DATA_T &data)
{
    const std::shared_ptr<const State> state = m_state.load();
    if (!state->enabled)
        return;
    const FloatMinMaxFilter *filters[3] = {m_depth, m_width, m_height};
    for (int i = 0; i < 3; ++i) {
        if (state->windows[i]->enabled)
            filters[i]->applyWindow(data, *state->windows[i]);
    }
}

void AxesFilter::retranslate()
{
    m_depth->retranslate();
    m_width->retranslate();
    m_height->retranslate();
    DataFilter::retranslate();
}

void AxesFilter::setTranslationMatrix(const QMatrix4x4 &transMat)
{
    m_depth->setTranslationMatrix(transMat);
    m_width->setTranslationMatrix(transMat);
    m_height->setTranslationMatrix(transMat);
}

void AxesFilter::setRotationMatrix(const QMatrix4x4 &rotMat)
{
    m_depth->setRotationMatrix(rotMat);
    m_width->setRotationMatrix(rotMat);
    m_height->setRotationMatrix(rotMat);
}

void AxesFilter::publish()
{
    auto state = std::make_shared<State>();
    state->enabled = group()->boolValue();
    state->windows[0] = m_depth->window();
    state->windows[1] = m_width->window();
    state->windows[2] = m_height->window();
    m_state.store(std::move(state));
}
