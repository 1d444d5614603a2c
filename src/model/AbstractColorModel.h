#pragma once

#include "Vexa3dTypes.h"

#include <QObject>
#include <QVector3D>

// The colour of one echo. Measurement records ask it for every echo they turn into a point.
class AbstractColorModel : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~AbstractColorModel() override = default;

    // RGB floats in 0..1 for echo echoIndex of spot.
    virtual QVector3D color(const VEXA3D_SPOT_T &spot, int echoIndex, int lineNumber, int motorFieldNumber,
                            int remFieldNumber) const = 0;
};
