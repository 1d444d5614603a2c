#pragma once

#include "RenderableItem.h"

#include <QColor>
#include <QList>
#include <QSize>

class QMouseEvent;
class QWheelEvent;
class Viewport;

// Everything the canvas draws: the viewports, back to front by ZOrder.
class Scene : public RenderableItem
{
    Q_OBJECT

public:
    explicit Scene(QObject *parent = nullptr);

    void render(QOpenGLContext *context) override;
    void paintOverlay(QPainter *painter, QRect rect) override;

    void addViewport(Viewport *viewport);
    void removeViewport(Viewport *viewport);
    QList<Viewport *> viewports() const { return m_viewports; }
    // The topmost viewport (highest ZOrder) whose pixel rectangle contains the point, or null.
    Viewport *viewportAt(const QPoint &point) const;

    void setSize(const QSize &size);
    QSize size() const { return QSize(m_width, m_height); }
    QColor backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QColor &color);

    void mousePressEvent(QMouseEvent *event);
    void mouseMoveEvent(QMouseEvent *event);
    void mouseReleaseEvent(QMouseEvent *event);
    void wheelEvent(QWheelEvent *event);

private:
    QList<Viewport *> sortedViewports() const;

    int m_width = 0;
    int m_height = 0;
    QList<Viewport *> m_viewports;
    QColor m_backgroundColor{108, 108, 132, 255};
};
