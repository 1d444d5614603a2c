#include "GradientColorScheme.h"

#include "ColorProperty.h"

GradientColorScheme::GradientColorScheme(QObject *parent) : ColorScheme(parent)
{
    property()->setKey(QStringLiteral("gradient"));
    m_maxColor = new ColorProperty(this);
    m_maxColor->setKey(QStringLiteral("max_color"));
    m_maxColor->setColorValue(QColor(Qt::red));
    m_maxColor->setDefaultValue(QColor(Qt::red));
    m_minColor = new ColorProperty(this);
    m_minColor->setKey(QStringLiteral("min_color"));
    m_minColor->setColorValue(QColor(Qt::yellow));
    m_minColor->setDefaultValue(QColor(Qt::yellow));
    property()->addChild(m_maxColor);
    property()->addChild(m_minColor);
    for (ColorProperty *p : {m_maxColor, m_minColor}) {
        connect(p, &ColorProperty::colorValueChanged, this, [this] {
            publish();
            emit changed();
        });
    }
    retranslate();
    publish();
}

QColor GradientColorScheme::minColor() const
{
    return m_minColor->colorValue();
}

QColor GradientColorScheme::maxColor() const
{
    return m_maxColor->colorValue();
}

void GradientColorScheme::retranslate()
{
    m_maxColor->setName(tr("Max Color"));
    m_minColor->setName(tr("Min Color"));
    ColorScheme::retranslate();
}

void GradientColorScheme::setMinColor(const QColor &color)
{
    m_minColor->setColorValue(color);
}

void GradientColorScheme::setMaxColor(const QColor &color)
{
    m_maxColor->setColorValue(color);
}

QVector3D GradientColorScheme::map(const Params &params, float value)
{
    float t = (value - params.min) / (params.max - params.min);
    // NaN (an empty window) counts as the low end.
    t = t > 0.0f ? (t < 1.0f ? t : 1.0f) : 0.0f;
    return params.maxColor * t + params.minColor * (1.0f - t);
}
