#include "SplitterHandle.h"

#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QTreeView>
#include <QtMath>

namespace {
constexpr int handleWidth = 7;
constexpr int minimumColumnWidth = 55;
} // namespace

SplitterHandle::SplitterHandle(QTreeView *tree) : QWidget(tree), m_tree(tree)
{
    setCursor(Qt::SplitHCursor);
    updatePosition();
    m_tree->installEventFilter(this);
    m_viewport = m_tree->viewport();
    m_viewport->installEventFilter(this);
}

void SplitterHandle::setRatio(float value)
{
    m_ratio = value;
    updatePosition();
}

void SplitterHandle::updatePosition()
{
    // The viewport, not the whole frame: a vertical scroll bar takes its width from the value column.
    const QRect area = m_tree->viewport()->geometry();
    const int w0 = int(area.width() * m_ratio);
    if (w0 != m_tree->columnWidth(0) || area.width() - w0 != m_tree->columnWidth(1)) {
        m_tree->setColumnWidth(0, w0);
        m_tree->setColumnWidth(1, area.width() - w0);
    }
    const int x = area.left() + w0 + m_tree->columnViewportPosition(0) - 3;
    if (x != this->x() || m_tree->height() != height())
        setGeometry(x, 0, handleWidth, m_tree->height());
}

bool SplitterHandle::eventFilter(QObject *watched, QEvent *event)
{
    // Compared with the stored viewport: the tree may be half destroyed when its viewport's last events come.
    if ((watched == m_tree || watched == m_viewport) &&
        (event->type() == QEvent::Paint || event->type() == QEvent::Resize))
        updatePosition();
    return false;
}

void SplitterHandle::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_grabOffset = qRound(event->localPos().x());
}

void SplitterHandle::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint inTree = m_tree->mapFromGlobal(event->globalPos());
    int x = inTree.x() - m_grabOffset - m_tree->columnViewportPosition(0);
    // The lower bound wins when the tree is too narrow for both.
    x = qMax(minimumColumnWidth, qMin(x, m_tree->width() - width() - minimumColumnWidth));
    if (x == this->x())
        return;
    const QRect area = m_tree->viewport()->geometry();
    if (area.width() <= 0)
        return;
    m_ratio = float(x + width() / 2 - area.left()) / float(area.width());
    updatePosition();
}

void SplitterHandle::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.setPen(m_lineColor);
    const int x = width() / 2 + 1;
    painter.drawLine(x, 0, x, height());
}
