#pragma once

#include "DRALMeasurementData.h"
#include "Vexa3dTypes.h"

#include <QSharedPointer>

// A line of `spots` spots with `echoes` echoes each: range 1 + spot / 100 + echo, level 100 * echo + spot,
// x = spot, y = echo, z = -1; angles 0.1 and 0.2 rad.
inline VEXA3D_MEASUREMENT_DATA_T tableLine(int spots, int echoes, int motorField, int remField, int line,
                                           int frame = 1, quint32 timestamp = 5000)
{
    VEXA3D_SPEC_T spec;
    spec.spotCount = quint16(spots);
    spec.echoCount = quint8(echoes);
    VEXA3D_MEASUREMENT_DATA_T data(spec);
    for (int s = 0; s < spots; ++s) {
        VEXA3D_SPOT_T &spot = data.spots[size_t(s)];
        spot.count = quint32(echoes);
        for (int e = 0; e < echoes; ++e) {
            VEXA3D_ECHO_T &echo = spot.echoes[size_t(e)];
            echo.range = 1.0 + s / 100.0 + e;
            echo.level = quint32(100 * e + s);
            echo.firstAngle = 0.1;
            echo.secondAngle = 0.2;
            spot.points[size_t(e)] = VEXA3D_POINT_T{double(s), double(e), -1.0, echo.level, 0};
        }
    }
    data.receivedSpotCount = quint16(spots);
    data.motorFieldNumber = quint8(motorField);
    data.remFieldNumber = quint8(remField);
    data.lineNumber = quint16(line);
    data.frameNumber = quint8(frame);
    data.timestamp = timestamp;
    data.isLineDataReady = 1;
    return data;
}

inline QSharedPointer<DRALMeasurementData> tableRecord(int spots, int echoes, int motorField, int remField,
                                                       int line, int frame = 1, quint32 timestamp = 5000)
{
    VEXA3D_SPEC_T spec;
    spec.spotCount = quint16(spots);
    spec.echoCount = quint8(echoes);
    return QSharedPointer<DRALMeasurementData>::create(
        QSharedPointer<VEXA3D_MEASUREMENT_DATA_T>::create(
            tableLine(spots, echoes, motorField, remField, line, frame, timestamp)),
        spec);
}
