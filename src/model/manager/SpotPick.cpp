#include "SpotPick.h"

#include <algorithm>

SpotPick nearestSpot(const VEXA3D_MEASUREMENT_DATA_T &line, const Ray &ray, float limit)
{
    SpotPick best;
    best.distance = limit;
    const size_t spots = std::min<size_t>(line.receivedSpotCount, line.spots.size());
    for (size_t s = 0; s < spots; ++s) {
        const VEXA3D_SPOT_T &spot = line.spots[s];
        const size_t echoes = std::min({size_t(spot.count), spot.echoes.size(), spot.points.size()});
        for (size_t e = 0; e < echoes; ++e) {
            if (!(spot.echoes[e].range > 0.0))
                continue;
            const VEXA3D_POINT_T &p = spot.points[e];
            const QVector3D v = QVector3D(float(p.x), float(p.y), float(p.z)) - ray.origin;
            // Distance of the echo from the ray's line: |v| sin(angle between v and the ray).
            const float distance = QVector3D::crossProduct(v, ray.direction).length();
            if (distance < best.distance) {
                best.distance = distance;
                best.motorField = line.motorFieldNumber;
                best.remField = line.remFieldNumber;
                best.line = line.lineNumber;
                best.spot = int(s);
            }
        }
    }
    return best;
}
