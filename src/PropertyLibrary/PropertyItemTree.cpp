#include "PropertyItemTree.h"

#include "PropertyItem.h"
#include "PropertyItemDelegate.h"
#include "PropertyItemFilterModel.h"
#include "PropertyItemModel.h"
#include "SplitterHandle.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>

namespace {
template <typename Model>
QList<QMetaObject::Connection> connectTo(Model *model, PropertyItemTree *tree,
                                         void (PropertyItemTree::*hiddenSlot)(PropertyItem *))
{
    QList<QMetaObject::Connection> list;
    list << QObject::connect(model, &Model::propertyHiddenChanged, tree, hiddenSlot, Qt::QueuedConnection);
    list << QObject::connect(model, &Model::expand, tree, &QTreeView::expand);
    list << QObject::connect(model, &Model::collapse, tree, &QTreeView::collapse);
    return list;
}
} // namespace

PropertyItemTree::PropertyItemTree(QWidget *parent) : QTreeView(parent)
{
    m_handle = new SplitterHandle(this);
    setItemDelegateForColumn(1, new PropertyItemDelegate(this));
    setDropIndicatorShown(true);
    setUniformRowHeights(true);
    setHeaderHidden(true);
    setDragEnabled(true);
    setAcceptDrops(true);
    setAnimated(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &PropertyItemTree::prepareMenu);
}

void PropertyItemTree::dropConnections(QList<QMetaObject::Connection> &connections)
{
    for (const QMetaObject::Connection &c : qAsConst(connections))
        disconnect(c);
    connections.clear();
}

void PropertyItemTree::setModel(PropertyItemModel *model)
{
    // The view shows one model at a time, so the other kind is forgotten too.
    dropConnections(m_filterConnections);
    m_filterModel = nullptr;
    dropConnections(m_modelConnections);
    m_model = model;
    QTreeView::setModel(model);
    if (model)
        m_modelConnections = connectTo(model, this, &PropertyItemTree::propertyHiddenChanged);
    m_handle->updatePosition();
}

void PropertyItemTree::setModel(PropertyItemFilterModel *model)
{
    dropConnections(m_modelConnections);
    m_model = nullptr;
    dropConnections(m_filterConnections);
    m_filterModel = model;
    QTreeView::setModel(model);
    if (model)
        m_filterConnections = connectTo(model, this, &PropertyItemTree::propertyHiddenChanged);
    m_handle->updatePosition();
}

void PropertyItemTree::setColumnRatio(float ratio)
{
    m_handle->setRatio(ratio);
}

float PropertyItemTree::columnRatio() const
{
    return m_handle->ratio();
}

PropertyItem *PropertyItemTree::itemFromIndex(const QModelIndex &index) const
{
    if (!index.isValid())
        return nullptr;
    if (m_filterModel)
        return m_filterModel->itemFromIndex(index);
    if (m_model)
        return m_model->itemFromIndex(index);
    return nullptr;
}

void PropertyItemTree::propertyHiddenChanged(PropertyItem *property)
{
    if (!property)
        return;
    QModelIndex index;
    QModelIndex parent;
    if (m_filterModel) {
        index = m_filterModel->indexFromItem(property);
        parent = m_filterModel->parentIndexOf(property);
    } else if (m_model) {
        index = m_model->indexFromItem(property);
        parent = m_model->parentIndexOf(property);
    }
    if (index.isValid())
        setRowHidden(index.row(), parent, property->hidden());
}

void PropertyItemTree::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTreeView::currentChanged(current, previous);
    emit currentPropertyChanged(itemFromIndex(current));
}

void PropertyItemTree::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    emit selectionHasChanged();
}

void PropertyItemTree::mousePressEvent(QMouseEvent *event)
{
    QTreeView::mousePressEvent(event);
    if (!indexAt(event->pos()).isValid() && selectionModel())
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Current);
}

void PropertyItemTree::scrollContentsBy(int dx, int dy)
{
    QTreeView::scrollContentsBy(dx, dy);
    m_handle->updatePosition();
}

QString PropertyItemTree::toolTipFor(const QModelIndex &index) const
{
    if (!index.isValid())
        return QString();
    const QString description = index.data(Qt::ToolTipRole).toString();
    if (!description.isEmpty() || index.column() != 0)
        return description;
    QAbstractItemDelegate *delegate = itemDelegate(index);
    const QRect cell = visualRect(index);
    if (!delegate || cell.isEmpty())
        return QString();
    QStyleOptionViewItem option = viewOptions();
    option.rect = cell;
    if (delegate->sizeHint(option, index).width() <= cell.width())
        return QString();
    return index.data(Qt::DisplayRole).toString();
}

bool PropertyItemTree::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QTreeView::viewportEvent(event);
    auto *help = static_cast<QHelpEvent *>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString text = toolTipFor(index);
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
    return true;
}

void PropertyItemTree::prepareMenu(const QPoint &pos)
{
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || index.column() != 0)
        return;
    PropertyItem *item = itemFromIndex(index);
    if (!item)
        return;
    const QList<QAction *> actions = item->actions();
    if (actions.isEmpty())
        return;
    QMenu menu(this);
    menu.addActions(actions);
    menu.exec(viewport()->mapToGlobal(pos));
}
