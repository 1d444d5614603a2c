#pragma once

#include "RenderableItem.h"

#include <QColor>
#include <QList>
#include <QRect>
#include <QRectF>
#include <QSize>

class Camera;
class QMouseEvent;
class QWheelEvent;
class SelectionManager;

// One rectangle of the canvas with its own camera and item list.
class Viewport : public RenderableItem
{
    Q_OBJECT

public:
    explicit Viewport(QObject *parent = nullptr);
    ~Viewport() override;

    void render(QOpenGLContext *context) override;
    void paintOverlay(QPainter *painter, QRect rect) override;
    void setSelected(bool selected) override;

    void setRelativeRect(const QRectF &rect);
    QRectF relativeRect() const { return m_relativeRect; }
    void setSceneSize(const QSize &size);
    QSize sceneSize() const { return QSize(m_sceneWidth, m_sceneHeight); }
    QRect pixelRect() const { return m_pixelRect; }
    // The pixels a relative rectangle covers in a scene of the given size.
    static QRect pixelRectFor(const QRectF &relative, const QSize &scene);
    // The same area with a bottom-left origin, as glViewport and glScissor want it.
    QRect glRect() const;
    Camera *camera() const { return m_camera; }

    QColor backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QColor &color);
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);
    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &color);
    QColor selectedBorderColor() const { return m_selectedBorderColor; }
    void setSelectedBorderColor(const QColor &color);
    QColor labelColor() const { return m_labelColor; }
    void setLabelColor(const QColor &color);

    void addItem(RenderableItem *item);
    void removeItem(RenderableItem *item);
    QList<RenderableItem *> items() const { return m_items; }

    SelectionManager *selectionManager() const { return m_selectionManager; }
    // Takes ownership; the previous manager is deleted.
    void setSelectionManager(SelectionManager *manager);

    void mousePressEvent(QMouseEvent *event);
    void mouseMoveEvent(QMouseEvent *event);
    void mouseReleaseEvent(QMouseEvent *event);
    void wheelEvent(QWheelEvent *event);

private:
    void updatePixelRect();

    QRectF m_relativeRect{0.0, 0.0, 1.0, 1.0};
    QRect m_pixelRect;
    int m_sceneWidth = 0;
    int m_sceneHeight = 0;
    Camera *m_camera;
    QColor m_backgroundColor{108, 108, 132, 255};
    int m_borderWidth = 1;
    QColor m_borderColor{Qt::black};
    QColor m_selectedBorderColor{Qt::yellow};
    QColor m_labelColor{Qt::white};
    QList<RenderableItem *> m_items;
    SelectionManager *m_selectionManager;
};
