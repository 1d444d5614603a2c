#include "PropertyItemModel.h"

#include "PropertyItem.h"

#include <QCoreApplication>
#include <QMimeData>
#include <QSet>
#include <cstdio>
#include <cstring>

namespace {
// The payload starts with the process id, so a payload from another process is never taken
// for one of ours; node identities follow as pointer-sized values.
using ProcessTag = qint64;

void reportInvalidPayload()
{
    std::fputs("ERROR: dropped mime data has invalid pointer data.\n", stdout);
    std::fflush(stdout);
}
} // namespace

PropertyItemModel::PropertyItemModel(PropertyItem *root, QObject *parent)
    : QAbstractItemModel(parent), m_root(root)
{
    if (!m_root)
        return;
    connect(m_root, &PropertyItem::aboutToAddChild, this,
            [this](PropertyItem *item, int index) { beginInsertRows(indexFromItem(item), index, index); });
    connect(m_root, &PropertyItem::childAdded, this, [this](PropertyItem *) { endInsertRows(); });
    connect(m_root, &PropertyItem::aboutToRemoveChild, this,
            [this](PropertyItem *item, int index) { beginRemoveRows(indexFromItem(item), index, index); });
    connect(m_root, &PropertyItem::childRemoved, this, [this](PropertyItem *) { endRemoveRows(); });
    connect(m_root, &PropertyItem::changed, this, &PropertyItemModel::onChanged);
    connect(m_root, &PropertyItem::expendProperty, this,
            [this](PropertyItem *item) { emit expand(indexFromItem(item)); });
    connect(m_root, &PropertyItem::collapseProperty, this,
            [this](PropertyItem *item) { emit collapse(indexFromItem(item)); });
    connect(m_root, &PropertyItem::hiddenStateChanged, this, &PropertyItemModel::propertyHiddenChanged);
}

QModelIndex PropertyItemModel::indexFromItem(PropertyItem *item) const
{
    if (!item || item == m_root)
        return QModelIndex();
    return createIndex(item->row(), 0, item);
}

QModelIndex PropertyItemModel::parentIndexOf(PropertyItem *item) const
{
    if (!item)
        return QModelIndex();
    return indexFromItem(item->parentItem());
}

PropertyItem *PropertyItemModel::itemFromIndex(const QModelIndex &index) const
{
    if (index.isValid() && index.internalPointer())
        return static_cast<PropertyItem *>(index.internalPointer());
    return m_root;
}

QModelIndex PropertyItemModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!m_root || !hasIndex(row, column, parent))
        return QModelIndex();
    PropertyItem *parentItem = itemFromIndex(parent);
    return createIndex(row, column, parentItem->children().at(row));
}

QModelIndex PropertyItemModel::parent(const QModelIndex &index) const
{
    if (!index.isValid())
        return QModelIndex();
    PropertyItem *item = itemFromIndex(index);
    PropertyItem *parentItem = item->parentItem();
    if (!parentItem || parentItem == m_root)
        return QModelIndex();
    return createIndex(parentItem->row(), 0, parentItem);
}

int PropertyItemModel::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0)
        return 0;
    PropertyItem *item = itemFromIndex(parent);
    return item ? item->children().size() : 0;
}

int PropertyItemModel::columnCount(const QModelIndex &parent) const
{
    Q_UNUSED(parent);
    return 2;
}

QVariant PropertyItemModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    return itemFromIndex(index)->data(index.column(), role);
}

QVariant PropertyItemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    Q_UNUSED(section);
    Q_UNUSED(orientation);
    Q_UNUSED(role);
    return QVariant();
}

Qt::ItemFlags PropertyItemModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return QAbstractItemModel::flags(index);
    return itemFromIndex(index)->flags(index.column());
}

bool PropertyItemModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    PropertyItem *item = itemFromIndex(index);
    if (!item)
        return false;
    switch (role) {
    case Qt::CheckStateRole:
        if (item->value().userType() != QMetaType::Bool)
            return false;
        item->setValue(QVariant(value.toInt() != 0));
        return true;
    case Qt::EditRole:
        item->setValue(value);
        return true;
    case Qt::BackgroundRole:
        item->setHighlighted(value.toBool());
        return true;
    default:
        return false;
    }
}

Qt::DropActions PropertyItemModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList PropertyItemModel::mimeTypes() const
{
    return {QStringLiteral("application/x-velmara-") + m_mimeSuffix};
}

QMimeData *PropertyItemModel::mimeData(const QModelIndexList &indexes) const
{
    const QStringList types = mimeTypes();
    if (indexes.isEmpty() || types.isEmpty())
        return nullptr;
    QByteArray payload;
    const ProcessTag tag = QCoreApplication::applicationPid();
    payload.append(reinterpret_cast<const char *>(&tag), sizeof(tag));
    for (const QModelIndex &index : indexes) {
        if (!index.isValid() || index.column() != 0)
            continue;
        const quintptr value = reinterpret_cast<quintptr>(index.internalPointer());
        payload.append(reinterpret_cast<const char *>(&value), sizeof(value));
    }
    auto *mime = new QMimeData;
    mime->setData(types.first(), payload);
    return mime;
}

PropertyItem *PropertyItemModel::findNode(quintptr value) const
{
    if (!m_root)
        return nullptr;
    QVector<PropertyItem *> pending = m_root->children();
    while (!pending.isEmpty()) {
        PropertyItem *node = pending.takeLast();
        if (reinterpret_cast<quintptr>(node) == value)
            return node;
        pending += node->children();
    }
    return nullptr;
}

bool PropertyItemModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                     const QModelIndex &parent)
{
    Q_UNUSED(column);
    const QStringList types = mimeTypes();
    if (!data || action != Qt::MoveAction || types.isEmpty() || !data->hasFormat(types.first()) || !m_root)
        return false;
    PropertyItem *target = itemFromIndex(parent);

    const QByteArray payload = data->data(types.first());
    const int bodySize = payload.size() - int(sizeof(ProcessTag));
    if (bodySize <= 0 || bodySize % int(sizeof(quintptr)) != 0) {
        reportInvalidPayload();
        return false;
    }
    ProcessTag tag = 0;
    std::memcpy(&tag, payload.constData(), sizeof(tag));
    if (tag != QCoreApplication::applicationPid()) {
        reportInvalidPayload();
        return false;
    }

    QVector<PropertyItem *> nodes;
    for (int offset = sizeof(ProcessTag); offset < payload.size(); offset += sizeof(quintptr)) {
        quintptr value = 0;
        std::memcpy(&value, payload.constData() + offset, sizeof(value));
        PropertyItem *node = findNode(value);
        if (!node) {
            reportInvalidPayload();
            return false;
        }
        if (node == target || node->isAncestorOf(target))
            return false;
        if (!nodes.contains(node))
            nodes.append(node);
    }

    if (row < 0 || row > target->children().size())
        row = target->children().size();
    for (PropertyItem *node : qAsConst(nodes)) {
        PropertyItem *oldParent = node->parentItem();
        const int oldPosition = node->row();
        oldParent->removeChild(node);
        if (oldParent == target && oldPosition < row)
            --row;
        target->addChild(node, row);
        ++row;
    }
    return true;
}

void PropertyItemModel::onChanged(PropertyItem *item)
{
    if (!item || item == m_root)
        return;
    if (item->isEditable())
        emit configChanged();
    const QModelIndex first = indexFromItem(item);
    emit dataChanged(first, first.sibling(first.row(), 1), {});
}
