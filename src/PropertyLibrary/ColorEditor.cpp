#include "ColorEditor.h"

#include "ColorProperty.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QPainter>

ColorEditor::ColorEditor(ColorProperty *property, QWidget *parent)
    : LineEditWithButton(parent), m_property(property)
{
    // Unlike the file editors, the colour can be typed in.
    setReadOnly(false);
    if (m_property)
        setColor(m_property->colorValue());
    connect(this, &QLineEdit::textChanged, this, &ColorEditor::parseText);
}

void ColorEditor::setColor(const QColor &color)
{
    m_color = color;
    m_writing = true;
    const QString text = ColorProperty::formatColor(color);
    if (this->text() != text)
        setText(text);
    m_writing = false;
    if (m_property)
        m_property->setColorValue(color);
    update();
}

void ColorEditor::parseText()
{
    if (m_writing)
        return;
    const QColor parsed = ColorProperty::parseColor(text());
    if (!parsed.isValid())
        return;
    m_color = parsed;
    if (m_property)
        m_property->setColorValue(parsed);
    update();
}

void ColorEditor::onButtonClick()
{
    if (!m_property)
        return;
    const QColor original = m_property->colorValue();
    QWidget *dialogParent = parentWidget();
    QColorDialog dialog(m_color, dialogParent);
    dialog.setModal(true);
    connect(&dialog, &QColorDialog::currentColorChanged, this, [this, dialogParent](const QColor &c) {
        if (!m_property)
            return;
        m_property->setColorValue(c);
        if (dialogParent)
            dialogParent->update();
    });
    const int result = dialog.exec();
    if (result != QDialog::Accepted && m_property)
        m_property->setColorValue(original);
    else if (m_property)
        m_property->setColorValue(dialog.currentColor());
    // The delegate closes this editor when its node says the edit is over.
    if (m_property)
        emit m_property->editionFinished(m_property);
}

void ColorEditor::paintEvent(QPaintEvent *event)
{
    LineEditWithButton::paintEvent(event);
    QPainter painter(this);
    const int side = height() - 7;
    painter.setPen(Qt::black);
    painter.setBrush(m_color.isValid() ? m_color : QColor(Qt::transparent));
    painter.drawRect(QRect(4, 3, side, side));
}

void ColorEditor::resizeEvent(QResizeEvent *event)
{
    LineEditWithButton::resizeEvent(event);
    const QMargins margins = textMargins();
    setTextMargins(height(), margins.top(), margins.right(), margins.bottom());
}
