#pragma once

#include "StringProperty.h"

#include <QDateTime>
#include <QIODevice>

// A file path chosen through a file dialog; in save mode the dialog proposes a time-stamped name.
class FileProperty : public StringProperty
{
    Q_OBJECT
    Q_PROPERTY(QString filename READ filename WRITE setFilename NOTIFY filenameChanged)
    Q_PROPERTY(QString fileFilter READ fileFilter WRITE setFileFilter NOTIFY fileFilterChanged)
    Q_PROPERTY(QIODevice::OpenModeFlag mode READ mode WRITE setMode NOTIFY modeChanged)
    Q_PROPERTY(QString suffix READ suffix WRITE setSuffix NOTIFY suffixChanged)

public:
    explicit FileProperty(QObject *parent = nullptr);

    QString filename() const { return m_filename; }
    QString fileFilter() const { return m_fileFilter; }
    QIODevice::OpenModeFlag mode() const { return m_mode; }
    QString suffix() const { return m_suffix; }

    // The dialog's filter text and, for saving, the name it proposes at the given moment.
    QString dialogFilter() const;
    static QString proposedSaveName(const QDateTime &now);

    QVariant keyValue() const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option) override;
    void retranslate() override;

public slots:
    void setValue(const QVariant &value) override;
    void setFilename(const QString &name);
    void setFileFilter(const QString &filter);
    void setMode(QIODevice::OpenModeFlag mode);
    void setSuffix(const QString &suffix);

signals:
    void filenameChanged(const QString &filename);
    void fileFilterChanged(const QString &fileFilter);
    void modeChanged(QIODevice::OpenModeFlag mode);
    void suffixChanged(const QString &suffix);

private:
    void chooseFile(QWidget *dialogParent);

    QString m_filename;
    QString m_fileFilter;
    QIODevice::OpenModeFlag m_mode = QIODevice::ReadOnly;
    QString m_suffix = QStringLiteral("*.*");
    bool m_filenameTouched = false;
    bool m_filterTouched = false;
};
