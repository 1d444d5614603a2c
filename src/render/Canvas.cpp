#include "Canvas.h"

#include "LayerItem.h"
#include "Scene.h"
#include "Viewport.h"

#include <QEvent>
#include <QExposeEvent>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLPaintDevice>
#include <QPainter>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>
#include <QtMath>

#include <algorithm>

// The native surface the canvas draws on; it hands its input to the canvas.
class CanvasWindow : public QWindow
{
public:
    explicit CanvasWindow(Canvas *canvas) : m_canvas(canvas) { setSurfaceType(QWindow::OpenGLSurface); }

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::UpdateRequest) {
            m_canvas->renderFrame();
            return true;
        }
        return QWindow::event(event);
    }
    void exposeEvent(QExposeEvent *) override
    {
        if (isExposed())
            m_canvas->renderFrame();
    }
    void mousePressEvent(QMouseEvent *event) override { m_canvas->mousePressEvent(event); }
    void mouseReleaseEvent(QMouseEvent *event) override { m_canvas->mouseReleaseEvent(event); }
    void mouseMoveEvent(QMouseEvent *event) override { m_canvas->mouseMoveEvent(event); }
    void wheelEvent(QWheelEvent *event) override { m_canvas->wheelEvent(event); }

private:
    Canvas *m_canvas;
};

namespace {
QSurfaceFormat withDepthAndStencil(QSurfaceFormat format)
{
    // A window's own framebuffer has only what is asked for; the depth test needs a depth buffer.
    format.setDepthBufferSize(std::max(format.depthBufferSize(), 24));
    format.setStencilBufferSize(std::max(format.stencilBufferSize(), 8));
    return format;
}
} // namespace

Canvas::Canvas(QWidget *parent)
    : QWidget(parent), m_scene(new Scene(this)), m_window(new CanvasWindow(this)),
      m_format(withDepthAndStencil(QSurfaceFormat::defaultFormat()))
{
    setMouseTracking(true);
    m_window->setFormat(m_format);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(QWidget::createWindowContainer(m_window, this));
    m_repaintTimer.setSingleShot(true);
    m_repaintTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_repaintTimer, &QTimer::timeout, this, &Canvas::renderFrame);
    // A stream changes the scene hundreds of times a second; without vertical sync every change would
    // cost a frame.
    connect(m_scene, &RenderableItem::changed, this, &Canvas::scheduleRepaint);
}

void Canvas::setFrameRate(int framesPerSecond)
{
    m_frameRate = qBound(minFrameRate, framesPerSecond, maxFrameRate);
}

void Canvas::scheduleRepaint()
{
    // A hidden or covered window draws nothing; it is drawn again when it is exposed.
    if (m_repaintTimer.isActive() || !m_window->isExposed())
        return;
    const qint64 interval = 1000 / m_frameRate;
    const qint64 since = m_sinceFrame.isValid() ? m_sinceFrame.elapsed() : interval;
    // Drawn from the timer itself: a window's update request would add its own delay to every frame.
    m_repaintTimer.start(int(std::max<qint64>(0, interval - since)));
}

Canvas::~Canvas()
{
    // Free the scene's GL resources while the context still exists.
    const bool current = m_glInitialized && makeContextCurrent();
    delete m_scene;
    m_scene = nullptr;
    m_paintDevice.reset();
    if (current)
        m_context->doneCurrent();
}

QWindow *Canvas::drawingWindow() const
{
    return m_window;
}

void Canvas::setFormat(const QSurfaceFormat &format)
{
    m_format = withDepthAndStencil(format);
    m_window->setFormat(m_format);
}

bool Canvas::makeContextCurrent()
{
    if (!m_context) {
        auto *context = new QOpenGLContext(this);
        context->setFormat(m_format);
        if (!context->create()) {
            delete context;
            return false;
        }
        m_context = context;
    }
    QSurface *surface = m_window;
    if (!m_window->handle()) {
        if (!m_offscreen) {
            m_offscreen = new QOffscreenSurface(nullptr, this);
            m_offscreen->setFormat(m_context->format());
            m_offscreen->create();
        }
        surface = m_offscreen;
    }
    if (!m_context->makeCurrent(surface))
        return false;
    if (!m_glInitialized) {
        initializeOpenGLFunctions();
        m_scene->initialize(m_context);
        m_glInitialized = true;
    }
    return true;
}

void Canvas::requestFrame()
{
    m_window->requestUpdate();
}

void Canvas::renderFrame()
{
    if (!m_window->isExposed() || !makeContextCurrent())
        return;
    m_sinceFrame.start();
    m_repaintTimer.stop();
    m_scene->setSize(size());
    m_scene->render(m_context);
    const qreal ratio = m_window->devicePixelRatio();
    if (!m_paintDevice)
        m_paintDevice = std::make_unique<QOpenGLPaintDevice>();
    m_paintDevice->setSize(m_window->size() * ratio);
    m_paintDevice->setDevicePixelRatio(ratio);
    {
        QPainter painter(m_paintDevice.get());
        painter.setPen(QPen(palette().brush(foregroundRole()), 1));
        painter.setFont(font());
        paintOverlays(&painter, rect());
    }
    m_context->swapBuffers(m_window);
    emit frameSwapped();
}

void Canvas::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_scene->setSize(event->size());
}

QColor Canvas::backgroundColor() const
{
    return m_scene->backgroundColor();
}

