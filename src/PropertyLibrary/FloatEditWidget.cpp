#include "FloatEditWidget.h"

#include <QDoubleValidator>
#include <limits>

FloatEditWidget::FloatEditWidget(QWidget *parent) : QLineEdit(parent)
{
    setFrame(false);
    m_validator = new QDoubleValidator(this);
    m_validator->setRange(-std::numeric_limits<float>::max(), std::numeric_limits<float>::max(), 6);
    // The C locale keeps the decimal point whatever the user's language is.
    m_validator->setLocale(QLocale::c());
    setValidator(m_validator);
    connect(this, &QLineEdit::editingFinished, this, &FloatEditWidget::updateValue);
}

float FloatEditWidget::value() const
{
    return text().toFloat();
}

void FloatEditWidget::setValue(float new_value)
{
    setText(QString::number(new_value, 'g', 6));
    emit valueChanged(new_value);
}

void FloatEditWidget::setRange(float min, float max)
{
    m_validator->setRange(min, max, m_validator->decimals());
}

void FloatEditWidget::updateValue()
{
    emit valueChanged(value());
}
