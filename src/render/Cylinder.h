#pragma once

#include "RenderableItem.h"

#include <QColor>
#include <QOpenGLBuffer>
#include <QVector>

// Shared shape of the solid primitives that stand on the XZ plane and grow along +Y.
class SolidOfRevolution : public RenderableItem
{
    Q_OBJECT

public:
    explicit SolidOfRevolution(QObject *parent = nullptr);

    void render(QOpenGLContext *context) override;
    void initialize(QOpenGLContext *context) override;
    QByteArray vertexShaderSource() const override;
    float boundingRadius() const override;

    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    float radius() const { return m_radius; }
    void setRadius(float radius);
    float height() const { return m_height; }
    void setHeight(float height);
    int segments() const { return m_segments; }
    void setSegments(int segments);
    QVector<QVector3D> positions() const { return m_positions; }

protected:
    void setupBuffers(QOpenGLFunctions *gl) override;
    void bindAttributes() override;
    void draw(QOpenGLFunctions *gl) override;
    virtual void rebuild() = 0;

    QVector<QVector3D> m_positions;
    QOpenGLBuffer m_vertexBuffer{QOpenGLBuffer::VertexBuffer};
    bool m_dirty = false;
    QColor m_color{Qt::yellow};
    float m_radius = 1.0f;
    float m_height = 10.0f;
    int m_segments = 20;
};

class Cylinder : public SolidOfRevolution
{
    Q_OBJECT

public:
    explicit Cylinder(QObject *parent = nullptr);

protected:
    void rebuild() override;
};

class Cone : public SolidOfRevolution
{
    Q_OBJECT

public:
    explicit Cone(QObject *parent = nullptr);

protected:
    void rebuild() override;
};
