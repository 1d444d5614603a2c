#pragma once

#include <QHash>
#include <QPointer>
#include <QStyledItemDelegate>

class PropertyItem;

// Lets each node paint its value cell and choose its own editor.
class PropertyItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit PropertyItemDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

    static PropertyItem *itemOf(const QModelIndex &index);

protected:
    // Escape cancels the edit: the node gets back the value it had when the editor opened.
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    struct OpenEdit
    {
        QPointer<PropertyItem> item;
        QVariant value;
    };
    // Editors write their nodes as the user types, so the value before the edit is kept here.
    mutable QHash<const QObject *, OpenEdit> m_openEdits;
};
