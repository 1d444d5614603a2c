#pragma once

#include <QTreeView>

class PropertyItem;
class PropertyItemFilterModel;
class PropertyItemModel;
class SplitterHandle;

// The two-column view of the property tree, with a draggable column splitter and context menus.
class PropertyItemTree : public QTreeView
{
    Q_OBJECT

public:
    explicit PropertyItemTree(QWidget *parent = nullptr);

    using QTreeView::setModel;
    void setModel(PropertyItemModel *model);
    void setModel(PropertyItemFilterModel *model);

    void setColumnRatio(float ratio);
    float columnRatio() const;
    SplitterHandle *splitterHandle() const { return m_handle; }
    PropertyItem *itemFromIndex(const QModelIndex &index) const;
    // The cell's tool tip: the node's description, else its name when the column cuts it short.
    QString toolTipFor(const QModelIndex &index) const;

signals:
    void currentPropertyChanged(PropertyItem *propety);
    void selectionHasChanged();

protected slots:
    void propertyHiddenChanged(PropertyItem *property);
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent *event) override;

private slots:
    void prepareMenu(const QPoint &pos);

private:
    void connectModel(QAbstractItemModel *model, QList<QMetaObject::Connection> &connections);
    void dropConnections(QList<QMetaObject::Connection> &connections);

    PropertyItemModel *m_model = nullptr;
    PropertyItemFilterModel *m_filterModel = nullptr;
    SplitterHandle *m_handle = nullptr;
    QList<QMetaObject::Connection> m_modelConnections;
    QList<QMetaObject::Connection> m_filterConnections;
};
