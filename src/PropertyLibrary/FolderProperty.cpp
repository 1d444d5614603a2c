#include "FolderProperty.h"

#include "LineEditWithButton.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

FolderProperty::FolderProperty(QObject *parent) : StringProperty(parent)
{
    m_foldername = tr("Select folder!");
    setReadOnly(false);
    PropertyItem::setValue(m_foldername);
    connect(this, &PropertyItem::valueChanged, this, [this] { m_foldernameTouched = true; });
    connect(this, &PropertyItem::keyValueChanged, this, [this] { m_foldernameTouched = true; });
}

QVariant FolderProperty::keyValue() const
{
    return value().toString();
}

void FolderProperty::setValue(const QVariant &value)
{
    PropertyItem::setValue(value);
    setDescription(value.toString());
}

void FolderProperty::setFoldername(const QString &name)
{
    if (m_foldername == name)
        return;
    m_foldername = name;
    setString(name);
    emit foldernameChanged(name);
}

void FolderProperty::retranslate()
{
    StringProperty::retranslate();
    if (!m_foldernameTouched) {
        m_foldername = tr("Select folder!");
        setString(m_foldername);
        m_foldernameTouched = false;
    }
}

QWidget *FolderProperty::createEditor(QWidget *parent, const QStyleOptionViewItem &option)
{
    Q_UNUSED(option);
    auto *editor = new LineEditWithButton(parent);
    editor->setFrame(false);
    editor->setText(value().toString());
    connect(editor, &LineEditWithButton::buttonClicked, this, [this, parent] { chooseFolder(parent); });
    return editor;
}

void FolderProperty::chooseFolder(QWidget *dialogParent)
{
    const QString folder = QFileDialog::getExistingDirectory(dialogParent, tr("Select folder"),
                                                             QDir::currentPath(), QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return;
    setFoldername(folder);
    QDir::setCurrent(QFileInfo(folder).absolutePath());
    emit editionFinished(this);
}
