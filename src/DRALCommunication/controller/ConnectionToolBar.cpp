#include "ConnectionToolBar.h"

#include "DRALScanManager.h"
#include "StringProperty.h"

#include <QAction>
#include <QEvent>
#include <QLineEdit>
#include <QToolBar>

namespace {
// "255.255.255.255:49151"
constexpr int LongestAddress = 21;
const char *const LockedLook = "taviroLockedLook";
} // namespace

ConnectionToolBar::ConnectionToolBar(DRALScanManager *manager, QToolBar *toolBar, QLineEdit *addressField)
    : QObject(addressField), m_manager(manager), m_field(addressField)
{
    const QList<QAction *> actions = toolBar->actions();
    const int disconnectAt = actions.indexOf(manager->disconnectAction());
    QAction *before =
        disconnectAt >= 0 && disconnectAt + 1 < actions.size() ? actions.at(disconnectAt + 1) : nullptr;
    toolBar->insertAction(before, manager->informationAction());
    toolBar->insertAction(before, manager->rebootAction());

    m_field->setMaxLength(qMax(m_field->maxLength(), LongestAddress));
    m_field->setReadOnly(manager->nameProperty()->readOnly());
    connect(m_field, &QLineEdit::returnPressed, this, &ConnectionToolBar::connectFromField);
    // The setting is locked from the first attempt on, before the window hears of a connection.
    connect(manager->nameProperty(), &PropertyItem::readOnlyChanged, m_field, &QLineEdit::setReadOnly);
    m_field->installEventFilter(this);
    applyLook();
}

bool ConnectionToolBar::looksReadOnly(const QLineEdit *field)
{
    return field->property(LockedLook).toBool();
}

bool ConnectionToolBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::ReadOnlyChange)
        applyLook();
    return QObject::eventFilter(watched, event);
}

void ConnectionToolBar::connectFromField()
{
    if (!m_manager || m_field->isReadOnly() || !m_manager->connectAction()->isEnabled())
        return;
    m_manager->setDeviceName(m_field->text());
    m_manager->connectAction()->trigger();
}

void ConnectionToolBar::applyLook()
{
    // A read-only line edit looks editable by default: grey it like a disabled one, but keep the
    // text selectable so the address can still be copied.
    const bool locked = m_field->isReadOnly();
    if (locked == looksReadOnly(m_field))
        return;
    m_field->setProperty(LockedLook, locked);
    if (!locked) {
        m_field->setPalette(QPalette());
        return;
    }
    QPalette palette = m_field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    palette.setColor(QPalette::Text, palette.color(QPalette::Disabled, QPalette::Text));
    m_field->setPalette(palette);
}
