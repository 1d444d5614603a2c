#include "ComboBoxModel.h"

#include <algorithm>

ComboBoxModel::ComboBoxModel(QObject *parent) : QAbstractListModel(parent) {}

int ComboBoxModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_options.size();
}

QVariant ComboBoxModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_options.size())
        return QVariant();
    const Option &option = m_options.at(index.row());
    if (role == Qt::DisplayRole)
        return option.label;
    if (role == Qt::DecorationRole)
        return option.icon;
    return QVariant();
}

void ComboBoxModel::addOption(const QString &label, int value, const QIcon &icon)
{
    beginInsertRows(QModelIndex(), m_options.size(), m_options.size());
    m_options.append({label, value, icon});
    endInsertRows();
}

void ComboBoxModel::clear()
{
    beginResetModel();
    m_options.clear();
    endResetModel();
}

bool ComboBoxModel::hasValue(int value) const
{
    return std::any_of(m_options.cbegin(), m_options.cend(),
                       [value](const Option &option) { return option.value == value; });
}

int ComboBoxModel::valueOf(const QString &label) const
{
    for (const Option &option : m_options) {
        if (option.label == label)
            return option.value;
    }
    return 0;
}

QString ComboBoxModel::labelOf(int value) const
{
    for (const Option &option : m_options) {
        if (option.value == value)
            return option.label;
    }
    return QString();
}

QIcon ComboBoxModel::iconOf(int value) const
{
    for (const Option &option : m_options) {
        if (option.value == value)
            return option.icon;
    }
    return QIcon();
}

void ComboBoxModel::setLabel(const QString &label, int value)
{
    for (int i = 0; i < m_options.size(); ++i) {
        if (m_options.at(i).value == value) {
            m_options[i].label = label;
            const QModelIndex changed = index(i);
            emit dataChanged(changed, changed, {Qt::DisplayRole});
            return;
        }
    }
}
