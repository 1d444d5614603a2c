#include "FloatMinMaxFilter.h"

#include "BoolProperty.h"
#include "FloatProperty.h"

#include <algorithm>

FloatMinMaxFilter::FloatMinMaxFilter(QObject *parent) : DataFilter(parent)
{
    m_min = new FloatProperty(this);
    m_min->setKey(QStringLiteral("min"));
    m_max = new FloatProperty(this);
    m_max->setKey(QStringLiteral("max"));
    group()->addChild(m_min);
    group()->addChild(m_max);
    setRange(-100.0f, 100.0f);

    // The window never turns inside out: the other end follows the one the user moved past it.
    connect(m_min, &FloatProperty::floatValueChanged, this, [this](float v) {
        if (v > m_max->floatValue())
            m_max->setFloatValue(v);
        publish();
        emit changed();
    });
    connect(m_max, &FloatProperty::floatValueChanged, this, [this](float v) {
        if (v < m_min->floatValue())
            m_min->setFloatValue(v);
        publish();
        emit changed();
    });
    connect(group(), &BoolProperty::boolValueChanged, this, [this] {
        publish();
        emit changed();
    });
}

void FloatMinMaxFilter::apply(VEXA3D_MEASUREMENT_DATA_T &data)
{
    const std::shared_ptr<const Window> w = m_window.load();
    if (w->enabled)
        applyWindow(data, *w);
}

void FloatMinMaxFilter::applyWindow(VEXA3D_MEASUREMENT_DATA_T &data, const Window &window) const
{
    const size_t spots = std::min<size_t>(data.receivedSpotCount, data.spots.size());
    for (size_t s = 0; s < spots; ++s) {
        VEXA3D_SPOT_T &spot = data.spots[s];
        const size_t echoes = std::min<size_t>(spot.count, spot.echoes.size());
        for (size_t e = 0; e < echoes; ++e) {
            const float v = valueOf(window, spot, e);
            if (v < window.min || v > window.max)
                spot.echoes[e].range = 0.0;
        }
    }
}

float FloatMinMaxFilter::value(const VEXA3D_SPOT_T &spot, int echoIndex) const
{
    if (echoIndex < 0 || size_t(echoIndex) >= spot.echoes.size())
        return 0.0f;
    return valueOf(*m_window.load(), spot, size_t(echoIndex));
}

void FloatMinMaxFilter::retranslate()
{
    const QString u = unit();
    const QString suffix = u.isEmpty() ? QString() : QLatin1Char(' ') + u;
    m_min->setName(tr("Min") + suffix);
    m_max->setName(tr("Max") + suffix);
    DataFilter::retranslate();
}

void FloatMinMaxFilter::setTranslationMatrix(const QMatrix4x4 &transMat)
{
    if (transMat == m_translation)
        return;
    m_translation = transMat;
    publish();
    emit changed();
}

void FloatMinMaxFilter::setRotationMatrix(const QMatrix4x4 &rotMat)
{
    if (rotMat == m_rotation)
        return;
    m_rotation = rotMat;
    publish();
    emit changed();
}

void FloatMinMaxFilter::setRange(float lo, float hi)
{
    for (FloatProperty *p : {m_min, m_max}) {
        p->setMinValue(lo);
        p->setMaxValue(hi);
    }
    m_min->setFloatValue(lo);
    m_max->setFloatValue(hi);
    m_min->setDefaultValue(QVariant(lo));
    m_max->setDefaultValue(QVariant(hi));
    publish();
}

void FloatMinMaxFilter::publish()
{
    auto w = std::make_shared<Window>();
    w->enabled = group()->boolValue();
    w->min = m_min->floatValue();
    w->max = m_max->floatValue();
    w->pose = m_translation * m_rotation;
    m_window.store(std::move(w));
}
