#pragma once

#include "Vexa3dTypes.h"

#include <QObject>
#include <QString>

#include <memory>

class PropertyItem;

// A selector's current settings as an immutable value function, safe on any thread.
class SelectorFunction
{
public:
    virtual ~SelectorFunction() = default;
    virtual float value(const VEXA3D_SPOT_T &spot, int echoIndex, int lineNumber, int motorFieldNumber,
                        int remFieldNumber) const = 0;
};

// Extracts the number that colours an echo.
class DataSelector : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~DataSelector() override = default;

    virtual float value(const VEXA3D_SPOT_T &spot, int echoIndex, int lineNumber, int motorFieldNumber,
                        int remFieldNumber) const;
    virtual QString name() const = 0;
    virtual QString key() const = 0;
    virtual PropertyItem *property() const { return nullptr; }
    virtual QString valueText(float value) const = 0;
    virtual float lowerLimit() const = 0;
    virtual float upperLimit() const = 0;
    virtual float defaultMin() const = 0;
    virtual float defaultMax() const = 0;
    virtual void retranslate() {}
    // True when the value is an echo's level, which range-only data does not carry.
    virtual bool readsLevels() const { return false; }

    // The settings as they are now; a new object after every change.
    virtual std::shared_ptr<const SelectorFunction> function() const = 0;

signals:
    void changed();
};
