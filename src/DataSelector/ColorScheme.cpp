#include "ColorScheme.h"

#include "FloatProperty.h"
#include "PropertyItem.h"

#include <QPainter>
#include <QRect>

#include <cmath>

ColorScheme::ColorScheme(QObject *parent) : QObject(parent)
{
    m_group = new PropertyItem(this);
    m_maxProperty = new FloatProperty(this);
    m_maxProperty->setKey(QStringLiteral("max"));
    m_minProperty = new FloatProperty(this);
    m_minProperty->setKey(QStringLiteral("min"));
    m_group->addChild(m_maxProperty);
    m_group->addChild(m_minProperty);

    // Not through setMaxValue/setMinValue: publishing needs the subclass, which is not built yet.
    m_max = 10.0f;
    m_min = -5.0f;
    m_maxProperty->setFloatValue(m_max);
    m_minProperty->setFloatValue(m_min);
    setMaxDefaultValue(m_max);
    setMinDefaultValue(m_min);

    connect(m_maxProperty, &FloatProperty::floatValueChanged, this, &ColorScheme::setMaxValue);
    connect(m_minProperty, &FloatProperty::floatValueChanged, this, &ColorScheme::setMinValue);
}

ColorScheme::~ColorScheme() = default;

QVector3D ColorScheme::color(float value) const
{
    return params()->color(value);
}

PropertyItem *ColorScheme::property() const
{
    return m_group;
}

void ColorScheme::drawLegend(QPainter *painter, const QRect &rect, int orientation) const
{
    const std::shared_ptr<const Params> p = params();
    if (!painter || !(p->max - p->min > 0.0f))
        return;
    const int n = orientation == 1 ? rect.width() : rect.height();
    if (n <= 0)
        return;
    const float step = (p->max - p->min) / float(n);
    painter->save();
    painter->translate(rect.topLeft());
    for (int i = 0; i < n; ++i) {
        const QVector3D c = p->color(p->min + float(i) * step);
        painter->setPen(QColor::fromRgbF(qBound(0.0, double(c.x()), 1.0), qBound(0.0, double(c.y()), 1.0),
                                         qBound(0.0, double(c.z()), 1.0)));
        if (orientation == 1)
            painter->drawLine(i, 0, i, rect.height() - 1);
        else
            painter->drawLine(0, i, rect.width() - 1, i);
    }
    painter->restore();
}

void ColorScheme::retranslate()
{
    m_group->setName(name());
    m_maxProperty->setName(tr("Max"));
    m_minProperty->setName(tr("Min"));
    for (PropertyItem *child : m_group->children())
        child->retranslate();
    m_group->retranslate();
}

void ColorScheme::setMaxDefaultValue(float value)
{
    m_maxProperty->setDefaultValue(QVariant(value));
}

void ColorScheme::setMinDefaultValue(float value)
{
    m_minProperty->setDefaultValue(QVariant(value));
}

void ColorScheme::setMaxValue(float value)
{
    if (value == m_max)
        return;
    m_max = value;
    m_maxProperty->setFloatValue(value);
    if (value < m_minProperty->floatValue())
        m_minProperty->setFloatValue(value);
    publish();
    emit changed();
}

void ColorScheme::setMinValue(float value)
{
    if (value == m_min)
        return;
    m_min = value;
    m_minProperty->setFloatValue(value);
    if (value > m_maxProperty->floatValue())
        m_maxProperty->setFloatValue(value);
    publish();
    emit changed();
}

void ColorScheme::setValueRange(float min, float max)
{
    m_minProperty->setMinValue(min);
    m_minProperty->setMaxValue(max);
    m_maxProperty->setMinValue(min);
    m_maxProperty->setMaxValue(max);
}

void ColorScheme::publish()
{
    auto p = std::make_shared<Params>();
    p->min = m_min;
    p->max = m_max;
    p->inverted = invertedRange();
    p->minColor = toVector(minColor());
    p->maxColor = toVector(maxColor());
    p->map = mapFunction();
    m_params.store(std::move(p));
}

int ColorScheme::rampStep(const Params &params, float value)
{
    float t = (value - params.min) / (params.max - params.min);
    if (params.inverted)
        t = 1.0f - t;
    const float step = std::round(255.0f * t);
    // An empty window gives NaN or infinity; NaN counts as the low end.
    if (!(step > 0.0f))
        return 0;
    return step > 255.0f ? 255 : int(step);
}

QVector3D ColorScheme::toVector(const QColor &color)
{
    return QVector3D(float(color.redF()), float(color.greenF()), float(color.blueF()));
}
