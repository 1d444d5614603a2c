#include "SearchFieldWidget.h"

#include "SearchFieldCompleter.h"

#include <QEvent>
#include <QKeyEvent>
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

namespace {
bool isPlainEscape(const QEvent *event)
{
    const auto *key = static_cast<const QKeyEvent *>(event);
    return key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier;
}
} // namespace

bool SearchFieldWidget::event(QEvent *event)
{
    // Escape here means "clear the search", not the window's "hide the docks".
    if (event->type() == QEvent::ShortcutOverride && isPlainEscape(event)) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void SearchFieldWidget::keyPressEvent(QKeyEvent *event)
{
    if (isPlainEscape(event)) {
        clear();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
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
