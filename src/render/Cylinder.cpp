#include "Cylinder.h"

#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>

#include <cmath>

SolidOfRevolution::SolidOfRevolution(QObject *parent) : RenderableItem(parent) {}

QByteArray SolidOfRevolution::vertexShaderSource() const
{
    return uniformColorVertexShader();
}

float SolidOfRevolution::boundingRadius() const
{
    return m_radius;
}

void SolidOfRevolution::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
    emit changed();
}

void SolidOfRevolution::setRadius(float radius)
{
    m_radius = radius;
    rebuild();
}

void SolidOfRevolution::setHeight(float height)
{
    m_height = height;
    rebuild();
}

void SolidOfRevolution::setSegments(int segments)
{
    m_segments = segments;
    rebuild();
}

void SolidOfRevolution::initialize(QOpenGLContext *context)
{
    RenderableItem::initialize(context);
    initializeProgram(context);
}

void SolidOfRevolution::setupBuffers(QOpenGLFunctions *)
{
    createBuffer(m_vertexBuffer, m_positions.constData(), m_positions.size() * 12);
    bindAttributes();
}

void SolidOfRevolution::bindAttributes()
{
    bindAttribute(m_vertexBuffer, "vPosition");
}

void SolidOfRevolution::render(QOpenGLContext *context)
{
    RenderableItem::render(context);
    paintItem(context);
}

void SolidOfRevolution::draw(QOpenGLFunctions *gl)
{
    if (m_dirty) {
        uploadBuffer(m_vertexBuffer, m_positions.constData(), m_positions.size() * 12);
        m_dirty = false;
    }
    m_program->setUniformValue("color", m_color);
    gl->glDrawArrays(GL_TRIANGLES, 0, m_positions.size());
}

Cylinder::Cylinder(QObject *parent) : SolidOfRevolution(parent)
{
    rebuild();
}

void Cylinder::rebuild()
{
    m_positions.clear();
    m_dirty = true;
    if (m_segments <= 0)
        return;
    const float step = float(2.0 * M_PI / m_segments);
    const float r = m_radius;
    const float h = m_height;
    for (int i = 0; i < m_segments; ++i) {
        const float a0 = float(i) * step;
        const float a1 = float(i + 1) * step;
        const float x0 = r * std::cos(a0), z0 = r * std::sin(a0);
        const float x1 = r * std::cos(a1), z1 = r * std::sin(a1);
        m_positions << QVector3D(0, h, 0) << QVector3D(x0, h, z0) << QVector3D(x1, h, z1);
        m_positions << QVector3D(x0, h, z0) << QVector3D(x1, h, z1) << QVector3D(x1, 0, z1);
        m_positions << QVector3D(x0, h, z0) << QVector3D(x1, 0, z1) << QVector3D(x0, 0, z0);
        m_positions << QVector3D(x1, 0, z1) << QVector3D(x0, 0, z0) << QVector3D(0, 0, 0);
    }
}

Cone::Cone(QObject *parent) : SolidOfRevolution(parent)
{
    rebuild();
}

void Cone::rebuild()
{
    m_positions.clear();
    m_dirty = true;
    if (m_segments <= 0)
        return;
    const float step = float(2.0 * M_PI / m_segments);
    const float r = m_radius;
    const float h = m_height;
    // Counted steps rather than an angle loop, so rounding never adds or drops a segment.
    for (int i = 0; i < m_segments; ++i) {
        const float a0 = float(i) * step;
        const float a1 = float(i + 1) * step;
        const float x0 = r * std::cos(a0), z0 = r * std::sin(a0);
        const float x1 = r * std::cos(a1), z1 = r * std::sin(a1);
        m_positions << QVector3D(0, 0, 0) << QVector3D(x0, 0, z0) << QVector3D(x1, 0, z1);
        m_positions << QVector3D(x0, 0, z0) << QVector3D(x1, 0, z1) << QVector3D(0, h, 0);
    }
}
