#pragma once

#include "Vexa3dTypes.h"

#include <QMatrix4x4>
#include <QObject>
#include <QString>

class PropertyItem;

// Removes echoes of a line in place by setting their range to 0.
class AbstractDataFilter : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~AbstractDataFilter() override = default;

    virtual void apply(VEXA3D_MEASUREMENT_DATA_T &data) = 0;
    virtual QString name() const = 0;
    virtual QString key() const = 0;
    virtual PropertyItem *property() const = 0;
    virtual void retranslate() {}
    virtual void setTranslationMatrix(const QMatrix4x4 &) {}
    virtual void setRotationMatrix(const QMatrix4x4 &) {}
};
