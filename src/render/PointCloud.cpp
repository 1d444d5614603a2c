#include "PointCloud.h"

#include "Coordinate.h"

#include <QOpenGLFunctions_2_0>
#include <QOpenGLShaderProgram>

#include <algorithm>

PointCloud::PointCloud(QObject *parent) : RenderableItem(parent), m_coordinate(new Coordinate)
{
    addChild(m_coordinate);
    m_coordinate->setSize(1.0f);
}

QByteArray PointCloud::vertexShaderSource() const
{
    return perVertexColorVertexShader();
}

void PointCloud::addPoints(QVector<QVector3D> points, QVector<QVector3D> colors)
{
    // Both lists must pair up; a short colour list would leave points without a colour.
    const int n = std::min(points.size(), colors.size());
    const int newCount = m_count + n;
    if (m_drawCount < newCount) {
        // Grow only: the vectors keep the largest frame seen, so steady frames do not allocate.
        if (m_positions.size() < newCount) {
            m_positions.resize(newCount);
            m_colors.resize(newCount);
        }
    }
    std::copy(points.constBegin(), points.constBegin() + n, m_positions.begin() + m_count);
    std::copy(colors.constBegin(), colors.constBegin() + n, m_colors.begin() + m_count);
    m_count = newCount;
    m_dirty = true;
    m_drawCount = std::max(m_drawCount, m_count);
    emit changed();
}

void PointCloud::resetPoints()
{
    m_dirty = true;
    m_drawCount = m_count;
    m_count = 0;
    m_frameTag = -1;
    emit changed();
}

void PointCloud::clearPoints()
{
    m_count = 0;
    m_drawCount = 0;
    m_dirty = true;
    m_frameTag = -1;
    emit changed();
}

void PointCloud::setFrameTag(int tag)
{
    if (tag != m_frameTag)
        resetPoints();
    m_frameTag = tag;
}

bool PointCloud::isCoordinateVisible() const
{
    return m_coordinate->isVisible();
}

void PointCloud::setCoordinateVisible(bool state)
{
    m_coordinate->setVisible(state);
}

void PointCloud::setPointSize(int pointSize)
{
    m_pointSize = pointSize;
}

void PointCloud::initialize(QOpenGLContext *context)
{
    RenderableItem::initialize(context);
    initializeProgram(context);
}

void PointCloud::setupBuffers(QOpenGLFunctions_2_0 *)
{
    for (QOpenGLBuffer *buffer : {&m_positionBuffer, &m_colorBuffer}) {
        buffer->create();
        buffer->bind();
        buffer->setUsagePattern(QOpenGLBuffer::StaticDraw);
        buffer->allocate(m_positions.size() * 12);
        buffer->release();
    }
    bindAttributes();
    // The buffers were allocated without data.
    m_dirty = true;
}

void PointCloud::bindAttributes()
{
    bindAttribute(m_positionBuffer, "vPosition");
    bindAttribute(m_colorBuffer, "vColor");
}

void PointCloud::render(QOpenGLContext *context)
{
    RenderableItem::render(context);
    paintItem(context);
}

void PointCloud::draw(QOpenGLFunctions_2_0 *gl)
{
    if (m_dirty) {
        uploadBuffer(m_positionBuffer, m_positions.constData(), m_positions.size() * 12);
        uploadBuffer(m_colorBuffer, m_colors.constData(), m_colors.size() * 12);
    }
    gl->glPointSize(float(m_pointSize));
    gl->glDrawArrays(GL_POINTS, 0, m_drawCount);
    gl->glPointSize(1.0f);
    m_dirty = false;
}
