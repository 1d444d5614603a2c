#pragma once

#include "Ray.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRectF>

class Axis;
class CameraProperty;
class Canvas;
class ColorProperty;
class ComboBoxProperty;
class IntegerProperty;
class GridPlaneXY;
class LayerItem;
class PropertyItem;
class RenderableItem;
class Viewport;

// Owns the view-wide settings (the "Canvas" group: camera, background colour, viewport layout), lays out
// the canvas' viewports and fills each new one with the axes, the grid and the registered items.
class SceneComposer : public QObject
{
    Q_OBJECT

public:
    enum ViewportLayout
    {
        NoViewport = 0,
        TopView = 1
    };
    Q_ENUM(ViewportLayout)

    explicit SceneComposer(QObject *parent = nullptr);
    ~SceneComposer() override;

    Canvas *canvas() const;
    // Applies the background colour, the registered layers and the chosen layout to the canvas.
    void setCanvas(Canvas *canvas);

    // Registered items go into every viewport created afterwards; they are not owned.
    void addItem(RenderableItem *item);
    // Registered layers are added to the canvas, now or when it is set; they are not owned.
    void addLayer(LayerItem *layer);
    QList<RenderableItem *> items() const { return m_items; }
    QList<LayerItem *> layers() const { return m_layers; }

    PropertyItem *property() const { return m_group; }
    CameraProperty *cameraProperty() const { return m_cameraProperty; }
    ColorProperty *backgroundColorProperty() const { return m_backgroundColor; }
    ComboBoxProperty *viewportProperty() const { return m_viewport; }
    IntegerProperty *frameRateProperty() const { return m_frameRate; }
    Axis *axis() const { return m_axis; }
    GridPlaneXY *grid() const { return m_grid; }

    void retranslate();

public slots:
    void setViewportLayout(int layout);
    void zoomOut();
    void zoomIn();

signals:
    void setMouseRay(Ray ray);

private:
    // Creates the main viewport when the canvas has none and keeps the camera property on its camera.
    void ensureMainViewport();
    void populate(Viewport *viewport);
    // Gives the registered layers the areas their docked children keep clear of.
    void setKeepClear(const QList<QRectF> &areas);

    QPointer<Canvas> m_canvas;
    PropertyItem *m_group = nullptr;
    CameraProperty *m_cameraProperty = nullptr;
    ColorProperty *m_backgroundColor = nullptr;
    ComboBoxProperty *m_viewport = nullptr;
    IntegerProperty *m_frameRate = nullptr;
    Axis *m_axis = nullptr;
    GridPlaneXY *m_grid = nullptr;
    QList<RenderableItem *> m_items;
    QList<LayerItem *> m_layers;
    QList<QRectF> m_keepClear;
};
