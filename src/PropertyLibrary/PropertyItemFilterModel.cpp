#include "PropertyItemFilterModel.h"

#include "PropertyItem.h"
#include "PropertyItemModel.h"

PropertyItemFilterModel::PropertyItemFilterModel(QObject *parent) : QSortFilterProxyModel(parent) {}

void PropertyItemFilterModel::setSourceModel(QAbstractItemModel *sourceModel)
{
    for (const QMetaObject::Connection &c : qAsConst(m_sourceConnections))
        disconnect(c);
    m_sourceConnections.clear();
    QSortFilterProxyModel::setSourceModel(sourceModel);
    if (auto *model = qobject_cast<PropertyItemModel *>(sourceModel)) {
        // Hidden nodes are filtered out here, so a hide or show re-evaluates the filter.
        m_sourceConnections << connect(model, &PropertyItemModel::propertyHiddenChanged, this,
                                       [this](PropertyItem *item) {
                                           invalidateFilter();
                                           emit propertyHiddenChanged(item);
                                       });
        // Nodes that ask to be expanded or collapsed reach a view that shows this proxy.
        m_sourceConnections << connect(model, &PropertyItemModel::expand, this,
                                       [this](const QModelIndex &index) {
                                           const QModelIndex mapped = mapFromSource(index);
                                           if (mapped.isValid())
                                               emit expand(mapped);
                                       });
        m_sourceConnections << connect(model, &PropertyItemModel::collapse, this,
                                       [this](const QModelIndex &index) {
                                           const QModelIndex mapped = mapFromSource(index);
                                           if (mapped.isValid())
                                               emit collapse(mapped);
                                       });
    }
}

PropertyItemModel *PropertyItemFilterModel::propertyModel() const
{
    return qobject_cast<PropertyItemModel *>(sourceModel());
}

QModelIndex PropertyItemFilterModel::indexFromItem(PropertyItem *item) const
{
    PropertyItemModel *model = propertyModel();
    return model ? mapFromSource(model->indexFromItem(item)) : QModelIndex();
}

QModelIndex PropertyItemFilterModel::parentIndexOf(PropertyItem *item) const
{
    PropertyItemModel *model = propertyModel();
    return model ? mapFromSource(model->parentIndexOf(item)) : QModelIndex();
}

PropertyItem *PropertyItemFilterModel::itemFromIndex(const QModelIndex &index) const
{
    PropertyItemModel *model = propertyModel();
    return model ? model->itemFromIndex(mapToSource(index)) : nullptr;
}

void PropertyItemFilterModel::filterWith(const QString &text)
{
    m_searchText = text;
    setFilterRegularExpression(searchPattern(text, filterCaseSensitivity()));
}

QRegularExpression PropertyItemFilterModel::searchPattern(const QString &text, Qt::CaseSensitivity cs)
{
    // Only "*" and "?" are wildcards: names such as "yaw [deg]" hold brackets that must match themselves.
    QString pattern;
    QString literal;
    for (const QChar c : text) {
        if (c != QLatin1Char('*') && c != QLatin1Char('?')) {
            literal += c;
            continue;
        }
        pattern += QRegularExpression::escape(literal) +
                   (c == QLatin1Char('*') ? QStringLiteral(".*") : QStringLiteral("."));
        literal.clear();
    }
    pattern += QRegularExpression::escape(literal);
    return QRegularExpression(pattern, cs == Qt::CaseInsensitive ? QRegularExpression::CaseInsensitiveOption
                                                                 : QRegularExpression::NoPatternOption);
}

bool PropertyItemFilterModel::rowMatches(int row, const QModelIndex &parent) const
{
    const bool accepted = QSortFilterProxyModel::filterAcceptsRow(row, parent);
    if (QAbstractItemModel *model = sourceModel())
        model->setData(model->index(row, 0, parent), !m_searchText.isEmpty() && accepted, Qt::BackgroundRole);
    return accepted;
}

bool PropertyItemFilterModel::hasMatchingDescendant(int row, const QModelIndex &parent) const
{
    QAbstractItemModel *model = sourceModel();
    if (!model)
        return false;
    const QModelIndex index = model->index(row, 0, parent);
    if (!index.isValid() || !model->hasChildren(index))
        return false;
    const int count = model->rowCount(index);
    for (int i = 0; i < count; ++i) {
        if (isHiddenRow(i, index))
            continue;
        if (rowMatches(i, index) || hasMatchingDescendant(i, index))
            return true;
    }
    return false;
}

bool PropertyItemFilterModel::isHiddenRow(int row, const QModelIndex &parent) const
{
    PropertyItemModel *model = propertyModel();
    if (!model)
        return false;
    const QModelIndex index = model->index(row, 0, parent);
    return index.isValid() && model->itemFromIndex(index)->hidden();
}

bool PropertyItemFilterModel::filterAcceptsRow(int source_row, const QModelIndex &source_parent) const
{
    if (isHiddenRow(source_row, source_parent))
        return false;
    if (rowMatches(source_row, source_parent))
        return true;
    for (QModelIndex ancestor = source_parent; ancestor.isValid(); ancestor = ancestor.parent()) {
        if (rowMatches(ancestor.row(), ancestor.parent()))
            return true;
    }
    return hasMatchingDescendant(source_row, source_parent);
}
