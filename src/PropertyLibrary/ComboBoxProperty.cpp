#include "ComboBoxProperty.h"

#include "ComboBoxEditor.h"
#include "ComboBoxModel.h"

#include <QDebug>

ComboBoxProperty::ComboBoxProperty(QObject *parent) : StringProperty(parent)
{
    m_model = new ComboBoxModel(this);
    setReadOnly(false);
}

int ComboBoxProperty::optionValue() const
{
    return m_model->valueOf(value().toString());
}

QVariant ComboBoxProperty::keyValue() const
{
    return QVariant(int(optionValue()));
}

void ComboBoxProperty::setValue(const QVariant &value)
{
    m_currentValue = m_model->valueOf(value.toString());
    setValueIcon(m_model->iconOf(m_currentValue));
    PropertyItem::setValue(m_model->labelOf(m_currentValue));
}

bool ComboBoxProperty::acceptsKeyValue(const QVariant &keyValue) const
{
    bool ok = false;
    const int value = keyValue.toInt(&ok);
    return ok && m_model->hasValue(value);
}

void ComboBoxProperty::setKeyValue(const QVariant &keyValue)
{
    if (!settable())
        return;
    if (!acceptsKeyValue(keyValue)) {
        qWarning() << "refused" << keyValue << "for" << key() << "which has no such choice";
        return;
    }
    m_currentValue = keyValue.toInt();
    setValueIcon(m_model->iconOf(m_currentValue));
    PropertyItem::setValue(m_model->labelOf(m_currentValue));
}

void ComboBoxProperty::setString(const QString &text)
{
    setValue(QVariant(text));
}

void ComboBoxProperty::setOptionValue(int value)
{
    setValue(QVariant(m_model->labelOf(value)));
}

void ComboBoxProperty::setDefaultOptionValue(int value)
{
    setDefaultValue(QVariant(m_model->labelOf(value)));
}

void ComboBoxProperty::setOptionLabel(const QString &label)
{
    setString(label);
}

void ComboBoxProperty::updateOptionLabel(const QString &label, int value)
{
    m_model->setLabel(label, value);
}

void ComboBoxProperty::clearOptions()
{
    m_model->clear();
    emit changed(this);
}

void ComboBoxProperty::addOption(const QString &label, int value, const QIcon &icon)
{
    m_model->addOption(label, value, icon);
    if (m_model->rowCount() == 1) {
        setValueIcon(icon);
        setString(label);
        setDefaultValue(QVariant(label));
    }
}

void ComboBoxProperty::retranslate()
{
    setString(m_model->labelOf(m_currentValue));
    StringProperty::retranslate();
}

QWidget *ComboBoxProperty::createEditor(QWidget *parent, const QStyleOptionViewItem &option)
{
    Q_UNUSED(option);
    auto *editor = new ComboBoxEditor(parent);
    editor->setModel(m_model);
    editor->setCurrentIndex(optionValue());
    connect(editor, qOverload<int>(&QComboBox::currentIndexChanged), this, [this, editor](int index) {
        const QString text = editor->itemText(index);
        m_currentValue = m_model->valueOf(text);
        setString(text);
    });
    return editor;
}
