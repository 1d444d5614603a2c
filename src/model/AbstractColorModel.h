#pragma once

#include "Vexa3dTypes.h"

#include <QObject>
#include <QVector3D>

#include <memory>

// A frozen copy of a colour model's settings. It never changes, so any thread may use it while the GUI
// thread edits the model; a thread that colours a whole line takes one per line, so an edit applies from
// the next line on.
class ColorFunction
{
public:
    virtual ~ColorFunction() = default;
    virtual QVector3D color(const VEXA3D_SPOT_T &spot, int echoIndex, int lineNumber, int motorFieldNumber,
                            int remFieldNumber) const = 0;
};

// The colour of one echo. Measurement records ask it for every echo they turn into a point.
class AbstractColorModel : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~AbstractColorModel() override = default;

    // RGB floats in 0..1 for echo echoIndex of spot. Safe to call from any thread.
    virtual QVector3D color(const VEXA3D_SPOT_T &spot, int echoIndex, int lineNumber, int motorFieldNumber,
                            int remFieldNumber) const = 0;

    // The current settings as an immutable function, or null when the model has none; callers then use
    // color() per echo.
    virtual std::shared_ptr<const ColorFunction> colorFunction() const { return nullptr; }
};
