#pragma once

#include "Vexa3dTypes.h"

#include <vector>

// Builds small measurement lines for the filter and colour tests.
struct EchoSpec
{
    double range = 1.0;
    uint32_t level = 1000;
    double x = 0.0, y = 0.0, z = 0.0;
    double firstAngle = 0.0, secondAngle = 0.0;
};

inline VEXA3D_SPEC_T smallSpec(uint16_t spots, uint8_t echoes)
{
    VEXA3D_SPEC_T spec;
    spec.spotCount = spots;
    spec.echoCount = echoes;
    return spec;
}

// One spot per entry of spots, each with its echoes valid; the line is complete.
inline VEXA3D_MEASUREMENT_DATA_T makeLine(const std::vector<std::vector<EchoSpec>> &spots,
                                          uint8_t echoCount = 4)
{
    VEXA3D_MEASUREMENT_DATA_T line(smallSpec(uint16_t(spots.size()), echoCount));
    for (size_t s = 0; s < spots.size(); ++s) {
        VEXA3D_SPOT_T &spot = line.spots[s];
        spot.count = uint32_t(spots[s].size());
        for (size_t e = 0; e < spots[s].size(); ++e) {
            const EchoSpec &in = spots[s][e];
            spot.echoes[e].range = in.range;
            spot.echoes[e].level = in.level;
            spot.echoes[e].firstAngle = in.firstAngle;
            spot.echoes[e].secondAngle = in.secondAngle;
            spot.points[e].x = in.x;
            spot.points[e].y = in.y;
            spot.points[e].z = in.z;
        }
    }
    line.receivedSpotCount = uint16_t(spots.size());
    line.isLineDataReady = 1;
    return line;
}

// The ranges of every echo slot of every spot, row by row.
inline std::vector<double> ranges(const VEXA3D_MEASUREMENT_DATA_T &line)
{
    std::vector<double> out;
    for (const VEXA3D_SPOT_T &spot : line.spots)
        for (const VEXA3D_ECHO_T &echo : spot.echoes)
            out.push_back(echo.range);
    return out;
}
