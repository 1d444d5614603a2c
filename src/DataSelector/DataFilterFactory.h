#pragma once

#include <QList>
#include <QObject>

class AbstractDataFilter;
class DataFilter;

class DataFilterFactory
{
    Q_GADGET
public:
    enum DataFilterType
    {
        Range = 0,
        Level = 1,
        Echo = 2,
        Axes = 3,
        HAngle = 4,
        VAngle = 5
    };
    Q_ENUM(DataFilterType)
    static constexpr int count = 6;

    // Null for an unknown type.
    static DataFilter *create(int type, QObject *parent = nullptr);
    // One filter of every type, in the order in which they run.
    static QList<DataFilter *> createAll(QObject *parent = nullptr);
    // The enabled ones of filters, in the same order. Safe to call from any thread.
    static QList<AbstractDataFilter *> enabledFilters(const QList<DataFilter *> &filters);
};
