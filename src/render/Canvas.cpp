#include "Canvas.h"

#include "LayerItem.h"
#include "Scene.h"
#include "Viewport.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QtMath>

#include <algorithm>

Canvas::Canvas(QWidget *parent) : QOpenGLWidget(parent), m_scene(new Scene(this))
{
    setMouseTracking(true);
    m_repaintTimer.setSingleShot(true);
    m_repaintTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_repaintTimer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
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
    if (m_repaintTimer.isActive())
        return;
    const qint64 interval = 1000 / m_frameRate;
    const qint64 since = m_sinceFrame.isValid() ? m_sinceFrame.elapsed() : interval;
    if (since >= interval)
        update();
    else
        m_repaintTimer.start(int(interval - since));
}

Canvas::~Canvas()
{
    // Free the scene's GL resources while the context still exists.
    makeCurrent();
    delete m_scene;
    m_scene = nullptr;
    doneCurrent();
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
        update();
    }
    return found;
}

void Canvas::clearViewPorts()
{
    const QList<Viewport *> viewports = m_scene->viewports();
    // Removed only: whoever made a viewport may still hold it (or its camera); the scene frees the rest.
    for (Viewport *viewport : viewports)
        m_scene->removeViewport(viewport);
    update();
}

void Canvas::addLayer(LayerItem *layer)
{
    if (!layer || m_layers.contains(layer))
        return;
    m_layers.append(layer);
    connect(layer, &LayerItem::changed, this, [this, layer]() {
        m_layerImages.remove(layer);
        update();
    });
    connect(layer, &QObject::destroyed, this, [this, layer]() {
        m_layers.removeAll(layer);
        m_layerImages.remove(layer);
    });
    update();
}

void Canvas::removeLayer(LayerItem *layer)
{
    if (!layer)
        return;
    m_layers.removeAll(layer);
    m_layerImages.remove(layer);
    disconnect(layer, nullptr, this, nullptr);
    update();
}

void Canvas::initializeGL()
{
    initializeOpenGLFunctions();
    m_scene->initialize(context());
}

void Canvas::resizeGL(int w, int h)
{
    m_scene->setSize(QSize(w, h));
}

void Canvas::paintGL()
{
    m_sinceFrame.start();
    m_repaintTimer.stop();
    m_scene->render(context());
}

void Canvas::paintEvent(QPaintEvent *event)
{
    QOpenGLWidget::paintEvent(event);

    QPainter painter(this);
    paintOverlays(&painter, event->rect());
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
    if (cached.rect == rect && !cached.rect.isNull())
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
    // grabFramebuffer() runs paintGL only; the overlays are painted on top here as paintEvent does.
    QImage image = grabFramebuffer();
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
    update();
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
        update();
        break;
    default:
        break;
    }
    QOpenGLWidget::changeEvent(event);
}
