#pragma once

#include "PropertyItem.h"

#include <QList>
#include <QMatrix4x4>

class AbstractDataFilter;
class DataFilter;

// The group "Filters": one filter of every type, each filter's check box group as a child, in the order
// in which they run.
class DataFilterProperty : public PropertyItem
{
    Q_OBJECT

public:
    explicit DataFilterProperty(QObject *parent = nullptr);

    QList<DataFilter *> filters() const { return m_filters; }
    // The filters whose group is checked, in running order. Safe to call from any thread.
    QList<AbstractDataFilter *> enabledFilters() const;

    void retranslate() override;

public slots:
    void setTranslationMatrix(QMatrix4x4 transMat);
    void setRotationMatrix(QMatrix4x4 rotMat);

private:
    // Fixed after construction, so other threads may read it.
    QList<DataFilter *> m_filters;
};
