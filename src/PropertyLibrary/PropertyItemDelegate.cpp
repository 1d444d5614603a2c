#include "PropertyItemDelegate.h"

#include "PropertyItem.h"
#include "PropertyItemFilterModel.h"
#include "PropertyItemModel.h"

PropertyItemDelegate::PropertyItemDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

PropertyItem *PropertyItemDelegate::itemOf(const QModelIndex &index)
{
    if (!index.isValid())
        return nullptr;
    if (qobject_cast<const PropertyItemModel *>(index.model()))
        return static_cast<PropertyItem *>(index.internalPointer());
    if (auto *filter = qobject_cast<const PropertyItemFilterModel *>(index.model())) {
        const QModelIndex source = filter->mapToSource(index);
        if (source.isValid())
            return static_cast<PropertyItem *>(source.internalPointer());
    }
    return nullptr;
}

void PropertyItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    PropertyItem *item = itemOf(index);
    if (item && item->paint(painter, option))
        return;
    QStyledItemDelegate::paint(painter, option, index);
}

QWidget *PropertyItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                            const QModelIndex &index) const
{
    PropertyItem *item = itemOf(index);
    if (!item || item->readOnly())
        return nullptr;
    QWidget *editor = item->createEditor(parent, option);
    if (!editor)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto *self = const_cast<PropertyItemDelegate *>(this);
    connect(item, &PropertyItem::editionFinished, editor, [self, editor](PropertyItem *) {
        emit self->closeEditor(editor, QAbstractItemDelegate::NoHint);
    });
    return editor;
}

void PropertyItemDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                                const QModelIndex &index) const
{
    if (PropertyItem *item = itemOf(index))
        item->updateEditorGeometry(editor, option);
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
}
