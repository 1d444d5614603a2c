#pragma once

#include "RenderableItem.h"

#include <QOpenGLBuffer>
#include <QVector>

// The world axes as three coloured lines: X red, Y green, Z blue.
class Axis : public RenderableItem
{
    Q_OBJECT
    Q_PROPERTY(float lineWidth READ lineWidth WRITE setLineWidth NOTIFY lineWidthChanged)

public:
    Axis(QObject *parent, float xmin, float ymin, float zmin, float xmax, float ymax, float zmax,
         float lineWidth);

    void render(QOpenGLContext *context) override;
    void initialize(QOpenGLContext *context) override;
    QByteArray vertexShaderSource() const override;

    float lineWidth() const { return m_lineWidth; }
    QVector<QVector3D> positions() const { return m_positions; }
    QVector<QVector3D> colors() const { return m_colors; }

public slots:
    void setLineWidth(float lineWidth);
    void setAxisLimits(float xmin, float ymin, float zmin, float xmax, float ymax, float zmax);

signals:
    void lineWidthChanged(float lineWidth);

protected:
    void setupBuffers(QOpenGLFunctions *gl) override;
    void bindAttributes() override;
    void draw(QOpenGLFunctions *gl) override;

private:
    float m_xmin = 0.0f;
    float m_ymin = 0.0f;
    float m_zmin = 0.0f;
    float m_xmax = 0.0f;
    float m_ymax = 0.0f;
    float m_zmax = 0.0f;
    float m_lineWidth;
    QVector<QVector3D> m_positions;
    QVector<QVector3D> m_colors;
    QOpenGLBuffer m_positionBuffer{QOpenGLBuffer::VertexBuffer};
    QOpenGLBuffer m_colorBuffer{QOpenGLBuffer::VertexBuffer};
    bool m_dirty = false;
};
