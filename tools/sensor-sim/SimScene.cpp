#include "SimScene.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Vexa3dSim {

namespace {

struct Box
{
    Vec3 lo, hi;
    double reflectivity;
    int id;
};

constexpr double kFloor = -1.2;
constexpr double kCeiling = 1.8;
constexpr Box kRoom{{-4.0, -3.5, kFloor}, {6.0, 4.5, kCeiling}, 0.6, 0};

// Opaque furniture: a white crate, a dark cabinet, a small box and a thin pole (edge grazing).
constexpr Box kBoxes[] = {
    {{2.0, -2.0, kFloor}, {3.0, -1.0, -0.2}, 0.85, 10},
    {{-3.0, 2.0, kFloor}, {-2.2, 3.2, 0.3}, 0.12, 11},
    {{1.5, 2.5, kFloor}, {2.1, 3.1, -0.6}, 0.5, 12},
    {{-1.0, -1.5, kFloor}, {-0.9, -1.4, kCeiling}, 0.7, 13},
};
constexpr int kMovingId = 20;
constexpr int kGlassId = 30;
// Glass pane in the plane x = 4: a weak return, the ray goes on.
constexpr double kGlassX = 4.0;
constexpr double kGlassY0 = -3.0, kGlassY1 = -0.5, kGlassZ0 = -0.5, kGlassZ1 = 1.2;
constexpr double kGlassReflectivity = 0.06;
// Doorway in the wall x = 6 with nothing behind it: no return.
constexpr double kDoorY0 = 0.5, kDoorY1 = 1.5, kDoorZ1 = 0.9;

double component(const Vec3 &v, int axis)
{
    return axis == 0 ? v.x : (axis == 1 ? v.y : v.z);
}

// Slab test for a ray from the origin; returns the entry distance and the axis of the entry face.
bool hitBox(const Box &box, const Vec3 &d, double *t, int *axis)
{
    double tNear = 0.0, tFar = std::numeric_limits<double>::infinity();
    int nearAxis = -1;
    for (int a = 0; a < 3; ++a) {
        const double dir = component(d, a), lo = component(box.lo, a), hi = component(box.hi, a);
        if (std::fabs(dir) < 1e-12) {
            if (0.0 < lo || 0.0 > hi)
                return false;
            continue;
        }
        double t0 = lo / dir, t1 = hi / dir;
        if (t0 > t1)
            std::swap(t0, t1);
        if (t0 > tNear) {
            tNear = t0;
            nearAxis = a;
        }
        tFar = std::min(tFar, t1);
        if (tNear > tFar)
            return false;
    }
    if (nearAxis < 0) // origin inside the box
        return false;
    *t = tNear;
    *axis = nearAxis;
    return true;
}

// Exit distance and axis of the room box seen from inside.
double roomExit(const Vec3 &d, int *axis)
{
    double best = std::numeric_limits<double>::infinity();
    for (int a = 0; a < 3; ++a) {
        const double dir = component(d, a);
        if (std::fabs(dir) < 1e-12)
            continue;
        const double t = (dir > 0 ? component(kRoom.hi, a) : component(kRoom.lo, a)) / dir;
        if (t < best) {
            best = t;
            *axis = a;
        }
    }
    return best;
}

} // namespace

Vec3 SimScene::movingBoxCentre(uint32_t timeMs, bool moving)
{
    // Walks to and fro between x = -1.75 and x = 3.25 along y = 1, once every 8 seconds.
    const double phase = moving ? 2.0 * M_PI * static_cast<double>(timeMs % 8000u) / 8000.0 : 0.0;
    return {0.75 + 2.5 * std::sin(phase), 1.0, kFloor + 0.85};
}

void SimScene::cast(const Vec3 &d, uint32_t timeMs, bool moving, std::vector<SceneHit> &hits)
{
    hits.clear();
    int axis = 0;
    double nearest = roomExit(d, &axis);
    double reflectivity = kRoom.reflectivity;
    int surface = kRoom.id + axis * 2 + (component(d, axis) > 0 ? 1 : 0);
    if (axis == 2)
        reflectivity = component(d, 2) > 0 ? 0.75 : 0.3; // bright ceiling, grey floor
    bool open = false;
    if (axis == 0 && d.x > 0) {
        const double y = d.y * nearest, z = d.z * nearest;
        open = y > kDoorY0 && y < kDoorY1 && z < kDoorZ1;
    }
    double cosine = std::fabs(component(d, axis));

    auto consider = [&](const Box &box) {
        double t = 0.0;
        int a = 0;
        if (hitBox(box, d, &t, &a) && t < nearest) {
            nearest = t;
            reflectivity = box.reflectivity;
            surface = box.id * 8 + a;
            cosine = std::fabs(component(d, a));
            open = false;
        }
    };
    for (const Box &box : kBoxes)
        consider(box);
    const Vec3 c = movingBoxCentre(timeMs, moving);
    consider(Box{{c.x - 0.2, c.y - 0.2, kFloor}, {c.x + 0.2, c.y + 0.2, kFloor + 1.7}, 0.4, kMovingId});

    if (d.x > 1e-9) {
        const double t = kGlassX / d.x;
        const double y = d.y * t, z = d.z * t;
        if (t < nearest && y > kGlassY0 && y < kGlassY1 && z > kGlassZ0 && z < kGlassZ1)
            hits.push_back({t, kGlassReflectivity * d.x, kGlassId});
    }
    if (!open)
        hits.push_back({nearest, reflectivity * std::max(cosine, 0.05), surface});
}

} // namespace Vexa3dSim
