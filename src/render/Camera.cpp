#include "Camera.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <QtMath>

#include <cmath>

Camera::Camera(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<Ray>("Ray");
    update();
}

void Camera::update()
{
    const float yawR = m_yaw * float(M_PI) / 180.0f;
    const float pitchR = m_pitch * float(M_PI) / 180.0f;
    // The stored distance may be tiny; the eye never collapses onto the focal point.
    const float d = m_distance > 0.01f ? m_distance : 0.01f;
    m_eye = m_focalPoint + d * QVector3D(std::cos(yawR) * std::cos(pitchR), std::sin(yawR) * std::cos(pitchR),
                                         std::sin(pitchR));
    if (std::fabs(std::fabs(m_pitch) - 90.0f) > 0.00001f) {
        m_up = QVector3D(0.0f, 0.0f, 11.0f);
    } else {
        // Looking straight down or up: Z is parallel to the view direction, so take a horizontal up.
        const float s = m_pitch > 0.0f ? -1.0f : 1.0f;
        m_up = QVector3D(s * std::cos(yawR), s * std::sin(yawR), 0.0f);
    }
    m_center = m_focalPoint;

    m_projectionMatrix.setToIdentity();
    if (m_perspective) {
        m_projectionMatrix.perspective(m_fieldOfView, m_aspectRatio, nearPlane, farPlane);
    } else {
        const float h = 0.5f * m_distance;
        float halfWidth = h;
        float halfHeight = h;
        if (m_aspectRatio > 1.0f)
            halfWidth = m_aspectRatio * h;
        else if (m_aspectRatio != 0.0f)
            halfHeight = h / m_aspectRatio;
        m_projectionMatrix.ortho(-halfWidth, halfWidth, -halfHeight, halfHeight, -0.5f * farPlane,
                                 0.5f * farPlane);
        m_orthoHalfHeight = halfHeight;
    }
    m_viewMatrix.setToIdentity();
    m_viewMatrix.lookAt(m_eye, m_center, m_up);
    emit characteristicsChanged();
}

float Camera::wrapYaw(float yaw)
{
    if (!std::isfinite(yaw))
        return 0.0f;
    return float(std::remainder(double(yaw), 360.0));
}

float Camera::boundPitch(float pitch)
{
    return std::isfinite(pitch) ? qBound(minPitch, pitch, maxPitch) : 0.0f;
}

float Camera::boundDistance(float distance)
{
    return std::isfinite(distance) ? qBound(minDistance, distance, maxDistance) : minDistance;
}

void Camera::setAspectRatio(float aspectRatio)
{
    // A window or viewport of no height has no ratio; keep the last one rather than store inf or NaN.
    if (m_aspectRatio == aspectRatio || !std::isfinite(aspectRatio) || aspectRatio <= 0.0f)
        return;
    m_aspectRatio = aspectRatio;
    update();
    emit aspectRatioChanged(aspectRatio);
}

void Camera::setFocalPoint(QVector3D point)
{
    m_focalPoint = point;
    update();
}

void Camera::setDistance(float value)
{
    m_distance = boundDistance(value);
    update();
}

void Camera::setYaw(float value)
{
    m_yaw = wrapYaw(value);
    update();
}

void Camera::setPitch(float value)
{
    m_pitch = boundPitch(value);
    update();
}

void Camera::setPerspective(bool perspective)
{
    m_perspective = perspective;
    update();
}

void Camera::setViewport(const QRect &rect)
{
    if (rect == m_viewport)
        return;
    m_viewport = rect;
    const int width = rect.right() - rect.left() + 1;
    const int height = rect.bottom() - rect.top() + 1;
    if (width <= 0 || height <= 0)
        return;
    const float aspect = float(width) / float(height);
    if (aspect != m_aspectRatio) {
        m_aspectRatio = aspect;
        update();
        emit aspectRatioChanged(aspect);
    }
}

void Camera::setViewPreset(int preset)
{
    static const struct
    {
        float pitch;
        float yaw;
        bool perspective;
    } presets[] = {{30.0f, -180.0f, true}, {0.0f, 0.0f, false}, {0.0f, -90.0f, false}, {90.0f, 0.0f, false}};
    if (preset < 0 || preset > 3)
        return;
    m_viewPreset = preset;
    m_focalPoint = QVector3D();
    m_distance = 10.0f;
    m_pitch = presets[preset].pitch;
    m_yaw = presets[preset].yaw;
    m_perspective = presets[preset].perspective;
    update();
}

void Camera::zoomIn()
{
    m_distance = boundDistance(m_distance * 0.82f);
    update();
}

void Camera::zoomOut()
{
    m_distance = boundDistance(m_distance * 1.18f);
    update();
}

Ray Camera::rayAt(int x, int y) const
{
    if (m_viewport.width() <= 0 || m_viewport.height() <= 0)
        return Ray{m_eye, (m_center - m_eye).normalized()};
    const float ndcX = 2.0f * float(x - m_viewport.left()) / float(m_viewport.width()) - 1.0f;
    const float ndcY = 1.0f - 2.0f * float(y - m_viewport.top()) / float(m_viewport.height());
    const QMatrix4x4 invProjection = m_projectionMatrix.inverted();
    const QMatrix4x4 invView = m_viewMatrix.inverted();
    const QVector4D eyeSpace = invProjection * QVector4D(ndcX, ndcY, -1.0f, 1.0f);
    Ray ray;
    if (m_perspective) {
        ray.origin = m_eye;
        ray.direction = invView.mapVector(QVector3D(eyeSpace.x(), eyeSpace.y(), -1.0f)).normalized();
    } else {
        // All rays of a parallel projection share the view direction; each starts on the eye's plane
        // under the cursor.
        ray.origin = invView.map(QVector3D(eyeSpace.x(), eyeSpace.y(), 0.0f));
        ray.direction = invView.mapVector(QVector3D(0.0f, 0.0f, -1.0f)).normalized();
    }
    return ray;
}

