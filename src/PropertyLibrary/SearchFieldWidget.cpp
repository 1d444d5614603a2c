#include "SearchFieldWidget.h"

#include "SearchFieldCompleter.h"

#include <QEvent>
#include <QLabel>

SearchFieldWidget::SearchFieldWidget(QWidget *parent) : QLineEdit(parent)
{
    m_icon = new QLabel(this);
    m_icon->setPixmap(QPixmap(QStringLiteral(":/PropertyLibrary/search")));
    m_icon->setScaledContents(true);
    setPlaceholderText(tr("Search..."));
    setClearButtonEnabled(true);
    m_completer = new SearchFieldCompleter(this);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setCompletionMode(QCompleter::InlineCompletion);
    setCompleter(m_completer);
}

void SearchFieldWidget::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    const QMargins margins = textMargins();
    setTextMargins(height(), margins.top(), margins.right(), margins.bottom());
    const int side = height() - 3;
    m_icon->setGeometry(1, 1, side, side);
}

void SearchFieldWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        setPlaceholderText(tr("Search..."));
    QLineEdit::changeEvent(event);
}
