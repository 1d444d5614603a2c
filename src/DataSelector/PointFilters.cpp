#include "PointFilters.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double radToDeg = 180.0 / 3.14159265358979323846;

template <typename F> void forEachEcho(VEXA3D_MEASUREMENT_DATA_T &data, F f)
{
    const size_t spots = std::min<size_t>(data.receivedSpotCount, data.spots.size());
    for (size_t s = 0; s < spots; ++s) {
        VEXA3D_SPOT_T &spot = data.spots[s];
        const size_t echoes = std::min<size_t>(spot.count, spot.echoes.size());
        for (size_t e = 0; e < echoes; ++e)
            f(spot.echoes[e], e);
    }
}
} // namespace

RangeFilter::RangeFilter(QObject *parent) : FloatMinMaxFilter(parent)
{
    setRange(0.0f, 100.0f);
    retranslate();
}

float RangeFilter::valueOf(const Window &, const VEXA3D_SPOT_T &spot, size_t echoIndex) const
{
    return float(spot.echoes[echoIndex].range);
}

LevelFilter::LevelFilter(QObject *parent) : IntegerMinMaxFilter(parent)
{
    setRange(0, 60000);
    retranslate();
}

void LevelFilter::applyWindow(VEXA3D_MEASUREMENT_DATA_T &data, const Window &window) const
{
    forEachEcho(data, [&window](VEXA3D_ECHO_T &echo, size_t) {
        const int32_t level = int32_t(echo.level);
        if (level > window.max || level < window.min)
            echo.range = 0.0;
    });
}

EchoFilter::EchoFilter(QObject *parent) : IntegerMinMaxFilter(parent)
{
    setRange(0, 3);
    retranslate();
}

void EchoFilter::applyWindow(VEXA3D_MEASUREMENT_DATA_T &data, const Window &window) const
{
    const long long lo = std::max(window.min, 0);
    const long long hi = window.max;
    forEachEcho(data, [lo, hi](VEXA3D_ECHO_T &echo, size_t index) {
        if (static_cast<long long>(index) < lo || static_cast<long long>(index) > hi)
            echo.range = 0.0;
    });
}

HAngleFilter::HAngleFilter(QObject *parent) : FloatMinMaxFilter(parent)
{
    setRange(-180.0f, 180.0f);
    retranslate();
}

float HAngleFilter::valueOf(const Window &, const VEXA3D_SPOT_T &spot, size_t echoIndex) const
{
    return float(spot.echoes[echoIndex].secondAngle * radToDeg);
}

VAngleFilter::VAngleFilter(QObject *parent) : FloatMinMaxFilter(parent)
{
    setRange(-180.0f, 180.0f);
    retranslate();
}

float VAngleFilter::valueOf(const Window &, const VEXA3D_SPOT_T &spot, size_t echoIndex) const
{
    return float(spot.echoes[echoIndex].firstAngle * radToDeg);
}
