#include "Viewport.h"

#include "Camera.h"
#include "SelectionManager.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QPainter>
#include <QWheelEvent>

Viewport::Viewport(QObject *parent)
    : RenderableItem(parent), m_camera(new Camera(this)), m_selectionManager(new SelectionManager(this))
{
    connect(m_camera, &Camera::characteristicsChanged, this, &RenderableItem::changed);
}

Viewport::~Viewport() = default;

QRect Viewport::pixelRectFor(const QRectF &relative, const QSize &scene)
{
    const double w = scene.width();
    const double h = scene.height();
    const int left = qRound(relative.x() * w);
    const int top = qRound(relative.y() * h);
    const int right = left + qRound(w * relative.width()) - 1;
    const int bottom = top + qRound(h * relative.height()) - 1;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void Viewport::updatePixelRect()
{
    m_pixelRect = pixelRectFor(m_relativeRect, QSize(m_sceneWidth, m_sceneHeight));
    m_camera->setViewport(m_pixelRect);
    emit changed();
}

QRect Viewport::glRect() const
{
    const double w = m_sceneWidth;
    const double h = m_sceneHeight;
    const QRectF &r = m_relativeRect;
    return QRect(int(r.x() * w), int((1.0 - r.y() - r.height()) * h), int(w * r.width()),
                 int(h * r.height()));
}

void Viewport::setRelativeRect(const QRectF &rect)
{
    m_relativeRect = rect;
    updatePixelRect();
}

void Viewport::setSceneSize(const QSize &size)
{
    m_sceneWidth = size.width();
    m_sceneHeight = size.height();
    updatePixelRect();
}

void Viewport::setBackgroundColor(const QColor &color)
{
    m_backgroundColor = color;
    emit changed();
}

void Viewport::setBorderWidth(int width)
{
    m_borderWidth = width;
    emit changed();
}

void Viewport::setBorderColor(const QColor &color)
{
    m_borderColor = color;
    emit changed();
}

void Viewport::setSelectedBorderColor(const QColor &color)
{
    m_selectedBorderColor = color;
    emit changed();
}

void Viewport::setLabelColor(const QColor &color)
{
    m_labelColor = color;
    emit changed();
}

void Viewport::setSelected(bool selected)
{
    RenderableItem::setSelected(selected);
    emit changed();
}

void Viewport::addItem(RenderableItem *item)
{
    if (!item)
        return;
    m_items.append(item);
    // Items belong to others; forget them when they go, and repaint when they change.
    connect(item, &QObject::destroyed, this, [this, item]() { m_items.removeAll(item); });
    connect(item, &RenderableItem::changed, this, &RenderableItem::changed, Qt::UniqueConnection);
    emit changed();
}

void Viewport::removeItem(RenderableItem *item)
{
    if (!item)
        return;
    m_items.removeAll(item);
    disconnect(item, nullptr, this, nullptr);
    emit changed();
}

void Viewport::setSelectionManager(SelectionManager *manager)
{
    if (manager == m_selectionManager)
        return;
    delete m_selectionManager;
    m_selectionManager = manager;
    if (manager)
        manager->setParent(this);
}

void Viewport::render(QOpenGLContext *context)
{
    RenderableItem::render(context);
    QOpenGLFunctions *f = context->functions();
    const QRect gl = glRect();
    f->glViewport(gl.x(), gl.y(), gl.width(), gl.height());
    f->glScissor(gl.x(), gl.y(), gl.width(), gl.height());
    f->glEnable(GL_SCISSOR_TEST);
    f->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    f->glDisable(GL_SCISSOR_TEST);

    m_projectionMatrix = m_camera->projectionMatrix();
    m_viewMatrix = m_camera->viewMatrix();
    const QList<RenderableItem *> items = m_items;
    for (RenderableItem *item : items) {
        item->setProjectionMatrix(m_projectionMatrix);
        item->setViewMatrix(m_viewMatrix);
        item->render(context);
    }
}

void Viewport::paintOverlay(QPainter *painter, QRect rect)
{
    RenderableItem::paintOverlay(painter, rect);

    painter->save();
    painter->translate(m_pixelRect.topLeft());
    const QRect local(0, 0, m_pixelRect.width(), m_pixelRect.height());
    const QList<RenderableItem *> items = m_items;
    for (RenderableItem *item : items) {
        item->setProjectionMatrix(m_camera->projectionMatrix());
        item->setViewMatrix(m_camera->viewMatrix());
        item->paintOverlay(painter, local);
    }
    painter->restore();

    painter->save();
    painter->setPen(QPen(isSelected() ? m_selectedBorderColor : m_borderColor, 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(m_pixelRect.adjusted(1, 1, -1, -1));
    if (!name().isEmpty()) {
        QFont font = painter->font();
        font.setFamily(QStringLiteral("Roboto"));
        painter->setFont(font);
        const QFontMetrics metrics(font);
        const QRect label(m_pixelRect.left() + 2, m_pixelRect.top() + 2,
                          metrics.horizontalAdvance(name()) + 2, metrics.height() + 2);
        painter->setPen(m_labelColor);
        painter->setBrush(m_labelColor);
        painter->drawRect(label);
        painter->setPen(Qt::black);
        painter->drawText(label, Qt::AlignHCenter | Qt::AlignVCenter, name());
    }
    painter->restore();
}

void Viewport::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->localPos().toPoint();
    if (!m_pixelRect.contains(p))
        return;
    m_camera->mousePressEvent(event);
    if (m_selectionManager)
        m_selectionManager->mousePress(m_items, m_camera->rayAt(p.x(), p.y()));
}

void Viewport::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->localPos().toPoint();
    if (!m_pixelRect.contains(p))
        return;
    m_camera->mouseMoveEvent(event);
    if (m_selectionManager)
        m_selectionManager->mouseMove(m_items, m_camera->rayAt(p.x(), p.y()));
}

void Viewport::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint p = event->localPos().toPoint();
    if (!m_pixelRect.contains(p))
        return;
    m_camera->mouseReleaseEvent(event);
    if (m_selectionManager)
        m_selectionManager->mouseRelease(m_items, m_camera->rayAt(p.x(), p.y()));
}

void Viewport::wheelEvent(QWheelEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (!m_pixelRect.contains(p))
        return;
    m_camera->wheelEvent(event);
}
