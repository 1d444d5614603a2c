#include "DataFilter.h"

#include "BoolProperty.h"

DataFilter::DataFilter(QObject *parent) : AbstractDataFilter(parent)
{
    m_group = new BoolProperty(this);
    m_group->setBoolValue(false);
    m_group->setDefaultValue(false);
}

PropertyItem *DataFilter::property() const
{
    return m_group;
}

void DataFilter::retranslate()
{
    m_group->setName(name());
    m_group->setKey(key());
    // Settings are leaves here; nested filters rename their own groups.
    for (PropertyItem *child : m_group->children())
        child->retranslate();
    m_group->retranslate();
}

void DataFilter::setEnabled(bool enabled)
{
    m_group->setBoolValue(enabled);
}
