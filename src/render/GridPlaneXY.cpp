#include "GridPlaneXY.h"

#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>

GridPlaneXY::GridPlaneXY(QObject *parent, float xMin, float xMax, float yMin, float yMax, float z,
                         float frequency)
    : RenderableItem(parent)
{
    setGrid(xMin, xMax, yMin, yMax, z, frequency);
}

QByteArray GridPlaneXY::vertexShaderSource() const
{
    return uniformColorVertexShader();
}

void GridPlaneXY::setColor(QColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    emit colorChanged(color);
}

void GridPlaneXY::setGrid(float xMin, float xMax, float yMin, float yMax, float z, float frequency)
{
    m_xMin = xMin;
    m_xMax = xMax;
    m_yMin = yMin;
    m_yMax = yMax;
    m_z = z;
    m_frequency = frequency;
    m_positions.clear();
    // A spacing that does not advance would never end the loops.
    if (frequency > 0.0f) {
        if (yMax >= yMin) {
            for (float y = yMin; y <= yMax; y += frequency) {
                if (y != 0.0f)
                    m_positions << QVector3D(xMin, y, z) << QVector3D(xMax, y, z);
            }
        }
        if (xMax >= xMin) {
            for (float x = xMin; x <= xMax; x += frequency) {
                if (x != 0.0f)
                    m_positions << QVector3D(x, yMin, z) << QVector3D(x, yMax, z);
            }
        }
    }
    m_dirty = true;
}

void GridPlaneXY::initialize(QOpenGLContext *context)
{
    RenderableItem::initialize(context);
    initializeProgram(context);
}

void GridPlaneXY::setupBuffers(QOpenGLFunctions *)
{
    createBuffer(m_positionBuffer, m_positions.constData(), m_positions.size() * 12);
    bindAttributes();
}

void GridPlaneXY::bindAttributes()
{
    bindAttribute(m_positionBuffer, "vPosition");
}

void GridPlaneXY::render(QOpenGLContext *context)
{
    RenderableItem::render(context);
    paintItem(context);
}

void GridPlaneXY::draw(QOpenGLFunctions *gl)
{
    if (m_dirty) {
        uploadBuffer(m_positionBuffer, m_positions.constData(), m_positions.size() * 12);
        m_dirty = false;
    }
    m_program->setUniformValue("color", m_color);
    gl->glLineWidth(m_lineWidth);
    gl->glDrawArrays(GL_LINES, 0, m_positions.size());
}
