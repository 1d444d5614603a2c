#include "Arrow.h"

#include "Cylinder.h"

Arrow::Arrow(QObject *parent) : RenderableItem(parent), m_shaft(new Cylinder), m_head(new Cone)
{
    addChild(m_shaft);
    addChild(m_head);
    setShaftLength(0.8f);
    setHeadLength(0.2f);
    setShaftRadius(0.05f);
    setHeadRadius(0.1f);
}

void Arrow::placeHead()
{
    m_head->setPos(QVector3D(0.0f, m_shaft->height(), 0.0f));
}

void Arrow::setSize(float size)
{
    setShaftLength(0.8f * size);
    setHeadLength(0.2f * size);
    setShaftRadius(0.05f * size);
    setHeadRadius(0.1f * size);
}

void Arrow::setShaftLength(float length)
{
    m_shaft->setHeight(length);
    placeHead();
}

void Arrow::setHeadLength(float length)
{
    m_head->setHeight(length);
    placeHead();
}

void Arrow::setShaftRadius(float radius)
{
    m_shaft->setRadius(radius);
    placeHead();
}

void Arrow::setHeadRadius(float radius)
{
    m_head->setRadius(radius);
    placeHead();
}

float Arrow::shaftLength() const
{
    return m_shaft->height();
}

float Arrow::headLength() const
{
    return m_head->height();
}

float Arrow::shaftRadius() const
{
    return m_shaft->radius();
}

float Arrow::headRadius() const
{
    return m_head->radius();
}

QColor Arrow::color() const
{
    return m_shaft->color();
}

void Arrow::setColor(const QColor &color)
{
    m_shaft->setColor(color);
    m_head->setColor(color);
}
