#pragma once

#include "RenderableItem.h"

class Arrow;

// Three arrows marking an item's own origin: X red, Y green, Z blue.
class Coordinate : public RenderableItem
{
    Q_OBJECT

public:
    explicit Coordinate(QObject *parent = nullptr);

    float size() const { return m_size; }
    void setSize(float size);

    Arrow *xArrow() const { return m_x; }
    Arrow *yArrow() const { return m_y; }
    Arrow *zArrow() const { return m_z; }

private:
    Arrow *m_x;
    Arrow *m_y;
    Arrow *m_z;
    float m_size = 1.0f;
};
