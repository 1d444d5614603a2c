#include "InvertibleColorScheme.h"

#include "BoolProperty.h"

#include <array>

InvertibleColorScheme::InvertibleColorScheme(QObject *parent) : ColorScheme(parent)
{
    m_inverted = new BoolProperty(this);
    m_inverted->setKey(QStringLiteral("inverted"));
    m_inverted->setBoolValue(true);
    m_inverted->setDefaultValue(true);
    group()->addChild(m_inverted);
    connect(m_inverted, &BoolProperty::boolValueChanged, this, [this](bool inverted) {
        publish();
        emit invertedRangeChanged(inverted);
        emit changed();
    });
}

bool InvertibleColorScheme::invertedRange() const
{
    return m_inverted->boolValue();
}

void InvertibleColorScheme::retranslate()
{
    m_inverted->setName(tr("Inverted"));
    ColorScheme::retranslate();
}

void InvertibleColorScheme::setInvertedRange(bool invertedRange)
{
    // The property's change signal does the rest.
    m_inverted->setBoolValue(invertedRange);
}

HueColorScheme::HueColorScheme(QObject *parent) : InvertibleColorScheme(parent)
{
    property()->setKey(QStringLiteral("hue"));
    retranslate();
    publish();
}

QVector3D HueColorScheme::map(const Params &params, float value)
{
    // QColor's HSV conversion per echo is costly; the 256 ramp colours never change.
    static const std::array<QVector3D, 256> ramp = [] {
        std::array<QVector3D, 256> r;
        for (int h = 0; h < 256; ++h)
            r[size_t(h)] = toVector(QColor::fromHsv(h, 255, 255));
        return r;
    }();
    return ramp[size_t(rampStep(params, value))];
}

GrayColorScheme::GrayColorScheme(QObject *parent) : InvertibleColorScheme(parent)
{
    property()->setKey(QStringLiteral("gray"));
    retranslate();
    publish();
}

QVector3D GrayColorScheme::map(const Params &params, float value)
{
    const float g = float(rampStep(params, value)) / 255.0f;
    return QVector3D(g, g, g);
}
