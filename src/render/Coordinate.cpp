#include "Coordinate.h"

#include "Arrow.h"

Coordinate::Coordinate(QObject *parent)
    : RenderableItem(parent), m_x(new Arrow), m_y(new Arrow), m_z(new Arrow)
{
    addChild(m_x);
    addChild(m_y);
    addChild(m_z);
    setSize(1.0f);
    // The arrows point along +Y; turn two of them onto their axes.
    m_x->setRotation(Z_Axis, -90.0f);
    m_z->setRotation(X_Axis, 90.0f);
    m_x->setColor(Qt::red);
    m_y->setColor(Qt::green);
    m_z->setColor(Qt::blue);
}

void Coordinate::setSize(float size)
{
    m_size = size;
    m_x->setSize(size);
    m_y->setSize(size);
    m_z->setSize(size);
}
