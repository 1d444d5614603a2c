#pragma once

#include <QAbstractItemModel>

class PropertyItem;

// Two columns (name, value) over a tree of nodes; the root itself has no row.
class PropertyItemModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    explicit PropertyItemModel(PropertyItem *root, QObject *parent = nullptr);

    PropertyItem *root() const { return m_root; }
    QString mimeSuffix() const { return m_mimeSuffix; }
    void setMimeSuffix(const QString &suffix) { m_mimeSuffix = suffix; }

    QModelIndex indexFromItem(PropertyItem *item) const;
    QModelIndex parentIndexOf(PropertyItem *item) const;
    PropertyItem *itemFromIndex(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

signals:
    void propertyHiddenChanged(PropertyItem *property);
    void configChanged();
    void expand(const QModelIndex &index);
    void collapse(const QModelIndex &index);

private:
    void onChanged(PropertyItem *item);
    // The node among this tree's descendants whose address is value, found without dereferencing value.
    PropertyItem *findNode(quintptr value) const;

    PropertyItem *m_root = nullptr;
    QString m_mimeSuffix;
};
