#pragma once

#include "Vexa3dTypes.h"

#include <QMatrix4x4>
#include <QObject>
#include <QString>

class PropertyItem;

// Removes echoes of a line in place by setting their range to 0.
//
// The GUI thread edits a filter's settings while a streaming thread may run apply(); apply() and
// isEnabled() therefore read an immutable copy of the settings that every edit replaces, taken once per
// call, so an edit takes effect from the next line. Everything else belongs to the GUI thread.
class AbstractDataFilter : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~AbstractDataFilter() override = default;

    // Filters every received spot and every valid echo of data. Does nothing while the filter is disabled.
    virtual void apply(VEXA3D_MEASUREMENT_DATA_T &data) = 0;
    virtual QString name() const = 0;
    virtual QString key() const = 0;
    // The check box group that holds the filter's settings; its value is the enabled state.
    virtual PropertyItem *property() const = 0;
    virtual void retranslate() {}
    // The point cloud's pose; ignored by filters that do not look at positions.
    virtual void setTranslationMatrix(const QMatrix4x4 &) {}
    virtual void setRotationMatrix(const QMatrix4x4 &) {}
    // Whether the group is checked. Safe to call from any thread.
    virtual bool isEnabled() const = 0;
};
