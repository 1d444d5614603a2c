#include "Scene.h"

#include "Viewport.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QWheelEvent>

#include <algorithm>

#ifndef GL_ALPHA_TEST
#define GL_ALPHA_TEST 0x0BC0
#endif

Scene::Scene(QObject *parent) : RenderableItem(parent) {}

QList<Viewport *> Scene::sortedViewports() const
{
    QList<Viewport *> list = m_viewports;
    std::stable_sort(list.begin(), list.end(),
                     [](const Viewport *a, const Viewport *b) { return a->ZOrder() < b->ZOrder(); });
    return list;
}

void Scene::render(QOpenGLContext *context)
{
    RenderableItem::render(context);
    QOpenGLFunctions *f = context->functions();
    f->glEnable(GL_DEPTH_TEST);
    if (hasAlphaTest(context))
        f->glEnable(GL_ALPHA_TEST);
    f->glClearColor(float(m_backgroundColor.redF()), float(m_backgroundColor.greenF()),
                    float(m_backgroundColor.blueF()), float(m_backgroundColor.alphaF()));
    f->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    f->glViewport(0, 0, m_width, m_height);
    const QList<Viewport *> viewports = sortedViewports();
    for (Viewport *viewport : viewports)
        viewport->render(context);
    f->glViewport(0, 0, m_width, m_height);
    f->glFlush();
}

void Scene::paintOverlay(QPainter *painter, QRect rect)
{
    RenderableItem::paintOverlay(painter, rect);
    const QList<Viewport *> viewports = sortedViewports();
    for (Viewport *viewport : viewports)
        viewport->paintOverlay(painter, rect);
}

void Scene::addViewport(Viewport *viewport)
{
    if (!viewport)
        return;
    m_viewports.append(viewport);
    viewport->setSceneSize(size());
    connect(viewport, &RenderableItem::changed, this, &RenderableItem::changed);
    // A viewport deleted by its owner must not stay in the list.
    connect(viewport, &QObject::destroyed, this, [this, viewport]() { m_viewports.removeAll(viewport); });
    emit changed();
}

void Scene::removeViewport(Viewport *viewport)
{
    if (!viewport)
        return;
    disconnect(viewport, nullptr, this, nullptr);
    m_viewports.removeAll(viewport);
    emit changed();
}

Viewport *Scene::viewportAt(const QPoint &point) const
{
    QList<Viewport *> list = m_viewports;
    std::stable_sort(list.begin(), list.end(),
                     [](const Viewport *a, const Viewport *b) { return a->ZOrder() > b->ZOrder(); });
    for (Viewport *viewport : qAsConst(list)) {
        if (viewport->pixelRect().contains(point))
            return viewport;
    }
    return nullptr;
}

void Scene::setSize(const QSize &size)
{
    if (size == this->size())
        return;
    m_width = size.width();
    m_height = size.height();
    for (Viewport *viewport : qAsConst(m_viewports))
        viewport->setSceneSize(size);
    emit changed();
}

void Scene::setBackgroundColor(const QColor &color)
{
    if (color == m_backgroundColor)
        return;
    m_backgroundColor = color;
    emit changed();
}

void Scene::mousePressEvent(QMouseEvent *event)
{
    Viewport *target = viewportAt(event->localPos().toPoint());
    for (Viewport *viewport : qAsConst(m_viewports))
        viewport->setSelected(false);
    if (!target)
        return;
    target->mousePressEvent(event);
    target->setSelected(true);
}

void Scene::mouseMoveEvent(QMouseEvent *event)
{
    if (Viewport *target = viewportAt(event->localPos().toPoint()))
        target->mouseMoveEvent(event);
}

void Scene::mouseReleaseEvent(QMouseEvent *event)
{
    if (Viewport *target = viewportAt(event->localPos().toPoint()))
        target->mouseReleaseEvent(event);
}

void Scene::wheelEvent(QWheelEvent *event)
{
    if (Viewport *target = viewportAt(event->position().toPoint()))
        target->wheelEvent(event);
}
