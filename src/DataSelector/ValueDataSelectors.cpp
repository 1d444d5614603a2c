#include "ValueDataSelectors.h"

#include <QtMath>

namespace {

bool hasEcho(const VEXA3D_SPOT_T &spot, int echoIndex)
{
    return echoIndex >= 0 && size_t(echoIndex) < spot.echoes.size();
}

class RangeFunction : public SelectorFunction
{
public:
    float value(const VEXA3D_SPOT_T &spot, int echoIndex, int, int, int) const override
    {
        return hasEcho(spot, echoIndex) ? float(spot.echoes[size_t(echoIndex)].range) : 0.0f;
    }
};

class IntensityFunction : public SelectorFunction
{
public:
    float value(const VEXA3D_SPOT_T &spot, int echoIndex, int, int, int) const override
    {
        return hasEcho(spot, echoIndex) ? float(spot.echoes[size_t(echoIndex)].level) : 0.0f;
    }
};

class EchoFunction : public SelectorFunction
{
public:
    float value(const VEXA3D_SPOT_T &, int echoIndex, int, int, int) const override
    {
        return float(echoIndex);
    }
};

class LineFunction : public SelectorFunction
{
public:
    float value(const VEXA3D_SPOT_T &, int, int lineNumber, int, int) const override
    {
        return float(lineNumber);
    }
};

// Rounds like qRound but stays defined for values no int can hold.
QString roundedText(float value)
{
    return QString::number(double(std::round(value)) + 0.0, 'f', 0); // + 0.0 turns -0 into 0
}

} // namespace

QString RangeDataSelector::valueText(float value) const
{
    return roundedText(value);
}

std::shared_ptr<const SelectorFunction> RangeDataSelector::function() const
{
    static const auto f = std::make_shared<const RangeFunction>();
    return f;
}

QString IntensityDataSelector::valueText(float value) const
{
    return roundedText(value);
}

std::shared_ptr<const SelectorFunction> IntensityDataSelector::function() const
{
    static const auto f = std::make_shared<const IntensityFunction>();
    return f;
}

QString EchoDataSelector::valueText(float value) const
{
    return tr("Echo") + QLatin1Char(' ') + roundedText(value);
}

std::shared_ptr<const SelectorFunction> EchoDataSelector::function() const
{
    static const auto f = std::make_shared<const EchoFunction>();
    return f;
}

QString LineDataSelector::valueText(float value) const
{
    return tr("Line") + QLatin1Char(' ') + roundedText(value);
}

std::shared_ptr<const SelectorFunction> LineDataSelector::function() const
{
    static const auto f = std::make_shared<const LineFunction>();
    return f;
}
