#include "PointCloud.h"

#include "Coordinate.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>

#include <algorithm>

#ifndef GL_PROGRAM_POINT_SIZE
#define GL_PROGRAM_POINT_SIZE 0x8642
#endif

PointCloud::PointCloud(QObject *parent) : RenderableItem(parent), m_coordinate(new Coordinate)
{
    addChild(m_coordinate);
    m_coordinate->setSize(1.0f);
}

QByteArray PointCloud::vertexShaderSource() const
{
    // The point size comes from the shader: glPointSize exists in neither OpenGL ES nor every profile.
    return QByteArrayLiteral(
        "attribute mediump vec3 vPosition;attribute mediump vec3 vColor;varying lowp vec4 "
        "fragColor;uniform mat4 mView;uniform mat4 mProjection;uniform mat4 mModel;uniform mediump float "
        "pointSize;void main() {  gl_Position = mProjection * mView * mModel * vec4(vPosition, 1.0);  "
        "gl_PointSize = pointSize;  fragColor=vec4(vColor, 1.0);}");
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

void PointCloud::setupBuffers(QOpenGLFunctions *)
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

void PointCloud::draw(QOpenGLFunctions *gl)
{
    if (m_dirty) {
        uploadBuffer(m_positionBuffer, m_positions.constData(), m_positions.size() * 12);
        uploadBuffer(m_colorBuffer, m_colors.constData(), m_colors.size() * 12);
    }
    const QOpenGLContext *context = QOpenGLContext::currentContext();
    // Desktop OpenGL takes gl_PointSize only with this switch on; OpenGL ES always does.
    if (context && !context->isOpenGLES())
        gl->glEnable(GL_PROGRAM_POINT_SIZE);
    m_program->setUniformValue("pointSize", float(m_pointSize));
    gl->glDrawArrays(GL_POINTS, 0, m_drawCount);
    if (context && !context->isOpenGLES())
        gl->glDisable(GL_PROGRAM_POINT_SIZE);
    m_dirty = false;
}
