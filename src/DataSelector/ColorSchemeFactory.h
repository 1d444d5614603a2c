#pragma once

#include <QObject>
#include <QString>

class ColorScheme;

class ColorSchemeFactory
{
    Q_GADGET
public:
    enum ColorSchemeType
    {
        Hue = 0,
        Gray = 1,
        Gradient = 2
    };
    Q_ENUM(ColorSchemeType)
    static constexpr int count = 3;

    // Null for an unknown type.
    static ColorScheme *create(int type, QObject *parent = nullptr);
    // The translated name of a type, for choices offered before one exists.
    static QString name(int type);
};
