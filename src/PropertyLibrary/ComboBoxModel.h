#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <QVector>

// The options of a combo box node: label, value and icon each.
class ComboBoxModel : public QAbstractListModel
{
    Q_OBJECT

public:
    struct Option
    {
        QString label;
        int value = 0;
        QIcon icon;
    };

    explicit ComboBoxModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    void addOption(const QString &label, int value, const QIcon &icon = QIcon());
    void clear();
    bool hasValue(int value) const;
    int valueOf(const QString &label) const;
    QString labelOf(int value) const;
    QIcon iconOf(int value) const;
    void setLabel(const QString &label, int value);
    const QVector<Option> &options() const { return m_options; }

private:
    QVector<Option> m_options;
};
