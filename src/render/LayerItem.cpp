#include "LayerItem.h"

#include "Viewport.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

namespace {

int edgeIndex(Qt::Edge edge)
{
    switch (edge) {
    case Qt::TopEdge:
        return 0;
    case Qt::LeftEdge:
        return 1;
    case Qt::BottomEdge:
        return 2;
    default:
        return 3;
    }
}

bool isHorizontal(Qt::Edge edge)
{
    return edge == Qt::TopEdge || edge == Qt::BottomEdge;
}

// The band a docked layer takes from its area.
QRect bandOf(const QRect &area, Qt::Edge edge, int depth)
{
    switch (edge) {
    case Qt::TopEdge:
        return QRect(area.left(), area.top(), area.width(), depth);
    case Qt::BottomEdge:
        return QRect(area.left(), area.bottom() - depth + 1, area.width(), depth);
    case Qt::LeftEdge:
        return QRect(area.left(), area.top(), depth, area.height());
    default:
        return QRect(area.right() - depth + 1, area.top(), depth, area.height());
    }
}

// Shrinks the area along its edge to the longer stretch beside an obstacle.
void avoid(QRect &area, Qt::Edge edge, const QRect &obstacle)
{
    if (isHorizontal(edge)) {
        const int before = obstacle.left() - area.left();
        const int after = area.right() - obstacle.right();
        if (before >= after)
            area.setRight(obstacle.left() - 1);
        else
            area.setLeft(obstacle.right() + 1);
    } else {
        const int before = obstacle.top() - area.top();
        const int after = area.bottom() - obstacle.bottom();
        if (before >= after)
            area.setBottom(obstacle.top() - 1);
        else
            area.setTop(obstacle.bottom() + 1);
    }
}

} // namespace

LayerItem::LayerItem(QObject *parent) : QObject(parent) {}

void LayerItem::paint(QPainter *painter, QRect rect)
{
    const QList<LayerItem *> layers = m_layers;
    const QVector<QRect> areas =
        childAreas(rect, painter ? painter->fontMetrics() : QFontMetrics(QGuiApplication::font()));
    for (int i = 0; i < layers.size(); ++i)
        layers.at(i)->paint(painter, areas.at(i));
}

bool LayerItem::pictureOutdated()
{
    bool outdated = false;
    // Every child is asked: a check may take in state the next paint relies on.
    for (LayerItem *layer : qAsConst(m_layers))
        outdated = layer->pictureOutdated() || outdated;
    return outdated;
}

LayerItem::Dock LayerItem::dock(const QFontMetrics &) const
{
    return {};
}

QVector<QRect> LayerItem::childAreas(const QRect &rect, const QFontMetrics &metrics) const
{
    QVector<Dock> docks;
    docks.reserve(m_layers.size());
    int total[4] = {};
    for (const LayerItem *layer : m_layers) {
        docks.append(layer->dock(metrics));
        total[edgeIndex(docks.last().edge)] += qMax(0, docks.last().depth);
    }
    QList<QRect> obstacles;
    for (const QRectF &relative : m_keepClear)
        obstacles.append(Viewport::pixelRectFor(relative, rect.size()).translated(rect.topLeft()));

    QVector<QRect> areas;
    areas.reserve(m_layers.size());
    int used[4] = {};
    for (const Dock &d : qAsConst(docks)) {
        QRect area = rect;
        if (d.depth > 0) {
            int &offset = used[edgeIndex(d.edge)];
            switch (d.edge) {
            case Qt::TopEdge:
                area.setTop(rect.top() + offset);
                break;
            case Qt::BottomEdge:
                area.setBottom(rect.bottom() - offset);
                break;
            case Qt::LeftEdge:
                area.setLeft(rect.left() + offset);
                break;
            default:
                area.setRight(rect.right() - offset);
                break;
            }
            if (!isHorizontal(d.edge)) {
                area.setTop(area.top() + total[edgeIndex(Qt::TopEdge)]);
                area.setBottom(area.bottom() - total[edgeIndex(Qt::BottomEdge)]);
            }
            offset += d.depth;
            for (const QRect &obstacle : qAsConst(obstacles)) {
                if (bandOf(area, d.edge, d.depth).intersects(obstacle))
                    avoid(area, d.edge, obstacle);
            }
        }
        areas.append(area);
    }
    return areas;
}

void LayerItem::setKeepClear(const QList<QRectF> &areas)
{
    if (m_keepClear == areas)
        return;
    m_keepClear = areas;
    emit changed();
}

void LayerItem::addLayer(LayerItem *layer)
{
    if (!layer)
        return;
    m_layers.append(layer);
    connect(layer, &LayerItem::changed, this, &LayerItem::changed);
    // The child's owner may delete it first.
    connect(layer, &QObject::destroyed, this, [this, layer]() { m_layers.removeAll(layer); });
    emit changed();
}

void LayerItem::removeLayer(LayerItem *layer)
{
    if (!layer)
        return;
    disconnect(layer, nullptr, this, nullptr);
    m_layers.removeAll(layer);
    emit changed();
}

void LayerItem::setZOrder(int ZOrder)
{
    if (m_ZOrder == ZOrder)
        return;
    m_ZOrder = ZOrder;
    emit ZOrderChanged(ZOrder);
    emit changed();
}
