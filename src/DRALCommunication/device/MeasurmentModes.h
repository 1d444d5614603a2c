#pragma once

#include <QMetaType>

// Bit set of the data kinds a live device streams. The underlying type is int so that any
// combination of the bits is a valid value.
enum MeasurmentModes : int
{
    StopMeasurementMode = 0,
    DistanceOnlyMode = 1,      // range only ("DAT:ro=")
    DistanceIntensityMode = 2, // range and level ("DAT:ri=")
    AuxiliaryMode = 4          // auxiliary packets ("DAT:ax=")
};

Q_DECLARE_METATYPE(MeasurmentModes)
