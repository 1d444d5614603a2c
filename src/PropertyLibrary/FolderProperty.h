#pragma once

#include "StringProperty.h"

// A folder path chosen through a folder dialog.
class FolderProperty : public StringProperty
{
    Q_OBJECT
    Q_PROPERTY(QString foldername READ foldername WRITE setFoldername NOTIFY foldernameChanged)

public:
    explicit FolderProperty(QObject *parent = nullptr);

    QString foldername() const { return m_foldername; }

    QVariant keyValue() const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option) override;
    void retranslate() override;

public slots:
    void setValue(const QVariant &value) override;
    void setFoldername(const QString &name);

signals:
    void foldernameChanged(const QString &foldername);

private:
    void chooseFolder(QWidget *dialogParent);

    QString m_foldername;
    bool m_foldernameTouched = false;
};
