#pragma once

#include "DRALMeasurementData.h"

// A complete line of `spots` x `echoes` echoes: range 1 + spot / 100 + echo, level 100 * echo + spot,
// angles 0.1 and 0.2 rad, point (spot, echo, -1).
inline QSharedPointer<DRALMeasurementData> tableRecord(int spots, int echoes, int motorField, int remField,
                                                       int line, int frame = 1, quint32 timestamp = 5000)
{
    VEXA3D_SPEC_T spec;
    spec.spotCount = quint16(spots);
    spec.echoCount = quint8(echoes);
    auto data = QSharedPointer<VEXA3D_MEASUREMENT_DATA_T>::create(spec);
    for (int s = 0; s < spots; ++s) {
        data->spots[size_t(s)].count = quint32(echoes);
        for (int e = 0; e < echoes; ++e) {
            const quint32 level = quint32(100 * e + s);
            data->spots[size_t(s)].echoes[size_t(e)] = {1.0 + s / 100.0 + e, 0.1, 0.2, level, 0};
            data->spots[size_t(s)].points[size_t(e)] = {double(s), double(e), -1.0, level, 0};
        }
    }
    data->receivedSpotCount = quint16(spots);
    data->motorFieldNumber = quint8(motorField);
    data->remFieldNumber = quint8(remField);
    data->lineNumber = quint16(line);
    data->frameNumber = quint8(frame);
    data->timestamp = timestamp;
    return QSharedPointer<DRALMeasurementData>::create(data, spec);
}

inline VEXA3D_MEASUREMENT_DATA_T tableLine(int spots, int echoes, int motorField, int remField, int line)
{
    return *tableRecord(spots, echoes, motorField, remField, line)->data();
}
