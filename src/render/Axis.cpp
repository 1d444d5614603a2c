#include "Axis.h"

#include <QOpenGLFunctions>

Axis::Axis(QObject *parent, float xmin, float ymin, float zmin, float xmax, float ymax, float zmax,
           float lineWidth)
    : RenderableItem(parent), m_lineWidth(lineWidth)
{
    setAxisLimits(xmin, ymin, zmin, xmax, ymax, zmax);
}

QByteArray Axis::vertexShaderSource() const
{
    return perVertexColorVertexShader();
}

void Axis::setLineWidth(float lineWidth)
{
    if (m_lineWidth == lineWidth)
        return;
    m_lineWidth = lineWidth;
    emit lineWidthChanged(lineWidth);
    emit changed();
}

void Axis::setAxisLimits(float xmin, float ymin, float zmin, float xmax, float ymax, float zmax)
{
    m_xmin = xmin;
    m_ymin = ymin;
    m_zmin = zmin;
    m_xmax = xmax;
    m_ymax = ymax;
    m_zmax = zmax;
    m_positions = {{xmin, 0, 0}, {xmax, 0, 0}, {0, ymin, 0}, {0, ymax, 0}, {0, 0, zmin}, {0, 0, zmax}};
    m_colors = {{1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 1}};
    m_dirty = true;
    emit changed();
}

void Axis::initialize(QOpenGLContext *context)
{
    RenderableItem::initialize(context);
    initializeProgram(context);
}

void Axis::setupBuffers(QOpenGLFunctions *)
{
    createBuffer(m_positionBuffer, m_positions.constData(), m_positions.size() * 12);
    createBuffer(m_colorBuffer, m_colors.constData(), m_colors.size() * 12);
    bindAttributes();
}

void Axis::bindAttributes()
{
    bindAttribute(m_positionBuffer, "vPosition");
    bindAttribute(m_colorBuffer, "vColor");
}

void Axis::render(QOpenGLContext *context)
{
    RenderableItem::render(context);
    paintItem(context);
}

void Axis::draw(QOpenGLFunctions *gl)
{
    if (m_dirty) {
        uploadBuffer(m_positionBuffer, m_positions.constData(), m_positions.size() * 12);
        uploadBuffer(m_colorBuffer, m_colors.constData(), m_colors.size() * 12);
        m_dirty = false;
    }
    gl->glLineWidth(m_lineWidth);
    gl->glDrawArrays(GL_LINES, 0, 6);
    gl->glLineWidth(1.0f);
}
