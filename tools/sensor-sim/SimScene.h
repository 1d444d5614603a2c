#pragma once

// The deterministic room the simulator scans: floor, ceiling, walls with an open doorway, a few
// boxes, a thin pole, a glass pane and one box that moves with time. The sensor sits at the origin.

#include <cstdint>
#include <vector>

namespace Vexa3dSim {

struct Vec3
{
    double x = 0.0, y = 0.0, z = 0.0;
};

struct SceneHit
{
    double range = 0.0;        // metres along the unit direction
    double reflectivity = 0.0; // already including the incidence angle
    int surface = -1;          // id; equal ids belong to one surface
};

class SimScene
{
public:
    // Every surface a ray from the origin meets until the first opaque one, nearest first.
    // Returns nothing when the ray leaves through the doorway.
    static void cast(const Vec3 &direction, uint32_t timeMs, bool moving, std::vector<SceneHit> &hits);

    // Centre of the moving box at a sensor time (its footprint is 0.4 m square, 1.7 m tall).
    static Vec3 movingBoxCentre(uint32_t timeMs, bool moving);
};

} // namespace Vexa3dSim
