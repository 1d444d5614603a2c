#pragma once

#include "Ray.h"
#include "Vexa3dTypes.h"

// The spot of a measurement line whose echo lies nearest to a pick ray, as the controllers pick the spot
// under the mouse over one frame.
struct SpotPick
{
    float distance = 0.0f; // of the echo from the ray's line, metres
    int motorField = -1;
    int remField = -1;
    int line = -1;
    int spot = -1; // -1: no echo nearer than the limit

    bool found() const { return spot >= 0; }
};

// The spot among the received spots of line with an echo of positive range nearer to the ray's line than
// limit (the ray's direction has unit length). Of equally near echoes the first wins.
SpotPick nearestSpot(const VEXA3D_MEASUREMENT_DATA_T &line, const Ray &ray, float limit);
