#include "SelectionManager.h"

#include "RenderableItem.h"

#include <algorithm>

SelectionManager::SelectionManager(QObject *parent) : QObject(parent) {}

void SelectionManager::mousePress(const QList<RenderableItem *> &items, const Ray &ray)
{
    RenderableItem *item = pick(items, ray);
    m_hoveredItem = item;
    m_pressedItem = item;
    m_pressed = true;
}

void SelectionManager::mouseMove(const QList<RenderableItem *> &items, const Ray &ray)
{
    m_hoveredItem = pick(items, ray);
}

void SelectionManager::mouseRelease(const QList<RenderableItem *> &items, const Ray &ray)
{
    for (RenderableItem *item : items)
        item->setSelected(false);
    RenderableItem *item = pick(items, ray);
    m_hoveredItem = item;
    if (item && m_pressed && item == m_pressedItem)
        item->setSelected(true);
    m_pressedItem = nullptr;
    m_pressed = false;
}

RenderableItem *SelectionManager::pick(const QList<RenderableItem *> &items, const Ray &ray) const
{
    // Score once; hitTest is not free and the sort would call it O(n log n) times.
    QVector<QPair<float, RenderableItem *>> scored;
    scored.reserve(items.size());
    for (RenderableItem *item : items)
        scored.append(qMakePair(item->hitTest(ray), item));
    std::stable_sort(scored.begin(), scored.end(),
                     [](const QPair<float, RenderableItem *> &a, const QPair<float, RenderableItem *> &b) {
                         return a.first < b.first;
                     });
    for (const auto &entry : qAsConst(scored)) {
        if (entry.second->isSelectable() && entry.first > 0.0f)
            return entry.second;
    }
    return nullptr;
}
