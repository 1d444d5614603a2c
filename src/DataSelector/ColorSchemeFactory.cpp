#include "ColorSchemeFactory.h"

#include "GradientColorScheme.h"
#include "InvertibleColorScheme.h"

ColorScheme *ColorSchemeFactory::create(int type, QObject *parent)
{
    switch (type) {
    case Hue:
        return new HueColorScheme(parent);
    case Gray:
        return new GrayColorScheme(parent);
    case Gradient:
        return new GradientColorScheme(parent);
    default:
        return nullptr;
    }
}

QString ColorSchemeFactory::name(int type)
{
    switch (type) {
    case Hue:
        return HueColorScheme::displayName();
    case Gray:
        return GrayColorScheme::displayName();
    case Gradient:
        return GradientColorScheme::displayName();
    default:
        return QString();
    }
}
