#include "Cube.h"

#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>

Cube::Cube(QObject *parent) : RenderableItem(parent)
{
    rebuild();
}

QByteArray Cube::vertexShaderSource() const
{
    return uniformColorVertexShader();
}

float Cube::boundingRadius() const
{
    return 0.5f * m_size;
}

void Cube::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
    emit changed();
}

void Cube::setSize(float size)
{
    if (m_size == size)
        return;
    m_size = size;
    rebuild();
    m_dirty = true;
}

void Cube::setSelected(bool selected)
{
    RenderableItem::setSelected(selected);
    setColor(selected ? QColor(Qt::yellow) : QColor(Qt::red));
}

void Cube::rebuild()
{
    const float h = 0.5f * m_size;
    m_positions.clear();
    m_indices.clear();
    m_positions << QVector3D(-h, -h, h) << QVector3D(h, -h, h) << QVector3D(h, h, h) << QVector3D(-h, h, h)
                << QVector3D(h, h, h) << QVector3D(h, h, -h) << QVector3D(h, -h, -h) << QVector3D(h, -h, h)
                << QVector3D(-h, -h, -h) << QVector3D(h, -h, -h) << QVector3D(h, h, -h)
                << QVector3D(-h, h, -h) << QVector3D(-h, -h, -h) << QVector3D(-h, -h, h)
                << QVector3D(-h, h, h) << QVector3D(-h, h, -h) << QVector3D(h, h, h) << QVector3D(-h, h, h)
                << QVector3D(-h, h, -h) << QVector3D(h, h, -h) << QVector3D(-h, -h, -h)
                << QVector3D(h, -h, -h) << QVector3D(h, -h, h) << QVector3D(-h, -h, h);
    for (quint32 b = 0; b < 24; b += 4)
        m_indices << b << b + 1 << b + 2 << b << b + 2 << b + 3;
}

void Cube::initialize(QOpenGLContext *context)
{
    RenderableItem::initialize(context);
    initializeProgram(context);
}

void Cube::setupBuffers(QOpenGLFunctions *)
{
    createBuffer(m_vertexBuffer, m_positions.constData(), m_positions.size() * 12);
    createBuffer(m_indexBuffer, m_indices.constData(), m_indices.size() * 4);
    bindAttributes();
}

void Cube::bindAttributes()
{
    bindAttribute(m_vertexBuffer, "vPosition");
    // The element array binding is part of the vertex array object's state.
    if (m_indexBuffer.isCreated())
        m_indexBuffer.bind();
}

void Cube::render(QOpenGLContext *context)
{
    RenderableItem::render(context);
    paintItem(context);
}

void Cube::draw(QOpenGLFunctions *gl)
{
    if (m_dirty) {
        uploadBuffer(m_vertexBuffer, m_positions.constData(), m_positions.size() * 12);
        uploadBuffer(m_indexBuffer, m_indices.constData(), m_indices.size() * 4);
        m_dirty = false;
        m_indexBuffer.bind();
    }
    m_program->setUniformValue("color", m_color);
    gl->glDrawElements(GL_TRIANGLES, m_indices.size(), GL_UNSIGNED_INT, nullptr);
}
