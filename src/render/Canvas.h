#pragma once

#include <QColor>
#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QList>
#include <QOpenGLFunctions>
#include <QRectF>
#include <QSurfaceFormat>
#include <QTimer>
#include <QWidget>

#include <memory>

class CanvasWindow;
class LayerItem;
class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLPaintDevice;
class QWindow;
class Scene;
class Viewport;

// The 3D view widget: renders the scene's viewports, then paints their frames and the overlay layers.
// It draws into a native OpenGL window of its own: a GL widget inside the main window would make every
// frame compose the whole window again, which with software OpenGL costs several times the frame itself.
class Canvas : public QWidget, protected QOpenGLFunctions
{
    Q_OBJECT

public:
    explicit Canvas(QWidget *parent = nullptr);
    ~Canvas() override;

    // Before the canvas is first shown; depth and stencil buffers are always requested.
    void setFormat(const QSurfaceFormat &format);
    QSurfaceFormat format() const { return m_format; }
    // Null until the first frame or snapshot, or when no context can be made.
    QOpenGLContext *context() const { return m_context; }
    // The native window the frames are drawn on; it receives the mouse.
    QWindow *drawingWindow() const;

    Scene *scene() const { return m_scene; }
    QColor backgroundColor() const;

    Viewport *createViewport(const QString &name, const QRectF &relativeRect);
    bool hasViewport(const QString &name) const;
    // Removes the first viewport of that name from the scene; the caller deletes it.
    Viewport *takeViewport(const QString &name);
    Viewport *viewport(const QString &name) const;

    // The 3D picture with the viewport frames and overlay layers painted over it, as on screen.
    QImage snapshot();
    // The 2D part of a frame: viewport frames and labels, then the layers by ZOrder.
    void paintOverlays(QPainter *painter, const QRect &rect);

    void addLayer(LayerItem *layer);
    void removeLayer(LayerItem *layer);
    QList<LayerItem *> layers() const { return m_layers; }

    // Changes of the scene are drawn at most this many times per second (1 to 60).
    static constexpr int defaultFrameRate = 30;
    static constexpr int minFrameRate = 1;
    static constexpr int maxFrameRate = 60;
    int frameRate() const { return m_frameRate; }
    // True while a change waits for its frame.
    bool isRepaintPending() const { return m_repaintTimer.isActive(); }

public slots:
    void clearViewPorts();
    void setBackgroundColor(QColor color);
    void setFrameRate(int framesPerSecond);
    // Asks for a repaint at the next frame; any number of requests before it make one repaint.
    void scheduleRepaint();

signals:
    // A frame reached the screen.
    void frameSwapped();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    friend class CanvasWindow;
    bool makeContextCurrent();
    void renderFrame();
    void requestFrame();

    Scene *m_scene;
    CanvasWindow *m_window;
    QSurfaceFormat m_format;
    QOpenGLContext *m_context = nullptr;
    // For snapshots and clean-up while the window has no native surface.
    QOffscreenSurface *m_offscreen = nullptr;
    std::unique_ptr<QOpenGLPaintDevice> m_paintDevice;
    bool m_glInitialized = false;
    // A layer painted once into an image, cropped to what it covers, and drawn from there until it changes:
    // repainting the legend's bar line by line every frame costs more than the whole 3D picture.
    struct LayerImage
    {
        QRect rect;    // the paint rectangle it was made for
        QPoint offset; // where the cropped image goes
        QImage image;  // null when the layer painted nothing
    };
    const LayerImage &layerImage(LayerItem *layer, const QRect &rect);
    void forgetLayerImages() { m_layerImages.clear(); }

    QList<LayerItem *> m_layers;
    QHash<LayerItem *, LayerImage> m_layerImages;
    int m_frameRate = defaultFrameRate;
    QTimer m_repaintTimer;
    // Since the last frame was drawn; invalid before the first.
    QElapsedTimer m_sinceFrame;
};
