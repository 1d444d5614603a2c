#include "ColorEditor.h"

#include "ColorProperty.h"

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
    // No nested event loop here: the view may delete this editor while a dialog runs.
    QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    m_property->chooseColor(owner);
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