void Camera::mousePressEvent(QMouseEvent *event)
{
    m_lastX = qRound(event->localPos().x());
    m_lastY = qRound(event->localPos().y());
    m_dragButton = int(event->button());
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        m_dragging = true;
        m_moved = false;
        if (event->button() == Qt::LeftButton)
            m_clickPending = true;
    }
    event->accept();
}

void Camera::mouseMoveEvent(QMouseEvent *event)
{
    m_clickPending = false;
    event->accept();
    // A release outside every viewport never reaches the camera; without this the view would keep
    // following the mouse after the button is up.
    if (m_dragging && !(event->buttons() & Qt::MouseButton(m_dragButton)))
        m_dragging = false;
    if (!m_dragging)
        return;
    m_moved = true;
    const int x = qRound(event->localPos().x());
    const int y = qRound(event->localPos().y());
    const float dx = float(x - m_lastX);
    const float dy = float(y - m_lastY);
    const float yawR = qDegreesToRadians(m_yaw);

    // Pans move the focal point against the screen's own axes, so that the picture follows the mouse
    // whichever way the camera faces (the top view's screen up is -X, not +Y).
    const QVector3D right = screenRight();
    if (m_dragButton == Qt::RightButton) {
        if (m_viewPreset == 0) {
            // The free view pans over the floor: across the screen and straight ahead.
            const QVector3D ahead = QVector3D::crossProduct(QVector3D(0.0f, 0.0f, 1.0f), right);
            m_focalPoint += (-dx * right + dy * ahead) * (m_distance * 0.001f);
        }
    } else if (m_dragButton == Qt::LeftButton) {
        const Qt::KeyboardModifiers mods = event->modifiers();
        if (mods == Qt::ShiftModifier) {
            m_distance = qMin(m_distance * std::exp(0.01f * dy), maxDistance);
            float k;
            if (m_distance < 0.01f) {
                m_distance = 0.01f;
                k = 0.00001f;
            } else {
                k = m_distance * 0.001f;
            }
            m_focalPoint.setZ(m_focalPoint.z() - 0.05f * dx * k);
        } else if (mods == Qt::ControlModifier) {
            const float d = std::max(m_distance, 0.01f);
            const float pitchR = qDegreesToRadians(m_pitch);
            const QVector3D eye =
                m_focalPoint + d * QVector3D(std::cos(yawR) * std::cos(pitchR),
                                             std::sin(yawR) * std::cos(pitchR), std::sin(pitchR));
            m_yaw = wrapYaw(m_yaw - 0.1f * dx);
            m_pitch = boundPitch(m_pitch + 0.1f * dy);
            const float yaw2 = qDegreesToRadians(m_yaw);
            const float pitch2 = qDegreesToRadians(m_pitch);
            m_focalPoint = eye - d * QVector3D(std::cos(yaw2) * std::cos(pitch2),
                                               std::sin(yaw2) * std::cos(pitch2), std::sin(pitch2));
        } else if (m_viewPreset == 0) {
            m_yaw = wrapYaw(m_yaw - 0.2f * dx);
            m_pitch = boundPitch(m_pitch + 0.2f * dy);
        } else {
            m_focalPoint += (-dx * right + dy * screenUp()) * unitsPerPixel();
        }
    }
    m_lastX = x;
    m_lastY = y;
    update();
}

float Camera::unitsPerPixel() const
{
    const int height = m_viewport.height();
    if (m_perspective || height <= 0)
        return m_distance * 0.005f;
    return 2.0f * m_orthoHalfHeight / float(height);
}

void Camera::mouseReleaseEvent(QMouseEvent *event)
{
    m_lastX = qRound(event->localPos().x());
    m_lastY = qRound(event->localPos().y());
    if (event->button() == Qt::LeftButton && m_clickPending) {
        m_clickPending = false;
        emit setMouseRay(rayAt(m_lastX, m_lastY));
    }
    m_dragging = false;
    event->accept();
}

void Camera::wheelEvent(QWheelEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (!m_viewport.contains(pos))
        return;
    // High-resolution wheels and touchpads send fractions of a notch; they count once they add up to one.
    const int delta = event->angleDelta().y();
    if ((delta > 0 && m_wheelRemainder < 0) || (delta < 0 && m_wheelRemainder > 0))
        m_wheelRemainder = 0;
    m_wheelRemainder += delta;
    const int steps = m_wheelRemainder / 120;
    m_wheelRemainder -= steps * 120;
    event->accept();
    if (steps == 0)
        return;
    // 3 % per notch, compounded, so that no number of notches reaches zero or below.
    const float perNotch = steps > 0 ? 0.97f : 1.03f;
    m_distance = boundDistance(m_distance * std::pow(perNotch, float(std::abs(steps))));
    update();
}
