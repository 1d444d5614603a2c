#include "FileProperty.h"

#include "LineEditWithButton.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

FileProperty::FileProperty(QObject *parent) : StringProperty(parent)
{
    m_filename = tr("Select file!");
    m_fileFilter = tr("All files");
    setReadOnly(false);
    PropertyItem::setValue(m_filename);
    connect(this, &PropertyItem::valueChanged, this, [this] { m_filenameTouched = true; });
    connect(this, &PropertyItem::keyValueChanged, this, [this] { m_filenameTouched = true; });
    connect(this, &FileProperty::fileFilterChanged, this, [this] { m_filterTouched = true; });
}

QString FileProperty::dialogFilter() const
{
    return m_fileFilter + QStringLiteral(" (*") + m_suffix + QStringLiteral(")");
}

QString FileProperty::proposedSaveName(const QDateTime &now)
{
    return QDir::currentPath() + QStringLiteral("/") +
           now.toString(QStringLiteral("yyyy_MM_dd_HH_mm_ss_zzz"));
}

QVariant FileProperty::keyValue() const
{
    return value().toString();
}

void FileProperty::setValue(const QVariant &value)
{
    PropertyItem::setValue(value);
    setDescription(value.toString());
}

void FileProperty::setFilename(const QString &name)
{
    if (m_filename == name)
        return;
    m_filename = name;
    setString(name);
    emit filenameChanged(name);
}

void FileProperty::setFileFilter(const QString &filter)
{
    if (m_fileFilter == filter)
        return;
    m_fileFilter = filter;
    emit fileFilterChanged(filter);
}

void FileProperty::setMode(QIODevice::OpenModeFlag mode)
{
    if (m_mode == mode)
        return;
    m_mode = mode;
    emit modeChanged(mode);
}

void FileProperty::setSuffix(const QString &suffix)
{
    if (m_suffix == suffix)
        return;
    m_suffix = suffix;
    emit suffixChanged(suffix);
}

void FileProperty::retranslate()
{
    StringProperty::retranslate();
    if (!m_filenameTouched) {
        m_filename = tr("Select file!");
        setString(m_filename);
        m_filenameTouched = false;
    }
    if (!m_filterTouched)
        m_fileFilter = tr("All files");
}

QWidget *FileProperty::createEditor(QWidget *parent, const QStyleOptionViewItem &option)
{
    Q_UNUSED(option);
    auto *editor = new LineEditWithButton(parent);
    editor->setFrame(false);
    editor->setText(value().toString());
    connect(editor, &LineEditWithButton::buttonClicked, this, [this, parent] { chooseFile(parent); });
    return editor;
}

void FileProperty::chooseFile(QWidget *dialogParent)
{
    QString name;
    if (m_mode == QIODevice::ReadOnly) {
        name = QFileDialog::getOpenFileName(dialogParent, tr("Select a file"), QDir::currentPath(),
                                            dialogFilter());
    } else {
        name = QFileDialog::getSaveFileName(dialogParent, tr("Select a file"),
                                            proposedSaveName(QDateTime::currentDateTime()), dialogFilter());
    }
    if (name.isEmpty())
        return;
    setFilename(name);
    QDir::setCurrent(QFileInfo(name).absolutePath());
    emit editionFinished(this);
}
