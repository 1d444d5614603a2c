#include "DataSelectorFactory.h"

#include "AxisDataSelector.h"
#include "ValueDataSelectors.h"

DataSelector *DataSelectorFactory::create(int type, QObject *parent)
{
    switch (type) {
    case Axis:
        return new AxisDataSelector(parent);
    case Range:
        return new RangeDataSelector(parent);
    case Intensity:
        return new IntensityDataSelector(parent);
    case Echo:
        return new EchoDataSelector(parent);
    case Line:
        return new LineDataSelector(parent);
    default:
        return nullptr;
    }
}

QString DataSelectorFactory::name(int type)
{
    switch (type) {
    case Axis:
        return AxisDataSelector::displayName();
    case Range:
        return RangeDataSelector::displayName();
    case Intensity:
        return IntensityDataSelector::displayName();
    case Echo:
        return EchoDataSelector::displayName();
    case Line:
        return LineDataSelector::displayName();
    default:
        return QString();
    }
}
