#include "DataFilterFactory.h"

#include "AxesFilter.h"
#include "PointFilters.h"

DataFilter *DataFilterFactory::create(int type, QObject *parent)
{
    switch (type) {
    case Range:
        return new RangeFilter(parent);
    case Level:
        return new LevelFilter(parent);
    case Echo:
        return new EchoFilter(parent);
    case Axes:
        return new AxesFilter(parent);
    case HAngle:
        return new HAngleFilter(parent);
    case VAngle:
        return new VAngleFilter(parent);
    default:
        return nullptr;
    }
}

QList<DataFilter *> DataFilterFactory::createAll(QObject *parent)
{
    QList<DataFilter *> filters;
    for (int i = 0; i < count; ++i)
        filters.append(create(i, parent));
    return filters;
}

QList<AbstractDataFilter *> DataFilterFactory::enabledFilters(const QList<DataFilter *> &filters)
{
    QList<AbstractDataFilter *> enabled;
    for (DataFilter *f : filters) {
        if (f && f->isEnabled())
            enabled.append(f);
    }
    return enabled;
}
