#pragma once

#include "Ray.h"

#include <QList>
#include <QObject>

class RenderableItem;

// Picks the viewport item under the mouse; a click selects it only when press and release hit the same item.
class SelectionManager : public QObject
{
    Q_OBJECT

public:
    explicit SelectionManager(QObject *parent = nullptr);

    void mousePress(const QList<RenderableItem *> &items, const Ray &ray);
    void mouseMove(const QList<RenderableItem *> &items, const Ray &ray);
    void mouseRelease(const QList<RenderableItem *> &items, const Ray &ray);
    RenderableItem *pick(const QList<RenderableItem *> &items, const Ray &ray) const;

    RenderableItem *hoveredItem() const { return m_hoveredItem; }
    RenderableItem *pressedItem() const { return m_pressedItem; }
    bool isPressed() const { return m_pressed; }

private:
    RenderableItem *m_hoveredItem = nullptr;
    bool m_pressed = false;
    RenderableItem *m_pressedItem = nullptr;
};
