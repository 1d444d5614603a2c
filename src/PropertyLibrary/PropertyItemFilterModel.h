#pragma once

#include <QRegularExpression>
#include <QSortFilterProxyModel>

class PropertyItem;
class PropertyItemModel;

// Search proxy: shows matches with their ancestors and whole subtrees, and highlights the matches.
class PropertyItemFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit PropertyItemFilterModel(QObject *parent = nullptr);

    void setSourceModel(QAbstractItemModel *sourceModel) override;

    QString searchText() const { return m_searchText; }
    QModelIndex indexFromItem(PropertyItem *item) const;
    QModelIndex parentIndexOf(PropertyItem *item) const;
    PropertyItem *itemFromIndex(const QModelIndex &index) const;

    // The search text as a pattern: "*" any run of characters, "?" one character, all else literal.
    static QRegularExpression searchPattern(const QString &text, Qt::CaseSensitivity cs);

public slots:
    void filterWith(const QString &text);

signals:
    void propertyHiddenChanged(PropertyItem *property);
    void expand(const QModelIndex &index);
    void collapse(const QModelIndex &index);

protected:
    bool filterAcceptsRow(int source_row, const QModelIndex &source_parent) const override;

private:
    PropertyItemModel *propertyModel() const;
    bool rowMatches(int row, const QModelIndex &parent) const;
    bool hasMatchingDescendant(int row, const QModelIndex &parent) const;
    bool isHiddenRow(int row, const QModelIndex &parent) const;

    QString m_searchText;
    QList<QMetaObject::Connection> m_sourceConnections;
};
