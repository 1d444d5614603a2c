#pragma once

#include "AbstractDataFilter.h"

class BoolProperty;

// Base of the filters: the check box group that holds a filter's settings.
class DataFilter : public AbstractDataFilter
{
    Q_OBJECT
public:
    explicit DataFilter(QObject *parent = nullptr);

    PropertyItem *property() const override;
    BoolProperty *group() const { return m_group; }
    void retranslate() override;

    // Checks or unchecks the group, as the user would.
    void setEnabled(bool enabled);

signals:
    void changed();

private:
    BoolProperty *m_group = nullptr;
};