void Canvas::setBackgroundColor(QColor color)
{
    m_scene->setBackgroundColor(color);
}

Viewport *Canvas::createViewport(const QString &name, const QRectF &relativeRect)
{
    auto *viewport = new Viewport(m_scene);
    viewport->setRelativeRect(QRectF(0.0, 0.0, 1.0, 1.0));
    viewport->setName(name);
    viewport->setRelativeRect(relativeRect);
    m_scene->addViewport(viewport);
    return viewport;
}

bool Canvas::hasViewport(const QString &name) const
{
    return viewport(name) != nullptr;
}

Viewport *Canvas::viewport(const QString &name) const
{
    const QList<Viewport *> viewports = m_scene->viewports();
    for (Viewport *viewport : viewports) {
        if (viewport->name() == name)
            return viewport;
    }
    return nullptr;
}

Viewport *Canvas::takeViewport(const QString &name)
{
    Viewport *found = viewport(name);
    if (found) {
        m_scene->removeViewport(found);
        requestFrame();
    }
    return found;
}

void Canvas::clearViewPorts()
{
    const QList<Viewport *> viewports = m_scene->viewports();
    // Removed only: whoever made a viewport may still hold it (or its camera); the scene frees the rest.
    for (Viewport *viewport : viewports)
        m_scene->removeViewport(viewport);
    requestFrame();
}

void Canvas::addLayer(LayerItem *layer)
{
    if (!layer || m_layers.contains(layer))
        return;
    m_layers.append(layer);
    connect(layer, &LayerItem::changed, this, [this, layer]() {
        m_layerImages.remove(layer);
        requestFrame();
    });
    connect(layer, &QObject::destroyed, this, [this, layer]() {
        m_layers.removeAll(layer);
        m_layerImages.remove(layer);
    });
    requestFrame();
}

void Canvas::removeLayer(LayerItem *layer)
{
    if (!layer)
        return;
    m_layers.removeAll(layer);
    m_layerImages.remove(layer);
    disconnect(layer, nullptr, this, nullptr);
    requestFrame();
}

void Canvas::paintOverlays(QPainter *painter, const QRect &rect)
{
    m_scene->paintOverlay(painter, rect);
    QList<LayerItem *> layers = m_layers;
    std::stable_sort(layers.begin(), layers.end(),
                     [](const LayerItem *a, const LayerItem *b) { return a->ZOrder() < b->ZOrder(); });
    for (LayerItem *layer : qAsConst(layers)) {
        const LayerImage &cached = layerImage(layer, rect);
        if (!cached.image.isNull())
            painter->drawImage(cached.offset, cached.image);
    }
}

const Canvas::LayerImage &Canvas::layerImage(LayerItem *layer, const QRect &rect)
{
    LayerImage &cached = m_layerImages[layer];
    if (cached.rect == rect && !cached.rect.isNull() && !layer->pictureOutdated())
        return cached;
    cached = LayerImage();
    cached.rect = rect;
    const qreal ratio = devicePixelRatioF();
    QImage full(rect.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    if (full.isNull())
        return cached;
    full.setDevicePixelRatio(ratio);
    full.fill(Qt::transparent);
    {
        QPainter painter(&full);
        // What a painter opened on the widget starts with.
        painter.setPen(QPen(palette().brush(foregroundRole()), 1));
        painter.setFont(font());
        painter.translate(-rect.topLeft());
        layer->paint(&painter, rect);
    }
    // Crop to the painted pixels, so that each frame blends only the layer's own area.
    int left = full.width(), right = -1, top = -1, bottom = -1;
    for (int y = 0; y < full.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(full.constScanLine(y));
        int first = -1, last = -1;
        for (int x = 0; x < full.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            if (first < 0)
                first = x;
            last = x;
        }
        if (first < 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        left = std::min(left, first);
        right = std::max(right, last);
    }
    if (top < 0)
        return cached;
    cached.image = full.copy(QRect(QPoint(left, top), QPoint(right, bottom)));
    cached.image.setDevicePixelRatio(ratio);
    cached.offset = rect.topLeft() + QPoint(qFloor(left / ratio), qFloor(top / ratio));
    return cached;
}

QImage Canvas::snapshot()
{
    // The 3D picture is drawn again into a framebuffer object: what a window shows cannot be read back.
    if (size().isEmpty() || !makeContextCurrent())
        return QImage();
    m_scene->setSize(size());
    QImage image;
    {
        QOpenGLFramebufferObject target(size(), QOpenGLFramebufferObject::CombinedDepthStencil);
        if (!target.isValid() || !target.bind())
            return QImage();
        m_scene->render(m_context);
        image = target.toImage();
        target.release();
    }
    if (image.isNull())
        return image;
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    paintOverlays(&painter, QRect(QPoint(0, 0), size()));
    painter.end();
    return image;
}

void Canvas::mousePressEvent(QMouseEvent *event)
{
    m_scene->mousePressEvent(event);
    requestFrame();
}

void Canvas::mouseReleaseEvent(QMouseEvent *event)
{
    m_scene->mouseReleaseEvent(event);
}

void Canvas::mouseMoveEvent(QMouseEvent *event)
{
    m_scene->mouseMoveEvent(event);
}

void Canvas::wheelEvent(QWheelEvent *event)
{
    m_scene->wheelEvent(event);
}

void Canvas::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::LanguageChange:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        forgetLayerImages();
        requestFrame();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}
