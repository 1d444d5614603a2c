#include "SearchFieldCompleter.h"

#include <QIcon>
#include <QStandardItemModel>

SearchFieldCompleter::SearchFieldCompleter(QObject *parent) : QCompleter(parent)
{
    m_flat = new QStandardItemModel(this);
    setModel(m_flat);
    setCompletionRole(Qt::DisplayRole);
}

void SearchFieldCompleter::setSourceModel(QAbstractItemModel *model)
{
    if (model == m_source)
        return;
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = model;
    if (m_source) {
        connect(m_source, &QAbstractItemModel::modelReset, this, &SearchFieldCompleter::updateModel);
        connect(m_source, &QAbstractItemModel::rowsInserted, this, &SearchFieldCompleter::updateModel);
        connect(m_source, &QAbstractItemModel::rowsRemoved, this, &SearchFieldCompleter::updateModel);
    }
    updateModel();
}

void SearchFieldCompleter::updateModel()
{
    m_flat->clear();
    if (m_source)
        appendRows(QModelIndex());
}

void SearchFieldCompleter::appendRows(const QModelIndex &parent)
{
    const int rows = m_source->rowCount(parent);
    for (int row = 0; row < rows; ++row) {
        const QModelIndex index = m_source->index(row, 0, parent);
        const QVariant decoration = index.data(Qt::DecorationRole);
        const QIcon icon = decoration.canConvert<QIcon>() ? decoration.value<QIcon>() : QIcon();
        m_flat->appendRow(new QStandardItem(icon, index.data(Qt::DisplayRole).toString()));
        appendRows(index);
    }
}
