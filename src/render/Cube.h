#pragma once

#include "RenderableItem.h"

#include <QColor>
#include <QOpenGLBuffer>
#include <QVector>

// A selectable solid box, red, turning yellow while selected.
class Cube : public RenderableItem
{
    Q_OBJECT

public:
    explicit Cube(QObject *parent = nullptr);

    void render(QOpenGLContext *context) override;
    void initialize(QOpenGLContext *context) override;
    QByteArray vertexShaderSource() const override;
    float boundingRadius() const override;

    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    float size() const { return m_size; }
    void setSize(float size);
    QVector<QVector3D> positions() const { return m_positions; }
    QVector<quint32> indices() const { return m_indices; }

public slots:
    void setSelected(bool selected) override;

protected:
    void setupBuffers(QOpenGLFunctions *gl) override;
    void bindAttributes() override;
    void draw(QOpenGLFunctions *gl) override;

private:
    void rebuild();

    QVector<QVector3D> m_positions;
    QOpenGLBuffer m_vertexBuffer{QOpenGLBuffer::VertexBuffer};
    QVector<quint32> m_indices;
    QOpenGLBuffer m_indexBuffer{QOpenGLBuffer::IndexBuffer};
    QColor m_color{Qt::red};
    bool m_dirty = false;
    float m_size = 1.0f;
};
