#include "LineEditWithButton.h"

#include <QPushButton>
#include <QResizeEvent>

LineEditWithButton::LineEditWithButton(QWidget *parent) : QLineEdit(parent)
{
    setReadOnly(true);
    m_button = new QPushButton(QStringLiteral("..."), this);
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setDefault(false);
    m_button->setAutoDefault(false);
    m_button->setFocusPolicy(Qt::NoFocus);
    connect(m_button, &QPushButton::clicked, this, &LineEditWithButton::onButtonClick);
}

void LineEditWithButton::onButtonClick()
{
    emit buttonClicked();
}

void LineEditWithButton::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    const QMargins margins = textMargins();
    setTextMargins(margins.left(), margins.top(), height(), margins.bottom());
    const int side = height() - 2;
    m_button->setGeometry(width() - 1 - side, 1, side, side);
}
