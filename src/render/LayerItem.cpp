#include "LayerItem.h"

LayerItem::LayerItem(QObject *parent) : QObject(parent) {}

void LayerItem::paint(QPainter *painter, QRect rect)
{
    const QList<LayerItem *> layers = m_layers;
    for (LayerItem *layer : layers)
        layer->paint(painter, rect);
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
