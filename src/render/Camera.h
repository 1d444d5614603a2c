#pragma once

#include "Ray.h"

#include <QMatrix4x4>
#include <QObject>
#include <QRect>
#include <QVector3D>

class QMouseEvent;
class QWheelEvent;

// Orbit camera of one viewport: focal point, distance, yaw and pitch, perspective or orthographic.
class Camera : public QObject
{
    Q_OBJECT
    Q_PROPERTY(float aspectRatio READ aspectRatio WRITE setAspectRatio NOTIFY aspectRatioChanged)

public:
    static constexpr float nearPlane = 0.001f;
    static constexpr float farPlane = 10000.0f;
    // The ranges the view properties offer; the camera never leaves them.
    static constexpr float minDistance = 0.001f;
    static constexpr float maxDistance = 100.0f;
    static constexpr float minPitch = -90.0f;
    static constexpr float maxPitch = 90.0f;
    // Yaw is kept in [-180, 180], the same direction as any number of turns.
    static float wrapYaw(float yaw);
    static float boundPitch(float pitch);
    static float boundDistance(float distance);

    explicit Camera(QObject *parent = nullptr);

    void setViewport(const QRect &rect);
    void setViewPreset(int preset);
    void setPerspective(bool perspective);
    void zoomIn();
    void zoomOut();
    Ray rayAt(int x, int y) const;

    void mousePressEvent(QMouseEvent *event);
    void mouseMoveEvent(QMouseEvent *event);
    void mouseReleaseEvent(QMouseEvent *event);
    void wheelEvent(QWheelEvent *event);

    QMatrix4x4 projectionMatrix() const { return m_projectionMatrix; }
    QMatrix4x4 viewMatrix() const { return m_viewMatrix; }
    int lastMouseX() const { return m_lastX; }
    int lastMouseY() const { return m_lastY; }
    QVector3D focalPoint() const { return m_focalPoint; }
    float distance() const { return m_distance; }
    float pitch() const { return m_pitch; }
    float yaw() const { return m_yaw; }
    float fieldOfView() const { return m_fieldOfView; }
    float aspectRatio() const { return m_aspectRatio; }
    bool isPerspective() const { return m_perspective; }
    QRect viewport() const { return m_viewport; }
    bool isDragging() const { return m_dragging; }
    bool hasMoved() const { return m_moved; }
    bool isClickPending() const { return m_clickPending; }
    int viewPreset() const { return m_viewPreset; }
    int dragButton() const { return m_dragButton; }
    QVector3D eyePosition() const { return m_eye; }
    QVector3D center() const { return m_center; }
    QVector3D upVector() const { return m_up; }
    // The screen's right and up directions in world coordinates, as the view matrix has them.
    QVector3D screenRight() const { return m_viewMatrix.row(0).toVector3D(); }
    QVector3D screenUp() const { return m_viewMatrix.row(1).toVector3D(); }

    // Recomputes eye, matrices and emits characteristicsChanged().
    void update();

public slots:
    void setAspectRatio(float aspectRatio);
    void setFocalPoint(QVector3D point);
    void setDistance(float value);
    void setYaw(float value);
    void setPitch(float value);

signals:
    void aspectRatioChanged(float aspectRatio);
    void characteristicsChanged();
    void setMouseRay(Ray mouseRay);

private:
    // World length of one pixel of a parallel projection, so that a pan keeps the picture under the cursor.
    float unitsPerPixel() const;

    QMatrix4x4 m_projectionMatrix;
    QMatrix4x4 m_viewMatrix;
    int m_lastX = 0;
    int m_lastY = 0;
    QVector3D m_focalPoint;
    float m_distance = 2.0f;
    float m_pitch = 35.0f;
    float m_yaw = -90.0f;
    float m_fieldOfView = 45.0f;
    // Square until the first viewport rectangle arrives.
    float m_aspectRatio = 1.0f;
    bool m_perspective = true;
    QRect m_viewport;
    bool m_dragging = false;
    bool m_moved = false;
    bool m_clickPending = false;
    int m_viewPreset = 0;
    int m_dragButton = 0;
    // Wheel delta (eighths of a degree) not yet making a whole notch of 120.
    int m_wheelRemainder = 0;
    // Half the height of the orthographic box.
    float m_orthoHalfHeight = 1.0f;
    QVector3D m_eye;
    QVector3D m_center;
    QVector3D m_up;
};
