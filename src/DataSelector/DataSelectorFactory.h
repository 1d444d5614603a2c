#pragma once

#include <QObject>
#include <QString>

class DataSelector;

class DataSelectorFactory
{
    Q_GADGET
public:
    enum DataSelectorType
    {
        Axis = 0,
        Range = 1,
        Intensity = 2,
        Echo = 3,
        Line = 4
    };
    Q_ENUM(DataSelectorType)
    static constexpr int count = 5;

    // Null for an unknown type.
    static DataSelector *create(int type, QObject *parent = nullptr);
    // The translated name of a type, for choices offered before one exists.
    static QString name(int type);
};
