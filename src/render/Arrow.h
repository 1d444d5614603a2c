#pragma once

#include "RenderableItem.h"

#include <QColor>

class Cone;
class Cylinder;

// A cylinder shaft with a cone head on top, pointing along +Y.
class Arrow : public RenderableItem
{
    Q_OBJECT

public:
    explicit Arrow(QObject *parent = nullptr);

    void setSize(float size);
    void setShaftLength(float length);
    void setHeadLength(float length);
    void setShaftRadius(float radius);
    void setHeadRadius(float radius);
    float shaftLength() const;
    float headLength() const;
    float shaftRadius() const;
    float headRadius() const;
    QColor color() const;
    void setColor(const QColor &color);

    Cylinder *shaft() const { return m_shaft; }
    Cone *head() const { return m_head; }

private:
    void placeHead();

    Cylinder *m_shaft;
    Cone *m_head;
};
