#pragma once

#include "RenderableItem.h"

#include <QColor>
#include <QOpenGLBuffer>
#include <QVector>

// Ground grid on a plane of constant z; the lines through the origin are left to the axes.
class GridPlaneXY : public RenderableItem
{
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)

public:
    GridPlaneXY(QObject *parent, float xMin, float xMax, float yMin, float yMax, float z, float frequency);

    void render(QOpenGLContext *context) override;
    void initialize(QOpenGLContext *context) override;
    QByteArray vertexShaderSource() const override;

    QColor color() const { return m_color; }
    float lineWidth() const { return m_lineWidth; }
    void setLineWidth(float lineWidth) { m_lineWidth = lineWidth; }
    QVector<QVector3D> positions() const { return m_positions; }

public slots:
    void setColor(QColor color);
    void setGrid(float xMin, float xMax, float yMin, float yMax, float z, float frequency);

signals:
    void colorChanged(QColor color);

protected:
    void setupBuffers(QOpenGLFunctions *gl) override;
    void bindAttributes() override;
    void draw(QOpenGLFunctions *gl) override;

private:
    float m_xMin = 0.0f;
    float m_xMax = 0.0f;
    float m_yMin = 0.0f;
    float m_yMax = 0.0f;
    float m_z = 0.0f;
    float m_frequency = 1.0f;
    float m_lineWidth = 1.0f;
    QColor m_color{190, 190, 190, 255};
    QVector<QVector3D> m_positions;
    QOpenGLBuffer m_positionBuffer{QOpenGLBuffer::VertexBuffer};
    bool m_dirty = false;
};
