#include "DataFilterProperty.h"

#include "DataFilter.h"
#include "DataFilterFactory.h"

#include <QIcon>

DataFilterProperty::DataFilterProperty(QObject *parent) : PropertyItem(parent)
{
    setKey(QStringLiteral("filters"));
    setIcon(QIcon(QStringLiteral(":/icons/filter")));
    m_filters = DataFilterFactory::createAll(this);
    for (DataFilter *filter : qAsConst(m_filters))
        addChild(filter->property());
    retranslate();
}

QList<AbstractDataFilter *> DataFilterProperty::enabledFilters() const
{
    return DataFilterFactory::enabledFilters(m_filters);
}

void DataFilterProperty::retranslate()
{
    setName(tr("Filters"));
    for (DataFilter *filter : qAsConst(m_filters))
        filter->retranslate();
    PropertyItem::retranslate();
}

void DataFilterProperty::setTranslationMatrix(QMatrix4x4 transMat)
{
    // Only the axes filter looks at positions; it hands the pose to its three axis filters.
    if (DataFilter *axes = m_filters.value(DataFilterFactory::Axes))
        axes->setTranslationMatrix(transMat);
}

void DataFilterProperty::setRotationMatrix(QMatrix4x4 rotMat)
{
    if (DataFilter *axes = m_filters.value(DataFilterFactory::Axes))
        axes->setRotationMatrix(rotMat);
}
