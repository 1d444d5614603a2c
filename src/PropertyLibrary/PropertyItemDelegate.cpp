#include "PropertyItemDelegate.h"

#include "PropertyItem.h"
#include "PropertyItemFilterModel.h"
#include "PropertyItemModel.h"

#include <QKeyEvent>

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
    m_openEdits.insert(editor, OpenEdit{item, item->value()});
    connect(editor, &QObject::destroyed, this, [self](QObject *gone) { self->m_openEdits.remove(gone); });
    return editor;
}

void PropertyItemDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                                const QModelIndex &index) const
{
    if (PropertyItem *item = itemOf(index))
        item->updateEditorGeometry(editor, option);
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
}

bool PropertyItemDelegate::eventFilter(QObject *object, QEvent *event)
{
    const bool escape = (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
                        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape &&
                        static_cast<QKeyEvent *>(event)->modifiers() == Qt::NoModifier;
    auto *editor = qobject_cast<QWidget *>(object);
    if (!escape || !editor || !m_openEdits.contains(editor))
        return QStyledItemDelegate::eventFilter(object, event);
    // Keep the window's Escape shortcut from taking the key away from the editor.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    const OpenEdit edit = m_openEdits.take(editor);
    // Silence the editor first: losing the focus as it closes would otherwise write its text again.
    editor->blockSignals(true);
    for (QObject *child : editor->findChildren<QObject *>())
        child->blockSignals(true);
    if (edit.item)
        edit.item->setValue(edit.value);
    emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    return true;
}
