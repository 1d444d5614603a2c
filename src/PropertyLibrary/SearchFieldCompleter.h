#pragma once

#include <QCompleter>
#include <QPointer>

class QStandardItemModel;

// Completes with the names of every node of a tree model, flattened depth first.
class SearchFieldCompleter : public QCompleter
{
    Q_OBJECT

public:
    explicit SearchFieldCompleter(QObject *parent = nullptr);

    void setSourceModel(QAbstractItemModel *model);
    QAbstractItemModel *sourceModel() const { return m_source; }
    QStandardItemModel *flatModel() const { return m_flat; }

private slots:
    void updateModel();

private:
    void appendRows(const QModelIndex &parent);

    QStandardItemModel *m_flat = nullptr;
    QPointer<QAbstractItemModel> m_source;
};
