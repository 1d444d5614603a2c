#pragma once

#include "RenderableItem.h"

#include <QOpenGLBuffer>
#include <QVector>

class Coordinate;

// The measured points of one connection. A new frame overwrites the previous one in place, so the old
// points stay drawn beyond the new ones until they are replaced: a scan delivered line by line refreshes
// progressively instead of flickering. GUI thread only.
class PointCloud : public RenderableItem
{
    Q_OBJECT

public:
    explicit PointCloud(QObject *parent = nullptr);

    void render(QOpenGLContext *context) override;
    void initialize(QOpenGLContext *context) override;
    QByteArray vertexShaderSource() const override;

    // Starts a new frame when the tag differs from the current one, then stores it.
    void setFrameTag(int tag);
    void setFrameTagQuietly(int tag) { m_frameTag = tag; }
    int frameTag() const { return m_frameTag; }
    bool isCoordinateVisible() const;
    Coordinate *coordinate() const { return m_coordinate; }

    int pointSize() const { return m_pointSize; }
    int count() const { return m_count; }
    int drawCount() const { return m_drawCount; }
    bool isDirty() const { return m_dirty; }
    const QVector<QVector3D> &positions() const { return m_positions; }
    const QVector<QVector3D> &colors() const { return m_colors; }

public slots:
    void addPoints(QVector<QVector3D> points, QVector<QVector3D> colors);
    void resetPoints();
    void clearPoints();
    void setCoordinateVisible(bool state);
    void setPointSize(int pointSize);

protected:
    void setupBuffers(QOpenGLFunctions *gl) override;
    void bindAttributes() override;
    void draw(QOpenGLFunctions *gl) override;

private:
    QVector<QVector3D> m_positions;
    QVector<QVector3D> m_colors;
    QOpenGLBuffer m_positionBuffer{QOpenGLBuffer::VertexBuffer};
    QOpenGLBuffer m_colorBuffer{QOpenGLBuffer::VertexBuffer};
    bool m_dirty = false;
    int m_count = 0;
    int m_pointSize = 2;
    int m_drawCount = 0;
    Coordinate *m_coordinate;
    int m_frameTag = -1;
};
